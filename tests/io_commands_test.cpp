// The Open and Save commands: dialogs, what a save writes, round trips, refused files.
#include <sys/stat.h>

#include "io_support.h"

namespace kurvo::test {
namespace {

TEST(SaveCommand, AsksAndOnlyYesWrites) {
    ScratchFolder folder;
    const std::string path = folder / "doc.txt";
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        Workbench wb;
        wb.dialogs.files.push_back(path);
        wb.dialogs.answers.push_back(answer);
        wb.app.SaveCommand();
        ASSERT_EQ(wb.Messages(), std::vector<std::string>{"[ " + path + " ] に保存します？"});
        EXPECT_EQ(wb.dialogs.messages[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(wb.dialogs.messages[0].icon, MsgIcon::Question);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    Workbench wb;
    wb.app.SaveCommand();  // the file dialog is cancelled
    EXPECT_EQ(wb.Messages(), std::vector<std::string>{"[キャンセル] が選択されました。"});
    EXPECT_EQ(wb.dialogs.fileRequests.at(0).filter, "データ ファイル (*.txt)|*.txt");
}

TEST(FileDialog, KeepsTheLastNameForSaveAndOpen) {
    ScratchFolder folder;
    Workbench wb;
    wb.app.LoadExample(2);
    Save(wb, folder / "first.txt");
    Open(wb, folder / "first.txt");
    wb.app.SaveCommand();
    ASSERT_EQ(wb.dialogs.fileRequests.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(wb.dialogs.fileRequests[i].initialName, i == 0 ? "" : folder / "first.txt") << i;
    EXPECT_EQ(wb.Messages().at(2), "[ " + (folder / "first.txt") + " ] を読み込みます？");
}

TEST(SaveAndOpen, ExamplesComeBackAsLoaded) {
    ScratchFolder folder;
    for (int n = 1; n <= 4; ++n) {
        Workbench loaded, opened;
        loaded.app.LoadExample(n);
        Save(loaded, folder / "example.txt");
        Open(opened, folder / "example.txt");
        ASSERT_EQ(opened.dialogs.messages.size(), 1u) << opened.Messages().back();
        // Combination 5's slots are set by the example loader only.
        opened.app.session.int_Degree(5) = loaded.app.session.int_Degree(5);
        EXPECT_EQ(DocumentState(opened), DocumentState(loaded)) << "example " << n;
    }
}

TEST(SaveAndOpen, UnusualTitlesAndCellsSurvive) {
    Document d;
    d.title = "表題, \"引用\" ｱｲｳ ";
    d.variableTitles = {" 前に空白", "ｶﾝﾏ,入り", "\"X\""};
    d.methods = {MethodRow{{"ｶﾝﾏ,入り", "1", "0", " 前に空白", "0", "0", "2"}, 1, 0, 0, 0, 2}};
    d.rows = {{"1,5", "2", ""}, {"2", "", "全角"}};
    Workbench source, opened;
    ApplyDocument(source.app, d);
    EXPECT_EQ(source.app.session.int_YVar(1), 2);
    EXPECT_EQ(source.app.session.int_XVar(1), 1);
    ScratchFolder folder;
    Save(source, folder / "odd.txt");
    Open(opened, folder / "odd.txt");
    EXPECT_EQ(DocumentState(opened), DocumentState(source));
}

TEST(SaveCommand, WritesEveryTypedRowAndTheValidSamplesOfEachCombination) {
    Workbench wb;
    wb.SetColumn(1, {"1", "2", "x", "4", "5", "6"});
    wb.SetColumn(2, {"2", "4", "6", "", "10", "12"});
    wb.SetColumn(3, {"1", "", "", "", "", "36"});
    wb.data.SetText(3, 8, "note");
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "1");
    wb.SetMethod(2, 'C', 'A', 0, 0, 0, 0, "1");
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty());
    ScratchFolder folder;
    Save(wb, folder / "typed.txt");
    const std::string text = *FromShiftJis(FileBytes(folder / "typed.txt"));
    EXPECT_NE(text.find(",測定データ個数, 8 \r\n,測定変数個数, 3 \r\n,推算組合数, 2 \r\n"), std::string::npos);
    EXPECT_NE(text.find(" , 7 ,,,\r\n , 8 ,,,note\r\n[近似式係数]"), std::string::npos);
    // Combination 1: rows 1, 2, 5 and 6; combination 2: rows 1 and 6.
    const std::string heading = "[推算値]\r\n";
    std::string block = text.substr(text.find(heading) + heading.size());
    for (const std::string prefix : {" ,Ｙ1,1,2,", " , ,2,4,", " , ,5,10,", " , ,6,12,", " ,Ｙ2,1,1,", " , ,6,36,"}) {
        EXPECT_EQ(block.rfind(prefix, 0), 0u) << prefix << " in " << block;
        block.erase(0, block.find("\r\n") + 2);
    }
    EXPECT_EQ(block, "");
    // The working state belongs to the shown combination again, not to the last one refilled.
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_DataCount, 4);
    EXPECT_EQ(std::pair(s.dbl_WorkCoeff(0), s.dbl_WorkCoeff(1)), std::pair(s.dbl_Coeff(1, 0), s.dbl_Coeff(1, 1)));
    EXPECT_EQ(s.dbl_XPower(3, 2), 5.0);  // the third valid sample of combination 1 is row 5
}

TEST(SaveCommand, AFailingRefillWritesNothing) {
    Workbench wb;
    wb.app.LoadExample(4);
    wb.app.RunEstimation();
    wb.app.session.dbl_Coeff(1, 0) = 1000;  // e^1000 is beyond the double range
    ScratchFolder folder;
    PutFile(folder / "old.txt", "old");
    wb.dialogs.messages.clear();
    Save(wb, folder / "old.txt");
    EXPECT_EQ(wb.Messages().back(), RuntimeError::StandardDescription(ErrorNumber::Overflow));
    EXPECT_EQ(FileBytes(folder / "old.txt"), "old");
}

// Targets that cannot be written even by a privileged user.
TEST(SaveCommand, UnwritableTargetsKeepTheOldFile) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "sub");
    PutFile(folder / "sub/inside.txt", "inside");
    PutFile(folder / "readonly.txt", "old content");
    ::chmod((folder / "readonly.txt").c_str(), 0444);
    const std::set<std::string> before = folder.Names();
    const std::string head = "データファイルを書き込めませんでした。\n";
    for (const std::string& target : {folder / "missing/doc.txt", folder / "sub", folder / "readonly.txt"}) {
        Workbench wb;
        wb.app.LoadExample(1);
        Save(wb, target);
        ASSERT_EQ(wb.dialogs.messages.size(), 2u) << target;
        EXPECT_EQ(wb.dialogs.messages[1].text.rfind(head, 0), 0u) << target;
        EXPECT_GT(wb.dialogs.messages[1].text.size(), head.size()) << "the reason follows";
    }
    EXPECT_EQ(folder.Names(), before);
    EXPECT_EQ(FileBytes(folder / "readonly.txt") + FileBytes(folder / "sub/inside.txt"), "old contentinside");

