#include "state/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace kurvo {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest prefix of `text` that is a decimal number: [sign] digits [. digits]
// or [sign] . digits, then an optional exponent with at least one digit.
// Returns 0 when the text does not start with a number.
std::size_t ScanNumber(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < text.size() && IsDigit(text[j])) { ++j; ++expDigits; }
        if (expDigits > 0) i = j;
    }
    return i;
}

// Converts a text that ScanNumber accepted whole, to the nearest double.
// `overflow` is set when the magnitude is beyond the double range; a value
// below the smallest double reads as zero.
double Convert(std::string_view number, bool& overflow) {
    overflow = false;
    bool negative = false;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        number.remove_prefix(1);
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the range either way: decide by the decimal magnitude, the
        // position of the first significant digit plus the exponent.
        const auto e = number.find_first_of("eE");
        long exponent = 0;
        if (e != std::string_view::npos) {
            const char* first = number.data() + e + 1;
            if (*first == '+') ++first;
            if (std::from_chars(first, number.data() + number.size(), exponent).ec != std::errc())
                exponent = *first == '-' ? -100000 : 100000;
        }
        const std::string_view mantissa = number.substr(0, e);
        const auto point = mantissa.find('.');
        const auto intLength = static_cast<long>(point == std::string_view::npos ? mantissa.size() : point);
        const auto firstSignificant = mantissa.find_first_of("123456789");
        long magnitude = exponent;
        if (firstSignificant != std::string_view::npos) {
            const auto position = static_cast<long>(firstSignificant);
            magnitude += position < intLength ? intLength - position : intLength - position + 1;
        }
        overflow = magnitude > 0;
        value = 0.0;
    }
    return negative ? -value : value;
}

// The significant digits of a positive finite value rounded to at most
// `precision` digits (at most 17), without trailing zeros, and the decimal
// exponent of the first one.  The shortest round-trip digits decide the
// rounding: they lie on the same side of every rounding midpoint as the exact
// value, except when they are the midpoint itself, which the exact rendering
// settles.
struct Digits {
    char text[24];
    std::size_t length = 0;
    int exponent = 0;
};

__extension__ typedef unsigned __int128 UInt128;

constexpr std::uint64_t kPow10[20] = {1ULL, 10ULL, 100ULL, 1000ULL, 10000ULL, 100000ULL, 1000000ULL, 10000000ULL,
                                      100000000ULL, 1000000000ULL, 10000000000ULL, 100000000000ULL,
                                      1000000000000ULL, 10000000000000ULL, 100000000000000ULL,
                                      1000000000000000ULL, 10000000000000000ULL, 100000000000000000ULL,
                                      1000000000000000000ULL, 10000000000000000000ULL};

// value × 10^scale rounded to the nearest integer, halves to even, computed
// exactly from the binary value; false when the result would not fit 64 bits.
bool ScaledInteger(double value, int scale, std::uint64_t& result) {
    int binaryExponent = 0;
    const double fraction = std::frexp(value, &binaryExponent);  // value = fraction × 2^binaryExponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - binaryExponent;                       // value = mantissa / 2^shift
    const UInt128 product = static_cast<UInt128>(mantissa) * kPow10[scale];
    UInt128 q = 0;
    if (shift <= 0) {
        if (shift < -10) return false;
        q = product << -shift;
    } else if (shift < 120) {
        q = product >> shift;
        const UInt128 remainder = product - (q << shift);
        const UInt128 half = static_cast<UInt128>(1) << (shift - 1);
        if (remainder > half || (remainder == half && (q & 1) != 0)) ++q;
    }
    if (q >> 64 != 0) return false;
    result = static_cast<std::uint64_t>(q);
    return true;
}

