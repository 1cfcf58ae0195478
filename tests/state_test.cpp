// Start-up, New, switching between the result pages, and edits of the
// method grid.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Workbench;
using Column = std::vector<std::string>;

Column Sequence(int from, int to) {
    Column out;
    for (int i = from; i <= to; ++i) out.push_back(std::to_string(i));
    return out;
}

bool Blank(const TableGrid& grid) {
    for (int r = 1; r <= grid.Rows(); ++r)
        for (int c = 1; c <= grid.Columns(); ++c) {
            const std::string text = grid.Text(c, r);
            if (!(text.empty() || (grid.Kind(c, r) == CellKind::Check && text == "0"))) return false;
        }
    return true;
}

const std::vector<std::string> kLetters{"A", "B", "C", "D", "E"};

void ExpectEmptyDocumentShown(const Workbench& wb) {
    EXPECT_EQ(wb.app.session.int_Estimated, kFalse);
    EXPECT_EQ(wb.tabs.SelectedPage(), 0);
    EXPECT_TRUE(Blank(wb.data));
    EXPECT_TRUE(Blank(wb.coeff));
    for (const TableGrid* sheet : {&wb.est0, &wb.est1, &wb.est2, &wb.est3}) EXPECT_TRUE(Blank(*sheet));
    ASSERT_EQ(wb.graph.Calls().size(), 1u);
    EXPECT_EQ(wb.graph.Calls()[0].op, DrawCall::Op::Clear);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(wb.data.Text(k, 0), kLetters[static_cast<std::size_t>(k - 1)]);
    for (int c = 1; c <= 4; ++c) {
        SCOPED_TRACE("method row " + std::to_string(c));
        EXPECT_EQ(wb.methodGrid.Text(7, c), "2");
        EXPECT_EQ(wb.methodGrid.Text(1, c), "");
        EXPECT_EQ(wb.methodGrid.Text(4, c), "");
        EXPECT_EQ(wb.methodGrid.SelectedIndex(1, c), -1);
        EXPECT_EQ(wb.methodGrid.Items(1, c), kLetters);
        EXPECT_EQ(wb.methodGrid.Items(4, c), kLetters);
        for (int col : {2, 3, 5, 6}) EXPECT_EQ(wb.methodGrid.Text(col, c), "0");
        EXPECT_EQ(wb.app.session.int_XVar(c), 1);
        EXPECT_EQ(wb.app.session.int_YVar(c), c + 1);
    }
}

// Two combinations: B on A with 8 valid rows (degree 1), C on A with 10 (degree 2).
void LoadTwoCombinations(Workbench& wb) {
    wb.SetColumn(1, Sequence(1, 10));
    wb.SetColumn(2, {"3.1", "4.9", "7.2", "8.8", "11.1", "13.2", "14.8", "17.1"});
    wb.SetColumn(3, {"1.1", "3.9", "9.2", "15.8", "25.1", "36.2", "48.8", "64.1", "81.3", "99.7"});
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "1");
    wb.SetMethod(2, 'C', 'A', 0, 0, 0, 0, "2");
}

// ---- start-up and New -----------------------------------------------------------------------

TEST(StartUp, EmptyDocumentWithDefaultMethods) {
    Workbench wb;
    ExpectEmptyDocumentShown(wb);
    const Session& s = wb.app.session;
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(s.int_Degree(c), 2);
        EXPECT_EQ(s.int_XLog(c), 0);
        EXPECT_EQ(s.int_XRecip(c), 0);
        EXPECT_EQ(s.int_YLog(c), 0);
        EXPECT_EQ(s.int_YRecip(c), 0);
    }
    EXPECT_EQ(s.int_Degree(5), 0);
    EXPECT_EQ(s.int_XLog(5), 0);
    EXPECT_EQ(s.int_DataCount, 0);
    EXPECT_EQ(s.int_VarCount, 0);
    EXPECT_EQ(s.int_CombCount, 0);
    EXPECT_EQ(s.str_Title, "");
}