    // A writable file is replaced whole and keeps its permissions.
    ::chmod((folder / "readonly.txt").c_str(), 0640);
    Workbench wb;
    wb.app.LoadExample(4);
    Save(wb, folder / "readonly.txt");
    EXPECT_EQ(FileBytes(folder / "readonly.txt"), WriteDocument(CaptureDocument(wb.app)));
    struct stat info {};
    ::stat((folder / "readonly.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.Names(), before);
}

TEST(OpenCommand, BadFilesLeaveTheDocumentAlone) {
    const std::string good = SjisLines({"[基本情報]", ",測定データ個数, 2 ", ",測定変数個数, 2 ", ",推算組合数, 1 ",
                                        ",表題,t", ",変数軸タイトル,T,P", "[推算方法]", ",k,k,k,k,k,k,k",
                                        ",P,0,0,T,0,0,1", "[測定値]", " , 1 ,1,3", " , 2 ,2,5"});
    auto withBytes = [&](const std::string& from, const std::string& bytes) {
        std::string text = good;
        return text.replace(text.find(ToShiftJis(from)), ToShiftJis(from).size(), bytes);
    };
    auto with = [&](const std::string& from, const std::string& to) { return withBytes(from, ToShiftJis(to)); };
    struct Row { const char* name; std::string bytes; bool notOurs; };
    const Row rows[] = {
        {"empty file", "", false},
        {"binary garbage", std::string("\x00\xff\x81\x39\x01,\r\n", 7), true},
        {"first line runs on", with("[基本情報]", "[基本情報]xyz"), true},
        {"ends in the counts", good.substr(0, 30), false},
        {"ends in the data", with(" , 2 ,2,5\r\n", ""), false},
        {"more than 100 samples", with("個数, 2 ", "個数, 101 "), false},
        {"count not whole", with("個数, 2 ", "個数, 1.5 "), false},
        {"count empty", with("個数, 2 ", "個数,"), false},
        {"negative count", with("組合数, 1 ", "組合数,-1 "), false},
        {"degree beyond 16 bits", with("0,0,1\r\n", "0,0,99999\r\n"), false},
        {"bytes not Shift-JIS", withBytes(",表題,t", ToShiftJis(",表題,") + "\x81\x39"), false},
        {"unclosed quote", with(",1,3\r\n", ",\"1,3\r\n"), false},
    };
    ScratchFolder folder;
    for (const Row& row : rows) {
        PutFile(folder / "bad.txt", row.bytes);
        Workbench wb;
        wb.app.LoadExample(3);
        wb.app.RunEstimation();
        wb.dialogs.messages.clear();
        const DocumentState before(wb);
        Open(wb, folder / "bad.txt");
        ASSERT_EQ(wb.dialogs.messages.size(), 2u) << row.name;
        const MessageRequest& shown = wb.dialogs.messages[1];
        EXPECT_EQ(shown.text.rfind(row.notOurs ? "『Kurvo』のデータではありません" : "データファイルを読み込めませんでした。\n", 0),
                  0u) << row.name << ": " << shown.text;
        EXPECT_EQ(std::pair(shown.buttons, shown.icon), std::pair(MsgButtons::Ok, MsgIcon::None));
        EXPECT_EQ(DocumentState(wb), before) << row.name;
    }
    for (const std::string& path : {folder / "none.txt", folder.path().string()}) {
        Workbench wb;
        Open(wb, path);
        EXPECT_EQ(wb.Messages().back().rfind("データファイルを読み込めませんでした。\nファイルを開けません", 0), 0u) << path;
    }
}

TEST(OpenCommand, RestoresTitlesMethodsAndDataButNoResults) {
    ScratchFolder folder;
    PutFile(folder / "doc.txt", SjisLines({"[基本情報]", ",n, 2 ", ",m, 3 ", ",k, 2 ", ",t,題", ",v,T,P,Q", "[推算方法]",
                                           ",k,k,k,k,k,k,k", ",Q,1,0,T,0,1,3", ",Z,0,0,P,1,0,2.5", "[測定値]",
                                           " , 1 ,1,3,", " , 2 ,2,,6"}));
    Workbench wb;
    wb.app.LoadExample(1);
    wb.app.RunEstimation();
    Open(wb, folder / "doc.txt");
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_Estimated, kFalse);
    EXPECT_EQ(wb.coeff, MakeCoefficientGrid());
    EXPECT_EQ(wb.data.Text(3, 0) + wb.data.Text(4, 0), "QD");
    EXPECT_EQ(wb.methodGrid.Items(4, 4), (std::vector<std::string>{"T", "P", "Q", "D", "E"}));
    // "Z" names no variable: the cell still shows it.
    EXPECT_EQ((std::array<int, 4>{s.int_YVar(1), s.int_XVar(1), s.int_YVar(2), s.int_XVar(2)}),
              (std::array<int, 4>{3, 1, 0, 2}));
    EXPECT_EQ(wb.methodGrid.Text(1, 2) + wb.methodGrid.Text(6, 1) + wb.methodGrid.Text(7, 2), "Z12");
    EXPECT_EQ(s.int_Degree(2), 2);
    EXPECT_EQ(wb.data.Text(3, 2) + "|" + wb.data.Text(2, 2), "6|");
    EXPECT_EQ(s.int_Degree(3), 2);  // the session slots beyond the file keep the example's
}

}  // namespace
}  // namespace kurvo::test
