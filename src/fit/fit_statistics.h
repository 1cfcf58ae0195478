// How sure a fit is: the standard error, t value, p value and confidence
// interval of each coefficient, R² and the adjusted R², and at any x' the
// confidence band of the mean curve and the prediction band of a new
// observation.
//
// Everything is computed where the fit is made (x' and y', after the
// transforms) from the factor R that the QR reference keeps (see
// least_squares.h), never from an inverse of the normal matrix.  Student
// quantiles and tail probabilities are Boost.Math's.  n is the number of
// samples and p = degree + 1; with n <= p nothing is available and nothing
// is raised.  Nothing here returns NaN or infinity.
#pragma once

#include <optional>
#include <vector>

#include "fit/fit_report.h"
#include "fit/transforms.h"

namespace kurvo {

// The level of the confidence intervals and of both bands.
enum class ConfidenceLevel { Percent90 = 90, Percent95 = 95, Percent99 = 99 };

struct CoefficientFigures {
    double value = 0;          // c_j, the coefficient of x'^j
    double standardError = 0;  // SE_j = s √((T R⁻¹ R⁻ᵀ Tᵀ)_jj), T taking the scaled basis to raw powers
    // c_j / SE_j; none when SE_j = 0 or the residuals are no more than the
    // rounding of y' and of the fitted values (a fit through the samples)
    std::optional<double> t;
    std::optional<double> p;   // 2 P(S > |t|), S Student's t with n − p degrees of freedom; none with t
    double lower = 0, upper = 0;  // c_j ∓ q SE_j
};

struct FitFigures {
    int n = 0;                 // samples
    int degreesOfFreedom = 0;  // n − p
    ConfidenceLevel level = ConfidenceLevel::Percent95;
    bool available = false;    // n > p: everything below has a value (else only the coefficients' values)
    double quantile = 0;       // q: P(|S| <= q) = level
    double s = 0;              // √(Σ r² / (n − p)), r = y' − ŷ'
    std::optional<double> rSquared;          // 1 − Σ r² / Σ (y' − ȳ')²; none when all y' are equal
    std::optional<double> adjustedRSquared;  // 1 − (1 − R²)(n − 1) / (n − p)
    std::vector<CoefficientFigures> coefficients;  // c0 .. c(degree)
};

// The figures of a fit made by FitCombination on these samples; the
// residuals are those of its raw-power coefficients, evaluated as the
// estimates are.  A report without the factor (not from FitCombination) or
// samples of another size raise SubscriptOutOfRange; a figure beyond the
// double range raises Overflow.
FitFigures ComputeFigures(const FitSamples& samples, const FitReport& report,
                          ConfidenceLevel level = ConfidenceLevel::Percent95);

// The ends of a band in measured units: ŷ' ∓ half-width through the back
// transform of Y, swapped by a reciprocal.  None where the back transform
// has no value: the reciprocal's pole (y' = 0) inside the interval, or an
// end beyond the double range.
struct BandEnds {
    std::optional<double> lower, upper;
};

struct BandAt {
    double fitted = 0;               // ŷ' at x'
    double leverage = 0;             // h = z0ᵀ (XᵀX)⁻¹ z0 = |w|², Rᵀ w = v0 (the scaled powers of x')
    double confidenceHalfWidth = 0;  // q s √h
    double predictionHalfWidth = 0;  // q s √(1 + h)
    BandEnds confidence, prediction;
};

// Both bands at x' with the Y transforms of `transforms`; none when the
// figures are not available.  ŷ', h or a half-width beyond the double range
// raises Overflow.
std::optional<BandAt> BandAtX(const FitReport& report, const FitFigures& figures, double xt,
                              const Transforms& transforms);

}  // namespace kurvo
