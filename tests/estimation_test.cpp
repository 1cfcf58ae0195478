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

struct Method {
    char y, x;
    int yLog = 0, yRecip = 0, xLog = 0, xRecip = 0;
    std::string degree = "1";
};

void Load(Workbench& wb, const std::vector<Column>& columns, const std::vector<Method>& methods) {
    for (std::size_t c = 0; c < columns.size(); ++c) wb.SetColumn(static_cast<int>(c) + 1, columns[c]);
    for (std::size_t r = 0; r < methods.size(); ++r) {
        const Method& m = methods[r];
        wb.SetMethod(static_cast<int>(r) + 1, m.y, m.x, m.yLog, m.yRecip, m.xLog, m.xRecip, m.degree);
    }
}

// Texts of doubles written the way a user would type them.
Column Texts(const std::vector<double>& values) {
    Column out;
    for (double v : values) out.push_back(FormatGeneral(v));
    return out;
}

Column Sequence(int from, int to) {
    Column out;
    for (int i = from; i <= to; ++i) out.push_back(std::to_string(i));
    return out;
}

const Column kWorkedX{"1", "2", "3", "4", "5"};
const Column kWorkedY{"2.1", "3.9", "6.2", "7.8", "10.1"};

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
    Load(wb, row.data, row.methods);
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_Estimated, kTrue);
    EXPECT_EQ(s.int_Comb, 0);
    EXPECT_EQ(wb.tabs.SelectedPage(), 1);
    EXPECT_EQ(s.int_CombCount, static_cast<int>(row.methods.size()));
    EXPECT_EQ(s.int_DataCount, row.dataCount);
    const int degree = static_cast<int>(row.coefficients.size()) - 1;
    EXPECT_EQ(s.int_Degree(1), degree);
    EXPECT_EQ(s.int_WorkDegree, degree);
    for (int k = 0; k <= degree; ++k) {
        SCOPED_TRACE("C" + std::to_string(k));
        EXPECT_NEAR(s.dbl_Coeff(1, k), row.coefficients[static_cast<std::size_t>(k)], row.tolerance);
        EXPECT_EQ(wb.coeff.Text(1, k + 5), FormatCoefficient(s.dbl_Coeff(1, k)));
        EXPECT_EQ(s.dbl_WorkCoeff(k), s.dbl_Coeff(1, k));
    }
    for (int k = degree + 1; k <= 6; ++k) EXPECT_EQ(wb.coeff.Text(1, k + 5), "") << "C" << k;
    EXPECT_TRUE(test::AllFinite(wb));
}

