// The user's settings (kurvo.conf): the bands shown with the curve and their
// confidence level, whether the graph shows the residuals, and where the
// main window stood.  A small text of sections and keys:
//
//   [bands]
//   confidence=true
//   level=95
//   prediction=false
//   [graph]
//   residuals=false
//   [window]
//   maximised=false
//   place=40 30 1400 950
//
// The file is read only when it is a regular file of at most
// kLargestSettingsFile bytes under its own name: a symbolic link, a FIFO, a
// device or a folder there is neither read nor replaced, and nothing waits on
// it.  It is written as the data files are (a temporary file renamed over
// it), readable by the user alone.  A value that is missing or not one the
// program knows gives that setting's default.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace kurvo {

inline constexpr std::size_t kLargestSettingsFile = 64 * 1024;

struct UserSettings {
    bool confidenceBand = false;
    bool predictionBand = false;
    int level = 95;  // percent: 90, 95 or 99
    bool residualGraph = false;  // the graph shows the residuals instead of the curve
    // Where the main window stood: x, y, width and height in pixels (width 0: not
    // known, the window opens at its first size), and whether it was maximised.
    std::array<int, 4> windowPlace{};
    bool windowMaximised = false;

    bool operator==(const UserSettings&) const = default;
};

struct SettingsRead {
    UserSettings settings;               // the defaults when the file could not be read
    std::optional<std::string> problem;  // why not; nothing also when there is no file yet
};

SettingsRead ReadUserSettings(const std::string& path);

// Writes the settings, making the folder when it is missing; why it could not.
// A file that is not a regular file (a link among them) is left as it is.
std::optional<std::string> WriteUserSettings(const std::string& path, const UserSettings& settings);

}  // namespace kurvo
