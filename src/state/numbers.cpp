#include "state/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

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
    std::string canonical;
    canonical.reserve(number.size() + 1);
    bool negative = false;
    std::size_t i = 0;
    if (number[0] == '+' || number[0] == '-') {
        negative = number[0] == '-';
        ++i;
    }
    if (number[i] == '.') canonical += '0';
    for (; i < number.size(); ++i) {
        const char c = number[i];
        // "5." and "5.e3" read as "5" and "5e3"
        if (c == '.' && (i + 1 == number.size() || !IsDigit(number[i + 1]))) continue;
        canonical += c;
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Decide by the decimal magnitude: the position of the first significant digit plus the exponent.
        long exponent = 0;
        const auto e = canonical.find_first_of("eE");
        if (e != std::string::npos) {
            const char* first = canonical.data() + e + 1;
            if (*first == '+') ++first;
            std::from_chars(first, canonical.data() + canonical.size(), exponent);
            if (std::abs(exponent) > 100000) exponent = exponent > 0 ? 100000 : -100000;
        }
        const std::string mantissa = canonical.substr(0, e);
        const auto point = mantissa.find('.');
        const auto intLength = static_cast<long>(point == std::string::npos ? mantissa.size() : point);
        const auto firstSignificant = mantissa.find_first_of("123456789");
        long magnitude = exponent;
        if (firstSignificant != std::string::npos) {
            magnitude += (static_cast<long>(firstSignificant) < intLength)
                             ? intLength - static_cast<long>(firstSignificant)
                             : intLength - static_cast<long>(firstSignificant) + 1;
        }
        if (magnitude > 0) {
            overflow = true;
            return 0.0;
        }
        value = 0.0;
    }
    return negative ? -value : value;
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

bool IsNumeric(std::string_view text) {
    text = Trim(text);
    if (text.empty() || ScanNumber(text) != text.size()) return false;
    bool overflow = false;
    Convert(text, overflow);
    return !overflow;
}

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
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    if (value == 0.0) return "0";
    // Fifteen significant digits: d.dddddddddddddd E+xx
    const std::string printed = Printf("%.14E", value);
    const bool negative = printed[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    const auto e = printed.find('E');
    std::string digits;
    for (std::size_t i = start; i < e; ++i)
        if (IsDigit(printed[i])) digits += printed[i];
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    int exponent = 0;
    std::from_chars(printed.data() + e + 2, printed.data() + printed.size(), exponent);
    if (printed[e + 1] == '-') exponent = -exponent;

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += ExponentPart(printed, 2);
    } else if (exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits + std::string(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits) + "." + digits.substr(intDigits);
        }
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return out;
}

std::string FormatCoefficient(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    if (value == 0.0) value = 0.0;  // no minus sign for a negative zero
    const std::string printed = Printf("%.5E", value);
    const auto e = printed.find('E');
    const std::string mantissa = printed.substr(0, e);
    return (value < 0 ? "" : " ") + mantissa + ExponentPart(printed, 1);
}

std::string FormatPercent(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    std::string printed = Printf("%.3f", value);
    if (printed == "-0.000") printed = "0.000";
    return printed;
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
        return printed == "-0" ? "0" : printed;
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
    if (a == 0.0 && b < 0.0) Raise(ErrorNumber::DivisionByZero);
    if (a < 0.0 && std::floor(b) != b) Raise(ErrorNumber::InvalidArgument);
    return Finite(std::pow(a, b));
}

double Floor(double v) { return std::floor(Finite(v)); }

}  // namespace kurvo
