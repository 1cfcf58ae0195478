// A main window without widgets: the logic on plain grids, a plain tab
// control and labels, a recording graph surface and scripted message boxes.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "graph/recording_surface.h"
#include "state/app.h"

namespace kurvo::test {

struct Workbench {
    TableGrid data = MakeDataGrid();
    TableGrid spec = MakeMethodGrid();
    TableGrid coeff = MakeCoefficientGrid();
    TableGrid est0 = MakeEstimateGrid(0), est1 = MakeEstimateGrid(1), est2 = MakeEstimateGrid(2),
              est3 = MakeEstimateGrid(3);
    PlainTabControl tabs;
    PlainEquationLabels labels;
    RecordingSurface graph{5000, 4600};
    RecordingSurface printer{11000, 15000};
    ScriptedDialogs dialogs;
    App app{Views{data, spec, coeff, {&est0, &est1, &est2, &est3}, tabs, labels, graph, dialogs, &printer}};

    Workbench() { app.StartUp(); }

    TableGrid& Estimate(int k) { return *std::array<TableGrid*, 4>{&est0, &est1, &est2, &est3}[static_cast<std::size_t>(k)]; }

    // Fills data columns from the left, one vector per column, "" for a blank cell.
    void SetColumn(int col, const std::vector<std::string>& cells) {
        for (std::size_t r = 0; r < cells.size(); ++r) data.SetText(col, static_cast<int>(r) + 1, cells[r]);
    }
    void SetColumn(int col, std::initializer_list<double> values) {
        int r = 1;
        for (double v : values) data.SetNumber(col, r++, v);
    }
    // One method row: Y and X as letters, transforms, degree text.
    void SetMethod(int row, char y, char x, int yLog, int yRecip, int xLog, int xRecip, const std::string& degree) {
        spec.SetText(1, row, std::string(1, y));
        spec.SetText(2, row, std::to_string(yLog));
        spec.SetText(3, row, std::to_string(yRecip));
        spec.SetText(4, row, std::string(1, x));
        spec.SetText(5, row, std::to_string(xLog));
        spec.SetText(6, row, std::to_string(xRecip));
        spec.SetText(7, row, degree);
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> out;
        for (const auto& m : dialogs.messages) out.push_back(m.text);
        return out;
    }
};

}  // namespace kurvo::test
