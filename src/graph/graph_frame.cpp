#include "graph/graph_frame.h"

#include <cmath>
#include <optional>

#include "state/numbers.h"

namespace kurvo {

namespace {

inline constexpr const char* kGraphFont = "ＭＳ ゴシック";
inline constexpr double kPointRadius = 30;

// Value of the first labelled decade of a logarithmic axis, k − 1 decades up:
// 10^(k − 2) × 10^floor(log10 min + 1).
double DecadeLabel(int k, double min) { return Mul(Pow(10.0, k - 2), Pow(10.0, Floor(Log10(min) + 1.0))); }

// The label of a linear axis end: the tick label's short form while it reads
// as the limit itself, else the limit in full (1.65, not 2; 1000300, not 1E+6).
std::string EndLabel(double limit) {
    std::string text = FormatAxisNumber(limit);
    const std::optional<double> shown = NumericValue(text);
    if (!shown || std::fabs(*shown - limit) > 1e-9 * std::fabs(limit)) text = FormatGeneral(limit);
    return text;
}

}  // namespace

std::int32_t PlotFrame::PixelX(double value, double logX) const {
    const double width = right - left;
    if (xLog) return RoundToInt32(Mul(Div(width, x.divisions), logX - x.low) + left);
    return RoundToInt32(Floor(Div(Mul(width, value - x.low), x.high - x.low)) + left);
}

std::int32_t PlotFrame::PixelY(double value) const {
    const double height = bottom - top;
    if (yLog) return RoundToInt32(bottom - Mul(Log10(value) - y.low, Div(height, y.divisions)));
    return RoundToInt32(bottom - Floor(Div(Mul(value - y.low, height), y.high - y.low)));
}

PlotFrame DrawPlotFrame(ISurface& g, bool printed, const std::string& title, const std::string& xTitle,
                        const std::string& yTitle, const GraphAxis& x, const GraphAxis& y, bool xLog, bool yLog) {
    // 1. Target
    if (printed) {
        g.SetLineWidth(5);
    } else {
        g.Clear();
        g.SetLineWidth(1);
    }

    // 2. Frame
    PlotFrame f;
    f.printed = printed;
    if (printed) {
        f.left0 = f.top0 = 1000;
        f.left = 2000, f.top = 1500, f.right = g.Width() - 1000.0, f.bottom = g.Height() - 1000.0;
    } else {
        f.left = 700, f.top = 400, f.right = g.Width() - 200.0, f.bottom = g.Height() - 400.0;
    }
    f.x = x;
    f.y = y;
    f.xLog = xLog;
    f.yLog = yLog;
    const std::int16_t xDiv = x.divisions, yDiv = y.divisions;
    const std::int32_t dx = RoundToInt32(Div(f.right - f.left, xDiv));
    const std::int32_t dy = RoundToInt32(Div(f.bottom - f.top, yDiv));
    g.SetForeColor(kGrey);
    g.Box(f.left, f.top, f.right, f.bottom, kGrey);

    // 3. Title and axis titles
    g.SetFontName(kGraphFont);
    g.SetCurrentPosition(f.left + 250, f.top0);
    g.PrintText(title);
    f.fontSize = RoundToInt16(g.FontSize());
    g.SetFontSize(8);
    g.SetCurrentPosition((f.left + f.right) / 2.0 + 100, f.bottom + 200);
    g.PrintText(xTitle);
    g.SetCurrentPosition(f.left0, f.top - 250);
    g.PrintText(yTitle);
    g.SetFontSize(f.fontSize);

    // 4. Y grid, with decade labels and minor lines on a logarithmic axis
    for (int k = 1; k <= yDiv; ++k) {
        const double yk = f.bottom - static_cast<double>(k - 1) * dy;
        g.Line(f.left, yk, f.right, yk, kGrey);
        if (yLog) {
            g.SetCurrentPosition(f.left0 + 200, yk - 100);
            g.PrintText(FormatAxisNumber(DecadeLabel(k, y.min)));
            for (int j = 1; j <= 10; ++j) {
                const double above = Log10(Mul(j, Pow(10.0, k - yDiv - 1))) + yDiv;
                const std::int32_t py = RoundToInt32(f.bottom - Floor(Mul(above, dy)));
                g.Line(f.left, py, f.right, py, kGrey);
            }
        }
    }

    // 5. Y end labels
    if (!yLog) {
        g.SetCurrentPosition(f.left0 + 200, f.bottom - 50);
        g.PrintText(EndLabel(y.low));
    }
    g.SetCurrentPosition(f.left0 + 200, f.top - 100);
    g.PrintText(yLog ? FormatAxisNumber(DecadeLabel(yDiv + 1, y.min)) : EndLabel(y.high));

    // 6. X grid
    for (int k = 1; k <= xDiv; ++k) {
        const double xk = f.left + static_cast<double>(k - 1) * dx;
        g.Line(xk, f.top, xk, f.bottom, kGrey);
        if (xLog) {
            g.SetCurrentPosition(xk - 120, f.bottom + 50);
            g.PrintText(FormatAxisNumber(DecadeLabel(k, x.min)));
            for (int j = 1; j <= 10; ++j) {
                const double across = Log10(Mul(j, Pow(10.0, k - xDiv - 1))) + xDiv;
                const std::int32_t px = RoundToInt32(Floor(Mul(across, dx)) + f.left);
                g.Line(px, f.top, px, f.bottom, kGrey);
            }
        }
    }

    // 7. X end labels
    if (!xLog) {
        g.SetCurrentPosition(f.left - 120, f.bottom + 50);
        g.PrintText(EndLabel(x.low));
    }
    g.SetCurrentPosition(f.right - 120, f.bottom + 50);
    g.PrintText(xLog ? FormatAxisNumber(Pow(10.0, x.high)) : EndLabel(x.high));
    return f;
}

void DrawMeasuredPoint(ISurface& g, std::int32_t px, std::int32_t py) {
    g.SetFillStyle(FillStyle::Solid);
    g.SetFillColor(kLightRed);
    g.Circle(px, py, kPointRadius);
}

void DrawLegendBox(ISurface& g, const PlotFrame& f, int entries) {
    g.SetFillStyle(FillStyle::Solid);
    g.SetFillColor(f.printed ? kWhite : kBlack);
    g.FilledBox(f.left + 40, f.top + 40, f.left + 1500, f.top + 80 + 200.0 * entries);
    g.SetFillStyle(FillStyle::Transparent);
}

void DrawLegendEntry(ISurface& g, const PlotFrame& f, double legendY, Rgb color, const std::string& name) {
    g.Line(f.left + 100, legendY + 90, f.left + 400, legendY + 90, color);
    g.SetLineStyle(LineStyle::Solid);
    g.SetFontSize(8);
    g.SetCurrentPosition(f.left + 450, legendY);
    g.PrintText(name);
    g.SetFontSize(f.fontSize);
}

void FinishPlot(ISurface& g, const PlotFrame& f, int outside) {
    g.EndClip();
    if (outside > 0) {
        g.SetFontSize(8);
        g.SetCurrentPosition(f.right - 1900, f.top - 250);
        g.PrintText("表示範囲外の測定点 " + std::to_string(outside) + " 個");
        g.SetFontSize(f.fontSize);
    }
    g.SetFillStyle(FillStyle::Transparent);
    if (f.printed) g.EndDocument();
}

}  // namespace kurvo