TEST(NewDocument, ClearsResultsAndKeepsTitlesCountsDegreesAndFlags) {
    Workbench wb;
    LoadTwoCombinations(wb);
    wb.methodGrid.SetText(5, 2, "1");  // X log for combination 2
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "3");
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    wb.tabs.SelectPage(2);
    // What an example or the title dialog leaves behind.
    Session& s = wb.app.session;
    s.str_Title = "例題";
    for (int v = 1; v <= 5; ++v) {
        s.str_VarTitle(v) = "変数" + std::to_string(v);
        wb.data.SetText(v, 0, s.str_VarTitle(v));
    }
    for (int c = 1; c <= 4; ++c) {
        wb.methodGrid.SetItemList(1, c, VariableList(s, 5));
        wb.methodGrid.SetItemList(4, c, VariableList(s, 5));
    }
    const Session before = s;

    wb.app.New();
    ExpectEmptyDocumentShown(wb);
    EXPECT_EQ(s.str_Title, "例題");
    EXPECT_EQ(s.str_VarTitle, before.str_VarTitle);
    EXPECT_EQ(s.int_DataCount, before.int_DataCount);
    EXPECT_EQ(s.int_VarCount, before.int_VarCount);
    EXPECT_EQ(s.int_CombCount, before.int_CombCount);
    EXPECT_EQ(s.int_Degree(1), 3) << "the grid shows 2, the session keeps its degree";
    EXPECT_EQ(s.int_Degree, before.int_Degree);
    EXPECT_EQ(s.int_XLog(2), 1);
    EXPECT_EQ(s.dbl_Coeff, before.dbl_Coeff);
}

TEST(NewDocument, TwiceLeavesTheSameScreenAsOnce) {
    Workbench wb;
    LoadTwoCombinations(wb);
    wb.app.RunEstimation();
    wb.app.New();
    const TableGrid data = wb.data, methodGrid = wb.methodGrid, coeff = wb.coeff, est0 = wb.est0;
    const auto graph = test::Describe(wb.graph);
    const std::vector<std::string> labels{wb.labels.Equation(0), wb.labels.Equation(1), wb.labels.Equation(2),
                                          wb.labels.Equation(3)};
    const Session once = wb.app.session;

    wb.app.New();
    EXPECT_TRUE(wb.data == data);
    EXPECT_TRUE(wb.methodGrid == methodGrid);
    EXPECT_TRUE(wb.coeff == coeff);
    EXPECT_TRUE(wb.est0 == est0);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_EQ(wb.tabs.SelectedPage(), 0);
    EXPECT_EQ(std::vector<std::string>({wb.labels.Equation(0), wb.labels.Equation(1), wb.labels.Equation(2),
                                        wb.labels.Equation(3)}),
              labels);
    EXPECT_EQ(wb.app.session.int_Estimated, once.int_Estimated);
    EXPECT_EQ(wb.app.session.int_XVar, once.int_XVar);
    EXPECT_EQ(wb.app.session.int_YVar, once.int_YVar);
}

TEST(NewDocument, ResultPagesShowNothingAfterwards) {
    Workbench wb;
    LoadTwoCombinations(wb);
    wb.app.RunEstimation();
    wb.app.New();
    wb.tabs.SelectPage(1);
    EXPECT_EQ(wb.labels.Equation(0), "");
    EXPECT_TRUE(Blank(wb.est0));
    EXPECT_EQ(wb.graph.Calls().size(), 1u);
    EXPECT_TRUE(wb.dialogs.messages.empty());
}

// ---- tab switching ----------------------------------------------------------------------------

class TabSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        LoadTwoCombinations(wb);
        wb.app.RunEstimation();
        ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    }
    Workbench wb;
};

TEST_F(TabSwitch, SampleCountFollowsTheShownCombination) {
    EXPECT_EQ(wb.app.session.int_DataCount, 8);
    wb.tabs.SelectPage(2);
    EXPECT_EQ(wb.app.session.int_DataCount, 10);
    EXPECT_EQ(wb.app.session.int_Comb, 1);
    EXPECT_EQ(wb.app.session.int_WorkDegree, 2);
    EXPECT_EQ(wb.labels.Equation(1).rfind("Y2=", 0), 0u);
    EXPECT_EQ(wb.graph.CallsOf(DrawCall::Op::Circle).size(), 10u);
    EXPECT_TRUE(wb.dialogs.messages.empty());
    EXPECT_TRUE(test::AllFinite(wb));
}