std::vector<double> Exps(const std::vector<double>& exponents) {
    std::vector<double> out;
    for (double e : exponents) out.push_back(std::exp(e));
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Data, FittingRun,
    ::testing::Values(
        RunRow{"WorkedStraightLine", {kWorkedX, kWorkedY}, {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        RunRow{"WorkedParabola", {kWorkedX, kWorkedY}, {{'B', 'A', 0, 0, 0, 0, "2"}}, {0.2, 1.8614286, 0.0214286}, 5e-8, 5},
        RunRow{"BlankRowInTheMiddleIsSkipped",
               {{"1", "2", "", "3", "4", "5"}, {"2.1", "3.9", "", "6.2", "7.8", "10.1"}},
               {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        RunRow{"RowsWithOneBlankCellAreSkipped",
               {{"1", "2", "9", "3", "4", "5", ""}, {"2.1", "3.9", "", "6.2", "7.8", "10.1", "55"}},
               {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        RunRow{"NonNumericTextsAreSkipped",
               {Sequence(1, 12), {"2.1", "3.9", "6.2", "7.8", "10.1", "abc", "1,000", "--1", ".", "nan", "inf", "1e999"}},
               {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        RunRow{"NumericNotationsAreRead",
               {{"1e0", " 2 ", "3.", "+4", ".5e1"}, {"2.1", "3.9", "6.2", "7.8", "10.1"}},
               {{'B', 'A'}}, {0.05, 1.99}, 1e-12, 5},
        RunRow{"DegreeZeroIsTheMean", {{"1", "2", "3"}, {"2", "4", "9"}}, {{'B', 'A', 0, 0, 0, 0, "0"}}, {5}, 1e-15, 3},
        RunRow{"DegreeTextNotANumberReadsAsZero", {{"1", "2", "3"}, {"2", "4", "9"}},
               {{'B', 'A', 0, 0, 0, 0, "abc"}}, {5}, 1e-15, 3},
        RunRow{"DegreeTwoAndAHalfRoundsToTwo", {kWorkedX, kWorkedY}, {{'B', 'A', 0, 0, 0, 0, "2.5"}},
               {0.2, 1.8614286, 0.0214286}, 5e-8, 5},
        RunRow{"DegreeThreeAndAHalfRoundsToFour", {Sequence(1, 6), {"1", "16", "81", "256", "625", "1296"}},
               {{'B', 'A', 0, 0, 0, 0, "3.5"}}, {0, 0, 0, 0, 1}, 1e-9, 6},
        RunRow{"DegreeSix",
               {{"0.5", "1", "1.5", "2", "2.5", "3", "3.5", "4"},
                Texts({1 + std::pow(0.5, 6), 2, 1 + std::pow(1.5, 6), 65, 1 + std::pow(2.5, 6), 730,
                       1 + std::pow(3.5, 6), 4097})},
               {{'B', 'A', 0, 0, 0, 0, "6"}}, {1, 0, 0, 0, 0, 0, 1}, 1e-8, 8},
        // x' = 1 / ln x = u for x = e^(1/u)
        RunRow{"LogAndReciprocalX",
               {Texts(Exps({10, 5, 4, 2.5})), {"1.2", "1.4", "1.5", "1.8"}},
               {{'B', 'A', 0, 0, 1, 1}}, {1, 2}, 1e-9, 4},
        // y' = 1 / ln y = 3 + 0.5 x
        RunRow{"LogAndReciprocalY",
               {Sequence(1, 5), Texts(Exps({1 / 3.5, 1 / 4.0, 1 / 4.5, 1 / 5.0, 1 / 5.5}))},
               {{'B', 'A', 1, 1, 0, 0}}, {3, 0.5}, 1e-9, 5},
        // ln y = ln 2 + 3 ln x
        RunRow{"LogLogPowerLaw", {Sequence(1, 5), {"2", "16", "54", "128", "250"}},
               {{'B', 'A', 1, 0, 1, 0}}, {std::log(2.0), 3}, 1e-12, 5},
        // 1 / y = 1 + x
        RunRow{"ReciprocalY", {Sequence(1, 4), {"0.5", "0.3333333333333333", "0.25", "0.2"}},
               {{'B', 'A', 0, 1, 0, 0}}, {1, 1}, 1e-12, 4},
        RunRow{"FourCombinationsFirstIsShown",
               {kWorkedX, kWorkedY, {"1", "4", "9", "16", "25"}, {"5", "4", "3", "2", "1"}, {"1", "", "3", "", "5"}},
               {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}, {'D', 'A'}, {'E', 'A', 0, 0, 0, 0, "0"}}, {0.05, 1.99}, 1e-12, 5}),
    test::RowName());

TEST(FittingRun, XNearAMillionFitsTheSamples) {
    struct Case {
        const char* name;
        Column x;
        double slope;
        bool drawable;  // X limits 1E+6..1E+6 leave the graph nothing to divide
    };
    const Column y{"3", "5", "7", "9", "11", "13", "15", "17", "19", "21"};
    for (const Case& c : {Case{"StepsOfOne", Sequence(1000000, 1000009), 2, false},
                          Case{"StepsOfAHundredThousand",
                               {"1000000", "1100000", "1200000", "1300000", "1400000", "1500000", "1600000",
                                "1700000", "1800000", "1900000"},
                               2E-5, true}}) {
        SCOPED_TRACE(c.name);
        Workbench wb;
        Load(wb, {c.x, y}, {{'B', 'A'}});
        wb.app.RunEstimation();
        EXPECT_EQ(wb.app.session.int_Estimated, kTrue) << "the run met an error";
        EXPECT_EQ(wb.dialogs.messages.size(), c.drawable ? 0u : 1u);
        EXPECT_NEAR(wb.app.session.dbl_Coeff(1, 1), c.slope, c.slope * 1e-4);
        for (int r = 1; r <= 10; ++r) EXPECT_NEAR(Cell(wb.est0, 4, r), 0, 1e-3) << "row " << r;
        EXPECT_TRUE(test::AllFinite(wb));
    }
}

TEST(FittingRun, BothTransformsOnXGiveBackTheMeasuredX) {
    Workbench wb;
    const Column x = Texts(Exps({10, 5, 4, 2.5}));
    Load(wb, {x, {"1.2", "1.4", "1.5", "1.8"}}, {{'B', 'A', 0, 0, 1, 1}});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    for (int r = 1; r <= 4; ++r) {
        const double measured = NumberOf(x[static_cast<std::size_t>(r - 1)]);
        EXPECT_NEAR(Cell(wb.est0, 1, r), measured, 1e-14 * measured) << "row " << r;
        EXPECT_NEAR(Cell(wb.est0, 3, r), Cell(wb.est0, 2, r), 1e-9) << "row " << r;
    }
    const Session& s = wb.app.session;
    EXPECT_NEAR(s.dbl_XMin(1), std::exp(2.5), 1e-12);
    EXPECT_NEAR(s.dbl_XMax(1), std::exp(10.0), 1e-9);
}

// ---- the result sheet, extents and limits of the worked example -----------------------------------

TEST(EstimationSheet, WorkedLineRowsExtentsAndLimits) {
    Workbench wb;
    Load(wb, {kWorkedX, kWorkedY}, {{'B', 'A'}});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const std::vector<double> y{2.1, 3.9, 6.2, 7.8, 10.1};
    for (int r = 1; r <= 5; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const double fitted = 0.05 + 1.99 * r;
        EXPECT_EQ(Cell(wb.est0, 1, r), r);
        EXPECT_EQ(Cell(wb.est0, 2, r), y[static_cast<std::size_t>(r - 1)]);
        EXPECT_NEAR(Cell(wb.est0, 3, r), fitted, 1e-12);
        EXPECT_NEAR(Cell(wb.est0, 4, r), y[static_cast<std::size_t>(r - 1)] - fitted, 1e-12);
        EXPECT_EQ(wb.est0.DisplayAttribute(5, r), 1);
    }
    for (int col = 1; col <= 5; ++col) EXPECT_EQ(wb.est0.Text(col, 6), "");
    const Session& s = wb.app.session;
    // X from the samples; Y from the smaller fitted 2.04 and the larger measured 10.1
    EXPECT_EQ(s.dbl_XMin(1), 1);
    EXPECT_EQ(s.dbl_XMax(1), 5);
    EXPECT_NEAR(s.dbl_YMin(1), 2.04, 1e-12);
    EXPECT_EQ(s.dbl_YMax(1), 10.1);
    EXPECT_DOUBLE_EQ(s.dbl_XLow(1), 1);
    EXPECT_DOUBLE_EQ(s.dbl_XHigh(1), 5);
    EXPECT_DOUBLE_EQ(s.dbl_YLow(1), 2);
    EXPECT_DOUBLE_EQ(s.dbl_YHigh(1), 10);
    EXPECT_EQ(s.int_XDiv(1), 5);
    EXPECT_EQ(s.int_YDiv(1), 5);
    EXPECT_EQ(wb.labels.Equation(0).rfind("Y1=", 0), 0u);
    EXPECT_EQ(wb.graph.CallsOf(DrawCall::Op::Circle).size(), 5u);
    const MainWindowState& w = wb.app.window;
    EXPECT_EQ(w.int_HScroll_Low, 32767);
    EXPECT_EQ(w.int_HScroll_High, 0);
    EXPECT_EQ(w.int_VScroll_Low, 32767);
    EXPECT_EQ(w.int_VScroll_High, 0);
}

TEST(EstimationSheet, BlankDataRowLeavesItsSheetRowAsItWas) {
    Workbench wb;
    Column x = Sequence(1, 10), y = {"3", "5", "7", "9", "", "13", "15", "17", "19", "21"};
    Load(wb, {x, y}, {{'B', 'A'}});
    for (int col = 1; col <= 5; ++col) wb.est0.SetText(col, 5, "old");
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    EXPECT_EQ(wb.app.session.int_DataCount, 9);
    for (int r = 1; r <= 10; ++r) {
        if (r == 5) {
            for (int col = 1; col <= 5; ++col) EXPECT_EQ(wb.est0.Text(col, r), "old");
        } else {
            EXPECT_EQ(Cell(wb.est0, 1, r), r) << "row " << r;
            EXPECT_EQ(Cell(wb.est0, 2, r), 2 * r + 1) << "row " << r;
        }
    }
    // Samples are numbered consecutively: the sixth is data row 7.
    EXPECT_EQ(wb.app.session.dbl_XPower(6, 2), 7);
    EXPECT_EQ(wb.app.session.dbl_YData(6, 1), 15);
}

TEST(EstimationSheet, ConstantFitKeepsTheSamplesXForExtentsAndPoints) {
    Workbench wb;
    Load(wb, {{"10", "20", "30"}, {"1", "2", "3"}}, {{'B', 'A', 0, 0, 0, 0, "0"}});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const Session& s = wb.app.session;
    EXPECT_EQ(s.dbl_XMin(1), 10);
    EXPECT_EQ(s.dbl_XMax(1), 30);
    for (int sample = 1; sample <= 3; ++sample) EXPECT_EQ(s.dbl_XPower(sample, 2), 10 * sample);
    EXPECT_EQ(Cell(wb.est0, 1, 2), 20);
    // X limits 10..30, Y limits 1..3
    const auto circles = wb.graph.CallsOf(DrawCall::Op::Circle);
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(std::vector<double>({circles[0].x1, circles[0].y1}), std::vector<double>({700, 4200}));
    EXPECT_EQ(std::vector<double>({circles[1].x1, circles[1].y1}), std::vector<double>({2750, 2300}));
    EXPECT_EQ(std::vector<double>({circles[2].x1, circles[2].y1}), std::vector<double>({4800, 400}));
}

TEST(EstimationSheet, AllXEqualAtDegreeZeroFitsButCannotBeDrawn) {
    Workbench wb;
    Load(wb, {{"30.5", "30.5", "30.5"}, {"1", "2", "3"}}, {{'B', 'A', 0, 0, 0, 0, "0"}});
    wb.app.RunEstimation();
    // The run completes; the drawing meets X limits 30..30 and reports it.
    EXPECT_EQ(wb.app.session.int_Estimated, kTrue);
    EXPECT_NEAR(wb.app.session.dbl_Coeff(1, 0), 2, 1e-15);
    EXPECT_EQ(wb.dialogs.messages.size(), 1u);
    EXPECT_DOUBLE_EQ(wb.app.session.dbl_XLow(1), 30);
    EXPECT_DOUBLE_EQ(wb.app.session.dbl_XHigh(1), 30);
    EXPECT_TRUE(wb.graph.CallsOf(DrawCall::Op::Circle).empty());
    EXPECT_FALSE(wb.graph.CallsOf(DrawCall::Op::Line).empty());
    EXPECT_TRUE(test::AllFinite(wb));
}

TEST(EstimationSheet, HundredRowsInAllFiveColumns) {
    Workbench wb;
    std::vector<Column> data(5);
    for (int s = 1; s <= 100; ++s) {
        data[0].push_back(std::to_string(s));
        data[1].push_back(std::to_string(2 * s + 1));
        data[2].push_back(FormatGeneral(s * s / 100.0));
        data[3].push_back(FormatGeneral(3 + 2 * std::log(s)));
        data[4].push_back(FormatGeneral(1.0 / s));
    }
    Load(wb, data,
         {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}, {'D', 'A', 0, 0, 1, 0}, {'E', 'A', 0, 0, 0, 1}});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_VarCount, 5);
    EXPECT_EQ(s.int_CombCount, 4);
    EXPECT_EQ(s.int_DataCount, 100);
    const std::vector<std::vector<double>> expected{{1, 2}, {0, 0, 0.01}, {3, 2}, {0, 1}};
    for (int c = 1; c <= 4; ++c) {
        SCOPED_TRACE("combination " + std::to_string(c));
        const auto& want = expected[static_cast<std::size_t>(c - 1)];
        for (std::size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(s.dbl_Coeff(c, static_cast<int>(k)), want[k], 1e-9);
        for (int r = 1; r <= 4; ++r) EXPECT_NE(wb.coeff.Text(c, r), "") << "statistic " << r;
        for (int r = 1; r <= 100; ++r)
            for (int col = 1; col <= 5; ++col) ASSERT_NE(wb.Estimate(c - 1).Text(col, r), "") << col << "," << r;
    }
    EXPECT_TRUE(test::AllFinite(wb));
}

// ---- statistics -----------------------------------------------------------------------------------

struct StatisticsRow {
    const char* name;
    std::vector<Column> data;
    Method method;
    // 残差平方和, 標準誤差, 重相関係数, 相対誤差
    std::vector<std::string> statistics;
    std::vector<std::string> percents;
};
void PrintTo(const StatisticsRow& row, std::ostream* os) { *os << row.name; }

class Statistics : public ::testing::TestWithParam<StatisticsRow> {};

TEST_P(Statistics, InMeasuredUnits) {
    const StatisticsRow& row = GetParam();
    Workbench wb;
    Load(wb, row.data, {row.method});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const char* headings[] = {"残差平方和", "標準誤差", "重相関係数", "相対誤差"};
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(wb.coeff.Text(1, r), row.statistics[static_cast<std::size_t>(r - 1)]) << headings[r - 1];
    for (std::size_t i = 0; i < row.percents.size(); ++i)
        EXPECT_EQ(wb.est0.Text(5, static_cast<int>(i) + 1), row.percents[i]) << "row " << i + 1;
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
        StatisticsRow{"WorkedParabola", {kWorkedX, kWorkedY}, {'B', 'A', 0, 0, 0, 0, "2"},
                      {" 1.00571E-1", " 2.24245E-1", " 9.98733E-1", " 2.03561E-2"},
                      {"0.816", "-2.784", "3.594", "-2.418", "0.566"}},
        // ŷ = -3 + 2.5x = -0.5, 2, 4.5; the row with ym = 0 takes |r| and r × 100
        StatisticsRow{"MeasuredZero", {{"1", "2", "3"}, {"0", "1", "5"}}, {'B', 'A'},
                      {" 1.50000E+0", " 1.22474E+0", " 9.44911E-1", " 5.33333E-1"},
                      {"50.000", "-100.000", "10.000"}},
        // n = p: no standard error
        StatisticsRow{"ExactFitOfTwoSamples", {{"1", "3"}, {"3", "7"}}, {'B', 'A'},
                      {" 0.00000E+0", "", " 1.00000E+0", " 0.00000E+0"}, {"0.000", "0.000"}},
        // all ym equal: no correlation
        StatisticsRow{"AllMeasuredEqual", {{"1", "2", "3"}, {"5.5", "5.5", "5.5"}}, {'B', 'A'},
                      {" 0.00000E+0", " 0.00000E+0", "", " 0.00000E+0"}, {"0.000", "0.000", "0.000"}},
        // ŷ = 5: r = -3, -1, 4; all ŷ equal: no correlation
        StatisticsRow{"ConstantFit", {{"1", "2", "3"}, {"2", "4", "9"}}, {'B', 'A', 0, 0, 0, 0, "0"},
                      {" 2.60000E+1", " 3.60555E+0", "", " 7.31481E-1"}, {"-150.000", "-25.000", "44.444"}},
        // ln y = 0, 1, 3 gives ŷ = e^(-1/6), e^(4/3), e^(17/6); residuals in measured units
        StatisticsRow{"LogYInMeasuredUnits", {{"1", "2", "3"}, {"1", "2.718281828459045", "20.085536923187668"}},
                      {'B', 'A', 1, 0, 0, 0},
                      {" 1.06880E+1", " 3.26925E+0", " 9.95893E-1", " 2.34216E-1"},
                      {"15.352", "-39.561", "15.352"}}),
    test::RowName());

// ---- runs that fail --------------------------------------------------------------------------------

std::string Description(ErrorNumber number) { return RuntimeError::StandardDescription(number); }
const char* const kPivotMessage = "最小自乗法でPivotが1E-10になった。推算を中止する。";

struct FailureRow {
    const char* name;
    Column d;       // column D
    Method second;  // the second combination, which fails
    std::string message;
    bool coefficientsWritten;  // the failure comes after the second combination's fit
};
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class FailingRun : public ::testing::TestWithParam<FailureRow> {};

// A first run succeeds and the second combination's page is shown; then the
// second combination fails in a new run.
TEST_P(FailingRun, MessageAndWhatWasDoneStays) {
    const FailureRow& row = GetParam();
    Workbench wb;
    Load(wb, {kWorkedX, kWorkedY, {"1", "2", "3", "4", "5"}}, {{'B', 'A'}, {'C', 'A'}});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    wb.tabs.SelectPage(2);
    ASSERT_EQ(wb.app.session.int_Comb, 1);
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const auto graph = test::Describe(wb.graph);
    const std::string label = wb.labels.Equation(1);

    wb.SetColumn(4, row.d);
    wb.SetMethod(2, row.second.y, row.second.x, row.second.yLog, row.second.yRecip, row.second.xLog,
                 row.second.xRecip, row.second.degree);
    wb.app.RunEstimation();

    EXPECT_EQ(wb.Messages(), std::vector<std::string>{row.message});
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_Estimated, kTrue);
    EXPECT_EQ(s.int_Comb, 1);
    EXPECT_EQ(wb.tabs.SelectedPage(), 2);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_EQ(wb.labels.Equation(1), label);
    // The first combination was completed in this run.
    EXPECT_EQ(wb.coeff.Text(1, 5), FormatCoefficient(s.dbl_Coeff(1, 0)));
    EXPECT_EQ(wb.coeff.Text(1, 6), FormatCoefficient(s.dbl_Coeff(1, 1)));
    EXPECT_EQ(wb.coeff.Text(1, 1), " 1.07000E-1");
    // The second has no statistics; coefficients only when its fit was done.
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(wb.coeff.Text(2, r), "") << "statistic " << r;
    EXPECT_EQ(wb.coeff.Text(2, 5) != "", row.coefficientsWritten);
    EXPECT_TRUE(test::AllFinite(wb));
}

INSTANTIATE_TEST_SUITE_P(
    Causes, FailingRun,
    ::testing::Values(
        FailureRow{"LogOfZeroY", {"1", "2", "0", "4", "5"}, {'D', 'A', 1, 0, 0, 0},
                   Description(ErrorNumber::InvalidArgument), false},
        FailureRow{"LogOfNegativeY", {"1", "2", "-3", "4", "5"}, {'D', 'A', 1, 0, 0, 0},
                   Description(ErrorNumber::InvalidArgument), false},
        FailureRow{"LogOfZeroX", {"0", "2", "3", "4", "5"}, {'C', 'D', 0, 0, 1, 0},
                   Description(ErrorNumber::InvalidArgument), false},
        FailureRow{"LogOfNegativeX", {"1", "2", "3", "4", "-5"}, {'C', 'D', 0, 0, 1, 0},
                   Description(ErrorNumber::InvalidArgument), false},
        FailureRow{"ReciprocalOfZeroX", {"1", "0", "3", "4", "5"}, {'C', 'D', 0, 0, 0, 1},
                   Description(ErrorNumber::DivisionByZero), false},
        FailureRow{"ReciprocalOfLnOneX", {"2", "3", "1", "4", "5"}, {'C', 'D', 0, 0, 1, 1},
                   Description(ErrorNumber::DivisionByZero), false},
        FailureRow{"ReciprocalOfZeroY", {"1", "2", "3", "0", "5"}, {'D', 'A', 0, 1, 0, 0},
                   Description(ErrorNumber::DivisionByZero), false},
        FailureRow{"ReciprocalOfLnOneY", {"2", "1", "3", "4", "5"}, {'D', 'A', 1, 1, 0, 0},
                   Description(ErrorNumber::DivisionByZero), false},
        FailureRow{"FewerSamplesThanDegreePlusOne", {"1", "2", "3"}, {'C', 'D', 0, 0, 0, 0, "3"}, kPivotMessage,
                   false},
        FailureRow{"AllXEqual", {"30.5", "30.5", "30.5", "30.5", "30.5"}, {'C', 'D'}, kPivotMessage, false},
        FailureRow{"TinyX", {"1E-7", "2E-7", "3E-7", "4E-7", "5E-7"}, {'C', 'D'}, kPivotMessage, false},
        FailureRow{"DegreeSeven", {}, {'C', 'A', 0, 0, 0, 0, "7"}, Description(ErrorNumber::SubscriptOutOfRange),
                   false},
        FailureRow{"NegativeDegree", {}, {'C', 'A', 0, 0, 0, 0, "-1"},
                   Description(ErrorNumber::SubscriptOutOfRange), false},
        FailureRow{"SumOfYBeyondDoubleRange", {"1e308", "1e308", "1e308", "1e308", "1e308"}, {'D', 'A'},
                   Description(ErrorNumber::Overflow), false},
        FailureRow{"SumOfXSquaresBeyondDoubleRange", {"1e200", "2e200", "3e200", "4e200", "5e200"}, {'C', 'D'},
                   Description(ErrorNumber::Overflow), false},
        FailureRow{"SixthPowerBeyondDoubleRange", {"1e60", "2e60", "3e60", "4e60", "5e60"},
                   {'C', 'D', 0, 0, 0, 0, "6"}, Description(ErrorNumber::Overflow), false},
        // Fitted, but the sum of the squared measured values leaves the double range.
        FailureRow{"StatisticsBeyondDoubleRange", {"1e300", "2e300", "3e300", "4e300", "5e300"}, {'D', 'A'},
                   Description(ErrorNumber::Overflow), true}),
    test::RowName());

TEST(FailingRun, FirstRunFailingLeavesTheEmptyDocumentShown) {
    Workbench wb;
    Load(wb, {kWorkedX, {"2.1", "0", "6.2", "7.8", "10.1"}}, {{'B', 'A', 1, 0, 0, 0}});
    const auto graph = test::Describe(wb.graph);
    const std::string label = wb.labels.Equation(0);
    wb.app.RunEstimation();
    EXPECT_EQ(wb.Messages(), std::vector<std::string>{Description(ErrorNumber::InvalidArgument)});
    EXPECT_EQ(wb.app.session.int_Estimated, kFalse);
    EXPECT_EQ(wb.tabs.SelectedPage(), 0);
    EXPECT_EQ(test::Describe(wb.graph), graph);
    EXPECT_EQ(wb.labels.Equation(0), label);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(1, r), "");
}

TEST(FailingRun, CoefficientGridIsClearedAtTheStart) {
    Workbench wb;
    Load(wb, {kWorkedX, kWorkedY, {"1", "4", "9", "16", "25"}}, {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}});
    wb.app.RunEstimation();
    ASSERT_NE(wb.coeff.Text(2, 7), "");
    wb.SetMethod(1, 'B', 'A', 0, 0, 0, 0, "7");
    wb.app.RunEstimation();
    EXPECT_EQ(wb.Messages(), std::vector<std::string>{Description(ErrorNumber::SubscriptOutOfRange)});
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(c, r), "") << c << "," << r;
}

// ---- combinations without samples, empty grids, the variable count ----------------------------------

TEST(EmptyCombination, KeepsWhatEarlierRunsComputed) {
    Workbench wb;
    Load(wb, {kWorkedX, kWorkedY, {"1", "4", "9", "16", "25"}}, {{'B', 'A'}, {'C', 'A', 0, 0, 0, 0, "2"}});
    wb.app.RunEstimation();
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const Session before = wb.app.session;
    const TableGrid sheet = wb.est1;

    wb.SetColumn(3, Column(5, ""));
    wb.app.RunEstimation();
    EXPECT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_CombCount, 2);
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(2, r), "") << "row " << r;
    EXPECT_EQ(s.dbl_Coeff, before.dbl_Coeff);
    EXPECT_EQ(s.dbl_XMin(2), before.dbl_XMin(2));
    EXPECT_EQ(s.dbl_XMax(2), before.dbl_XMax(2));
    EXPECT_EQ(s.dbl_YMin(2), before.dbl_YMin(2));
    EXPECT_EQ(s.dbl_YMax(2), before.dbl_YMax(2));
    EXPECT_TRUE(wb.est1 == sheet);
}

