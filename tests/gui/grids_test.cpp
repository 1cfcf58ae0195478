// The Qt model over the program's grids, and clipboard text read into and
// written from them.
#include <QSignalSpy>
#include <QTest>

#include "gui_test.h"
#include "ui/grid_clipboard.h"
#include "ui/grid_model.h"

using kurvo::TableGrid;
using kurvo::ui::GridModel;
using kurvo::ui::TextTable;
using kurvo::ui::parseTable;

class GridsTest : public QObject {
    Q_OBJECT
private slots:
    void modelShowsHeadingsAndChecksOfTheGrid() {
        GridModel model(kurvo::MakeMethodGrid(), true);
        QSignalSpy headings(&model, &GridModel::headerDataChanged);
        model.grid().SetText(1, 0, "X-1");
        QCOMPARE(headings.count(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("X-1"));
        const QModelIndex yLog = model.index(0, 1);
        QVERIFY(model.setData(yLog, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(model.grid().Text(2, 1), std::string("1"));
        model.grid().ClearSheet();
        QCOMPARE(model.data(yLog, Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
    }

    void onlyTheUsersChangesAreReportedAndResultGridsRefuseThem() {
        GridModel model(kurvo::MakeMethodGrid(), true);
        QSignalSpy edited(&model, &GridModel::cellEdited);
        model.grid().SetText(7, 2, "2");  // the logic's own write
        QCOMPARE(edited.count(), 0);
        QVERIFY(model.setData(model.index(1, 6), QStringLiteral("3"), Qt::EditRole));
        QVERIFY(model.setData(model.index(1, 6), QStringLiteral("3"), Qt::EditRole));  // no change
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0), (QList<QVariant>{7, 2}));
        GridModel results(kurvo::MakeCoefficientGrid(), false);
        QVERIFY(!(results.flags(results.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!results.setData(results.index(0, 0), QStringLiteral("1"), Qt::EditRole));
    }

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

KURVO_GUI_TEST(GridsTest)
#include "grids_test.moc"
