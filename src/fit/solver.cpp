#include "fit/solver.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "state/numbers.h"

namespace kurvo {

void StorePowers(PowerTable& table, int sample, double x, int degree) {
    if (degree < 0) Raise(ErrorNumber::SubscriptOutOfRange);
    double power = 1.0;
    const int last = std::max(degree + 1, 2);
    for (int p = 1; p <= last; ++p) {
        table(sample, p) = power;
        power = Mul(power, x);
    }
}

void FitPolynomial(int n, int m, const PowerTable& P, const ValueList& v, CoefficientList& c) {
    if (n < 1 || n > 7 || m < 1 || m > 100) Raise(ErrorNumber::SubscriptOutOfRange);

    constexpr int kCols = PowerTable::kCols;
    const double* power = P.Raw();
    auto p = [&](int f, int j) { return power[(f - 1) * kCols + (j - 1)]; };

    // Augmented matrix A(1..n, 1..n+1), zero-filled on every call.
    std::array<std::array<double, 9>, 8> A{};

    // 1. Normal matrix and 2. right-hand side.  Each sum runs over the samples in
    // ascending order from 0; the samples form the outer loop so that the
    // independent sums proceed side by side.
    for (int f = 1; f <= m; ++f) {
        const double y = v(f);
        for (int b = 1; b <= n; ++b) {
            const double pb = p(f, b);
            for (int i = b; i <= n; ++i) A[b][i] += p(f, i) * pb;
        }
        for (int i = 1; i <= n; ++i) A[i][n + 1] += p(f, i) * y;
    }
    for (int b = 1; b <= n; ++b) {
        for (int i = b; i <= n; ++i) A[i][b] = Finite(A[b][i]);
        Finite(A[b][n + 1]);
    }

    // 3. Forward elimination.
    for (int k = 1; k <= n; ++k) {
        double largest = std::fabs(A[k][k]);
        int pivotRow = k;
        if (k < n) {
            for (int r = k + 1; r <= n; ++r) {
                if (std::fabs(A[r][k]) >= largest) {  // ties go to the higher row
                    largest = std::fabs(A[r][k]);
                    pivotRow = r;
                }
            }
        }
        if (!(largest >= kPivotThreshold)) {
            throw RuntimeError(ErrorNumber::PivotTooSmall,
                               "最小自乗法でPivotが" + FormatGeneral(kPivotThreshold) + "になった。推算を中止する。");
        }
        if (pivotRow != k) {
            for (int col = k; col <= n + 1; ++col) std::swap(A[k][col], A[pivotRow][col]);
        }
        const double q = Div(1.0, A[k][k]);
        for (int col = k; col <= n + 1; ++col) A[k][col] = Mul(q, A[k][col]);
        if (k < n) {
            for (int r = k + 1; r <= n; ++r)
                for (int col = k + 1; col <= n + 1; ++col) A[r][col] = Sub(A[r][col], Mul(A[r][k], A[k][col]));
        }
    }

    // 4. Back substitution.
    for (int t = n - 1; t >= 1; --t)
        for (int col = t + 1; col <= n; ++col) A[t][n + 1] = Sub(A[t][n + 1], Mul(A[t][col], A[col][n + 1]));

    // 5. Output.
    for (int j = 1; j <= n; ++j) c(j) = A[j][n + 1];
}

}  // namespace kurvo
