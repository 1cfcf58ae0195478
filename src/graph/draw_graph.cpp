// The graph of one combination: equation label, frame and grid, tick labels,
// titles, the fitted curve and the measured points, on the screen or on paper.
#include <cmath>

#include "state/app.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

inline constexpr const char* kGraphFont = "ＭＳ ゴシック";
inline constexpr int kCurveSteps = 200;
inline constexpr double kPointRadius = 30;

std::string YName(std::int16_t log, std::int16_t recip) {
    if (log == 1 && recip == 1) return "1/LogY";
    if (log == 1) return "LogY";
    if (recip == 1) return "1/Y";
    return "Y";
}

std::string XName(std::int16_t log, std::int16_t recip) {
    if (log == 1 && recip == 1) return "(1/LogX)";
    if (log == 1) return "(LogX)";
    if (recip == 1) return "1/X";
    return "X";
}

// Value of the first labelled decade of a logarithmic axis, k − 1 decades up:
// 10^(k − 2) × 10^floor(log10 min + 1).
double DecadeLabel(int k, double min) { return Mul(Pow(10.0, k - 2), Pow(10.0, Floor(Log10(min) + 1.0))); }

// "Y1=3.5  2.25*X^1  -0.125*X^2  "
std::string EquationCaption(const Session& s, int c, std::int16_t xLog, std::int16_t yLog, std::int16_t xRecip,
                            std::int16_t yRecip) {
    std::string caption = YName(yLog, yRecip) + std::to_string(c) + "=";
    const std::string xName = XName(xLog, xRecip);
    for (int k = 1; k <= s.int_Degree(c) + 1; ++k) {
        caption += FormatGeneral(s.dbl_Coeff(c, k - 1));
        if (k > 1) caption += "*" + xName + "^" + std::to_string(k - 1);
        caption += "  ";
    }
    return caption;
}

}  // namespace

void App::DrawGraph(int index, bool toPrinter, std::int16_t xLog, std::int16_t yLog, std::int16_t xRecip,
                    std::int16_t yRecip) {
    ISurface* target = toPrinter ? views_.printer : &views_.picGraph;
    if (target == nullptr) {
        ReportError("プリンターが使えません。");
        return;
    }
    try {
        DrawGraphSteps(*target, toPrinter, index, xLog, yLog, xRecip, yRecip);
    } catch (const RuntimeError& error) {
        ReportError("グラフを描けませんでした。（エラー番号 " + std::to_string(error.Code()) + "）\n" +
                    error.Description());
    }
}

