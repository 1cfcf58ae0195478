// Blocks of cells as clipboard text, and the undo history driven the way the
// window drives it: an action between BeginStep and EndStep, the texts of Undo
// and Redo written back.
#include "checks.h"
#include "io/clipboard_table.h"
#include "state/edit_history.h"

namespace kurvo {
namespace {

TEST(ClipboardAndUndo, PasteCopyAndEdit) {
    std::string steps, undos;
    for (int n = 1; n <= 200; ++n) steps += " C4=" + std::to_string(n), undos += " u";
    for (const auto& row : test::ReadCases("clipboard_and_undo.tsv", 5,
                                           {{"200steps", steps}, {"200undos", undos}, {"\\t", "\t"}, {"\\r", "\r"}})) {
        SCOPED_TRACE(row[0]);
        TableGrid sheet(3, 4);
        PasteTable(sheet, 1, 0, {{"X", "Y", "Z"}, {"a", "b"}, {"c"}});
        std::vector<int> at;
        for (const std::string& word : test::Words(row[2])) at.push_back(std::stoi(word));
        std::string result;
        if (row[1].starts_with("Copy") && !row[3].empty()) sheet.SetText(at[0], at[1], row[3]);
        if (row[1] == "Copy") {
            const CellBlock b = WithHeadings(sheet, {at[0], at[1], at[2], at[3]});
            result = BlockAsText(sheet, b.firstCol, b.firstRow, b.lastCol, b.lastRow);
        } else if (row[1] == "Heading") {
            result = FirstRowIsHeading(ParseTable(row[3])) ? "yes" : "no";
        } else if (row[1] == "Paste" || row[1] == "CopyBack") {
            const std::string text = row[1] == "Paste" ? row[3] : BlockAsText(sheet, at[0], at[1], at[0], at[1]);
            const PasteOutcome pasted = PasteTable(sheet, at[0], at[1], ParseTable(text));
            for (int count : {pasted.written, pasted.leftOut, pasted.notNumbers}) result += std::to_string(count) + " ";
        } else {
            EditHistory history;
            for (const std::string& word : test::Words(row[3])) {
                if (word == "u" || word == "r") {
                    for (auto& c : word == "u" ? history.Undo() : history.Redo()) sheet.SetText(c.col, c.row, c.text);
                } else {
                    history.BeginStep(sheet);
                    PasteTable(sheet, word[0] - '@', word[1] - '0', ParseTable(word.substr(3)));
                    history.EndStep(sheet);
                }
            }
            result = std::string(history.CanUndo() ? "+" : "-") + (history.CanRedo() ? "+" : "-") + " ";
        }
        EXPECT_EQ(row[1] == "Copy" || row[1] == "Heading" ? result : result + BlockAsText(sheet, 1, 1, 3, 4), row[4]);
    }
}

}  // namespace
}  // namespace kurvo
