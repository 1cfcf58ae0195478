// Reading, rounding, showing and computing numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Raises;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ---- the numeric test of a cell and the number of a text ---------------------------

struct TextRow {
    const char* name;
    const char* text;
    bool numeric;
    std::optional<double> number;  // nothing: reading the number overflows
};
void PrintTo(const TextRow& row, std::ostream* os) { *os << '"' << row.text << '"'; }

class TextReading : public ::testing::TestWithParam<TextRow> {};

TEST_P(TextReading, NumericTestAndNumberOfText) {
    const TextRow& row = GetParam();
    EXPECT_EQ(IsNumeric(row.text), row.numeric);
    if (row.number) {
        EXPECT_EQ(NumberOf(row.text), *row.number);
    } else {
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { NumberOf(row.text); }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextReading,
    ::testing::Values(
        TextRow{"Exponent", "1e3", true, 1000.0},
        TextRow{"BlanksAround", " 12 ", true, 12.0},
        TextRow{"LeadingPoint", ".5", true, 0.5},
        TextRow{"TrailingPoint", "5.", true, 5.0},
        TextRow{"ThousandsSeparatorReadsUpToComma", "1,000", false, 1.0},
        TextRow{"DoubleSign", "--1", false, 0.0},
        TextRow{"PointAlone", ".", false, 0.0},
        TextRow{"BeyondDoubleRange", "1e999", false, std::nullopt},
        TextRow{"NegativeBeyondDoubleRange", "-1e999", false, std::nullopt},
        TextRow{"RoundsBeyondLargestDouble", "1.8e308", false, std::nullopt},
        TextRow{"LargestDouble", "1.7976931348623157e308", true, 1.7976931348623157e308},
        TextRow{"NanWord", "nan", false, 0.0},
        TextRow{"InfWord", "inf", false, 0.0},
        TextRow{"InfinityWord", "Infinity", false, 0.0},
        TextRow{"Empty", "", false, 0.0},
        TextRow{"BlanksOnly", "   ", false, 0.0},
        TextRow{"PlusSign", "+5", true, 5.0},
        TextRow{"BelowSmallestDouble", "1e-400", true, 0.0},
        TextRow{"NegativeWithSignedExponent", "-3.5E+2", true, -350.0},
        TextRow{"ExponentWithoutDigits", "1e", false, 1.0},
        TextRow{"TrailingLetters", "12abc", false, 12.0},
        TextRow{"HexNotation", "0x10", false, 0.0},
        TextRow{"NearestDoubleOfOneTenth", "0.1", true, 0.1},
        TextRow{"SeventeenSignificantDigits", "2.7182818284590451", true, 2.7182818284590451},
        TextRow{"ManyDigitsRoundToNearest", "123456789012345678", true, 123456789012345678.0}),
    test::RowName());

// ---- rounding halves to even into 16- and 32-bit integers ------------------------------

struct RoundRow {
    const char* name;
    double value;
    std::optional<int> to16;   // nothing: overflow
    std::optional<long> to32;  // nothing: overflow
};
void PrintTo(const RoundRow& row, std::ostream* os) { *os << row.value; }

class Rounding : public ::testing::TestWithParam<RoundRow> {};

TEST_P(Rounding, HalvesGoToEvenAndOutOfRangeOverflows) {
    const RoundRow& row = GetParam();
    if (row.to16) {
        EXPECT_EQ(RoundToInt16(row.value), *row.to16);
    } else {
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { RoundToInt16(row.value); }));
    }
    if (row.to32) {
        EXPECT_EQ(RoundToInt32(row.value), *row.to32);
    } else {
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { RoundToInt32(row.value); }));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, Rounding,
    ::testing::Values(RoundRow{"HalfDownToEven", 2.5, 2, 2},
                      RoundRow{"HalfUpToEven", 3.5, 4, 4},
                      RoundRow{"HalfToZero", 0.5, 0, 0},
                      RoundRow{"OneAndHalf", 1.5, 2, 2},
                      RoundRow{"NegativeHalfToEven", -2.5, -2, -2},
                      RoundRow{"NegativeHalfAwayToEven", -3.5, -4, -4},
                      RoundRow{"JustBelowHalf", 2.4999999, 2, 2},
                      RoundRow{"JustAboveHalf", 2.5000001, 3, 3},
                      RoundRow{"Int16Largest", 32767.0, 32767, 32767},
                      RoundRow{"Int16LargestPlusFraction", 32767.4, 32767, 32767},
                      RoundRow{"Int16LargestPlusHalfRoundsOut", 32767.5, std::nullopt, 32768},
                      RoundRow{"Int16BeyondLargest", 32768.0, std::nullopt, 32768},
                      RoundRow{"Int16SmallestMinusHalfRoundsIn", -32768.5, -32768, -32768},
                      RoundRow{"Int16BeyondSmallest", -32768.6, std::nullopt, -32769},
                      RoundRow{"Int32Largest", 2147483647.0, std::nullopt, 2147483647L},
                      RoundRow{"Int32LargestPlusHalfRoundsOut", 2147483647.5, std::nullopt, std::nullopt},
                      RoundRow{"Int32SmallestMinusHalfRoundsIn", -2147483648.5, std::nullopt, -2147483648L},
                      RoundRow{"Huge", 1e300, std::nullopt, std::nullopt},
                      RoundRow{"Infinity", kInf, std::nullopt, std::nullopt},
                      RoundRow{"NotANumber", kNaN, std::nullopt, std::nullopt}),
    test::RowName());

