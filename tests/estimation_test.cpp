// The estimation run: valid samples, transforms, fits, coefficients,
// extents, result sheets and statistics, and what a failing run leaves.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Workbench;
using Column = std::vector<std::string>;
using Texts = std::vector<std::string>;
const Texts kNone;

struct Method {
    char y, x;
    int yLog = 0, yRecip = 0, xLog = 0, xRecip = 0;
    std::string degree = "1";
};

void SetMethod(Workbench& wb, int row, const Method& m) {
    wb.SetMethod(row, m.y, m.x, m.yLog, m.yRecip, m.xLog, m.xRecip, m.degree);
}

void Fit(Workbench& wb, const std::vector<Column>& columns, const std::vector<Method>& methods) {
    for (std::size_t c = 0; c < columns.size(); ++c) wb.SetColumn(static_cast<int>(c) + 1, columns[c]);
    for (std::size_t r = 0; r < methods.size(); ++r) SetMethod(wb, static_cast<int>(r) + 1, methods[r]);
    wb.app.RunEstimation();
}

const Column kWorkedX{"1", "2", "3", "4", "5"};
const Column kWorkedY{"2.1", "3.9", "6.2", "7.8", "10.1"};
const Column kSquares{"1", "4", "9", "16", "25"};

double Cell(const TableGrid& grid, int col, int row) { return NumberOf(grid.Text(col, row)); }

// ---- runs that fit --------------------------------------------------------------------------

TEST(FittingRun, CoefficientsInTheSessionAndTheCoefficientGrid) {
    for (const auto& row : test::ReadCases("fitting_run.tsv", 0)) {
        SCOPED_TRACE(row[0]);
        Workbench wb;
        for (int c = 1; c <= 5; ++c) {
            Column cells = test::Words(row[static_cast<std::size_t>(c)]);
            for (std::string& cell : cells) cell = cell == "_" ? "" : cell;
            wb.SetColumn(c, cells);
        }
        std::istringstream methods(row[6]);
        int count = 0;
        for (std::string method; std::getline(methods, method, ';');) {
            const Texts m = test::Words(method);
            wb.SetMethod(++count, m[0][0], m[1][0], std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5]), m[6]);
        }
        wb.app.RunEstimation();
        ASSERT_EQ(wb.Messages(), kNone);
        EXPECT_EQ(wb.dialogs.statuses, row.size() > 10 ? Texts{row[10]} : Texts{});
        const Session& s = wb.session;
        EXPECT_EQ(s.int_Estimated, kTrue);
        EXPECT_EQ(s.int_Comb, 0);
        EXPECT_EQ(wb.tabs.SelectedPage(), 1);
        EXPECT_EQ(s.int_CombCount, count);
        EXPECT_EQ(s.int_DataCount, std::stoi(row[9]));
        const std::vector<double> coefficients = test::Numbers(row[7]);
        const int degree = static_cast<int>(coefficients.size()) - 1;
        EXPECT_EQ(s.int_WorkDegree, degree);
        for (int k = 0; k <= 6; ++k) {
            if (k > degree) {
                EXPECT_EQ(wb.coeff.Text(1, k + 5), "") << "C" << k;
                continue;
            }
            EXPECT_NEAR(s.dbl_Coeff(1, k), coefficients[static_cast<std::size_t>(k)], test::NumberField(row[8])) << "C" << k;
            EXPECT_EQ(wb.coeff.Text(1, k + 5), FormatCoefficient(s.dbl_Coeff(1, k)));
        }
    }
}

// ---- result sheets and extents -------------------------------------------------------------

TEST(EstimationSheet, SkippedDataRowsLeaveTheirSheetRowsAsTheyWere) {
    Workbench wb;
    for (int col = 1; col <= 5; ++col) wb.est0.SetText(col, 5, "old"), wb.est0.SetText(col, 7, "old");
    Fit(wb, {{"1", "2", "3", "4", "5", "6", "abc", "8", "9", "10"}, {"3", "5", "7", "9", "", "13", "15", "17", "19", "21"}},
        {{'B', 'A'}});
    ASSERT_EQ(wb.Messages(), kNone);
    for (int col = 1; col <= 5; ++col) EXPECT_EQ(wb.est0.Text(col, 5) + wb.est0.Text(col, 7), "oldold");
    for (int r : {1, 4, 6, 10}) EXPECT_EQ(Cell(wb.est0, 2, r), 2 * r + 1) << "row " << r;
}