void App::DrawGraphSteps(ISurface& g, bool toPrinter, int index, std::int16_t xLog, std::int16_t yLog,
                         std::int16_t xRecip, std::int16_t yRecip) {
    Session& s = session;
    MainWindowState& w = window;
    const int c = index + 1;

    // 1. Target
    if (toPrinter) {
        g.SetLineWidth(5);
        views_.picGraph.Clear();
    } else {
        g.Clear();
        g.SetLineWidth(1);
    }

    // 2. Equation label
    if (index < 0 || index >= kMaxCombinations) Raise(ErrorNumber::SubscriptOutOfRange);
    s.int_WorkDegree = s.int_Degree(c);
    views_.lblEquation.SetEquation(index, EquationCaption(s, c, xLog, yLog, xRecip, yRecip));

    // 3. Frame
    const int W = g.Width();
    const int H = g.Height();
    if (toPrinter) {
        w.ix0 = 1000, w.iy0 = 1000, w.ix1 = 2000, w.iy1 = 1500, w.ix2 = W - 1000, w.iy2 = H - 1000;
    } else {
        w.ix0 = 0, w.iy0 = 0, w.ix1 = 700, w.iy1 = 400, w.ix2 = W - 200, w.iy2 = H - 400;
    }
    const double frameWidth = w.ix2 - w.ix1;
    const double frameHeight = w.iy2 - w.iy1;
    const std::int16_t xDiv = s.int_XDiv(c);
    const std::int16_t yDiv = s.int_YDiv(c);
    const std::int32_t dx = RoundToInt32(Div(frameWidth, xDiv));
    const std::int32_t dy = RoundToInt32(Div(frameHeight, yDiv));
    g.SetForeColor(kGrey);
    g.Box(w.ix1, w.iy1, w.ix2, w.iy2, kGrey);

    // 4. Title and axis titles
    g.SetFontName(kGraphFont);
    g.SetCurrentPosition(w.ix1 + 250, w.iy0);
    g.PrintText(s.str_Title);
    const std::int16_t fontSize = RoundToInt16(g.FontSize());
    g.SetFontSize(8);
    g.SetCurrentPosition((w.ix1 + w.ix2) / 2.0 + 100, w.iy2 + 200);
    g.PrintText(VariableTitle(s, s.int_XVar(c)));
    g.SetCurrentPosition(w.ix0, w.iy1 - 250);
    g.PrintText(VariableTitle(s, s.int_YVar(c)));
    g.SetFontSize(fontSize);

    // 5. Y grid, with decade labels and minor lines on a logarithmic axis
    for (int k = 1; k <= yDiv; ++k) {
        const double yk = w.iy2 - static_cast<double>(k - 1) * dy;
        g.Line(w.ix1, yk, w.ix2, yk, kGrey);
        if (yLog != 0) {
            g.SetCurrentPosition(w.ix0 + 200, yk - 100);
            g.PrintText(FormatAxisNumber(DecadeLabel(k, s.dbl_YMin(c))));
            for (int j = 1; j <= 10; ++j) {
                const double above = Log10(Mul(j, Pow(10.0, k - yDiv - 1))) + yDiv;
                const std::int32_t py = RoundToInt32(w.iy2 - Floor(Mul(above, dy)));
                g.Line(w.ix1, py, w.ix2, py, kGrey);
            }
        }
    }

    // 6. Y end labels
    if (yLog == 0) {
        g.SetCurrentPosition(w.ix0 + 200, w.iy2 - 50);
        g.PrintText(FormatAxisNumber(s.dbl_YLow(c)));
    }
    g.SetCurrentPosition(w.ix0 + 200, w.iy1 - 100);
    g.PrintText(FormatAxisNumber(yLog != 0 ? DecadeLabel(yDiv + 1, s.dbl_YMin(c)) : s.dbl_YHigh(c)));

    // 7. X grid
    for (int k = 1; k <= xDiv; ++k) {
        const double xk = w.ix1 + static_cast<double>(k - 1) * dx;
        g.Line(xk, w.iy1, xk, w.iy2, kGrey);
        if (xLog != 0) {
            g.SetCurrentPosition(xk - 120, w.iy2 + 50);
            g.PrintText(FormatAxisNumber(DecadeLabel(k, s.dbl_XMin(c))));
            for (int j = 1; j <= 10; ++j) {
                const double across = Log10(Mul(j, Pow(10.0, k - xDiv - 1))) + xDiv;
                const std::int32_t px = RoundToInt32(Floor(Mul(across, dx)) + w.ix1);
                g.Line(px, w.iy1, px, w.iy2, kGrey);
            }
        }
    }

    // 8. X end labels
    if (xLog == 0) {
        g.SetCurrentPosition(w.ix1 - 120, w.iy2 + 50);
        g.PrintText(FormatAxisNumber(s.dbl_XLow(c)));
    }
    g.SetCurrentPosition(w.ix2 - 120, w.iy2 + 50);
    g.PrintText(FormatAxisNumber(xLog != 0 ? Pow(10.0, s.dbl_XHigh(c)) : s.dbl_XHigh(c)));

    const double xLow = s.dbl_XLow(c), xHigh = s.dbl_XHigh(c);
    const double yLow = s.dbl_YLow(c), yHigh = s.dbl_YHigh(c);
    auto pixelX = [&](double x, double logX) {
        if (xLog != 0) return RoundToInt32(Mul(Div(frameWidth, xDiv), logX - xLow) + w.ix1);
        return RoundToInt32(Floor(Div(Mul(frameWidth, x - xLow), xHigh - xLow)) + w.ix1);
    };
    auto pixelY = [&](double y) {
        if (yLog != 0) return RoundToInt32(w.iy2 - Mul(Log10(y) - yLow, Div(frameHeight, yDiv)));
        return RoundToInt32(w.iy2 - Floor(Div(Mul(y - yLow, frameHeight), yHigh - yLow)));
    };

    // 9. Curve, 201 steps from the lower to the upper X limit, not clipped
    g.SetForeColor(kLightGreen);
    const Rgb curveColor = toPrinter ? kLightRed : kLightGreen;
    if (toPrinter) g.SetLineWidth(5);
    const double step = (xHigh - xLow) / kCurveSteps;
    double x = xLow;
    for (int i = 0; i <= kCurveSteps && x <= xHigh; ++i, x += step) {
        double t = x;
        if (xLog == 1) t = Div(x, kLog10Factor);  // decade exponent to natural logarithm
        if (xRecip == 1) t = Div(1.0, t);
        double y = 0.0;
        for (int k = 0; k <= s.int_WorkDegree; ++k) y = Add(y, Mul(Pow(t, k), s.dbl_WorkCoeff(k)));
        if (yRecip == 1) y = Div(1.0, y);
        const std::int32_t px = pixelX(x, x);
        if (yLog != 0) y = Exp(y);
        const std::int32_t py = pixelY(y);
        if (x == xLow) {
            g.Point(px, py, curveColor);
        } else {
            g.LineTo(px, py, curveColor);
        }
    }

    // 10. Measured points
    g.SetForeColor(kLightRed);
    for (int sample = 1; sample <= s.int_DataCount; ++sample) {
        double X = s.dbl_XPower(sample, 2);
        if (xRecip == 1) X = Div(1.0, X);
        if (xLog == 1) X = Exp(X);
        const double Y = s.dbl_YData(sample, c);
        const std::int32_t px = pixelX(X, xLog != 0 ? Log10(X) : 0.0);
        const std::int32_t py = pixelY(Y);
        g.SetFillStyle(FillStyle::Solid);
        g.SetFillColor(kLightRed);
        g.Circle(px, py, kPointRadius);
    }

    // 11. Finish
    g.SetFillStyle(FillStyle::Transparent);
    if (toPrinter) g.EndDocument();
}

void PaintWindowBackground(ISurface& window) {
    const int H = window.Height();
    const int W = window.Width();
    if (H <= 0) return;
    window.SetFillStyle(FillStyle::Solid);
    for (int i = 0; i <= H; ++i) {
        window.SetFillColor(MakeRgb(0, 0, 255 - (i * 255) / H));
        window.FilledBox(-1, i - 1, W, i + 1);
    }
}

}  // namespace kurvo
