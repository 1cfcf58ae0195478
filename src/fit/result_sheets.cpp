// The result sheet of one combination: a line per valid sample in its
// estimate grid, its four statistics, its axis limits, and the working state
// (degree, coefficients, sample count, power table) that the graph and the
// calculate-value dialog use next.
#include "fit/transforms.h"
#include "graph/autoscale.h"
#include "state/app.h"

namespace kurvo {

namespace {

enum CoefficientRow { kRowSquares = 1, kRowStandardError = 2, kRowCorrelation = 3, kRowRelativeError = 4 };

struct Sums {
    double squares = 0;   // Σ (ym − ŷ)²
    double relative = 0;  // Σ |(ym − ŷ) / ym|, or |ym − ŷ| where ym = 0
    double y = 0, yy = 0, f = 0, ff = 0, yf = 0;  // Σ ym, Σ ym², Σ ŷ, Σ ŷ², Σ ym·ŷ
};

}  // namespace

std::vector<int> App::FillResultSheets(int k, FillMode mode) {
    Session& s = session;
    const int c = k + 1;
    IGrid& data = views_.spdData;
    if (k < 0 || k >= kMaxCombinations) Raise(ErrorNumber::SubscriptOutOfRange);
    IGrid& sheet = *views_.spdEstimate[static_cast<std::size_t>(k)];

    s.int_WorkDegree = s.int_Degree(c);
    const int degree = s.int_WorkDegree;
    for (int j = 0; j <= degree; ++j) s.dbl_WorkCoeff(j) = s.dbl_Coeff(c, j);

    s.int_DataCount = 0;
    Sums sums;
    std::vector<int> rows;
    rows.reserve(kMaxSamples);
    const bool columnsExist = IsVariable(s.int_XVar(c)) && IsVariable(s.int_YVar(c));
    for (int r = 1; columnsExist && r <= kMaxSamples; ++r) {
        const auto xValue = data.Number(s.int_XVar(c), r);
        const auto yValue = data.Number(s.int_YVar(c), r);
        if (!xValue || !yValue) continue;

        double xt = 0;
        try {
            xt = ForwardTransform(*xValue, s.int_XLog(c), s.int_XRecip(c));
        } catch (const RuntimeError&) {
            // Outside a run an X edited to a value the transform cannot take
            // counts as a row that is not valid.
            if (mode == FillMode::Estimation) throw;
            continue;
        }
        const int sample = ++s.int_DataCount;
        rows.push_back(r);
        StorePowers(s, sample, xt, degree);

        const double x = BackTransform(xt, s.int_XLog(c), s.int_XRecip(c));
        sheet.SetNumber(1, r, x);
        const double ym = *yValue;
        sheet.SetNumber(2, r, ym);
        const double fitted = PolynomialValue(xt, degree, [&](int j) { return s.dbl_WorkCoeff(j); });
        const double yHat = BackTransform(fitted, s.int_YLog(c), s.int_YRecip(c));
        sheet.SetNumber(3, r, yHat);
        const double error = Sub(ym, yHat);
        sheet.SetNumber(4, r, error);

        sums.squares = Add(sums.squares, Mul(error, error));
        sums.relative = Add(sums.relative, std::abs(ym == 0.0 ? error : Div(error, ym)));
        sums.y = Add(sums.y, ym);
        sums.yy = Add(sums.yy, Mul(ym, ym));
        sums.f = Add(sums.f, yHat);
        sums.ff = Add(sums.ff, Mul(yHat, yHat));
        sums.yf = Add(sums.yf, Mul(ym, yHat));

        const double percent = Mul(ym == 0.0 ? error : Div(error, ym), 100.0);
        sheet.SetText(5, r, FormatPercent(percent));
        sheet.SetDisplayAttribute(5, r, 1);
    }

    AutoScaleGraph(s, c);

    if (s.int_DataCount == 0) return rows;
    IGrid& coeff = views_.spdCoeff;
    const double n = s.int_DataCount;
    const int parameters = degree + 1;

    // 残差平方和 = Σ r²
    coeff.SetText(c, kRowSquares, FormatCoefficient(sums.squares));
    // 標準誤差 = √(Σ r² / (n − p)), none when n ≤ p
    coeff.SetText(c, kRowStandardError,
                  n > parameters ? FormatCoefficient(Sqrt(Div(sums.squares, n - parameters))) : std::string());
    // 相対誤差 = Σ |r / ym| / n
    coeff.SetText(c, kRowRelativeError, FormatCoefficient(Div(sums.relative, n)));
    // 重相関係数 = (nΣym·ŷ − Σym·Σŷ) / √((nΣym² − (Σym)²)(nΣŷ² − (Σŷ)²)), none without spread
    const double spreadY = Sub(Mul(n, sums.yy), Mul(sums.y, sums.y));
    const double spreadF = Sub(Mul(n, sums.ff), Mul(sums.f, sums.f));
    std::string correlation;
    if (spreadY > 0.0 && spreadF > 0.0) {
        const double r = Div(Sub(Mul(n, sums.yf), Mul(sums.y, sums.f)), Sqrt(Mul(spreadY, spreadF)));
        correlation = FormatCoefficient(r);
    }
    coeff.SetText(c, kRowCorrelation, correlation);
    return rows;
}

}  // namespace kurvo
