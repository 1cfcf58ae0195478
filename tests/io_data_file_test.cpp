// The data file format: the conversion between the program's UTF-8 texts and
// the file's Shift-JIS, what the writer puts out byte for byte and what the
// field-stream reader takes from a file.
#include "io_support.h"
#include "io/table_file.h"

namespace kurvo::test {
namespace {

// Code page 932 writes some characters with the code of a look-alike, which
// reads back as the look-alike, and those it has no code for as "?".
TEST(ShiftJis, ConvertsBothWays) {
    struct Row { const char* name; std::string utf8, sjis, readBack; };
    const Row rows[] = {
        {"ascii", "X-1, \"a\"", "X-1, \"a\"", "X-1, \"a\""},
        {"full width", "例題－１", "\x97\xe1\x91\xe8\x81\x7c\x82\x50", "例題－１"},
        {"half-width katakana", "ｱｲｳ", "\xb1\xb2\xb3", "ｱｲｳ"},
        {"trail byte like a backslash", "表", "\x95\x5c", "表"},
        {"yen sign", "¥", "\\", "\\"},
        {"wave dash", "〜", "\x81\x60", "～"},
        {"minus sign", "−", "\x81\x7c", "－"},
        {"micro sign as mu", "µ", "\x83\xca", "μ"},
        {"e acute", "é", "?", "?"},
        {"outside the basic plane", "😀", "?", "?"},
        {"cut-off UTF-8", "a\xe3\x81" "b", "a?b", "a?b"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ToShiftJis(row.utf8), row.sjis) << row.name;
        EXPECT_EQ(FromShiftJis(row.sjis), row.readBack) << row.name;
    }
}

// The document of the format's worked example, saved after an estimation, as
// Shift-JIS with CR LF.
std::string WorkedExample() { return FileBytes(std::string(KURVO_TEST_DATA) + "/worked_example.txt"); }

TEST(DataFileWriter, WorkedExampleByteForByte) {
    Workbench wb;
    Session& s = wb.session;
    s.str_Title = "試験";
    s.str_VarTitle(1) = "T";
    s.str_VarTitle(2) = "P";
    wb.spdSpec.SetItemList(1, 1, VariableList(s, 2));
    wb.spdSpec.SetItemList(4, 1, VariableList(s, 2));
    wb.SetMethod(1, 'P', 'T', 0, 0, 0, 0, "1");
    wb.SetColumn(1, {"1", "2", "3"});
    wb.SetColumn(2, {"3", "5", "7"});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty());
    s.dbl_Coeff(1, 0) = 1;  // the fit came out exactly
    s.dbl_Coeff(1, 1) = 2;

    ScratchFolder folder;
    Save(wb, folder / "worked.txt");
    EXPECT_EQ(FileBytes(folder / "worked.txt"), WorkedExample());
    EXPECT_EQ(wb.Messages().back(), "保存しました。");
}

// With no variables the variable-title record has no line end.
TEST(DataFileWriter, EmptyDocumentLeavesTheTitleRecordOpen) {
    Workbench wb;
    const std::string expected = FileBytes(std::string(KURVO_TEST_DATA) + "/empty_document.txt");
    EXPECT_EQ(WriteDocument(CaptureDocument(wb.app)), expected);
    EXPECT_EQ(ReadDocument(expected), Document{});
}

// Degrees 2 and 1: the second combination has a blank on the C2 line.
TEST(DataFileWriter, CoefficientSectionHasOneFieldPerCombination) {
    Document d;
    d.results = Results{2, {{{1, -2, 0.5}, {}}, {{-0.25, 1e20}, {}}}};
    const std::string text = *FromShiftJis(WriteDocument(d));
    EXPECT_NE(text.find("[近似式係数]\r\n ,C0, 1 ,-0.25 \r\n ,C1,-2 , 1E+20 \r\n ,C2, 0.5 , \r\n[推算値]\r\n"),
              std::string::npos) << text;
}

// Nothing after the last data row is looked at.
TEST(DataFileReader, StopsAfterTheDataRows) {
    const std::string full = WorkedExample();
    const std::string data = full.substr(0, full.find(ToShiftJis("[近似式係数]")));
    const Document expected = ReadDocument(data);
    EXPECT_EQ(expected.rows.back(), (std::vector<std::string>{"3", "7"}));
    struct Row { const char* name; std::string bytes; };
    std::string unixLines = full;
    std::erase(unixLines, '\r');
    const Row rows[] = {
        {"complete", full},
        {"cut short and altered", data + ToShiftJis("[近似式") + "\x81\x39\xff,,\"unclosed"},
        {"blank lines", data + "\r\n\r\n"},
        {"no line end at the end", data.substr(0, data.size() - 2)},
        {"LF line ends", unixLines},
        {"saved again as UTF-8", *FromShiftJis(full)},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" + *FromShiftJis(full)},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ReadDocument(row.bytes), expected) << row.name;
        EXPECT_FALSE(ReadOpenedBytes(row.bytes).table) << row.name;  // Open takes it as a document, not a table
    }
}

}  // namespace
}  // namespace kurvo::test
