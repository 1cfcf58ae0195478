// Start-up, New, switching between the result pages, and edits of the
// method grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Workbench;
using Texts = std::vector<std::string>;
const Texts kNone;

bool Blank(const TableGrid& grid) {
    for (int r = 1; r <= grid.Rows(); ++r)
        for (int c = 1; c <= grid.Columns(); ++c)
            if (!grid.Text(c, r).empty()) return false;
    return true;
}

// Counts the estimation runs: each run clears the whole coefficient grid.
int& CountRuns(Workbench& wb) {
    static int runs;
    runs = 0;
    wb.coeff.SetChangeObserver([](int col, int r) { runs += (col == -1 && r == -1) ? 1 : 0; });
    return runs;
}

void Edit(Workbench& wb, int col, int row, const std::string& text) {
    wb.methodGrid.SetText(col, row, text);
    wb.app.OnSpecCellChanged(col, row);
}

// No results, the data page, blank grids, a cleared graph, the letters as
// headings and variables, degree "2" shown and each combination's variables reset.
void ExpectEmptyDocumentShown(const Workbench& wb) {
    const Texts letters{"A", "B", "C", "D", "E"};
    EXPECT_EQ(wb.session.int_Estimated, kFalse);
    EXPECT_EQ(wb.tabs.SelectedPage(), 0);
    for (const TableGrid* grid : {&wb.data, &wb.coeff, &wb.est0, &wb.est1, &wb.est2, &wb.est3}) EXPECT_TRUE(Blank(*grid));
    ASSERT_EQ(wb.graph.Calls().size(), 1u);
    EXPECT_EQ(wb.graph.Calls()[0].op, DrawCall::Op::Clear);
    EXPECT_EQ(Texts({wb.data.Text(1, 0), wb.data.Text(5, 0)}), Texts({"A", "E"}));
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(wb.methodGrid.Items(1, c), letters);
        EXPECT_EQ(wb.methodGrid.Text(7, c), "2");
        EXPECT_EQ(wb.session.int_XVar(c), 1);
        EXPECT_EQ(wb.session.int_YVar(c), c + 1);
    }
}

// B on A with 8 valid rows (degree 1), C on A with 10 (degree 2).
void LoadTwoCombinations(Workbench& wb) {
    wb.SetColumn(1, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"});
    wb.SetColumn(2, {"3.1", "4.9", "7.2", "8.8", "11.1", "13.2", "14.8", "17.1"});
    wb.SetColumn(3, {"1.1", "3.9", "9.2", "15.8", "25.1", "36.2", "48.8", "64.1", "81.3", "99.7"});
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "1");
    wb.SetMethod(2, 'C', 'A', 0, 0, 0, 0, "2");
}

// ---- start-up and New ---------------------------------------------------------------------

TEST(StartUp, EmptyDocument) {
    Workbench wb;
    ExpectEmptyDocumentShown(wb);
}

TEST(NewDocument, ClearsResultsAndTitlesKeepsCountsDegreesAndFlagsAndTwiceIsOnce) {
    Workbench wb;
    LoadTwoCombinations(wb);
    wb.methodGrid.SetText(5, 2, "1");  // X log for combination 2
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "3");
    wb.app.RunEstimation();
    ASSERT_EQ(wb.Messages(), kNone);
    wb.tabs.SelectPage(2);
    // What the title dialog leaves behind.
    wb.app.ApplyTitles({"例題", {"変数1", "変数2", "変数3", "変数4", "変数5"}});
    const Session& s = wb.session;
    const Session before = s;

    wb.app.New();
    ExpectEmptyDocumentShown(wb);
    // What is saved and drawn next is what the grid shows: no titles.
    EXPECT_EQ(s.str_Title, "");
    for (int v = 1; v <= 5; ++v) EXPECT_EQ(s.str_VarTitle(v), "") << v;
    EXPECT_EQ(s.int_DataCount, before.int_DataCount);
    EXPECT_EQ(s.int_CombCount, before.int_CombCount);
    EXPECT_EQ(s.int_Degree(1), 3) << "the grid shows 2, the session keeps its degree";
    EXPECT_EQ(s.int_XLog(2), 1);

    const TableGrid data = wb.data, methodGrid = wb.methodGrid, coeff = wb.coeff;
    const auto graph = test::Describe(wb.graph);
    wb.app.New();
    EXPECT_TRUE(wb.data == data && wb.methodGrid == methodGrid && wb.coeff == coeff);
    EXPECT_EQ(test::Describe(wb.graph), graph);
}

// ---- tab switching -------------------------------------------------------------------------

