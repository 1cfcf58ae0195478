// kurvo-batch: the same results as the estimate button, and no output at all
// when anything fails.
#include <sys/wait.h>

#include <sstream>

#include "io/batch.h"
#include "state/numbers.h"
#include "io_support.h"

namespace kurvo::test {
namespace {

struct BatchRun {
    int status;
    std::string out, err;
};

BatchRun Batch(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = RunBatch(arguments, out, err);
    return {status, out.str(), err.str()};
}

// What Save writes after the estimate button, on a window of its own.
std::string SavedAfterEstimation(int example) {
    Workbench wb;
    wb.app.LoadExample(example);
    wb.app.RunEstimation();
    EXPECT_TRUE(wb.dialogs.messages.empty());
    return WriteDocument(CaptureDocument(wb.app));
}

TEST(Batch, EachExampleGivesTheEngineResults) {
    ScratchFolder folder;
    for (int n = 1; n <= 4; ++n) {
        const BatchRun run = Batch({"--example", std::to_string(n), "-o", folder / "out.txt"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(FileBytes(folder / "out.txt"), SavedAfterEstimation(n)) << "example " << n;
    }
    // The coefficients are those of the fit itself, C0 of example 4 for instance.
    Workbench wb;
    wb.app.LoadExample(4);
    wb.app.RunEstimation();
    const std::string text = *FromShiftJis(Batch({"--example", "4"}).out);
    EXPECT_NE(text.find(" ,C0, " + FormatGeneral(wb.app.session.dbl_Coeff(1, 0)) + " \r\n"), std::string::npos);
}

TEST(Batch, ReadsADataFileAsOpenDoes) {
    ScratchFolder folder;
    Workbench wb;
    wb.app.LoadExample(3);
    Save(wb, folder / "in.txt");
    const BatchRun run = Batch({folder / "in.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, SavedAfterEstimation(3));
}

TEST(Batch, FailuresWriteNothing) {
    ScratchFolder folder;
    PutFile(folder / "garbage.txt", "\x01\x02 not ours");
    PutFile(folder / "degree7.txt", SjisLines({"[基本情報]", ",n, 2 ", ",m, 2 ", ",k, 1 ", ",t,", ",v,A,B", "[推算方法]",
                                               ",k,k,k,k,k,k,k", ",B,0,0,A,0,0,7", "[測定値]", " , 1 ,1,2",
                                               " , 2 ,2,3"}));
    struct Row { const char* name; std::vector<std::string> arguments; int status; std::string message; };
    const Row rows[] = {
        {"missing file", {folder / "none.txt"}, 1, "データファイルを読み込めませんでした。\nファイルを開けません"},
        {"not our data", {folder / "garbage.txt"}, 1, "『Kurvo』のデータではありません"},
        {"estimation fails", {folder / "degree7.txt"}, 1, ""},
        {"unwritable output", {"--example", "1", "-o", folder / "no/such/out.txt"}, 1, "データファイルを書き込めませんでした。"},
        {"nothing to load", {}, 2, ""},
        {"two inputs", {"--example", "1", folder / "garbage.txt"}, 2, ""},
        {"example out of range", {"--example", "5"}, 2, ""},
        {"output without name", {"--example", "1", "-o"}, 2, ""},
        {"unknown option", {"--graph", "x.png"}, 2, ""},
    };
    for (const Row& row : rows) {
        std::vector<std::string> arguments = row.arguments;
        if (row.status == 1 && std::find(arguments.begin(), arguments.end(), "-o") == arguments.end()) {
            arguments.push_back("-o");
            arguments.push_back(folder / "out.txt");
        }
        const BatchRun run = Batch(arguments);
        EXPECT_EQ(run.status, row.status) << row.name;
        EXPECT_EQ(run.out, "") << row.name;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
        EXPECT_FALSE(run.err.empty()) << row.name;
        EXPECT_FALSE(std::filesystem::exists(folder / "out.txt")) << row.name;
    }
    const BatchRun help = Batch({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("kurvo-batch --example N [-o OUT]"), std::string::npos);
}

// The program itself, when it was built beside the tests.
TEST(Batch, ProgramExitStatus) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "kurvo-batch";
    if (!std::filesystem::exists(program)) GTEST_SKIP() << "no " << program;
    ScratchFolder folder;
    auto run = [&](const std::string& arguments) {
        const int status = std::system((program.string() + " " + arguments + " 2>/dev/null").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("--example 2 -o " + (folder / "good.txt")), 0);
    EXPECT_EQ(FileBytes(folder / "good.txt"), SavedAfterEstimation(2));
    EXPECT_NE(run((folder / "none.txt") + " -o " + (folder / "bad.txt")), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "bad.txt"));
}

}  // namespace
}  // namespace kurvo::test
