#include "ui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>

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
