// The fit of one combination as a value: its samples after the transforms go
// in; the coefficients, the estimates of every sample, the four statistics
// and the extents in measured units come out.  Nothing here knows of grids,
// pages or messages; the estimation run presents the report.
#pragma once

#include <optional>
#include <vector>

#include "fit/least_squares.h"
#include "fit/transforms.h"
#include "state/runtime_error.h"

namespace kurvo {

// The valid samples of a combination, in data-row order.
struct FitSamples {
    Transforms transforms;
    std::vector<int> rows;         // the data row each sample was read from
    std::vector<double> x;         // x', the transformed independent value
    std::vector<double> y;         // y', the transformed dependent value: what is fitted
    std::vector<double> measured;  // the dependent value as measured

    int Count() const { return static_cast<int>(x.size()); }
};

// One line of the estimate grid, in measured units.
struct SampleEstimate {
    double x = 0;         // x' transformed back
    double measured = 0;  // ym
    double fitted = 0;    // ŷ: the polynomial at x', transformed back
    double error = 0;     // ym − ŷ
    double percent = 0;   // (ym − ŷ) / ym × 100, or (ym − ŷ) × 100 where ym = 0
};

struct FitStatistics {
    double squares = 0;                   // Σ r², r = ym − ŷ
    std::optional<double> standardError;  // √(Σ r² / (n − p)), p = degree + 1; none when n ≤ p
    std::optional<double> correlation;    // r(ym, ŷ); none when either has no spread
    double relativeError = 0;             // Σ |r / ym| / n, |r| where ym = 0
};

// What the graph is to show: the samples' x and both the measured and the
// fitted y, in measured units.
struct Extents {
    double xMin = 9.999E+300, xMax = -9.999E+300, yMin = 9.999E+300, yMax = -9.999E+300;
};

struct FitReport {
    int degree = 0;
    std::vector<double> coefficients;  // c0 .. c(degree) of y' = Σ cj x'^j; empty when the fit failed
    LeastSquaresFit fit;               // how they were found, and the factor behind them (after FitCombination)
    std::vector<SampleEstimate> estimates;
    std::optional<FitStatistics> statistics;  // none without samples
    Extents extents;
    // What stopped the report.  Coefficients found before an error in the
    // estimates are kept; the estimates, statistics and extents are then not
    // to be shown.
    std::optional<RuntimeError> failure;
    // The sample whose value met the failure (index into the samples, -1
    // when no single one did), and whether it was its measured Y rather than
    // its X at which the curve was taken.
    struct Place {
        int sample = -1;
        bool measured = false;
    } failedAt;

    bool Complete() const { return !failure; }
};

// Fits y' = c0 + c1 x' + … + cd x'^d to the samples (1..100) by least squares
// (FitLeastSquares) and evaluates the result on them.
FitReport FitCombination(const FitSamples& samples, int degree);

// The estimates and statistics of known coefficients on the samples (which
// may have changed since the fit); the extents as well.
FitReport EvaluateFit(const FitSamples& samples, int degree, const std::vector<double>& coefficients);

}  // namespace kurvo
