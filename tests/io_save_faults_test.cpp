// Save when the disk or the folder fails it: a full disk (no room for the
// data, for part of it, or for another file name), a file system mounted
// read-only, and a folder or target that changes while the confirmation is
// showing.  Each shows the message with the reason, leaves the previous file
// byte for byte and leaves no temporary file behind.  (Targets that are
// unwritable from the start are in io_commands_test.cpp.)
//
// The disk faults run on a small memory file system mounted for the test,
// which needs root; where mounting is not allowed they are skipped.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>

#include "io/file_access.h"
#include "io_support.h"

namespace kurvo::test {
namespace {

// A memory file system of a few pages on a scratch folder, unmounted at the end.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& options) {
        std::string pattern = (std::filesystem::temp_directory_path() / "kurvo-disk-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
        if (!mounted_) why_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
        std::filesystem::remove_all(path_);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) names.insert(entry.path().filename().string());
        return names;
    }

    // Takes all free space with a file "filler", then gives `leave` bytes back.
    void Fill(off_t leave) {
        const int fd = ::open((*this / "filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        off_t size = 0;
        while (true) {
            const ssize_t n = ::write(fd, block.data(), block.size());
            if (n <= 0) break;
            size += n;
        }
        ASSERT_EQ(errno, ENOSPC);
        ASSERT_GE(size, leave);
        ASSERT_EQ(::ftruncate(fd, size - leave), 0);
        ::close(fd);
    }
    void Free() { std::filesystem::remove(*this / "filler"); }

    void MakeReadOnly() {
        ASSERT_EQ(::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0) << std::strerror(errno);
    }

private:
    std::filesystem::path path_;
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
    if (text.rfind(head, 0) == 0 && text.size() >= head.size() + tail.size() &&
        text.compare(text.size() - tail.size(), tail.size(), tail) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "message: " << text << "\nexpected the reason: " << tail;
}

// A document of more than two pages (8 KB): the whole data grid, and results.
void LoadLargeDocument(Workbench& wb) {
    wb.app.LoadExample(1);
    for (int r = 1; r <= 100; ++r)
        for (int c = 3; c <= 5; ++c) wb.spdData.SetText(c, r, "note " + std::to_string(r * c) + " 測定値の備考");
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.Messages().front();
    ASSERT_GT(WriteDocument(CaptureDocument(wb.app)).size(), 2 * 4096u);
}

TEST(SaveFaults, FullDiskKeepsThePreviousFile) {
    SmallDisk disk("size=64k");
    SKIP_WITHOUT(disk);
    const std::string previous = SjisLines({"[基本情報]", ",測定データ個数, 0 "});
    PutFile(disk / "doc.txt", previous);
    // No room at all, then room for the first page of the file only.
    for (const off_t room : {off_t{0}, off_t{4096}}) {
        disk.Fill(room);
        const std::set<std::string> names = disk.Names();
        for (const std::string name : {"doc.txt", "new.txt"}) {
            Workbench wb;
            LoadLargeDocument(wb);
            Save(wb, disk / name);
            EXPECT_TRUE(FailedWith(wb, ENOSPC)) << name << ", room " << room;
        }
        EXPECT_EQ(FileBytes(disk / "doc.txt"), previous) << "room " << room;
        EXPECT_EQ(disk.Names(), names) << "room " << room;
        disk.Free();
    }
    // With room again the same save goes through.
    Workbench wb;
    LoadLargeDocument(wb);
    Save(wb, disk / "doc.txt");
    EXPECT_EQ(wb.Messages().back(), "保存しました。");
    EXPECT_EQ(FileBytes(disk / "doc.txt"), WriteDocument(CaptureDocument(wb.app)));
    EXPECT_EQ(disk.Names(), std::set<std::string>{"doc.txt"});
}

TEST(SaveFaults, NoRoomForTheTemporaryFileName) {
    SmallDisk disk("size=64k,nr_inodes=2");  // the root folder and one file
    SKIP_WITHOUT(disk);
    PutFile(disk / "doc.txt", "previous");
    Workbench wb;
    wb.app.LoadExample(2);
    Save(wb, disk / "doc.txt");
    EXPECT_TRUE(FailedWith(wb, ENOSPC));
    EXPECT_EQ(FileBytes(disk / "doc.txt"), "previous");
    EXPECT_EQ(disk.Names(), std::set<std::string>{"doc.txt"});
}

TEST(SaveFaults, ReadOnlyFileSystem) {
    SmallDisk disk("size=64k");
    SKIP_WITHOUT(disk);
    PutFile(disk / "doc.txt", "previous");
    disk.MakeReadOnly();
    for (const std::string name : {"doc.txt", "new.txt"}) {
        Workbench wb;
        wb.app.LoadExample(3);
        Save(wb, disk / name);
        EXPECT_TRUE(FailedWith(wb, EROFS)) << name;
    }
    EXPECT_EQ(FileBytes(disk / "doc.txt"), "previous");
    EXPECT_EQ(disk.Names(), std::set<std::string>{"doc.txt"});
}

// Message boxes that run `onQuestion` when the save asks for confirmation:
// the moment after the file was chosen and before anything is written.
class QuestionHook : public ScriptedDialogs {
public:
    std::function<void()> onQuestion;
    MsgAnswer Message(const MessageRequest& request) override {
        if (request.buttons == MsgButtons::YesNoCancel && onQuestion) onQuestion();
        return ScriptedDialogs::Message(request);
    }
};

// A headless window whose message boxes are a QuestionHook.
struct HookedWindow {
    Workbench parts;
    QuestionHook dialogs;
    App app{Views{parts.spdData, parts.spdSpec, parts.spdCoeff,
                  {&parts.spdEstimate0, &parts.spdEstimate1, &parts.spdEstimate2, &parts.spdEstimate3},
                  parts.tabs, parts.labels, parts.graph, dialogs, &parts.printer}};
    HookedWindow() { app.StartUp(); }

    std::string SaveWhile(const std::string& path, std::function<void()> change) {
        dialogs.onQuestion = std::move(change);
        dialogs.files.push_back(path);
        dialogs.answers.push_back(MsgAnswer::Yes);
        app.SaveCommand();
        return dialogs.messages.back().text;
    }
};

std::vector<std::string> Listing(const std::filesystem::path& folder) {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST(SaveFaults, FolderOrTargetChangedWhileTheQuestionShows) {
    namespace fs = std::filesystem;
    const std::string head = std::string(kCannotWriteMessage) + "\n";
    struct Row {
        const char* name;
        std::function<void(const ScratchFolder&)> change;
        int errorNumber;
    };
    const Row rows[] = {
        {"folder removed", [](const ScratchFolder& f) { fs::remove_all(f / "docs"); }, ENOENT},
        {"folder replaced by a file",
         [](const ScratchFolder& f) {
             fs::remove_all(f / "docs");
             PutFile(f / "docs", "a file now");
         },
         ENOTDIR},
        {"target replaced by a folder",
         [](const ScratchFolder& f) {
             fs::remove(f / "docs/doc.txt");
             fs::create_directory(f / "docs/doc.txt");
         },
         EISDIR},
        {"target made read-only", [](const ScratchFolder& f) { ::chmod((f / "docs/doc.txt").c_str(), 0444); }, 0},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        fs::create_directory(folder / "docs");
        PutFile(folder / "docs/doc.txt", "previous");
        HookedWindow window;
        window.app.LoadExample(4);
        std::vector<std::string> left;  // every path in the scratch folder right after the change
        const std::string shown = window.SaveWhile(folder / "docs/doc.txt", [&] {
            row.change(folder);
            left = Listing(folder.path());
        });
        EXPECT_EQ(shown.rfind(head, 0), 0u) << row.name << ": " << shown;
        if (row.errorNumber != 0) {
            EXPECT_NE(shown.find(FileErrorText(row.errorNumber)), std::string::npos) << row.name << ": " << shown;
        }
        // What the change left is all there is: no temporary file, and files kept as they were.
        EXPECT_EQ(Listing(folder.path()), left) << row.name;
        if (fs::is_regular_file(folder / "docs/doc.txt")) {
            EXPECT_EQ(FileBytes(folder / "docs/doc.txt"), "previous") << row.name;
        }
        if (fs::is_regular_file(folder / "docs")) {
            EXPECT_EQ(FileBytes(folder / "docs"), "a file now") << row.name;
        }
    }
}

}  // namespace
}  // namespace kurvo::test
