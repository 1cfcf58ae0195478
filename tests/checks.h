// Checks shared by the tests of the fitting engine and the graph.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
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

// The rows of a tab-separated table of cases in tests/data, the first field
// naming the row; `fields` fields each, or any number when 0.  Lines starting
// with '#' and the heading line are skipped.  In a field a backslash and n is
// a line break and each of `words` stands for its value.
inline std::vector<std::vector<std::string>> ReadCases(const std::string& file, std::size_t fields,
                                                       std::map<std::string, std::string> words = {}) {
    words["\\n"] = "\n";
    std::ifstream in(std::string(KURVO_TEST_DATA) + "/" + file);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool heading = true;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || std::exchange(heading, false)) continue;
        std::vector<std::string> row;
        for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
            tab = line.find('\t', start);
            std::string field = line.substr(start, tab - start);
            for (const auto& [word, value] : words)
                for (auto at = field.find(word); at != std::string::npos; at = field.find(word, at + value.size()))
                    field.replace(at, word.size(), value);
            row.push_back(std::move(field));
        }
        if (fields == 0 || row.size() == fields)
            rows.push_back(std::move(row));
        else
            ADD_FAILURE() << file << ": " << row.size() << " fields, expected " << fields << ": " << line;
    }
    EXPECT_FALSE(rows.empty()) << file << " holds no cases";
    return rows;
}

// A number field of a table of cases ("inf", "nan" and hexadecimal as well).
inline double NumberField(const std::string& field) { return std::strtod(field.c_str(), nullptr); }

// The blank-separated words of a field: a list in a table of cases.
inline std::vector<std::string> Words(const std::string& field) {
    std::istringstream in(field);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}
inline std::vector<double> Numbers(const std::string& field) {
    std::vector<double> numbers;
    for (const std::string& word : Words(field)) numbers.push_back(NumberField(word));
    return numbers;
}

// "nan", "inf" (any case) anywhere in a text the program wrote.
inline bool LooksNonFinite(std::string_view text) {
    std::string lower(text);
    for (char& ch : lower)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// Every place the user sees that shows a NaN or an infinity: the result
// grids, the equation labels, the messages and both drawings.  The data and
// method grids are the user's input and are not scanned.
inline ::testing::AssertionResult AllFinite(const Workbench& wb) {
    std::vector<std::string> traces;
    for (const TableGrid* grid : {&wb.coeff, &wb.est0, &wb.est1, &wb.est2, &wb.est3})
        for (int r = 0; r <= grid->Rows(); ++r)
            for (int c = 0; c <= grid->Columns(); ++c)
                if (LooksNonFinite(grid->Text(c, r))) traces.push_back("cell " + grid->Text(c, r));
    for (int i = 0; i < 4; ++i)
        if (LooksNonFinite(wb.labels.Equation(i))) traces.push_back("label " + wb.labels.Equation(i));
    for (const auto& message : wb.dialogs.messages)
        if (LooksNonFinite(message.text)) traces.push_back("message " + message.text);
    for (const RecordingSurface* surface : {&wb.graph, &wb.printer})
        for (const DrawCall& call : surface->Calls())
            if (!std::isfinite(call.x1 + call.y1 + call.x2 + call.y2 + call.size) || LooksNonFinite(call.text))
                traces.push_back("drawing op " + std::to_string(static_cast<int>(call.op)) + " " + call.text);
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
