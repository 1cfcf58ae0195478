// Writes the seed files of the fuzz corpus that come from the program itself:
// the four built-in examples as Save writes them right after loading and
// after an estimation.  Run by `scripts/fuzz --seeds`.
#include <cstdio>
#include <string>

#include "io/data_file.h"
#include "window/document.h"
#include "../workbench.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    for (int n = 1; n <= 4; ++n) {
        for (const bool estimated : {false, true}) {
            kurvo::test::Workbench window;  // its dialogs record the messages
            window.app.LoadExample(n);
            if (estimated) window.app.RunEstimation();
            if (!window.dialogs.messages.empty()) {
                std::fprintf(stderr, "example %d: %s\n", n, window.dialogs.messages.front().text.c_str());
                return 1;
            }
            const std::string name = folder + "/example" + std::to_string(n) + (estimated ? "-results" : "") + ".txt";
            kurvo::WriteDocumentFile(name, kurvo::CaptureDocument(window.app));
            std::printf("%s\n", name.c_str());
        }
    }
    return 0;
}
