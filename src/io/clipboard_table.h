// Blocks of cells as text: what the grids put on the clipboard and take from
// it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "state/grid.h"

namespace kurvo {

using TextTable = std::vector<std::vector<std::string>>;

// Rows of fields from text copied in a spreadsheet (TAB between fields) or a
// text editor (commas when the text holds no TAB).  CR LF, LF and CR end
// rows; a final line end adds no row.  A field whose first character after
// its blanks is a double quote runs to the closing quote and keeps what is
// between exactly, separators and line breaks included; a doubled quote in
// it is one quote, and what follows the closing quote up to the separator is
// added without its blanks.  Other fields lose the blanks around them.
TextTable ParseTable(std::string_view text);

// The block of cells from (firstCol, firstRow) to (lastCol, lastRow) as
// TAB-separated lines, each ended by a line feed, which ParseTable reads back
// as the same cells: a text holding a TAB, a comma, a line break or a double
// quote, or with blanks at its ends, is written in double quotes with its
// quotes doubled.  A number is written as it is: blanks around it are read as
// the same number.
std::string BlockAsText(const IGrid& grid, int firstCol, int firstRow, int lastCol, int lastRow);

// A block of cells, 1-based; row 0 and column 0 are the headings.
struct CellBlock {
    int firstCol = 1, firstRow = 1, lastCol = 1, lastRow = 1;
};

// What copying the selected block of a result grid takes: whole columns take
// their heading row and end at the last row holding text; whole rows take
// their row headings; the whole sheet takes both.
CellBlock WithHeadings(const IGrid& grid, CellBlock selected);

// The text a typed or pasted cell keeps: a number written with its digits in
// groups of three, as spreadsheets show them ("3,929,214", "-1,234.5"), loses
// its commas and is a number; any other text stays as it is ("39,48", "1,5").
std::string AsEntered(std::string_view text);

struct PasteOutcome {
    int written = 0;     // cells written
    int leftOut = 0;     // non-empty fields that fell outside the grid
    int notNumbers = 0;  // cells written with a text that is not a number (IsNumeric), empty ones not counted
};

// Writes the table into the grid with its first field at (col, row), each
// field as AsEntered makes it.  Fields
// beyond the last row or column are not written; the empty ones among them
// are not counted as left out.
PasteOutcome PasteTable(IGrid& grid, int col, int row, const TextTable& table);

// Whether the first row reads as the names of the variables below it: it
// holds a text and no number, and the rows below hold a number and no text
// (empty fields do not count either way; a grouped number is a number).
bool FirstRowIsHeading(const TextTable& table);

}  // namespace kurvo