TEST_F(TabSwitch, PageBeyondTheCombinationsInUseOnlyEmptiesItsLabel) {
    wb.labels.SetEquation(2, "old");
    const auto graph = test::Describe(wb.graph);
    const TableGrid sheet = wb.est2;
    wb.tabs.SelectPage(3);
    EXPECT_EQ(wb.labels.Equation(2), "");
    EXPECT_EQ(wb.app.session.int_Comb, 0);
    EXPECT_EQ(wb.app.session.int_DataCount, 8);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_TRUE(wb.est2 == sheet);
}

TEST_F(TabSwitch, DataPageChangesNothing) {
    wb.tabs.SelectPage(2);
    const auto graph = test::Describe(wb.graph);
    const std::string label = wb.labels.Equation(1);
    wb.tabs.SelectPage(0);
    EXPECT_EQ(wb.app.session.int_Comb, 1);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_EQ(wb.labels.Equation(1), label);
}

TEST_F(TabSwitch, ReturningToAPageRedrawsTheSameGraph) {
    wb.tabs.SelectPage(2);
    const auto graph = test::Describe(wb.graph);
    const TableGrid sheet = wb.est1;
    const std::string label = wb.labels.Equation(1);
    const int clears = wb.graph.ClearCount();
    wb.tabs.SelectPage(0);
    wb.tabs.SelectPage(2);
    EXPECT_GT(wb.graph.ClearCount(), clears) << "the graph was not redrawn";
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_TRUE(wb.est1 == sheet);
    EXPECT_EQ(wb.labels.Equation(1), label);
}

TEST_F(TabSwitch, LimitsAreRecomputedFromTheCurrentExtents) {
    wb.app.session.dbl_XMax(2) = 250;
    wb.tabs.SelectPage(2);
    EXPECT_DOUBLE_EQ(wb.app.session.dbl_XHigh(2), 300);
    EXPECT_TRUE(test::AllFinite(wb));
}

TEST_F(TabSwitch, EditedDataShowUpWithTheCoefficientsOfTheRun) {
    const double c0 = wb.app.session.dbl_Coeff(2, 0);
    wb.data.SetText(3, 11, "121");
    wb.data.SetText(1, 11, "11");
    wb.tabs.SelectPage(2);
    EXPECT_EQ(wb.app.session.int_DataCount, 11);
    EXPECT_EQ(NumberOf(wb.est1.Text(2, 11)), 121);
    EXPECT_EQ(wb.app.session.dbl_Coeff(2, 0), c0);
}

TEST(TabSwitchBeforeEstimation, EmptiesTheLabelAndShowsNoResults) {
    Workbench wb;
    LoadTwoCombinations(wb);
    for (int page : {1, 2, 0, 1}) wb.tabs.SelectPage(page);
    EXPECT_EQ(wb.labels.Equation(0), "");
    EXPECT_EQ(wb.labels.Equation(1), "");
    EXPECT_EQ(wb.labels.Equation(2), "y3=c0+c1*x+c2*x^2");
    EXPECT_TRUE(Blank(wb.est0));
    EXPECT_TRUE(Blank(wb.est1));
    EXPECT_EQ(wb.graph.Calls().size(), 1u);
    EXPECT_EQ(wb.app.session.int_Comb, 0);
    EXPECT_TRUE(wb.dialogs.messages.empty());
}

// ---- refills outside a run: rows the X transform cannot take are passed over --------------------------

struct RefillRow {
    const char* name;
    int xLog, xRecip;
    int col, row;  // the data cell edited after the run
    std::string text;
    int samples;  // valid samples of the second combination afterwards
    bool message;
};
void PrintTo(const RefillRow& row, std::ostream* os) { *os << row.name; }

class Refill : public ::testing::TestWithParam<RefillRow> {};

