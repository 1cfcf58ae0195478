// What every graph of the program has around and under its own lines: the
// frame, the title and axis titles, the grid with its labels, the mapping of
// values to the target's twips, the measured point's mark, the legend's box
// and lines, and the count of points beyond the limits.  The fitted graph and
// the residual graph are drawn on it.
#pragma once

#include <cstdint>
#include <string>

#include "graph/surface.h"

namespace kurvo {

// One axis as drawn: its limits (decade exponents on a logarithmic axis), its
// divisions, and the lower extent, from which a logarithmic axis labels its decades.
struct GraphAxis {
    double low = 0, high = 0;
    std::int16_t divisions = 0;
    double min = 0;
};

// The plot frame as drawn, in the target's twips, with its axes.
struct PlotFrame {
    bool printed = false;
    double left0 = 0, top0 = 0;  // the corner the title and the Y axis title start from
    double left = 0, top = 0, right = 0, bottom = 0;
    GraphAxis x, y;
    bool xLog = false, yLog = false;
    double fontSize = 0;  // the target's font size for the title and the labels

    // The twips of a value: on a logarithmic X axis `logX` (the decade
    // exponent) places it, on a linear one `x`.  A value beyond the 32-bit
    // range raises Overflow.
    std::int32_t PixelX(double x, double logX) const;
    // On a logarithmic Y axis, y > 0 (else the logarithm's error).
    std::int32_t PixelY(double y) const;
};

// Prepares the target (the screen cleared, the printed pen wider) and draws
// the frame, the titles, both grids and their labels.  Printed, the frame
// keeps a margin round it.  An axis that cannot be laid out raises its error
// (no divisions: division by 0).
PlotFrame DrawPlotFrame(ISurface& g, bool printed, const std::string& title, const std::string& xTitle,
                        const std::string& yTitle, const GraphAxis& x, const GraphAxis& y, bool xLog, bool yLog);

// A measured point, filled in the foreground colour of the points.
void DrawMeasuredPoint(ISurface& g, std::int32_t px, std::int32_t py);

// The legend's ground at the frame's top left, for `entries` lines, on the background's colour.
void DrawLegendBox(ISurface& g, const PlotFrame& f, int entries);
// One entry of the legend at height `legendY`: a line of the colour and the
// style set on the target, and its name.
void DrawLegendEntry(ISurface& g, const PlotFrame& f, double legendY, Rgb color, const std::string& name);

// Ends the drawing inside the frame and tells of the points the limits left
// out; a printed page is finished.
void FinishPlot(ISurface& g, const PlotFrame& f, int outside);

}  // namespace kurvo
