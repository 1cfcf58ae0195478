// The estimation run: every combination of the method grid is transformed,
// fitted and shown, then the first combination's page and graph.
#include <algorithm>

#include "fit/solver.h"
#include "fit/transforms.h"
#include "graph/autoscale.h"
#include "state/app.h"

namespace kurvo {

namespace {

// Method grid columns.
enum SpecColumn { kColYVar = 1, kColYLog = 2, kColYRecip = 3, kColXVar = 4, kColXLog = 5, kColXRecip = 6, kColDegree = 7 };

std::int16_t IntegerOf(const IGrid& grid, int col, int row) { return RoundToInt16(NumberOf(grid.Text(col, row))); }

}  // namespace

void StorePowers(Session& s, int sample, double x, int degree) {
    if (degree < 0) Raise(ErrorNumber::SubscriptOutOfRange);
    double power = 1.0;
    const int last = std::max(degree + 1, 2);
    for (int p = 1; p <= last; ++p) {
        s.dbl_XPower(sample, p) = power;
        power = Mul(power, x);
    }
}

void App::RunEstimation() {
    try {
        RunEstimationSteps();
    } catch (const RuntimeError& error) {
        ReportError(error.Description());
    }
}

void App::RunEstimationSteps() {
    Session& s = session;
    IGrid& data = views_.spdData;
    IGrid& methodGrid = views_.spdSpec;

    views_.spdCoeff.ClearSheet();

    s.int_VarCount = 0;
    for (int col = 1; col <= kMaxVariables; ++col)
        for (int r = 1; r <= kMaxSamples; ++r)
            if (data.Number(col, r)) {
                s.int_VarCount = static_cast<std::int16_t>(col);
                break;
            }

    s.int_CombCount = 0;
    int fittedCombinations = 0;
    for (int c = 1; c <= kMaxCombinations; ++c) {
        if (methodGrid.Text(kColYVar, c).empty()) break;
        s.int_DataCount = 0;
        ++s.int_CombCount;

        s.int_YVar(c) = static_cast<std::int16_t>(methodGrid.SelectedIndex(kColYVar, c) + 1);
        s.int_YLog(c) = IntegerOf(methodGrid, kColYLog, c);
        s.int_YRecip(c) = IntegerOf(methodGrid, kColYRecip, c);
        s.int_XVar(c) = static_cast<std::int16_t>(methodGrid.SelectedIndex(kColXVar, c) + 1);
        s.int_XLog(c) = IntegerOf(methodGrid, kColXLog, c);
        s.int_XRecip(c) = IntegerOf(methodGrid, kColXRecip, c);
        s.int_Degree(c) = IntegerOf(methodGrid, kColDegree, c);
        s.int_WorkDegree = s.int_Degree(c);

        // Valid samples: rows whose X and Y cells are both numeric.
        ValueList values;
        // A variable that names no data column gives no sample.
        const bool columnsExist = IsVariable(s.int_XVar(c)) && IsVariable(s.int_YVar(c));
        for (int r = 1; columnsExist && r <= kMaxSamples; ++r) {
            const auto x = data.Number(s.int_XVar(c), r);
            const auto y = data.Number(s.int_YVar(c), r);
            if (!x || !y) continue;
            const int sample = ++s.int_DataCount;
            StorePowers(s, sample, ForwardTransform(*x, s.int_XLog(c), s.int_XRecip(c)), s.int_WorkDegree);
            s.dbl_YData(sample, c) = *y;
            values(sample) = ForwardTransform(*y, s.int_YLog(c), s.int_YRecip(c));
        }
        if (s.int_DataCount == 0) continue;

        CoefficientList coefficients;
        FitPolynomial(s.int_WorkDegree + 1, s.int_DataCount, s.dbl_XPower, values, coefficients);
        ++fittedCombinations;

        for (int p = 1; p <= s.int_WorkDegree + 1; ++p) {
            s.dbl_Coeff(c, p - 1) = coefficients(p);
            views_.spdCoeff.SetText(c, p + 4, FormatCoefficient(coefficients(p)));
        }
        s.int_WorkDegree = s.int_Degree(c);

        // Extents in measured units: the samples' x, the measured and the fitted y.
        s.dbl_XMax(c) = -9.999E+300;
        s.dbl_XMin(c) = 9.999E+300;
        s.dbl_YMax(c) = -9.999E+300;
        s.dbl_YMin(c) = 9.999E+300;
        for (int sample = 1; sample <= s.int_DataCount; ++sample) {
            const double xt = s.dbl_XPower(sample, 2);
            const double x = BackTransform(xt, s.int_XLog(c), s.int_XRecip(c));
            const double ym = s.dbl_YData(sample, c);  // the value of the sample's own Y cell
            const double fitted = PolynomialValue(xt, s.int_WorkDegree, [&](int j) { return coefficients(j + 1); });
            const double yHat = BackTransform(fitted, s.int_YLog(c), s.int_YRecip(c));
            if (x < s.dbl_XMin(c)) s.dbl_XMin(c) = x;
            if (x > s.dbl_XMax(c)) s.dbl_XMax(c) = x;
            if (yHat < s.dbl_YMin(c)) s.dbl_YMin(c) = yHat;
            if (yHat > s.dbl_YMax(c)) s.dbl_YMax(c) = yHat;
            if (ym < s.dbl_YMin(c)) s.dbl_YMin(c) = ym;
            if (ym > s.dbl_YMax(c)) s.dbl_YMax(c) = ym;
        }

        FillResultSheets(c - 1, FillMode::Estimation);
    }
    // Nothing fitted (no dependent and independent variable chosen, or no
    // sample of them): the run ends here like one that met an error, and the
    // page, the graph and the earlier results stay as they were.
    if (fittedCombinations == 0) Raise(ErrorNumber::NoCombination);

    views_.picGraph.Clear();
    window.int_HScroll_Low = kScrollMax;
    window.int_HScroll_High = 0;
    window.int_VScroll_Low = kScrollMax;
    window.int_VScroll_High = 0;
    views_.SSTab1.SelectPage(1);
    s.int_Comb = 0;
    FillResultSheets(0, FillMode::Estimation);
    AutoScaleGraph(s, 1);
    s.int_Estimated = kTrue;
    DrawGraph(0, false, s.int_XLog(1), s.int_YLog(1), s.int_XRecip(1), s.int_YRecip(1));
}

}  // namespace kurvo
