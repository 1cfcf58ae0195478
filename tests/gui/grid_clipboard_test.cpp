// Clipboard text read into and written from the grids.
#include <QTest>

#include "gui_test.h"
#include "ui/grid_clipboard.h"

using kurvo::TableGrid;
using kurvo::ui::TextTable;
using kurvo::ui::parseTable;

class GridClipboardTest : public QObject {
    Q_OBJECT
private slots:
    void spreadsheetAndEditorTextSplitIntoTheSameTable() {
        const TextTable expected = {{"1", "2.5"}, {"3", ""}, {"-4e2", "x"}};
        QCOMPARE(parseTable("1\t2.5\r\n3\t\r\n-4e2\tx\r\n"), expected);
        QCOMPARE(parseTable("1,2.5\n3,\n-4e2,x"), expected);
        QCOMPARE(parseTable(" 1 , \"2.5\"\r3,\r\"-4e2\",x\n"), expected);
        QCOMPARE(parseTable("1,5\t2\n"), (TextTable{{"1,5", "2"}}));  // with TABs, commas are data
        QCOMPARE(parseTable("1\n\n2\n"), (TextTable{{"1"}, {""}, {"2"}}));
        QVERIFY(parseTable("").empty());
    }

    void pasteStopsAtTheGridEdgesAndCountsWhatWasLeftOut() {
        TableGrid grid = kurvo::MakeDataGrid();
        grid.SetText(5, 99, "old");
        // From D99: the third column falls beyond E, the third row beyond row 100.
        const auto outcome = kurvo::ui::pasteTable(grid, 4, 99, {{"1", "", "3"}, {"4", "5", ""}, {"7", "", "9"}});
        QCOMPARE(outcome.written, 4);
        QCOMPARE(outcome.leftOut, 3);  // "3", "7" and "9"; empty fields outside do not count
        QCOMPARE(grid.Text(5, 99), std::string());  // an empty field clears its cell
        QCOMPARE(grid.Text(5, 100), std::string("5"));
    }

    void copiedBlockPastesBackUnchanged() {
        TableGrid from = kurvo::MakeDataGrid();
        from.SetText(2, 3, "1.5");
        from.SetText(3, 4, "-2");
        const std::string text = kurvo::ui::blockAsText(from, 2, 3, 3, 4);
        QCOMPARE(text, std::string("1.5\t\n\t-2\n"));
        TableGrid to = kurvo::MakeDataGrid();
        kurvo::ui::pasteTable(to, 2, 3, parseTable(text));
        QVERIFY(to == from);
    }
};

KURVO_GUI_TEST(GridClipboardTest)
#include "grid_clipboard_test.moc"
