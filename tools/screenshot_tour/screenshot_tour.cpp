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
// bands on linear and logarithmic axes, the statistics dialog, the
// intervals of the calculated value, a narrowed range, a pasted table, the
// graphs of offset data (years, a boiling point, log doses), of a reciprocal
// Y with poles and of years narrowed, a workbook opened, a names row pasted
// over two of five columns, the recovery question with the document's file,
// the residual graphs of examples 3 and 1, the degree table and a large
// window; then closes the window.  Message boxes
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
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "io/recovery.h"
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

// A table of X and Y fitted by one polynomial of `degree`, Y reciprocal when `yRecip`.
Document Table(const char* title, const char* xName, const char* yName,
               const std::vector<std::pair<double, double>>& points, int degree, bool yRecip = false) {
    Document d;
    d.title = title;
    d.variableTitles = {xName, yName};
    MethodRow method;
    method.cells = {yName, "0", yRecip ? "1" : "0", xName, "0", "0", std::to_string(degree)};
    method.yRecip = yRecip ? 1 : 0;
    method.degree = static_cast<std::int16_t>(degree);
    d.methods = {method};
    for (const auto& [x, y] : points)
        d.rows.push_back({QString::number(x, 'g', 10).toStdString(), QString::number(y, 'g', 10).toStdString()});
    return d;
}

