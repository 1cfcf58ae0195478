// Blocks of cells as clipboard text: reading what was copied elsewhere,
// writing a block, the headings a copied block takes and pasting.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "io/clipboard_table.h"

namespace kurvo {
namespace {

const TextTable kThreeRows = {{"1", "2.5"}, {"3", ""}, {"-4e2", "x"}};

const struct {
    const char* name;
    const char* text;
    TextTable table;
} kParsed[] = {
    {"SpreadsheetTabsAndCrLf", "1\t2.5\r\n3\t\r\n-4e2\tx\r\n", kThreeRows},
    {"EditorCommasBlanksQuotesCrAndLf", " 1 , \"2.5\"\r3,\r\"-4e2\",x\n", kThreeRows},
    {"WithTabsCommasAreData", "1,5\t2\n", {{"1,5", "2"}}},
    {"EmptyLineIsAnEmptyField", "1\n\n2\n", {{"1"}, {""}, {"2"}}},
    {"LastLineWithoutLineEnd", "1\t2", {{"1", "2"}}},
    {"OnePairOfQuotesGoesBlanksInsideStay", "\"\"a\"\",\" b \"", {{"\"a\"", " b "}}},
    {"NoTextNoRow", "", {}},
};

TEST(ClipboardTable, ParseTable) {
    for (const auto& row : kParsed) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseTable(row.text), row.table);
    }
}

// Three columns headed X, Y, Z and four rows headed 1 to 4; the data
// "a b -" in row 1 and "c - -" in row 2.
TableGrid Sheet() {
    TableGrid grid(3, 4);
    for (const auto& [col, row, text] : {std::tuple{1, 0, "X"}, {2, 0, "Y"}, {3, 0, "Z"}, {1, 1, "a"}, {2, 1, "b"},
                                         {1, 2, "c"}})
        grid.SetText(col, row, text);
    return grid;
}

std::string Text(const IGrid& grid, CellBlock b) { return BlockAsText(grid, b.firstCol, b.firstRow, b.lastCol, b.lastRow); }
std::tuple<int, int, int, int> Corners(CellBlock b) { return {b.firstCol, b.firstRow, b.lastCol, b.lastRow}; }

TEST(ClipboardTable, BlockAsTabSeparatedLines) {
    EXPECT_EQ(Text(Sheet(), {0, 0, 2, 2}), "\tX\tY\n1\ta\tb\n2\tc\t\n");
}

const struct {
    const char* name;
    CellBlock selected, copied;
} kCopied[] = {
    {"PartOfAColumnAsSelected", {1, 1, 1, 2}, {1, 1, 1, 2}},
    {"WholeColumnsFromHeadingToLastText", {2, 1, 3, 4}, {2, 0, 3, 1}},
    {"WholeEmptyColumnIsItsHeading", {3, 1, 3, 4}, {3, 0, 3, 0}},
    {"WholeRowsWithRowHeadings", {1, 2, 3, 3}, {0, 2, 3, 3}},
    {"WholeSheetWithBothHeadings", {1, 1, 3, 4}, {0, 0, 3, 2}},
};

TEST(ClipboardTable, WithHeadings) {
    for (const auto& row : kCopied) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Corners(WithHeadings(Sheet(), row.selected)), Corners(row.copied));
    }
}

const struct {
    const char* name;
    int col, row;
    PasteOutcome outcome;
    const char* sheet;  // rows 1 to 4 afterwards
} kPasted[] = {
    {"InsideEveryFieldWritten", 2, 1, {6, 0}, "a\t1\t2.5\nc\t3\t\n\t-4e2\tx\n\t\t\n"},
    {"BeyondTheLastColumnEmptyFieldsNotCounted", 3, 1, {3, 2}, "a\tb\t1\nc\t\t3\n\t\t-4e2\n\t\t\n"},
    {"BeyondTheLastRow", 1, 3, {4, 2}, "a\tb\t\nc\t\t\n1\t2.5\t\n3\t\t\n"},
};

TEST(ClipboardTable, PasteTable) {
    for (const auto& row : kPasted) {
        SCOPED_TRACE(row.name);
        TableGrid grid = Sheet();
        const PasteOutcome outcome = PasteTable(grid, row.col, row.row, kThreeRows);
        EXPECT_EQ(outcome.written, row.outcome.written);
        EXPECT_EQ(outcome.leftOut, row.outcome.leftOut);
        EXPECT_EQ(Text(grid, {1, 1, 3, 4}), row.sheet);
    }
}

}  // namespace
}  // namespace kurvo
