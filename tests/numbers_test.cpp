// Reading, rounding, showing and computing numbers.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <type_traits>

#include "checks.h"
#include "state/numbers.h"

namespace kurvo {
namespace {

using test::Raises;

// An expected text, integer or number field, or "overflow": the call raises the overflow error.
template <typename Call>
void ExpectResult(const std::string& expected, Call&& call) {
    if (expected == "overflow")
        EXPECT_TRUE(Raises(ErrorNumber::Overflow, call));
    else if constexpr (std::is_same_v<decltype(call()), std::string>)
        EXPECT_EQ(call(), expected);
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
        ExpectResult(row[3], [&] { return kPatterns.at(row[1])(test::NumberField(row[2])); });
    }
}

const std::map<std::string, std::function<double(double, double)>> kOperations{
    {"Add", Add}, {"Mul", Mul}, {"Div", Div}, {"Pow", Pow}, {"Ln", [](double a, double) { return Ln(a); }},
    {"Log10", [](double a, double) { return Log10(a); }}, {"Exp", [](double a, double) { return Exp(a); }},
    {"Sqrt", [](double a, double) { return Sqrt(a); }}, {"Floor", [](double a, double) { return Floor(a); }}};

TEST(CheckedArithmetic, ResultOrRuntimeError) {
    for (const auto& row : test::ReadCases("checked_arithmetic.tsv", 6)) {
        SCOPED_TRACE(row[0]);
        const auto operation = [&] { return kOperations.at(row[1])(test::NumberField(row[2]), test::NumberField(row[3])); };
        if (row[5].empty())
            EXPECT_EQ(operation(), test::NumberField(row[4]));
        else
            EXPECT_TRUE(Raises(static_cast<ErrorNumber>(std::stoi(row[5])), operation));
    }
}

}  // namespace
}  // namespace kurvo
