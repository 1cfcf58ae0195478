// A main window without widgets: the program's logic on plain table grids, a
// plain tab control and labels, and recording surfaces for the graph and the
// printed page.  The message boxes and file dialogs are the caller's.  Used
// where the program runs without a screen (the batch command), by tests and
// by the benchmarks.
#pragma once

#include "graph/recording_surface.h"
#include "state/grid.h"
#include "state/views.h"
#include "window/app.h"

namespace kurvo {

class HeadlessWindow {
public:
    explicit HeadlessWindow(IUserDialogs& dialogs);
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
    RecordingSurface printer{11000, 15000};
    App app;
};

}  // namespace kurvo
