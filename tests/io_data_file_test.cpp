// The data file format: what the writer puts out byte for byte and what the
// field-stream reader takes from a file.
#include "io_support.h"

namespace kurvo::test {
namespace {

const std::initializer_list<std::string> kSmallFile = {
    "[基本情報]",    ",測定データ個数, 3 ", ",測定変数個数, 2 ", ",推算組合数, 1 ", ",表題,試験",
    ",変数軸タイトル,T,P", "[推算方法]", ",従属変数,YLog変換,Y逆数変換,独立変数,XLog変換,X逆数変換,X次数",
    ",P,0,0,T,0,0,1", "[測定値]", " , 1 ,1,3", " , 2 ,2,5", " , 3 ,3,7"};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(DataFileWriter, WorkedExampleByteForByte) {
    Workbench wb;
    Session& s = wb.app.session;
    s.str_Title = "試験";
    s.str_VarTitle(1) = "T";
    s.str_VarTitle(2) = "P";
    wb.methodGrid.SetItemList(1, 1, VariableList(s, 2));
    wb.methodGrid.SetItemList(4, 1, VariableList(s, 2));
    wb.SetMethod(1, 'P', 'T', 0, 0, 0, 0, "1");
    wb.SetColumn(1, {1, 2, 3});
    wb.SetColumn(2, {3, 5, 7});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty());
    s.dbl_Coeff(1, 0) = 1;  // the fit came out exactly
    s.dbl_Coeff(1, 1) = 2;

