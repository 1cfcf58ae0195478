// How sure the fits are: the figures of each combination's last fit, and the
// bands the graph draws round the curve.
#include "window/statistics.h"

#include "window/app.h"

namespace kurvo {

namespace {

std::string Percent(ConfidenceLevel level) { return std::to_string(static_cast<int>(level)) + "%"; }

}  // namespace

std::string FigureText(const std::optional<double>& value, NumberForm form) {
    return value ? form(*value) : std::string(kNoFigure);
}

std::vector<std::string> CoefficientColumns(ConfidenceLevel level) {
    return {"係数", "標準誤差", "t 値", "p 値", "下限 (" + Percent(level) + ")", "上限 (" + Percent(level) + ")"};
}

std::vector<std::string> CoefficientRow(const FitFigures& figures, std::size_t j, NumberForm form) {
    const CoefficientFigures& c = figures.coefficients.at(j);
    if (!figures.available) return {form(c.value), kNoFigure, kNoFigure, kNoFigure, kNoFigure, kNoFigure};
    return {form(c.value), form(c.standardError), FigureText(c.t, form), FigureText(c.p, form), form(c.lower),
            form(c.upper)};
}

std::string IntervalName(bool prediction, ConfidenceLevel level) {
    return std::string(prediction ? "予測区間" : "信頼区間") + " (" + Percent(level) + ")";
}

void App::SetLevel(ConfidenceLevel level) {
    level_ = level;
    if (session.int_Estimated && (confidenceBand_ || predictionBand_)) RedrawShownGraph();
}

void App::SetBands(bool confidence, bool prediction) {
    confidenceBand_ = confidence;
    predictionBand_ = prediction;
    if (session.int_Estimated) RedrawShownGraph();
}

std::optional<FitFigures> App::Figures(int c) const {
    if (c < 1 || c > kMaxCombinations) return std::nullopt;
    const std::optional<KeptFit>& kept = fits_[static_cast<std::size_t>(c - 1)];
    if (!kept) return std::nullopt;
    try {
        return ComputeFigures(kept->samples, kept->report, level_);
    } catch (const RuntimeError&) {
        return std::nullopt;  // beyond the double range: nothing to show
    }
}

std::optional<BandAt> App::BandsAt(int c, double x) const {
    const std::optional<FitFigures> figures = Figures(c);
    if (!figures || !figures->available) return std::nullopt;
    const KeptFit& kept = *fits_[static_cast<std::size_t>(c - 1)];
    try {
        const Transforms& t = kept.samples.transforms;
        return BandAtX(kept.report, *figures, ForwardTransform(x, t.xLog, t.xRecip), t);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace kurvo
