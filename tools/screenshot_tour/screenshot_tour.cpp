// kurvo_screenshot_tour: the desktop program's main window, walked through a
// fixed sequence of steps; after each it saves what the screen shows, for
// checking the layout by eye.  scripts/screenshots runs it under a virtual X
// server.  A developer's tool: not installed.
//
//   kurvo_screenshot_tour DIRECTORY
//
// Saves, into DIRECTORY: the empty start, example 1 loaded, example 1
// estimated, example 4 estimated, the examples menu opened, each dialog, the
// main window after new titles, the exit question, the printer set-up dialog,
// a printed page (as a PDF file), the graph's menu, example 1 at degree 6, the
// bands on linear and logarithmic axes, the statistics dialog and the
// intervals of the calculated value; then closes the window.  Message boxes
// are answered with their default, the exit question with No.
#include <QAction>
#include <QClipboard>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "ui/application.h"
#include "window/document.h"
#include "ui/graph_printer.h"
#include "ui/graph_widget.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"

namespace kurvo::ui {

namespace {

void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// What the screen shows over `area` (global coordinates), menus included.
bool saveScreen(const QRect& area, const QString& path) {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const bool ok = shot.save(path);
    std::fprintf(stderr, "%s %s\n", ok ? "saved" : "could not save", qPrintable(path));
    return ok;
}

void trigger(MainWindow& window, const char* action) {
    if (auto* a = window.findChild<QAction*>(QString::fromLatin1(action))) a->trigger();
}

// Runs `open`, which puts up a modal window; once it shows, `fill` may type
// into it, then the window is saved together with the main window under it
// and `close` ends it (by default it is dismissed).
void shootModal(MainWindow& window, const std::function<void()>& open, const QString& path,
                const std::function<void(QWidget*)>& fill, const std::function<void(QWidget*)>& close = {}) {
    QTimer::singleShot(300, &window, [&window, path, fill, close] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            std::fprintf(stderr, "no window to save for %s\n", qPrintable(path));
            return;
        }
        if (fill) fill(modal);
        settle(200);
        saveScreen(window.frameGeometry().united(modal->frameGeometry()), path);
        if (close) {
            close(modal);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(QDialog::Rejected);
        }
    });
    open();
}

// Message boxes answered without showing them: their default, No to questions.
kurvo::MsgAnswer answerDefault(const kurvo::MessageRequest& request) {
    std::fprintf(stderr, "message: %s\n", request.text.c_str());
    return request.buttons == kurvo::MsgButtons::Ok ? kurvo::MsgAnswer::Ok : kurvo::MsgAnswer::No;
}

void setText(QWidget* dialog, const char* box, const QString& text) {
    if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box))) edit->setText(text);
}

void click(QWidget* dialog, const char* button) {
    if (auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(button))) b->click();
}

// A vapour-pressure curve, ln P = 21.901 - 6083.6 / T: P runs from 0.0002 at
// 200 K to 806 at 400 K, so the log Y axis spans decades below 0.01.
Document VapourPressure() {
    Document d;
    d.title = "蒸気圧";
    d.variableTitles = {"T", "P"};
    MethodRow method;
    method.cells = {"P", "1", "0", "T", "0", "1", "1"};
    method.yLog = 1;
    method.xRecip = 1;
    method.degree = 1;
    d.methods = {method};
    for (int t = 200; t <= 400; t += 25)
        d.rows.push_back({std::to_string(t), QString::number(std::exp(21.901 - 6083.6 / t), 'g', 4).toStdString()});
    return d;
}

