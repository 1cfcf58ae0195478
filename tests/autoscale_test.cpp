// Axis limits and division counts from the extents of a combination's graph.
#include <gtest/gtest.h>

#include <tuple>

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

std::tuple<double, double, int, double, double, int> Limits(const Session& s, int c) {
    return {s.dbl_XLow(c), s.dbl_XHigh(c), s.int_XDiv(c), s.dbl_YLow(c), s.dbl_YHigh(c), s.int_YDiv(c)};
}

struct AxisRow {
    const char* name;
    std::int16_t log;
    double min, max, low, high;
    int divisions;
};

class AxisScaling : public ::testing::TestWithParam<AxisRow> {};

// Each row is given to the X and to the Y axis of combination 2 at once.
TEST_P(AxisScaling, RoundLimitsAroundTheExtents) {
    const AxisRow& row = GetParam();
    Session s = WithOldLimits();
    s.int_XLog(2) = s.int_YLog(2) = row.log;
    s.dbl_XMin(2) = s.dbl_YMin(2) = row.min;
    s.dbl_XMax(2) = s.dbl_YMax(2) = row.max;
    AutoScaleGraph(s, 2);
    EXPECT_EQ(Limits(s, 2), std::tuple(row.low, row.high, row.divisions, row.low, row.high, row.divisions));
    EXPECT_EQ(Limits(s, 3), std::tuple(kOld, kOld, kOldDiv, kOld, kOld, kOldDiv));
}

// The design's worked rows, and the ends of the double range.
INSTANTIATE_TEST_SUITE_P(
    Linear, AxisScaling,
    ::testing::Values(AxisRow{"SingleValue", 0, 37, 37, 30, 40, 5},
                      AxisRow{"ZeroToHundred", 0, 0, 100, 0, 100, 5},
                      AxisRow{"Decimals", 0, 12.3, 87.6, 10, 100, 5},
                      AxisRow{"DifferentMagnitudes", 0, 150, 2200, 100, 3000, 5},
                      // floor(ln 900) × 0.434… rounds to 3, not 2
                      AxisRow{"MagnitudeFromFlooredNaturalLog", 0, 900, 900, 0, 1000, 5},
                      // the added 0.9 does not lift a fraction below 0.1
                      AxisRow{"UpperLimitBelowMaximum", 0, 30.5, 30.5, 30, 30, 5},
                      AxisRow{"Hundredths", 0, 0.037, 0.037, 0.03, 0.04, 5},
                      AxisRow{"NegativeSingleValue", 0, -37, -37, -40, -30, 5},
                      AxisRow{"AcrossZero", 0, -250, 480, -300, 1000, 5},
                      AxisRow{"BothZero", 0, 0, 0, 0, 0, 5},
                      AxisRow{"NearTheTopOfTheDoubleRange", 0, 9e307, 9e307, 0, 1e308, 5}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    Logarithmic, AxisScaling,
    ::testing::Values(AxisRow{"FourDecades", 1, 2, 5000, 0, 4, 4}, AxisRow{"BelowOne", 1, 0.5, 80, -1, 2, 3},
                      AxisRow{"TwoDecades", 1, 3, 40, 0, 2, 2},
                      // ln 1000 × 0.434294481903252 lies just above 3
                      AxisRow{"ExactDecadeCountsOneMore", 1, 1, 1000, 0, 4, 4},
                      AxisRow{"AnyNonzeroFlag", -1, 2, 5000, 0, 4, 4}),
    test::RowName());

// Failures: what is written before the failing step stays.
struct FailureRow {
    const char* name;
    std::int16_t xLog, yLog;
    double xMin, xMax, yMin, yMax;
    ErrorNumber error;
    std::tuple<double, double, int, double, double, int> after;  // kOld / kOldDiv where the old value stays
};

class ScalingFailure : public ::testing::TestWithParam<FailureRow> {};

TEST_P(ScalingFailure, RaisesAndKeepsTheOutputsNotYetWritten) {
    const FailureRow& row = GetParam();
    Session s = WithOldLimits();
    s.int_XLog(1) = row.xLog, s.int_YLog(1) = row.yLog;
    s.dbl_XMin(1) = row.xMin, s.dbl_XMax(1) = row.xMax, s.dbl_YMin(1) = row.yMin, s.dbl_YMax(1) = row.yMax;
    EXPECT_TRUE(Raises(row.error, [&] { AutoScaleGraph(s, 1); }));
    EXPECT_EQ(Limits(s, 1), row.after);
}

constexpr auto kInvalid = ErrorNumber::InvalidArgument;
INSTANTIATE_TEST_SUITE_P(
    Extents, ScalingFailure,
    ::testing::Values(
        FailureRow{"LogXMinimumZero", 1, 0, 0, 100, 1, 5, kInvalid, {kOld, kOld, kOldDiv, kOld, kOld, kOldDiv}},
        FailureRow{"LogYMinimumNegativeAfterLogX", 1, 1, 2, 5000, -2, 5, kInvalid, {0, 4, 4, kOld, kOld, kOldDiv}},
        // 10^308 × floor(1.7 + 0.9) leaves the double range: the lower limit is already written.
        FailureRow{"LinearUpperLimitBeyondDoubleRange", 0, 0, 10, 1.7e308, 1, 5, ErrorNumber::Overflow,
                   {10, kOld, kOldDiv, kOld, kOld, kOldDiv}}),
    test::RowName());

TEST(AutoScaleGraph, CombinationNumberOutsideOneToFiveIsASubscriptError) {
    Session s = WithOldLimits();
    EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { AutoScaleGraph(s, 0); }));
    EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { AutoScaleGraph(s, 6); }));
}

TEST(AutoScaleGraph, ReadsNothingItWrites) {
    Session s = WithOldLimits();
    s.dbl_XMin(3) = 0.5, s.dbl_XMax(3) = 80, s.dbl_YMin(3) = -250, s.dbl_YMax(3) = 480;
    AutoScaleGraph(s, 3);
    const auto once = Limits(s, 3);
    AutoScaleGraph(s, 3);
    EXPECT_EQ(Limits(s, 3), once);
}

}  // namespace
}  // namespace kurvo
