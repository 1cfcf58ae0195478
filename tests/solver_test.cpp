// The least-squares solver: normal equations, elimination with partial
// pivoting (ties to the higher row), back substitution, and the absolute
// pivot threshold.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "checks.h"
#include "fit/solver.h"

namespace kurvo {
namespace {

using test::Raises;

// Column p holds x^(p - 1) by successive multiplication; columns 1 and 2 always.
PowerTable Powers(const std::vector<double>& xs, int coefficients) {
    PowerTable table;
    for (std::size_t s = 0; s < xs.size(); ++s) {
        double power = 1.0;
        for (int p = 1; p <= std::max(coefficients, 2) && p <= 7; ++p, power *= xs[s])
            table(static_cast<int>(s) + 1, p) = power;
    }
    return table;
}

ValueList Values(const std::vector<double>& ys) {
    ValueList list;
    for (std::size_t s = 0; s < ys.size(); ++s) list(static_cast<int>(s) + 1) = ys[s];
    return list;
}

// Values no fit produces, to see what a call writes.
CoefficientList Sentinels() {
    CoefficientList c;
    for (int j = 1; j <= 7; ++j) c(j) = 1000.0 + j;
    return c;
}

const std::vector<double> kWorkedX{1, 2, 3, 4, 5};
const std::vector<double> kWorkedY{2.1, 3.9, 6.2, 7.8, 10.1};
const std::vector<double> kTinyX{1E-7, 2E-7, 3E-7, 4E-7, 5E-7, 6E-7, 7E-7, 8E-7, 9E-7, 10E-7};

struct FitRow {
    const char* name;
    int degree;
    std::vector<double> x, y;
    std::vector<double> expected;  // c0 .. c(degree)
    double tolerance;              // 0: the same bits
    std::optional<ErrorNumber> error = std::nullopt;
};
void PrintTo(const FitRow& row, std::ostream* os) { *os << row.name; }

class Fit : public ::testing::TestWithParam<FitRow> {};

// Entries above n, and all of them after a failure, keep what they held.
TEST_P(Fit, CoefficientsOfTheModel) {
    const FitRow& row = GetParam();
    const int n = row.degree + 1;
    CoefficientList c = Sentinels();
    const auto fit = [&] { FitPolynomial(n, static_cast<int>(row.x.size()), Powers(row.x, n), Values(row.y), c); };
    if (row.error) {
        EXPECT_TRUE(Raises(*row.error, fit));
        EXPECT_EQ(c, Sentinels());
        return;
    }
    fit();
    ASSERT_EQ(row.expected.size(), static_cast<std::size_t>(n));
    for (int j = 1; j <= n; ++j)
        EXPECT_NEAR(c(j), row.expected[static_cast<std::size_t>(j - 1)], row.tolerance) << "x^" << j - 1 << ": "
                                                                                         << std::hexfloat << c(j);
    for (int j = n + 1; j <= 7; ++j) EXPECT_EQ(c(j), 1000.0 + j) << "entry " << j << " above n was written";
}

INSTANTIATE_TEST_SUITE_P(
    Samples, Fit,
    ::testing::Values(
        // 0.05 + 1.99x and 0.2 + 1.8614286x + 0.0214286x², to the bits the stated
        // order of sums, interchanges and eliminations gives.
        FitRow{"WorkedStraightLineBits", 1, kWorkedX, kWorkedY, {0x1.9999999999900p-5, 0x1.fd70a3d70a3d9p+0}, 0},
        FitRow{"WorkedParabolaBits", 2, kWorkedX, kWorkedY,
               {0x1.9999999999b98p-3, 0x1.dc869536202c0p+0, 0x1.5f15f15f160bep-6}, 0},
        FitRow{"ConstantIsTheMean", 0, {1, 2, 3}, {2, 4, 9}, {5}, 0},
        // Σx equals the sample count: the first column ties |3| with |3| and the
        // lower row becomes the pivot row (the diagonal row would give
        // -0x1.5555555555568p-3 and 0x1.6666666666668p+0).
        FitRow{"TiedPivotGoesToTheHigherRow", 1, {0, 1, 2}, {0.1, 0.7, 2.9},
               {-0x1.5555555555560p-3, 0x1.6666666666667p+0}, 0},
        FitRow{"TinyXScaledByAMillionFits", 1, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0},
               {2.3, 2.6, 2.9, 3.2, 3.5, 3.8, 4.1, 4.4, 4.7, 5.0}, {2, 3}, 1e-12},
        // The second pivot is about 8E-13: refused although the system is well posed.
        FitRow{"TinyXRefusedByAbsoluteThreshold", 1, kTinyX, kTinyX, {}, 0, ErrorNumber::PivotTooSmall},
        FitRow{"FewerSamplesThanCoefficients", 3, {1, 2, 3}, {1, 2, 3}, {}, 0, ErrorNumber::PivotTooSmall},
        FitRow{"SumsBeyondDoubleRange", 1, {1e200, 2e200}, {1, 2}, {}, 0, ErrorNumber::Overflow}),
    test::RowName());

// After a failing call and a larger fit, a table spoilt beyond m rows and n
// columns gives the same bits as a clean one.
TEST(SolverInputs, FreshMatrixEachCallReadingOnlyTheFirstMRowsAndNColumns) {
    CoefficientList clean, c;
    FitPolynomial(2, 5, Powers(kWorkedX, 2), Values(kWorkedY), clean);
    EXPECT_TRUE(Raises(ErrorNumber::PivotTooSmall, [&] { FitPolynomial(3, 2, Powers({1, 2}, 3), Values({1, 2}), c); }));
    FitPolynomial(3, 5, Powers(kWorkedX, 3), Values(kWorkedY), c);
    PowerTable table = Powers(kWorkedX, 2);
    ValueList values = Values(kWorkedY);
    for (int s = 1; s <= 100; ++s)
        for (int p = (s <= 5 ? 3 : 1); p <= 7; ++p) table(s, p) = 1e300;
    for (int s = 6; s <= 100; ++s) values(s) = -1e300;
    FitPolynomial(2, 5, table, values, c);
    EXPECT_EQ(c(1), clean(1));
    EXPECT_EQ(c(2), clean(2));
}

}  // namespace
}  // namespace kurvo
