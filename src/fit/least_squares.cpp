#include "fit/least_squares.h"

#include <Eigen/QR>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "fit/solver.h"
#include "fit/transforms.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

constexpr int kMaxSamples = PowerTable::kRows;
constexpr int kMaxCoefficients = PowerTable::kCols;
using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::ColMajor, kMaxSamples, kMaxCoefficients + 1>;
using Vector = Eigen::Matrix<double, Eigen::Dynamic, 1, Eigen::ColMajor, kMaxSamples, 1>;
using Coefficients = std::array<double, kMaxCoefficients>;

// How close a candidate's fitted values must come to the reference's.  The
// deviation D = sum over the samples of (candidate - reference)² equals, to
// first order, the candidate's excess of the residual sum of squares over the
// least-squares minimum (the least-squares residual is orthogonal to every
// polynomial of the degree), and is measured without the cancellation of
// subtracting two sums of squares.  Values are in the units of y' divided by
// 2^e, the power of two that brings the largest |y'| into [0.5, 1).
//
// Carried: the coefficients stand for the fit when
//   D <= kStatisticalExcess * RSS + samples * (kDataFloor * max |y'|)².
// 1E-7 of the RSS is a tenth of a unit in the last of the six digits the RSS
// is shown with, half that for the standard error, and keeps the fitted values
// within 1/3000 of the residuals in the root-mean-square sense, far inside the
// fit's own standard error.  For a fit through the samples (RSS near 0) the
// floor asks for the fitted values to 1E-10 of the largest |y'|: two digits
// beyond data measured to eight; the raw powers may lose 20 of the 53 bits of
// a double to cancellation, not more.
//
// Normal equations: besides being carried, their fitted values must reach the
// least-squares fit as closely as raw powers in double can:
//   D <= kRoundingExcess * RSS + sum over s of (4 (degree + 1) u S_s)²,
// S_s = sum over j of |c_j x'_s^j| for the reference's raw coefficients c and
// u = 2^-53.  Evaluating a raw-power polynomial through the power table
// rounds by up to (2 degree + 1) u S_s; the two compared polynomials each do,
// and 4 (degree + 1) covers both.  So a fit through the samples stays with the
// normal equations wherever they are exact to the rounding of their own
// polynomial.  1E-14 of the RSS is what rounding a sum of 100 squares already
// blurs (100 u).  On the examples, the tests' fits and the NIST reference
// sets with noise the normal equations fall short of the minimum by about
// 1E-21 of the RSS or less; on calendar years by 1E-11 at degree 2 and 6E-4
// at degree 3.
constexpr double kStatisticalExcess = 1E-7;
constexpr double kDataFloor = 1E-10;
constexpr double kRoundingExcess = 1E-14;
constexpr double kUnitRoundoff = 0x1p-53;
// Scaled X values closer than this (about 1/2000 of their span of 2) are nearly
// equal: a polynomial through both swings widely between them.
constexpr double kNearlyEqualGap = 0x1p-10;

// The fit's raw-power value at sample s (1-based), ascending from 0 through
// the power table as the fitted values are computed; `size` adds up the
// magnitudes of the terms.
double RawValue(const Coefficients& c, int n, const PowerTable& powers, int s, double* size = nullptr) {
    const double* row = powers.Raw() + static_cast<std::size_t>(s - 1) * PowerTable::kCols;
    double value = 0.0;
    for (int j = 0; j < n; ++j) {
        const double term = c[static_cast<std::size_t>(j)] * row[j];
        value += term;
        if (size) *size += std::fabs(term);
    }
    return value;
}

// D for raw coefficients c against the reference's fitted values, brought to
// their units by the power of two `down`.  Not finite when the values leave
// the double range: then no comparison passes.
double Deviation(const Coefficients& c, int n, int m, const PowerTable& powers, double down, const Vector& fitted) {
    double sum = 0.0;
    for (int s = 1; s <= m; ++s) {
        const double d = RawValue(c, n, powers, s) * down - fitted(s - 1);
        sum += d * d;
    }
    return sum;
}

[[noreturn]] void RaiseSingular(int degree, int distinct) {
    throw RuntimeError(ErrorNumber::PivotTooSmall, RuntimeError::StandardDescription(ErrorNumber::PivotTooSmall) +
                                                       "\n次数 " + std::to_string(degree) + " の式には異なるXの値が " +
                                                       std::to_string(degree + 1) + " 個以上必要ですが、データには " +
                                                       std::to_string(distinct) + " 個しかありません。");
}

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// What the refusal of a fit beyond double precision advises, by its cause.
constexpr const char* kOffsetAdvice = "Xから一定の値を引く（西暦なら1990年からの年数にするなど）か、次数を下げてください。";
constexpr const char* kNearlyEqualAdvice =
    "Xにほとんど等しい値があり、その間で式が大きく振れるので、一定の値を引いても変わりません。"
    "ほとんど等しいXの値を一つにまとめるか、次数を下げてください。";
