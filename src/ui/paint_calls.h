// Replays recorded drawing calls on a QPainter: the one renderer behind the
// screen graph, the window background, printing and image export.
#pragma once

#include <QColor>
#include <QRectF>
#include <vector>

#include "graph/recording_surface.h"

class QPainter;

namespace kurvo::ui {

struct PaintScale {
    // Logical units of the recording (twips, or 1 for pixels) per device pixel.
    double unitsPerPixelX = 15.0;
    double unitsPerPixelY = 15.0;
    // Line widths are device pixels of the target; raise this when the target
    // has more pixels per inch than the screen the widths were meant for.
    double lineWidthFactor = 1.0;
};

QColor toQColor(Rgb rgb);

// Draws the calls in device pixels.  `area` is what a Clear erases, filled
// with `background`.  Drawing state (colours, fill, line width, font) starts
// from the surface defaults: black, transparent fill, width 1, "ＭＳ ゴシック" 9 pt.
void PaintCalls(QPainter& painter, const std::vector<DrawCall>& calls, const PaintScale& scale,
                const QRectF& area, const QColor& background);

// Paints a drawing made in twips on paper (a printer page, a PDF or an SVG
// document) whose device has `dpiX` by `dpiY` pixels per inch; the origin is
// the top left of the printable area, the paper white.
void PaintPaperPage(QPainter& painter, const std::vector<DrawCall>& calls, double dpiX, double dpiY);

// Resolution of a page printed into a PDF file: line widths of the drawing
// are device pixels, and 5 of them should look like a laser printer's.
inline constexpr int kPdfResolution = 600;

}  // namespace kurvo::ui
