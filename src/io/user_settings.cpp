#include "io/user_settings.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include "io/file_access.h"
#include "state/numbers.h"
#include "state/runtime_error.h"

namespace kurvo {
namespace {

// Why the name does not hold a regular file of its own, or nothing; `exists` says whether anything is there.
std::optional<std::string> NotOwnRegularFile(const std::string& path, bool& exists) {
    struct stat info {};
    exists = ::lstat(path.c_str(), &info) == 0;
    if (!exists) return errno == ENOENT ? std::nullopt : std::optional(FileErrorText(errno));
    if (S_ISLNK(info.st_mode)) return "シンボリックリンクです。";
    if (!S_ISREG(info.st_mode)) return S_ISDIR(info.st_mode) ? "フォルダーです。" : "通常のファイルではありません。";
    return std::nullopt;
}

std::string Value(const std::string& line) { return std::string(Trim(line.substr(line.find('=') + 1))); }

}  // namespace

SettingsRead ReadUserSettings(const std::string& path) {
    SettingsRead read;
    bool exists = false;
    if ((read.problem = NotOwnRegularFile(path, exists)) || !exists) return read;
    // Opened without following a link or waiting, and looked at again once open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        read.problem = FileErrorText(errno);
        return read;
    }
    struct stat info {};
    std::string bytes;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        read.problem = "通常のファイルではありません。";
    } else if (static_cast<std::size_t>(info.st_size) > kLargestSettingsFile) {
        read.problem = "ファイルが大きすぎます。";
    } else {
        bytes.resize(kLargestSettingsFile + 1);
        std::size_t got = 0;
        for (ssize_t n; got < bytes.size() && (n = ::read(fd, bytes.data() + got, bytes.size() - got)) != 0;) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                read.problem = FileErrorText(errno);
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
        if (got > kLargestSettingsFile) read.problem = "ファイルが大きすぎます。";
    }
    ::close(fd);
    if (read.problem) return read;

    std::istringstream lines(bytes);
    std::string section;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.starts_with('[')) {
            section = line;
            continue;
        }
        const std::string key(Trim(line.substr(0, line.find('='))));
        const std::string value = Value(line);
        const bool flag = value == "true" || value == "false";
        if (section == "[bands]") {
            if (key == "confidence" && flag) read.settings.confidenceBand = value == "true";
            if (key == "prediction" && flag) read.settings.predictionBand = value == "true";
            if (key == "level" && (value == "90" || value == "95" || value == "99")) read.settings.level = std::stoi(value);
        } else if (section == "[graph]" && key == "residuals" && flag) {
            read.settings.residualGraph = value == "true";
        } else if (section == "[window]" && key == "maximised" && flag) {
            read.settings.windowMaximised = value == "true";
        } else if (section == "[window]" && key == "place") {
            // Four whole numbers of a sane size, the width and height above 0.
            std::istringstream numbers(value);
            std::array<int, 4> place{};
            bool sane = true;
            for (int& n : place) sane = sane && (numbers >> n) && n > -100000 && n < 100000;
            if (sane && (numbers >> std::ws).eof() && place[2] > 0 && place[3] > 0) read.settings.windowPlace = place;
        }
    }
    return read;
}

namespace {

// The [window] section, when the window's place is known.
std::string WindowSection(const UserSettings& settings) {
    const std::array<int, 4>& p = settings.windowPlace;
    if (p[2] <= 0) return {};
    return std::string("[window]\nmaximised=") + (settings.windowMaximised ? "true" : "false") + "\nplace=" +
           std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]) + " " + std::to_string(p[3]) + "\n";
}

}  // namespace

std::optional<std::string> WriteUserSettings(const std::string& path, const UserSettings& settings) {
    bool exists = false;
    if (const auto problem = NotOwnRegularFile(path, exists)) return problem;
    if (const auto slash = path.find_last_of('/'); !exists && slash != std::string::npos && slash > 0) {
        std::error_code unused;  // a folder that cannot be made shows as the write's failure below
        std::filesystem::create_directories(path.substr(0, slash), unused);
    }
    const auto word = [](bool on) { return on ? "true" : "false"; };
    try {
        ReplaceFileContents(path,
                            std::string("[bands]\nconfidence=") + word(settings.confidenceBand) +
                                "\nlevel=" + std::to_string(settings.level) + "\nprediction=" + word(settings.predictionBand) +
                                "\n[graph]\nresiduals=" + word(settings.residualGraph) + "\n" + WindowSection(settings),
                            WriteTarget::Private);
    } catch (const RuntimeError& error) {
        return error.Description();
    }
    return std::nullopt;
}

}  // namespace kurvo
