// The range, calculate-value, title and About dialogs and the exit question,
// opened from the real main window as a user opens them.
#include <QAction>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <memory>

#include "gui_test.h"
#include "modal.h"
#include "ui/about_dialog.h"
#include "ui/application.h"
#include "ui/calc_value_dialog.h"
#include "ui/graph_widget.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"
#include "ui/range_dialog.h"
#include "ui/var_title_dialog.h"

using kurvo::DrawCall;
using kurvo::MessageRequest;
using kurvo::MsgAnswer;
using kurvo::MsgButtons;
using kurvo::ui::AboutDialog;
using kurvo::ui::CalcValueDialog;
using kurvo::ui::ChangeGraphRangeDialog;
using kurvo::ui::MainWindow;
using kurvo::ui::VarTitleDialog;
using kurvo::ui::test::closeBox;
using kurvo::ui::test::press;
using kurvo::ui::test::whileModal;

namespace {

// Where the desktop would send a link.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// Replaces the box's text as typing does (Japanese text is put in whole).
void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(box, text);
    } else {
        box->insert(text);
    }
}

void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

bool drewText(const MainWindow& w, const std::string& text) {
    for (const DrawCall& call : w.graph()->calls())
        if (call.op == DrawCall::Op::Text && call.text == text) return true;
    return false;
}

// The names of the controls the Tab key visits from the focus, `count` of them.
QStringList tabOrder(QWidget* dialog, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << dialog->focusWidget()->objectName();
        press(dialog, Qt::Key_Tab);
    }
    return names;
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    std::vector<MessageRequest> messages;
    MsgAnswer answer = MsgAnswer::No;

    MainWindow& w() { return *window; }
    kurvo::Session& session() { return window->app().session; }
    void trigger(const char* action) {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(a != nullptr, action);
        a->trigger();
    }
    void estimateExample(int n) {
        trigger(qPrintable(QStringLiteral("mnuExample%1").arg(n)));
        QTest::mouseClick(window->estimateButton(), Qt::LeftButton);
        QVERIFY(session().int_Estimated);
        QVERIFY(messages.empty());
    }
    template <class D>
    bool open(const char* action, const std::function<void(D*)>& steps) {
        return whileModal<D>([&] { trigger(action); }, steps);
    }