void runTour(MainWindow& window, const QString& directory) {
    QDir().mkpath(directory);
    const auto path = [&](const char* name) { return QDir(directory).filePath(QString::fromLatin1(name)); };
    const auto area = [&] { return window.frameGeometry(); };

    settle(300);
    saveScreen(area(), path("1-start.png"));

    trigger(window, "mnuExample1");
    settle(200);
    saveScreen(area(), path("2-example1-loaded.png"));

    window.estimateButton()->click();
    settle(200);
    saveScreen(area(), path("3-example1-estimated.png"));

    trigger(window, "mnuExample4");
    window.estimateButton()->click();
    settle(200);
    saveScreen(area(), path("4-example4-estimated.png"));

    auto* examples = window.findChild<QMenu*>(QStringLiteral("Example"));
    window.menuBar()->setActiveAction(examples->menuAction());
    settle(300);
    saveScreen(area().united(examples->geometry()), path("5-examples-menu.png"));
    examples->close();

    // The dialogs, over example 1 estimated.
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    settle(200);
    shootModal(window, [&] { trigger(window, "mnuChange_Graph_Range"); }, path("6-range-dialog.png"), {});
    shootModal(window, [&] { trigger(window, "mnuCalc_Value"); }, path("7-calc-value-dialog.png"),
               [](QWidget* d) {
                   setText(d, "txtX", QStringLiteral("55"));
                   click(d, "cmdCalc");
               });
    shootModal(
        window, [&] { trigger(window, "mnuVarTitle"); }, path("8-title-dialog.png"),
        [](QWidget* d) {
            setText(d, "txtTitle", QStringLiteral("ばねの伸びと荷重"));
            setText(d, "txtVarTitle(0)", QStringLiteral("荷重 [N]"));
            setText(d, "txtVarTitle(1)", QStringLiteral("伸び [mm]"));
        },
        [](QWidget* d) { click(d, "cmdOK"); });
    settle(200);
    saveScreen(area(), path("9-titles-changed.png"));
    shootModal(window, [&] { trigger(window, "mnuAbout"); }, path("10-about-dialog.png"), {});

    // The exit question as the real message box shows it; answered No.
    window.dialogs().setAnswerer(nullptr);
    shootModal(window, [&] { window.endButton()->click(); }, path("11-exit-question.png"), {});
    window.dialogs().setAnswerer(answerDefault);

    // The printer set-up dialog, cancelled; then the graph printed into a PDF
    // file (scripts/screenshots turns its page into a picture).
    shootModal(window, [&] { trigger(window, "mnuSetPrinter"); }, path("12-printer-set-up.png"), {});
    window.printer().setFileChooser(
        [directory](const QString&) { return QDir(directory).filePath(QStringLiteral("13-printed-page.pdf")); });
    trigger(window, "mnuPrint");
    std::fprintf(stderr, "printed %s\n", qPrintable(path("13-printed-page.pdf")));

    // Alt+E opens the examples menu (the 推算 button leaves the key to it).
    window.activateWindow();
    settle(200);
    // Qt's test library delivers the key as the keyboard does: the shortcut map
    // (access keys) first, then the key itself.
    QTest::keyClick(&window, Qt::Key_E, Qt::AltModifier);
    settle(300);
    std::fprintf(stderr, "Alt+E opened %s\n",
                 QApplication::activePopupWidget() == examples ? "the examples menu" : "nothing");
    saveScreen(area().united(examples->geometry()), path("14-alt-e.png"));
    examples->close();

    // The standard file dialog, in Japanese; cancelled.
    shootModal(window, [&] { trigger(window, "mnuOpen"); }, path("15-open-file-dialog.png"), {});

    // Data typed but no method chosen: 推算 asks for one.
    trigger(window, "mnuNew");
    for (int r = 1; r <= 5; ++r) {
        window.app().views().spdData.SetText(1, r, std::to_string(r));
        window.app().views().spdData.SetText(2, r, std::to_string(2 * r + 1));
    }
    window.dialogs().setAnswerer(nullptr);
    shootModal(window, [&] { window.estimateButton()->click(); }, path("16-estimate-without-method.png"), {});
    window.dialogs().setAnswerer(answerDefault);

    // A log Y axis over decades below 0.01.
    ApplyDocument(window.app(), VapourPressure());
    window.estimateButton()->click();
    settle(200);
    saveScreen(area(), path("17-log-axis-small-decades.png"));

    // The graph's context menu, over example 1 estimated.
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    settle(200);
    auto* graphMenu = window.findChild<QMenu*>(QStringLiteral("graphMenu"));
    emit window.graph()->customContextMenuRequested(window.graph()->rect().center());
    settle(300);
    saveScreen(area().united(graphMenu->geometry()), path("18-graph-menu.png"));
    graphMenu->close();

    // Example 1 with X in ten thousands at degree 6: coefficients down to
    // E-27, wider than their columns, and an equation of four lines.
    trigger(window, "mnuExample1");
    for (int r = 1; r <= 10; ++r) window.app().views().spdData.SetText(1, r, std::to_string(r * 10000));
    window.methodGrid()->model()->setData(window.methodGrid()->model()->index(0, 6), QStringLiteral("6"));
    window.estimateButton()->click();
    settle(200);
    saveScreen(area(), path("19-example1-degree6.png"));

    // Both bands round example 1 on linear axes and example 4 on logarithmic
    // ones, and example 4's statistics.
    for (const char* band : {"mnuConfidenceBand", "mnuPredictionBand"})
        window.findChild<QAction*>(QString::fromLatin1(band))->setChecked(true);
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    settle(200);
    saveScreen(area(), path("20-bands-linear.png"));
    trigger(window, "mnuExample4");
    window.estimateButton()->click();
    settle(200);
    saveScreen(area(), path("21-bands-log.png"));
    shootModal(window, [&] { trigger(window, "mnuStatistics"); }, path("22-statistics-dialog.png"), {});
    shootModal(window, [&] { trigger(window, "mnuCalc_Value"); }, path("23-calc-value-intervals.png"),
               [](QWidget* dialog) {
                   auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("txtX"));
                   box->setText(QStringLiteral("100"));
                   dialog->findChild<QPushButton*>(QStringLiteral("cmdCalc"))->click();
               });

    // A narrowed range: the curve and the points stay inside the frame.
    window.findChild<QAction*>(QStringLiteral("mnuConfidenceBand"))->setChecked(false);
    window.findChild<QAction*>(QStringLiteral("mnuPredictionBand"))->setChecked(false);
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    settle(200);
    shootModal(
        window, [&] { trigger(window, "mnuChange_Graph_Range"); }, path("24-narrowed-range-dialog.png"),
        [](QWidget* d) {
            setText(d, "txtXL", QStringLiteral("30"));
            setText(d, "txtXU", QStringLiteral("70"));
            setText(d, "txtYL", QStringLiteral("20"));
            setText(d, "txtYU", QStringLiteral("60"));
        },
        [](QWidget* d) { click(d, "cmdChange"); });
    settle(200);
    saveScreen(area(), path("25-narrowed-range.png"));

    // A table with a heading row pasted from a spreadsheet: the question
    // whether its first row names the variables, as the real message box asks
    // it; answered No, the status line counts the cells that are not numbers.
    trigger(window, "mnuNew");
    window.tabs()->setCurrentIndex(0);
    window.dataGrid()->setCurrentIndex(window.dataGrid()->model()->index(0, 0));
    QGuiApplication::clipboard()->setText(QStringLiteral("温度\t圧力\n273.16\t0.6117\n283.15\t1.2282\n293.15\t2.3392\n"));
    window.dialogs().setAnswerer(nullptr);
    shootModal(window, [&] { window.dataGrid()->pasteClipboard(); }, path("26-paste-heading-question.png"), {});
    window.dialogs().setAnswerer(answerDefault);
    settle(200);
    saveScreen(area(), path("27-pasted.png"));

    // The statistics dialog of a ln Y fit (example 4) and of a reciprocal-Y
    // fit (example 1's second combination): the equation and what the
    // figures are of.
    trigger(window, "mnuExample4");
    window.estimateButton()->click();
    settle(200);
    shootModal(window, [&] { trigger(window, "mnuStatistics"); }, path("28-statistics-log-y.png"), {});
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    window.tabs()->setCurrentIndex(2);
    settle(200);
    shootModal(window, [&] { trigger(window, "mnuStatistics"); }, path("29-statistics-reciprocal-y.png"), {});

    window.closeFromProgram();
}

}  // namespace

}  // namespace kurvo::ui

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: kurvo_screenshot_tour DIRECTORY\n", stderr);
        return 2;
    }
    using namespace kurvo::ui;
    useJapaneseLocale();
    QApplication application(argc, argv);
    configureApplication(application);
    // The tour's choices (the bands) are not the user's settings, and it
    // starts from none.
    QStandardPaths::setTestModeEnabled(true);
    userSettings().clear();
    const QString directory = QString::fromLocal8Bit(argv[1]);

    // The window as the program starts it, without the recovery copy: the
    // tour's typing is not the user's document.
    MainWindow window;
    window.show();
    window.dialogs().setAnswerer(answerDefault);
    QTimer::singleShot(0, &window, [&window, directory] { runTour(window, directory); });
    return application.exec();
}
