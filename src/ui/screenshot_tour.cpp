#include "ui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "ui/graph_printer.h"
#include "ui/graph_widget.h"
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

void setText(QWidget* dialog, const char* box, const QString& text) {
    if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box))) edit->setText(text);
}

void click(QWidget* dialog, const char* button) {
    if (auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(button))) b->click();
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

    // The printer set-up dialog, cancelled; then the graph printed into a PDF
    // file (scripts/screenshots turns its page into a picture).
    shootModal(window, [&] { trigger(window, "mnuSetPrinter"); }, path("12-printer-set-up.png"), {});
    window.printer().setFileChooser(
        [directory](const QString&) { return QDir(directory).filePath(QStringLiteral("13-printed-page.pdf")); });
    trigger(window, "mnuPrint");
    std::fprintf(stderr, "printed %s\n", qPrintable(path("13-printed-page.pdf")));

    // The graph's context menu, over example 1 estimated.
    trigger(window, "mnuExample1");
    window.estimateButton()->click();
    settle(200);
    auto* graphMenu = window.findChild<QMenu*>(QStringLiteral("graphMenu"));
    emit window.graph()->customContextMenuRequested(window.graph()->rect().center());
    settle(300);
    saveScreen(area().united(graphMenu->geometry()), path("14-graph-menu.png"));
    graphMenu->close();

    window.closeFromProgram();
}

}  // namespace

void startScreenshotTour(MainWindow& window, const QString& directory) {
    window.dialogs().setAnswerer([](const MessageRequest& request) {
        std::fprintf(stderr, "message: %s\n", request.text.c_str());
        return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
    });
    QTimer::singleShot(0, &window, [&window, directory] { runTour(window, directory); });
}

}  // namespace kurvo::ui