// Fifteen significant digits of values from 1E-5 to below 1E+15, exactly
// rounded by integer arithmetic; false outside that range.
bool FifteenDigits(double value, Digits& d) {
    if (!(value >= 1e-5 && value < 1e15)) return false;
    int binaryExponent = 0;
    std::frexp(value, &binaryExponent);
    int exponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
    std::uint64_t q = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = 14 - exponent;
        if (scale < 0 || scale > 19 || !ScaledInteger(value, scale, q)) return false;
        if (q < kPow10[14]) {
            --exponent;
        } else if (q >= kPow10[15]) {
            ++exponent;
        } else {
            d.exponent = exponent;
            d.length = 15;
            for (std::size_t i = 15; i-- > 0; q /= 10) d.text[i] = static_cast<char>('0' + q % 10);
            while (d.length > 1 && d.text[d.length - 1] == '0') --d.length;
            return true;
        }
    }
    return false;
}

Digits SignificantDigits(double value, int precision) {
    char buffer[40];
    Digits d;
    auto take = [&](const char* end) {
        d.length = 0;
        const char* p = buffer;
        for (; *p != 'e'; ++p)
            if (IsDigit(*p)) d.text[d.length++] = *p;
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, end, d.exponent);
    };
    take(std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr);
    const auto keep = static_cast<std::size_t>(precision);
    if (d.length > keep) {
        if (d.length == keep + 1 && d.text[keep] == '5') {
            take(std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1).ptr);
        } else {
            const bool up = d.text[keep] >= '5';
            d.length = keep;
            if (up) {
                std::size_t i = keep;
                while (i > 0 && d.text[i - 1] == '9') d.text[--i] = '0';
                if (i == 0) {
                    d.text[0] = '1';
                    ++d.exponent;
                } else {
                    ++d.text[i - 1];
                }
            }
        }
    }
    while (d.length > 1 && d.text[d.length - 1] == '0') --d.length;
    return d;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string Printf(const char* format, double value) {
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    return std::string(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// Scientific notation with `decimals` digits after the point, "d.dddE+xx",
// rounded to nearest like printf's "%.*E".
std::string Scientific(double value, int decimals) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, decimals);
    std::string out(buffer, result.ptr);
    out[out.find('e')] = 'E';
    return out;
}

// Writes the exponent of a "%E" rendering with its sign and at least `minDigits` digits.
std::string ExponentPart(std::string_view printed, int minDigits) {
    const auto e = printed.find('E');
    const char sign = printed[e + 1];
    int exponent = 0;
    std::from_chars(printed.data() + e + 2, printed.data() + printed.size(), exponent);
    std::string digits = std::to_string(exponent);
    while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
    return std::string("E") + sign + digits;
}

std::int64_t RoundToRange(double value, double low, double high) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    const double r = std::nearbyint(value);  // the default rounding mode: halves to even
    if (r < low || r > high) Raise(ErrorNumber::Overflow);
    return static_cast<std::int64_t>(r);
}

}  // namespace

std::optional<double> NumericValue(std::string_view text) {
    text = Trim(text);
    if (text.empty() || ScanNumber(text) != text.size()) return std::nullopt;
    bool overflow = false;
    const double value = Convert(text, overflow);
    if (overflow) return std::nullopt;
    return value;
}

bool IsNumeric(std::string_view text) { return NumericValue(text).has_value(); }

double NumberOf(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    const std::size_t length = ScanNumber(text);
    if (length == 0) return 0.0;
    bool overflow = false;
    const double value = Convert(text.substr(0, length), overflow);
    if (overflow) Raise(ErrorNumber::Overflow);
    return value;
}

std::int16_t RoundToInt16(double value) {
    return static_cast<std::int16_t>(RoundToRange(value, -32768.0, 32767.0));
}

std::int32_t RoundToInt32(double value) {
    return static_cast<std::int32_t>(RoundToRange(value, -2147483648.0, 2147483647.0));
}

std::string FormatGeneral(double value) {
    char buffer[kGeneralNumberMaxLength];
    return std::string(FormatGeneral(value, buffer));
}

