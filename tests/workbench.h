// The headless main window with short names and helpers for tests.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session_probe.h"
#include "window/headless.h"

namespace kurvo::test {

// Records every message and answers from a script (Ok, or Yes when scripted).
class ScriptedDialogs : public IUserDialogs {
public:
    MsgAnswer Message(const MessageRequest& request) override {
        messages.push_back(request);
        if (request.buttons != MsgButtons::Ok && !answers.empty()) {
            const MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    }
    std::optional<std::string> ChooseFile(const FileRequest& request) override {
        fileRequests.push_back(request);
        if (files.empty()) return std::nullopt;
        auto f = files.front();
        files.pop_front();
        return f;
    }

    void ShowStatus(const std::string& text) override { statuses.push_back(text); }

    std::vector<MessageRequest> messages;
    std::vector<std::string> statuses;
    std::vector<FileRequest> fileRequests;
    std::deque<MsgAnswer> answers;
    std::deque<std::optional<std::string>> files;
};

// Holds the dialogs, so that they exist before the window that uses them.
struct ScriptedDialogsHolder {
    ScriptedDialogs dialogs;
};

struct Workbench : ScriptedDialogsHolder, HeadlessWindow {
    Workbench() : HeadlessWindow(dialogs) {}

    TableGrid& data = spdData;
    TableGrid& methodGrid = spdSpec;
    TableGrid& coeff = spdCoeff;
    TableGrid& est0 = spdEstimate0;
    TableGrid& est1 = spdEstimate1;
    TableGrid& est2 = spdEstimate2;
    TableGrid& est3 = spdEstimate3;
    Session& session = SessionProbe::Of(app);

    // Fills a data column from row 1, "" for a blank cell.
    void SetColumn(int col, const std::vector<std::string>& cells) {
        for (std::size_t r = 0; r < cells.size(); ++r) data.SetText(col, static_cast<int>(r) + 1, cells[r]);
    }
    // One method row: Y and X as letters, transforms, degree text.
    void SetMethod(int row, char y, char x, int yLog, int yRecip, int xLog, int xRecip, const std::string& degree) {
        methodGrid.SetText(1, row, std::string(1, y));
        methodGrid.SetText(2, row, std::to_string(yLog));
        methodGrid.SetText(3, row, std::to_string(yRecip));
        methodGrid.SetText(4, row, std::string(1, x));
        methodGrid.SetText(5, row, std::to_string(xLog));
        methodGrid.SetText(6, row, std::to_string(xRecip));
        methodGrid.SetText(7, row, degree);
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages) out.push_back(m.text);
        return out;
    }
};

}  // namespace kurvo::test
