// Files written together, all or nothing, and names that stand for one file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include "io/file_access.h"
#include "io/user_settings.h"
#include "io_support.h"

namespace kurvo::test {
namespace {

// a.txt, then sub/b.txt, whose folder may vanish before the group is committed.
TEST(FileGroup, ReplacesEveryFileOrNone) {
    struct Row { const char* name; const char* before; bool vanishes; std::map<std::string, std::string> after; };
    const Row rows[] = {
        {"both in place", "old", false, {{"a.txt", "new"}, {"sub", ""}}},
        {"the first put back", "old", true, {{"a.txt", "old"}}},
        {"the first, new, removed again", nullptr, true, {}},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        std::filesystem::create_directory(folder / "sub");
        if (row.before != nullptr) PutFile(folder / "a.txt", row.before);
        FileGroup group;
        group.Add(folder / "a.txt", "new");
        group.Add(folder / "sub/b.txt", "new");
        if (row.vanishes) std::filesystem::remove_all(folder / "sub");
        std::string failure;
        try {
            group.Commit();
        } catch (const RuntimeError& error) {
            failure = std::to_string(group.Failed()) + " " + error.Description();
        }
        EXPECT_EQ(failure, row.vanishes ? "1 ファイルまたはフォルダーが見つかりません。" : "") << row.name;
        EXPECT_EQ(folder.Files(), row.after) << row.name;
        EXPECT_TRUE(row.vanishes || FileBytes(folder / "sub/b.txt") == "new") << row.name;
    }
}

// What a save leaves in the folder: the file alone, whatever the length of
// its name; earlier saves' temporary files of that file go unless a save
// still holds one.
TEST(ReplaceFileContents, LeavesTheFileAlone) {
    const std::string longest = std::string(251, 'n') + ".txt";  // 255 bytes, the longest name ext4 and tmpfs take
    struct Row { const char* name; std::string target; std::vector<std::string> before, after; };
    const Row rows[] = {
        {"name of 255 bytes", longest, {}, {longest}},
        {"leftovers of earlier saves removed", "doc.txt", {".doc.txt.kurvo-Ab12Cd", ".doc.txt.kurvo-000000", ".other.txt.kurvo-Ab12Cd"},
         {".other.txt.kurvo-Ab12Cd", "doc.txt"}},
        {"a save's own temporary file kept", "doc.txt", {"held .doc.txt.kurvo-Ab12Cd"}, {".doc.txt.kurvo-Ab12Cd", "doc.txt"}},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        PutFile(folder / row.target, "old");
        std::vector<int> held;
        for (std::string name : row.before) {
            const bool hold = name.starts_with("held ");
            if (hold) name.erase(0, 5);
            PutFile(folder / name, "part");
            if (hold) held.push_back(::open((folder / name).c_str(), O_RDONLY));
            if (hold) ::flock(held.back(), LOCK_EX);
        }
        ReplaceFileContents(folder / row.target, "new");
        std::vector<std::string> after;
        for (const auto& [name, bytes] : folder.Files()) after.push_back(name);
        EXPECT_EQ(after, row.after) << row.name;
        EXPECT_EQ(FileBytes(folder / row.target), "new") << row.name;
        for (const int fd : held) ::close(fd);
    }
}

// The settings file: read only when it is a regular file of its own of a
// sane size, without waiting; anything else gives the defaults with the
// reason, and is not written over.
TEST(UserSettings, ReadAndWrittenOnlyAsARegularFile) {
    const UserSettings defaults, saved{true, false, 99};
    struct Row { const char* name; std::string before; UserSettings read; std::string problem; };
    const Row rows[] = {
        {"no file yet", "-", defaults, ""},
        {"values of an earlier run", "[bands]\nconfidence=true\nlevel=99\nprediction=false\n", saved, ""},
        {"garbage values give their defaults", "[bands]\nlevel=96\nconfidence=yes\nprediction=true\n[window]\nplace=1 2 0 4\n",
         {false, true, 95}, ""},
        {"the window's place", "[window]\nmaximised=true\nplace=-8 30 1400 950\n",
         {false, false, 95, false, {-8, 30, 1400, 950}, true}, ""},
        {"FIFO", "FIFO", defaults, "通常のファイルではありません。"},
        {"device link", "link /dev/full", defaults, "シンボリックリンクです。"},
        {"link loop", "link kurvo.conf", defaults, "シンボリックリンクです。"},
        {"lock folder beside", "lock folder", defaults, ""},
        {"oversized file", "64 KiB and a byte", defaults, "ファイルが大きすぎます。"},
    };
    for (const Row& row : rows) {
        ScratchFolder folder;
        const std::string path = folder / "kurvo.conf";
        if (row.before == "FIFO") {
            ::mkfifo(path.c_str(), 0644);
        } else if (row.before.starts_with("link ")) {
            std::filesystem::create_symlink(row.before.substr(5), path);
        } else if (row.before == "lock folder") {
            std::filesystem::create_directory(path + ".lock");
        } else if (row.before == "64 KiB and a byte") {
            PutFile(path, "");
            std::filesystem::resize_file(path, 64 * 1024 + 1);
        } else if (row.before != "-") {
            PutFile(path, row.before);
        }
        const auto type = std::filesystem::symlink_status(path).type();
        const SettingsRead read = ReadUserSettings(path);
        EXPECT_EQ(read.settings, row.read) << row.name;
        EXPECT_EQ(read.problem.value_or(""), row.problem) << row.name;
        if (row.before.starts_with("64 KiB")) continue;  // a regular file: written over
        EXPECT_EQ(WriteUserSettings(path, saved).value_or(""), row.problem) << row.name;
        if (row.problem.empty()) EXPECT_EQ(ReadUserSettings(path).settings, saved) << row.name;
        else EXPECT_EQ(std::filesystem::symlink_status(path).type(), type) << row.name;
    }
}

TEST(FileGroup, SameFileThroughLinksAndSpellings) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "sub");
    PutFile(folder / "a.txt", "a");
    std::filesystem::create_symlink("a.txt", folder / "link");
    std::filesystem::create_hard_link(folder / "a.txt", folder / "hard");
    std::filesystem::create_symlink("sub/new.txt", folder / "to-new");
    const struct { const char* a; const char* b; bool same; } rows[] = {
        {"a.txt", "link", true},
        {"hard", "a.txt", true},
        {"to-new", "sub/new.txt", true},
        {"sub/../a.txt", "a.txt", true},
        {"sub/../new.txt", "new.txt", true},
        {"none/../none/x.txt", "none/x.txt", true},
        {"a.txt", "sub/a.txt", false},
        {"to-new", "sub/other.txt", false},
    };
    for (const auto& row : rows) EXPECT_EQ(SameFile(folder / row.a, folder / row.b), row.same) << row.a << " " << row.b;
}

}  // namespace
}  // namespace kurvo::test