// ---- the number patterns -----------------------------------------------------------

struct FormatRow {
    const char* name;
    double value;
    const char* text;
};
void PrintTo(const FormatRow& row, std::ostream* os) { *os << row.value << " -> \"" << row.text << '"'; }

class GeneralForm : public ::testing::TestWithParam<FormatRow> {};
TEST_P(GeneralForm, FifteenDigitsAndExponentForm) { EXPECT_EQ(FormatGeneral(GetParam().value), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(
    Values, GeneralForm,
    ::testing::Values(FormatRow{"Zero", 0.0, "0"},
                      FormatRow{"NegativeZero", -0.0, "0"},
                      FormatRow{"Integer", 100.0, "100"},
                      FormatRow{"Decimal", 1.99, "1.99"},
                      FormatRow{"BelowOne", 0.05, "0.05"},
                      FormatRow{"Negative", -0.125, "-0.125"},
                      FormatRow{"OneThirdFifteenDigits", 1.0 / 3.0, "0.333333333333333"},
                      FormatRow{"TwoThirdsRoundsLastDigit", 2.0 / 3.0, "0.666666666666667"},
                      FormatRow{"SumShowsAsTyped", 0.1 + 0.2, "0.3"},
                      FormatRow{"SmallestPlainForm", 0.0001, "0.0001"},
                      FormatRow{"ExponentBelowMinusFour", 0.00001, "1E-05"},
                      FormatRow{"SmallWithFraction", 1.5E-05, "1.5E-05"},
                      FormatRow{"NegativeSmall", -1.5E-05, "-1.5E-05"},
                      FormatRow{"FifteenIntegerDigits", 123456789012345.0, "123456789012345"},
                      FormatRow{"SixteenIntegerDigits", 1E+15, "1E+15"},
                      FormatRow{"RoundsUpToSixteenDigits", 999999999999999.9, "1E+15"},
                      FormatRow{"LongMantissaInExponentForm", 1234567890123456.0, "1.23456789012346E+15"},
                      FormatRow{"ThreeDigitExponent", 1E+100, "1E+100"},
                      FormatRow{"ThreeDigitNegativeExponent", 1E-100, "1E-100"},
                      FormatRow{"NearDoubleRange", 1.5E+300, "1.5E+300"}),
    test::RowName());

class CoefficientPattern : public ::testing::TestWithParam<FormatRow> {};
TEST_P(CoefficientPattern, FiveDecimalsSignedExponent) {
    EXPECT_EQ(FormatCoefficient(GetParam().value), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Values, CoefficientPattern,
                         ::testing::Values(FormatRow{"Positive", 1.99, " 1.99000E+0"},
                                           FormatRow{"Negative", -0.05, "-5.00000E-2"},
                                           FormatRow{"Zero", 0.0, " 0.00000E+0"},
                                           FormatRow{"NegativeZero", -0.0, " 0.00000E+0"},
                                           FormatRow{"SixDigitsRoundToFive", 123456.0, " 1.23456E+5"},
                                           FormatRow{"RoundsIntoNextDecade", 9.9999999, " 1.00000E+1"},
                                           FormatRow{"TwoDigitExponent", 1E-10, " 1.00000E-10"},
                                           FormatRow{"ThreeDigitExponent", 1E+100, " 1.00000E+100"},
                                           FormatRow{"NegativeTiny", -2.5E-300, "-2.50000E-300"}),
                         test::RowName());

class PercentPattern : public ::testing::TestWithParam<FormatRow> {};
TEST_P(PercentPattern, ThreeDecimals) { EXPECT_EQ(FormatPercent(GetParam().value), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Values, PercentPattern,
                         ::testing::Values(FormatRow{"Positive", 12.5, "12.500"},
                                           FormatRow{"NegativeBelowOne", -0.0254, "-0.025"},
                                           FormatRow{"Zero", 0.0, "0.000"},
                                           FormatRow{"OneTenth", 0.1, "0.100"},
                                           FormatRow{"Hundred", 100.0, "100.000"},
                                           FormatRow{"NoThousandsSeparator", 1234.5678, "1234.568"},
                                           FormatRow{"NegativeLarge", -250.0, "-250.000"},
                                           FormatRow{"Million", 1E+6, "1000000.000"}),
                         test::RowName());

class AxisNumber : public ::testing::TestWithParam<FormatRow> {};
TEST_P(AxisNumber, PatternByOrderOfMagnitude) { EXPECT_EQ(FormatAxisNumber(GetParam().value), GetParam().text); }
INSTANTIATE_TEST_SUITE_P(Values, AxisNumber,
                         ::testing::Values(FormatRow{"Zero", 0.0, "0"},
                                           FormatRow{"RoundsToWhole", 12.6, "13"},
                                           FormatRow{"Thousands", 5000.0, "5000"},
                                           FormatRow{"TenThousandsInExponentForm", 50000.0, "5E+4"},
                                           FormatRow{"Hundredths", 0.05, "0.05"},
                                           FormatRow{"HalfInExponentForm", 0.5, "5E-1"},
                                           FormatRow{"NegativeWhole", -250.0, "-250"},
                                           FormatRow{"NegativeHundredths", -0.05, "-0.05"},
                                           FormatRow{"NegativeExponentForm", -50000.0, "-5E+4"},
                                           FormatRow{"One", 1.0, "1"},
                                           FormatRow{"JustBelowEToTheTen", 22026.0, "22026"},
                                           FormatRow{"JustAboveEToTheTen", 22027.0, "2E+4"},
                                           FormatRow{"RoundsUpToTenThousand", 9999.7, "10000"},
                                           FormatRow{"OneTenth", 0.1, "0.1"},
                                           FormatRow{"BelowEToMinusTwo", 0.13, "0.13"},
                                           FormatRow{"AboveEToMinusTwo", 0.14, "1E-1"},
                                           FormatRow{"JustBelowOne", 0.999, "1E+0"},
                                           FormatRow{"TenThousandth", 0.0001, "1E-4"},
                                           FormatRow{"Tiny", 1E-5, "1E-5"},
                                           FormatRow{"Million", 1234567.0, "1E+6"}),
                         test::RowName());

TEST(NumberPatterns, NonFiniteValuesAreRefusedNotPrinted) {
    for (double value : {kInf, -kInf, kNaN}) {
        SCOPED_TRACE(value);
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { FormatGeneral(value); }));
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { FormatCoefficient(value); }));
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { FormatPercent(value); }));
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { FormatAxisNumber(value); }));
    }
}

