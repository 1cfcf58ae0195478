// The headless main window with short names and helpers for tests.
#pragma once

#include <string>
#include <vector>

#include "state/headless.h"

namespace kurvo::test {

struct Workbench : HeadlessWindow {
    TableGrid& data = spdData;
    TableGrid& methodGrid = spdSpec;
    TableGrid& coeff = spdCoeff;
    TableGrid& est0 = spdEstimate0;
    TableGrid& est1 = spdEstimate1;
    TableGrid& est2 = spdEstimate2;
    TableGrid& est3 = spdEstimate3;

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
