#include "graph/draw_graph.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "state/numbers.h"

namespace kurvo {

namespace {

inline constexpr int kCurveSteps = 200;

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

// Whether a and b lie on opposite sides of 0.
bool Opposite(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

// One line of a band: its points in pixels, none where it has no value.
using BandLine = std::vector<std::optional<std::pair<std::int32_t, std::int32_t>>>;

void DrawBandLine(ISurface& g, const BandLine& line, Rgb color) {
    bool drawing = false;
    for (const auto& point : line) {
        if (!point) {
            drawing = false;
        } else if (!drawing) {
            g.SetCurrentPosition(point->first, point->second);
            drawing = true;
        } else {
            g.LineTo(point->first, point->second, color);
        }
    }
}

void DrawSteps(ISurface& g, bool printed, const GraphScene& scene) {
    const std::int16_t xLog = scene.flags.xLog, yLog = scene.flags.yLog;
    const PlotFrame f =
        DrawPlotFrame(g, printed, scene.title, scene.xTitle, scene.yTitle, scene.x, scene.y, xLog != 0, yLog != 0);
    const double xLow = scene.x.low, xHigh = scene.x.high;
    const double yLow = scene.y.low, yHigh = scene.y.high;

    // 8. Curve, 201 steps from the lower to the upper X limit; it and the
    // points show inside the frame only.  A step where the curve has no value
    // the axes can show (a pole, the logarithm of a value at or below 0, an
    // overflow) leaves a gap, and so does a reciprocal whose argument changes
    // sign between two steps: the curve runs off to one infinity there and
    // comes back from the other.
    g.SetClip(f.left, f.top, f.right, f.bottom);
    g.SetForeColor(kLightGreen);
    const Rgb curveColor = printed ? kLightRed : kLightGreen;
    if (printed) g.SetLineWidth(5);
    const int degree = static_cast<int>(scene.coefficients.size()) - 1;
    const auto coefficient = [&](int j) { return scene.coefficients[static_cast<std::size_t>(j)]; };
    const double step = (xHigh - xLow) / kCurveSteps;
    // x' at a step: on a logarithmic X axis the steps are decade exponents,
    // which divided by the decimal logarithm's factor are ln x, so only the
    // reciprocal is left of the X transform.
    const auto unreciprocalX = [&](double x) { return xLog == 1 ? Div(x, kLog10Factor) : x; };
    const auto fittedX = [&](double x) { return ForwardTransform(unreciprocalX(x), 0, scene.flags.xRecip); };
    std::optional<RuntimeError> unplaced;  // the first curve step or point the axes could not show
    bool curveDrawn = false, joined = false;
    double lastX = 0, lastFitted = 0;  // the previous step's arguments of the reciprocals
    double x = xLow;
    for (int i = 0; i <= kCurveSteps && x <= xHigh; ++i, x += step) {
        double argumentX = 0, fitted = 0;
        std::optional<std::pair<std::int32_t, std::int32_t>> at;
        try {
            argumentX = unreciprocalX(x);
            fitted = PolynomialValue(ForwardTransform(argumentX, 0, scene.flags.xRecip), degree, coefficient);
            at = std::pair(f.PixelX(x, x), f.PixelY(BackTransform(fitted, yLog, scene.flags.yRecip)));
        } catch (const RuntimeError& error) {
            if (!unplaced) unplaced = error;
        }
        if (!at) {
            joined = false;
            continue;
        }
        const bool pole = (scene.flags.xRecip == 1 && Opposite(lastX, argumentX)) ||
                          (scene.flags.yRecip == 1 && Opposite(lastFitted, fitted));
        if (joined && !pole) {
            g.LineTo(at->first, at->second, curveColor);
        } else {
            g.Point(at->first, at->second, curveColor);
        }
        joined = curveDrawn = true;
        lastX = argumentX;
        lastFitted = fitted;
    }

    // 9. The bands, sampled at the curve's steps, with their legend
    if (scene.bands && (scene.bands->confidence || scene.bands->prediction)) {
        const GraphScene::Bands& bands = *scene.bands;
        std::array<BandLine, 4> lines;  // confidence lower, upper, prediction lower, upper
        // A point the axes cannot show leaves a gap rather than stopping the drawing.
        const auto place = [&](double px, const std::optional<double>& y) -> std::optional<std::pair<std::int32_t, std::int32_t>> {
            if (!y || (yLog != 0 && *y <= 0)) return std::nullopt;
            try {
                return std::pair(RoundToInt32(px), f.PixelY(*y));
            } catch (const RuntimeError&) {
                return std::nullopt;
            }
        };
        double bx = xLow;
        for (int i = 0; i <= kCurveSteps && bx <= xHigh; ++i, bx += step) {
            std::optional<BandAt> at;
            try {
                at = bands.at(fittedX(bx));
            } catch (const RuntimeError&) {
            }
            const double px = f.PixelX(bx, bx);
            lines[0].push_back(at ? place(px, at->confidence.lower) : std::nullopt);
            lines[1].push_back(at ? place(px, at->confidence.upper) : std::nullopt);
            lines[2].push_back(at ? place(px, at->prediction.lower) : std::nullopt);
            lines[3].push_back(at ? place(px, at->prediction.upper) : std::nullopt);
        }
        struct Kind {
            bool shown;
            Rgb color;
            LineStyle style;
            const char* name;
            std::size_t first;
        };
        const Kind kinds[] = {
            {bands.confidence, printed ? kLightBlue : kLightCyan, LineStyle::Solid, "信頼帯", 0},
            {bands.prediction, printed ? kLightMagenta : kYellow, LineStyle::Dash, "予測帯", 2},
        };
        // The legend at the frame's top left, on the background's colour.
        const int shown = (bands.confidence ? 1 : 0) + (bands.prediction ? 1 : 0);
        DrawLegendBox(g, f, shown);
        double legendY = f.top + 60;
        for (const Kind& kind : kinds) {
            if (!kind.shown) continue;
            g.SetForeColor(kind.color);
            g.SetLineStyle(kind.style);
            DrawBandLine(g, lines[kind.first], kind.color);
            DrawBandLine(g, lines[kind.first + 1], kind.color);
            DrawLegendEntry(g, f, legendY, kind.color, std::string(kind.name) + " " + std::to_string(bands.levelPercent) + "%");
            legendY += 200;
        }
    }

    // 10. Measured points, each where the axes can show it; those beyond the
    // limits are counted.
    g.SetForeColor(kLightRed);
    int pointsDrawn = 0, outside = 0;
    for (const GraphScene::Point& point : scene.points) {
        try {
            const double X = BackTransform(point.x, scene.flags.xLog, scene.flags.xRecip);
            const double onX = xLog != 0 ? Log10(X) : X;
            const double onY = yLog != 0 ? Log10(point.measured) : point.measured;
            const std::int32_t px = f.PixelX(X, xLog != 0 ? onX : 0.0);
            const std::int32_t py = f.PixelY(point.measured);
            DrawMeasuredPoint(g, px, py);
            ++pointsDrawn;
            if (onX < xLow || onX > xHigh || onY < yLow || onY > yHigh) ++outside;
        } catch (const RuntimeError& error) {
            if (!unplaced) unplaced = error;
            ++outside;
        }
    }
    // Nothing of the graph itself could be shown: that is the drawing's failure.
    if (!curveDrawn && pointsDrawn == 0 && unplaced) throw *unplaced;

    // 11. Finish, telling of the points the range leaves out
    FinishPlot(g, f, outside);
}

}  // namespace

std::string EquationCaption(int number, const std::vector<double>& coefficients, const Transforms& flags) {
    std::string caption = YName(flags.yLog, flags.yRecip) + std::to_string(number) + "=";
    const std::string xName = XName(flags.xLog, flags.xRecip);
    for (std::size_t k = 0; k < coefficients.size(); ++k) {
        caption += FormatGeneral(coefficients[k]);
        if (k > 0) caption += "*" + xName + "^" + std::to_string(k);
        caption += "  ";
    }
    return caption;
}

RuntimeError DrawingFailure(const RuntimeError& error) {
    return RuntimeError(error.Number(),
                        "グラフを描けませんでした。（エラー番号 " + std::to_string(error.Code()) + "）\n" + error.Description());
}

std::optional<RuntimeError> DrawScene(ISurface& target, bool printed, const GraphScene& scene) {
    try {
        DrawSteps(target, printed, scene);
    } catch (const RuntimeError& error) {
        return DrawingFailure(error);
    }
    return std::nullopt;
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
