// The range, calculate-value, title and About dialogs and the exit question,
// opened from the real main window.
#include <QLabel>
#include <QMessageBox>

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
using namespace kurvo::ui::test;

class DialogsTest : public WindowTest {
    Q_OBJECT

    int clears() { return w().graph()->clearCount(); }

private slots:
    void init() { openWindow(); }
    void cleanup() { window.reset(); }

    void typedRangeIsRoundedForTheShownCombinationAndDrawn() {
        QVERIFY(!open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](auto*) {}));  // nothing estimated yet
        estimateExample(1);
        w().tabs()->setCurrentIndex(2);  // combination 2
        const auto& s = session();
        const double otherXHigh = s.dbl_XHigh(1);
        const int before = clears();
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](ChangeGraphRangeDialog* d) {
            for (int i = 0; i < 4; ++i) type(d->box(i), i % 2 == 0 ? QStringLiteral("12.3") : QStringLiteral("87.6"));
            click(d->changeButton());
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE((QList<double>{s.dbl_XLow(2), s.dbl_XHigh(2), s.dbl_YLow(2), s.dbl_YHigh(2)}),
                 (QList<double>{10, 100, 10, 90}));
        QCOMPARE((QList<double>{s.dbl_XMin(2), s.dbl_YMax(2)}), (QList<double>{12.3, 87.6}));
        QCOMPARE(s.dbl_XHigh(1), otherXHigh);
        QCOMPARE(clears(), before + 1);
        QVERIFY(drewText(w().graph()->calls(), "90"));
        QVERIFY(messages.empty());
    }

    void refusedRangesStoreNothingAndCancelStillRedraws() {
        estimateExample(1);
        const kurvo::Session before = session();
        const int drawn = clears();
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [this](ChangeGraphRangeDialog* d) {
            QCOMPARE(d->box(1)->text(), QStringLiteral("100"));
            QVERIFY(!closeBox(d));
            type(d->box(0), QStringLiteral("5"));  // lower above upper: refused without a word
            type(d->box(1), QStringLiteral("3"));
            click(d->changeButton());
            QVERIFY(d->isVisible());
            QVERIFY(messages.empty());
            type(d->box(1), QStringLiteral("50"));  // a box without a number is named
            type(d->box(2), QStringLiteral("abc"));
            press(d, Qt::Key_E, Qt::AltModifier);
            QTRY_COMPARE(static_cast<int>(messages.size()), 1);
            QVERIFY(QString::fromStdString(messages[0].text).contains(QStringLiteral("「従属変数の下限」")));
            QCOMPARE(session().dbl_XMin(1), 10.0);
            press(d, Qt::Key_C, Qt::AltModifier);
            QTRY_VERIFY(!d->isVisible());
        }));
        QCOMPARE(session().dbl_XLow, before.dbl_XLow);
        QCOMPARE(session().dbl_XMin, before.dbl_XMin);
        QCOMPARE(session().dbl_YHigh, before.dbl_YHigh);
        QCOMPARE(clears(), drawn + 1);
    }

    void logAxisRefusesAnEndAtZero() {
        estimateExample(4);  // X and Y logarithmic
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [this](ChangeGraphRangeDialog* d) {
            type(d->box(0), QStringLiteral("0"));
            click(d->changeButton());
            QVERIFY(d->isVisible());
            QVERIFY(messages.empty());
            type(d->box(0), QStringLiteral("2"));
            type(d->box(1), QStringLiteral("5000"));
            click(d->changeButton());
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE(session().dbl_XLow(1), 0.0);
        QCOMPARE(session().dbl_XHigh(1), 4.0);
        QCOMPARE(session().int_XDiv(1), 4);
    }

    void calculatedValueOfTheShownEquation() {
        estimateExample(1);
        auto& s = session();
        s.int_Comb = 0;
        s.int_WorkDegree = 2;
        for (int i = 0; i < 3; ++i) s.dbl_Coeff(1, i) = i + 1.0;  // 1 + 2x + 3x²
        const int before = clears();
        QVERIFY(open<CalcValueDialog>("mnuCalc_Value", [this](CalcValueDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("lblY")->text(), QStringLiteral("Y-1(1) = "));
            QTest::keyClicks(d->xBox(), QStringLiteral("2"));
            press(d, Qt::Key_E, Qt::AltModifier);
            QTRY_COMPARE(d->result()->text(), QStringLiteral("17"));
            type(d->xBox(), QStringLiteral("abc"));
            click(d->calcButton());
            QCOMPARE(messages.at(0).text, std::string("数値を入力してください。"));
            QCOMPARE(d->result()->text(), QStringLiteral("17"));
            click(d->exitButton());
        }));
        QCOMPARE(clears(), before);
    }

    void newTitlesReachHeadingsListsAndGraphWhileCombinationsKeepTheirVariables() {
        estimateExample(1);
        const int before = clears();
        QVERIFY(open<VarTitleDialog>("mnuVarTitle", [](VarTitleDialog* d) {
            QCOMPARE(d->variableBox(2)->text(), QStringLiteral("Y-1(2)"));
            type(d->titleBox(), QStringLiteral("温度の記録"));
            type(d->variableBox(0), QStringLiteral("時間"));
            type(d->variableBox(1), QStringLiteral("温度"));
            type(d->variableBox(2), QStringLiteral("圧力"));
            click(d->okButton());
        }));
        QCOMPARE(session().str_Title, std::string("温度の記録"));
        QCOMPARE(w().dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("時間"));
        QCOMPARE(w().dataGrid()->model()->headerData(3, Qt::Horizontal).toString(), QString());
        const auto& methods = w().methodGrid()->gridModel()->grid();
        QCOMPARE(methods.Text(1, 1), std::string("温度"));  // Y of combination 1 is still column B
        QCOMPARE(methods.Text(4, 1), std::string("時間"));
        QCOMPARE(methods.Text(1, 2), std::string("圧力"));
        QCOMPARE(session().int_YVar(2), 3);
        QCOMPARE(clears(), before + 1);
        for (const char* text : {"温度の記録", "時間", "温度"}) QVERIFY2(drewText(w().graph()->calls(), text), text);
    }

    void escapeClosesAbout() {
        QVERIFY(open<AboutDialog>("mnuAbout", [](AboutDialog* d) {
            QVERIFY(!closeBox(d));
            press(d, Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        }));
    }

    void enterOnTheExitQuestionAnswersNoAndYesEnds() {
        w().dialogs().setAnswerer(nullptr);  // the real message box
        QString text;
        QVERIFY(whileModal<QMessageBox>([this] { click(w().endButton()); }, [&](QMessageBox* box) {
            text = box->text();
            press(box, Qt::Key_Return);
        }));
        QCOMPARE(text, QStringLiteral("終了しますか？"));
        QVERIFY(w().isVisible());

        openWindow();
        trigger("mnuExample1");
        answer = kurvo::MsgAnswer::Yes;
        trigger("cmdExit");
        QCOMPARE(static_cast<int>(messages.size()), 1);  // no question about saving
        QVERIFY(!w().isVisible());
    }
};

KURVO_GUI_TEST(DialogsTest)
#include "dialogs_test.moc"
