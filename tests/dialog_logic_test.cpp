// What the range, calculate-value and title dialogs store and show.
#include <gtest/gtest.h>

#include "checks.h"
#include "fit/calculate_value.h"
#include "graph/graph_range.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

TEST(GraphRange, StoresExtentsAndLimitsOrNothing) {
    for (const auto& row : test::ReadCases("graph_range.tsv", 13)) {
        SCOPED_TRACE(row[0]);
        Session s;
        s.int_XLog(1) = row[1] == "1", s.int_YLog(1) = row[2] == "1";
        s.dbl_XLow(1) = s.dbl_XHigh(1) = s.dbl_YLow(1) = s.dbl_YHigh(1) = -1;
        const bool stored = row[11] != "0";
        EXPECT_EQ(ApplyGraphRange(s, 1, {row[3], row[4], row[5], row[6]}).stored, stored);
        const std::array<double, 4> limits{s.dbl_XLow(1), s.dbl_XHigh(1), s.dbl_YLow(1), s.dbl_YHigh(1)};
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(limits[i], stored ? test::NumberField(row[7 + i]) : -1) << "limit " << i;
        EXPECT_EQ(std::to_string(s.int_XDiv(1)) + " " + std::to_string(s.int_YDiv(1)), row[11] + " " + row[12]);
        EXPECT_EQ(std::pair(s.dbl_XMin(1), s.dbl_YMax(1)),
                  stored ? std::pair(NumberOf(row[3]), NumberOf(row[6])) : std::pair(0.0, 0.0));
        EXPECT_EQ(s.int_DialogOK, stored ? kTrue : 0);
    }
}

TEST(GraphRangeDialog, MessagesNameTheWrongBoxAndTextsShowTheExtents) {
    Session s;
    EXPECT_EQ(ApplyGraphRange(s, 1, {"1", "2", "x", "4"}).message, "「従属変数の下限」に数値を入力してください。");
    EXPECT_EQ(ApplyGraphRange(s, 1, {"1", "1.7E+308", "1", "2"}).message,
              "「独立変数の上限」の値ではグラフの範囲を計算できません。\nオーバーフローしました。");
    EXPECT_EQ(ApplyGraphRange(s, 1, {"5", "3", "1", "2"}).message, "");  // refused without a word
    s.dbl_XMin(2) = 0.00001, s.dbl_XMax(2) = 37, s.dbl_YMin(2) = -2.5, s.dbl_YMax(2) = 1e20;
    EXPECT_EQ(CurrentRangeTexts(s, 2), (RangeTexts{"1E-05", "37", "-2.5", "1E+20"}));
}

TEST(CalculateValue, EvaluatesTheShownCombination) {
    for (const auto& row : test::ReadCases("calculate_value.tsv", 11)) {
        SCOPED_TRACE(row[0]);
        Session s;
        s.int_Comb = 1;  // combination 2 is shown
        s.int_WorkDegree = 2;
        s.int_XLog(2) = row[1] == "1", s.int_XRecip(2) = row[2] == "1", s.int_YLog(2) = row[3] == "1";
        s.int_YRecip(2) = row[4] == "1";
        for (int i = 0; i < 3; ++i) s.dbl_Coeff(2, i) = test::NumberField(row[static_cast<std::size_t>(5 + i)]);
        const CalculatedValue value = CalculateValue(s, row[8]);
        EXPECT_EQ(value.ok, row[9] == "1");
        EXPECT_EQ(value.text, row[10]);
    }
}

TEST(CalculateValueLabels, NameTheShownCombinationsVariables) {
    Session s;
    s.int_Comb = 1;
    s.int_XVar(2) = 1, s.int_YVar(2) = 3;
    EXPECT_EQ(CalculateXLabel(s), "A = ");  // no titles set: the column letter
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
    // A column without a name keeps its letter.
    EXPECT_EQ(wb.methodGrid.Items(1, 3), (std::vector<std::string>{"時間", "温度", "圧力", "D", "E"}));
    EXPECT_EQ(wb.data.Text(5, 0), "E");
}

}  // namespace
}  // namespace kurvo
