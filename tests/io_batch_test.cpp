// kurvo-batch, the program itself.
#include <sys/wait.h>

#include <sstream>

#include "io_support.h"

namespace kurvo::test {
namespace {

struct BatchRun {
    int status;
    std::string out, err;
};

// Runs the program with the arguments, each quoted for the shell.
BatchRun Batch(const std::vector<std::string>& arguments) {
    ScratchFolder streams;
    std::string command = KURVO_BATCH_PROGRAM;
    for (const std::string& a : arguments) command += " '" + a + "'";
    const int status = std::system((command + " >" + (streams / "out") + " 2>" + (streams / "err")).c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileBytes(streams / "out"), FileBytes(streams / "err")};
}

// What Save writes after the estimate button.
std::string SavedAfterEstimation(int example) {
    Workbench wb;
    wb.app.LoadExample(example);
    wb.app.RunEstimation();
    EXPECT_TRUE(wb.dialogs.messages.empty());
    return WriteDocument(CaptureDocument(wb.app));
}

// On success the document as Save writes it after the estimate button; on
// failure the reason, no new file and the files already there untouched.
TEST(Batch, CommandLines) {
    ScratchFolder folder;
    Workbench wb;
    wb.app.LoadExample(3);
    Save(wb, folder / "example3.txt");
    const BatchRun example = Batch({"--example", "2"}), file = Batch({folder / "example3.txt"});
    EXPECT_EQ(std::tie(example.status, example.err, example.out), std::tuple(0, "", SavedAfterEstimation(2)));
    EXPECT_EQ(std::tie(file.status, file.err, file.out), std::tuple(0, "", SavedAfterEstimation(3)));

    PutFile(folder / "old.png", "an image written before");
    std::filesystem::create_directory(folder / "sub");
    PutFile(folder / "readonly.txt", "previous");
    std::filesystem::permissions(folder / "readonly.txt", std::filesystem::perms(0444));
    const auto before = folder.Files();
#ifdef KURVO_BATCH_GRAPHS
    const std::string build = "graphs";
#else
    const std::string build = "text";
#endif
    for (const auto& row : ReadCases("batch_failures.txt", 0, {{"{dir}", folder.path().string()}, {"{data}", KURVO_TEST_DATA}})) {
        if (row.at(1) != "all" && row.at(1) != build) continue;
        const BatchRun run = Batch({row.begin() + 4, row.end()});
        EXPECT_EQ(run.status, std::stoi(row.at(2))) << row[0];
        if (row[2] == "0") {
            EXPECT_EQ(run.err, "") << row[0];
            for (const auto& written : folder.Files())
                if (!before.contains(written.first)) std::filesystem::remove(folder / written.first);
            continue;
        }
        EXPECT_EQ(run.out, "") << row[0];
        EXPECT_EQ(run.err, "kurvo-batch: " + row.at(3) + "\n") << row[0];
        EXPECT_EQ(folder.Files(), before) << row[0];
    }
}

// --stats and --at write their tables to standard output at the chosen level.
TEST(Batch, FigureTablesAtTheChosenLevel) {
    const BatchRun run = Batch({"--example", "1", "--stats", "--at", "0", "--level", "99"});
    ASSERT_EQ(std::tie(run.status, run.err), std::tuple(0, ""));
    std::vector<std::string> lines;
    for (std::istringstream in(run.out); std::getline(in, lines.emplace_back());) {}
    lines.pop_back();
    ASSERT_EQ(lines.size(), 12u);  // a heading, a cubic's 4 and a parabola's 3 coefficients; a blank; a heading, 2 fits at x = 0
    EXPECT_TRUE(lines[0].find("\t下限 (99%)\t") != std::string::npos) << lines[0];
    EXPECT_TRUE(lines[4].starts_with("Y1\tC3\t") && lines[7].starts_with("Y2\tC2\t"));
    // Combination 2 fits 1/y: its intervals at x = 0 hold the pole and have no ends.
    EXPECT_TRUE(lines[11].starts_with("Y2\t0\t") && lines[11].ends_with("\t—\t—\t—\t—")) << lines[11];
}

}  // namespace
}  // namespace kurvo::test
