// Axis limits and division counts from a combination's graph extents.
#pragma once

#include "state/session.h"

namespace kurvo {

// Writes dbl_XLow/High, int_XDiv and then the Y ones of combination c (1..5)
// from its extents.  Linear axes: round values around the extents, 5
// divisions, such that every value between the extents is shown and, when
// they differ, they span at least half the axis.  Logarithmic axes: decade
// exponents and the number of decades.  Raises InvalidArgument for a
// non-positive extent on a logarithmic axis and Overflow when a limit leaves
// the double range; outputs written before the failing step keep their new
// values.
void AutoScaleGraph(Session& session, int c);

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