private slots:
    void init() {
        messages.clear();
        answer = MsgAnswer::No;
        window = std::make_unique<MainWindow>();
        window->dialogs().setAnswerer([this](const MessageRequest& request) {
            messages.push_back(request);
            return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : answer;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        kurvo::ui::setSystemSessionEnding(false);
        window.reset();
    }

    // ---- graph range ----

    void rangeDialogOpensOnlyAfterAnEstimation() {
        QVERIFY(!open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](auto*) {}));
        QVERIFY(!open<CalcValueDialog>("mnuCalc_Value", [](auto*) {}));
        QVERIFY(messages.empty());
    }

    void typedRangeOfTheShownCombinationIsStoredAndDrawn() {
        estimateExample(1);
        w().tabs()->setCurrentIndex(2);  // combination 2
        const auto& s = session();
        const double otherXHigh = s.dbl_XHigh(1), otherYHigh = s.dbl_YHigh(1);
        const int clears = w().graph()->clearCount();
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](ChangeGraphRangeDialog* d) {
            for (int i = 0; i < 4; ++i) type(d->box(i), i % 2 == 0 ? QStringLiteral("12.3") : QStringLiteral("87.6"));
            click(d->changeButton());
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE((QList<double>{s.dbl_XLow(2), s.dbl_XHigh(2), s.dbl_YLow(2), s.dbl_YHigh(2)}),
                 (QList<double>{10, 100, 10, 90}));
        QCOMPARE((QList<double>{s.dbl_XMin(2), s.dbl_YMax(2)}), (QList<double>{12.3, 87.6}));
        QCOMPARE((QList<double>{s.dbl_XHigh(1), s.dbl_YHigh(1)}), (QList<double>{otherXHigh, otherYHigh}));
        QCOMPARE(w().graph()->clearCount(), clears + 1);
        QVERIFY(drewText(w(), "90"));  // the upper Y label
        QVERIFY(messages.empty());
    }

    void refusedRangesStoreNothingAndCancelStillRedraws() {
        estimateExample(1);
        const kurvo::Session before = session();
        const int clears = w().graph()->clearCount();
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [this](ChangeGraphRangeDialog* d) {
            QCOMPARE(d->box(1)->text(), QStringLiteral("100"));  // the extents of the shown combination
            QCOMPARE(d->box(2)->text(), QString::number(session().dbl_YMin(1)));
            QCOMPARE(tabOrder(d, 7), (QStringList{"cmdChange", "txtXL", "txtXU", "txtYL", "txtYU", "cmdCancel",
                                                  "cmdChange"}));
            // Neither the close box nor Esc closes it.
            QVERIFY(!closeBox(d));
            press(d, Qt::Key_Escape);
            QVERIFY(d->isVisible());
            // A lower end above its upper end: refused without a word.
            type(d->box(0), QStringLiteral("5"));
            type(d->box(1), QStringLiteral("3"));
            click(d->changeButton());
            QVERIFY(d->isVisible());
            QVERIFY(messages.empty());
            // A box without a number is named; the Y box is checked before anything is stored.
            type(d->box(1), QStringLiteral("50"));
            type(d->box(2), QStringLiteral("abc"));
            press(d, Qt::Key_E, Qt::AltModifier);  // 変更(&E): the button shows itself pressed first
            QTRY_COMPARE(static_cast<int>(messages.size()), 1);
            QVERIFY(d->isVisible());
            QVERIFY(QString::fromStdString(messages[0].text).contains(QStringLiteral("「従属変数の下限」")));
            QCOMPARE(session().dbl_XMin(1), 10.0);
            press(d, Qt::Key_C, Qt::AltModifier);  // ｷｬﾝｾﾙ(&C)
            QTRY_VERIFY(!d->isVisible());
        }));
        const auto& s = session();
        QCOMPARE(s.dbl_XLow, before.dbl_XLow);
        QCOMPARE(s.dbl_XMin, before.dbl_XMin);
        QCOMPARE(s.dbl_YMax, before.dbl_YMax);
        QCOMPARE(s.dbl_YHigh, before.dbl_YHigh);
        QCOMPARE(w().graph()->clearCount(), clears + 1);  // redrawn, unchanged
    }

    void logAxisRefusesAnEndAtZero() {
        estimateExample(4);  // X and Y logarithmic
        const kurvo::Session before = session();
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
        QCOMPARE(session().dbl_YHigh(1), before.dbl_YHigh(1));
    }

    // ---- calculate value ----

    void calculatedValueOfTheShownEquation() {
        estimateExample(1);
        auto& s = session();
        s.int_Comb = 0;
        s.int_WorkDegree = 2;
        for (int i = 0; i < 3; ++i) s.dbl_Coeff(1, i) = i + 1.0;  // C = 1, 2, 3
        const int clears = w().graph()->clearCount();
        QVERIFY(open<CalcValueDialog>("mnuCalc_Value", [this](CalcValueDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("lblX")->text(), QStringLiteral("X-1 = "));
            QCOMPARE(d->findChild<QLabel*>("lblY")->text(), QStringLiteral("Y-1(1) = "));
            QCOMPARE(d->focusWidget(), d->xBox());

            QTest::keyClicks(d->xBox(), QStringLiteral("2"));
            press(d, Qt::Key_E, Qt::AltModifier);  // 計算(&E)
            QTRY_COMPARE(d->result()->text(), QStringLiteral("17"));

            // No default button: Enter in the box computes nothing, Esc closes nothing.
            type(d->xBox(), QStringLiteral("3"));
            press(d, Qt::Key_Return);
            QCOMPARE(d->result()->text(), QStringLiteral("17"));
            press(d, Qt::Key_Escape);
            QVERIFY(d->isVisible());
            QVERIFY(!closeBox(d));

            // A text that is not a number: a message, and the value shown stays.
            type(d->xBox(), QStringLiteral("abc"));
            click(d->calcButton());
            QCOMPARE(static_cast<int>(messages.size()), 1);
            QCOMPARE(messages[0].text, std::string("数値を入力してください。"));
            QCOMPARE(d->result()->text(), QStringLiteral("17"));
            click(d->exitButton());
            QVERIFY(!d->isVisible());
        }));
        QCOMPARE(w().graph()->clearCount(), clears);  // nothing redrawn

        // A fresh dialog at the next opening.
        QVERIFY(open<CalcValueDialog>("mnuCalc_Value", [](CalcValueDialog* d) {
            QCOMPARE(d->xBox()->text(), QString());
            QCOMPARE(d->result()->text(), QString());
            click(d->exitButton());
        }));
    }

    // ---- titles ----

    void titleDialogShowsTheColumnsInUseAndMovesByAccessKeys() {
        estimateExample(1);  // three columns with titles
        const QString title = QString::fromStdString(session().str_Title);
        QVERIFY(!title.isEmpty());
        QVERIFY(open<VarTitleDialog>("mnuVarTitle", [&title](VarTitleDialog* d) {
            QCOMPARE(d->focusWidget(), d->titleBox());
            QCOMPARE(d->titleBox()->text(), title);
            QCOMPARE(d->variableBox(0)->text(), QStringLiteral("X-1"));
            QCOMPARE(d->variableBox(2)->text(), QStringLiteral("Y-1(2)"));
            QCOMPARE(d->variableBox(3)->text(), QString());
            press(d, Qt::Key_D, Qt::AltModifier);
            QCOMPARE(d->focusWidget(), d->variableBox(3));
            press(d, Qt::Key_Return);
            press(d, Qt::Key_Escape);
            QVERIFY(d->isVisible());
            QVERIFY(!closeBox(d));
            click(d->cancelButton());
        }));
    }

    void newTitlesReachHeadingsListsAndGraphWhileCombinationsKeepTheirVariables() {
        estimateExample(1);
        const int clears = w().graph()->clearCount();
        QVERIFY(open<VarTitleDialog>("mnuVarTitle", [](VarTitleDialog* d) {
            type(d->titleBox(), QStringLiteral("温度の記録"));
            type(d->variableBox(0), QStringLiteral("時間"));
            type(d->variableBox(1), QStringLiteral("温度"));
            type(d->variableBox(2), QStringLiteral("圧力"));
            click(d->okButton());
            QVERIFY(!d->isVisible());
        }));
        const auto& s = session();
        QCOMPARE(s.str_Title, std::string("温度の記録"));
        auto* data = w().dataGrid()->model();
        QCOMPARE(data->headerData(0, Qt::Horizontal).toString(), QStringLiteral("時間"));
        QCOMPARE(data->headerData(2, Qt::Horizontal).toString(), QStringLiteral("圧力"));
        QCOMPARE(data->headerData(3, Qt::Horizontal).toString(), QString());
        const auto& methods = w().methodGrid()->gridModel()->grid();
        QCOMPARE(methods.Text(1, 1), std::string("温度"));  // combination 1: Y is still column B
        QCOMPARE(methods.Text(4, 1), std::string("時間"));
        QCOMPARE(methods.Text(1, 2), std::string("圧力"));  // combination 2: Y is still column C
        QCOMPARE(s.int_YVar(1), 2);
        QCOMPARE(s.int_YVar(2), 3);
        QCOMPARE(methods.SelectedIndex(1, 2), 2);
        // The graph is redrawn with the new titles.
        QCOMPARE(w().graph()->clearCount(), clears + 1);
        QVERIFY(drewText(w(), "温度の記録"));
        QVERIFY(drewText(w(), "時間"));
        QVERIFY(drewText(w(), "温度"));

        // Cancel changes nothing and redraws nothing.
        QVERIFY(open<VarTitleDialog>("mnuVarTitle", [](VarTitleDialog* d) {
            QCOMPARE(d->variableBox(1)->text(), QStringLiteral("温度"));
            type(d->variableBox(1), QStringLiteral("湿度"));
            click(d->cancelButton());
        }));
        QCOMPARE(s.str_VarTitle(2), std::string("温度"));
        QCOMPARE(w().graph()->clearCount(), clears + 1);
    }

    void titlesBeforeAnEstimationRedrawNothing() {
        const int clears = w().graph()->clearCount();
        QVERIFY(open<VarTitleDialog>("mnuVarTitle", [](VarTitleDialog* d) {
            for (int k = 0; k < 5; ++k) QCOMPARE(d->variableBox(k)->text(), QString());
            type(d->variableBox(4), QStringLiteral("湿度"));
            click(d->okButton());
        }));
        QCOMPARE(w().dataGrid()->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("湿度"));
        QCOMPARE(w().dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), QString());
        QCOMPARE(w().graph()->clearCount(), clears);
        QVERIFY(messages.empty());
    }

    // ---- About ----

    void aboutShowsTheReleaseAndOpensTheMailAddress() {
        LinkCatcher links;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &links, "open");
        QVERIFY(open<AboutDialog>("mnuAbout", [](AboutDialog* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Kurvoのﾊﾞｰｼﾞｮﾝ情報"));
            QCOMPARE(d->versionLabel()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 2007.3.28"));
            QCOMPARE(d->history()->toPlainText(), QStringLiteral("2007/03/28 初版\n"));
            QTest::mouseClick(d->mailAddress(), Qt::LeftButton);
            QVERIFY(!closeBox(d));
            QVERIFY(d->isVisible());
            press(d, Qt::Key_Escape);
            QVERIFY(!d->isVisible());
        }));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        QCOMPARE(links.opened, QList<QUrl>{QUrl(QStringLiteral("mailto:kurvo@example.org"))});

        QVERIFY(open<AboutDialog>("mnuAbout", [](AboutDialog* d) {
            press(d, Qt::Key_Return);
            QVERIFY(!d->isVisible());
        }));
    }

    // ---- exit ----

    void enterOnTheExitQuestionAnswersNo() {
        w().dialogs().setAnswerer(nullptr);  // the real message box
        QString caption, text;
        QVERIFY(whileModal<QMessageBox>([this] { QTest::mouseClick(w().endButton(), Qt::LeftButton); },
                                        [&](QMessageBox* box) {
                                            caption = box->windowTitle();
                                            text = box->text();
                                            QCOMPARE(box->icon(), QMessageBox::Question);
                                            QCOMPARE(box->buttons().size(), 2);
                                            press(box, Qt::Key_Return);
                                        }));
        QCOMPARE(text, QStringLiteral("終了しますか？"));
        QCOMPARE(caption, QStringLiteral("Tavric　『Kurvo』"));
        QVERIFY(w().isVisible());
    }

    void yesEndsTheProgramWithoutAskingToSave() {
        trigger("mnuExample1");
        answer = MsgAnswer::Yes;
        trigger("cmdExit");
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QVERIFY(!w().isVisible());
    }

    void theEndOfTheDesktopSessionMayCloseEveryWindow() {
        kurvo::ui::setSystemSessionEnding(true);
        estimateExample(1);
        QVERIFY(open<ChangeGraphRangeDialog>("mnuChange_Graph_Range", [](ChangeGraphRangeDialog* d) {
            QVERIFY(closeBox(d));
            QVERIFY(!d->isVisible());
        }));
        QVERIFY(closeBox(window.get()));
    }
};

KURVO_GUI_TEST(DialogsTest)
#include "dialogs_test.moc"
