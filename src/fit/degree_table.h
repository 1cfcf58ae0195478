// Which degree?  The same samples fitted at every degree from 1 to 6 that
// they allow, with the figures that weigh the fit against the number of
// coefficients it spends.
//
// Everything is of the fitted (transformed) values x' and y'.  n is the number
// of samples, p = degree + 1 the coefficients and k = p + 1 the parameters of
// the model with its variance.  A figure that has no value (a logarithm of a
// zero sum of squares, too few samples for AICc, a sample that alone decides
// its fitted value) is left empty; nothing here returns NaN or infinity.
#pragma once

#include <optional>
#include <vector>

#include "fit/fit_report.h"
#include "state/runtime_error.h"

namespace kurvo {

struct DegreeRow {
    int degree = 0;
    int n = 0;                 // samples
    int degreesOfFreedom = 0;  // n − p
    // The fit refused at this degree (too few distinct X, beyond the
    // precision of the raw powers, ...): the figures below are then empty.
    std::optional<RuntimeError> refusal;
    std::optional<double> squares;           // SSR = Σ r², r = y' − ŷ'
    std::optional<double> s;                 // √(SSR / (n − p))
    std::optional<double> rSquared;          // 1 − SSR / Σ (y' − ȳ')²
    std::optional<double> adjustedRSquared;  // 1 − (1 − R²)(n − 1) / (n − p)
    std::optional<double> aicc;              // n ln(SSR / n) + 2k + 2k(k + 1) / (n − k − 1)
    std::optional<double> bic;               // n ln(SSR / n) + k ln n
    std::optional<double> press;             // Σ (rᵢ / (1 − hᵢᵢ))²
    // p of the F test of the highest term: F = (SSR(d − 1) − SSR(d)) / (SSR(d) / (n − p)),
    // with 1 and n − p degrees of freedom; SSR(0) = Σ (y' − ȳ')².
    std::optional<double> fTestP;
    // Whether this row has the smallest AICc, BIC or PRESS of the table.
    bool bestAicc = false, bestBic = false, bestPress = false;
};

// One row for each degree d from 1 to 6 with n ≥ d + 2 (one degree of freedom
// left for s), in order; none for fewer than 3 samples.
std::vector<DegreeRow> CompareDegrees(const FitSamples& samples);

}  // namespace kurvo