// ---- statistics ----------------------------------------------------------------------------

TEST(Statistics, SheetRowsStatisticsAndYExtentInMeasuredUnits) {
    for (const auto& row : test::ReadCases("statistics.tsv", 13)) {
        SCOPED_TRACE(row[0]);
        Workbench wb;
        Fit(wb, {test::Words(row[1]), test::Words(row[2])}, {{'B', 'A', row[3] == "1", 0, 0, 0, row[4]}});
        // The graph's own faults (its scale on Y far from 0) are not this table's.
        for (const std::string& message : wb.Messages()) EXPECT_EQ(message.rfind("グラフを描けませんでした", 0), 0u);
        Texts statistics, percents;
        for (int r = 1; r <= 4; ++r) statistics.push_back(wb.coeff.Text(1, r));
        const Texts expected = test::Words(row[9]);
        for (int r = 1; r <= static_cast<int>(expected.size()); ++r) percents.push_back(wb.est0.Text(5, r));
        EXPECT_EQ(statistics, Texts(row.begin() + 5, row.begin() + 9));
        EXPECT_EQ(percents, expected);
        const std::vector<double> x = test::Numbers(row[1]), y = test::Numbers(row[2]), fitted = test::Numbers(row[10]);
        for (std::size_t i = 0; i < x.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            EXPECT_EQ(Cell(wb.est0, 1, r), x[i]) << "row " << r;
            EXPECT_NEAR(Cell(wb.est0, 2, r), y[i], 1e-12) << "row " << r;  // under a Y log, e^(ln y)
            EXPECT_NEAR(Cell(wb.est0, 3, r), fitted[i], 1e-12 * std::max(1.0, fitted[i])) << "row " << r;
            EXPECT_NEAR(Cell(wb.est0, 4, r), y[i] - fitted[i], 1e-12 * std::max(1.0, fitted[i])) << "row " << r;
        }
        EXPECT_NEAR(wb.session.dbl_YMin(1), test::Numbers(row[11])[0], 1e-12 * std::max(1.0, fitted[0]));
        EXPECT_NEAR(wb.session.dbl_YMax(1), test::Numbers(row[11])[1], 1e-12 * std::max(1.0, fitted[0]));
        if (row[12].empty()) continue;
        FitSamples samples;
        samples.x = x;
        samples.y = samples.measured = y;
        const std::optional<double> r = FitCombination(samples, 1).statistics->correlation;
        ASSERT_TRUE(r);
        EXPECT_NEAR(*r, test::NumberField(row[12]), 1e-9);
        EXPECT_LE(*r, 1.0);
    }
}

// ---- runs that fail ------------------------------------------------------------------------

// A first run succeeds and the second combination's page is shown; then the
// second combination is refused in a new run: it is named and left empty, and
// the first is shown as after a good run.
TEST(FailingRun, RefusedCombinationLeftEmptyBesideTheGoodOne) {
    for (const auto& row : test::ReadCases("failing_run.tsv", 10)) {
        SCOPED_TRACE(row[0]);
        Workbench wb;
        Fit(wb, {kWorkedX, kWorkedY, kWorkedX}, {{'B', 'A'}, {'C', 'A'}});
        const auto graph = test::Describe(wb.graph);
        wb.tabs.SelectPage(2);
        ASSERT_EQ(wb.Messages(), kNone);

        wb.SetColumn(4, test::Words(row[1]));
        wb.SetMethod(2, row[2][0], row[3][0], std::stoi(row[4]), std::stoi(row[5]), std::stoi(row[6]), std::stoi(row[7]), row[8]);
        wb.app.RunEstimation();

        EXPECT_EQ(wb.Messages(), Texts{row[9]});
        EXPECT_EQ(wb.session.int_Comb, 0);
        EXPECT_EQ(wb.tabs.SelectedPage(), 1);
        EXPECT_EQ(test::Describe(wb.graph), graph);
        EXPECT_TRUE(wb.app.Figures(1));
        EXPECT_FALSE(wb.app.Figures(2));
        EXPECT_NE(wb.coeff.Text(1, 1), "");
        for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(2, r), "") << "row " << r;
        EXPECT_EQ(wb.est1.Text(1, 1), "");
        EXPECT_TRUE(test::AllFinite(wb));
    }
}

