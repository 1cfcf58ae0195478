// The round trips the fuzzers check, shared with the corpus test: every
// readable data file must survive reading, writing and reading again, and
// every clipboard text must paste inside the grid and copy back as itself.
#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "io/clipboard_table.h"
#include "io/data_file.h"
#include "io/shift_jis.h"
#include "state/numbers.h"
#include "state/runtime_error.h"

namespace kurvo::fuzz {

// What went wrong with a file the reader accepts, or nothing when the second
// read gives the same document and writing that again gives the same bytes.
// A file the reader refuses (RuntimeError) passes; any other exception goes to
// the caller.
inline std::optional<std::string> RoundTripFault(std::string_view bytes) {
    Document first;
    try {
        first = ReadDocument(bytes);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    // A file an editor saved as UTF-8 goes back as UTF-8, so that no character changes.
    const FileEncoding encoding = bytes.starts_with(ToShiftJis("[基本情報]")) ? FileEncoding::ShiftJis : FileEncoding::Utf8;
    const std::string written = WriteDocument(first, encoding);
    Document second;
    try {
        second = ReadDocument(written);
    } catch (const RuntimeError& error) {
        return "the written file is refused: " + error.Description();
    }
    if (!(second == first)) return std::string("the written file reads as another document");
    if (WriteDocument(second, encoding) != written) return std::string("writing the document again gives other bytes");
    return std::nullopt;
}

// What went wrong pasting the text after the first byte into a grid of 5
// columns by 6 rows whose cells all hold "#", at the cell the first byte
// chooses: a cell that does not hold the field landing on it as typing
// enters it (a number grouped in threes as the plain number) or keep its
// "#", counts that are not those of the fields, or a pasted block that does
// not copy back as itself (a number may lose the blanks around it).  Writing
// beyond the grid raises, which goes to the caller.
inline std::optional<std::string> PasteFault(std::string_view bytes) {
    constexpr int kColumns = 5, kRows = 6;
    const int at = bytes.empty() ? 0 : static_cast<unsigned char>(bytes[0]);
    const int col = 1 + at % kColumns, row = 1 + at / kColumns % kRows;
    const TextTable table = ParseTable(bytes.substr(bytes.empty() ? 0 : 1));
    TableGrid grid(kColumns, kRows);
    for (int r = 1; r <= kRows; ++r)
        for (int c = 1; c <= kColumns; ++c) grid.SetText(c, r, "#");
    const PasteOutcome outcome = PasteTable(grid, col, row, table);

    PasteOutcome counted;
    std::size_t width = 0;
    for (const auto& fields : table) {
        width = std::max(width, fields.size());
        for (const std::string& field : fields) counted.leftOut += !field.empty();
    }
    // The cells from the paste's first to its last row and widest column, a
    // number without the blanks around it, which it may lose on the way back.
    const auto cell = [](std::string_view text) { return std::string(IsNumeric(text) ? Trim(text) : text); };
    TextTable block;
    for (int r = 1; r <= kRows; ++r) {
        const auto i = static_cast<std::size_t>(r - row);
        if (r >= row && i < table.size()) block.emplace_back();
        for (int c = 1; c <= kColumns; ++c) {
            const auto j = static_cast<std::size_t>(c - col);
            const bool pasted = r >= row && c >= col && i < table.size() && j < table[i].size();
            const std::string text = grid.Text(c, r);
            if (text != (pasted ? AsEntered(table[i][j]) : "#")) return "cell " + std::to_string(c) + "," + std::to_string(r);
            counted.written += pasted;
            counted.leftOut -= pasted && !text.empty();
            counted.notNumbers += pasted && !text.empty() && !IsNumeric(text);
            if (r >= row && i < table.size() && c >= col && j < width) block.back().push_back(cell(text));
        }
    }
    if (outcome.written != counted.written || outcome.leftOut != counted.leftOut || outcome.notNumbers != counted.notNumbers)
        return std::string("the counts are not those of the fields");
    if (block.empty()) return std::nullopt;
    TextTable copied = ParseTable(
        BlockAsText(grid, col, row, col + static_cast<int>(block[0].size()) - 1, row + static_cast<int>(block.size()) - 1));
    for (auto& fields : copied)
        for (std::string& field : fields) field = cell(field);
    if (copied != block) return std::string("the pasted block copies back as other cells");
    return std::nullopt;
}

}  // namespace kurvo::fuzz
