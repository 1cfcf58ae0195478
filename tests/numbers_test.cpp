// Reading, rounding, showing and computing numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <string>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Raises;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// An expected integer or number field, or "overflow": the call raises the overflow error.
template <typename Call>
void ExpectResult(const std::string& expected, Call&& call) {
    if (expected == "overflow")
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, call));
    else
        EXPECT_EQ(call(), test::NumberField(expected));
}

TEST(NumberText, NumericTestAndNumberOfText) {
    for (const auto& row : test::ReadCases("number_text.tsv", 4)) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(IsNumeric(row[1]), row[2] == "1");
        ExpectResult(row[3], [&] { return NumberOf(row[1]); });
    }
}

TEST(Rounding, HalvesGoToEvenAndOutOfRangeOverflows) {
    for (const auto& row : test::ReadCases("rounding.tsv", 4)) {
        SCOPED_TRACE(row[0]);
        const double value = test::NumberField(row[1]);
        ExpectResult(row[2], [&] { return RoundToInt16(value); });
        ExpectResult(row[3], [&] { return RoundToInt32(value); });
    }
}

const std::map<std::string, std::string (*)(double)> kPatterns{
    {"general", FormatGeneral}, {"coefficient", FormatCoefficient}, {"percent", FormatPercent}, {"axis", FormatAxisNumber}};

TEST(NumberPatterns, ShowTheValue) {
    for (const auto& row : test::ReadCases("number_patterns.tsv", 4)) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(kPatterns.at(row[1])(test::NumberField(row[2])), row[3]);
    }
}

TEST(NumberPatterns, NonFiniteValuesAreRefusedNotPrinted) {
    for (double value : {kInf, -kInf, kNaN})
        for (const auto& [name, format] : kPatterns)
            EXPECT_TRUE(Raises(ErrorNumber::Overflow, [&] { format(value); })) << name << " " << value;
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
