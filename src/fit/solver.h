// Polynomial least squares: the normal equations of y' = c0 + c1 x' + ... + cd x'^d
// solved by Gaussian elimination with partial pivoting, row normalisation and
// back substitution.
#pragma once

#include <cstdint>

#include "state/vb_array.h"

namespace kurvo {

using PowerTable = RangeArray2<double, 1, 100, 1, 7>;  // (sample, power + 1)
using ValueList = RangeArray<double, 1, 100>;           // y' of sample s
using CoefficientList = RangeArray<double, 1, 7>;       // c(j) = coefficient of x'^(j - 1)

// The pivot threshold: a pivot of smaller magnitude means a singular system.
inline constexpr double kPivotThreshold = 1E-10;

// Writes the powers x^0 .. x^degree of one sample into its row of the power
// table by successive multiplication.  Column 2 always holds x itself, also
// for a constant fit, since the extents and the graph's points read it there.
// A negative degree raises SubscriptOutOfRange, as a degree above 6 does.
void StorePowers(PowerTable& table, int sample, double x, int degree);

// Writes c(1..n) from the first m rows and n columns of the power table and
// v(1..m); entries of c above n keep their values.  n is degree + 1 (1..7),
// m the number of samples (1..100); anything else raises SubscriptOutOfRange.
// A pivot below kPivotThreshold raises PivotTooSmall; a sum or product beyond
// the double range raises Overflow.  Nothing is written to c on an error.
void FitPolynomial(int n, int m, const PowerTable& P, const ValueList& v, CoefficientList& c);

}  // namespace kurvo