TEST(EmptyCombination, EmptyDataGrid) {
    Workbench wb;
    Load(wb, {}, {{'B', 'A'}, {'C', 'A'}});
    wb.app.RunEstimation();
    const Session& s = wb.app.session;
    EXPECT_EQ(s.int_VarCount, 0);
    EXPECT_EQ(s.int_CombCount, 2);
    EXPECT_EQ(s.int_DataCount, 0);
    EXPECT_EQ(s.int_Estimated, kTrue);
    for (int c = 1; c <= 4; ++c)
        for (int r = 1; r <= 11; ++r) EXPECT_EQ(wb.coeff.Text(c, r), "");
    EXPECT_LE(wb.dialogs.messages.size(), 1u);  // at most the drawing's own report
    EXPECT_TRUE(test::AllFinite(wb));
}

struct VarCountRow {
    const char* name;
    std::vector<Column> data;
    int count;
};
void PrintTo(const VarCountRow& row, std::ostream* os) { *os << row.name; }

class VariableCount : public ::testing::TestWithParam<VarCountRow> {};

TEST_P(VariableCount, HighestColumnHoldingANumber) {
    Workbench wb;
    Load(wb, GetParam().data, {{'B', 'A'}});
    wb.app.RunEstimation();
    EXPECT_EQ(wb.app.session.int_VarCount, GetParam().count);
    EXPECT_TRUE(test::AllFinite(wb));
}

Column LastRowOnly(const std::string& text) {
    Column c(100, "");
    c.back() = text;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Grids, VariableCount,
    ::testing::Values(VarCountRow{"EmptyGrid", {}, 0},
                      VarCountRow{"OnlyColumnD", {{}, {}, {}, {"5"}}, 4},
                      VarCountRow{"OnlyColumnE", {{}, {}, {}, {}, {"1e3"}}, 5},
                      VarCountRow{"TextsAreNotNumbers", {{"1"}, {"abc"}, {"nan"}, {"inf"}, {"1,000"}}, 1},
                      VarCountRow{"NumberInTheLastRow", {{"1"}, {}, LastRowOnly(" 12 ")}, 3},
                      VarCountRow{"GapBetweenColumns", {{"1"}, {}, {}, {"2"}}, 4}),
    test::RowName());

}  // namespace
}  // namespace kurvo
