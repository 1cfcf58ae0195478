// The recovery copy in a temporary state folder: what earlier windows leave
// there, and what a window that starts afterwards is offered and finds.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <regex>

#include "checks.h"
#include "io/recovery.h"
#include "io_support.h"

namespace kurvo::test {
namespace {

// The question names the document's file and the time of the copy, and says what いいえ does.
const std::string kQuestion = "前回、保存されずに終了したデータがあります。復元しますか？\n新しいデータ、2026/01/02 03:04 の時点のコピーです。\n[いいえ] を選ぶと、このデータは削除されます。";
const std::string kSavedQuestion = "前回、保存されずに終了したデータがあります。復元しますか？\n「{state}/saved.txt」、2026/01/02 03:04 の時点のコピーです。\n[いいえ] を選ぶと、このデータは削除されます。";

struct Window {
    Workbench wb;
    RecoveryCopy copy{RecoveryFolder()};
    void Type(const char* a1) {
        wb.data.SetText(1, 1, a1);
        copy.Update(wb.app.UnsavedContent(), wb.app.Origin());
    }
    void Offer() {
        copy.OfferLeftCopies(wb.dialogs, [this](const Document& d, const DocumentOrigin& o) { return RestoreDocument(wb.app, d, o); });
    }
};

struct Scene {
    ScratchFolder state;
    std::vector<std::unique_ptr<Window>> running;
    Window& Start() { return *running.emplace_back(std::make_unique<Window>()); }
    // A window that typed (after saving to `saved`, when given) and was killed before anything else happened.
    void Killed(const char* a1, const char* saved = nullptr) {
        const pid_t child = ::fork();
        if (child == 0) {
            Window w;
            if (saved != nullptr) Save(w.wb, state / saved);
            w.Type(a1);
            ::raise(SIGKILL);
        }
        ::waitpid(child, nullptr, 0);
    }
};

struct Row {
    const char* name;
    std::function<void(Scene&)> before;
    MsgAnswer answer;                    // to the question of the window that starts next
    std::vector<std::string> messages;   // it shows, first lines
    std::string a1;                      // its cell A1 afterwards
    std::multiset<std::string> files;    // the folder, numbers as #
    std::multiset<std::string> copiedA1; // cell A1 of each copy in it
    std::string documentFile = {};       // the file it has then, in the state folder
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class RecoveryTest : public ::testing::TestWithParam<Row> {};

TEST_P(RecoveryTest, WhatTheNextStartFinds) {
    const Row& row = GetParam();
    Scene scene;
    ::setenv("XDG_STATE_HOME", scene.state.path().c_str(), 1);
    const std::string folder = scene.state / "kurvo";
    ASSERT_EQ(RecoveryFolder(), folder);
    row.before(scene);

    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const timespec copied[2] = {{1767323040, 0}, {1767323040, 0}};  // 2026-01-02 03:04 UTC
    if (std::filesystem::exists(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            ::utimensat(AT_FDCWD, entry.path().c_str(), copied, 0);
    Window next;
    next.wb.dialogs.answers = {row.answer};
    next.Offer();
    std::vector<std::string> messages;
    for (const std::string& text : next.wb.Messages()) {
        const std::string shown = std::regex_replace(text, std::regex(scene.state.path().string()), "{state}");
        messages.push_back(shown.find("復元しますか") != std::string::npos ? shown : shown.substr(0, shown.find('\n')));
    }
    EXPECT_EQ(messages, row.messages);
    EXPECT_EQ(next.wb.data.Text(1, 1), row.a1);
    EXPECT_EQ(next.wb.app.DocumentFile(), row.documentFile.empty() ? "" : scene.state / row.documentFile);

    std::multiset<std::string> files, copiedA1;
    if (std::filesystem::exists(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            files.insert(std::regex_replace(name, std::regex("[0-9]+"), "#"));
            if (name.starts_with("window-") && name.ends_with(".txt") && entry.is_regular_file())
                copiedA1.insert(ReadDocumentFile(entry.path().string()).rows.at(0).at(0));
        }
    EXPECT_EQ(files, row.files);
    EXPECT_EQ(copiedA1, row.copiedA1);

    Window later;  // nothing is offered twice
    later.Offer();
    EXPECT_TRUE(later.wb.Messages().empty());
}

const std::string kCopy = "window-#-#.txt", kLock = "window-#-#.lock";
const std::vector<std::string> kAsked = {kQuestion}, kNone = {};

INSTANTIATE_TEST_SUITE_P(Recovery, RecoveryTest, ::testing::Values(
    Row{"WrittenAfterAChange", [](Scene& s) { s.Start().Type("1.5"); },
        MsgAnswer::Yes, kNone, "", {kCopy, kLock}, {"1.5"}},
    Row{"RemovedAfterSave", [](Scene& s) {
            Window& w = s.Start();
            w.Type("1.5");
            Save(w.wb, s.state / "saved.txt");
            w.copy.Update(w.wb.app.UnsavedContent());
        }, MsgAnswer::Yes, kNone, "", {kLock}, {}},
    Row{"RemovedAfterNormalExit", [](Scene& s) {
            Window& w = s.Start();
            w.Type("1.5");
            w.copy.Discard();
            s.running.clear();
        }, MsgAnswer::Yes, kNone, "", {}, {}},
    Row{"RestoredAfterAKill", [](Scene& s) { s.Killed("1.5"); },
        MsgAnswer::Yes, kAsked, "1.5", {kCopy, kLock}, {"1.5"}},
    Row{"RestoredWithItsFile", [](Scene& s) { s.Killed("1.5", "saved.txt"); },
        MsgAnswer::Yes, {kSavedQuestion}, "1.5", {kCopy, kLock}, {"1.5"}, "saved.txt"},
    Row{"DeclinedAfterAKill", [](Scene& s) { s.Killed("1.5"); },
        MsgAnswer::No, kAsked, "", {}, {}},
    Row{"TwoWindowsKeptApart", [](Scene& s) {
            s.Start().Type("1");
            s.Start().Type("2");
        }, MsgAnswer::Yes, kNone, "", {kCopy, kLock, kCopy, kLock}, {"1", "2"}},
    Row{"UnreadableCopyKept", [](Scene& s) {
            std::filesystem::create_directories(s.state / "kurvo");
            PutFile(s.state / "kurvo/window-7-1.txt", "[測定値]\r\n");
        }, MsgAnswer::Yes, {kQuestion, "『Kurvo』のデータではありません"}, "", {"unreadable-#-#.txt"}, {}},
    Row{"PlantedLinkNotFollowed", [](Scene& s) {
            Window& first = s.Start();
            first.Type("1");
            // Under the name the next window of this process takes.
            std::string next = first.copy.Path();
            const std::size_t dash = next.rfind('-');
            next = next.substr(0, dash + 1) + std::to_string(std::stoi(next.substr(dash + 1)) + 1) + ".txt";
            std::filesystem::create_symlink("planted.txt", next);
            s.Start().Type("2");
        }, MsgAnswer::Yes, kNone, "", {kCopy, kLock, kCopy, kLock, kCopy}, {"1", "2"}},
    Row{"LeftoversOfEndedWindowsRemoved", [](Scene& s) {
            std::filesystem::create_directories(s.state / "kurvo");
            PutFile(s.state / "kurvo/window-7-1.lock", "");
            PutFile(s.state / "kurvo/.window-7-2.txt.kurvo-Ab12Cd", "[基本情報]");
        }, MsgAnswer::Yes, kNone, "", {}, {}},
    Row{"CharactersShiftJisLacksKept", [](Scene& s) { s.Killed("5 µm²"); },
        MsgAnswer::Yes, kAsked, "5 µm²", {kCopy, kLock}, {"5 µm²"}},
    Row{"LinkedFolderNotUsed", [](Scene& s) {
            std::filesystem::create_directory(s.state / "shared");
            std::filesystem::permissions(s.state / "shared", std::filesystem::perms(01777));
            std::filesystem::create_directory_symlink("shared", s.state / "kurvo");
            EXPECT_NE(s.Start().copy.Update(Document{}), std::nullopt);
            EXPECT_EQ(std::filesystem::status(s.state / "shared").permissions(), std::filesystem::perms(01777));
        }, MsgAnswer::Yes, kNone, "", {}, {}},
    Row{"FolderNamedLikeACopyNotOffered", [](Scene& s) {
            std::filesystem::create_directories(s.state / "kurvo/window-7-1.txt");
        }, MsgAnswer::Yes, kNone, "", {kCopy}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

// The folder is the user's alone even when it was there before, and so are copies and locks.
TEST(RecoveryCopy, KeptFromOtherUsers) {
    ScratchFolder state;
    const std::string folder = state / "kurvo";
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms(0755));
    RecoveryCopy copy(folder);
    Workbench wb;
    wb.data.SetText(1, 1, "1");
    ASSERT_EQ(copy.Update(wb.app.UnsavedContent()), std::nullopt);
    const std::string lock = std::regex_replace(copy.Path(), std::regex("txt$"), "lock");
    for (const auto& [path, mode] : {std::pair(folder, 0700), std::pair(copy.Path(), 0600), std::pair(lock, 0600)})
        EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(mode)) << path;
}

}  // namespace
}  // namespace kurvo::test
