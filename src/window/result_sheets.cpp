// The result sheet of one combination: a line per valid sample in its
// estimate grid, its four statistics, its axis limits, and the working state
// (degree, coefficients, sample count, power table) that the graph and the
// calculated value use next.
#include "fit/solver.h"
#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

void App::ScanValidRows(int c, const std::function<void(int, double, double)>& take) const {
    const Session& s = session_;
    const IGrid& data = views_.spdData;
    // A variable that names no data column gives no sample.
    if (!IsVariable(s.int_XVar(c)) || !IsVariable(s.int_YVar(c))) return;
    for (int r = 1; r <= kMaxSamples; ++r) {
        const auto x = data.Number(s.int_XVar(c), r);
        const auto y = data.Number(s.int_YVar(c), r);
        if (x && y) take(r, *x, *y);
    }
}

FitSamples App::CurrentSamples(int c) const {
    const Session& s = session_;
    FitSamples samples;
    samples.transforms = TransformsOf(s, c);
    ScanValidRows(c, [&](int r, double x, double y) {
        double xt = 0;
        try {
            xt = ForwardTransform(x, s.int_XLog(c), s.int_XRecip(c));
        } catch (const RuntimeError&) {
            // An X edited after the run to a value the transform cannot take
            // makes a row that is not valid.
            return;
        }
        samples.rows.push_back(r);
        samples.x.push_back(xt);
        samples.measured.push_back(y);
    });
    return samples;
}

FitReport App::RefreshedFit(int k) const {
    FitSamples samples;
    return RefreshedFit(k, samples);
}

FitReport App::RefreshedFit(int k, FitSamples& samples) const {
    const int c = k + 1;
    try {
        if (k < 0 || k >= kMaxCombinations) Raise(ErrorNumber::SubscriptOutOfRange);
        const int degree = session_.int_Degree(c);
        std::vector<double> coefficients;
        for (int j = 0; j <= degree; ++j) coefficients.push_back(session_.dbl_Coeff(c, j));
        samples = CurrentSamples(c);
        return EvaluateFit(samples, degree, coefficients);
    } catch (const RuntimeError& error) {
        FitReport report;
        report.failure = error;
        return report;
    }
}

Failure App::FillResultSheets(int k) {
    FitSamples samples;
    const FitReport report = RefreshedFit(k, samples);
    if (report.failure) return report.failure;
    try {
        PresentReport(k, samples, report);
    } catch (const RuntimeError& error) {
        return error;
    }
    return std::nullopt;
}

void App::LoadWorkingState(int k, const FitSamples& samples) {
    Session& s = session_;
    const int c = k + 1;
    s.int_WorkDegree = s.int_Degree(c);
    const int degree = s.int_WorkDegree;
    for (int j = 0; j <= degree; ++j) s.dbl_WorkCoeff(j) = s.dbl_Coeff(c, j);
    s.int_DataCount = static_cast<std::int16_t>(samples.Count());
    for (int i = 0; i < samples.Count(); ++i) StorePowers(s.dbl_XPower, i + 1, samples.x[static_cast<std::size_t>(i)], degree);
}

void App::PresentReport(int k, const FitSamples& samples, const FitReport& report) {
    const int c = k + 1;
    IGrid& sheet = *views_.spdEstimate.at(static_cast<std::size_t>(k));

    LoadWorkingState(k, samples);
    for (int i = 0; i < samples.Count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        const SampleEstimate& e = report.estimates[at];
        const int r = samples.rows[at];
        sheet.SetNumber(1, r, e.x);
        sheet.SetNumber(2, r, e.measured);
        sheet.SetNumber(3, r, e.fitted);
        sheet.SetNumber(4, r, e.error);
        sheet.SetText(5, r, FormatPercent(e.percent));
    }

    ScaleAxesOf(c);

    if (!report.statistics) return;
    const FitStatistics& statistics = *report.statistics;
    IGrid& coeff = views_.spdCoeff;
    const auto put = [&](int row, const std::optional<double>& v) {
        if (v) {
            coeff.SetFigure(c, row, FormatCoefficient(*v), *v);
        } else {
            coeff.SetText(c, row, "");
        }
    };
    put(kRowSquares, statistics.squares);
    put(kRowStandardError, statistics.standardError);
    put(kRowRelativeError, statistics.relativeError);
    put(kRowCorrelation, statistics.correlation);
}

}  // namespace kurvo
