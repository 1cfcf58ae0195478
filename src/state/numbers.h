// Numbers as the program reads, computes and shows them.
//
// One numeric test, one reading of a text, one set of formatters and the
// checked arithmetic that raises RuntimeError where a result would leave the
// double range or an argument has no value (logarithm of zero, division by
// zero).  Nothing here returns NaN or infinity.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "state/runtime_error.h"

namespace kurvo {

// Decimal logarithm is the natural logarithm times this factor, everywhere.
inline constexpr double kLog10Factor = 0.434294481903252;

// ---- reading texts ---------------------------------------------------------------

// The text without the blanks (spaces and TABs) at its ends.
std::string_view Trim(std::string_view text);

// True when the whole text, blanks around it allowed, is a decimal number with
// optional sign, decimal point and exponent that fits a double ("1e3", " 12 ",
// ".5", "5." are numeric; "", ".", "1,000", "--1", "nan", "inf", "1e999" are not).
bool IsNumeric(std::string_view text);

// The value of a numeric text (see IsNumeric), or nothing.
std::optional<double> NumericValue(std::string_view text);

// The number read from the start of the text (after leading blanks), 0 when the
// text does not start with a number.  A number beyond the double range raises
// Overflow.
double NumberOf(std::string_view text);

// Round to the nearest integer, halves to the even neighbour.  Out of range
// (or not finite) raises Overflow.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// ---- showing numbers -------------------------------------------------------------

// General number form: at most 15 significant digits, no trailing zeros,
// "0.5" for magnitudes below 1, exponent form ("1.5E-05", "1E+15") when the
// decimal exponent is below -4 or 15 and above.
std::string FormatGeneral(double value);
// The same into a caller's buffer, for hot paths.
inline constexpr std::size_t kGeneralNumberMaxLength = 32;
std::string_view FormatGeneral(double value, char (&buffer)[kGeneralNumberMaxLength]);

// The fewest digits that read back as the same double, in plain or exponent
// form ("0.1", "1.2345678901234567E+20"), without blanks: what a copy carries.
std::string FormatShortest(double value);

// Pattern " 0.####0E+##0;-0.####0E+##0": " 1.99000E+0", "-5.00000E-2".
std::string FormatCoefficient(double value);

// Pattern "##0.##0": "12.500", "-0.025".
std::string FormatPercent(double value);

// Tick label of a graph axis: "###0", "0.##" or "0E+#" chosen by the order of
// magnitude of the value (0 gives "0", 12.6 "13", 0.05 "0.05", 0.5 "5E-1"); a
// nonzero value that "0.##" would show as "0" takes "0E+#" (0.001 gives "1E-3").
std::string FormatAxisNumber(double value);

// ---- checked arithmetic ----------------------------------------------------------

// The value itself when finite; Overflow otherwise.  Inline: the fits and
// the sheets call these for every sample.
inline double Finite(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    return value;
}
inline double Add(double a, double b) { return Finite(a + b); }
inline double Sub(double a, double b) { return Finite(a - b); }
inline double Mul(double a, double b) { return Finite(a * b); }
// a / b: DivisionByZero for b = 0 (Overflow for 0 / 0, as the runtime reports it).
double Div(double a, double b);
// Natural logarithm: InvalidArgument for v <= 0.
double Ln(double v);
// Decimal logarithm as ln(v) * kLog10Factor.
double Log10(double v);
double Exp(double v);
// Square root: InvalidArgument for v < 0.
double Sqrt(double v);
// General power a ^ b; any value to the power 0 is 1.
double Pow(double a, double b);
// Largest integer not above the value, as a double.
double Floor(double v);

}  // namespace kurvo
