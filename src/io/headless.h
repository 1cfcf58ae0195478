// A main window without widgets: the program's logic on plain table grids, a
// plain tab control and labels, a recording graph surface and message boxes
// that only collect their texts.  Used where the program runs without a
// screen (the batch command) and by tests.
#pragma once

#include <string>
#include <vector>

#include "graph/recording_surface.h"
#include "state/app.h"
#include "state/grid.h"
#include "state/views.h"

namespace kurvo {

// Collects every message.  Questions are answered No, the file dialog is
// cancelled: nothing that needs a person goes ahead.
class CollectingDialogs : public IUserDialogs {
public:
    MsgAnswer Message(const MessageRequest& request) override {
        messages.push_back(request.text);
        return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    std::optional<std::string> ChooseFile(const FileRequest&) override { return std::nullopt; }

    std::vector<std::string> messages;
};

class HeadlessWindow {
public:
    HeadlessWindow();
    HeadlessWindow(const HeadlessWindow&) = delete;
    HeadlessWindow& operator=(const HeadlessWindow&) = delete;

    TableGrid spdData = MakeDataGrid();
    TableGrid spdSpec = MakeMethodGrid();
    TableGrid spdCoeff = MakeCoefficientGrid();
    TableGrid spdEstimate0 = MakeEstimateGrid(0), spdEstimate1 = MakeEstimateGrid(1),
              spdEstimate2 = MakeEstimateGrid(2), spdEstimate3 = MakeEstimateGrid(3);
    PlainTabControl tabs;
    PlainEquationLabels labels;
    RecordingSurface graph{5000, 4600};
    CollectingDialogs dialogs;
    App app;
};

}  // namespace kurvo