TEST_P(Refill, OnTabSwitchTheProgramGoesOn) {
    const RefillRow& row = GetParam();
    Workbench wb;
    // X from 12: a logarithmic X axis starts at the decade 10, where 1 / ln X exists
    wb.SetColumn(1, Sequence(12, 21));
    wb.SetColumn(2, {"3", "5", "7", "9", "11", "13", "15", "17", "19", "21"});
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "1");
    wb.SetMethod(2, 'B', 'A', 0, 0, row.xLog, row.xRecip, "1");
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    for (int col = 1; col <= 5; ++col) wb.est1.SetText(col, row.row, "old");

    wb.data.SetText(row.col, row.row, row.text);
    wb.tabs.SelectPage(2);
    EXPECT_EQ(wb.dialogs.messages.size(), row.message ? 1u : 0u);
    EXPECT_EQ(wb.app.session.int_Comb, 1);
    if (!row.message) {
        EXPECT_EQ(wb.app.session.int_DataCount, row.samples);
        for (int col = 1; col <= 5; ++col) EXPECT_EQ(wb.est1.Text(col, row.row), "old");
        EXPECT_EQ(wb.graph.CallsOf(DrawCall::Op::Circle).size(), static_cast<std::size_t>(row.samples));
    }
    EXPECT_TRUE(test::AllFinite(wb));

    // The program goes on: the first page still shows its results.
    wb.dialogs.messages.clear();
    wb.tabs.SelectPage(1);
    EXPECT_EQ(wb.app.session.int_Comb, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, Refill,
    ::testing::Values(RefillRow{"XZeroUnderLog", 1, 0, 1, 3, "0", 9, false},
                      RefillRow{"XNegativeUnderLog", 1, 0, 1, 3, "-4", 9, false},
                      RefillRow{"XZeroUnderReciprocal", 0, 1, 1, 3, "0", 9, false},
                      RefillRow{"XOneUnderLogAndReciprocal", 1, 1, 1, 3, "1", 9, false},
                      RefillRow{"XNoLongerANumber", 0, 0, 1, 3, "abc", 9, false},
                      RefillRow{"YNoLongerANumber", 0, 0, 2, 3, "", 9, false},
                      // other arithmetic errors are shown
                      RefillRow{"YBeyondTheSquaresRange", 0, 0, 2, 3, "1e300", 10, true}),
    test::RowName());

// ---- edits of the method grid -------------------------------------------------------------------

struct EditRow {
    const char* name;
    int col, row;
    std::string text;
    int runs;
    std::optional<int> degree;  // int_Degree(row) afterwards
    std::string message;        // empty: none
};
void PrintTo(const EditRow& row, std::ostream* os) { *os << row.name; }

class MethodEdit : public ::testing::TestWithParam<EditRow> {};

TEST_P(MethodEdit, AfterAnEstimation) {
    const EditRow& row = GetParam();
    Workbench wb;
    wb.SetColumn(1, Sequence(1, 8));
    wb.SetColumn(2, {"1", "8", "27", "64", "125", "216", "343", "512"});
    wb.SetColumn(3, {"2", "4", "6", "8", "10", "12", "14", "16"});
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "2");
    wb.SetMethod(2, 'C', 'A', 0, 0, 0, 0, "1");
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    wb.tabs.SelectPage(2);
    int runs = 0;
    wb.coeff.SetChangeObserver([&](int col, int r) { runs += (col == -1 && r == -1) ? 1 : 0; });
    const Session before = wb.app.session;

    wb.methodGrid.SetText(row.col, row.row, row.text);
    wb.app.OnSpecCellChanged(row.col, row.row);

    EXPECT_EQ(runs, row.runs);
    const Session& s = wb.app.session;
    if (row.degree) {
        EXPECT_EQ(s.int_Degree(row.row), *row.degree);
    }
    if (row.message.empty()) {
        EXPECT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    } else {
        EXPECT_EQ(wb.Messages(), std::vector<std::string>{row.message});
    }
    if (row.runs == 1 && row.message.empty()) {
        // The display switches to the first combination.
        EXPECT_EQ(wb.tabs.SelectedPage(), 1);
        EXPECT_EQ(s.int_Comb, 0);
        const int degree = s.int_Degree(row.row);
        for (int k = 0; k <= 6; ++k) EXPECT_EQ(wb.coeff.Text(row.row, k + 5) != "", k <= degree) << "C" << k;
    }
    if (row.runs == 0) {
        EXPECT_EQ(wb.tabs.SelectedPage(), 2);
        EXPECT_EQ(s.int_Comb, 1);
        EXPECT_EQ(s.int_Degree, before.int_Degree);
        EXPECT_EQ(s.int_YLog, before.int_YLog);
        EXPECT_EQ(s.int_XLog, before.int_XLog);
    }
    EXPECT_TRUE(test::AllFinite(wb));
}

