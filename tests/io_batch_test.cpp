// kurvo-batch, the program itself.
#include <sys/wait.h>

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

// The error stream of a failed run: the reason, and for a wrong command line where to read more.
std::string Failure(const std::string& reason) { return "kurvo-batch: " + reason + "\n"; }
std::string Usage(const std::string& reason) { return Failure(reason) + "詳しくは kurvo-batch --help\n"; }

// On success the document as Save writes it after the estimate button; on
// failure the reason, no new file and the files already there untouched.
TEST(Batch, CommandLines) {
    ScratchFolder folder;
    Workbench wb;
    wb.app.LoadExample(3);
    Save(wb, folder / "example3.txt");
    PutFile(folder / "garbage.txt", "\x01\x02 not ours");
    PutFile(folder / "log0.txt", SjisLines({"[基本情報]", ",n, 2 ", ",m, 2 ", ",k, 1 ", ",t,", ",v,A,B", "[推算方法]",
                                            ",k,k,k,k,k,k,k", ",B,1,0,A,0,0,1", "[測定値]", " , 1 ,1,0", " , 2 ,2,3"}));
    PutFile(folder / "old.png", "an image written before");
    std::filesystem::create_directory(folder / "sub");
    PutFile(folder / "readonly.txt", "previous");
    std::filesystem::permissions(folder / "readonly.txt", std::filesystem::perms(0444));
    const auto before = folder.Files();
    const std::string out = folder / "out.txt", image = folder / "out.png", unwritable = folder / "no/such/out.txt";
    const std::string cannotWrite = "データファイルを書き込めませんでした。\n一時ファイルを作れません: ファイルまたはフォルダーが見つかりません。";
    struct Row { const char* name; std::vector<std::string> arguments; int status; std::string err, out = ""; };
    const Row rows[] = {
        {"example", {"--example", "2"}, 0, "", SavedAfterEstimation(2)},
        {"data file", {folder / "example3.txt"}, 0, "", SavedAfterEstimation(3)},
        {"missing file", {folder / "none.txt", "-o", out}, 1,
         Failure("データファイルを読み込めませんでした。\nファイルを開けません: ファイルまたはフォルダーが見つかりません。")},
        {"not our data", {folder / "garbage.txt", "-o", out}, 1, Failure("『Kurvo』のデータではありません")},
        {"estimation fails", {folder / "log0.txt", "-o", out}, 1, Failure("プロシージャの呼び出し、または引数が不正です。")},
        {"unwritable output", {"--example", "1", "-o", unwritable}, 1, Failure(cannotWrite)},
        {"output is a folder", {"--example", "1", "-o", folder / "sub"}, 1,
         Failure(std::string(kCannotWriteMessage) + "\n同じ名前のフォルダーがあります。")},
        {"read-only output", {"--example", "1", "-o", folder / "readonly.txt"}, 1,
         Failure(std::string(kCannotWriteMessage) + "\n読み取り専用のファイルです。")},
#ifdef KURVO_BATCH_GRAPHS
        {"unwritable output with a graph", {"--example", "1", "--graph", image, "-o", unwritable}, 1, Failure(cannotWrite)},
        {"unwritable output keeps an earlier graph", {"--example", "1", "--graph", folder / "old.png", "-o", unwritable},
         1, Failure(cannotWrite)},
        {"combination not estimated", {"--example", "1", "--comb", "4", "--graph", image, "-o", out}, 1,
         Failure("組合せ 4 は推算されていません（推算した組合せは 2 個）。")},
        {"graph of an unknown format", {"--example", "1", "--graph", folder / "out.gif"}, 2,
         Usage("グラフの画像ファイルは .png, .svg, .pdf のどれかにしてください: " + folder / "out.gif")},
#else
        {"graph without drawing", {"--example", "1", "--graph", image, "-o", unwritable}, 2,
         Failure("この kurvo-batch はグラフの画像を描けません (画面の部品なしで作られています)。")},
#endif
        {"nothing to load", {"-o", out}, 2, Usage("データファイルか --example N を指定してください。")},
        {"two inputs", {"--example", "1", folder / "garbage.txt"}, 2, Usage("読み込むものは一つだけ指定してください。")},
        {"example out of range", {"--example", "5"}, 2, Usage("例題の番号は 1 から 4 です: 5")},
        {"output without name", {"--example", "1", "-o"}, 2, Usage("-o の後に値がありません。")},
        {"empty output name", {"--example", "1", "-o", ""}, 2, Usage("出力ファイル名が空です。")},
        {"unknown option", {"--example", "1", "--frobnicate", "-o", out}, 2, Usage("知らないオプションです: --frobnicate")},
        {"combination without graph", {"--example", "1", "--comb", "2", "-o", out}, 2,
         Usage("--comb は --graph と一緒に指定してください。")},
    };
    for (const Row& row : rows) {
        const BatchRun run = Batch(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.name;
        EXPECT_EQ(run.out, row.out) << row.name;
        EXPECT_EQ(run.err, row.err) << row.name;
        EXPECT_EQ(folder.Files(), before) << row.name;
    }
}

}  // namespace
}  // namespace kurvo::test
