#include "fit/fit_report.h"

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
    double y = 0, yy = 0, f = 0, ff = 0, yf = 0;  // Σ ym, Σ ym², Σ ŷ, Σ ŷ², Σ ym·ŷ
};

FitStatistics Statistics(const Sums& sums, int count, int degree) {
    const double n = count;
    const int parameters = degree + 1;
    FitStatistics statistics;
    // 残差平方和 = Σ r²
    statistics.squares = sums.squares;
    // 標準誤差 = √(Σ r² / (n − p)), none when n ≤ p
    if (n > parameters) statistics.standardError = Sqrt(Div(sums.squares, n - parameters));
    // 相対誤差 = Σ |r / ym| / n
    statistics.relativeError = Div(sums.relative, n);
    // 重相関係数 = (nΣym·ŷ − Σym·Σŷ) / √((nΣym² − (Σym)²)(nΣŷ² − (Σŷ)²)), none without spread
    const double spreadY = Sub(Mul(n, sums.yy), Mul(sums.y, sums.y));
    const double spreadF = Sub(Mul(n, sums.ff), Mul(sums.f, sums.f));
    if (spreadY > 0.0 && spreadF > 0.0)
        statistics.correlation = Div(Sub(Mul(n, sums.yf), Mul(sums.y, sums.f)), Sqrt(Mul(spreadY, spreadF)));
    return statistics;
}

// Fills the estimates, extents and statistics of `report` from its
// coefficients; `place` follows the sample being worked on.
void Evaluate(const FitSamples& samples, FitReport& report, FitReport::Place& place) {
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
        e.fitted = FittedValue(xt, report.degree, coefficient, t);
        if (e.x < extents.xMin) extents.xMin = e.x;
        if (e.x > extents.xMax) extents.xMax = e.x;
        if (e.fitted < extents.yMin) extents.yMin = e.fitted;
        if (e.fitted > extents.yMax) extents.yMax = e.fitted;
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
        sums.y = Add(sums.y, ym);
        sums.yy = Add(sums.yy, Mul(ym, ym));
        sums.f = Add(sums.f, yHat);
        sums.ff = Add(sums.ff, Mul(yHat, yHat));
        sums.yf = Add(sums.yf, Mul(ym, yHat));
        e.percent = Mul(relative, 100.0);
    }
    place = {};
    report.extents = extents;
    if (n > 0) report.statistics = Statistics(sums, n, report.degree);
}

}  // namespace

FitReport EvaluateFit(const FitSamples& samples, int degree, const std::vector<double>& coefficients) {
    FitReport report;
    report.degree = degree;
    report.coefficients = coefficients;
    FitReport::Place place;
    try {
        // The power table has no room for other degrees.
        if (degree < 0 || degree >= PowerTable::kCols || static_cast<int>(coefficients.size()) != degree + 1)
            Raise(ErrorNumber::SubscriptOutOfRange);
        Evaluate(samples, report, place);
    } catch (const RuntimeError& error) {
        report.estimates.clear();
        report.statistics.reset();
        report.failure = error;
        report.failedAt = place;
    }
    return report;
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
    FitReport evaluated = EvaluateFit(samples, degree, report.fit.coefficients);
    evaluated.fit = std::move(report.fit);
    return evaluated;
}

}  // namespace kurvo
