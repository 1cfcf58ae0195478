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
#include "state/runtime_error.h"

namespace kurvo {
namespace {

constexpr std::string_view kCopyPrefix = "window-";
constexpr std::string_view kKeptPrefix = "unreadable-";
constexpr std::string_view kCopySuffix = ".txt";
constexpr std::string_view kLockSuffix = ".lock";

// Windows of this process that have taken a name.
int windowsNamed = 0;

[[noreturn]] void RaiseWrite(const std::string& reason) { throw RuntimeError(ErrorNumber::FileWrite, reason); }

// Makes the folder and its missing parents, readable by the user alone.
void MakeFolder(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) RaiseWrite(FileErrorText(errno));
        if (slash == std::string::npos) break;
    }
}

std::string LockOf(const std::string& copy) {
    return copy.substr(0, copy.size() - kCopySuffix.size()) + std::string(kLockSuffix);
}

// The copies in the folder, by name.
std::vector<std::string> CopiesIn(const std::string& folder) {
    std::vector<std::string> copies;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return copies;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.starts_with(kCopyPrefix) && name.ends_with(kCopySuffix)) copies.push_back(folder + "/" + entry->d_name);
    }
    ::closedir(dir);
    std::sort(copies.begin(), copies.end());
    return copies;
}

// The lock of a copy, taken without waiting; -1 while its window runs.  A
// copy without a lock file has no window.
int LockLeftCopy(const std::string& lock) {
    int fd = ::open(lock.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) fd = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
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

}  // namespace

std::string RecoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/kurvo";
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.local/state/kurvo";
    return {};
}

RecoveryCopy::RecoveryCopy(std::string folder) : folder_(std::move(folder)) {}

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
        const int fd = ::open(lock.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            RaiseWrite(FileErrorText(errno));
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::access(copy.c_str(), F_OK) == 0) {
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

std::optional<std::string> RecoveryCopy::Update(const std::optional<Document>& unsaved) {
    try {
        if (!unsaved) {
            Discard();
            return std::nullopt;
        }
        std::string bytes = WriteDocument(*unsaved);
        if (bytes == written_) return std::nullopt;
        if (path_.empty()) TakeName();
        ReplaceFileContents(path_, bytes);
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
        if (::access(copy.c_str(), F_OK) != 0) {
            ::close(fd);
            continue;
        }
        bool restored = false, keep = false;
        if (dialogs.Message({kRecoveryQuestion, MsgButtons::YesNo, MsgIcon::Question, {}, false}) == MsgAnswer::Yes) {
            try {
                const std::optional<Document> shown = restore(ReadDocumentFile(copy));
                restored = true;
                // The old copy goes only once the document is in this window's own.
                keep = Update(shown).has_value();
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
