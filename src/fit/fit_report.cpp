#include "fit/fit_report.h"

#include <algorithm>
#include <cmath>

#include "fit/least_squares.h"
#include "fit/solver.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

// Running sums over the samples, in sample order.
struct Sums {
    double squares = 0;   // Σ (ym − ŷ)²
    double relative = 0;  // Σ |(ym − ŷ) / ym|, or |ym − ŷ| where ym = 0
};

// r(ym, ŷ) = Σ (ym − ȳ)(ŷ − f̄) / √(Σ (ym − ȳ)² Σ (ŷ − f̄)²), from the sums of
// the deviations from the means: the sums of products of one pass lose every
// digit to cancellation where the values are large against their spread.  Each
// kind of value is first brought into [0.5, 1) by a power of two, so that no
// square leaves the double range.  None when either has no spread.
std::optional<double> Correlation(const std::vector<SampleEstimate>& estimates) {
    double largestY = 0, largestF = 0;
    for (const SampleEstimate& e : estimates) {
        largestY = std::max(largestY, std::fabs(e.measured));
        largestF = std::max(largestF, std::fabs(e.fitted));
    }
    int exponentY = 0, exponentF = 0;
    std::frexp(largestY, &exponentY);
    std::frexp(largestF, &exponentF);
    // Powers of two: the products are exact.
    const double scaleY = std::ldexp(1.0, -exponentY), scaleF = std::ldexp(1.0, -exponentF);
    const double n = static_cast<double>(estimates.size());
    double meanY = 0, meanF = 0;
    for (const SampleEstimate& e : estimates) {
        meanY += e.measured * scaleY;
        meanF += e.fitted * scaleF;
    }
    meanY /= n;
    meanF /= n;
    double yy = 0, ff = 0, yf = 0;
    for (const SampleEstimate& e : estimates) {
        const double dy = e.measured * scaleY - meanY, df = e.fitted * scaleF - meanF;
        yy += dy * dy;
        ff += df * df;
        yf += dy * df;
    }
    if (!(yy > 0.0 && ff > 0.0)) return std::nullopt;
    return std::clamp(yf / std::sqrt(yy) / std::sqrt(ff), -1.0, 1.0);
}

FitStatistics Statistics(const Sums& sums, const std::vector<SampleEstimate>& estimates, int degree) {
    const int count = static_cast<int>(estimates.size());
    const double n = count;
    const int parameters = degree + 1;
    FitStatistics statistics;
    // 残差平方和 = Σ r²
    statistics.squares = sums.squares;
    // 標準誤差 = √(Σ r² / (n − p)), none when n ≤ p
    if (n > parameters) statistics.standardError = Sqrt(Div(sums.squares, n - parameters));
    // 相対誤差 = Σ |r / ym| / n
    statistics.relativeError = Div(sums.relative, n);
    // 重相関係数 = r(ym, ŷ), none without spread
    statistics.correlation = Correlation(estimates);
    return statistics;
}

// Fills the estimates, extents and statistics of `report` from its
// coefficients, or from ŷ' at the samples where `fitted` gives them;
// `place` follows the sample being worked on.
void Evaluate(const FitSamples& samples, FitReport& report, FitReport::Place& place, const std::vector<double>* fitted) {
    const Transforms& t = samples.transforms;
    const int n = samples.Count();
    auto coefficient = [&](int j) { return report.coefficients[static_cast<std::size_t>(j)]; };

    // The extents first, over every sample: the x, the fitted and the measured y.
    Extents extents;
    report.estimates.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        place = {i, false};
        SampleEstimate& e = report.estimates[static_cast<std::size_t>(i)];
        const double xt = samples.x[static_cast<std::size_t>(i)];
        e.x = BackTransform(xt, t.xLog, t.xRecip);
        e.measured = samples.measured[static_cast<std::size_t>(i)];
        e.fitted = fitted ? BackTransform((*fitted)[static_cast<std::size_t>(i)], t.yLog, t.yRecip)
                          : FittedValue(xt, report.degree, coefficient, t);
        if (e.x < extents.xMin) extents.xMin = e.x;
        if (e.x > extents.xMax) extents.xMax = e.x;
        // Under ln Y the axis is logarithmic: a fitted value that underflowed
        // to 0 cannot be shown on it and is left out of the extents.
        if (t.yLog == 0 || e.fitted > 0) {
            if (e.fitted < extents.yMin) extents.yMin = e.fitted;
            if (e.fitted > extents.yMax) extents.yMax = e.fitted;
        }
        if (e.measured < extents.yMin) extents.yMin = e.measured;
        if (e.measured > extents.yMax) extents.yMax = e.measured;
    }

    Sums sums;
    for (int i = 0; i < n; ++i) {
        place = {i, true};
        SampleEstimate& e = report.estimates[static_cast<std::size_t>(i)];
        const double ym = e.measured, yHat = e.fitted;
        e.error = Sub(ym, yHat);
        const double relative = ym == 0.0 ? e.error : Div(e.error, ym);
        sums.squares = Add(sums.squares, Mul(e.error, e.error));
        sums.relative = Add(sums.relative, std::abs(relative));
        e.percent = Mul(relative, 100.0);
    }
    place = {};
    report.extents = extents;
    if (n > 0) report.statistics = Statistics(sums, report.estimates, report.degree);
}

}  // namespace

namespace {

FitReport EvaluateWith(const FitSamples& samples, int degree, const std::vector<double>& coefficients,
                       const std::vector<double>* fitted) {
    FitReport report;
    report.degree = degree;
    report.coefficients = coefficients;
    FitReport::Place place;
    try {
        // The power table has no room for other degrees.
        if (degree < 0 || degree >= PowerTable::kCols || static_cast<int>(coefficients.size()) != degree + 1)
            Raise(ErrorNumber::SubscriptOutOfRange);
        if (fitted && fitted->size() != samples.x.size()) Raise(ErrorNumber::SubscriptOutOfRange);
        Evaluate(samples, report, place, fitted);
    } catch (const RuntimeError& error) {
        report.estimates.clear();
        report.statistics.reset();
        report.failure = error;
        report.failedAt = place;
    }
    return report;
}

}  // namespace

FitReport EvaluateFit(const FitSamples& samples, int degree, const std::vector<double>& coefficients) {
    return EvaluateWith(samples, degree, coefficients, nullptr);
}

FitReport FitCombination(const FitSamples& samples, int degree) {
    FitReport report;
    report.degree = degree;
    try {
        report.fit = FitLeastSquares(samples.x, samples.y, degree);
    } catch (const RuntimeError& error) {
        report.failure = error;
        return report;
    }
    // The fit has evaluated ŷ' at the samples already, as the estimates do.
    FitReport evaluated = EvaluateWith(samples, degree, report.fit.coefficients, &report.fit.fitted);
    evaluated.fit = std::move(report.fit);
    return evaluated;
}

}  // namespace kurvo
