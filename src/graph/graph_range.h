// The typed graph range: the four ends a user types for the shown
// combination, checked whole before anything is stored.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "graph/autoscale.h"

namespace kurvo {

// Boxes in order: X lower, X upper, Y lower, Y upper.
using RangeTexts = std::array<std::string, 4>;

// The ends as the dialog shows them when it opens: the graph's extents.
RangeTexts CurrentRangeTexts(const GraphExtents& extents);

// One axis's new range: the typed ends, which become its extents, and the
// limits and divisions drawn round them.
struct AxisRange {
    double lower = 0, upper = 0;
    AxisScale scale;
};

struct RangeOutcome {
    bool stored = false;  // the typed ends are taken: the ranges below replace the graph's
    std::string message;  // why not, when the user must be told; empty for a silent refusal
    std::string refusal;  // why a silent refusal refused, for a caller with nobody to correct the boxes
    std::optional<AxisRange> x, y;  // the new range of each axis typed; none for an axis that keeps its own
};

// Takes the typed ends of a graph with the given extents and logarithmic
// axes, with axis limits computed from them: on a linear axis the X ends
// round like the automatic scaling and the Y ends by the floor of their
// decimal logarithm, as long as the limits hold the typed range and lie at
// most one division beyond it; otherwise both round by the range's span (1780
// to 2030: 1750 to 2050).  On a logarithmic axis, decade exponents.  Nothing is taken when a lower end
// lies above its upper end or a logarithmic axis has an end at or below 0
// (silently), nor when a box holds no number or a limit would leave the double
// range (with a message naming the box).  `axesTyped` (X, Y) picks the axes
// whose boxes are read; the other keeps its range and limits.
RangeOutcome ApplyGraphRange(const GraphExtents& extents, const RangeTexts& texts,
                             std::array<bool, 2> axesTyped = {true, true});

}  // namespace kurvo
