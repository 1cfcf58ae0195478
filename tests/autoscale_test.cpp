// Axis limits and division counts from the extents of a combination's graph.
#include <gtest/gtest.h>

#include <string>
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

// Each row is given to the X and to the Y axis of combination 2 at once.
TEST(AxisScaling, RoundLimitsAroundTheExtents) {
    for (const auto& row : test::ReadCases("axis_scaling.tsv", 7)) {
        SCOPED_TRACE(row[0]);
        Session s = WithOldLimits();
        s.int_XLog(2) = s.int_YLog(2) = static_cast<std::int16_t>(std::stoi(row[1]));
        s.dbl_XMin(2) = s.dbl_YMin(2) = test::NumberField(row[2]);
        s.dbl_XMax(2) = s.dbl_YMax(2) = test::NumberField(row[3]);
        AutoScaleGraph(s, 2);
        const double low = test::NumberField(row[4]), high = test::NumberField(row[5]);
        const int divisions = std::stoi(row[6]);
        EXPECT_EQ(Limits(s, 2), std::tuple(low, high, divisions, low, high, divisions));
        EXPECT_EQ(Limits(s, 3), std::tuple(kOld, kOld, kOldDiv, kOld, kOld, kOldDiv));
    }
}

// Failures: what is written before the failing step stays.
TEST(ScalingFailure, RaisesAndKeepsTheOutputsNotYetWritten) {
    for (const auto& row : test::ReadCases("axis_scaling_failure.tsv", 14)) {
        SCOPED_TRACE(row[0]);
        Session s = WithOldLimits();
        s.int_XLog(1) = static_cast<std::int16_t>(std::stoi(row[1]));
        s.int_YLog(1) = static_cast<std::int16_t>(std::stoi(row[2]));
        s.dbl_XMin(1) = test::NumberField(row[3]), s.dbl_XMax(1) = test::NumberField(row[4]);
        s.dbl_YMin(1) = test::NumberField(row[5]), s.dbl_YMax(1) = test::NumberField(row[6]);
        EXPECT_TRUE(Raises(static_cast<ErrorNumber>(std::stoi(row[7])), [&] { AutoScaleGraph(s, 1); }));
        const auto [xLow, xHigh, xDiv, yLow, yHigh, yDiv] = Limits(s, 1);
        const double after[] = {xLow, xHigh, static_cast<double>(xDiv), yLow, yHigh, static_cast<double>(yDiv)};
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(after[i], row[8 + i] != "kept" ? test::NumberField(row[8 + i]) : i % 3 == 2 ? kOldDiv : kOld) << i;
    }
}

TEST(AutoScaleGraph, CombinationNumberOutsideOneToFiveIsASubscriptError) {
    Session s = WithOldLimits();
    EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { AutoScaleGraph(s, 0); }));
    EXPECT_TRUE(Raises(ErrorNumber::SubscriptOutOfRange, [&] { AutoScaleGraph(s, 6); }));
}

}  // namespace
}  // namespace kurvo