void runTour(MainWindow& window, const QString& directory) {
    QDir().mkpath(directory);
    const auto path = [&](const char* name) { return QDir(directory).filePath(QString::fromLatin1(name)); };
    const auto area = [&] { return window.frameGeometry(); };
    // 推算 pressed, and the window given time to show the results.
    const auto estimate = [&] {
        window.estimateButton()->click();
        settle(200);
    };

    settle(300);
    saveScreen(area(), path("1-start.png"));

    trigger(window, "mnuExample1");
    settle(200);
    saveScreen(area(), path("2-example1-loaded.png"));

    estimate();
    saveScreen(area(), path("3-example1-estimated.png"));

    trigger(window, "mnuExample4");
    estimate();
    saveScreen(area(), path("4-example4-estimated.png"));

    auto* examples = window.findChild<QMenu*>(QStringLiteral("Example"));
    window.menuBar()->setActiveAction(examples->menuAction());
    settle(300);
    saveScreen(area().united(examples->geometry()), path("5-examples-menu.png"));
    examples->close();

    // The dialogs, over example 1 estimated.
    trigger(window, "mnuExample1");
    estimate();
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
    estimate();
    saveScreen(area(), path("17-log-axis-small-decades.png"));

    // The graph's context menu, over example 1 estimated.
    trigger(window, "mnuExample1");
    estimate();
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
    estimate();
    saveScreen(area(), path("19-example1-degree6.png"));

    // Both bands round example 1 on linear axes and example 4 on logarithmic
    // ones, and example 4's statistics.
    for (const char* band : {"mnuConfidenceBand", "mnuPredictionBand"})
        window.findChild<QAction*>(QString::fromLatin1(band))->setChecked(true);
    trigger(window, "mnuExample1");
    estimate();
    saveScreen(area(), path("20-bands-linear.png"));
    trigger(window, "mnuExample4");
    estimate();
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
    estimate();
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

    // Offset data: calendar years, the boiling point of water at the end of
    // its vapour-pressure table, log doses within 1.69 to 1.88; then a
    // reciprocal Y whose curve has two poles, and the years narrowed, with
    // the count of the points left outside.
    std::vector<std::pair<double, double>> years;
    for (int year = 1990; year <= 2020; ++year) years.push_back({year, 50 + 0.08 * (year - 1990) * (year - 1990) + (year % 3)});
    ApplyDocument(window.app(), Table("年ごとの件数", "年", "件数", years, 2));
    estimate();
    saveScreen(area(), path("28-years.png"));
    ApplyDocument(window.app(), Table("水の蒸気圧", "温度 [℃]", "蒸気圧 [kPa]",
                                      {{0, 0.6113}, {10, 1.2281}, {20, 2.3388}, {30, 4.2455}, {40, 7.3814}, {50, 12.344},
                                       {60, 19.932}, {70, 31.176}, {80, 47.373}, {90, 70.117}, {100, 101.32}},
                                      4));
    estimate();
    saveScreen(area(), path("29-boiling-point.png"));
    ApplyDocument(window.app(), Table("用量反応", "log 用量", "反応 [%]",
                                      {{1.69, 5}, {1.72, 12}, {1.75, 25}, {1.78, 45}, {1.81, 68}, {1.84, 85}, {1.88, 95}}, 3));
    estimate();
    saveScreen(area(), path("30-doses.png"));
    // 1/y = (x - 20)(x - 60) / 400
    std::vector<std::pair<double, double>> poles;
    for (int x : {0, 10, 30, 40, 50, 70, 80, 90, 100}) poles.push_back({x, 400.0 / ((x - 20) * (x - 60))});
    ApplyDocument(window.app(), Table("逆数の曲線", "X", "Y", poles, 2, true));
    estimate();
    saveScreen(area(), path("31-reciprocal-y-poles.png"));
    ApplyDocument(window.app(), Table("年ごとの件数", "年", "件数", years, 2));
    estimate();
    shootModal(
        window, [&] { trigger(window, "mnuChange_Graph_Range"); }, path("32-years-range-dialog.png"),
        [](QWidget* d) {
            setText(d, "txtXL", QStringLiteral("2000"));
            setText(d, "txtXU", QStringLiteral("2010"));
        },
        [](QWidget* d) { click(d, "cmdChange"); });
    settle(200);
    saveScreen(area(), path("33-years-narrowed.png"));

    // A workbook opened as a table: its first sheet's names and numbers, the
    // caption naming it, the status line telling its size.
    trigger(window, "mnuNew");
    window.openFromCommandLine(KURVO_TEST_DATA "/tables/us-population.xlsx");
    settle(200);
    saveScreen(area(), path("tables-1-opened-xlsx.png"));
    // The virtual screen has no window manager to draw the caption: it is printed.
    std::fprintf(stderr, "caption: %s\n", qPrintable(window.windowTitle()));

    // A names row pasted over columns C and D of five: A, B and E keep their letters.
    trigger(window, "mnuNew");
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 5; ++c) window.app().views().spdData.SetText(c, r, std::to_string(r * c));
    window.dataGrid()->setCurrentIndex(window.dataGrid()->model()->index(0, 2));
    QGuiApplication::clipboard()->setText(QStringLiteral("T_C\tUS population\n1790\t\"3,929,214\"\n"));
    window.dialogs().setAnswerer([](const kurvo::MessageRequest&) { return kurvo::MsgAnswer::Yes; });
    window.dataGrid()->pasteClipboard();
    window.dialogs().setAnswerer(answerDefault);
    window.methodGrid()->model()->setData(window.methodGrid()->model()->index(0, 0), QStringLiteral("US population"));
    window.methodGrid()->model()->setData(window.methodGrid()->model()->index(0, 3), QStringLiteral("T_C"));
    settle(200);
    saveScreen(area(), path("tables-2-names-pasted.png"));

    // The recovery question for a copy of a document that has a file, as the
    // real message box asks it; answered Yes, the caption names the file.
    {
        const QString state = QDir(directory).filePath(QStringLiteral("recovery-state"));
        QDir(state).removeRecursively();
        {
            kurvo::RecoveryCopy left(state.toStdString());
            left.Update(VapourPressure(), {"/home/user/実験/蒸気圧.txt", false});
        }
        trigger(window, "mnuNew");
        window.dialogs().setAnswerer(nullptr);
        shootModal(window, [&] { window.startRecovery(state.toStdString(), true); }, path("tables-3-recovery-question.png"),
                   {}, [](QWidget* box) {
                       for (QPushButton* button : box->findChildren<QPushButton*>())
                           if (button->text().contains(QStringLiteral("はい"))) button->click();
                   });
        window.dialogs().setAnswerer(answerDefault);
        settle(200);
        saveScreen(area(), path("tables-4-recovered.png"));
        std::fprintf(stderr, "caption: %s\n", qPrintable(window.windowTitle()));
    }

    // The residual graph instead of the curve: example 3 fitted as ln Y, example 1 untransformed.
    window.findChild<QAction*>(QStringLiteral("mnuResidualGraph"))->setChecked(true);
    const std::pair<const char*, const char*> residualShots[] = {{"mnuExample3", "34-residuals-log-y.png"},
                                                                 {"mnuExample1", "35-residuals-linear.png"}};
    for (const auto& [example, file] : residualShots) {
        trigger(window, example);
        estimate();
        saveScreen(area(), path(file));
    }
    window.findChild<QAction*>(QStringLiteral("mnuResidualGraph"))->setChecked(false);

    // Which degree: a type K thermocouple's EMF from 0 to 500 °C, compared at every degree.
    ApplyDocument(window.app(), Table("K 熱電対", "温度 [℃]", "起電力 [mV]",
                                      {{0, 0}, {50, 2.023}, {100, 4.096}, {150, 6.138}, {200, 8.138}, {250, 10.153},
                                       {300, 12.209}, {350, 14.293}, {400, 16.397}, {450, 18.516}, {500, 20.644}},
                                      2));
    estimate();
    shootModal(window, [&] { trigger(window, "mnuDegrees"); }, path("40-degree-table.png"), {});

    // The statistics dialog of a ln Y fit (example 4) and of a reciprocal-Y
    // fit (example 1's second combination): the equation and what the
    // figures are of.
    trigger(window, "mnuExample4");
    estimate();
    shootModal(window, [&] { trigger(window, "mnuStatistics"); }, path("36-statistics-log-y.png"), {});
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    window.tabs()->setCurrentIndex(2);
    settle(200);
    shootModal(window, [&] { trigger(window, "mnuStatistics"); }, path("37-statistics-reciprocal-y.png"), {});

    // The window made nearly as large as a 1600 × 1000 screen: the graph takes most of the room.
    trigger(window, "mnuExample4");
    window.estimateButton()->click();
    window.resize(1580, 940);
    settle(300);
    saveScreen(area(), path("41-large-window.png"));

    window.closeFromProgram();
    // The recovery copy kept the window's documents since the question.
    QDir(QDir(directory).filePath(QStringLiteral("recovery-state"))).removeRecursively();
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
    QFile::remove(QString::fromStdString(userSettingsPath()));
    const QString directory = QString::fromLocal8Bit(argv[1]);

    // The window as the program starts it, without the recovery copy: the
    // tour's typing is not the user's document.
    MainWindow window;
    window.show();
    window.dialogs().setAnswerer(answerDefault);
    QTimer::singleShot(0, &window, [&window, directory] { runTour(window, directory); });
    return application.exec();
}
