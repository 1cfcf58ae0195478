// The graph of the shown combination, on the screen or on the printer.
#include "graph/draw_graph.h"
#include "graph/residual_graph.h"
#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

namespace {

// What combination c's graph shows: its titles and axes, the curve of the
// working coefficients and the working samples.
GraphScene SceneOf(const Session& s, int c, const Transforms& flags) {
    GraphScene scene;
    scene.title = s.str_Title;
    scene.xTitle = VariableTitle(s, s.int_XVar(c));
    scene.yTitle = VariableTitle(s, s.int_YVar(c));
    scene.flags = flags;
    scene.x = {s.dbl_XLow(c), s.dbl_XHigh(c), s.int_XDiv(c), s.dbl_XMin(c)};
    scene.y = {s.dbl_YLow(c), s.dbl_YHigh(c), s.int_YDiv(c), s.dbl_YMin(c)};
    for (int k = 0; k <= s.int_WorkDegree; ++k) scene.coefficients.push_back(s.dbl_WorkCoeff(k));
    for (int sample = 1; sample <= s.int_DataCount; ++sample)
        scene.points.push_back({s.dbl_XPower(sample, 2), s.dbl_YData(sample, c)});
    return scene;
}

}  // namespace

Failure App::Draw(int index, bool toPrinter, std::int16_t xLog, std::int16_t yLog, std::int16_t xRecip,
                  std::int16_t yRecip) {
    ISurface* target = toPrinter ? views_.printer : &views_.picGraph;
    if (target == nullptr) return RuntimeError(ErrorNumber::NoPrinter);
    try {
        return DrawSteps(*target, toPrinter, index, {yLog, yRecip, xLog, xRecip});
    } catch (const RuntimeError& error) {
        return DrawingFailure(error);
    }
}

void App::SetResidualGraph(bool residuals) {
    residualGraph_ = residuals;
    if (session_.int_Estimated) RedrawShownGraph();
}

Failure App::DrawSteps(ISurface& target, bool toPrinter, int index, const Transforms& flags) {
    Session& s = session_;
    const int c = index + 1;
    // Printing leaves the screen graph blank.
    if (toPrinter) views_.picGraph.Clear();
    if (index < 0 || index >= kMaxCombinations) Raise(ErrorNumber::SubscriptOutOfRange);
    if (Refused(c)) return std::nullopt;  // no curve to draw
    s.int_WorkDegree = s.int_Degree(c);
    std::vector<double> coefficients;
    for (int k = 0; k <= s.int_Degree(c); ++k) coefficients.push_back(s.dbl_Coeff(c, k));
    views_.lblEquation.SetEquation(index, EquationCaption(c, coefficients, flags));
    GraphScene scene = SceneOf(s, c, flags);
    if (residualGraph_) {
        // The residuals of the last fit, on the samples it was made on, with its s.
        ResidualScene residuals{scene.title, scene.xTitle, flags, scene.x, {}, {}, std::nullopt};
        const std::optional<KeptFit>& kept = fits_[static_cast<std::size_t>(index)];
        if (kept && !kept->report.coefficients.empty()) {
            residuals.coefficients = kept->report.coefficients;
            for (std::size_t i = 0; i < kept->samples.x.size(); ++i)
                residuals.samples.push_back({kept->samples.x[i], kept->samples.y[i]});
            const std::optional<FitFigures> figures = Figures(c);
            if (figures && figures->available) residuals.s = figures->s;
        }
        return DrawResidualScene(target, toPrinter, residuals);
    }
    if (confidenceBand_ || predictionBand_) {
        const std::optional<FitFigures> figures = Figures(c);
        if (figures && figures->available) {
            const FitReport& report = fits_[static_cast<std::size_t>(index)]->report;
            scene.bands = GraphScene::Bands{
                [&report, figures, flags](double xt) { return BandAtX(report, *figures, xt, flags); },
                confidenceBand_, predictionBand_, static_cast<int>(level_)};
        }
    }
    return DrawScene(target, toPrinter, scene);
}

}  // namespace kurvo