const std::string kSubscriptMessage = RuntimeError::StandardDescription(ErrorNumber::SubscriptOutOfRange);

INSTANTIATE_TEST_SUITE_P(
    Cells, MethodEdit,
    ::testing::Values(EditRow{"DegreeThree", 7, 1, "3", 1, 3, ""},
                      EditRow{"DegreeOfSecondRow", 7, 2, "3", 1, 3, ""},
                      EditRow{"DegreeSevenIsNotStored", 7, 1, "7", 0, 2, ""},
                      EditRow{"DegreeEightIsNotStored", 7, 1, "8", 0, 2, ""},
                      EditRow{"DegreeTwoAndAHalfIsTwo", 7, 2, "2.5", 1, 2, ""},
                      EditRow{"DegreeThreeAndAHalfIsFour", 7, 1, "3.5", 1, 4, ""},
                      EditRow{"DegreeSixAndAHalfIsSix", 7, 1, "6.5", 1, 6, ""},
                      // below 7, but it rounds to 7: the run stops at the missing power column
                      EditRow{"DegreeSixPointNineRoundsToSeven", 7, 1, "6.9", 1, 7, kSubscriptMessage},
                      EditRow{"DegreeZeroStartsARun", 7, 1, "0", 1, 0, ""},
                      EditRow{"NegativeDegreeStartsARunThatStops", 7, 1, "-1", 1, -1, kSubscriptMessage},
                      EditRow{"DegreeTextNotANumberReadsAsZero", 7, 1, "abc", 1, 0, ""},
                      EditRow{"IndependentVariable", 4, 2, "C", 0, std::nullopt, ""},
                      EditRow{"DependentVariable", 1, 3, "E", 0, std::nullopt, ""},
                      EditRow{"TransformCheckBox", 2, 1, "1", 0, std::nullopt, ""},
                      EditRow{"ReciprocalCheckBox", 6, 2, "1", 0, std::nullopt, ""}),
    test::RowName());

TEST(MethodEditVariables, RecordedAtOnceWithoutARun) {
    Workbench wb;
    int runs = 0;
    wb.coeff.SetChangeObserver([&](int col, int r) { runs += (col == -1 && r == -1) ? 1 : 0; });
    wb.methodGrid.SetText(4, 2, "C");
    wb.app.OnSpecCellChanged(4, 2);
    EXPECT_EQ(wb.app.session.int_XVar(2), 3);
    wb.methodGrid.SetText(1, 3, "E");
    wb.app.OnSpecCellChanged(1, 3);
    EXPECT_EQ(wb.app.session.int_YVar(3), 5);
    wb.methodGrid.SetText(1, 4, "A");
    wb.app.OnSpecCellChanged(1, 4);
    EXPECT_EQ(wb.app.session.int_YVar(4), 1);
    EXPECT_EQ(runs, 0);
}

TEST(MethodEditVariables, DegreeBeforeAnyEstimationIsNotStored) {
    Workbench wb;
    LoadTwoCombinations(wb);
    int runs = 0;
    wb.coeff.SetChangeObserver([&](int col, int r) { runs += (col == -1 && r == -1) ? 1 : 0; });
    wb.methodGrid.SetText(7, 1, "3");
    wb.app.OnSpecCellChanged(7, 1);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(wb.app.session.int_Degree(1), 2);
    EXPECT_EQ(wb.app.session.int_Estimated, kFalse);
    // The next run reads the degree from the grid anyway.
    wb.app.RunEstimation();
    EXPECT_EQ(wb.app.session.int_Degree(1), 3);
}

}  // namespace
}  // namespace kurvo
