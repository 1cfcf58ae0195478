// The estimation run: valid samples, transforms, fits, coefficients,
// extents, result sheets and statistics, and what a failing run leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
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
Method Degree(const std::string& degree) { return {'B', 'A', 0, 0, 0, 0, degree}; }

void SetMethod(Workbench& wb, int row, const Method& m) {
    wb.SetMethod(row, m.y, m.x, m.yLog, m.yRecip, m.xLog, m.xRecip, m.degree);
}

void Fit(Workbench& wb, const std::vector<Column>& columns, const std::vector<Method>& methods) {
    for (std::size_t c = 0; c < columns.size(); ++c) wb.SetColumn(static_cast<int>(c) + 1, columns[c]);
    for (std::size_t r = 0; r < methods.size(); ++r) SetMethod(wb, static_cast<int>(r) + 1, methods[r]);
    wb.app.RunEstimation();
}

// Doubles as a user would type them; e^v of each v with `exp`.
Column Typed(const std::vector<double>& values, bool exp = false) {
    Column out;
    for (double v : values) out.push_back(FormatGeneral(exp ? std::exp(v) : v));
    return out;
}

Column Steps(long first, long step, int count) {
    Column out;
    for (int i = 0; i < count; ++i) out.push_back(std::to_string(first + i * step));
    return out;
}

const Column kWorkedX{"1", "2", "3", "4", "5"};
const Column kWorkedY{"2.1", "3.9", "6.2", "7.8", "10.1"};
const Column kSquares{"1", "4", "9", "16", "25"};

double Cell(const TableGrid& grid, int col, int row) { return NumberOf(grid.Text(col, row)); }

// ---- runs that fit --------------------------------------------------------------------------

struct RunRow {
    const char* name;
    std::vector<Column> data;
    std::vector<Method> methods;
    std::vector<double> coefficients;  // of combination 1, powers 0..degree
    double tolerance;
    int dataCount;  // valid samples of combination 1
};
void PrintTo(const RunRow& row, std::ostream* os) { *os << row.name; }

class FittingRun : public ::testing::TestWithParam<RunRow> {};

TEST_P(FittingRun, CoefficientsInTheSessionAndTheCoefficientGrid) {
    const RunRow& row = GetParam();
    Workbench wb;
    Fit(wb, row.data, row.methods);
    ASSERT_EQ(wb.Messages(), kNone);
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_Estimated, kTrue);
    EXPECT_EQ(s.int_Comb, 0);
    EXPECT_EQ(wb.tabs.SelectedPage(), 1);
    EXPECT_EQ(s.int_CombCount, static_cast<int>(row.methods.size()));
    EXPECT_EQ(s.int_DataCount, row.dataCount);
    const int degree = static_cast<int>(row.coefficients.size()) - 1;
    EXPECT_EQ(s.int_Degree(1), degree);
    EXPECT_EQ(s.int_WorkDegree, degree);
    for (int k = 0; k <= 6; ++k) {
        if (k > degree) {
            EXPECT_EQ(wb.coeff.Text(1, k + 5), "") << "C" << k;
            continue;
        }
        EXPECT_NEAR(s.dbl_Coeff(1, k), row.coefficients[static_cast<std::size_t>(k)], row.tolerance) << "C" << k;
        EXPECT_EQ(wb.coeff.Text(1, k + 5), FormatCoefficient(s.dbl_Coeff(1, k)));
        EXPECT_EQ(s.dbl_WorkCoeff(k), s.dbl_Coeff(1, k));
    }
    EXPECT_TRUE(test::AllFinite(wb));
}

