#include "io/file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <vector>

#include "state/runtime_error.h"

namespace kurvo {
namespace {

[[noreturn]] void RaiseRead(const std::string& reason) { throw RuntimeError(ErrorNumber::FileFormat, reason); }
[[noreturn]] void RaiseWrite(const std::string& reason) { throw RuntimeError(ErrorNumber::FileWrite, reason); }

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the errno of a failed close, 0 otherwise.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a name stands for: symbolic links are followed, also to a file
// that does not exist yet.  A loop of links is refused.
std::string ResolveTarget(const std::string& path) {
    std::string target = path;
    for (int links = 0; links <= 40; ++links) {  // as many links as the system follows in a path
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        std::vector<char> buffer(PATH_MAX);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return target;
        const std::string pointsAt(buffer.data(), static_cast<std::size_t>(n));
        target = pointsAt.front() == '/' ? pointsAt : FolderOf(target) + "/" + pointsAt;
    }
    RaiseWrite(FileErrorText(ELOOP));
}

// Why a file of this type is neither read nor replaced.
std::string NotRegularText(mode_t mode) {
    if (S_ISDIR(mode)) return FileErrorText(EISDIR);
    const char* kind = S_ISFIFO(mode) ? "名前付きパイプ" : S_ISSOCK(mode) ? "ソケット" : "デバイス";
    return std::string("通常のファイルではありません（") + kind + "）。";
}

[[noreturn]] void RaiseTooLarge() {
    RaiseRead("ファイルが大きすぎます（上限は " + std::to_string(kLargestFileRead >> 20) + " MiB です）。");
}

// The start of the names of the temporary files beside `target`:
// ".NAME.kurvo-", followed by six random letters.  A name too long for that
// gives its first bytes (whole characters) and a check sum of the rest, so
// that any name the folder accepts can be saved.
std::string TemporaryStem(const std::string& target) {
    const std::string folder = FolderOf(target), name = NameOf(target);
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t longest = limit > 0 ? static_cast<std::size_t>(limit) : 255;
    constexpr std::size_t kAround = std::string_view("..kurvo-XXXXXX").size();
    if (name.size() + kAround <= longest) return folder + "/." + name + ".kurvo-";
    std::uint32_t sum = 2166136261u;  // FNV-1a
    for (const char c : name) sum = (sum ^ static_cast<unsigned char>(c)) * 16777619u;
    char hex[10];
    std::snprintf(hex, sizeof hex, "~%08x", static_cast<unsigned>(sum));
    std::size_t keep = longest > kAround + 9 ? longest - kAround - 9 : 0;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
    return folder + "/." + name.substr(0, keep) + hex + ".kurvo-";
}

constexpr std::size_t kRandomLetters = 6;

// Tries `make` on new names TemporaryStem + six random letters, while it
// fails because the name is taken.  The name it made, or empty with errno
// telling why not.
template <typename Make>
std::string MakeBeside(const std::string& target, Make make) {
    constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    const std::string stem = TemporaryStem(target);
    for (int tries = 0; tries < 100; ++tries) {
        std::string name = stem;
        for (std::size_t i = 0; i < kRandomLetters; ++i) name += kLetters[random() % kLetters.size()];
        if (make(name)) return name;
        if (errno != EEXIST) return {};
    }
    return {};
}

// Holds a lock (flock) on a temporary file while a save uses it, so that
// another save of the same file leaves it alone; -1 when it cannot.
int HoldTemporary(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Removes the temporary files earlier saves of `target` left beside it when
// they were killed: regular files named by TemporaryStem that no save holds.
// Only while the target itself is there, since a save killed in the middle of
// putting several files in place may have left the only copy of one.
void RemoveLeftovers(const std::string& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return;
    const std::string stem = TemporaryStem(target);
    const std::string folder = FolderOf(target), prefix = NameOf(stem);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    std::vector<std::string> left;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() == prefix.size() + kRandomLetters && name.starts_with(prefix)) left.emplace_back(name);
    }
    ::closedir(dir);
    for (const std::string& name : left) {
        const std::string path = folder + "/" + name;
        const int fd = HoldTemporary(path);
        if (fd < 0) continue;
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::lstat(path.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            ::unlink(path.c_str());
        ::close(fd);
    }
}

// Flushes the entry of a renamed file to disk.  Some file systems cannot
// flush a folder; the file is in place either way.
void SyncFolderOf(const std::string& path) {
    const Descriptor folder(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) ::fsync(folder.get());
}

}  // namespace

std::string FileErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT: return "ファイルまたはフォルダーが見つかりません。";
    case ENOTDIR: return "パスの途中にフォルダーでないものがあります。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case EISDIR: return "同じ名前のフォルダーがあります。";
    case EROFS: return "書き込みが禁止された場所です。";
    case ENOSPC:
    case EDQUOT: return "ディスクの空き容量が足りません。";
    case ENAMETOOLONG: return "ファイル名が長すぎます。";
    case EIO: return "入出力エラーが発生しました。";
    case ELOOP: return "シンボリックリンクが循環しています。";
    default: break;
    }
    return std::string("ファイル操作に失敗しました（") + std::strerror(errorNumber) + "）。";
}

