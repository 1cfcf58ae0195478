// kurvo: the desktop program.
//
//   kurvo [FILE]      FILE, a data file, is opened at start without the Open
//                     command's question.
//   kurvo -- FILE     the same for a name that begins with "-".
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
    // Qt takes its own options (such as -platform or -reverse) out of the
    // arguments it is given; those after "--" are not given to it.  What is
    // left is read as bytes, so that a file name reaches Open as the system
    // spells it, whatever its encoding.
    std::vector<char*> qtArguments;
    for (int i = 0; i < argc && std::strcmp(argv[i], "--") != 0; ++i) qtArguments.push_back(argv[i]);
    const int optionsEnd = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);
    int qtArgumentCount = optionsEnd;
    QApplication application(qtArgumentCount, qtArguments.data());
    kurvo::ui::configureApplication(application);

    std::string file;
    std::string wrong;  // an unknown option or a second file
    bool help = false;
    const auto take = [&](const std::string& argument, bool option) {
        if (option && (argument == "-h" || argument == "--help")) {
            help = true;
        } else if (option || !file.empty()) {
            if (wrong.empty()) wrong = argument;
        } else {
            file = argument;
        }
    };
    for (int i = 1; i < qtArgumentCount; ++i) {
        const std::string argument = qtArguments[static_cast<std::size_t>(i)];
        take(argument, argument.size() > 1 && argument.front() == '-');
    }
    for (int i = optionsEnd + 1; i < argc; ++i) take(argv[i], false);
    if (!wrong.empty()) {
        std::fprintf(stderr, "kurvo: 使えない引数です: %s\n%s", wrong.c_str(), kUsage);
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
    window.startRecovery(kurvo::RecoveryFolder(), file.empty());
    if (!file.empty()) window.openFromCommandLine(file);

    return application.exec();
}
