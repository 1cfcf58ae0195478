// Checks shared by the tests of the fitting engine and the graph.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "state/runtime_error.h"
#include "workbench.h"

namespace kurvo::test {

template <typename Call>
::testing::AssertionResult Raises(ErrorNumber expected, Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        if (error.Number() == expected) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised error " << error.Code() << " (" << error.Description()
                                             << "), expected " << static_cast<int>(expected);
    }
    return ::testing::AssertionFailure() << "raised nothing, expected error " << static_cast<int>(expected);
}

// Names the rows of a parameterised test after their `name` field.
struct RowName {
    template <typename Info>
    std::string operator()(const Info& row) const {
        return std::string(row.param.name);
    }
};

// "nan", "inf" (any case) anywhere in a text the program wrote.
inline bool LooksNonFinite(std::string_view text) {
    std::string lower(text);
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

namespace detail {

inline void ScanGrid(const TableGrid& grid, const std::string& name, std::vector<std::string>& out) {
    for (int r = 0; r <= grid.Rows(); ++r)
        for (int c = 0; c <= grid.Columns(); ++c) {
            const std::string text = grid.Text(c, r);
            if (LooksNonFinite(text))
                out.push_back(name + " cell (" + std::to_string(c) + "," + std::to_string(r) + ") = " + text);
        }
}

inline void ScanDrawing(const RecordingSurface& surface, const std::string& name, std::vector<std::string>& out) {
    int i = 0;
    for (const DrawCall& call : surface.Calls()) {
        const bool finite = std::isfinite(call.x1) && std::isfinite(call.y1) && std::isfinite(call.x2) &&
                            std::isfinite(call.y2) && std::isfinite(call.size);
        if (!finite || LooksNonFinite(call.text))
            out.push_back(name + " call " + std::to_string(i) + " op " + std::to_string(static_cast<int>(call.op)) +
                          " text " + call.text);
        ++i;
    }
}

template <typename Array>
void ScanArray2(const Array& array, int low1, int high1, int low2, int high2, const std::string& name,
                std::vector<std::string>& out) {
    for (int i = low1; i <= high1; ++i)
        for (int j = low2; j <= high2; ++j)
            if (!std::isfinite(array(i, j)))
                out.push_back(name + "(" + std::to_string(i) + "," + std::to_string(j) + ")");
}

}  // namespace detail

// Every place of the workbench that shows or keeps a NaN or an infinity.  The
// data and method grids are the user's input and are not scanned.
inline std::vector<std::string> NonFiniteTraces(const Workbench& wb) {
    std::vector<std::string> out;
    detail::ScanGrid(wb.coeff, "spdCoeff", out);
    const TableGrid* estimates[] = {&wb.est0, &wb.est1, &wb.est2, &wb.est3};
    for (int i = 0; i < 4; ++i) detail::ScanGrid(*estimates[i], "spdEstimate(" + std::to_string(i) + ")", out);
    for (int i = 0; i < 4; ++i)
        if (LooksNonFinite(wb.labels.Equation(i)))
            out.push_back("lblEquation(" + std::to_string(i) + ") = " + wb.labels.Equation(i));
    for (const auto& message : wb.dialogs.messages)
        if (LooksNonFinite(message.text)) out.push_back("message " + message.text);
    detail::ScanDrawing(wb.graph, "picGraph", out);
    detail::ScanDrawing(wb.printer, "printer", out);

    const Session& s = wb.app.session;
    detail::ScanArray2(s.dbl_Coeff, 1, 5, 0, 6, "dbl_Coeff", out);
    detail::ScanArray2(s.dbl_XPower, 1, 100, 1, 7, "dbl_XPower", out);
    detail::ScanArray2(s.dbl_YData, 1, 100, 1, 5, "dbl_YData", out);
    for (int i = 0; i <= 6; ++i)
        if (!std::isfinite(s.dbl_WorkCoeff(i))) out.push_back("dbl_WorkCoeff(" + std::to_string(i) + ")");
    for (int c = 1; c <= 5; ++c)
        for (const double v : {s.dbl_XMin(c), s.dbl_XMax(c), s.dbl_YMin(c), s.dbl_YMax(c), s.dbl_XLow(c),
                               s.dbl_XHigh(c), s.dbl_YLow(c), s.dbl_YHigh(c)})
            if (!std::isfinite(v)) out.push_back("graph limits of combination " + std::to_string(c));
    return out;
}

inline ::testing::AssertionResult AllFinite(const Workbench& wb) {
    const auto traces = NonFiniteTraces(wb);
    if (traces.empty()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "non-finite values:";
    for (const auto& trace : traces) failure << "\n  " << trace;
    return failure;
}

// One line per recorded call, for comparing whole drawings.
inline std::vector<std::string> Describe(const RecordingSurface& surface) {
    std::vector<std::string> lines;
    for (const DrawCall& call : surface.Calls()) {
        std::ostringstream line;
        line << static_cast<int>(call.op) << ' ' << call.x1 << ' ' << call.y1 << ' ' << call.x2 << ' ' << call.y2
             << ' ' << call.color << ' ' << call.value << ' ' << call.size << ' ' << call.text;
        lines.push_back(line.str());
    }
    return lines;
}

}  // namespace kurvo::test