std::string ReadWholeFile(const std::string& path) {
    if (path.empty()) RaiseRead("ファイル名がありません。");
    // The type is known before the file is opened, so that no device is
    // opened at all; the file is opened without waiting, and its type looked
    // at again, in case something else took the name in between.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) RaiseRead("ファイルを開けません: " + NotRegularText(info.st_mode));
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0) RaiseRead("ファイルを開けません: " + FileErrorText(errno));
    if (::fstat(file.get(), &info) != 0) RaiseRead("ファイルを読めません: " + FileErrorText(errno));
    if (!S_ISREG(info.st_mode)) RaiseRead("ファイルを開けません: " + NotRegularText(info.st_mode));
    if (static_cast<std::uintmax_t>(info.st_size) > kLargestFileRead) RaiseTooLarge();
    std::string bytes;
    std::vector<char> buffer(65536);
    while (true) {
        const ssize_t n = ::read(file.get(), buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            RaiseRead("ファイルを読めません: " + FileErrorText(errno));
        }
        if (n == 0) break;
        bytes.append(buffer.data(), static_cast<std::size_t>(n));
        if (bytes.size() > kLargestFileRead) RaiseTooLarge();
    }
    return bytes;
}

PreparedFile::PreparedFile(const std::string& path, std::string_view bytes, WriteTarget how) {
    if (path.empty()) RaiseWrite("ファイル名がありません。");
    const bool own = how == WriteTarget::Private;
    target_ = own ? path : ResolveTarget(path);

    // Found here rather than by the rename, so that Commit has little left to fail.
    std::optional<mode_t> mode;
    if (own) mode = 0600;
    struct stat info {};
    if ((own ? ::lstat(target_.c_str(), &info) : ::stat(target_.c_str(), &info)) != 0) {
        if (errno != ENOENT) RaiseWrite(FileErrorText(errno));
    } else if (!S_ISLNK(info.st_mode)) {
        if (!S_ISREG(info.st_mode)) RaiseWrite(NotRegularText(info.st_mode));
        if ((info.st_mode & 0222) == 0) RaiseWrite("読み取り専用のファイルです。");
        if (::access(target_.c_str(), W_OK) != 0) RaiseWrite(FileErrorText(errno));
        if (!own) mode = info.st_mode & 07777;
    }

    RemoveLeftovers(target_);
    // Made new, never through a link, with the target's permissions from the
    // start; a new shared file gets its permissions from the creation mask.
    int fd = -1;
    temporary_ = MakeBeside(target_, [&](const std::string& name) {
        fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode ? *mode : 0666);
        return fd >= 0;
    });
    if (temporary_.empty()) RaiseWrite("一時ファイルを作れません: " + FileErrorText(errno));
    Descriptor file(fd);
    held_ = HoldTemporary(temporary_);
    try {
        // Bits the creation mask took away, before a byte is written.
        if (mode && ::fchmod(file.get(), *mode) != 0) RaiseWrite(FileErrorText(errno));
        const char* data = bytes.data();
        std::size_t left = bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(file.get(), data, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                RaiseWrite(FileErrorText(errno));
            }
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        if (::fsync(file.get()) != 0) RaiseWrite(FileErrorText(errno));
        if (const int error = file.Close(); error != 0) RaiseWrite(FileErrorText(error));
    } catch (...) {
        ::unlink(temporary_.c_str());
        if (held_ >= 0) ::close(held_);  // no destructor runs for a constructor that throws
        throw;
    }
}

