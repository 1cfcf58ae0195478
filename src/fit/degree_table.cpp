#include "fit/degree_table.h"

#include <boost/math/distributions/fisher_f.hpp>
#include <cmath>

#include "fit/fit_statistics.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

constexpr int kHighestDegree = 6;

// A figure whose computation leaves the double range or takes the logarithm
// of zero has no value.
template <typename Figure>
std::optional<double> Guarded(Figure&& figure) {
    try {
        return Finite(figure());
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// Σ (y' − ȳ')²: what a constant leaves unexplained.
double Spread(const FitSamples& samples) {
    double sum = 0.0;
    for (const double y : samples.y) sum = Add(sum, y);
    const double mean = Div(sum, samples.Count());
    double spread = 0.0;
    for (const double y : samples.y) spread = Add(spread, Mul(Sub(y, mean), Sub(y, mean)));
    return spread;
}

// The figures of one degree whose fit succeeded.
void Weigh(const FitSamples& samples, const FitReport& report, DegreeRow& row) {
    const FitFigures figures = ComputeFigures(samples, report);
    const double n = row.n;
    const int k = report.degree + 2;
    const double squares = Mul(Mul(figures.s, figures.s), row.degreesOfFreedom);
    row.squares = squares;
    row.s = figures.s;
    row.rSquared = figures.rSquared;
    row.adjustedRSquared = figures.adjustedRSquared;
    // AICc = n ln(SSR / n) + 2k + 2k(k + 1) / (n − k − 1), none when n − k − 1 ≤ 0
    if (n - k - 1 > 0)
        row.aicc = Guarded([&] { return Add(Mul(n, Ln(Div(squares, n))), 2.0 * k + 2.0 * k * (k + 1) / (n - k - 1)); });
    // BIC = n ln(SSR / n) + k ln n
    row.bic = Guarded([&] { return Add(Mul(n, Ln(Div(squares, n))), Mul(k, Ln(n))); });
    // PRESS = Σ (rᵢ / (1 − hᵢᵢ))², rᵢ the residual and hᵢᵢ the leverage of sample i
    row.press = Guarded([&] {
        double press = 0.0;
        for (int i = 0; i < row.n; ++i) {
            const std::size_t at = static_cast<std::size_t>(i);
            const std::optional<BandAt> band = BandAtX(report, figures, samples.x[at], samples.transforms);
            const double rest = 1.0 - band->leverage;
            // A sample that alone decides its own fitted value has no leave-one-out residual.
            if (rest <= 1E-12) Raise(ErrorNumber::DivisionByZero);
            const double deleted = Div(Sub(samples.y[at], band->fitted), rest);
            press = Add(press, Mul(deleted, deleted));
        }
        return press;
    });
}

// p of the F test of the highest term, given the sum of squares one degree lower.
std::optional<double> HighestTermP(double lower, const DegreeRow& row) {
    if (!row.squares || row.degreesOfFreedom < 1) return std::nullopt;
    const double squares = *row.squares;
    if (squares <= 0.0) return std::nullopt;  // an exact fit: no noise to weigh the term against
    const std::optional<double> f = Guarded([&] { return Div(Sub(lower, squares), Div(squares, row.degreesOfFreedom)); });
    if (!f) return std::nullopt;
    const boost::math::fisher_f_distribution<double> distribution(1.0, row.degreesOfFreedom);
    return boost::math::cdf(boost::math::complement(distribution, std::max(*f, 0.0)));
}

// Marks the row of the smallest value of one figure.
template <typename Figure, typename Mark>
void MarkSmallest(std::vector<DegreeRow>& rows, Figure figure, Mark mark) {
    DegreeRow* best = nullptr;
    for (DegreeRow& row : rows) {
        const std::optional<double>& value = row.*figure;
        if (value && (!best || *value < *(best->*figure))) best = &row;
    }
    if (best) best->*mark = true;
}

}  // namespace

std::vector<DegreeRow> CompareDegrees(const FitSamples& samples) {
    std::vector<DegreeRow> rows;
    const int n = samples.Count();
    if (n < 3) return rows;
    std::optional<double> lower = Guarded([&] { return Spread(samples); });  // SSR of the degree below
    for (int degree = 1; degree <= kHighestDegree && n >= degree + 2; ++degree) {
        DegreeRow row;
        row.degree = degree;
        row.n = n;
        row.degreesOfFreedom = n - degree - 1;
        try {
            const FitReport report = FitCombination(samples, degree);
            if (report.failure) {
                row.refusal = report.failure;
            } else {
                Weigh(samples, report, row);
            }
        } catch (const RuntimeError& error) {
            row.refusal = error;
        }
        if (lower) row.fTestP = HighestTermP(*lower, row);
        lower = row.squares;
        rows.push_back(std::move(row));
    }
    MarkSmallest(rows, &DegreeRow::aicc, &DegreeRow::bestAicc);
    MarkSmallest(rows, &DegreeRow::bic, &DegreeRow::bestBic);
    MarkSmallest(rows, &DegreeRow::press, &DegreeRow::bestPress);
    return rows;
}

}  // namespace kurvo
