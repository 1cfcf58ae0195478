#include "window/headless.h"

namespace kurvo {

HeadlessWindow::HeadlessWindow(IUserDialogs& dialogs)
    : app(Views{spdData,
                spdSpec,
                spdCoeff,
                {&spdEstimate0, &spdEstimate1, &spdEstimate2, &spdEstimate3},
                tabs,
                labels,
                graph,
                dialogs,
                &printer}) {
    app.StartUp();
}

}  // namespace kurvo
