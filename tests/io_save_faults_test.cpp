// Save when the disk or the folder fails it: a full disk, a file system
// mounted read-only, and a folder removed while the confirmation is showing.
// Each shows the message with the reason, leaves the previous file byte for
// byte and leaves no temporary file behind.  The disk faults need a memory
// file system mounted for the test (root); elsewhere they are skipped.
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "io/file_access.h"
#include "io_support.h"

namespace kurvo::test {
namespace {

// A memory file system of a few pages on a scratch folder, unmounted at the end.
class SmallDisk : public ScratchFolder {
public:
    SmallDisk() {
        mounted_ = ::mount("tmpfs", path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
        if (!mounted_) why_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path().c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }

    // Takes all free space with a file "filler", then gives `leave` bytes back.
    void Fill(off_t leave) {
        const int fd = ::open((*this / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        off_t size = 0;
        for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;) size += n;
        ASSERT_EQ(errno, ENOSPC);
        ASSERT_EQ(::ftruncate(fd, size - leave), 0);
        ::close(fd);
    }

private:
    bool mounted_ = false;
    std::string why_;
};

#define SKIP_WITHOUT(disk) \
    if (!(disk).Mounted()) GTEST_SKIP() << "cannot mount a memory file system here: " << (disk).Why()

// The message of a failed save whose reason is the given error number.
::testing::AssertionResult FailedWith(const Workbench& wb, int errorNumber) {
    const std::string head = std::string(kCannotWriteMessage) + "\n", tail = FileErrorText(errorNumber);
    if (wb.dialogs.messages.size() != 2)
        return ::testing::AssertionFailure() << "messages: " << ::testing::PrintToString(wb.Messages());
    const std::string& text = wb.dialogs.messages[1].text;
    if (text.rfind(head, 0) == 0 && text.ends_with(tail)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "message: " << text << "\nexpected the reason: " << tail;
}

// A document of more than two pages (8 KB): the whole data grid, and results.
void LoadLargeDocument(Workbench& wb) {
    wb.app.LoadExample(1);
    for (int r = 1; r <= 100; ++r)
        for (int c = 3; c <= 5; ++c) wb.spdData.SetText(c, r, "note " + std::to_string(r * c) + " 測定値の備考");
    wb.app.RunEstimation();
    ASSERT_GT(WriteDocument(CaptureDocument(wb.app)).size(), 2 * 4096u);
}

TEST(SaveFaults, FullDiskKeepsThePreviousFile) {
    SmallDisk disk;
    SKIP_WITHOUT(disk);
    PutFile(disk / "doc.txt", "previous");
    // No room at all, then room for the first page of the file only.
    for (const off_t room : {off_t{0}, off_t{4096}}) {
        disk.Fill(room);
        Workbench wb;
        LoadLargeDocument(wb);
        Save(wb, disk / "doc.txt");
        EXPECT_TRUE(FailedWith(wb, ENOSPC)) << "room " << room;
        EXPECT_EQ(FileBytes(disk / "doc.txt"), "previous") << "room " << room;
        EXPECT_EQ(disk.Names(), (std::set<std::string>{"doc.txt", "filler"})) << "room " << room;
        std::filesystem::remove(disk / "filler");
    }
    // With room again the same save goes through.
    Workbench wb;
    LoadLargeDocument(wb);
    Save(wb, disk / "doc.txt");
    EXPECT_EQ(FileBytes(disk / "doc.txt"), WriteDocument(CaptureDocument(wb.app)));
    EXPECT_EQ(disk.Names(), std::set<std::string>{"doc.txt"});
}

TEST(SaveFaults, ReadOnlyFileSystem) {
    SmallDisk disk;
    SKIP_WITHOUT(disk);
    PutFile(disk / "doc.txt", "previous");
    ASSERT_EQ(::mount(nullptr, disk.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    Workbench wb;
    wb.app.LoadExample(3);
    Save(wb, disk / "doc.txt");
    EXPECT_TRUE(FailedWith(wb, EROFS));
    EXPECT_EQ(FileBytes(disk / "doc.txt"), "previous");
    EXPECT_EQ(disk.Names(), std::set<std::string>{"doc.txt"});
}

// Message boxes that run `onQuestion` when the save asks for confirmation:
// after the file was chosen and before anything is written.
class QuestionHook : public ScriptedDialogs {
public:
    std::function<void()> onQuestion;
    MsgAnswer Message(const MessageRequest& request) override {
        if (request.buttons == MsgButtons::YesNoCancel && onQuestion) onQuestion();
        return ScriptedDialogs::Message(request);
    }
};

TEST(SaveFaults, FolderRemovedWhileTheQuestionShows) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "docs");
    Workbench parts;
    QuestionHook dialogs;
    App app{Views{parts.spdData, parts.spdSpec, parts.spdCoeff,
                  {&parts.spdEstimate0, &parts.spdEstimate1, &parts.spdEstimate2, &parts.spdEstimate3},
                  parts.tabs, parts.labels, parts.graph, dialogs, &parts.printer}};
    app.StartUp();
    app.LoadExample(4);
    dialogs.onQuestion = [&] { std::filesystem::remove_all(folder / "docs"); };
    dialogs.files.push_back(folder / "docs/doc.txt");
    dialogs.answers.push_back(MsgAnswer::Yes);
    app.SaveCommand();
    const std::string& shown = dialogs.messages.back().text;
    EXPECT_EQ(shown.rfind(std::string(kCannotWriteMessage) + "\n", 0), 0u) << shown;
    EXPECT_TRUE(shown.ends_with(FileErrorText(ENOENT))) << shown;
    EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace kurvo::test