// ---- checked arithmetic: the runtime errors ------------------------------------------

struct ArithmeticRow {
    const char* name;
    std::function<double()> operation;
    std::optional<double> result;  // nothing: raises `error`
    ErrorNumber error = ErrorNumber::Overflow;
};
void PrintTo(const ArithmeticRow& row, std::ostream* os) { *os << row.name; }

class CheckedArithmetic : public ::testing::TestWithParam<ArithmeticRow> {};

TEST_P(CheckedArithmetic, ResultOrRuntimeError) {
    const ArithmeticRow& row = GetParam();
    if (row.result) {
        EXPECT_EQ(row.operation(), *row.result);
    } else {
        EXPECT_TRUE(Raises(row.error, row.operation));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, CheckedArithmetic,
    ::testing::Values(
        ArithmeticRow{"LogarithmOfZero", [] { return Ln(0.0); }, std::nullopt, ErrorNumber::InvalidArgument},
        ArithmeticRow{"LogarithmOfNegative", [] { return Ln(-2.0); }, std::nullopt, ErrorNumber::InvalidArgument},
        ArithmeticRow{"LogarithmOfOne", [] { return Ln(1.0); }, 0.0},
        ArithmeticRow{"DecimalLogarithmIsLnTimesFactor", [] { return Log10(1000.0); }, 0x1.8000000000002p+1},
        ArithmeticRow{"RootOfNegative", [] { return Sqrt(-1.0); }, std::nullopt, ErrorNumber::InvalidArgument},
        ArithmeticRow{"RootOfZero", [] { return Sqrt(0.0); }, 0.0},
        ArithmeticRow{"ReciprocalOfZero", [] { return Div(1.0, 0.0); }, std::nullopt, ErrorNumber::DivisionByZero},
        ArithmeticRow{"ProductBeyondRange", [] { return Mul(1e300, 1e300); }, std::nullopt},
        ArithmeticRow{"SumBeyondRange", [] { return Add(1.7e308, 1.7e308); }, std::nullopt},
        ArithmeticRow{"DifferenceBeyondRange", [] { return Sub(-1.7e308, 1.7e308); }, std::nullopt},
        ArithmeticRow{"QuotientBeyondRange", [] { return Div(1e300, 1e-300); }, std::nullopt},
        ArithmeticRow{"ExponentialBeyondRange", [] { return Exp(710.0); }, std::nullopt},
        ArithmeticRow{"ExponentialUnderflowsToZero", [] { return Exp(-1000.0); }, 0.0},
        ArithmeticRow{"PowerBeyondRange", [] { return Pow(10.0, 400.0); }, std::nullopt},
        ArithmeticRow{"FractionalPowerOfNegative", [] { return Pow(-8.0, 1.0 / 3.0); }, std::nullopt,
                      ErrorNumber::InvalidArgument},
        ArithmeticRow{"IntegerPowerOfNegative", [] { return Pow(-2.0, 3.0); }, -8.0},
        ArithmeticRow{"ZeroToTheZero", [] { return Pow(0.0, 0.0); }, 1.0},
        ArithmeticRow{"NegativeToTheZero", [] { return Pow(-3.0, 0.0); }, 1.0},
        ArithmeticRow{"FloorOfNegative", [] { return Floor(-3.7); }, -4.0}),
    test::RowName());

}  // namespace
}  // namespace kurvo
