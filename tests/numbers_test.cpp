// Reading, rounding, showing and computing numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Raises;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct TextRow {
    const char* name;
    const char* text;
    bool numeric;
    std::optional<double> number;  // nothing: reading the number overflows
};

class TextReading : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextReading, NumericTestAndNumberOfText) {
    const TextRow& row = GetParam();
    EXPECT_EQ(IsNumeric(row.text), row.numeric);
    if (row.number)
        EXPECT_EQ(NumberOf(row.text), *row.number);
    else
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { NumberOf(row.text); }));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextReading,
    ::testing::Values(TextRow{"Exponent", "1e3", true, 1000.0}, TextRow{"BlanksAround", " 12 ", true, 12.0},
                      TextRow{"LeadingPoint", ".5", true, 0.5}, TextRow{"TrailingPoint", "5.", true, 5.0},
                      TextRow{"ThousandsSeparatorReadsUpToComma", "1,000", false, 1.0},
                      TextRow{"DoubleSign", "--1", false, 0.0}, TextRow{"PointAlone", ".", false, 0.0},
                      TextRow{"BeyondDoubleRange", "1e999", false, std::nullopt},
                      TextRow{"LargestDouble", "1.7976931348623157e308", true, 1.7976931348623157e308},
                      TextRow{"NanWord", "nan", false, 0.0}, TextRow{"InfWord", "inf", false, 0.0},
                      TextRow{"Empty", "", false, 0.0}, TextRow{"PlusSign", "+5", true, 5.0},
                      TextRow{"NegativeWithSignedExponent", "-3.5E+2", true, -350.0},
                      TextRow{"ExponentWithoutDigits", "1e", false, 1.0}, TextRow{"HexNotation", "0x10", false, 0.0}),
    test::RowName());

// Rounding halves to even into 16- and 32-bit integers; nothing: overflow.
struct RoundRow {
    const char* name;
    double value;
    std::optional<int> to16;
    std::optional<long> to32;
};

class Rounding : public ::testing::TestWithParam<RoundRow> {};

TEST_P(Rounding, HalvesGoToEvenAndOutOfRangeOverflows) {
    const RoundRow& row = GetParam();
    if (row.to16)
        EXPECT_EQ(RoundToInt16(row.value), *row.to16);
    else
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { RoundToInt16(row.value); }));
    if (row.to32)
        EXPECT_EQ(RoundToInt32(row.value), *row.to32);
    else
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { RoundToInt32(row.value); }));
}

INSTANTIATE_TEST_SUITE_P(
    Values, Rounding,
    ::testing::Values(RoundRow{"HalfDownToEven", 2.5, 2, 2}, RoundRow{"HalfUpToEven", 3.5, 4, 4},
                      RoundRow{"NegativeHalfToEven", -2.5, -2, -2},
                      RoundRow{"Int16LargestPlusHalfRoundsOut", 32767.5, std::nullopt, 32768},
                      RoundRow{"Int16SmallestMinusHalfRoundsIn", -32768.5, -32768, -32768},
                      RoundRow{"Int32LargestPlusHalfRoundsOut", 2147483647.5, std::nullopt, std::nullopt},
                      RoundRow{"Int32SmallestMinusHalfRoundsIn", -2147483648.5, std::nullopt, -2147483648L},
                      RoundRow{"Infinity", kInf, std::nullopt, std::nullopt},
                      RoundRow{"NotANumber", kNaN, std::nullopt, std::nullopt}),
    test::RowName());

// ---- the number patterns -----------------------------------------------------------

struct FormatRow {
    const char* name;
    std::string (*format)(double);
    double value;
    const char* text;
};

