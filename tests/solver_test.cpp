// The least-squares solver: normal equations, elimination with partial
// pivoting (ties to the higher row), back substitution, and the absolute
// pivot threshold.
#include <gtest/gtest.h>

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
// Entries above n, and all of them after a failure, keep what they held.
TEST(Fit, CoefficientsOfTheModel) {
    for (const auto& row : test::ReadCases("least_squares.tsv", 7)) {
        SCOPED_TRACE(row[0]);
        const int n = std::stoi(row[1]) + 1;
        const std::vector<double> x = test::Numbers(row[2]), expected = test::Numbers(row[4]);
        CoefficientList c = Sentinels();
        const auto fit = [&] { FitPolynomial(n, static_cast<int>(x.size()), Powers(x, n), Values(test::Numbers(row[3])), c); };
        if (!row[6].empty()) {
            EXPECT_TRUE(Raises(static_cast<ErrorNumber>(std::stoi(row[6])), fit));
            EXPECT_EQ(c, Sentinels());
            continue;
        }
        fit();
        ASSERT_EQ(expected.size(), static_cast<std::size_t>(n));
        for (int j = 1; j <= n; ++j)
            EXPECT_NEAR(c(j), expected[static_cast<std::size_t>(j - 1)], test::NumberField(row[5]))
                << "x^" << j - 1 << ": " << std::hexfloat << c(j);
        for (int j = n + 1; j <= 7; ++j) EXPECT_EQ(c(j), 1000.0 + j) << "entry " << j << " above n was written";
    }
}

// A table spoilt beyond m rows and n columns gives the same bits as a clean one.
TEST(SolverInputs, ReadsOnlyTheFirstMRowsAndNColumns) {
    CoefficientList clean, c;
    FitPolynomial(2, 5, Powers(kWorkedX, 2), Values(kWorkedY), clean);
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
