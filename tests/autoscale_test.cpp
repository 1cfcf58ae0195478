// Axis limits and division counts from the extents of a graph.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "checks.h"
#include "graph/autoscale.h"

namespace kurvo {
namespace {

using test::Raises;

constexpr double kOld = -7777.0;
constexpr std::int16_t kOldDiv = 77;

// Limits holding values no scaling produces.
constexpr GraphScale kOldLimits{{kOld, kOld, kOldDiv}, {kOld, kOld, kOldDiv}};

std::tuple<double, double, int, double, double, int> Limits(const GraphScale& s) {
    return {s.x.low, s.x.high, s.x.divisions, s.y.low, s.y.high, s.y.divisions};
}

// Each row is given to the X and to the Y axis at once.
TEST(AxisScaling, RoundLimitsAroundTheExtents) {
    for (const auto& row : test::ReadCases("axis_scaling.tsv", 7)) {
        SCOPED_TRACE(row[0]);
        GraphExtents e;
        e.xLog = e.yLog = std::stoi(row[1]) != 0;
        e.xMin = e.yMin = test::NumberField(row[2]);
        e.xMax = e.yMax = test::NumberField(row[3]);
        GraphScale scale = kOldLimits;
        AutoScaleGraph(e, scale);
        const double low = test::NumberField(row[4]), high = test::NumberField(row[5]);
        const int divisions = std::stoi(row[6]);
        EXPECT_EQ(Limits(scale), std::tuple(low, high, divisions, low, high, divisions));
    }
}

// Failures: what is written before the failing step stays.
TEST(ScalingFailure, RaisesAndKeepsTheOutputsNotYetWritten) {
    for (const auto& row : test::ReadCases("axis_scaling_failure.tsv", 14)) {
        SCOPED_TRACE(row[0]);
        const GraphExtents e{test::NumberField(row[3]), test::NumberField(row[4]), test::NumberField(row[5]),
                             test::NumberField(row[6]), std::stoi(row[1]) != 0, std::stoi(row[2]) != 0};
        GraphScale scale = kOldLimits;
        EXPECT_TRUE(Raises(static_cast<ErrorNumber>(std::stoi(row[7])), [&] { AutoScaleGraph(e, scale); }));
        const auto [xLow, xHigh, xDiv, yLow, yHigh, yDiv] = Limits(scale);
        const double after[] = {xLow, xHigh, static_cast<double>(xDiv), yLow, yHigh, static_cast<double>(yDiv)};
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(after[i], row[8 + i] != "kept" ? test::NumberField(row[8 + i]) : i % 3 == 2 ? kOldDiv : kOld) << i;
    }
}

}  // namespace
}  // namespace kurvo
