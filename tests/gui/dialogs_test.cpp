// The range, calculate-value, title and About dialogs, the exit question and
// the real message box, opened from the real main window.
#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "gui_test.h"
#include "ui/about_dialog.h"
#include "ui/calc_value_dialog.h"
#include "ui/degree_dialog.h"
#include "ui/range_dialog.h"
#include "ui/statistics_dialog.h"
#include "ui/var_title_dialog.h"
#include "window_test.h"

namespace kurvo::ui::test {

class DialogsTest : public WindowTest {
    Q_OBJECT

    int clears() { return w().graph()->clearCount(); }

private slots:
    void init() { openWindow(); }
    void cleanup() { window.reset(); }

    void typedRangeIsStoredForTheShownCombinationAndDrawn() {
        QVERIFY(!open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](auto*) {}));  // nothing estimated yet
        estimateExample(1);
        w().tabs()->setCurrentIndex(2);  // combination 2
        const auto& s = session();
        const int before = clears();
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](ChangeGraphRangeDialog* d) {
            const QStringList texts{"12.3", "87.6", "abc", "87.6"};
            for (int i = 0; i < 4; ++i) type(d->box(i), texts[i]);
            click(d->changeButton());
            QVERIFY(d->isVisible());  // the wrong box named by a message, the dialog still open
            type(d->box(2), QStringLiteral("12.3"));
            click(d->changeButton());
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE((QList<double>{s.dbl_XMin(2), s.dbl_YMax(2)}), (QList<double>{12.3, 87.6}));
        QCOMPARE(clears(), before + 1);
        QVERIFY(drewText(w().graph()->calls(), "90"));  // the upper Y label: 87.6 rounded up
    }

    // The longest number of the general form shows whole in every box: with
    // the cursor at its end, its first character is still in view.
    void rangeBoxesShowTheLongestNumberWhole() {
        estimateExample(1);
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](ChangeGraphRangeDialog* d) {
            for (int i = 0; i < 4; ++i) {
                type(d->box(i), QStringLiteral("-8.88888888888888E-308"));
                d->box(i)->end(false);
                d->box(i)->grab();  // painting scrolls the text to the cursor
                QCOMPARE(d->box(i)->cursorPositionAt(QPoint(3, d->box(i)->height() / 2)), 0);
            }
            d->reject();
        }));
    }

    void calculatedValueOfTheShownEquation() {
        estimateExample(1);
        auto& s = session();
        s.int_WorkDegree = 2;
        for (int i = 0; i < 3; ++i) s.dbl_Coeff(1, i) = i + 1.0;  // 1 + 2x + 3x²
        const int before = clears();
        QVERIFY(open<CalcValueDialog>("mnuCalc_Value", [&s](CalcValueDialog* d) {
            QTest::keyClicks(d->xBox(), QStringLiteral("2"));
            QTest::keyClick(d->xBox(), Qt::Key_Return);  // Enter computes
            QCOMPARE(d->result()->text(), QStringLiteral("17"));
            // The intervals come from the fit of the run, at the chosen level.
            QVERIFY(d->interval(0)->text().startsWith(QStringLiteral("信頼区間 (95%): ")));
            QVERIFY(d->interval(1)->text().startsWith(QStringLiteral("予測区間 (95%): ")));
            // 0.1 + 0.2 at X = 1 shows as 0.3 and copies as the double it is.
            s.dbl_Coeff(1, 0) = 0.1, s.dbl_Coeff(1, 1) = 0.2, s.dbl_Coeff(1, 2) = 0;
            type(d->xBox(), QStringLiteral("1"));
            QTest::keyClick(d->xBox(), Qt::Key_Return);
            QCOMPARE(d->result()->text(), QStringLiteral("0.3"));
            d->actions().front()->trigger();
            const QString yTitle = d->findChild<QLabel*>(QStringLiteral("lblY"))->text();
            QVERIFY(QGuiApplication::clipboard()->text().contains(yTitle + QStringLiteral("0.30000000000000004\n")));
            click(d->exitButton());
        }));
        QCOMPARE(clears(), before);
    }

    // The bands and their level from the menu, drawn and kept for the next
    // window; the statistics dialog with combination 1's table.
    void bandsLevelAndStatisticsFromTheMenu() {
        estimateExample(1);
        trigger("mnuConfidenceBand");
        trigger("mnuLevel99");
        QVERIFY(drewText(w().graph()->calls(), "信頼帯 99%"));
        QVERIFY(!drewText(w().graph()->calls(), "予測帯 99%"));
        {
            MainWindow next;
            QVERIFY(next.findChild<QAction*>(QStringLiteral("mnuConfidenceBand"))->isChecked());
            QVERIFY(next.findChild<QAction*>(QStringLiteral("mnuLevel99"))->isChecked());
        }
        QVERIFY(open<StatisticsDialog>("mnuStatistics", [this](StatisticsDialog* d) {
            QVERIFY(d->summary(1)->text().startsWith(QStringLiteral("n = 10　自由度 = 6")));  // a cubic through 10 samples
            const QAbstractItemModel* table = d->table(1)->model();
            QCOMPARE(table->headerData(4, Qt::Horizontal).toString(), QStringLiteral("下限 (99%)"));
            QVERIFY(d->table(1)->isRowHidden(4) && !d->table(1)->isRowHidden(3));  // C0 .. C3
            // The page copies whole: the equation, the summary with every digit, the table.
            click(d->findChild<QPushButton*>(QStringLiteral("cmdCopyPage")));
            const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
            QCOMPARE(lines.value(0), QStringLiteral("Y-1(1) = C0 + C1·(X-1) + C2·(X-1)² + C3·(X-1)³"));
            QVERIFY(lines.value(1).startsWith(QStringLiteral("n = 10　自由度 = 6　s = ")));
            const QString s = lines.value(1).section(QStringLiteral("s = "), 1).section(QStringLiteral("　"), 0, 0);
            QCOMPARE(std::stod(s.toStdString()), w().app().Figures(1)->s);
            QVERIFY(lines.value(3).startsWith(QStringLiteral("C0\t")));
            d->reject();
        }));
        trigger("mnuConfidenceBand");  // off again, and the level back, for the windows after this one
        trigger("mnuLevel95");
        QVERIFY(!drewText(w().graph()->calls(), "信頼帯 95%"));
        trigger("mnuResidualGraph");  // the residuals instead of the curve, kept for the next window
        QVERIFY(drewText(w().graph()->calls(), "±2s"));
        QVERIFY(!w().rangeBar(kurvo::App::RangeBar::VScrollLow)->isEnabled());  // nothing for the Y bars to move
        QVERIFY(MainWindow().findChild<QAction*>(QStringLiteral("mnuResidualGraph"))->isChecked());
        trigger("mnuResidualGraph");
        QVERIFY(!drewText(w().graph()->calls(), "±2s"));
    }

    // The degree table from the menu: one row a degree, and the chosen degree
    // goes into the method grid and is estimated.
    void degreeTableChoosesTheDegree() {
        estimateExample(1);
        QVERIFY(open<DegreeDialog>("mnuDegrees", [](DegreeDialog* d) {
            QCOMPARE(d->table()->rowCount(), 6);  // 10 samples allow degrees 1 to 6
            QVERIFY(d->tableText().startsWith(QStringLiteral("次数\tn\t自由度\t")));
            d->table()->selectRow(1);
            click(d->chooseButton());
        }));
        QCOMPARE(w().methodGrid()->gridModel()->grid().Text(kColDegree, 1), std::string("2"));
        QCOMPARE(session().int_Degree(1), 2);
    }

    void newTitlesReachHeadingsListsAndGraph() {
        estimateExample(1);
        const int before = clears();
        QVERIFY(open<VarTitleDialog>("mnuVarTitle", [](VarTitleDialog* d) {
            type(d->titleBox(), QStringLiteral("温度の記録"));
            type(d->variableBox(1), QStringLiteral("温度"));
            click(d->okButton());
        }));
        QCOMPARE(w().dataGrid()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("温度"));
        QCOMPARE(w().methodGrid()->gridModel()->grid().Text(1, 1), std::string("温度"));
        QCOMPARE(clears(), before + 1);
        for (const char* text : {"温度の記録", "温度"}) QVERIFY2(drewText(w().graph()->calls(), text), text);
    }

    void escapeClosesAboutButTheCloseBoxDoesNot() {
        QVERIFY(open<AboutDialog>("mnuAbout", [](AboutDialog* d) {
            QVERIFY(!closeBox(d));
            QTest::keyClick(d, Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        }));
    }

    void exitQuestionFromTheButtonAndTheMenu() {
        trigger("mnuExample1");
        click(w().endButton());  // answered No
        QCOMPARE(messages.at(0).text, std::string("終了しますか？"));
        QVERIFY(w().isVisible());
        // Unsaved typing: the question about saving stands for it; キャンセル stays.
        w().app().views().spdData.SetText(1, 1, "7");
        answer = MsgAnswer::Cancel;
        click(w().endButton());
        QCOMPARE(messages.at(1).text, std::string("現在のデータは保存されていません。保存しますか？"));
        QVERIFY(w().isVisible());
        answer = MsgAnswer::No;  // いいえ: ends without saving
        trigger("cmdExit");
        QCOMPARE(static_cast<int>(messages.size()), 3);
        QVERIFY(!w().isVisible());
    }

    void eachButtonOfTheRealMessageBoxGivesItsAnswer() {
        const struct {
            const char* name;
            MsgButtons buttons;
            bool defaultNo;
            QMessageBox::StandardButton press;  // NoButton: the Return key
            MsgAnswer answer;
        } rows[] = {
            {"yes", MsgButtons::YesNoCancel, false, QMessageBox::Yes, MsgAnswer::Yes},
            {"no", MsgButtons::YesNoCancel, false, QMessageBox::No, MsgAnswer::No},
            {"cancel", MsgButtons::YesNoCancel, false, QMessageBox::Cancel, MsgAnswer::Cancel},
            {"return where No is the default", MsgButtons::YesNo, true, QMessageBox::NoButton, MsgAnswer::No},
        };
        w().dialogs().setAnswerer(nullptr);
        for (const auto& row : rows) {
            MsgAnswer given = MsgAnswer::Ok;
            QString title;
            const MessageRequest request{"保存しますか？", row.buttons, MsgIcon::Question, {}, row.defaultNo};
            QVERIFY2(whileModal<QMessageBox>([&] { given = w().dialogs().Message(request); },
                                             [&](QMessageBox* box) {
                                                 title = box->windowTitle();
                                                 if (row.press == QMessageBox::NoButton)
                                                     return QTest::keyClick(box, Qt::Key_Return);
                                                 QVERIFY2(box->button(row.press) != nullptr, row.name);
                                                 box->button(row.press)->click();
                                             }),
                     row.name);
            QVERIFY2(given == row.answer, row.name);
            QVERIFY2(title == QString::fromUtf8(kProgramCaption), row.name);  // no caption of its own
        }
    }

    void fileFiltersBecomeQtNameFilters() {
        QCOMPARE(nameFilters("データ ファイル (*.txt)|*.txt"), QStringList{"データ ファイル (*.txt)"});
        QCOMPARE(nameFilters("Text|*.txt;*.csv|All|*.*"), (QStringList{"Text (*.txt *.csv)", "All (*.*)"}));
    }
};

KURVO_GUI_TEST(DialogsTest)

}  // namespace kurvo::ui::test

#include "dialogs_test.moc"
