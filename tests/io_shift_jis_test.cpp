// Conversion between the program's UTF-8 texts and the files' Shift-JIS.
#include <gtest/gtest.h>

#include "io/shift_jis.h"

namespace kurvo {
namespace {

TEST(ShiftJis, ConvertsBothWays) {
    struct Row { const char* name; std::string utf8, sjis; };
    const Row rows[] = {
        {"ascii", "X-1, \"a\"", "X-1, \"a\""},
        {"full width", "例題－１", "\x97\xe1\x91\xe8\x81\x7c\x82\x50"},
        {"half-width katakana", "ｱｲｳ", "\xb1\xb2\xb3"},
        {"trail byte like a backslash", "表", "\x95\x5c"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ToShiftJis(row.utf8), row.sjis) << row.name;
        EXPECT_EQ(FromShiftJis(row.sjis), row.utf8) << row.name;
    }
}

TEST(ShiftJis, WritesQuestionMarksAndRejectsBadBytes) {
    EXPECT_EQ(ToShiftJis("é😀x"), "??x");
    EXPECT_EQ(ToShiftJis("a\xe3\x81" "b"), "a?b");  // a cut-off UTF-8 sequence
    for (const std::string bytes : {"\x81\x39", "\x85\x40", "abc\x81", "\x80"})
        EXPECT_EQ(FromShiftJis(bytes), std::nullopt) << bytes;
}

}  // namespace
}  // namespace kurvo
