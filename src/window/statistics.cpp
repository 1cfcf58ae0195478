// How sure the fits are: the figures of each combination's last fit, and the
// bands the graph draws round the curve.
#include "window/statistics.h"

#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

namespace {

std::string Percent(ConfidenceLevel level) { return std::to_string(static_cast<int>(level)) + "%"; }

}  // namespace

std::string FigureText(const std::optional<double>& value, NumberForm form) {
    return value ? form(*value) : std::string(kNoFigure);
}

std::vector<std::string> CoefficientColumns(ConfidenceLevel level) {
    return {"係数", "係数の標準誤差", "t 値", "p 値", "下限 (" + Percent(level) + ")", "上限 (" + Percent(level) + ")"};
}

std::vector<std::string> CoefficientRow(const FitFigures& figures, std::size_t j, NumberForm form) {
    const CoefficientFigures& c = figures.coefficients.at(j);
    if (!figures.available) return {form(c.value), kNoFigure, kNoFigure, kNoFigure, kNoFigure, kNoFigure};
    return {form(c.value), form(c.standardError), FigureText(c.t, form), FigureText(c.p, form), form(c.lower),
            form(c.upper)};
}

std::vector<std::optional<double>> CoefficientValues(const FitFigures& figures, std::size_t j) {
    const CoefficientFigures& c = figures.coefficients.at(j);
    if (!figures.available) return {c.value, {}, {}, {}, {}, {}};
    return {c.value, c.standardError, c.t, c.p, c.lower, c.upper};
}

namespace {

// A variable's name: its title, or its column's letter.
std::string NameOf(const Session& s, int v) {
    const std::string title = VariableTitle(s, v);
    return title.empty() && IsVariable(v) ? std::string(1, static_cast<char>('A' + v - 1)) : title;
}

// The transformed variable: "T", "ln(T)", "1/T", "1/ln(T)"; a name that
// holds a sign or a blank in parentheses where it stands in a term or under
// a reciprocal: "(X-1)", "1/(X-1)".
std::string Transformed(const std::string& name, std::int16_t log, std::int16_t recip, bool term) {
    const bool bare = name.find_first_of(" -+*/^()") == std::string::npos || !(term || recip == 1);
    const std::string logged = log == 1 ? "ln(" + name + ")" : bare ? name : "(" + name + ")";
    return recip == 1 ? "1/" + logged : logged;
}

}  // namespace

std::string App::FittedForm(int c) const {
    const Session& s = session_;
    static const char* const kPowers[] = {"", "", "²", "³", "⁴", "⁵", "⁶"};
    std::string x = Transformed(NameOf(s, s.int_XVar(c)), s.int_XLog(c), s.int_XRecip(c), true);
    if (s.int_XRecip(c) == 1) x = "(" + x + ")";
    std::string form = Transformed(NameOf(s, s.int_YVar(c)), s.int_YLog(c), s.int_YRecip(c), false) + " = C0";
    for (int j = 1; j <= s.int_Degree(c) && j <= 6; ++j) form += " + C" + std::to_string(j) + "·" + x + kPowers[j];
    return form;
}

std::string App::FigureMeaning(int c) const {
    const Session& s = session_;
    const std::string y = NameOf(s, s.int_YVar(c));
    const std::string fitted = Transformed(y, s.int_YLog(c), s.int_YRecip(c), false);
    std::string text = "s、R²、調整済み R² は " + fitted + " についての値です。";
    if (s.int_YRecip(c) == 1) {
        text += "信頼区間と信頼帯は " + fitted + " の平均の区間の逆数です。";
    } else if (s.int_YLog(c) == 1) {
        text += "信頼区間と信頼帯は " + y + " の平均ではなく中央値 (" + fitted + " の平均の e 乗) の区間です。";
    }
    return text;
}

std::string IntervalName(bool prediction, ConfidenceLevel level) {
    return std::string(prediction ? "予測区間" : "信頼区間") + " (" + Percent(level) + ")";
}

