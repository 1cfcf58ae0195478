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
    constexpr long kFarExponent = 100000000;  // beyond any digit count a 16 MiB file can hold
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
                exponent = *first == '-' ? -kFarExponent : kFarExponent;
            // Any exponent this far out decides alone, and the sum below cannot overflow.
            exponent = std::clamp(exponent, -kFarExponent, kFarExponent);
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

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

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
    text = Trim(text);
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
    // printf's "%.15G": 15 correctly rounded significant digits without
    // trailing zeros, the exponent form when the exponent of the rounded value
    // is below -4 or 15 and above, with at least two exponent digits.  Taking
    // the shortest digits that read back as the value and rounding them by
    // hand would save only a few percent of an estimation run: rendering them
    // alone costs two thirds of this.
    char* end = std::to_chars(out, out + sizeof out, value, std::chars_format::general, 15).ptr;
    // Below the normal range a double holds fewer digits: it shows the shortest
    // digits that read back as the value when there are 15 or fewer of them.
    if (std::fabs(value) < std::numeric_limits<double>::min()) {
        char shortest[kGeneralNumberMaxLength];
        char* const shortestEnd =
            std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific).ptr;
        if (std::count_if(shortest, std::find(shortest, shortestEnd, 'e'), IsDigit) <= 15)
            end = std::copy(shortest, shortestEnd, out);
    }
    std::replace(out, end, 'e', 'E');
    return std::string_view(out, static_cast<std::size_t>(end - out));
}

std::string FormatShortest(double value) {
    if (!std::isfinite(value)) Raise(ErrorNumber::Overflow);
    if (value == 0.0) return "0";
    char buffer[kGeneralNumberMaxLength];
    char* end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::replace(buffer, end, 'e', 'E');
    return std::string(buffer, end);
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
    char buffer[400];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3).ptr;
    // A value that shows as zero shows without a sign.
    const bool zero = std::find_if(buffer, end, [](char c) { return c >= '1' && c <= '9'; }) == end;
    return std::string(buffer + (zero && buffer[0] == '-' ? 1 : 0), end);
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
