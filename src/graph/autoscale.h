// Axis limits and division counts from a graph's extents.
#pragma once

#include <cstdint>

namespace kurvo {

// What a graph is to show: the extents of both axes, and which axes are logarithmic.
struct GraphExtents {
    double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
    bool xLog = false, yLog = false;
};

// What an axis is drawn with: its limits (decade exponents on a logarithmic
// axis) and its number of divisions.
struct AxisScale {
    double low = 0, high = 0;
    std::int16_t divisions = 0;
};

struct GraphScale {
    AxisScale x, y;
};

// Writes the X limits and divisions of `scale` and then the Y ones from the
// extents.  Linear axes: round values around the extents, 5 divisions, such
// that every value between the extents is shown and, when they differ, they
// span at least half the axis.  Logarithmic axes: decade exponents and the
// number of decades.  Raises InvalidArgument for a non-positive extent on a
// logarithmic axis and Overflow when a limit leaves the double range; what
// was written before the failing step keeps its new value, the rest its old.
void AutoScaleGraph(const GraphExtents& extents, GraphScale& scale);

// One linear axis end: the order-of-magnitude exponent of the value (0 for 0),
// taken as round(floor(ln |v|) * kLog10Factor).
int MagnitudeExponent(double value);

struct LinearLimits {
    double low = 0, high = 0;
};

// Round limits from the span of [min, max] (min <= max): both ends multiples
// of a unit of 1, 2 or 5 times a power of ten that is at most a fifth of the
// span, so that each end lies less than one division beyond the values.  A
// single value gets the stretch of one unit of its magnitude that holds it
// (37: 30 to 40; 0: 0 to 1).
LinearLimits SpanLimits(double min, double max);

// A step that suits an axis showing `span` (> 0) of its values: the power of
// ten `step` while it is at most four times the span (100 on an axis from 10
// to 100), else the largest power of ten not above the span (10 for years
// 1990 to 2020, not 1000).
double StepWithinSpan(double step, double span);

}  // namespace kurvo
