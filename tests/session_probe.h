// The tests' one way to the whole session record behind the window logic,
// to set up a case or to read what a command left in it.
#pragma once

#include "window/app.h"

namespace kurvo {

struct SessionProbe {
    static Session& Of(App& app) { return app.session_; }
};

}  // namespace kurvo
