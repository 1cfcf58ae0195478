// The least-squares polynomial of one combination, checked against a
// numerically stable reference.
//
// The normal equations (FitPolynomial) give the coefficients wherever they
// reach the least-squares fit.  Every fit is compared with a reference solved
// by Householder QR of the samples with x' centred and scaled to [-1, 1]; where
// the normal equations refuse the system or fall short of the reference, the
// reference is converted to the coefficients of the raw powers of x' and used
// instead, provided those coefficients reproduce it in double precision.
#pragma once

#include <span>
#include <vector>

namespace kurvo {

struct LeastSquaresFit {
    // c0 .. c(degree): position j holds the coefficient of x'^j.
    std::vector<double> coefficients;
    // True when the coefficients are those of FitPolynomial, bit for bit;
    // false when they are the converted reference.
    bool normalEquations = false;
    // ŷ' at the samples from these coefficients, as the estimates evaluate
    // them; their sum of squared residuals is within 1E-7 of the least-squares
    // minimum (or of the data's rounding for a fit through the samples).
    std::vector<double> fitted;

    // The reference's factor, kept for standard errors and bands.  With
    // t = (x' - centre) / halfWidth (halfWidth 1 when all x' are equal), the
    // matrix V whose row s is (1, t_s, ..., t_s^degree) is Q R; r holds R's
    // (degree + 1)² entries row by row (zeros below the diagonal).  Then,
    // with z0 the raw powers of x0 and v0 those of t0 = (x0 - centre) / halfWidth:
    //   z0' (X'X)^-1 z0 = |w|², where R' w = v0 (both bases span the same space);
    //   the raw coefficients are c = T b for the coefficients b of V, with
    //   T(j, k) = C(k, j) (-centre)^(k - j) / halfWidth^k for k >= j, so their
    //   covariance is s² T R^-1 R^-T T' with s² = RSS / (samples - degree - 1).
    double centre = 0.0;
    double halfWidth = 1.0;
    std::vector<double> r;
};

// The least-squares polynomial of the given degree (0..6) through the samples
// (x'[s], y'[s]), 1..100 of them; other sizes raise SubscriptOutOfRange.
// Fewer distinct x' than degree + 1 raises PivotTooSmall with a second line
// saying what is missing; a fit that no raw-power coefficients in double carry
// raises CoefficientsBeyondPrecision, with advice by its cause (X far from 0,
// nearly equal X values, X of a tiny or huge span); sums of powers beyond the
// double range leave the fit to the reference; raw powers or coefficients
// beyond it raise Overflow.
LeastSquaresFit FitLeastSquares(std::span<const double> x, std::span<const double> y, int degree);

}  // namespace kurvo