INSTANTIATE_TEST_SUITE_P(
    Data, FittingRun,
    ::testing::Values(
        RunRow{"WorkedStraightLine", {kWorkedX, kWorkedY}, {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        // Blank rows, rows with one blank cell and texts that are no numbers are
        // skipped; the worked samples are read in other notations.
        RunRow{"OnlyRowsOfTwoNumbersCount",
               {{"1e0", " 2 ", "", "9", "", "3.", "20", "21", "22", "23", "24", "+4", "25", "26", ".5e1"},
                {"2.1", "3.9", "", "", "55", "6.2", "abc", "1,000", "--1", ".", "nan", "7.8", "inf", "1e999", "10.1"}},
               {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        RunRow{"DegreeTextNotANumberReadsAsZero", {{"1", "2", "3"}, {"2", "4", "9"}}, {Degree("abc")}, {5}, 1e-15, 3},
        RunRow{"DegreeTwoAndAHalfRoundsToTwo", {kWorkedX, kWorkedY}, {Degree("2.5")}, {0.2, 1.8614286, 0.0214286},
               5e-8, 5},
        RunRow{"DegreeThreeAndAHalfRoundsToFour", {Steps(1, 1, 6), {"1", "16", "81", "256", "625", "1296"}},
               {Degree("3.5")}, {0, 0, 0, 0, 1}, 1e-9, 6},
        RunRow{"DegreeSix",
               {{"0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4"},
                Typed({1 + std::pow(0.5, 6), 2, 1 + std::pow(1.5, 6), 65, 1 + std::pow(2.5, 6), 730,
                       1 + std::pow(3.5, 6), 4097})},
               {Degree("6")}, {1, 0, 0, 0, 0, 0, 1}, 1e-8, 8},
        // y' = 1 / ln y = 3 + 0.5 x
        RunRow{"LogAndReciprocalY", {Steps(1, 1, 5), Typed({1 / 3.5, 1 / 4.0, 1 / 4.5, 1 / 5.0, 1 / 5.5}, true)},
               {{'B', 'A', 1, 1, 0, 0}}, {3, 0.5}, 1e-9, 5},
        // ln y = ln 2 + 3 ln x
        RunRow{"LogLogPowerLaw", {Steps(1, 1, 5), {"2", "16", "54", "128", "250"}}, {{'B', 'A', 1, 0, 1, 0}},
               {std::log(2.0), 3}, 1e-12, 5},
        // 1 / y = 1 + x
        RunRow{"ReciprocalY", {Steps(1, 1, 4), {"0.5", "0.3333333333333333", "0.25", "0.2"}},
               {{'B', 'A', 0, 1, 0, 0}}, {1, 1}, 1e-12, 4},
        RunRow{"FourCombinationsFirstIsShown",
               {kWorkedX, kWorkedY, kSquares, {"5", "4", "3", "2", "1"}, {"1", "", "3", "", "5"}},
               {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}, {'D', 'A'}, {'E', 'A', 0, 0, 0, 0, "0"}}, {0.05, 1.99}, 1e-12,
               5}),
    test::RowName());

TEST(FittingRun, XNearAMillionFitsTheSamples) {
    // X limits 1E+6..1E+6 leave the graph nothing to divide: its one message.
    for (const long step : {1L, 100000L}) {
        SCOPED_TRACE(step);
        Workbench wb;
        Fit(wb, {Steps(1000000, step, 10), Steps(3, 2, 10)}, {{'B', 'A'}});
        EXPECT_EQ(wb.app.session.int_Estimated, kTrue) << "the run met an error";
        EXPECT_EQ(wb.dialogs.messages.size(), step == 1 ? 1u : 0u);
        const double slope = 2.0 / static_cast<double>(step);
        EXPECT_NEAR(wb.app.session.dbl_Coeff(1, 1), slope, slope * 1e-4);
        for (int r = 1; r <= 10; ++r) EXPECT_NEAR(Cell(wb.est0, 4, r), 0, 1e-3) << "row " << r;
        EXPECT_TRUE(test::AllFinite(wb));
    }
}

TEST(FittingRun, LogAndReciprocalXGiveBackTheMeasuredX) {
    // x' = 1 / ln x = u for x = e^(1/u), and y = 1 + 2u
    Workbench wb;
    const Column x = Typed({10, 5, 4, 2.5}, true);
    Fit(wb, {x, {"1.2", "1.4", "1.5", "1.8"}}, {{'B', 'A', 0, 0, 1, 1}});
    ASSERT_EQ(wb.Messages(), kNone);
    const Session& s = wb.app.session;
    EXPECT_NEAR(s.dbl_Coeff(1, 0), 1, 1e-9);
    EXPECT_NEAR(s.dbl_Coeff(1, 1), 2, 1e-9);
    for (int r = 1; r <= 4; ++r) {
        const double measured = NumberOf(x[static_cast<std::size_t>(r - 1)]);
        EXPECT_NEAR(Cell(wb.est0, 1, r), measured, 1e-14 * measured) << "row " << r;
        EXPECT_NEAR(Cell(wb.est0, 3, r), Cell(wb.est0, 2, r), 1e-9) << "row " << r;
    }
    EXPECT_NEAR(s.dbl_XMin(1), std::exp(2.5), 1e-12);
    EXPECT_NEAR(s.dbl_XMax(1), std::exp(10.0), 1e-9);
}

// ---- result sheets, extents and limits -------------------------------------------------------

TEST(EstimationSheet, WorkedLineRowsExtentsAndLimits) {
    Workbench wb;
    Fit(wb, {kWorkedX, kWorkedY}, {{'B', 'A'}});
    ASSERT_EQ(wb.Messages(), kNone);
    const std::vector<double> y{2.1, 3.9, 6.2, 7.8, 10.1};
    for (int r = 1; r <= 5; ++r) {
        const double fitted = 0.05 + 1.99 * r, measured = y[static_cast<std::size_t>(r - 1)];
        EXPECT_EQ(std::vector<double>({Cell(wb.est0, 1, r), Cell(wb.est0, 2, r)}), std::vector<double>({1.0 * r, measured}));
        EXPECT_NEAR(Cell(wb.est0, 3, r), fitted, 1e-12) << "row " << r;
        EXPECT_NEAR(Cell(wb.est0, 4, r), measured - fitted, 1e-12) << "row " << r;
        EXPECT_EQ(wb.est0.DisplayAttribute(5, r), 1);
    }
    for (int col = 1; col <= 5; ++col) EXPECT_EQ(wb.est0.Text(col, 6), "");
    const Session& s = wb.app.session;
    // X from the samples; Y from the smaller fitted 2.04 and the larger measured 10.1
    EXPECT_EQ(std::vector<double>({s.dbl_XMin(1), s.dbl_XMax(1), s.dbl_YMax(1)}), std::vector<double>({1, 5, 10.1}));
    EXPECT_NEAR(s.dbl_YMin(1), 2.04, 1e-12);
    EXPECT_EQ(std::vector<double>({s.dbl_XLow(1), s.dbl_XHigh(1), s.dbl_YLow(1), s.dbl_YHigh(1)}),
              std::vector<double>({1, 5, 2, 10}));
    EXPECT_EQ(s.int_XDiv(1), 5);
    EXPECT_EQ(s.int_YDiv(1), 5);
    EXPECT_EQ(wb.labels.Equation(0).rfind("Y1=", 0), 0u);
    EXPECT_EQ(wb.graph.CallsOf(DrawCall::Op::Circle).size(), 5u);
    const MainWindowState& w = wb.app.window;
    EXPECT_EQ(std::vector<int>({w.int_HScroll_Low, w.int_HScroll_High, w.int_VScroll_Low, w.int_VScroll_High}),
              std::vector<int>({32767, 0, 32767, 0}));
}

TEST(EstimationSheet, BlankDataRowLeavesItsSheetRowAsItWas) {
    Workbench wb;
    Column y = Steps(3, 2, 10);
    y[4] = "";
    for (int col = 1; col <= 5; ++col) wb.est0.SetText(col, 5, "old");
    Fit(wb, {Steps(1, 1, 10), y}, {{'B', 'A'}});
    ASSERT_EQ(wb.Messages(), kNone);
    EXPECT_EQ(wb.app.session.int_DataCount, 9);
    for (int col = 1; col <= 5; ++col) EXPECT_EQ(wb.est0.Text(col, 5), "old");
    for (int r : {1, 4, 6, 10}) EXPECT_EQ(Cell(wb.est0, 2, r), 2 * r + 1) << "row " << r;
    // Samples are numbered consecutively: the sixth is data row 7.
    EXPECT_EQ(wb.app.session.dbl_XPower(6, 2), 7);
    EXPECT_EQ(wb.app.session.dbl_YData(6, 1), 15);
}

TEST(EstimationSheet, ConstantFitKeepsTheSamplesXForExtentsAndPoints) {
    Workbench wb;
    Fit(wb, {{"10", "20", "30"}, {"1", "2", "3"}}, {Degree("0")});
    ASSERT_EQ(wb.Messages(), kNone);
    const Session& s = wb.app.session;
    EXPECT_EQ(s.dbl_XMin(1), 10);
    EXPECT_EQ(s.dbl_XMax(1), 30);
    for (int sample = 1; sample <= 3; ++sample) EXPECT_EQ(s.dbl_XPower(sample, 2), 10 * sample);
    // X limits 10..30, Y limits 1..3
    std::vector<double> points;
    for (const auto& circle : wb.graph.CallsOf(DrawCall::Op::Circle)) points.insert(points.end(), {circle.x1, circle.y1});
    EXPECT_EQ(points, std::vector<double>({700, 4200, 2750, 2300, 4800, 400}));
}

TEST(EstimationSheet, AllXEqualAtDegreeZeroFitsButCannotBeDrawn) {
    Workbench wb;
    Fit(wb, {{"30.5", "30.5", "30.5"}, {"1", "2", "3"}}, {Degree("0")});
    // The run completes; the drawing meets X limits 30..30 and reports it.
    EXPECT_EQ(wb.app.session.int_Estimated, kTrue);
    EXPECT_NEAR(wb.app.session.dbl_Coeff(1, 0), 2, 1e-15);
    EXPECT_EQ(wb.dialogs.messages.size(), 1u);
    EXPECT_DOUBLE_EQ(wb.app.session.dbl_XHigh(1), 30);
    EXPECT_TRUE(wb.graph.CallsOf(DrawCall::Op::Circle).empty());
    EXPECT_TRUE(test::AllFinite(wb));
}

TEST(EstimationSheet, HundredRowsInAllFiveColumns) {
    std::vector<Column> data(5);
    for (int s = 1; s <= 100; ++s) {
        const std::vector<double> row{1.0 * s, 2.0 * s + 1, s * s / 100.0, 3 + 2 * std::log(s), 1.0 / s};
        for (std::size_t c = 0; c < 5; ++c) data[c].push_back(FormatGeneral(row[c]));
    }
    Workbench wb;
    Fit(wb, data, {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}, {'D', 'A', 0, 0, 1, 0}, {'E', 'A', 0, 0, 0, 1}});
    ASSERT_EQ(wb.Messages(), kNone);
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_VarCount, 5);
    EXPECT_EQ(s.int_DataCount, 100);
    const std::vector<std::vector<double>> expected{{1, 2}, {0, 0, 0.01}, {3, 2}, {0, 1}};
    for (int c = 1; c <= 4; ++c) {
        const auto& want = expected[static_cast<std::size_t>(c - 1)];
        for (std::size_t k = 0; k < want.size(); ++k)
            EXPECT_NEAR(s.dbl_Coeff(c, static_cast<int>(k)), want[k], 1e-9) << c << ": C" << k;
        for (int r = 1; r <= 4; ++r) EXPECT_NE(wb.coeff.Text(c, r), "") << c << ": statistic " << r;
        for (int r = 1; r <= 100; ++r)
            for (int col = 1; col <= 5; ++col) ASSERT_NE(wb.Estimate(c - 1).Text(col, r), "") << c << ":" << col << "," << r;
    }
    EXPECT_TRUE(test::AllFinite(wb));
}

// ---- statistics ----------------------------------------------------------------------------

struct StatisticsRow {
    const char* name;
    std::vector<Column> data;
    Method method;
    Texts statistics;  // 残差平方和, 標準誤差, 重相関係数, 相対誤差
    Texts percents;
};
void PrintTo(const StatisticsRow& row, std::ostream* os) { *os << row.name; }

class Statistics : public ::testing::TestWithParam<StatisticsRow> {};

TEST_P(Statistics, InMeasuredUnits) {
    const StatisticsRow& row = GetParam();
    Workbench wb;
    Fit(wb, row.data, {row.method});
    ASSERT_EQ(wb.Messages(), kNone);
    Texts statistics, percents;
    for (int r = 1; r <= 4; ++r) statistics.push_back(wb.coeff.Text(1, r));
    for (int r = 1; r <= static_cast<int>(row.percents.size()); ++r) percents.push_back(wb.est0.Text(5, r));
    EXPECT_EQ(statistics, row.statistics);
    EXPECT_EQ(percents, row.percents);
    EXPECT_TRUE(test::AllFinite(wb));
}

INSTANTIATE_TEST_SUITE_P(
    Fits, Statistics,
    ::testing::Values(
        // r = 0.06, -0.13, 0.18, -0.21, 0.10: Σr² = 0.107, √(0.107 / 3), r(x, y) = 19.9 / √(10 · 39.708)
        StatisticsRow{"WorkedStraightLine", {kWorkedX, kWorkedY}, {'B', 'A'},
                      {" 1.07000E-1", " 1.88856E-1", " 9.98652E-1", " 2.55522E-2"},
                      {"2.857", "-3.333", "2.903", "-2.692", "0.990"}},
        // ŷ = 0.2 + 1303/700 x + 3/140 x²
        StatisticsRow{"WorkedParabola", {kWorkedX, kWorkedY}, Degree("2"),
                      {" 1.00571E-1", " 2.24245E-1", " 9.98733E-1", " 2.03561E-2"},
                      {"0.816", "-2.784", "3.594", "-2.418", "0.566"}},
        // ŷ = -3 + 2.5x = -0.5, 2, 4.5; the row with ym = 0 takes |r| and r × 100
        StatisticsRow{"MeasuredZero", {{"1", "2", "3"}, {"0", "1", "5"}}, {'B', 'A'},
                      {" 1.50000E+0", " 1.22474E+0", " 9.44911E-1", " 5.33333E-1"}, {"50.000", "-100.000", "10.000"}},
        // n = p: no standard error
        StatisticsRow{"ExactFitOfTwoSamples", {{"1", "3"}, {"3", "7"}}, {'B', 'A'},
                      {" 0.00000E+0", "", " 1.00000E+0", " 0.00000E+0"}, {"0.000", "0.000"}},
        // all ym equal: no correlation
        StatisticsRow{"AllMeasuredEqual", {{"1", "2", "3"}, {"5.5", "5.5", "5.5"}}, {'B', 'A'},
                      {" 0.00000E+0", " 0.00000E+0", "", " 0.00000E+0"}, {"0.000", "0.000", "0.000"}},
        // ŷ = 5: r = -3, -1, 4; all ŷ equal: no correlation
        StatisticsRow{"ConstantFit", {{"1", "2", "3"}, {"2", "4", "9"}}, Degree("0"),
                      {" 2.60000E+1", " 3.60555E+0", "", " 7.31481E-1"}, {"-150.000", "-25.000", "44.444"}},
        // ln y = 0, 1, 3 gives ŷ = e^(-1/6), e^(4/3), e^(17/6); residuals in measured units
        StatisticsRow{"LogYInMeasuredUnits", {{"1", "2", "3"}, {"1", "2.718281828459045", "20.085536923187668"}},
                      {'B', 'A', 1, 0, 0, 0}, {" 1.06880E+1", " 3.26925E+0", " 9.95893E-1", " 2.34216E-1"},
                      {"15.352", "-39.561", "15.352"}}),
    test::RowName());

// ---- runs that fail ------------------------------------------------------------------------

std::string Description(ErrorNumber number) { return RuntimeError::StandardDescription(number); }
const char* const kPivotMessage = "最小自乗法でPivotが1E-10になった。推算を中止する。";

struct FailureRow {
    const char* name;
    Column d;       // column D
    Method second;  // the second combination, which fails
    std::string message;
    bool coefficientsWritten = false;  // the failure comes after the second combination's fit
};
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class FailingRun : public ::testing::TestWithParam<FailureRow> {};

// A first run succeeds and the second combination's page is shown; then the
// second combination fails in a new run.
TEST_P(FailingRun, MessageAndWhatWasDoneStays) {
    const FailureRow& row = GetParam();
    Workbench wb;
    Fit(wb, {kWorkedX, kWorkedY, kWorkedX}, {{'B', 'A'}, {'C', 'A'}});
    wb.tabs.SelectPage(2);
    ASSERT_EQ(wb.Messages(), kNone);
    const auto graph = test::Describe(wb.graph);
    const std::string label = wb.labels.Equation(1);

    wb.SetColumn(4, row.d);
    SetMethod(wb, 2, row.second);
    wb.app.RunEstimation();

    EXPECT_EQ(wb.Messages(), Texts{row.message});
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_Estimated, kTrue);
    EXPECT_EQ(s.int_Comb, 1);
    EXPECT_EQ(wb.tabs.SelectedPage(), 2);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_EQ(wb.labels.Equation(1), label);
    // The first combination was completed in this run; the second has no
    // statistics, and coefficients only when its fit was done.
    EXPECT_EQ(wb.coeff.Text(1, 6), FormatCoefficient(s.dbl_Coeff(1, 1)));
    EXPECT_EQ(wb.coeff.Text(1, 1), " 1.07000E-1");
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(wb.coeff.Text(2, r), "") << "statistic " << r;
    EXPECT_EQ(wb.coeff.Text(2, 5) != "", row.coefficientsWritten);
    EXPECT_TRUE(test::AllFinite(wb));
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailingRun,
    ::testing::Values(
        FailureRow{"LogOfZeroY", {"1", "2", "0", "4", "5"}, {'D', 'A', 1, 0, 0, 0}, Description(ErrorNumber::InvalidArgument)},
        FailureRow{"LogOfNegativeX", {"1", "2", "3", "4", "-5"}, {'C', 'D', 0, 0, 1, 0},
                   Description(ErrorNumber::InvalidArgument)},
        FailureRow{"ReciprocalOfZeroX", {"1", "0", "3", "4", "5"}, {'C', 'D', 0, 0, 0, 1},
                   Description(ErrorNumber::DivisionByZero)},
        FailureRow{"ReciprocalOfLnOneY", {"2", "1", "3", "4", "5"}, {'D', 'A', 1, 1, 0, 0},
                   Description(ErrorNumber::DivisionByZero)},
        FailureRow{"FewerSamplesThanDegreePlusOne", {"1", "2", "3"}, {'C', 'D', 0, 0, 0, 0, "3"}, kPivotMessage},
        FailureRow{"AllXEqual", {"30.5", "30.5", "30.5", "30.5", "30.5"}, {'C', 'D'}, kPivotMessage},
        FailureRow{"DegreeSeven", {}, {'C', 'A', 0, 0, 0, 0, "7"}, Description(ErrorNumber::SubscriptOutOfRange)},
        FailureRow{"NegativeDegree", {}, {'C', 'A', 0, 0, 0, 0, "-1"}, Description(ErrorNumber::SubscriptOutOfRange)},
        FailureRow{"SixthPowerBeyondDoubleRange", {"1e60", "2e60", "3e60", "4e60", "5e60"},
                   {'C', 'D', 0, 0, 0, 0, "6"}, Description(ErrorNumber::Overflow)},
        // Fitted, but the sum of the squared measured values leaves the double range.
        FailureRow{"StatisticsBeyondDoubleRange", {"1e300", "2e300", "3e300", "4e300", "5e300"}, {'D', 'A'},
                   Description(ErrorNumber::Overflow), true}),
    test::RowName());

