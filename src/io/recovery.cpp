#include "io/recovery.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "io/data_file.h"
#include "io/file_access.h"
#include "io/shift_jis.h"
#include "state/runtime_error.h"

namespace kurvo {
namespace {

constexpr std::string_view kCopyPrefix = "window-";
constexpr std::string_view kKeptPrefix = "unreadable-";
constexpr std::string_view kCopySuffix = ".txt";
constexpr std::string_view kLockSuffix = ".lock";
// After the document: a line "[元のファイル]" or "[元の表]", and the file's name.
constexpr std::string_view kFileTrailer = "\r\n[元のファイル]\r\n", kTableTrailer = "\r\n[元の表]\r\n";

// The trailer in the copy's own encoding.
std::string Trailer(bool table, bool utf8) {
    const std::string text(table ? kTableTrailer : kFileTrailer);
    return utf8 ? text : ToShiftJis(text);
}

std::string WithOrigin(std::string bytes, const DocumentOrigin& origin, bool utf8) {
    if (origin.file.empty()) return bytes;
    return bytes + Trailer(origin.table, utf8).substr(2) + origin.file + "\r\n";
}

DocumentOrigin OriginOf(const std::string& bytes) {
    if (!bytes.ends_with("\r\n")) return {};
    for (const bool table : {false, true}) {
        for (const bool utf8 : {false, true}) {
            const std::string trailer = Trailer(table, utf8);
            const std::size_t at = bytes.rfind(trailer);
            if (at == std::string::npos) continue;
            const std::string file = bytes.substr(at + trailer.size(), bytes.size() - 2 - at - trailer.size());
            if (file.find_first_of("\r\n") == std::string::npos) return {file, table};
        }
    }
    return {};
}

// Windows of this process that have taken a name.
int windowsNamed = 0;

[[noreturn]] void RaiseWrite(const std::string& reason) { throw RuntimeError(ErrorNumber::FileWrite, reason); }

// The folder itself, opened without following a symbolic link under its
// name: a link may lead to a folder others share, which is not made private.
int OpenFolder(const std::string& folder) {
    return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Makes the folder and its missing parents, readable by the user alone; the
// folder itself is made so also when it was there already.  A link in its
// place is refused.
void MakeFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) RaiseWrite(FileErrorText(errno));
        if (slash == std::string::npos) break;
    }
    const int fd = OpenFolder(folder);
    if (fd < 0 && (errno == ELOOP || errno == ENOTDIR))
        RaiseWrite("復元用のフォルダー「" + folder + "」がフォルダーではありません（シンボリックリンクは使いません）。");
    if (fd < 0) RaiseWrite(FileErrorText(errno));
    const int result = ::fchmod(fd, 0700) == 0 ? 0 : errno;
    ::close(fd);
    if (result != 0) RaiseWrite(FileErrorText(result));
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string LockOf(const std::string& copy) {
    return copy.substr(0, copy.size() - kCopySuffix.size()) + std::string(kLockSuffix);
}

// The names in the folder, sorted.
std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    const int fd = OpenFolder(folder);
    DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
    if (dir == nullptr) {
        if (fd >= 0) ::close(fd);
        return names;
    }
    while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// The copies in the folder: regular files named like one.
std::vector<std::string> CopiesIn(const std::string& folder) {
    std::vector<std::string> copies;
    for (const std::string& name : NamesIn(folder))
        if (name.starts_with(kCopyPrefix) && name.ends_with(kCopySuffix) && IsRegularFile(folder + "/" + name))
            copies.push_back(folder + "/" + name);
    return copies;
}

// The lock of a copy, taken without waiting; -1 while its window runs.  A
// copy without a lock file has no window.
int LockLeftCopy(const std::string& lock) {
    int fd = ::open(lock.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) fd = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Renames an unreadable copy to a name that is never offered; returns where it is now.
std::string KeepUnreadable(const std::string& copy) {
    const std::size_t slash = copy.find_last_of('/');
    const std::string stem = copy.substr(0, slash + 1) + std::string(kKeptPrefix) +
                             copy.substr(slash + 1 + kCopyPrefix.size(),
                                         copy.size() - slash - 1 - kCopyPrefix.size() - kCopySuffix.size());
    for (int n = 1; n < 1000; ++n) {
        const std::string kept = stem + (n == 1 ? "" : "-" + std::to_string(n)) + std::string(kCopySuffix);
        struct stat info {};
        if (::lstat(kept.c_str(), &info) == 0) continue;
        return ::rename(copy.c_str(), kept.c_str()) == 0 ? kept : copy;
    }
    return copy;
}

// Removes what windows no longer running left beside their copies: the
// temporary file of a copy being written when the window ended, and lock
// files whose copy is gone.
void RemoveLeftovers(const std::string& folder) {
    for (const std::string& name : NamesIn(folder)) {
        const std::size_t temporary = name.rfind(".kurvo-");
        std::string copy;  // the copy the file goes with
        if (name.starts_with("." + std::string(kCopyPrefix)) && temporary != std::string::npos) {
            copy = name.substr(1, temporary - 1);
        } else if (name.starts_with(kCopyPrefix) && name.ends_with(kLockSuffix)) {
            copy = name.substr(0, name.size() - kLockSuffix.size()) + std::string(kCopySuffix);
        }
        if (!copy.ends_with(kCopySuffix)) continue;
        copy = folder + "/" + copy;
        const std::string lock = LockOf(copy);
        const int fd = LockLeftCopy(lock);
        if (fd < 0) continue;
        if (temporary != std::string::npos) ::unlink((folder + "/" + name).c_str());
        if (!IsRegularFile(copy)) ::unlink(lock.c_str());
        ::close(fd);
    }
}

}  // namespace

std::string RecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/kurvo";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state/kurvo";
    return {};
}

