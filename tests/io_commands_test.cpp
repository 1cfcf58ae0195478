// The Open and Save commands: dialogs, what a save writes, round trips, refused files.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <sstream>

#include "io_support.h"

namespace kurvo::test {
namespace {

// What Open could change: the document as Save writes it, and the shown page.
std::pair<std::string, int> Shown(Workbench& wb) {
    return {WriteDocument(CaptureDocument(wb.app)), wb.tabs.SelectedPage()};
}

// Nothing changes unless the question is answered Yes and the file is read
// whole; a read error names what was wrong and where.
TEST(FileCommands, ChangeNothingUnlessTheyGoThrough) {
    ScratchFolder folder;
    const std::string target = folder / "target.txt";
    const std::map<std::string, MsgAnswer> answers = {
        {"Yes", MsgAnswer::Yes}, {"No", MsgAnswer::No}, {"Cancel", MsgAnswer::Cancel}};
    for (const auto& row : ReadCases("open_and_save_refused.txt", 0, {{"{target}", target}})) {
        std::filesystem::remove(target);
        const std::string& before = row.at(3);
        if (before == "FIFO") {
            ASSERT_EQ(::mkfifo(target.c_str(), 0644), 0);
        } else if (before == "device node" && ::mknod(target.c_str(), S_IFCHR | 0644, ::makedev(1, 7)) != 0) {
            std::filesystem::create_symlink("/dev/full", target);  // no device of its own without root
        } else if (before == "link loop") {
            std::filesystem::create_symlink("target.txt", target);
        } else if (before == "16 MiB and a byte") {
            PutFile(target, "");
            std::filesystem::resize_file(target, (16 << 20) + 1);
        } else if (before.ends_with(".txt") || before.ends_with(".csv")) {
            PutFile(target, FileBytes(std::string(KURVO_TEST_DATA) + "/files/" + before));
        }
        const std::string bytes = FileBytes(target);
        const auto check = [&] {
            Workbench wb;
            wb.app.LoadExample(3);
            wb.app.RunEstimation();
            wb.dialogs.messages.clear();
            if (row.at(2).find(' ') != std::string::npos) wb.session.str_Title = "5 µm² €";  // asked about twice
            const auto shown = Shown(wb);
            if (row.at(2) != "none") {
                wb.dialogs.files.push_back(target);
                std::istringstream words(row[2]);
                for (std::string word; words >> word;) wb.dialogs.answers.push_back(answers.at(word));
            }
            if (row.at(1) == "open") {
                wb.app.OpenCommand();
            } else {
                wb.app.SaveCommand();
            }
            EXPECT_EQ(wb.Messages(), std::vector<std::string>(row.begin() + 4, row.end())) << row[0];
            for (const MessageRequest& message : wb.dialogs.messages) {
                const bool question = message.text.starts_with("[ "), overwrite = message.text.ends_with("上書きしますか？"),
                           lossy = message.text.ends_with("このまま保存しますか？");
                EXPECT_EQ(std::tuple(message.buttons, message.icon, message.defaultNo),
                          overwrite  ? std::tuple(MsgButtons::YesNo, MsgIcon::Question, true)
                          : question ? std::tuple(MsgButtons::YesNoCancel, MsgIcon::Question, false)
                          : lossy    ? std::tuple(MsgButtons::YesNo, MsgIcon::Question, true)
                                     : std::tuple(MsgButtons::Ok, MsgIcon::None, false))
                    << row[0];
            }
            EXPECT_EQ(wb.dialogs.fileRequests.at(0).filter,
                      row[1] == "save" ? "データ ファイル (*.txt)|*.txt"
                                       : "データ ファイル (*.txt)|*.txt|表 (*.csv *.tsv *.txt *.xlsx *.ods)|"
                                         "*.csv;*.tsv;*.txt;*.xlsx;*.ods|すべてのファイル (*)|*")
                << row[0];
            EXPECT_EQ(Shown(wb), shown) << row[0];
            EXPECT_EQ(FileBytes(target), bytes) << row[0];
        };
        if (before != "folder not writable") {
            check();
            continue;
        }
        std::filesystem::permissions(folder.path(), std::filesystem::perms(0555));
        Unprivileged(check);
        std::filesystem::permissions(folder.path(), std::filesystem::perms(0700));
    }
}

TEST(SaveCommand, WritesEveryTypedRowAndTheValidSamplesOfEachCombination) {
    Workbench wb;
    wb.SetColumn(1, {"1", "2", "x", "4", "5", "6"});
    wb.SetColumn(2, {"2", "4", "6", "", "10", "12"});
    wb.SetColumn(3, {"1", "", "", "", "", "6"});
    wb.spdData.SetText(3, 8, "note");
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
    EXPECT_TRUE(text.ends_with("[推算値]\r\n ,Ｙ1,1,2,2,0,0.000\r\n , ,2,4,4,0,0.000\r\n , ,5,10,10,0,0.000\r\n"
                               " , ,6,12,12,0,0.000\r\n ,Ｙ2,1,1,1,0,0.000\r\n , ,6,6,6,0,0.000\r\n")) << text;
    // The working state belongs to the shown combination again, not to the last one refilled.
    const Session& s = wb.session;
    EXPECT_EQ(s.int_DataCount, 4);
    EXPECT_EQ(s.dbl_XPower(3, 2), 5.0);  // the third valid sample of combination 1 is row 5
}

// The method grid changed after the run: the file's combination count is what
// the grid holds, and every coefficient line has exactly that many fields.
TEST(SaveCommand, CoefficientLinesHaveOneFieldPerCombinationWritten) {
    struct Row {
        std::string name;
        int estimated;       // method rows when 推算 was pressed
        int written;         // method rows when saved
        std::string fields;  // of the lines C0 and C1: "#" a number, "_" a blank (no results), "|" the line end
        std::string blocks;  // estimate block labels, in order
    };
    for (const Row& row : {Row{"RowAddedAfterTheRun", 1, 2, "#_|#_|", "Ｙ1"}, Row{"RowEmptiedAfterTheRun", 2, 1, "#|#|", "Ｙ1"}}) {
        Workbench wb;
        wb.SetColumn(1, {"1", "2", "3"});
        wb.SetColumn(2, {"3", "5", "7"});  // P = 1 + 2T exactly
        for (int r = 1; r <= row.estimated; ++r) wb.SetMethod(r, 'B', 'A', 0, 0, 0, 0, "1");
        wb.app.RunEstimation();
        ASSERT_TRUE(wb.dialogs.messages.empty()) << row.name;
        wb.spdSpec.SetText(1, 2, row.written == 2 ? "B" : "");
        wb.spdSpec.SetText(4, 2, row.written == 2 ? "A" : "");
        ScratchFolder folder;
        Save(wb, folder / "changed.txt");
        const std::string text = *FromShiftJis(FileBytes(folder / "changed.txt"));
        EXPECT_NE(text.find(",推算組合数, " + std::to_string(row.written) + " \r\n"), std::string::npos) << row.name;
        std::string fields;
        for (auto at = text.find(" ,C"); at < text.find("[推算値]"); at = text.find(" ,C", at + 1)) {
            std::istringstream line(text.substr(at + 5, text.find("\r\n", at) - at - 5) + ",");  // after " ,Cp,"
            for (std::string field; std::getline(line, field, ',');) fields += field == " " ? "_" : "#";
            fields += "|";
        }
        EXPECT_EQ(fields, row.fields) << row.name << "\n" << text;
        std::string blocks;
        for (std::size_t at = text.find(" ,Ｙ"); at != std::string::npos; at = text.find(" ,Ｙ", at + 1))
            blocks += text.substr(at + 2, std::string("Ｙ1").size());
        EXPECT_EQ(blocks, row.blocks) << row.name;
    }
}

TEST(SaveCommand, AFailingRefillWritesNothing) {
    Workbench wb;
    wb.app.LoadExample(4);
    wb.app.RunEstimation();
    // ln y = c0 + c1 ln x + c2 ln² x with c2 ≈ 0.07: at x = 1E+300 (ln x ≈ 691) y is beyond the double range.
    wb.data.SetText(1, 1, "1E+300");
    ScratchFolder folder;
    PutFile(folder / "old.txt", "old");
    wb.dialogs.messages.clear();
    Save(wb, folder / "old.txt");
    EXPECT_EQ(wb.Messages().back(), "オーバーフローしました。");
    EXPECT_EQ(FileBytes(folder / "old.txt"), "old");
}

// A link is kept and the file it points at replaced, with its permissions.
TEST(SaveCommand, ThroughALinkWritesTheFileItPointsAt) {
    struct Row { const char* name; std::string pointsAt, target; bool exists; };
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "sub");
    const Row rows[] = {
        {"absolute link to a file", folder / "sub/a.txt", folder / "sub/a.txt", true},
        {"relative link to a file not there yet", "sub/new.txt", folder / "sub/new.txt", false},
    };
    for (const Row& row : rows) {
        if (row.exists) {
            PutFile(row.target, "old");
            std::filesystem::permissions(row.target, std::filesystem::perms(0640));
        }
        std::filesystem::create_symlink(row.pointsAt, folder / "link.txt");
        Workbench wb;
        wb.app.LoadExample(4);
        Save(wb, folder / "link.txt");
        EXPECT_EQ(wb.Messages().back(), "保存しました。") << row.name;
        EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt")) << row.name;
        EXPECT_EQ(FileBytes(row.target), WriteDocument(CaptureDocument(wb.app))) << row.name;
        EXPECT_TRUE(!row.exists || std::filesystem::status(row.target).permissions() == std::filesystem::perms(0640))
            << row.name;
        std::filesystem::remove(folder / "link.txt");
    }
    // No temporary file stays behind.
    const auto files = std::filesystem::directory_iterator(folder / "sub");
    EXPECT_EQ(std::distance(begin(files), end(files)), 2);
}

// The file: variables T, P and Q; Q from T and "Z" from P; two data rows.
TEST(OpenCommand, RestoresTitlesMethodsAndDataButNoResults) {
    const std::string file = std::string(KURVO_TEST_DATA) + "/files/three-variables.txt";
    Workbench wb;
    wb.app.LoadExample(1);
    wb.app.RunEstimation();
    wb.dialogs.files.push_back(file);
    wb.dialogs.answers.push_back(MsgAnswer::Yes);
    wb.app.OpenCommand();
    const Session& s = wb.session;
    EXPECT_EQ(s.int_Estimated, kFalse);
    EXPECT_EQ(wb.spdCoeff, MakeCoefficientGrid());
    EXPECT_EQ(wb.spdData.Text(3, 0) + wb.spdData.Text(4, 0), "QD");
    EXPECT_EQ(wb.spdSpec.Items(4, 4), (std::vector<std::string>{"T", "P", "Q", "D", "E"}));
    // "Z" names no variable: the cell still shows it.
    EXPECT_EQ((std::array<int, 4>{s.int_YVar(1), s.int_XVar(1), s.int_YVar(2), s.int_XVar(2)}),
              (std::array<int, 4>{3, 1, 0, 2}));
    EXPECT_EQ(wb.spdSpec.Text(1, 2) + wb.spdSpec.Text(6, 1) + wb.spdSpec.Text(7, 2), "Z12");
    EXPECT_EQ(wb.spdData.Text(3, 2) + "|" + wb.spdData.Text(2, 2), "6|");
    EXPECT_EQ(s.int_Degree(3), 2);  // the session slots beyond the file keep the example's
    wb.app.SaveCommand();  // its file dialog starts with the name Open chose
    EXPECT_EQ(wb.dialogs.fileRequests.back().initialName, file);
}

// A table becomes an untitled document: names over numbers are the titles, a
// grouped number is a number, and Save offers no file.  The values are the
// published ones the tables were made from (tests/data/tables/make_tables.py).
TEST(OpenCommand, ReadsTheFirstSheetOfATableAsAnUntitledDocument) {
    const std::pair<const char*, const char*> rows[] = {
        {"vapour-pressure.csv", "温度 ℃|蒸気圧 Pa|C|D|E|0|611.3|20|2338.9|100|101325|表の 6 行 × 2 列を読み込みました。"},
        {"us-population.xlsx", "year|US population|C|D|E|1790|3929214|1800|5308483|1900|76212168|表の 12 行 × 2 列を読み込みました。"},
        {"us-population.ods", "year|US population|C|D|E|1790|3929214|1800|5308483|1900|76212168|表の 12 行 × 2 列を読み込みました。"},
        {"../files/names-over-a-text.csv", "T|P|C|D|E|1|2|2|n/a|2|n/a|表の 2 行 × 2 列を読み込みました。読み込んだセルのうち 1 個は数値ではありません。"},
    };
    for (const auto& [name, expected] : rows) {
        const std::string file = std::string(KURVO_TEST_DATA) + "/tables/" + name;
        Workbench wb;
        wb.app.OpenFile(file, false);
        std::string shown;
        for (int col = 1; col <= 5; ++col) shown += wb.data.Text(col, 0) + "|";
        const int last = wb.session.int_DataCount;
        for (int row : {1, 2, last}) shown += wb.data.Text(1, row) + "|" + wb.data.Text(2, row) + "|";
        ASSERT_EQ(wb.Messages(), std::vector<std::string>{}) << name;
        EXPECT_EQ(shown + wb.dialogs.statuses.at(0), expected) << name;
        EXPECT_EQ(wb.app.TableFile() + "|" + wb.app.DocumentFile(), file + "|") << name;
        wb.app.SaveCommand();
        EXPECT_EQ(wb.dialogs.fileRequests.back().initialName, "") << name;
    }
}

// 上書き保存 writes a document's own file without a dialog or a question.
TEST(SaveInPlaceCommand, WritesTheDocumentsFileWithoutAsking) {
    ScratchFolder folder;
    Workbench wb;
    Save(wb, folder / "mine.txt");
    wb.data.SetText(1, 1, "7");
    wb.dialogs.messages.clear();
    EXPECT_TRUE(wb.app.SaveInPlaceCommand());
    EXPECT_EQ(wb.dialogs.fileRequests.size(), 1u);
    EXPECT_TRUE(wb.dialogs.messages.empty());
    EXPECT_EQ(wb.dialogs.statuses, std::vector<std::string>{"[ " + folder / "mine.txt" + " ] に保存しました。"});
    EXPECT_EQ(ReadDocumentFile(folder / "mine.txt").rows, std::vector<std::vector<std::string>>{{"7"}});
}

// Columns T and T: the file opens with a warning, a run refuses "T" until
// one is renamed, and no dialog or paste names two columns alike.  The method
// grid keeps the column picked, not its name: B (3, 5) picked as Y stays B
// when A is renamed, and fits on A (1, 2) with slope 2.
TEST(OpenCommand, TwoVariablesOfOneName) {
    Workbench wb;
    wb.dialogs.files.push_back(std::string(KURVO_TEST_DATA) + "/files/two-names-alike.txt");
    wb.dialogs.answers.push_back(MsgAnswer::Yes);
    wb.app.OpenCommand();
    EXPECT_EQ(wb.Messages().back(), "変数名「T」が二つ以上の列に付いています。推算の前に、変数名の設定で列ごとに別の名前にしてください。");
    wb.app.RunEstimation();
    EXPECT_EQ(wb.Messages().back(), "組合せ 1 の変数「T」は二つ以上の列の名前です。変数名の設定で列ごとに別の名前にしてください。");
    EXPECT_EQ(wb.session.int_Estimated, kFalse);
    EXPECT_FALSE(wb.app.ApplyTitles({"t", {"T", "P", "P", "", ""}}));
    EXPECT_EQ(wb.Messages().back(), "変数名「P」が二つの列に付いています。列ごとに別の名前にしてください。");
    wb.dialogs.answers.push_back(MsgAnswer::Yes);
    EXPECT_FALSE(wb.app.OfferVariableNames({"P", "Q", "Q"}, 2));
    EXPECT_EQ(wb.Messages().back(), "変数名「Q」が二つの列に付いています。列ごとに別の名前にしてください。");
    EXPECT_EQ(wb.spdData.Text(2, 0), "T");
    wb.methodGrid.SetSelectedIndex(kColYVar, 1, 1);
    EXPECT_TRUE(wb.app.ApplyTitles({"t", {"P", "T", "", "", ""}}));
    EXPECT_EQ(wb.methodGrid.Text(kColYVar, 1) + wb.methodGrid.Text(kColXVar, 1), "TP");
    wb.app.RunEstimation();
    EXPECT_EQ(wb.session.int_Estimated, kTrue);
    EXPECT_DOUBLE_EQ(wb.session.dbl_Coeff(1, 1), 2.0);
}

// A typed cell not saved: New asks first.  はい saves (and goes on only once
// saved), いいえ discards, キャンセル keeps everything.
TEST(UnsavedChanges, NewAsksWhetherToSaveFirst) {
    const std::string kQuestion = "現在のデータは保存されていません。保存しますか？";
    const std::string table = std::string(KURVO_TEST_DATA) + "/tables/vapour-pressure.csv";
    struct Row {
        const char* name;
        char command;                    // N New, O Open (choosing the table), D the table dropped
        std::vector<MsgAnswer> answers;  // to the questions in turn
        bool fileChosen;                 // in the Save dialog
        std::vector<std::string> messages;
        std::string a1;                  // after New
        bool saved;
    };
    ScratchFolder folder;
    const std::string target = folder / "kept.txt";
    const Row rows[] = {
        {"SavedThenNew", 'N', {MsgAnswer::Yes, MsgAnswer::Yes}, true,
         {kQuestion, "[ " + target + " ] に保存します？", "保存しました。"}, "", true},
        {"SaveDialogCancelledKeeps", 'N', {MsgAnswer::Yes}, false, {kQuestion, "[キャンセル] が選択されました。"}, "7", false},
        {"SaveDeclinedKeeps", 'N', {MsgAnswer::Yes, MsgAnswer::No}, true, {kQuestion, "[ " + target + " ] に保存します？"}, "7", false},
        {"DiscardedThenNew", 'N', {MsgAnswer::No}, false, {kQuestion}, "", false},
        {"CancelKeeps", 'N', {MsgAnswer::Cancel}, false, {kQuestion}, "7", false},
        {"OpenAsksOnceBeforeItsDialog", 'O', {MsgAnswer::No, MsgAnswer::Yes}, false,
         {kQuestion, "[ " + table + " ] を読み込みます？"}, "0", false},
        {"DropAsksOnlyWhetherToSave", 'D', {MsgAnswer::No}, false, {kQuestion}, "0", false},
    };
    for (const Row& row : rows) {
        std::filesystem::remove(target);
        Workbench wb;
        wb.app.NewCommand();  // nothing typed: no question
        wb.data.SetText(1, 1, "7");
        wb.dialogs.answers.assign(row.answers.begin(), row.answers.end());
        if (row.fileChosen) wb.dialogs.files.push_back(target);
        if (row.command == 'O') wb.dialogs.files.push_back(table);
        row.command == 'N' ? wb.app.NewCommand() : row.command == 'O' ? wb.app.OpenCommand() : wb.app.OpenFile(table, true);
        EXPECT_EQ(wb.Messages(), row.messages) << row.name;
        EXPECT_EQ(wb.data.Text(1, 1), row.a1) << row.name;
        EXPECT_EQ(std::filesystem::exists(target), row.saved) << row.name;
    }
}

}  // namespace
}  // namespace kurvo::test
