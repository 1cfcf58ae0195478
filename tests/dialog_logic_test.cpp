// What the range, calculate-value and title dialogs store and show.
#include <gtest/gtest.h>

#include "checks.h"
#include "fit/calculate_value.h"
#include "graph/graph_range.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

struct RangeRow {
    const char* name;
    bool xLog, yLog;
    RangeTexts texts;
    std::array<double, 4> limits;  // refused when the divisions are 0: nothing stored
    int xDiv, yDiv;
};

class GraphRange : public ::testing::TestWithParam<RangeRow> {};

TEST_P(GraphRange, StoresExtentsAndLimitsOrNothing) {
    const RangeRow& row = GetParam();
    Session s;
    s.int_XLog(1) = row.xLog, s.int_YLog(1) = row.yLog;
    s.dbl_XLow(1) = s.dbl_XHigh(1) = s.dbl_YLow(1) = s.dbl_YHigh(1) = -1;
    const bool stored = row.xDiv != 0;
    EXPECT_EQ(ApplyGraphRange(s, 1, row.texts).stored, stored);
    const std::array<double, 4> limits{s.dbl_XLow(1), s.dbl_XHigh(1), s.dbl_YLow(1), s.dbl_YHigh(1)};
    EXPECT_EQ(limits, (stored ? row.limits : std::array<double, 4>{-1, -1, -1, -1}));
    EXPECT_EQ(std::vector<int>({s.int_XDiv(1), s.int_YDiv(1)}), std::vector<int>({row.xDiv, row.yDiv}));
    EXPECT_EQ(std::pair(s.dbl_XMin(1), s.dbl_YMax(1)),
              stored ? std::pair(NumberOf(row.texts[0]), NumberOf(row.texts[3])) : std::pair(0.0, 0.0));
    EXPECT_EQ(s.int_DialogOK, stored ? kTrue : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GraphRange,
    ::testing::Values(RangeRow{"LinearBothAxes", false, false, {"12.3", "87.6", "12.3", "87.6"}, {10, 100, 10, 90}, 5, 5},
                      // X lower exponent 3 from the natural logarithm, Y lower exponent 2 from the decimal one
                      RangeRow{"LowerEnd900", false, false, {"900", "1000", "900", "1000"}, {0, 1000, 900, 1000}, 5, 5},
                      RangeRow{"LowerEndZero", false, false, {"0", "5", "0", "5"}, {0, 5, 0, 5}, 5, 5},
                      RangeRow{"EqualEnds", false, false, {"37", "37", "1", "2"}, {30, 40, 1, 2}, 5, 5},
                      RangeRow{"LogAxes", true, true, {"2", "5000", "2", "5000"}, {0, 4, 0, 4}, 4, 4},
                      RangeRow{"LowerAboveUpperY", false, false, {"1", "2", "5", "3"}, {}, 0, 0},
                      RangeRow{"LogXWithZero", true, false, {"0", "10", "1", "2"}, {}, 0, 0},
                      // The X range is valid, the Y range is not: nothing at all is stored.
                      RangeRow{"LogYWithNegativeKeepsX", false, true, {"1", "10", "-1", "2"}, {}, 0, 0},
                      RangeRow{"EmptyBox", false, false, {"", "10", "1", "2"}, {}, 0, 0}),
    test::RowName());

TEST(GraphRangeDialog, MessagesNameTheWrongBoxAndTextsShowTheExtents) {
    Session s;
    EXPECT_EQ(ApplyGraphRange(s, 1, {"1", "2", "x", "4"}).message, "「従属変数の下限」に数値を入力してください。");
    EXPECT_EQ(ApplyGraphRange(s, 1, {"1", "1.7E+308", "1", "2"}).message,
              "「独立変数の上限」の値ではグラフの範囲を計算できません。\nオーバーフローしました。");
    EXPECT_EQ(ApplyGraphRange(s, 1, {"5", "3", "1", "2"}).message, "");  // refused without a word
    s.dbl_XMin(2) = 0.00001, s.dbl_XMax(2) = 37, s.dbl_YMin(2) = -2.5, s.dbl_YMax(2) = 1e20;
    EXPECT_EQ(CurrentRangeTexts(s, 2), (RangeTexts{"1E-05", "37", "-2.5", "1E+20"}));
}

struct CalcRow {
    const char* name;
    std::int16_t xLog, xRecip, yLog, yRecip;
    std::array<double, 3> coefficients;
    const char* x;
    bool ok;
    std::string shown;  // the value or the message
};

class CalculateValueRows : public ::testing::TestWithParam<CalcRow> {};

TEST_P(CalculateValueRows, EvaluatesTheShownCombination) {
    const CalcRow& row = GetParam();
    Session s;
    s.int_Comb = 1;  // combination 2 is shown
    s.int_WorkDegree = 2;
    s.int_XLog(2) = row.xLog, s.int_XRecip(2) = row.xRecip, s.int_YLog(2) = row.yLog, s.int_YRecip(2) = row.yRecip;
    for (int i = 0; i < 3; ++i) s.dbl_Coeff(2, i) = row.coefficients[static_cast<std::size_t>(i)];
    const CalculatedValue value = CalculateValue(s, row.x);
    EXPECT_EQ(value.ok, row.ok);
    EXPECT_EQ(value.text, row.shown);
}

const std::string kNotComputable = "この値では計算できません。\n" + RuntimeError::StandardDescription(ErrorNumber::Overflow);
INSTANTIATE_TEST_SUITE_P(
    Rows, CalculateValueRows,
    ::testing::Values(CalcRow{"QuadraticBlanksAroundNumber", 0, 0, 0, 0, {1, 2, 3}, " 2 ", true, "17"},
                      CalcRow{"LogYOfZeroPolynomial", 0, 0, 1, 0, {0, 0, 0}, "5", true, "1"},
                      CalcRow{"LogX", 1, 0, 0, 0, {0, 1, 0}, "1", true, "0"},
                      CalcRow{"ReciprocalY", 0, 0, 0, 1, {4, 0, 0}, "9", true, "0.25"},
                      CalcRow{"NotANumber", 0, 0, 0, 0, {1, 2, 3}, "abc", false, "数値を入力してください。"},
                      CalcRow{"LogOfZero", 1, 0, 0, 0, {1, 2, 3}, "0", false,
                              "Log変換するので、0 より大きい数値を入力してください。"},
                      CalcRow{"ReciprocalOfLogOne", 1, 1, 0, 0, {1, 2, 3}, "1", false,
                              "逆数変換する値が 0 になるので計算できません。"},
                      CalcRow{"Overflow", 0, 0, 1, 0, {1000, 0, 0}, "1", false, kNotComputable}),
    test::RowName());

TEST(CalculateValueLabels, NameTheShownCombinationsVariables) {
    Session s;
    s.int_Comb = 1;
    s.int_XVar(2) = 1, s.int_YVar(2) = 3;
    EXPECT_EQ(CalculateXLabel(s), " = ");  // no titles set
    s.str_VarTitle(1) = "時間", s.str_VarTitle(3) = "温度";
    EXPECT_EQ(CalculateXLabel(s), "時間 = ");
    EXPECT_EQ(CalculateYLabel(s), "温度 = ");
    s.int_YVar(2) = 0;  // a variable a file named but no column holds
    EXPECT_EQ(CalculateYLabel(s), " = ");
}

TEST(Titles, DialogShowsTheColumnsInUseAndOkRenamesHeadingsAndLists) {
    test::Workbench wb;
    Session& s = wb.app.session;
    for (int k = 1; k <= 5; ++k) s.str_VarTitle(k) = "T" + std::to_string(k);
    s.int_VarCount = 2, s.str_Title = "表題";
    EXPECT_EQ(wb.app.CurrentTitles().title, "表題");
    EXPECT_EQ(wb.app.CurrentTitles().variables, (std::array<std::string, 5>{"T1", "T2", "", "", ""}));

    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "2");
    s.int_CombCount = 1;
    wb.app.ApplyTitles({"新しい表題", {"時間", "温度", "圧力", "", ""}});
    EXPECT_EQ(s.str_Title, "新しい表題");
    EXPECT_EQ(s.str_VarTitle(2), "温度");
    EXPECT_EQ(s.int_DialogOK, kTrue);
    EXPECT_EQ(wb.data.Text(1, 0), "時間");
    // Each combination keeps its variable under the new names.
    EXPECT_EQ(wb.methodGrid.Text(1, 1), "温度");
    EXPECT_EQ(wb.methodGrid.Text(4, 1), "時間");
    EXPECT_EQ(wb.methodGrid.Items(1, 3), (std::vector<std::string>{"時間", "温度", "圧力", "", ""}));
}

}  // namespace
}  // namespace kurvo
