// kurvo: the desktop program.
//
//   kurvo [FILE]      FILE, a data file, is opened at start without the Open
//                     command's question.
#include <QApplication>
#include <cstdio>

#include "io/recovery.h"
#include "ui/application.h"
#include "ui/main_window.h"

namespace {

constexpr const char* kUsage = "使い方: kurvo [データファイル]\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (!kurvo::ui::displayAvailable()) {
        std::fprintf(stderr,
                     "kurvo: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it under a virtual X server instead, for example:\n"
                     "  xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    kurvo::ui::useJapaneseLocale();
    QApplication application(argc, argv);
    kurvo::ui::configureApplication(application);

    // What Qt leaves of the command line (it takes its own options such as -platform).
    QString file;
    QString wrong;  // an unknown option or a second file
    bool help = false, optionsEnded = false;
    for (const QString& argument : application.arguments().mid(1)) {
        const bool option = !optionsEnded && argument.size() > 1 && argument.startsWith(QLatin1Char('-'));
        if (option && argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (option && (argument == QStringLiteral("-h") || argument == QStringLiteral("--help"))) {
            help = true;
        } else if (option || !file.isEmpty()) {
            if (wrong.isEmpty()) wrong = argument;
        } else {
            file = argument;
        }
    }
    if (!wrong.isEmpty()) {
        std::fprintf(stderr, "kurvo: 使えない引数です: %s\n%s", qPrintable(wrong), kUsage);
        return 2;
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }

    kurvo::ui::MainWindow window;
    window.show();
    // A file named on the command line is what the user asked for: copies
    // left by a window that ended without 終了 wait for the next start
    // without one, rather than being restored only to be replaced.
    window.startRecovery(kurvo::RecoveryFolder(), file.isEmpty());
    if (!file.isEmpty()) window.openFromCommandLine(file);

    return application.exec();
}
