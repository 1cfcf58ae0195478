// Timing of the desktop program (not a test): start-up to the first shown
// window, and the estimate button of example 3 to the finished repaint of
// the graph.  Run under Xvfb or with QT_QPA_PLATFORM=offscreen.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "ui/application.h"
#include "ui/graph_widget.h"
#include "ui/main_window.h"

namespace {

// Counts the paint events a widget has received.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* target) { target->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// Runs the event loop until the widget has been painted once more.
void untilPainted(PaintCounter& counter) {
    const int before = counter.count;
    while (counter.count == before) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();  // the flush to the screen
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Seconds the process has existed, from /proc (10 ms resolution); -1 when unknown.
double processAge() {
    std::ifstream stat("/proc/self/stat"), uptime("/proc/uptime");
    std::string field;
    for (int i = 0; i < 22 && stat >> field; ++i) {
    }
    double up = 0;
    if (!(uptime >> up) || field.empty()) return -1;
    return up - std::stod(field) / 100.0;
}

double ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

std::unique_ptr<kurvo::ui::MainWindow> showWindow(double& elapsed) {
    QElapsedTimer t;
    t.start();
    auto window = std::make_unique<kurvo::ui::MainWindow>();
    PaintCounter painted(window->centralWidget());
    window->show();
    untilPainted(painted);
    elapsed = ms(t);
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!kurvo::ui::displayAvailable()) qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer sinceMain;
    sinceMain.start();
    kurvo::ui::useJapaneseLocale();
    QApplication application(argc, argv);
    kurvo::ui::configureApplication(application);
    QStandardPaths::setTestModeEnabled(true);  // the windows start as they do for a new user
    double firstWindow = 0;
    auto window = showWindow(firstWindow);
    const double startUp = ms(sinceMain);
    const double age = processAge();

    std::vector<double> again;
    for (int i = 0; i < 10; ++i) {
        double elapsed = 0;
        showWindow(elapsed);
        again.push_back(elapsed);
    }

    window->dialogs().setAnswerer([](const kurvo::MessageRequest&) { return kurvo::MsgAnswer::Ok; });
    window->findChild<QAction*>(QStringLiteral("mnuExample3"))->trigger();
    window->estimateButton()->click();
    QCoreApplication::processEvents();
    PaintCounter graphPainted(window->graph());
    const auto timeEstimates = [&] {
        std::vector<double> times;
        for (int i = 0; i < 50; ++i) {
            QElapsedTimer t;
            t.start();
            window->estimateButton()->click();
            untilPainted(graphPainted);
            times.push_back(ms(t));
        }
        return times;
    };
    const std::vector<double> estimate = timeEstimates();
    // Both bands round the curve (the menu's items; the user's settings are left alone).
    for (const char* band : {"mnuConfidenceBand", "mnuPredictionBand"}) {
        QAction* action = window->findChild<QAction*>(QString::fromLatin1(band));
        const QSignalBlocker keepSettings(action);
        action->setChecked(true);
    }
    window->app().SetBands(true, true);
    const std::vector<double> withBands = timeEstimates();
    // The residual graph instead of the curve (bands off, as it draws none).
    window->app().SetBands(false, false);
    window->app().SetResidualGraph(true);
    const std::vector<double> residuals = timeEstimates();

    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("start-up, main() to first painted window:   %7.1f ms\n", startUp);
    if (age >= 0) std::printf("start-up, process start to first window:    %7.0f ms (10 ms resolution)\n", age * 1000);
    std::printf("another main window, construct to painted:  %7.1f ms (median of %zu)\n", median(again), again.size());
    std::printf("example 3, 推算 pressed to graph repainted:  %7.2f ms (median of %zu, worst %.2f ms)\n",
                median(estimate), estimate.size(), *std::max_element(estimate.begin(), estimate.end()));
    std::printf("  the same with both bands drawn:            %7.2f ms (median of %zu, worst %.2f ms)\n",
                median(withBands), withBands.size(), *std::max_element(withBands.begin(), withBands.end()));
    std::printf("  the residual graph instead of the curve:   %7.2f ms (median of %zu, worst %.2f ms)\n",
                median(residuals), residuals.size(), *std::max_element(residuals.begin(), residuals.end()));
    return 0;
}
