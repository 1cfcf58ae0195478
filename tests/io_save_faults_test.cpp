// Save when the disk refuses it.  Each fault shows the message with the
// reason, leaves the previous file byte for byte and no temporary file
// behind.  (Targets that refuse are rows of the Open and Save table and of the
// kurvo-batch table, which writes through the same file writer.)  The faults
// need a memory file system mounted for the test, which only root may do:
// they are skipped for other users, and fail for root when the mount does not
// work, so that they never pass unseen.
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "io_support.h"

namespace kurvo::test {
namespace {

// A memory file system of a few pages on a scratch folder, unmounted at the end.
struct SmallDisk : ScratchFolder {
    const int error = ::mount("tmpfs", path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0 ? 0 : errno;
    ~SmallDisk() {
        if (error == 0) ::umount2(path().c_str(), MNT_DETACH);
    }
};

#define REQUIRE_MOUNTED(disk)                                                                                     \
    if ((disk).error != 0) {                                                                                      \
        if (::geteuid() == 0) FAIL() << "root cannot mount a memory file system: " << std::strerror((disk).error); \
        GTEST_SKIP() << "mounting a memory file system needs root: " << std::strerror((disk).error);               \
    }

// Saves a document of more than two pages (8 KB) to `path`; the last message.
std::string SaveLargeDocument(const std::string& path) {
    Workbench wb;
    wb.app.LoadExample(1);
    for (int r = 1; r <= 100; ++r)
        for (int c = 3; c <= 5; ++c) wb.spdData.SetText(c, r, "note " + std::to_string(r * c) + " 測定値の備考");
    Save(wb, path);
    return wb.Messages().back();
}

// The disk full, then the same disk mounted read-only.
TEST(SaveFaults, FullDiskAndReadOnlyFileSystem) {
    SmallDisk disk;
    REQUIRE_MOUNTED(disk);
    PutFile(disk / "doc.txt", "previous");
    const std::map<std::string, std::string> previous = {{"doc.txt", "previous"}};
    // Takes all free space, then gives one page back: the first page of the file fits.
    const int fd = ::open((disk / "filler").c_str(), O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'f');
    off_t size = 0;
    for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;) size += n;
    ASSERT_EQ(::ftruncate(fd, size - 4096), 0);
    ::close(fd);
    EXPECT_EQ(SaveLargeDocument(disk / "doc.txt"), "データファイルを書き込めませんでした。\nディスクの空き容量が足りません。");
    std::filesystem::remove(disk / "filler");
    EXPECT_EQ(disk.Files(), previous) << "full disk";

    ASSERT_EQ(::mount(nullptr, disk.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    EXPECT_EQ(SaveLargeDocument(disk / "doc.txt"), "データファイルを書き込めませんでした。\n書き込みが禁止された場所です。");
    EXPECT_EQ(disk.Files(), previous) << "read-only file system";
}

}  // namespace
}  // namespace kurvo::test