constexpr const char* kScaleAdvice = "Xの値が小さすぎるか大きすぎます。Xの単位を変えるか、次数を下げてください。";

[[noreturn]] void RaiseBeyondPrecision(const char* advice) {
    const std::string standard = RuntimeError::StandardDescription(ErrorNumber::CoefficientsBeyondPrecision);
    throw RuntimeError(ErrorNumber::CoefficientsBeyondPrecision, standard.substr(0, standard.find('\n') + 1) + advice);
}

// Two of the scaled values t in [-1, 1] nearly equal: where the raw powers
// fail on them, moving X's origin does not help.
bool NearlyEqual(const std::array<double, kMaxSamples>& t, int m) {
    std::array<double, kMaxSamples> sorted = t;
    std::sort(sorted.begin(), sorted.begin() + m);
    for (int s = 1; s < m; ++s) {
        const double gap = sorted[At(s)] - sorted[At(s - 1)];
        if (gap > 0.0 && gap < kNearlyEqualGap) return true;
    }
    return false;
}

// The sum of the squared residuals y' − ŷ' in the units of y' / 2^e, with ŷ'
// evaluated as the estimates and the figures evaluate it (PolynomialValue),
// into `fitted`.  Infinite when a value leaves the double range.
double EvaluatedSquares(const Coefficients& c, int degree, std::span<const double> x, std::span<const double> y,
                        double down, std::vector<double>& fitted) {
    fitted.resize(x.size());
    double sum = 0.0;
    try {
        for (std::size_t s = 0; s < x.size(); ++s) {
            fitted[s] = PolynomialValue(x[s], degree, [&](int j) { return c[At(j)]; });
            const double r = (y[s] - fitted[s]) * down;
            sum += r * r;
        }
    } catch (const RuntimeError&) {
        return std::numeric_limits<double>::infinity();
    }
    return std::isfinite(sum) ? sum : std::numeric_limits<double>::infinity();
}

// The least-squares fit in t, by Householder QR of V(s, k) = t_s^k with
// y' / 2^exponent as a last column: the factor's last column holds Q'y, its
// entry in row n plus or minus the root of the RSS.  V = QR with R stored
// into `r` row by row.
struct Reference {
    Coefficients b{};  // of t^k
    Vector fitted;     // at the samples
    double rss = 0.0;
};

Reference SolveReference(const std::array<double, kMaxSamples>& t, std::span<const double> y, int exponent, int n,
                         std::vector<double>& r) {
    const int m = static_cast<int>(y.size());
    Matrix v(m, n + 1);
    for (int s = 0; s < m; ++s) {
        double power = 1.0;
        for (int k = 0; k < n; ++k, power *= t[At(s)]) v(s, k) = power;
        v(s, n) = std::ldexp(y[At(s)], -exponent);
    }
    const Eigen::HouseholderQR<Matrix> qr(v);
    const auto& packed = qr.matrixQR();
    Reference reference;
    for (int k = n - 1; k >= 0; --k) {
        double sum = packed(k, n);
        for (int j = k + 1; j < n; ++j) sum = Sub(sum, Mul(packed(k, j), reference.b[At(j)]));
        reference.b[At(k)] = Div(sum, packed(k, k));
    }
    reference.fitted.resize(m);
    for (int s = 0; s < m; ++s) {
        double value = 0.0;
        for (int k = n - 1; k >= 0; --k) value = value * t[At(s)] + reference.b[At(k)];
        reference.fitted(s) = value;
    }
    if (m > n) reference.rss = packed(n, n) * packed(n, n);
    r.assign(At(n * n), 0.0);
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j) r[At(i * n + j)] = packed(i, j);
    return reference;
}

// The coefficients of x'^j of sum over k of b_k ((x' - centre) / halfWidth)^k
// times 2^exponent: b_k / halfWidth^k are those of (x' - centre)^k, and
// Horner's scheme multiplies out the powers of (x' - centre).
Coefficients RawPowers(const Coefficients& b, int degree, double centre, double halfWidth, int exponent) {
    Coefficients shifted{};
    double scale = 1.0;
    for (int k = 0; k <= degree; ++k) {
        if (k > 0) scale = Mul(scale, halfWidth);
        shifted[At(k)] = Div(b[At(k)], scale);
    }
    Coefficients c{};
    for (int k = degree; k >= 0; --k) {
        for (int j = degree; j >= 1; --j) c[At(j)] = Sub(c[At(j - 1)], Mul(centre, c[At(j)]));
        c[0] = Sub(shifted[At(k)], Mul(centre, c[0]));
    }
    for (int j = 0; j <= degree; ++j) c[At(j)] = Finite(std::ldexp(c[At(j)], exponent));
    return c;
}

}  // namespace

