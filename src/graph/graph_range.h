// The typed graph range: the four ends a user types for the shown
// combination, checked whole before anything is stored.
#pragma once

#include <array>
#include <string>

#include "state/session.h"

namespace kurvo {

// Boxes in order: X lower, X upper, Y lower, Y upper.
using RangeTexts = std::array<std::string, 4>;

// The ends as the dialog shows them when it opens: the extents of combination c.
RangeTexts CurrentRangeTexts(const Session& session, int c);

struct RangeOutcome {
    bool stored = false;  // the extents and limits were stored
    std::string message;  // why not, when the user must be told; empty for a silent refusal
    std::string refusal;  // why a silent refusal refused, for a caller with nobody to correct the boxes
};

// Stores the typed ends of combination c as its extents, with axis limits
// computed from them: on a linear axis the X ends round like the automatic
// scaling and the Y ends by the floor of their decimal logarithm, as long as
// the limits hold the typed range and lie at most one division beyond it;
// otherwise both round by the range's span (1780 to 2030: 1750 to 2050).  On
// a logarithmic axis, decade exponents.  Nothing is stored when a lower end
// lies above its upper end or a logarithmic axis has an end at or below 0
// (silently), nor when a box holds no number or a limit would leave the double
// range (with a message naming the box).  `axesTyped` (X, Y) picks the axes
// whose boxes are read; the other keeps its range and limits.
RangeOutcome ApplyGraphRange(Session& session, int c, const RangeTexts& texts,
                             std::array<bool, 2> axesTyped = {true, true});

}  // namespace kurvo