PreparedFile::~PreparedFile() {
    const std::string& left = committed_ ? previous_ : temporary_;
    if (!left.empty()) ::unlink(left.c_str());
    for (const int fd : {held_, heldPrevious_})
        if (fd >= 0) ::close(fd);
}

void PreparedFile::Commit() {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) RaiseWrite(FileErrorText(errno));
    committed_ = true;
    SyncFolderOf(target_);
}

void PreparedFile::KeepPrevious() {
    struct stat info {};
    if (::lstat(target_.c_str(), &info) != 0 && errno == ENOENT) return;
    // A second link to the file keeps the target in place throughout; where
    // the file system has no hard links, the file moves aside until Commit.
    previous_ = MakeBeside(target_, [&](const std::string& name) {
        return ::link(target_.c_str(), name.c_str()) == 0 ||
               (errno != EEXIST && ::renameat2(AT_FDCWD, target_.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0);
    });
    if (previous_.empty()) RaiseWrite(FileErrorText(errno));
    heldPrevious_ = HoldTemporary(previous_);
}

void PreparedFile::Revert() {
    if (!previous_.empty()) {
        // For a file never committed the target may still be the same file: its second name then just goes.
        if (::rename(previous_.c_str(), target_.c_str()) == 0) ::unlink(previous_.c_str());
        previous_.clear();  // put back, or left under its own name when even that failed
    } else if (committed_) {
        ::unlink(target_.c_str());
    }
    SyncFolderOf(target_);
}

void ReplaceFileContents(const std::string& path, std::string_view bytes, WriteTarget how) {
    PreparedFile(path, bytes, how).Commit();
}

void FileGroup::Add(const std::string& path, std::string_view bytes, WriteTarget how) {
    files_.push_back(std::make_unique<PreparedFile>(path, bytes, how));
}

void FileGroup::Commit() {
    for (failed_ = 0; failed_ < files_.size(); ++failed_) {
        try {
            files_[failed_]->KeepPrevious();
            files_[failed_]->Commit();
        } catch (const RuntimeError&) {
            for (std::size_t done = failed_ + 1; done-- > 0;) files_[done]->Revert();
            throw;
        }
    }
    files_.clear();  // the previous contents go
}

bool SameFile(const std::string& a, const std::string& b) {
    std::string targetA, targetB;
    try {
        targetA = ResolveTarget(a);
        targetB = ResolveTarget(b);
    } catch (const RuntimeError&) {
        return a == b;
    }
    struct stat infoA {}, infoB {};
    if (::stat(targetA.c_str(), &infoA) == 0 && ::stat(targetB.c_str(), &infoB) == 0)
        return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
    // Not there yet: the same name in the same folder.
    if (NameOf(targetA) != NameOf(targetB)) return false;
    if (::stat(FolderOf(targetA).c_str(), &infoA) == 0 && ::stat(FolderOf(targetB).c_str(), &infoB) == 0)
        return infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
    return std::filesystem::absolute(targetA).lexically_normal() == std::filesystem::absolute(targetB).lexically_normal();
}

}  // namespace kurvo