TEST(FailingRun, FirstRunFailingLeavesTheEmptyDocumentShown) {
    Workbench wb;
    const auto graph = test::Describe(wb.graph);
    const std::string label = wb.labels.Equation(0);
    Fit(wb, {kWorkedX, {"2.1", "0", "6.2", "7.8", "10.1"}}, {{'B', 'A', 1, 0, 0, 0}});
    EXPECT_EQ(wb.Messages(), Texts{Description(ErrorNumber::InvalidArgument)});
    EXPECT_EQ(wb.app.session.int_Estimated, kFalse);
    EXPECT_EQ(wb.tabs.SelectedPage(), 0);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_EQ(wb.labels.Equation(0), label);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(1, r), "");
}

TEST(FailingRun, CoefficientGridIsClearedAtTheStart) {
    Workbench wb;
    Fit(wb, {kWorkedX, kWorkedY, kSquares}, {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}});
    ASSERT_NE(wb.coeff.Text(2, 7), "");
    SetMethod(wb, 1, Degree("7"));
    wb.app.RunEstimation();
    EXPECT_EQ(wb.Messages(), Texts{Description(ErrorNumber::SubscriptOutOfRange)});
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(c, r), "") << c << "," << r;
}

// ---- combinations without samples and the variable count ------------------------------------

