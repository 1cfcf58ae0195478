// The residual graph of one combination: at each sample its measured y′ less
// the fitted y′, in the fitted (transformed) values that least squares makes
// small, over the fitted graph's X axis, with a line at 0 and dashed lines at
// ±s and ±2s.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/transforms.h"
#include "graph/graph_frame.h"
#include "graph/surface.h"
#include "state/runtime_error.h"

namespace kurvo {

struct ResidualScene {
    std::string title, xTitle;  // the fitted graph's
    // The X axis is logarithmic when xLog is not 0; the Y transforms are named in the axis title.
    Transforms flags;
    GraphAxis x;                       // the fitted graph's X axis: limits, divisions and lower extent
    std::vector<double> coefficients;  // c0 .. c(degree) of y′ = Σ cj x′^j
    struct Sample {
        double x;  // x′
        double y;  // y′
    };
    std::vector<Sample> samples;
    std::optional<double> s;  // the fit's s; none without degrees of freedom
};

// Draws the scene as DrawScene draws the fitted graph (the same frame, grid,
// labels and point marks, printed with the same margin and pen).  The Y axis
// has round limits ±R from the span of [−m, m], m an eighth more than the
// largest of |residual| and 2s (±1 where m is 0), in four divisions: 0 on the
// middle line.  A
// sample whose residual or place cannot be computed is counted beyond the
// limits, as is one beyond the X limits; when no point can be shown and one
// could not be computed, the drawing fails with that error as DrawingFailure.
std::optional<RuntimeError> DrawResidualScene(ISurface& target, bool printed, const ResidualScene& scene);

}  // namespace kurvo
