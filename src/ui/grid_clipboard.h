// Blocks of cells as text: what the grids put on the clipboard and take from
// it.  Plain C++ so that the rules can be checked without a window.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "state/grid.h"

namespace kurvo::ui {

using TextTable = std::vector<std::vector<std::string>>;

// Rows of fields from text copied in a spreadsheet (TAB between fields) or a
// text editor (commas when the text holds no TAB).  CR LF, LF and CR end
// lines; a final line end adds no row.  Fields lose the blanks around them
// and one pair of enclosing double quotes.
TextTable parseTable(std::string_view text);

// The block of cells from (firstCol, firstRow) to (lastCol, lastRow) as
// TAB-separated lines, each ended by a line feed.
std::string blockAsText(const IGrid& grid, int firstCol, int firstRow, int lastCol, int lastRow);

struct PasteOutcome {
    int written = 0;  // cells written
    int leftOut = 0;  // non-empty fields that fell outside the grid
};

// Writes the table into the grid with its first field at (col, row).  Fields
// beyond the last row or column are not written; the empty ones among them
// are not counted as left out.
PasteOutcome pasteTable(IGrid& grid, int col, int row, const TextTable& table);

}  // namespace kurvo::ui
