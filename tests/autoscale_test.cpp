// Axis limits and division counts from the extents of a combination's graph.
#include <gtest/gtest.h>

#include <ostream>

#include "checks.h"
#include "graph/autoscale.h"
#include "state/session.h"

namespace kurvo {
namespace {

using test::Raises;

constexpr double kOld = -7777.0;
constexpr std::int16_t kOldDiv = 77;

// A session whose limits of every slot hold values no scaling produces.
Session WithOldLimits() {
    Session s;
    for (int c = 1; c <= 5; ++c) {
        s.dbl_XLow(c) = s.dbl_XHigh(c) = s.dbl_YLow(c) = s.dbl_YHigh(c) = kOld;
        s.int_XDiv(c) = s.int_YDiv(c) = kOldDiv;
    }
    return s;
}

struct AxisRow {
    const char* name;
    double min, max;
    double low, high;
    int divisions;
};
void PrintTo(const AxisRow& row, std::ostream* os) { *os << row.min << ".." << row.max; }

// Each row is given to the X and to the Y axis of combination 2 at once.
void ScaleBothAxes(Session& s, const AxisRow& row, std::int16_t log) {
    s.int_XLog(2) = s.int_YLog(2) = log;
    s.dbl_XMin(2) = s.dbl_YMin(2) = row.min;
    s.dbl_XMax(2) = s.dbl_YMax(2) = row.max;
    AutoScaleGraph(s, 2);
}

void ExpectLimits(const Session& s, const AxisRow& row) {
    EXPECT_DOUBLE_EQ(s.dbl_XLow(2), row.low);
    EXPECT_DOUBLE_EQ(s.dbl_XHigh(2), row.high);
    EXPECT_EQ(s.int_XDiv(2), row.divisions);
    EXPECT_DOUBLE_EQ(s.dbl_YLow(2), row.low);
    EXPECT_DOUBLE_EQ(s.dbl_YHigh(2), row.high);
    EXPECT_EQ(s.int_YDiv(2), row.divisions);
    // Other slots are not touched.
    EXPECT_EQ(s.dbl_XLow(1), kOld);
    EXPECT_EQ(s.int_YDiv(3), kOldDiv);
}

class LinearAxis : public ::testing::TestWithParam<AxisRow> {};

TEST_P(LinearAxis, RoundValuesAroundTheExtentsInFiveDivisions) {
    Session s = WithOldLimits();
    ScaleBothAxes(s, GetParam(), 0);
    ExpectLimits(s, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Extents, LinearAxis,
    ::testing::Values(AxisRow{"SingleValue", 37, 37, 30, 40, 5},
                      AxisRow{"ZeroToHundred", 0, 100, 0, 100, 5},
                      AxisRow{"Decimals", 12.3, 87.6, 10, 100, 5},
                      AxisRow{"DifferentMagnitudes", 150, 2200, 100, 3000, 5},
                      // floor(ln 900) × 0.434… rounds to 3, not 2
                      AxisRow{"MagnitudeFromFlooredNaturalLog", 900, 900, 0, 1000, 5},
                      // the added 0.9 does not lift a fraction below 0.1
                      AxisRow{"UpperLimitBelowMaximum", 30.5, 30.5, 30, 30, 5},
                      AxisRow{"SingleDigits", 3, 7, 3, 7, 5},
                      AxisRow{"Hundredths", 0.037, 0.037, 0.03, 0.04, 5},
                      AxisRow{"NegativeSingleValue", -37, -37, -40, -30, 5},
                      AxisRow{"AcrossZero", -250, 480, -300, 1000, 5},
                      AxisRow{"MinimumZero", 0, 37, 0, 40, 5},
                      AxisRow{"MaximumZero", -37, 0, -40, 0, 5},
                      AxisRow{"BothZero", 0, 0, 0, 0, 5},
                      AxisRow{"NearTheTopOfTheDoubleRange", 9e307, 9e307, 0, 1e308, 5}),
    test::RowName());

class LogarithmicAxis : public ::testing::TestWithParam<AxisRow> {};

TEST_P(LogarithmicAxis, DecadeExponentsAndDecadeCount) {
    Session s = WithOldLimits();
    ScaleBothAxes(s, GetParam(), 1);
    ExpectLimits(s, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Extents, LogarithmicAxis,
    ::testing::Values(AxisRow{"FourDecades", 2, 5000, 0, 4, 4},
                      AxisRow{"BelowOne", 0.5, 80, -1, 2, 3},
                      AxisRow{"TwoDecades", 3, 40, 0, 2, 2},
                      AxisRow{"OneDecade", 2, 5, 0, 1, 1},
                      // ln 1000 × 0.434294481903252 lies just above 3
                      AxisRow{"ExactDecadeCountsOneMore", 1, 1000, 0, 4, 4}),
    test::RowName());

TEST(AxisFlag, AnyNonzeroLogFlagMakesTheAxisLogarithmic) {
    Session s = WithOldLimits();
    ScaleBothAxes(s, AxisRow{"", 2, 5000, 0, 4, 4}, -1);
    ExpectLimits(s, AxisRow{"", 2, 5000, 0, 4, 4});
}

// ---- failures: what is written before the failing step stays ------------------------------

struct FailureRow {
    const char* name;
    std::int16_t xLog, yLog;
    double xMin, xMax, yMin, yMax;
    ErrorNumber error;
    // Outputs after the failure; kOld / kOldDiv where the old value stays.
    double xLow, xHigh;
    int xDiv;
    double yLow, yHigh;
    int yDiv;
};
void PrintTo(const FailureRow& row, std::ostream* os) { *os << row.name; }

class ScalingFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(ScalingFailure, RaisesAndKeepsTheOutputsNotYetWritten) {
    const FailureRow& row = GetParam();
    Session s = WithOldLimits();
    s.int_XLog(1) = row.xLog;
    s.int_YLog(1) = row.yLog;
    s.dbl_XMin(1) = row.xMin;
    s.dbl_XMax(1) = row.xMax;
    s.dbl_YMin(1) = row.yMin;
    s.dbl_YMax(1) = row.yMax;
    EXPECT_TRUE(Raises(row.error, [&] { AutoScaleGraph(s, 1); }));
    EXPECT_DOUBLE_EQ(s.dbl_XLow(1), row.xLow);
    EXPECT_DOUBLE_EQ(s.dbl_XHigh(1), row.xHigh);
    EXPECT_EQ(s.int_XDiv(1), row.xDiv);
    EXPECT_DOUBLE_EQ(s.dbl_YLow(1), row.yLow);
    EXPECT_DOUBLE_EQ(s.dbl_YHigh(1), row.yHigh);
    EXPECT_EQ(s.int_YDiv(1), row.yDiv);
}

INSTANTIATE_TEST_SUITE_P(
    Extents, ScalingFailure,
    ::testing::Values(
        FailureRow{"LogXMinimumZero", 1, 0, 0, 100, 1, 5, ErrorNumber::InvalidArgument,
                   kOld, kOld, kOldDiv, kOld, kOld, kOldDiv},
        FailureRow{"LogXMinimumNegative", 1, 0, -3, 100, 1, 5, ErrorNumber::InvalidArgument,
                   kOld, kOld, kOldDiv, kOld, kOld, kOldDiv},
        FailureRow{"LogXMaximumNegative", 1, 0, 2, -1, 1, 5, ErrorNumber::InvalidArgument,
                   kOld, kOld, kOldDiv, kOld, kOld, kOldDiv},
        FailureRow{"LogYMinimumZeroAfterLinearX", 0, 1, 0, 100, 0, 5, ErrorNumber::InvalidArgument,
                   0, 100, 5, kOld, kOld, kOldDiv},
        FailureRow{"LogYMinimumNegativeAfterLogX", 1, 1, 2, 5000, -2, 5, ErrorNumber::InvalidArgument,
                   0, 4, 4, kOld, kOld, kOldDiv},
        // 10^308 × floor(1.7 + 0.9) leaves the double range: the lower limit is already written.
        FailureRow{"LinearUpperLimitBeyondDoubleRange", 0, 0, 10, 1.7e308, 1, 5, ErrorNumber::Overflow,
                   10, kOld, kOldDiv, kOld, kOld, kOldDiv}),
    test::RowName());

TEST(AutoScaleGraph, CombinationNumberOutsideOneToFiveIsASubscriptError) {
    Session s = WithOldLimits();
    EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { AutoScaleGraph(s, 0); }));
    EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { AutoScaleGraph(s, 6); }));
    s.dbl_XMin(5) = s.dbl_YMin(5) = 37;
    s.dbl_XMax(5) = s.dbl_YMax(5) = 37;
    AutoScaleGraph(s, 5);  // the graph arrays have a fifth slot
    EXPECT_DOUBLE_EQ(s.dbl_XLow(5), 30);
}

TEST(AutoScaleGraph, ReadsNothingItWrites) {
    Session s = WithOldLimits();
    s.int_XLog(3) = 1;
    s.dbl_XMin(3) = 0.5, s.dbl_XMax(3) = 80, s.dbl_YMin(3) = -250, s.dbl_YMax(3) = 480;
    AutoScaleGraph(s, 3);
    const Session once = s;
    AutoScaleGraph(s, 3);
    EXPECT_EQ(s.dbl_XLow(3), once.dbl_XLow(3));
    EXPECT_EQ(s.dbl_XHigh(3), once.dbl_XHigh(3));
    EXPECT_EQ(s.int_XDiv(3), once.int_XDiv(3));
    EXPECT_EQ(s.dbl_YLow(3), once.dbl_YLow(3));
    EXPECT_EQ(s.dbl_YHigh(3), once.dbl_YHigh(3));
    EXPECT_EQ(s.int_YDiv(3), once.int_YDiv(3));
    EXPECT_DOUBLE_EQ(s.dbl_YLow(3), -300);
    EXPECT_DOUBLE_EQ(s.dbl_YHigh(3), 1000);
}

}  // namespace
}  // namespace kurvo
