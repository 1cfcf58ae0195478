// The transforms of a variable and the value of a fitted polynomial.
//
// A transform is on when its flag equals 1.  Forward: the natural logarithm,
// then the reciprocal (both on: 1 / ln v).  Back: the reciprocal undone
// first, then e raised to the result.
#pragma once

#include <cstdint>

#include "state/numbers.h"

namespace kurvo {

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

}  // namespace kurvo

namespace kurvo {

struct Session;

// Writes the powers x^0 .. x^degree of one sample into its row of the power
// table by successive multiplication.  Column 2 always holds x itself, also
// for a constant fit, since the extents and the graph's points read it there.
// A negative degree raises SubscriptOutOfRange, as a degree above 6 does.
void StorePowers(Session& session, int sample, double x, int degree);

}  // namespace kurvo