// After a run of both: B on A with 8 valid rows, C on A with 10.
TEST(TabSwitch, ShownCombinationsSamplesWithEditsCoefficientsOfTheRunAndLimitsFromTheExtents) {
    Workbench wb;
    LoadTwoCombinations(wb);
    wb.app.RunEstimation();
    ASSERT_EQ(wb.Messages(), kNone);
    EXPECT_EQ(wb.session.int_DataCount, 8);
    const double c0 = wb.session.dbl_Coeff(2, 0);
    wb.session.dbl_XMax(2) = 250;
    wb.data.SetText(3, 11, "121");  // a sample typed after the run
    wb.data.SetText(1, 11, "11");
    wb.tabs.SelectPage(2);
    EXPECT_EQ(wb.session.int_DataCount, 11);
    EXPECT_EQ(NumberOf(wb.est1.Text(2, 11)), 121);
    EXPECT_EQ(wb.session.dbl_Coeff(2, 0), c0);
    EXPECT_EQ(wb.session.int_Comb, 1);
    EXPECT_EQ(wb.session.int_WorkDegree, 2);
    EXPECT_DOUBLE_EQ(wb.session.dbl_XHigh(2), 300);
    EXPECT_EQ(wb.graph.CallsOf(DrawCall::Op::Circle).size(), 11u);
}

TEST(TabSwitch, DataPageAndPagesBeyondTheCombinationsChangeNothingButTheirLabel) {
    Workbench wb;
    LoadTwoCombinations(wb);
    wb.app.RunEstimation();
    wb.tabs.SelectPage(2);
    const auto graph = test::Describe(wb.graph);
    const int clears = wb.graph.ClearCount();
    wb.labels.SetEquation(2, "old");
    for (int page : {0, 3}) wb.tabs.SelectPage(page);
    EXPECT_EQ(wb.labels.Equation(2), "");
    EXPECT_EQ(wb.session.int_Comb, 1);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    wb.tabs.SelectPage(2);  // returning redraws the same graph
    EXPECT_GT(wb.graph.ClearCount(), clears) << "the graph was not redrawn";
    EXPECT_EQ(test::Describe(wb.graph), graph);
}

// ---- refills outside a run ------------------------------------------------------------------

TEST(Refill, RowsTheXTransformCannotTakeArePassedOverOtherErrorsShown) {
    Workbench wb;
    // X from 12: a logarithmic X axis starts at the decade 10, where 1 / ln X exists
    wb.SetColumn(1, {"12", "13", "14", "15", "16", "17", "18", "19", "20", "21"});
    wb.SetColumn(2, {"3", "4", "5", "6", "7", "8", "9", "10", "11", "12"});
    wb.SetMethod(1, 'B', 'A', 0, 0, 1, 1, "1");
    wb.app.RunEstimation();
    ASSERT_EQ(wb.Messages(), kNone);
    wb.data.SetText(1, 3, "1");  // 1 / ln 1
    for (int page : {0, 1}) wb.tabs.SelectPage(page);
    EXPECT_EQ(wb.Messages(), kNone);
    EXPECT_EQ(wb.session.int_DataCount, 9);
    EXPECT_EQ(wb.graph.CallsOf(DrawCall::Op::Circle).size(), 9u);
    wb.data.SetText(2, 4, "1e300");  // its square leaves the double range
    for (int page : {0, 1}) wb.tabs.SelectPage(page);
    EXPECT_EQ(wb.Messages(), Texts{RuntimeError::StandardDescription(ErrorNumber::Overflow)});
    EXPECT_TRUE(test::AllFinite(wb));
}

// ---- edits of the method grid --------------------------------------------------------------

TEST(MethodEdit, AfterAnEstimation) {
    for (const auto& row : test::ReadCases("method_edit.tsv", 7)) {
        SCOPED_TRACE(row[0]);
        Workbench wb;
        LoadTwoCombinations(wb);
        wb.app.RunEstimation();
        wb.tabs.SelectPage(2);
        ASSERT_EQ(wb.Messages(), kNone);
        const int& runs = CountRuns(wb);
        const Session before = wb.session;
        const int cell = std::stoi(row[2]);
        Edit(wb, std::stoi(row[1]), cell, row[3]);
        EXPECT_EQ(runs, std::stoi(row[4]));
        if (!row[5].empty()) {
            EXPECT_EQ(wb.session.int_Degree(cell), std::stoi(row[5]));
        }
        if (runs == 0) {
            EXPECT_EQ(wb.session.int_Degree, before.int_Degree);
        }
        EXPECT_EQ(wb.Messages(), row[6] == "1" ? Texts{"インデックスが有効範囲にありません。"} : kNone);
    }
}

TEST(MethodEditBeforeAnyEstimation, VariablesRecordedAtOnceDegreeNotStoredAndNoRun) {
    Workbench wb;
    LoadTwoCombinations(wb);
    const int& runs = CountRuns(wb);
    Edit(wb, 4, 2, "C");
    Edit(wb, 1, 3, "E");
    EXPECT_EQ(std::vector<int>({wb.session.int_XVar(2), wb.session.int_YVar(3)}), std::vector<int>({3, 5}));
    Edit(wb, 7, 1, "3");
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(wb.session.int_Degree(1), 2) << "the degree set at start-up";
    EXPECT_EQ(wb.session.int_Estimated, kFalse);
}

}  // namespace
}  // namespace kurvo
