#include "graph/residual_graph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "graph/autoscale.h"
#include "graph/draw_graph.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

// The Y axis title: what was subtracted from what, the transform of Y named.
std::string ResidualTitle(const Transforms& t) {
    if (t.yLog != 1 && t.yRecip != 1) return "残差（y − ŷ）";
    const std::string transformed = t.yLog == 1 && t.yRecip == 1 ? "1/ln(Y)" : t.yLog == 1 ? "ln(Y)" : "1/Y";
    return "残差（変換後の値 y′ − ŷ′、y′ = " + transformed + "）";
}

// s = 0: none.
GraphAxis ResidualAxis(const std::vector<double>& residuals, double s) {
    double m = Mul(2.0, s);
    for (const double r : residuals) m = std::max(m, std::fabs(r));
    m = Mul(m, 1.125);  // an eighth more: no line and no point on the frame
    double limit = 1;
    if (m >= std::numeric_limits<double>::min()) {
        const LinearLimits limits = SpanLimits(-m, m);
        limit = std::max(-limits.low, limits.high);
    }
    return {-limit, limit, 4, 0};
}

void DrawResidualSteps(ISurface& g, bool printed, const ResidualScene& scene) {
    const Transforms& t = scene.flags;
    const int degree = static_cast<int>(scene.coefficients.size()) - 1;
    const auto coefficient = [&](int j) { return scene.coefficients[static_cast<std::size_t>(j)]; };
    std::optional<RuntimeError> unplaced;  // the first residual or point that could not be placed
    std::vector<std::optional<double>> residuals;
    std::vector<double> known;
    for (const ResidualScene::Sample& sample : scene.samples) {
        try {
            known.push_back(Sub(sample.y, PolynomialValue(sample.x, degree, coefficient)));
            residuals.push_back(known.back());
        } catch (const RuntimeError& error) {
            if (!unplaced) unplaced = error;
            residuals.push_back(std::nullopt);
        }
    }
    const double s = std::max(scene.s.value_or(0.0), 0.0);
    const PlotFrame f = DrawPlotFrame(g, printed, scene.title, scene.xTitle, ResidualTitle(t), scene.x,
                                      ResidualAxis(known, s), t.xLog != 0, false);
    const std::int32_t zero = f.PixelY(0);
    g.SetCurrentPosition(f.left0 + 200, zero - 100);
    g.PrintText("0");

    // The line at 0, then ±s and ±2s dashed with their legend, inside the frame.
    g.SetClip(f.left, f.top, f.right, f.bottom);
    const Rgb zeroColor = printed ? kLightRed : kLightGreen;
    g.SetForeColor(zeroColor);
    g.Line(f.left, zero, f.right, zero, zeroColor);
    if (s > 0) {
        struct Spread {
            double multiple;
            Rgb color;
            const char* name;
        };
        const Spread spreads[] = {{1, printed ? kLightBlue : kLightCyan, "±s"},
                                  {2, printed ? kLightMagenta : kYellow, "±2s"}};
        DrawLegendBox(g, f, 2);
        double legendY = f.top + 60;
        for (const Spread& spread : spreads) {
            g.SetForeColor(spread.color);
            g.SetLineStyle(LineStyle::Dash);
            for (const double sign : {1.0, -1.0}) {
                const std::int32_t py = f.PixelY(sign * spread.multiple * s);
                g.Line(f.left, py, f.right, py, spread.color);
            }
            DrawLegendEntry(g, f, legendY, spread.color, spread.name);
            legendY += 200;
        }
    }

    // The residuals, each where the X axis can show its sample.
    g.SetForeColor(kLightRed);
    int pointsDrawn = 0, outside = 0;
    for (std::size_t i = 0; i < scene.samples.size(); ++i) {
        try {
            if (!residuals[i]) {
                ++outside;
                continue;
            }
            const double X = BackTransform(scene.samples[i].x, t.xLog, t.xRecip);
            const double onX = t.xLog != 0 ? Log10(X) : X;
            DrawMeasuredPoint(g, f.PixelX(X, onX), f.PixelY(*residuals[i]));
            ++pointsDrawn;
            if (onX < f.x.low || onX > f.x.high) ++outside;
        } catch (const RuntimeError& error) {
            if (!unplaced) unplaced = error;
            ++outside;
        }
    }
    if (pointsDrawn == 0 && unplaced) throw *unplaced;
    FinishPlot(g, f, outside);
}

}  // namespace

std::optional<RuntimeError> DrawResidualScene(ISurface& target, bool printed, const ResidualScene& scene) {
    try {
        DrawResidualSteps(target, printed, scene);
    } catch (const RuntimeError& error) {
        return DrawingFailure(error);
    }
    return std::nullopt;
}

}  // namespace kurvo
