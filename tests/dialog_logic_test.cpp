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
        GraphExtents e;
        e.xLog = row[1] == "1", e.yLog = row[2] == "1";
        const RangeOutcome outcome = ApplyGraphRange(e, {row[3], row[4], row[5], row[6]});
        const bool stored = row[11] != "0";
        EXPECT_EQ(outcome.stored, stored);
        EXPECT_EQ(std::pair(outcome.x.has_value(), outcome.y.has_value()), std::pair(stored, stored));
        if (!stored) continue;
        const AxisRange &x = *outcome.x, &y = *outcome.y;
        const std::array<double, 4> limits{x.scale.low, x.scale.high, y.scale.low, y.scale.high};
        for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(limits[i], test::NumberField(row[7 + i])) << "limit " << i;
        EXPECT_EQ(std::to_string(x.scale.divisions) + " " + std::to_string(y.scale.divisions), row[11] + " " + row[12]);
        EXPECT_EQ(std::pair(x.lower, y.upper), std::pair(NumberOf(row[3]), NumberOf(row[6])));
    }
}

TEST(GraphRangeDialog, MessagesNameTheWrongBoxAndTextsShowTheExtents) {
    const GraphExtents none;
    EXPECT_EQ(ApplyGraphRange(none, {"1", "2", "x", "4"}).message, "「従属変数の下限」に数値を入力してください。");
    EXPECT_EQ(ApplyGraphRange(none, {"1", "1.7E+308", "1", "2"}).message,
              "「独立変数の上限」の値ではグラフの範囲を計算できません。\nオーバーフローしました。");
    EXPECT_EQ(ApplyGraphRange(none, {"5", "3", "1", "2"}).message, "");  // refused without a word
    EXPECT_EQ(CurrentRangeTexts({0.00001, 37, -2.5, 1e20, false, false}), (RangeTexts{"1E-05", "37", "-2.5", "1E+20"}));
}

TEST(CalculateValue, EvaluatesTheFittedPolynomial) {
    for (const auto& row : test::ReadCases("calculate_value.tsv", 11)) {
        SCOPED_TRACE(row[0]);
        Transforms t;
        t.xLog = row[1] == "1", t.xRecip = row[2] == "1", t.yLog = row[3] == "1", t.yRecip = row[4] == "1";
        std::array<double, 3> coefficients{};
        for (std::size_t i = 0; i < 3; ++i) coefficients[i] = test::NumberField(row[5 + i]);
        const CalculatedValue value = CalculateValue(coefficients, t, 2, row[8]);
        EXPECT_EQ(value.ok, row[9] == "1");
        EXPECT_EQ(value.text, row[10]);
    }
}

TEST(CalculateValueLabels, NameTheShownCombinationsVariables) {
    test::Workbench wb;
    Session& s = wb.session;
    s.int_Comb = 1;
    s.int_XVar(2) = 1, s.int_YVar(2) = 3;
    EXPECT_EQ(wb.app.CalculateXLabel(), "A = ");  // no titles set: the column letter
    s.str_VarTitle(1) = "時間", s.str_VarTitle(3) = "温度";
    EXPECT_EQ(wb.app.CalculateXLabel(), "時間 = ");
    EXPECT_EQ(wb.app.CalculateYLabel(), "温度 = ");
    s.int_YVar(2) = 0;  // a variable a file named but no column holds
    EXPECT_EQ(wb.app.CalculateYLabel(), " = ");
}

TEST(Titles, DialogShowsTheColumnsInUseAndOkRenamesHeadingsAndLists) {
    test::Workbench wb;
    Session& s = wb.session;
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