    ScratchFolder folder;
    Save(wb, folder / "worked.txt");
    std::initializer_list<std::string> expected = {
        "[基本情報]", ",測定データ個数, 3 ", ",測定変数個数, 2 ", ",推算組合数, 1 ", ",表題,試験",
        ",変数軸タイトル,T,P", "[推算方法]", ",従属変数,YLog変換,Y逆数変換,独立変数,XLog変換,X逆数変換,X次数",
        ",P,0,0,T,0,0,1", "[測定値]", " , 1 ,1,3", " , 2 ,2,5", " , 3 ,3,7", "[近似式係数]", " ,C0, 1 ",
        " ,C1, 2 ", "[推算値]", " ,Ｙ1,1,3,3,0,0.000", " , ,2,5,5,0,0.000", " , ,3,7,7,0,0.000"};
    EXPECT_EQ(FileBytes(folder / "worked.txt"), SjisLines(expected));
    EXPECT_EQ(wb.Messages().back(), "保存しました。");
}

TEST(DataFileWriter, EmptyDocumentLeavesTheTitleRecordOpen) {
    Workbench wb;
    const std::string expected = ToShiftJis(
        "[基本情報]\r\n,測定データ個数, 0 \r\n,測定変数個数, 0 \r\n,推算組合数, 0 \r\n,表題,\r\n"
        ",変数軸タイトル,[推算方法]\r\n,従属変数,YLog変換,Y逆数変換,独立変数,XLog変換,X逆数変換,X次数\r\n"
        "[測定値]\r\n");
    EXPECT_EQ(WriteDocument(CaptureDocument(wb.app)), expected);
    // The reader finds every record of it, and one method row read without variables.
    const Document d = ReadDocument(
        Replaced(Replaced(expected, ToShiftJis("組合数, 0 "), ToShiftJis("組合数, 1 ")), ToShiftJis("[測定値]"),
                 ToShiftJis(",B,1,0,A,0,1,3\r\n[測定値]")));
    EXPECT_TRUE(d.variableTitles.empty());
    ASSERT_EQ(d.methods.size(), 1u);
    EXPECT_EQ(d.methods[0].cells, (std::array<std::string, 7>{"B", "1", "0", "A", "0", "1", "3"}));
    EXPECT_EQ(d.methods[0].degree, 3);
}

TEST(DataFileWriter, CoefficientSectionHasOneFieldPerCombination) {
    Document d;
    d.results = Results{5, {{{1, -2, 0.5, 1e-7}, {}}, {{-0.25, 1e20, 3, 4, 5, 6}, {}}}};
    const std::string text = *FromShiftJis(WriteDocument(d));
    EXPECT_NE(text.find(" ,C0, 1 ,-0.25 \r\n ,C1,-2 , 1E+20 \r\n ,C2, 0.5 , 3 \r\n ,C3, 1E-07 , 4 \r\n"
                        " ,C4, , 5 \r\n ,C5, , 6 \r\n[推算値]\r\n"),
              std::string::npos)
        << text;
}

TEST(DataFileFields, TextsThatWouldBreakTheStreamAreQuoted) {
    struct Row { const char* name; std::string text, field; };
    const Row rows[] = {
        {"plain", "X-1", "X-1"},
        {"empty", "", ""},
        {"inner blank", "a b", "a b"},
        {"comma", "1,000", "\"1,000\""},
        {"quote", "5\" disk", "\"5\"\" disk\""},
        {"leading blank", " lead", "\" lead\""},
        {"trailing blank", "trail ", "\"trail \""},
        {"line end", "a\r\nb", "\"a\r\nb\""},
    };
    for (const Row& row : rows) EXPECT_EQ(TextField(row.text), row.field) << row.name;
}

TEST(DataFileReader, NumberFields) {
    struct Row { const char* name; std::string degree; std::int16_t expected; };
    const Row rows[] = {
        {"blanks around", " 4 ", 4}, {"blank behind", "4 ", 4}, {"empty", "", 0}, {"not a number", "abc", 0},
        {"leading digits", "3x", 3}, {"half to even down", "2.5", 2}, {"half to even up", "3.5", 4},
        {"quoted", "\" 5\"", 5},
    };
    for (const Row& row : rows) {
        const Document d = ReadDocument(Replaced(SjisLines(kSmallFile), ",0,0,1\r\n", ",0,0," + row.degree + "\r\n"));
        EXPECT_EQ(d.methods.at(0).degree, row.expected) << row.name;
    }
}

TEST(DataFileReader, CountFieldsAllowBlanksAround) {
    for (const std::string count : {" 3 ", "3 ", "3", " +3", "3.0", "\"3\""}) {
        const Document d = ReadDocument(Replaced(SjisLines(kSmallFile), ToShiftJis("個数, 3 "), ToShiftJis("個数," + count)));
        EXPECT_EQ(d.rows.size(), 3u) << count;
    }
}

TEST(DataFileReader, StopsAfterTheDataRows) {
    const std::string base = SjisLines(kSmallFile);
    const Document expected = ReadDocument(base);
    EXPECT_EQ(expected.rows.back(), (std::vector<std::string>{"3", "7"}));
    struct Row { const char* name; std::string tail; };
    const Row rows[] = {
        {"complete", SjisLines({"[近似式係数]", " ,C0, 1 ", " ,C1, 2 ", "[推算値]", " ,Ｙ1,1,3,3,0,0.000"})},
        {"cut short", ToShiftJis("[近似式")},
        {"altered", "\x81\x39\xff,,\"unclosed"},
        {"blank lines", "\r\n\r\n"},
    };
    for (const Row& row : rows) EXPECT_EQ(ReadDocument(base + row.tail), expected) << row.name;
    // The last data field needs no line end; LF alone ends lines too.
    EXPECT_EQ(ReadDocument(base.substr(0, base.size() - 2)), expected);
    std::string unixLines = base;
    std::erase(unixLines, '\r');
    EXPECT_EQ(ReadDocument(unixLines), expected);
}

TEST(DataFileReader, QuotedFieldsAreTakenWhole) {
    std::string file = Replaced(SjisLines(kSmallFile), ToShiftJis(",表題,試験"), ToShiftJis(",表題,\"a,\"\"b\"\"\r\nc \""));
    file = Replaced(file, " , 2 ,2,5", " , 2 ,\"2,5\",\" x\"");
    const Document d = ReadDocument(file);
    EXPECT_EQ(d.title, "a,\"b\"\r\nc ");
    EXPECT_EQ(d.rows.at(1), (std::vector<std::string>{"2,5", " x"}));
    EXPECT_EQ(d.rows.at(2), (std::vector<std::string>{"3", "7"}));
}

}  // namespace
}  // namespace kurvo::test