std::string RecoveryQuestion(const DocumentOrigin& origin, std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char time[32];
    std::strftime(time, sizeof time, "%Y/%m/%d %H:%M", &local);
    const std::string name = origin.file.empty() ? "新しいデータ"
                             : origin.table      ? "表「" + origin.file + "」から読み込んだデータ"
                                                 : "「" + origin.file + "」";
    return "前回、保存されずに終了したデータがあります。復元しますか？\n" + name + "、" + time +
           " の時点のコピーです。\n[いいえ] を選ぶと、このデータは削除されます。";
}

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)) { RemoveLeftovers(folder_); }

RecoveryCopy::~RecoveryCopy() {
    if (lock_ < 0) return;
    // A copy keeps its lock file: the name stays taken until the copy has been offered.
    if (written_.empty()) ::unlink(lockPath_.c_str());
    ::close(lock_);
}

void RecoveryCopy::TakeName() {
    if (folder_.empty()) RaiseWrite("保存先のフォルダーがわかりません（HOME が設定されていません）。");
    MakeFolder(folder_);
    const std::string stem = folder_ + "/" + std::string(kCopyPrefix) + std::to_string(::getpid()) + "-";
    for (int tries = 0; tries < 1000; ++tries) {
        const std::string name = stem + std::to_string(++windowsNamed);
        const std::string lock = name + std::string(kLockSuffix), copy = name + std::string(kCopySuffix);
        // The lock file is made new, so no left copy is ever overwritten, whoever had this process number before.
        const int fd = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            RaiseWrite(FileErrorText(errno));
        }
        // Held, still under its name (another start may have found it unheld
        // and removed it in between), and nothing at all under the copy's name.
        struct stat held {}, named {}, taken {};
        const bool ours = ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 &&
                          ::lstat(lock.c_str(), &named) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino;
        if (!ours || ::lstat(copy.c_str(), &taken) == 0) {
            if (ours) ::unlink(lock.c_str());
            ::close(fd);
            continue;
        }
        lock_ = fd;
        lockPath_ = lock;
        path_ = copy;
        return;
    }
    RaiseWrite(FileErrorText(EEXIST));
}

std::optional<std::string> RecoveryCopy::Update(const std::optional<Document>& unsaved, const DocumentOrigin& origin) {
    try {
        if (!unsaved) {
            Discard();
            return std::nullopt;
        }
        // In UTF-8 when Shift-JIS would change a character, so that nothing typed is lost.
        std::string bytes = WriteDocument(*unsaved);
        bool utf8 = false;
        if (std::string text = WriteDocument(*unsaved, FileEncoding::Utf8); FromShiftJis(bytes) != text) {
            bytes = std::move(text);
            utf8 = true;
        }
        bytes = WithOrigin(std::move(bytes), origin, utf8);
        if (bytes == written_) return std::nullopt;
        if (path_.empty()) TakeName();
        ReplaceFileContents(path_, bytes, WriteTarget::Private);
        written_ = std::move(bytes);
    } catch (const RuntimeError& error) {
        return error.Description();
    }
    return std::nullopt;
}

void RecoveryCopy::Discard() {
    if (written_.empty()) return;
    ::unlink(path_.c_str());
    written_.clear();
}

void RecoveryCopy::OfferLeftCopies(IUserDialogs& dialogs, const Restore& restore) {
    for (const std::string& copy : CopiesIn(folder_)) {
        if (copy == path_) continue;
        const std::string lock = LockOf(copy);
        const int fd = LockLeftCopy(lock);
        if (fd < 0) continue;
        // Another window may have dealt with it between the listing and the lock.
        if (!IsRegularFile(copy)) {
            ::close(fd);
            continue;
        }
        bool restored = false, keep = false;
        struct stat info {};
        const std::time_t when = ::stat(copy.c_str(), &info) == 0 ? info.st_mtime : 0;
        std::string bytes;
        try {
            bytes = ReadWholeFile(copy);
        } catch (const RuntimeError&) {
        }
        const DocumentOrigin origin = OriginOf(bytes);
        if (dialogs.Message({RecoveryQuestion(origin, when), MsgButtons::YesNo, MsgIcon::Question, {}, false}) ==
            MsgAnswer::Yes) {
            try {
                const std::optional<Document> shown = restore(ReadDocumentFile(copy), origin);
                restored = true;
                // The old copy goes only once the document is in this window's own.
                keep = Update(shown, origin).has_value();
            } catch (const RuntimeError& error) {
                const std::string kept = KeepUnreadable(copy);
                if (kept != copy) ::unlink(lock.c_str());
                keep = true;
                dialogs.ShowMessage(error.Description() + "\nこのデータは「" + kept + "」に残してあります。");
            }
        }
        if (!keep) {
            ::unlink(copy.c_str());
            ::unlink(lock.c_str());
        }
        ::close(fd);
        if (restored) return;
    }
}

}  // namespace kurvo
