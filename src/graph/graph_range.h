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
};

// Stores the typed ends of combination c as its extents, with axis limits
// computed from them: on a linear axis the X ends round like the automatic
// scaling and the Y ends by the floor of their decimal logarithm; on a
// logarithmic axis, decade exponents.  Nothing is stored when a lower end
// lies above its upper end or a logarithmic axis has an end at or below 0
// (silently), nor when a box holds no number or a limit would leave the double
// range (with a message naming the box).
RangeOutcome ApplyGraphRange(Session& session, int c, const RangeTexts& texts);

}  // namespace kurvo
