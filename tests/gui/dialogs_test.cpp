// The range, calculate-value, title and About dialogs and the exit question,
// opened from the real main window.
#include <QLabel>

#include "gui_test.h"
#include "ui/about_dialog.h"
#include "ui/calc_value_dialog.h"
#include "ui/range_dialog.h"
#include "ui/var_title_dialog.h"
#include "window_test.h"

using kurvo::ui::AboutDialog;
using kurvo::ui::CalcValueDialog;
using kurvo::ui::ChangeGraphRangeDialog;
using kurvo::ui::VarTitleDialog;
using kurvo::MsgAnswer;
using namespace kurvo::ui::test;

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
        const double otherXMin = s.dbl_XMin(1);
        const int before = clears();
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [this](ChangeGraphRangeDialog* d) {
            const QStringList texts{"12.3", "87.6", "abc", "87.6"};
            for (int i = 0; i < 4; ++i) type(d->box(i), texts[i]);
            click(d->changeButton());
            QVERIFY(d->isVisible());
            QVERIFY(QString::fromStdString(messages.at(0).text).contains(QStringLiteral("「従属変数の下限」")));
            type(d->box(2), QStringLiteral("12.3"));
            click(d->changeButton());
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE((QList<double>{s.dbl_XMin(2), s.dbl_YMax(2)}), (QList<double>{12.3, 87.6}));
        QCOMPARE(s.dbl_XMin(1), otherXMin);
        QCOMPARE(clears(), before + 1);
        QVERIFY(drewText(w().graph()->calls(), "90"));  // the upper Y label: 87.6 rounded up
    }

    void calculatedValueOfTheShownEquation() {
        estimateExample(1);
        auto& s = session();
        s.int_WorkDegree = 2;
        for (int i = 0; i < 3; ++i) s.dbl_Coeff(1, i) = i + 1.0;  // 1 + 2x + 3x²
        const int before = clears();
        QVERIFY(open<CalcValueDialog>("mnuCalc_Value", [](CalcValueDialog* d) {
            QTest::keyClicks(d->xBox(), QStringLiteral("2"));
            click(d->calcButton());
            QCOMPARE(d->result()->text(), QStringLiteral("17"));
            click(d->exitButton());
        }));
        QCOMPARE(clears(), before);
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
            press(d, Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        }));
    }

    void exitQuestionFromTheButtonAndTheMenu() {
        trigger("mnuExample1");
        click(w().endButton());  // answered No
        QCOMPARE(messages.at(0).text, std::string("終了しますか？"));
        QVERIFY(w().isVisible());
        answer = MsgAnswer::Yes;
        trigger("cmdExit");
        QCOMPARE(static_cast<int>(messages.size()), 2);  // no question about saving
        QVERIFY(!w().isVisible());
    }
};

KURVO_GUI_TEST(DialogsTest)
#include "dialogs_test.moc"
