#include "io/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
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

// The file a name stands for: symbolic links are followed, so that saving
// through a link replaces the file it points at and keeps the link, also when
// that file does not exist yet.
std::string ResolveTarget(const std::string& path) {
    std::string target = path;
    for (int links = 0; links < 40; ++links) {  // as many links as the system follows in a path
        struct stat info {};
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
        std::vector<char> buffer(PATH_MAX);
        const ssize_t n = ::readlink(target.c_str(), buffer.data(), buffer.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) break;
        const std::string pointsAt(buffer.data(), static_cast<std::size_t>(n));
        target = pointsAt.front() == '/' ? pointsAt : FolderOf(target) + "/" + pointsAt;
    }
    return target;
}

mode_t DefaultMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
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
    default: break;
    }
    return std::string("ファイル操作に失敗しました（") + std::strerror(errorNumber) + "）。";
}

std::string ReadWholeFile(const std::string& path) {
    if (path.empty()) RaiseRead("ファイル名がありません。");
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) RaiseRead("ファイルを開けません: " + FileErrorText(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) RaiseRead("ファイルを読めません: " + FileErrorText(errno));
    if (S_ISDIR(info.st_mode)) RaiseRead("ファイルを開けません: " + FileErrorText(EISDIR));
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
    }
    return bytes;
}

PreparedFile::PreparedFile(const std::string& path, std::string_view bytes) {
    if (path.empty()) RaiseWrite("ファイル名がありません。");
    target_ = ResolveTarget(path);

    mode_t mode = DefaultMode();
    struct stat info {};
    if (::stat(target_.c_str(), &info) == 0) {
        // Found here rather than by the rename, so that Commit has little left to fail.
        if (S_ISDIR(info.st_mode)) RaiseWrite(FileErrorText(EISDIR));
        if (S_ISREG(info.st_mode)) {
            if ((info.st_mode & 0222) == 0) RaiseWrite("読み取り専用のファイルです。");
            if (::access(target_.c_str(), W_OK) != 0) RaiseWrite(FileErrorText(errno));
            mode = info.st_mode & 07777;
        }
    }

    std::string temporary = FolderOf(target_) + "/." + NameOf(target_) + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) RaiseWrite("一時ファイルを作れません: " + FileErrorText(errno));
    temporary_ = temporary;
    try {
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
        if (::fchmod(file.get(), mode) != 0) RaiseWrite(FileErrorText(errno));
        if (::fsync(file.get()) != 0) RaiseWrite(FileErrorText(errno));
        if (const int error = file.Close(); error != 0) RaiseWrite(FileErrorText(error));
    } catch (...) {
        ::unlink(temporary_.c_str());
        throw;
    }
}

PreparedFile::~PreparedFile() {
    if (!committed_) ::unlink(temporary_.c_str());
}

void PreparedFile::Commit() {
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) RaiseWrite(FileErrorText(errno));
    committed_ = true;
}

void ReplaceFileContents(const std::string& path, std::string_view bytes) { PreparedFile(path, bytes).Commit(); }

}  // namespace kurvo
