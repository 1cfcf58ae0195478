// Process-wide set-up shared by the program, its tests and its tools.
#pragma once

class QApplication;

namespace kurvo::ui {

// The Japanese face names the windows ask for, mapped to installed faces.
inline constexpr const char* kGothic = "ＭＳ ゴシック";          // fixed pitch
inline constexpr const char* kProportionalGothic = "ＭＳ Ｐゴシック";

// Font substitutions, widget style and the application's name.
void configureApplication(QApplication& app);

// True when a display (or an explicitly chosen Qt platform) is available.
bool displayAvailable();

}  // namespace kurvo::ui