TEST(EmptyCombination, KeepsWhatEarlierRunsComputed) {
    Workbench wb;
    Fit(wb, {kWorkedX, kWorkedY, kSquares}, {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}});
    ASSERT_EQ(wb.Messages(), kNone);
    const Session before = wb.app.session;
    const TableGrid sheet = wb.est1;
    wb.SetColumn(3, Column(5, ""));
    wb.app.RunEstimation();
    EXPECT_EQ(wb.Messages(), kNone);
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_CombCount, 2);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(2, r), "") << "row " << r;
    EXPECT_EQ(s.dbl_Coeff, before.dbl_Coeff);
    EXPECT_EQ(s.dbl_XMin, before.dbl_XMin);
    EXPECT_EQ(s.dbl_YMax, before.dbl_YMax);
    EXPECT_TRUE(wb.est1 == sheet);
}

// Empty or sparse grids: the highest column holding a number; the run completes.
TEST(VariableCount, HighestColumnHoldingANumber) {
    Column lastRowOnly(100, "");
    lastRowOnly.back() = " 12 ";
    const std::vector<std::pair<std::vector<Column>, int>> grids{
        {{}, 0},
        {{{}, {}, {}, {}, {"1e3"}}, 5},
        {{{"1"}, {"abc"}, {"nan"}, {"inf"}, {"1,000"}}, 1},
        {{{"1"}, {}, lastRowOnly}, 3},
        {{{"1"}, {}, {}, {"2"}}, 4}};
    for (const auto& [data, count] : grids) {
        Workbench wb;
        Fit(wb, data, {{'B', 'A'}, {'C', 'A'}});
        EXPECT_EQ(wb.app.session.int_VarCount, count);
        EXPECT_EQ(wb.app.session.int_Estimated, kTrue);
        EXPECT_LE(wb.dialogs.messages.size(), 1u);  // at most the drawing's own report
        EXPECT_TRUE(test::AllFinite(wb));
    }
}

}  // namespace
}  // namespace kurvo
