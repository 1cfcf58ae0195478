// Checks shared by the tests of the fitting engine and the graph:
//  - Raises: a call raises the expected RuntimeError;
//  - AllFinite: nothing the workbench shows or keeps holds a NaN or an
//    infinity (cell texts, labels, messages, drawn texts and coordinates,
//    the doubles of the session record);
//  - Describe: a drawing as comparable text.
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
void ScanArray(const Array& array, int low, int high, const std::string& name, std::vector<std::string>& out) {
    for (int i = low; i <= high; ++i)
        if (!std::isfinite(array(i))) out.push_back(name + "(" + std::to_string(i) + ")");
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
    detail::ScanGrid(wb.est0, "spdEstimate(0)", out);
    detail::ScanGrid(wb.est1, "spdEstimate(1)", out);
    detail::ScanGrid(wb.est2, "spdEstimate(2)", out);
    detail::ScanGrid(wb.est3, "spdEstimate(3)", out);
    for (int i = 0; i < 4; ++i)
        if (LooksNonFinite(wb.labels.Equation(i)))
            out.push_back("lblEquation(" + std::to_string(i) + ") = " + wb.labels.Equation(i));
    for (const auto& message : wb.dialogs.messages)
        if (LooksNonFinite(message.text)) out.push_back("message " + message.text);
    detail::ScanDrawing(wb.graph, "picGraph", out);
    detail::ScanDrawing(wb.printer, "printer", out);

    const Session& s = wb.app.session;
    detail::ScanArray2(s.dbl_Coeff, 1, 5, 0, 6, "dbl_Coeff", out);
    detail::ScanArray(s.dbl_WorkCoeff, 0, 6, "dbl_WorkCoeff", out);
    detail::ScanArray2(s.dbl_XPower, 1, 100, 1, 7, "dbl_XPower", out);
    detail::ScanArray2(s.dbl_YData, 1, 100, 1, 5, "dbl_YData", out);
    detail::ScanArray(s.dbl_XMin, 1, 5, "dbl_XMin", out);
    detail::ScanArray(s.dbl_XMax, 1, 5, "dbl_XMax", out);
    detail::ScanArray(s.dbl_YMin, 1, 5, "dbl_YMin", out);
    detail::ScanArray(s.dbl_YMax, 1, 5, "dbl_YMax", out);
    detail::ScanArray(s.dbl_XLow, 1, 5, "dbl_XLow", out);
    detail::ScanArray(s.dbl_XHigh, 1, 5, "dbl_XHigh", out);
    detail::ScanArray(s.dbl_YLow, 1, 5, "dbl_YLow", out);
    detail::ScanArray(s.dbl_YHigh, 1, 5, "dbl_YHigh", out);
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
