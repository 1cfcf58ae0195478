// Files written together, all or nothing, and names that stand for one file.
#include "io/file_access.h"
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
