// The transforms of a variable and the value of a fitted polynomial.
//
// A transform is on when its flag equals 1.  Forward: the natural logarithm,
// then the reciprocal (both on: 1 / ln v).  Back: the reciprocal undone
// first, then e raised to the result.
#pragma once

#include <cstdint>

#include "state/numbers.h"

namespace kurvo {

// The transform flags of one combination, as the method grid gives them.
struct Transforms {
    std::int16_t yLog = 0, yRecip = 0, xLog = 0, xRecip = 0;
};

inline double ForwardTransform(double v, std::int16_t log, std::int16_t recip) {
    if (log == 1) v = Ln(v);
    if (recip == 1) v = Div(1.0, v);
    return v;
}

inline double BackTransform(double v, std::int16_t log, std::int16_t recip) {
    if (recip == 1) v = Div(1.0, v);
    if (log == 1) v = Exp(v);
    return v;
}

// sum over j = 0..degree, ascending from 0, of coefficient(j) * x^j with the
// general power function.  `coefficient` maps a power to its coefficient.
template <typename Coefficient>
double PolynomialValue(double x, int degree, Coefficient coefficient) {
    double sum = 0.0;
    for (int j = 0; j <= degree; ++j) sum = Add(sum, Mul(Pow(x, j), coefficient(j)));
    return sum;
}

// The fitted value in measured units: the polynomial at x', transformed back with the Y flags.
template <typename Coefficient>
double FittedValue(double x, int degree, Coefficient coefficient, const Transforms& t) {
    return BackTransform(PolynomialValue(x, degree, coefficient), t.yLog, t.yRecip);
}

}  // namespace kurvo
