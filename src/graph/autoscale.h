// Axis limits and division counts from a combination's graph extents.
#pragma once

#include "state/session.h"

namespace kurvo {

// Writes dbl_XLow/High, int_XDiv and then the Y ones of combination c (1..5)
// from its extents.  Linear axes: round values around the extents, 5
// divisions.  Logarithmic axes: decade exponents and the number of decades.
// Raises InvalidArgument for a non-positive extent on a logarithmic axis and
// Overflow when a limit leaves the double range; outputs written before the
// failing step keep their new values.
void AutoScaleGraph(Session& session, int c);

// One linear axis end: the order-of-magnitude exponent of the value (0 for 0),
// taken as round(floor(ln |v|) * kLog10Factor).
int MagnitudeExponent(double value);

}  // namespace kurvo