// ---- combinations without samples and the variable count ------------------------------------

TEST(EmptyCombination, KeepsWhatEarlierRunsComputed) {
    Workbench wb;
    Fit(wb, {kWorkedX, kWorkedY, kSquares}, {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}});
    ASSERT_EQ(wb.Messages(), kNone);
    const Session before = wb.session;
    const TableGrid sheet = wb.est1;
    wb.SetColumn(3, Column(5, ""));
    wb.app.RunEstimation();
    EXPECT_EQ(wb.Messages(), kNone);
    EXPECT_EQ(wb.session.int_CombCount, 2);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(2, r), "") << "row " << r;
    EXPECT_EQ(wb.session.dbl_Coeff, before.dbl_Coeff);
    EXPECT_EQ(wb.session.dbl_YMax, before.dbl_YMax);
    EXPECT_TRUE(wb.est1 == sheet);
}

// The highest column holding a number, down to row 100, whether or not the run
// then finds samples to fit.
TEST(VariableCount, HighestColumnHoldingANumber) {
    Column lastRowOnly(100, "");
    lastRowOnly.back() = " 12 ";
    const std::vector<std::pair<std::vector<Column>, int>> grids{
        {{}, 0}, {{{}, {}, {}, {"2"}}, 4}, {{{"1"}, {"abc"}}, 1}, {{{"1"}, {}, lastRowOnly}, 3}};
    for (const auto& [data, count] : grids) {
        Workbench wb;
        Fit(wb, data, {{'B', 'A'}});
        EXPECT_EQ(wb.session.int_VarCount, count);
    }
}

// 推算 with no dependent and independent variable chosen, or none with
// samples: nothing is fitted, so nothing is shown as a result.
TEST(NothingToFit, AsksForTheVariablesAndKeepsWhatIsShown) {
    const std::vector<std::pair<std::string, std::vector<Method>>> methods{
        {"no method row", {}}, {"Y without X", {{'B', ' '}}}, {"columns without numbers", {{'D', 'C'}}}};
    for (const bool earlierRun : {false, true}) {
        for (const auto& [name, rows] : methods) {
            Workbench wb;
            if (earlierRun) Fit(wb, {kWorkedX, kWorkedY}, {{'B', 'A'}});
            wb.SetColumn(1, kWorkedX);
            wb.SetColumn(2, kWorkedY);
            for (int r = 1; r <= 4; ++r) wb.methodGrid.SetText(1, r, "");
            for (std::size_t r = 0; r < rows.size(); ++r) SetMethod(wb, static_cast<int>(r) + 1, rows[r]);
            const Session before = wb.session;
            const int page = wb.tabs.SelectedPage();
            const auto graph = test::Describe(wb.graph);
            wb.dialogs.messages.clear();
            wb.app.RunEstimation();
            const std::string where = name + (earlierRun ? " after a run" : "");
            EXPECT_EQ(wb.Messages(), Texts{"推算方法の従属変数と独立変数を指定してください。"}) << where;
            EXPECT_EQ(wb.dialogs.messages.back().buttons, MsgButtons::Ok) << where;
            EXPECT_EQ(wb.session.int_Estimated, before.int_Estimated) << where;
            EXPECT_EQ(wb.session.int_Comb, before.int_Comb) << where;
            EXPECT_EQ(wb.tabs.SelectedPage(), page) << where;
            EXPECT_EQ(test::Describe(wb.graph), graph) << where;
            EXPECT_EQ(wb.coeff.Text(1, 5), "") << where;  // the results grid is cleared, as any run does first
        }
    }
}

}  // namespace
}  // namespace kurvo