class NumberPattern : public ::testing::TestWithParam<FormatRow> {};
TEST_P(NumberPattern, Shows) { EXPECT_EQ(GetParam().format(GetParam().value), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    General, NumberPattern,
    ::testing::Values(FormatRow{"NegativeZero", FormatGeneral, -0.0, "0"},
                      FormatRow{"Negative", FormatGeneral, -0.125, "-0.125"},
                      FormatRow{"TwoThirdsRoundsFifteenthDigit", FormatGeneral, 2.0 / 3.0, "0.666666666666667"},
                      FormatRow{"SumShowsAsTyped", FormatGeneral, 0.1 + 0.2, "0.3"},
                      FormatRow{"SmallestPlainForm", FormatGeneral, 0.0001, "0.0001"},
                      FormatRow{"FifteenIntegerDigits", FormatGeneral, 123456789012345.0, "123456789012345"},
                      FormatRow{"RoundsUpToSixteenDigits", FormatGeneral, 999999999999999.9, "1E+15"},
                      FormatRow{"LongMantissa", FormatGeneral, 1234567890123456.0, "1.23456789012346E+15"},
                      FormatRow{"ThreeDigitNegativeExponent", FormatGeneral, 1E-100, "1E-100"}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    Coefficient, NumberPattern,
    ::testing::Values(FormatRow{"Positive", FormatCoefficient, 1.99, " 1.99000E+0"},
                      FormatRow{"Negative", FormatCoefficient, -0.05, "-5.00000E-2"},
                      FormatRow{"RoundsIntoNextDecade", FormatCoefficient, 9.9999999, " 1.00000E+1"},
                      FormatRow{"ThreeDigitExponent", FormatCoefficient, 1E+100, " 1.00000E+100"},
                      FormatRow{"NegativeTiny", FormatCoefficient, -2.5E-300, "-2.50000E-300"}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    Percent, NumberPattern,
    ::testing::Values(FormatRow{"Positive", FormatPercent, 12.5, "12.500"},
                      FormatRow{"NegativeBelowOne", FormatPercent, -0.0254, "-0.025"},
                      FormatRow{"NoThousandsSeparator", FormatPercent, 1234.5678, "1234.568"}),
    test::RowName());

INSTANTIATE_TEST_SUITE_P(
    Axis, NumberPattern,
    ::testing::Values(FormatRow{"Zero", FormatAxisNumber, 0.0, "0"},
                      FormatRow{"RoundsToWhole", FormatAxisNumber, 12.6, "13"},
                      FormatRow{"Thousands", FormatAxisNumber, 5000.0, "5000"},
                      FormatRow{"TenThousandsInExponentForm", FormatAxisNumber, 50000.0, "5E+4"},
                      FormatRow{"Hundredths", FormatAxisNumber, 0.05, "0.05"},
                      FormatRow{"HalfInExponentForm", FormatAxisNumber, 0.5, "5E-1"},
                      FormatRow{"NegativeWhole", FormatAxisNumber, -250.0, "-250"},
                      FormatRow{"JustBelowEToTheTen", FormatAxisNumber, 22026.0, "22026"},
                      FormatRow{"JustAboveEToTheTen", FormatAxisNumber, 22027.0, "2E+4"},
                      FormatRow{"BelowEToMinusTwo", FormatAxisNumber, 0.13, "0.13"},
                      FormatRow{"AboveEToMinusTwo", FormatAxisNumber, 0.14, "1E-1"},
                      FormatRow{"JustBelowOne", FormatAxisNumber, 0.999, "1E+0"},
                      // Below 0.005 "0.##" would read 0: a log decade of 0.001 is not labelled 0.
                      FormatRow{"ThousandthInExponentForm", FormatAxisNumber, 0.001, "1E-3"},
                      FormatRow{"BelowHalfAHundredthInExponentForm", FormatAxisNumber, 0.004, "4E-3"},
                      FormatRow{"NegativeThousandthInExponentForm", FormatAxisNumber, -0.001, "-1E-3"},
                      FormatRow{"HalfAHundredthRoundsUp", FormatAxisNumber, 0.005, "0.01"}),
    test::RowName());

TEST(NumberPatterns, NonFiniteValuesAreRefusedNotPrinted) {
    for (double value : {kInf, -kInf, kNaN})
        for (std::string (*format)(double) : {FormatGeneral, FormatCoefficient, FormatPercent, FormatAxisNumber})
            EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { format(value); })) << value;
}

// ---- checked arithmetic: the runtime errors ------------------------------------------

struct ArithmeticRow {
    const char* name;
    std::function<double()> operation;
    std::optional<double> result;  // nothing: raises `error`
    ErrorNumber error = ErrorNumber::Overflow;
};

class CheckedArithmetic : public ::testing::TestWithParam<ArithmeticRow> {};

TEST_P(CheckedArithmetic, ResultOrRuntimeError) {
    const ArithmeticRow& row = GetParam();
    if (row.result)
        EXPECT_EQ(row.operation(), *row.result);
    else
        EXPECT_TRUE(Raises(row.error, row.operation));
}

constexpr auto kInvalid = ErrorNumber::InvalidArgument;
INSTANTIATE_TEST_SUITE_P(
    Operations, CheckedArithmetic,
    ::testing::Values(
        ArithmeticRow{"LogarithmOfZero", [] { return Ln(0.0); }, std::nullopt, kInvalid},
        ArithmeticRow{"DecimalLogarithmIsLnTimesFactor", [] { return Log10(1000.0); }, 0x1.8000000000002p+1},
        ArithmeticRow{"RootOfNegative", [] { return Sqrt(-1.0); }, std::nullopt, kInvalid},
        ArithmeticRow{"ReciprocalOfZero", [] { return Div(1.0, 0.0); }, std::nullopt, ErrorNumber::DivisionByZero},
        ArithmeticRow{"ProductBeyondRange", [] { return Mul(1e300, 1e300); }, std::nullopt},
        ArithmeticRow{"SumBeyondRange", [] { return Add(1.7e308, 1.7e308); }, std::nullopt},
        ArithmeticRow{"ExponentialBeyondRange", [] { return Exp(710.0); }, std::nullopt},
        ArithmeticRow{"ExponentialUnderflowsToZero", [] { return Exp(-1000.0); }, 0.0},
        ArithmeticRow{"PowerBeyondRange", [] { return Pow(10.0, 400.0); }, std::nullopt},
        ArithmeticRow{"FractionalPowerOfNegative", [] { return Pow(-8.0, 1.0 / 3.0); }, std::nullopt, kInvalid},
        ArithmeticRow{"IntegerPowerOfNegative", [] { return Pow(-2.0, 3.0); }, -8.0},
        ArithmeticRow{"FloorOfNegative", [] { return Floor(-3.7); }, -4.0}),
    test::RowName());

}  // namespace
}  // namespace kurvo
