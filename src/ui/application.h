// Process-wide set-up shared by the program, its tests and its tools.
#pragma once

#include <QFont>
#include <QIcon>
#include <QString>

#include <string>

class QApplication;

namespace kurvo::ui {

// The Japanese face names the windows ask for, mapped to installed faces.
inline constexpr const char* kGothic = "ＭＳ ゴシック";          // fixed pitch
inline constexpr const char* kProportionalGothic = "ＭＳ Ｐゴシック";

// Makes Japanese the locale of the process, whatever the desktop's, so that
// Qt's standard dialogs show Japanese dates and sizes.  Call it before the
// QApplication is made: Qt reads the locale of the system once, at start.
void useJapaneseLocale();

// Font substitutions, widget style, Japanese texts of Qt's own dialogs and
// buttons, the application's name and version, and the end of the desktop
// session.
void configureApplication(QApplication& app);

// The file of the user's settings of the program (~/.config/kurvo/kurvo.conf,
// read and written by ReadUserSettings and WriteUserSettings): the bands and
// their level.  The document file holds none of them.
std::string userSettingsPath();

// The font substitutions alone: enough for drawing without windows.
void configureFonts();

// The font of the grids' cells and of the equations: "ＭＳ ゴシック" 9 pt,
// whose installed stand-in draws a decimal point below the digits' foot at
// that size, where it reads as a comma.  So Latin letters, digits and signs
// come from a fixed-pitch Latin face, narrowed to the same half-width
// advance; Japanese text keeps the Japanese face.
QFont numberFont(double points = 9);

// True when a display (or an explicitly chosen Qt platform) is available.
bool displayAvailable();

// The program's release, "2007.3.28": major, minor and revision.
struct ProgramVersion {
    int major;
    int minor;
    int revision;
};
ProgramVersion programVersion();

// The 32 x 32 icon of the main window and the About dialog.
QIcon programIcon();

// Windows refuse the close box; once the desktop session is ending (logout,
// shutdown) every close request is granted.
bool systemSessionEnding();
void setSystemSessionEnding(bool ending);

}  // namespace kurvo::ui
