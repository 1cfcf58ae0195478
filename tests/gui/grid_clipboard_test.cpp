#include <QTest>

#include "gui_test.h"
#include "ui/grid_clipboard.h"

using kurvo::TableGrid;
using kurvo::ui::TextTable;

class GridClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void spreadsheetAndEditorTextSplitIntoTheSameTable() {
        const TextTable expected = {{"1", "2.5"}, {"3", ""}, {"-4e2", "x"}};
        QCOMPARE(kurvo::ui::parseTable("1\t2.5\r\n3\t\r\n-4e2\tx\r\n"), expected);
        QCOMPARE(kurvo::ui::parseTable("1,2.5\n3,\n-4e2,x"), expected);
        QCOMPARE(kurvo::ui::parseTable(" 1 , \"2.5\"\r3,\r\"-4e2\",x\n"), expected);
    }

    void tabTextKeepsItsCommas() {
        // With TABs present, commas belong to the fields.
        const TextTable table = kurvo::ui::parseTable("1,5\t2\n");
        QCOMPARE(table, (TextTable{{"1,5", "2"}}));
    }

    void emptyTextAndBlankLines() {
        QVERIFY(kurvo::ui::parseTable("").empty());
        QCOMPARE(kurvo::ui::parseTable("1\n\n2\n"), (TextTable{{"1"}, {""}, {"2"}}));
    }

    void pasteStopsAtTheGridEdgesAndCountsWhatWasLeftOut() {
        TableGrid grid = kurvo::MakeDataGrid();
        // Three columns from column D: the third falls beyond E.  Rows 99..101: the last beyond 100.
        const TextTable table = {{"1", "2", "3"}, {"4", "5", ""}, {"7", "", "9"}};
        const auto outcome = kurvo::ui::pasteTable(grid, 4, 99, table);
        QCOMPARE(outcome.written, 4);
        QCOMPARE(outcome.leftOut, 3);  // "3", "7" and "9"; the empty fields outside do not count
        QCOMPARE(grid.Text(4, 99), std::string("1"));
        QCOMPARE(grid.Text(5, 100), std::string("5"));
    }

    void pastedEmptyFieldsClearCells() {
        TableGrid grid = kurvo::MakeDataGrid();
        grid.SetText(2, 1, "old");
        kurvo::ui::pasteTable(grid, 1, 1, {{"1", "", "3"}});
        QCOMPARE(grid.Text(2, 1), std::string());
        QCOMPARE(grid.Text(3, 1), std::string("3"));
    }

    void copiedBlockPastesBackUnchanged() {
        TableGrid from = kurvo::MakeDataGrid();
        from.SetText(2, 3, "1.5");
        from.SetText(3, 4, "-2");
        const std::string text = kurvo::ui::blockAsText(from, 2, 3, 3, 4);
        QCOMPARE(text, std::string("1.5\t\n\t-2\n"));
        TableGrid to = kurvo::MakeDataGrid();
        kurvo::ui::pasteTable(to, 2, 3, kurvo::ui::parseTable(text));
        QVERIFY(to == from);
    }
};

KURVO_GUI_TEST(GridClipboardTest)
#include "grid_clipboard_test.moc"