std::string_view FormatGeneral(double value, char (&out)[kGeneralNumberMaxLength]) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    if (value == 0.0) return "0";
    Digits d;
    if (!FifteenDigits(std::fabs(value), d)) d = SignificantDigits(std::fabs(value), 15);
    const std::string_view digits(d.text, d.length);

    std::size_t n = 0;
    auto put = [&](std::string_view part) {
        part.copy(out + n, part.size());
        n += part.size();
    };
    auto zeros = [&](std::size_t count) {
        std::fill_n(out + n, count, '0');
        n += count;
    };
    if (value < 0) put("-");
    if (d.exponent < -4 || d.exponent >= 15) {
        put(digits.substr(0, 1));
        if (digits.size() > 1) put("."), put(digits.substr(1));
        put(d.exponent < 0 ? "E-" : "E+");
        const int magnitude = std::abs(d.exponent);
        if (magnitude < 10) put("0");
        n = static_cast<std::size_t>(std::to_chars(out + n, out + sizeof out, magnitude).ptr - out);
    } else if (d.exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= intDigits) {
            put(digits), zeros(intDigits - digits.size());
        } else {
            put(digits.substr(0, intDigits)), put("."), put(digits.substr(intDigits));
        }
    } else {
        put("0."), zeros(static_cast<std::size_t>(-d.exponent - 1)), put(digits);
    }
    return std::string_view(out, n);
}

std::string FormatCoefficient(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    if (value == 0.0) value = 0.0;  // no minus sign for a negative zero
    const std::string printed = Scientific(value, 5);
    const auto e = printed.find('E');
    const std::string mantissa = printed.substr(0, e);
    return (value < 0 ? "" : " ") + mantissa + ExponentPart(printed, 1);
}

std::string FormatPercent(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    std::uint64_t thousandths = 0;
    if (ScaledInteger(std::fabs(value), 3, thousandths)) {
        std::string printed = value < 0 && thousandths != 0 ? "-" : "";
        printed += std::to_string(thousandths / 1000);
        const auto fraction = std::to_string(1000 + thousandths % 1000);
        printed.append(".").append(fraction, 1);
        return printed;
    }
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
    return std::string(buffer, result.ptr);
}

std::string FormatAxisNumber(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    if (value == 0.0) return "0";
    const double e = std::floor(std::log(std::fabs(value))) * kLog10Factor;
    if (e >= 0.0 && e <= 4.0) {
        return Printf("%.0f", std::round(value));  // "###0": halves away from zero
    }
    if (e >= -4.0 && e <= -1.0) {
        std::string printed = Printf("%.2f", value);  // "0.##"
        while (printed.back() == '0') printed.pop_back();
        if (printed.back() == '.') printed.pop_back();
        // A nonzero value below 0.005 would read "0" here, so a log decade such as
        // 0.001 would be labelled 0: it takes the scientific pattern instead.
        if (printed != "0" && printed != "-0") return printed;
    }
    const std::string printed = Printf("%.0E", value);  // "0E+#"
    return printed.substr(0, printed.find('E')) + ExponentPart(printed, 1);
}

double Finite(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    return value;
}

double Add(double a, double b) { return Finite(a + b); }
double Sub(double a, double b) { return Finite(a - b); }
double Mul(double a, double b) { return Finite(a * b); }

double Div(double a, double b) {
    if (b == 0.0) Raise(a == 0.0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    return Finite(a / b);
}

double Ln(double v) {
    if (!(v > 0.0)) Raise(ErrorNumber::InvalidArgument);
    return Finite(std::log(v));
}

double Log10(double v) { return Ln(v) * kLog10Factor; }

double Exp(double v) { return Finite(std::exp(Finite(v))); }

double Sqrt(double v) {
    if (!(v >= 0.0)) Raise(ErrorNumber::InvalidArgument);
    return std::sqrt(v);
}

double Pow(double a, double b) {
    Finite(a);
    Finite(b);
    if (b == 0.0) return 1.0;
    if (b == 1.0) return a;
    if (a == 0.0 && b < 0.0) Raise(ErrorNumber::DivisionByZero);
    if (a < 0.0 && std::floor(b) != b) Raise(ErrorNumber::InvalidArgument);
    return Finite(std::pow(a, b));
}

double Floor(double v) { return std::floor(Finite(v)); }

}  // namespace kurvo
