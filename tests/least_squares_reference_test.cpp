// FitLeastSquares against exact least-squares solutions and NIST's certified
// values: which solution it keeps, how many digits it reaches, what it
// refuses, and the factor it keeps for bands.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "checks.h"
#include "fit/least_squares.h"
#include "fit/transforms.h"

namespace kurvo {
namespace {

// log relative error of value against expected; 17 when they are equal.
double Digits(double value, double expected) {
    return value == expected ? 17.0 : -std::log10(std::fabs(value - expected) / std::fabs(expected));
}

// z0' (X'X)^-1 z0 at x0 from the kept factor: |w|² with R' w = (1, t0, ..., t0^degree).
double Leverage(const LeastSquaresFit& fit, double x0) {
    const std::size_t n = fit.coefficients.size();
    const double t0 = (x0 - fit.centre) / fit.halfWidth;
    std::vector<double> w(n);
    double power = 1.0, sum = 0.0;
    for (std::size_t i = 0; i < n; ++i, power *= t0) {
        w[i] = power;
        for (std::size_t k = 0; k < i; ++k) w[i] -= fit.r[k * n + i] * w[k];
        w[i] /= fit.r[i * n + i];
        sum += w[i] * w[i];
    }
    return sum;
}

TEST(LeastSquaresReference, DigitsPathAndRefusals) {
    for (const auto& row : test::ReadCases("least_squares_reference.tsv", 10)) {
        SCOPED_TRACE(row[0]);
        const int degree = std::stoi(row[1]);
        const std::vector<double> flags = test::Numbers(row[2]), expected = test::Numbers(row[5]);
        const auto flag = [&](int i) { return static_cast<std::int16_t>(flags[static_cast<std::size_t>(i)]); };
        std::vector<double> x = test::Numbers(row[3]), y = test::Numbers(row[4]);
        for (double& v : y) v = ForwardTransform(v, flag(0), flag(1));
        for (double& v : x) v = ForwardTransform(v, flag(2), flag(3));
        if (!row[8].empty()) {
            try {
                FitLeastSquares(x, y, degree);
                ADD_FAILURE() << "fitted, expected error " << row[8];
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.Code(), std::stoi(row[8]));
                if (!row[9].empty()) {
                    EXPECT_EQ(error.Description(), row[9]);
                }
            }
            continue;
        }
        const LeastSquaresFit fit = FitLeastSquares(x, y, degree);
        EXPECT_EQ(fit.normalEquations ? "normal" : "reference", row[7]);
        ASSERT_EQ(fit.coefficients.size(), expected.size());
        for (std::size_t j = 0; j < expected.size(); ++j)
            EXPECT_GE(Digits(fit.coefficients[j], expected[j]), test::NumberField(row[6]))
                << "x^" << j << ": " << fit.coefficients[j] << " for " << expected[j];
        // The leverages of the samples are the diagonal of a projection onto degree + 1 dimensions.
        double trace = 0.0;
        for (const double v : x) trace += Leverage(fit, v);
        EXPECT_NEAR(trace, degree + 1, 1e-12);
    }
}

}  // namespace
}  // namespace kurvo