LeastSquaresFit FitLeastSquares(std::span<const double> x, std::span<const double> y, int degree) {
    const int m = static_cast<int>(x.size());
    if (y.size() != x.size() || m < 1 || m > kMaxSamples || degree < 0 || degree >= kMaxCoefficients)
        Raise(ErrorNumber::SubscriptOutOfRange);
    const int n = degree + 1;

    // The scaled variable t = (x' - centre) / halfWidth in [-1, 1].  The fit
    // is singular exactly when fewer than n of the t differ.
    LeastSquaresFit fit;
    const auto [low, high] = std::minmax_element(x.begin(), x.end());
    fit.centre = Add(*low / 2, *high / 2);
    fit.halfWidth = Sub(*high / 2, *low / 2);
    if (fit.halfWidth == 0.0) fit.halfWidth = 1.0;
    std::array<double, kMaxSamples> t;
    // About [-1, 1]: neither step can leave the double range.
    for (int s = 0; s < m; ++s) t[At(s)] = (x[At(s)] - fit.centre) / fit.halfWidth;
    Coefficients seen{};  // the first n distinct t
    int distinct = 0;
    for (int s = 0; s < m && distinct < n; ++s)
        if (std::find(seen.begin(), seen.begin() + distinct, t[At(s)]) == seen.begin() + distinct) seen[At(distinct++)] = t[At(s)];
    if (distinct < n) RaiseSingular(degree, distinct);

    // The normal equations on the power table as the estimation run stores it.
    PowerTable powers;
    ValueList values;
    const int stored = std::max(n, 2);
    double* row = powers.Raw();
    for (int s = 0; s < m; ++s, row += PowerTable::kCols) {
        row[0] = 1.0;
        for (int p = 1; p < stored; ++p) row[p] = row[p - 1] * x[At(s)];
        Finite(row[stored - 1]);  // the power of largest magnitude, beyond the range if any is
        values(s + 1) = y[At(s)];
    }
    CoefficientList normal;
    bool solved = true;
    try {
        FitPolynomial(n, m, powers, values, normal);
    } catch (const RuntimeError& error) {
        // A singular system, or sums of powers beyond the double range: the
        // scaled reference may still fit the samples.
        if (error.Number() != ErrorNumber::PivotTooSmall && error.Number() != ErrorNumber::Overflow) throw;
        solved = false;
    }

    double largest = 0.0;
    for (const double v : y) largest = std::max(largest, std::fabs(v));
    int exponent = 0;  // 2^-exponent brings the largest |y'| into [0.5, 1), or up to 2^1021 when tinier
    if (largest > 0.0) std::frexp(largest, &exponent);
    exponent = std::max(exponent, -1021);
    const double down = std::ldexp(1.0, -exponent);
    Reference reference;
    Coefficients converted{};
    try {
        reference = SolveReference(t, y, exponent, n, fit.r);
        converted = RawPowers(reference.b, degree, fit.centre, fit.halfWidth, exponent);
    } catch (const RuntimeError&) {
        // The powers of the scale leave the double range (x' of a tiny or
        // huge span): no raw-power coefficients in double carry the fit.
        RaiseBeyondPrecision(kScaleAdvice);
    }

    const double floor = kDataFloor * largest * down;
    const double carried = kStatisticalExcess * reference.rss + m * floor * floor;
    // The sum of squares the estimates and the figures will show, against the minimum.
    const auto sumsHold = [&](const Coefficients& c) {
        const double squares = EvaluatedSquares(c, degree, x, y, down, fit.fitted);
        return std::fabs(squares - reference.rss) <= carried;
    };
    if (solved) {
        double rounding = 0.0;
        for (int s = 1; s <= m; ++s) {
            double size = 0.0;
            RawValue(converted, n, powers, s, &size);
            const double bound = 4 * n * kUnitRoundoff * size * down;
            rounding += bound * bound;
        }
        Coefficients c{};
        for (int j = 0; j < n; ++j) c[At(j)] = normal(j + 1);
        const double deviation = Deviation(c, n, m, powers, down, reference.fitted);
        if (deviation <= std::min(carried, kRoundingExcess * reference.rss + rounding) && sumsHold(c)) {
            fit.coefficients.assign(c.begin(), c.begin() + n);
            fit.normalEquations = true;
            return fit;
        }
    }
    const double deviation = Deviation(converted, n, m, powers, down, reference.fitted);
    if (!std::isfinite(deviation)) Raise(ErrorNumber::Overflow);
    if (!(deviation <= carried) || !sumsHold(converted))
        RaiseBeyondPrecision(NearlyEqual(t, m) ? kNearlyEqualAdvice : kOffsetAdvice);
    fit.coefficients.assign(converted.begin(), converted.begin() + n);
    return fit;
}

}  // namespace kurvo
