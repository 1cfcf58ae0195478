// kurvo-batch: the estimation of a data file or an example without a window,
// and on request the graph of one combination as an image file.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/batch.h"

#ifdef KURVO_BATCH_GRAPHS
#include <QGuiApplication>
#include <cstdio>

#include "ui/application.h"
#include "ui/graph_export.h"
#endif

#ifdef KURVO_BATCH_GRAPHS
namespace {
// Standard error carries the command's own messages: Qt's notes about its
// set-up (no runtime folder and the like) are left out.
void onlyQtErrors(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "kurvo-batch: %s\n", qPrintable(message));
}
}  // namespace
#endif

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
#ifdef KURVO_BATCH_GRAPHS
    // Drawing needs Qt's fonts and painters, but no display: the offscreen
    // platform, started only when a graph is asked for.
    // Qt keeps argc and argv for the life of the application object: they
    // are declared first, so that they outlive it.
    int qtArgc = 3;
    char name[] = "kurvo-batch", platform[] = "-platform", offscreen[] = "offscreen";
    char* qtArgv[] = {name, platform, offscreen, nullptr};
    std::unique_ptr<QGuiApplication> qt;
    const kurvo::GraphImageRenderer renderGraph = [&](const kurvo::GraphImage& image, std::string& bytes) {
        if (!qt) {
            qInstallMessageHandler(onlyQtErrors);
            qt = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
            kurvo::ui::configureFonts();
        }
        return kurvo::ui::RenderGraphImage(image, bytes);
    };
    return kurvo::RunBatch(arguments, std::cout, std::cerr, renderGraph);
#else
    return kurvo::RunBatch(arguments, std::cout, std::cerr);
#endif
}
