// The graph of one combination on a drawing surface: frame and grid, tick
// labels, titles, the fitted curve and the measured points, as the screen or
// the printed page shows it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "fit/fit_statistics.h"
#include "fit/transforms.h"
#include "graph/graph_frame.h"
#include "graph/surface.h"
#include "state/runtime_error.h"

namespace kurvo {

// Everything one graph shows.
struct GraphScene {
    std::string title, xTitle, yTitle;
    Transforms flags;  // an axis is logarithmic when its log flag is not 0
    GraphAxis x, y;
    std::vector<double> coefficients;  // of the curve: c0 .. c(degree) in the fitted space
    struct Point {
        double x;         // x', transformed
        double measured;  // y as measured
    };
    std::vector<Point> points;
    // The bands around the curve, drawn when one of them is on.
    struct Bands {
        std::function<std::optional<BandAt>(double xt)> at;  // both bands at x'
        bool confidence = false, prediction = false;
        int levelPercent = 95;
    };
    std::optional<Bands> bands;
};

// The equation label of combination `number`: "Y1=3.5  2.25*X^1  -0.125*X^2  ",
// with the transforms named ("LogY", "1/X", ...).
std::string EquationCaption(int number, const std::vector<double>& coefficients, const Transforms& flags);

// Draws the scene on the target: on paper (`printed`) with a wider pen, a red
// curve and a margin round the frame.  The curve is broken where it has no
// value the axes can show and where a reciprocal passes through its pole; a
// measured point the axes cannot show is left out, and the points beyond the
// limits are counted above the frame.  A band is two lines of its own colour
// and style, left out where its ends have no value or a logarithmic axis
// cannot show them, and named with its level in a small legend.  A frame the
// axes cannot lay out, or a curve and points of which nothing can be shown,
// stops the drawing (what was drawn before stays) and is returned as
// DrawingFailure.
std::optional<RuntimeError> DrawScene(ISurface& target, bool printed, const GraphScene& scene);

// An error met while drawing, as the user is told of it: "グラフを描けませんでした。"
// with its number, then its description.
RuntimeError DrawingFailure(const RuntimeError& error);

// Paints the main window's background: a blue-to-black gradient of three-pixel
// bands over a surface measured in device pixels.
void PaintWindowBackground(ISurface& window);

}  // namespace kurvo
