// kurvo: the desktop program.
#include <QApplication>
#include <cstdio>

#include "io/recovery.h"
#include "ui/application.h"
#include "ui/main_window.h"
#include "ui/screenshot_tour.h"

int main(int argc, char* argv[]) {
    if (!kurvo::ui::displayAvailable()) {
        std::fprintf(stderr,
                     "kurvo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it under a virtual X server instead, for example:\n"
                     "  xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    QApplication application(argc, argv);
    kurvo::ui::configureApplication(application);

    kurvo::ui::MainWindow window;
    window.show();
    window.startRecovery(kurvo::RecoveryFolder());

    // Scripted screenshots for scripts/screenshots: not a user option.
    const QString shots = qEnvironmentVariable("KURVO_SCREENSHOT_DIR");
    if (!shots.isEmpty()) kurvo::ui::startScreenshotTour(window, shots);

    return application.exec();
}
