#include "graph/draw_graph.h"

#include <array>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

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

// The label of a linear axis end: the tick label's short form while it reads
// as the limit itself, else the limit in full (1.65, not 2; 1000300, not 1E+6).
std::string EndLabel(double limit) {
    std::string text = FormatAxisNumber(limit);
    const std::optional<double> shown = NumericValue(text);
    if (!shown || std::fabs(*shown - limit) > 1e-9 * std::fabs(limit)) text = FormatGeneral(limit);
    return text;
}

// Whether a and b lie on opposite sides of 0.
bool Opposite(double a, double b) { return (a < 0 && b > 0) || (a > 0 && b < 0); }

// The plot frame and the places of the labels around it, in the target's twips.
struct Frame {
    double left0, top0;  // the corner the title and the Y axis title start from
    double left, top, right, bottom;
};

Frame FrameOf(bool printed, int width, int height) {
    if (printed) return {1000, 1000, 2000, 1500, width - 1000.0, height - 1000.0};
    return {0, 0, 700, 400, width - 200.0, height - 400.0};
}

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

    // 1. Target
    if (printed) {
        g.SetLineWidth(5);
    } else {
        g.Clear();
        g.SetLineWidth(1);
    }

    // 2. Frame
    const Frame f = FrameOf(printed, g.Width(), g.Height());
    const double frameWidth = f.right - f.left;
    const double frameHeight = f.bottom - f.top;
    const std::int16_t xDiv = scene.x.divisions;
    const std::int16_t yDiv = scene.y.divisions;
    const std::int32_t dx = RoundToInt32(Div(frameWidth, xDiv));
    const std::int32_t dy = RoundToInt32(Div(frameHeight, yDiv));
    g.SetForeColor(kGrey);
    g.Box(f.left, f.top, f.right, f.bottom, kGrey);

    // 3. Title and axis titles
    g.SetFontName(kGraphFont);
    g.SetCurrentPosition(f.left + 250, f.top0);
    g.PrintText(scene.title);
    const std::int16_t fontSize = RoundToInt16(g.FontSize());
    g.SetFontSize(8);
    g.SetCurrentPosition((f.left + f.right) / 2.0 + 100, f.bottom + 200);
    g.PrintText(scene.xTitle);
    g.SetCurrentPosition(f.left0, f.top - 250);
    g.PrintText(scene.yTitle);
    g.SetFontSize(fontSize);

    // 4. Y grid, with decade labels and minor lines on a logarithmic axis
    for (int k = 1; k <= yDiv; ++k) {
        const double yk = f.bottom - static_cast<double>(k - 1) * dy;
        g.Line(f.left, yk, f.right, yk, kGrey);
        if (yLog != 0) {
            g.SetCurrentPosition(f.left0 + 200, yk - 100);
            g.PrintText(FormatAxisNumber(DecadeLabel(k, scene.y.min)));
            for (int j = 1; j <= 10; ++j) {
                const double above = Log10(Mul(j, Pow(10.0, k - yDiv - 1))) + yDiv;
                const std::int32_t py = RoundToInt32(f.bottom - Floor(Mul(above, dy)));
                g.Line(f.left, py, f.right, py, kGrey);
            }
        }
    }

    // 5. Y end labels
    if (yLog == 0) {
        g.SetCurrentPosition(f.left0 + 200, f.bottom - 50);
        g.PrintText(EndLabel(scene.y.low));
    }
    g.SetCurrentPosition(f.left0 + 200, f.top - 100);
    g.PrintText(yLog != 0 ? FormatAxisNumber(DecadeLabel(yDiv + 1, scene.y.min)) : EndLabel(scene.y.high));

    // 6. X grid
    for (int k = 1; k <= xDiv; ++k) {
        const double xk = f.left + static_cast<double>(k - 1) * dx;
        g.Line(xk, f.top, xk, f.bottom, kGrey);
        if (xLog != 0) {
            g.SetCurrentPosition(xk - 120, f.bottom + 50);
            g.PrintText(FormatAxisNumber(DecadeLabel(k, scene.x.min)));
            for (int j = 1; j <= 10; ++j) {
                const double across = Log10(Mul(j, Pow(10.0, k - xDiv - 1))) + xDiv;
                const std::int32_t px = RoundToInt32(Floor(Mul(across, dx)) + f.left);
                g.Line(px, f.top, px, f.bottom, kGrey);
            }
        }
    }

    // 7. X end labels
    if (xLog == 0) {
        g.SetCurrentPosition(f.left - 120, f.bottom + 50);
        g.PrintText(EndLabel(scene.x.low));
    }
    g.SetCurrentPosition(f.right - 120, f.bottom + 50);
    g.PrintText(xLog != 0 ? FormatAxisNumber(Pow(10.0, scene.x.high)) : EndLabel(scene.x.high));

    const double xLow = scene.x.low, xHigh = scene.x.high;
    const double yLow = scene.y.low, yHigh = scene.y.high;
    auto pixelX = [&](double x, double logX) {
        if (xLog != 0) return RoundToInt32(Mul(Div(frameWidth, xDiv), logX - xLow) + f.left);
        return RoundToInt32(Floor(Div(Mul(frameWidth, x - xLow), xHigh - xLow)) + f.left);
    };
    auto pixelY = [&](double y) {
        if (yLog != 0) return RoundToInt32(f.bottom - Mul(Log10(y) - yLow, Div(frameHeight, yDiv)));
        return RoundToInt32(f.bottom - Floor(Div(Mul(y - yLow, frameHeight), yHigh - yLow)));
    };

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
            at = std::pair(pixelX(x, x), pixelY(BackTransform(fitted, yLog, scene.flags.yRecip)));
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
                return std::pair(RoundToInt32(px), pixelY(*y));
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
            const double px = pixelX(bx, bx);
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
        g.SetFillStyle(FillStyle::Solid);
        g.SetFillColor(printed ? kWhite : kBlack);
        g.FilledBox(f.left + 40, f.top + 40, f.left + 1500, f.top + 80 + 200.0 * shown);
        g.SetFillStyle(FillStyle::Transparent);
        double legendY = f.top + 60;
        for (const Kind& kind : kinds) {
            if (!kind.shown) continue;
            g.SetForeColor(kind.color);
            g.SetLineStyle(kind.style);
            DrawBandLine(g, lines[kind.first], kind.color);
            DrawBandLine(g, lines[kind.first + 1], kind.color);
            g.Line(f.left + 100, legendY + 90, f.left + 400, legendY + 90, kind.color);
            g.SetLineStyle(LineStyle::Solid);
            g.SetFontSize(8);
            g.SetCurrentPosition(f.left + 450, legendY);
            g.PrintText(std::string(kind.name) + " " + std::to_string(bands.levelPercent) + "%");
            g.SetFontSize(fontSize);
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
            const std::int32_t px = pixelX(X, xLog != 0 ? onX : 0.0);
            const std::int32_t py = pixelY(point.measured);
            g.SetFillStyle(FillStyle::Solid);
            g.SetFillColor(kLightRed);
            g.Circle(px, py, kPointRadius);
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
    g.EndClip();
    if (outside > 0) {
        g.SetFontSize(8);
        g.SetCurrentPosition(f.right - 1900, f.top - 250);
        g.PrintText("表示範囲外の測定点 " + std::to_string(outside) + " 個");
        g.SetFontSize(fontSize);
    }
    g.SetFillStyle(FillStyle::Transparent);
    if (printed) g.EndDocument();
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