std::string FigureSummary(const FitFigures& f, NumberForm form, NumberForm rSquaredForm) {
    const auto known = [&](const std::optional<double>& v, NumberForm in) {
        return f.available ? FigureText(v, in) : kNoFigure;
    };
    return "n = " + std::to_string(f.n) + "　自由度 = " + std::to_string(f.degreesOfFreedom) + "　s = " +
           known(f.s, form) + "　R² = " + known(f.rSquared, rSquaredForm) +
           "　調整済み R² = " + known(f.adjustedRSquared, rSquaredForm);
}

std::string IntervalText(const std::optional<BandAt>& band, bool prediction, const Transforms& transforms,
                         NumberForm form) {
    if (!band) return kNoFigure;
    const BandEnds& ends = prediction ? band->prediction : band->confidence;
    if (ends.lower && ends.upper) return form(*ends.lower) + " ～ " + form(*ends.upper);
    const double half = prediction ? band->predictionHalfWidth : band->confidenceHalfWidth;
    if (transforms.yRecip == 1 && band->fitted - half <= 0 && 0 <= band->fitted + half)
        return "逆数変換の極 (0) をまたぐので示せません";
    return kNoFigure;
}

void App::SetLevel(ConfidenceLevel level) {
    level_ = level;
    if (session_.int_Estimated && (confidenceBand_ || predictionBand_)) RedrawShownGraph();
}

void App::SetBands(bool confidence, bool prediction) {
    confidenceBand_ = confidence;
    predictionBand_ = prediction;
    if (session_.int_Estimated) RedrawShownGraph();
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

std::optional<BandAt> App::BandsAt(int c, const FitFigures& figures, double x) const {
    if (!figures.available || c < 1 || c > kMaxCombinations || !fits_[static_cast<std::size_t>(c - 1)]) return std::nullopt;
    const KeptFit& kept = *fits_[static_cast<std::size_t>(c - 1)];
    try {
        const Transforms& t = kept.samples.transforms;
        return BandAtX(kept.report, figures, ForwardTransform(x, t.xLog, t.xRecip), t);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::string App::CalculateXLabel() const {
    return VariableTitle(session_, session_.int_XVar(session_.int_Comb + 1)) + " = ";
}

std::string App::CalculateYLabel() const {
    return VariableTitle(session_, session_.int_YVar(session_.int_Comb + 1)) + " = ";
}

CalculatedValue App::CalculateShownValue(std::string_view xText) const {
    return CalculateValueOf(session_.int_Comb + 1, session_.int_WorkDegree, xText);
}

CalculatedValue App::CalculateValueOf(int c, std::string_view xText) const {
    return CalculateValueOf(c, session_.int_Degree(c), xText);
}

CalculatedValue App::CalculateValueOf(int c, int degree, std::string_view xText) const {
    std::array<double, kMaxDegree + 1> coefficients{};
    for (int j = 0; j <= kMaxDegree; ++j) coefficients[static_cast<std::size_t>(j)] = session_.dbl_Coeff(c, j);
    return CalculateValue(coefficients, TransformsOf(session_, c), degree, xText);
}

std::array<std::string, 2> App::IntervalTextsAt(double x, bool everyDigit) const {
    const int c = session_.int_Comb + 1;
    const std::optional<FitFigures> figures = Figures(c);
    const std::optional<BandAt> band = figures ? BandsAt(c, *figures, x) : std::nullopt;
    const Transforms t = TransformsOf(session_, c);
    const NumberForm form = everyDigit ? NumberForm([](double v) { return FormatShortest(v); })
                                       : NumberForm([](double v) { return FormatGeneral(v); });
    return {IntervalName(false, level_) + ": " + IntervalText(band, false, t, form),
            IntervalName(true, level_) + ": " + IntervalText(band, true, t, form)};
}

}  // namespace kurvo
