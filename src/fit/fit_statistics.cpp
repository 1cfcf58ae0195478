#include "fit/fit_statistics.h"

#include <array>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>

#include "fit/solver.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

using Basis = std::array<double, PowerTable::kCols>;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// |w|² for Rᵀ w = v, with R the kept factor (n × n, row by row, nonzero
// diagonal), by forward substitution.  A value beyond the double range
// anywhere leaves the sum infinite or NaN, and raises Overflow.
double SquaredSolution(const std::vector<double>& r, int n, Basis w) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < i; ++k) w[At(i)] -= r[At(k * n + i)] * w[At(k)];
        w[At(i)] /= r[At(i * n + i)];
        sum += w[At(i)] * w[At(i)];
    }
    return Finite(sum);
}

// Row j of T: the raw coefficient c_j = Σ_k T(j, k) b_k of the coefficients b
// of t^k, t = (x' − centre) / halfWidth.  T(j, k) = C(k, j) (−centre)^(k − j) / halfWidth^k.
Basis RawPowerRow(const LeastSquaresFit& fit, int j, int n) {
    Basis row{};
    row[At(j)] = Div(1.0, Pow(fit.halfWidth, j));
    const double step = Div(-fit.centre, fit.halfWidth);
    for (int k = j + 1; k < n; ++k) row[At(k)] = Mul(Mul(row[At(k - 1)], step), Div(k, k - j));
    return row;
}

// The ends of [lower, upper] in y' transformed back with the Y flags.
BandEnds MeasuredEnds(double lower, double upper, const Transforms& t) {
    const bool reciprocal = t.yRecip == 1;
    if (reciprocal && lower <= 0.0 && upper >= 0.0) return {};
    const auto back = [&](double v) -> std::optional<double> {
        try {
            return BackTransform(v, t.yLog, t.yRecip);
        } catch (const RuntimeError&) {
            return std::nullopt;
        }
    };
    // The reciprocal is decreasing on either side of its pole, the exponential increasing.
    if (reciprocal) return {back(upper), back(lower)};
    return {back(lower), back(upper)};
}

// The coefficients and the factor of a fit by FitCombination.
bool HasFactor(const FitReport& report) {
    const int p = report.degree + 1;
    return p >= 1 && p <= PowerTable::kCols && report.coefficients.size() == At(p) && report.fit.r.size() == At(p * p);
}

}  // namespace

FitFigures ComputeFigures(const FitSamples& samples, const FitReport& report, ConfidenceLevel level) {
    const int n = samples.Count(), p = report.degree + 1;
    FitFigures figures;
    figures.n = n;
    figures.degreesOfFreedom = n - p;
    figures.level = level;
    if (n <= p) {
        // The coefficients alone: nothing is known of how sure they are.
        for (const double c : report.coefficients) figures.coefficients.push_back({c, 0, {}, {}, 0, 0});
        return figures;
    }
    if (samples.y.size() != At(n) || !HasFactor(report)) Raise(ErrorNumber::SubscriptOutOfRange);
    double alpha = 0;  // of each tail
    switch (level) {
        case ConfidenceLevel::Percent90: alpha = 0.05; break;
        case ConfidenceLevel::Percent95: alpha = 0.025; break;
        case ConfidenceLevel::Percent99: alpha = 0.005; break;
        default: Raise(ErrorNumber::SubscriptOutOfRange);
    }
    const boost::math::students_t student(figures.degreesOfFreedom);
    figures.quantile = boost::math::quantile(boost::math::complement(student, alpha));

    const auto coefficient = [&](int j) { return report.coefficients[At(j)]; };
    double squares = 0.0, sum = 0.0;  // Σ r², Σ y'
    double rounding = 0.0;            // Σ of the squared rounding of y' and of ŷ' in double
    for (int i = 0; i < n; ++i) {
        const double y = samples.y[At(i)], x = samples.x[At(i)];
        const double r = Sub(y, PolynomialValue(x, report.degree, coefficient));
        squares = Add(squares, Mul(r, r));
        sum = Add(sum, y);
        // ŷ' = Σ c_j x'^j rounds by up to (2 degree + 1) u Σ |c_j x'^j|, y' itself by u |y'|.
        double size = 0.0;
        for (int j = 0; j < p; ++j) size += std::fabs(coefficient(j) * std::pow(x, j));
        const double bound = (4 * p * size + std::fabs(y)) * 0x1p-53;
        rounding += bound * bound;
    }
    // A fit through the samples: what is left of the residuals is rounding,
    // and no t or p value can be told from it.
    const bool exact = !(squares > rounding);
    const double mean = Div(sum, n);
    double spread = 0.0;  // Σ (y' − ȳ')²
    for (const double y : samples.y) spread = Add(spread, Mul(Sub(y, mean), Sub(y, mean)));
    // s = √(Σ r² / (n − p))
    figures.s = Sqrt(Div(squares, figures.degreesOfFreedom));
    if (spread > 0.0) {
        // R² = 1 − Σ r² / Σ (y' − ȳ')²;  adjusted R² = 1 − (1 − R²)(n − 1) / (n − p)
        figures.rSquared = Sub(1.0, Div(squares, spread));
        figures.adjustedRSquared = Sub(1.0, Div(Mul(Sub(1.0, *figures.rSquared), n - 1), figures.degreesOfFreedom));
    }
    for (int j = 0; j < p; ++j) {
        CoefficientFigures c;
        c.value = coefficient(j);
        // SE_j = s |w|, Rᵀ w = (row j of T)ᵀ
        c.standardError = Mul(figures.s, Sqrt(SquaredSolution(report.fit.r, p, RawPowerRow(report.fit, j, p))));
        if (c.standardError > 0.0 && !exact) {
            c.t = Div(c.value, c.standardError);
            c.p = 2.0 * boost::math::cdf(boost::math::complement(student, std::fabs(*c.t)));
        }
        const double margin = Mul(figures.quantile, c.standardError);
        c.lower = Sub(c.value, margin);
        c.upper = Add(c.value, margin);
        figures.coefficients.push_back(c);
    }
    figures.available = true;
    return figures;
}

std::optional<BandAt> BandAtX(const FitReport& report, const FitFigures& figures, double xt,
                              const Transforms& transforms) {
    if (!figures.available) return std::nullopt;
    const int p = report.degree + 1;
    if (!HasFactor(report)) Raise(ErrorNumber::SubscriptOutOfRange);
    Basis v0{};
    const double t0 = Div(Sub(xt, report.fit.centre), report.fit.halfWidth);
    v0[0] = 1.0;
    for (int k = 1; k < p; ++k) v0[At(k)] = v0[At(k - 1)] * t0;  // checked with w
    BandAt band;
    band.fitted = PolynomialValue(xt, report.degree, [&](int j) { return report.coefficients[At(j)]; });
    band.leverage = SquaredSolution(report.fit.r, p, v0);
    const double scale = Mul(figures.quantile, figures.s);
    band.confidenceHalfWidth = Mul(scale, Sqrt(band.leverage));
    band.predictionHalfWidth = Mul(scale, Sqrt(Add(1.0, band.leverage)));
    const auto ends = [&](double half) {
        return MeasuredEnds(Sub(band.fitted, half), Add(band.fitted, half), transforms);
    };
    band.confidence = ends(band.confidenceHalfWidth);
    band.prediction = ends(band.predictionHalfWidth);
    return band;
}

}  // namespace kurvo
