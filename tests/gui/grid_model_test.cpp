// The Qt model over the program's grids.
#include <QSignalSpy>
#include <QTest>

#include "gui_test.h"
#include "ui/grid_model.h"

using kurvo::ui::GridModel;

class GridModelTest : public QObject {
    Q_OBJECT
private slots:
    void headingsCheckAndComboCellsShowTheGrid() {
        GridModel model(kurvo::MakeMethodGrid(), true);
        QCOMPARE(model.headerData(6, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("次数"));
        QCOMPARE(model.headerData(3, Qt::Vertical, Qt::DisplayRole).toString(), QStringLiteral("Y4"));
        QSignalSpy headings(&model, &GridModel::headerDataChanged);
        model.grid().SetText(1, 0, "X-1");
        QCOMPARE(headings.count(), 1);
        QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("X-1"));

        const QModelIndex yLog = model.index(0, 1);
        QVERIFY(model.flags(yLog) & Qt::ItemIsUserCheckable);
        QVERIFY(model.setData(yLog, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(model.grid().Text(2, 1), std::string("1"));
        model.grid().ClearSheet();
        QCOMPARE(model.data(yLog, Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Unchecked);
        QCOMPARE(model.data(model.index(0, 6), GridModel::ItemsRole).toStringList(),
                 (QStringList{"1", "2", "3", "4", "5", "6"}));
        QVERIFY(!model.data(yLog, GridModel::ItemsRole).isValid());
    }

    void onlyTheUsersChangesAreReported() {
        GridModel model(kurvo::MakeMethodGrid(), true);
        QSignalSpy edited(&model, &GridModel::cellEdited);
        model.grid().SetText(7, 2, "2");  // the logic's own write
        QCOMPARE(edited.count(), 0);
        QVERIFY(model.setData(model.index(1, 6), QStringLiteral("3"), Qt::EditRole));
        QVERIFY(model.setData(model.index(1, 6), QStringLiteral("3"), Qt::EditRole));  // no change
        QCOMPARE(edited.count(), 1);
        QCOMPARE(edited.at(0).at(0).toInt(), 7);
        QCOMPARE(edited.at(0).at(1).toInt(), 2);
    }

    void resultGridsRefuseEdits() {
        GridModel model(kurvo::MakeCoefficientGrid(), false);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(model.index(0, 0), QStringLiteral("1"), Qt::EditRole));
        QCOMPARE(model.grid().Text(1, 1), std::string());
    }
};

KURVO_GUI_TEST(GridModelTest)
#include "grid_model_test.moc"
