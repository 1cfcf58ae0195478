// The estimation run: every combination of the method grid is transformed,
// fitted and shown, then the first combination's page and graph.
#include <algorithm>
#include <set>

#include "fit/solver.h"
#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

namespace {

std::int16_t IntegerOf(const IGrid& grid, int col, int row) { return RoundToInt16(NumberOf(grid.Text(col, row))); }

}  // namespace

Failure App::Estimate(bool draw) {
    Failure refused;
    try {
        refused = EstimateSteps();
    } catch (const RuntimeError& error) {
        return error;
    }
    const Failure drawn = draw ? DrawShown(false) : Failure{};
    return refused ? refused : drawn;
}

void App::RunEstimation() {
    if (const Failure failure = Estimate()) return ReportError(failure->Description());
    // No row is passed over in silence: the status line counts the rows whose
    // X or Y cell holds a text that is not a number, and names the first.
    std::set<int> passed;
    std::string first;
    for (int c = 1; c <= session_.int_CombCount; ++c) {
        if (!IsVariable(session_.int_XVar(c)) || !IsVariable(session_.int_YVar(c))) continue;
        for (int r = 1; r <= kMaxSamples; ++r)
            for (const int v : {std::min(session_.int_XVar(c), session_.int_YVar(c)), std::max(session_.int_XVar(c), session_.int_YVar(c))}) {
                const std::string& text = views_.spdData.Text(v, r);
                if (text.empty() || views_.spdData.Number(v, r) || passed.contains(r)) continue;
                if (passed.empty() || r < *passed.begin())
                    first = std::to_string(r) + " 行目 " + std::string(1, static_cast<char>('A' + v - 1)) + " 列の「" + text + "」";
                passed.insert(r);
            }
    }
    if (!passed.empty())
        views_.dialogs.ShowStatus("数値でないセルのため " + std::to_string(passed.size()) + " 行を計算に入れませんでした（最初は " +
                                  first + "）。");
}

RuntimeError App::Located(const RuntimeError& error, int c, int row, int col) const {
    std::string place = "場所: 組合せ Y" + std::to_string(c);
    if (row > 0) {
        place += "、データの " + std::to_string(row) + " 行目、" + std::string(1, static_cast<char>('A' + col - 1)) + " 列";
        const std::string heading = views_.spdData.Text(col, 0);
        if (heading != std::string(1, static_cast<char>('A' + col - 1))) place += "「" + heading + "」";
    }
    return RuntimeError(error.Number(), error.Description() + "\n" + place);
}

FitSamples App::SamplesForFit(int c) {
    Session& s = session_;
    FitSamples samples;
    samples.transforms = TransformsOf(s, c);
    ScanValidRows(c, [&](int r, double x, double y) {
        const int sample = ++s.int_DataCount;
        double xt = 0, yt = 0;
        try {
            xt = ForwardTransform(x, s.int_XLog(c), s.int_XRecip(c));
            StorePowers(s.dbl_XPower, sample, xt, s.int_WorkDegree);
        } catch (const RuntimeError& error) {
            if (error.Number() == ErrorNumber::SubscriptOutOfRange) throw;  // a degree the table has no room for
            throw Located(error, c, r, s.int_XVar(c));
        }
        s.dbl_YData(sample, c) = y;
        try {
            yt = ForwardTransform(y, s.int_YLog(c), s.int_YRecip(c));
        } catch (const RuntimeError& error) {
            throw Located(error, c, r, s.int_YVar(c));
        }
        samples.rows.push_back(r);
        samples.x.push_back(xt);
        samples.y.push_back(yt);
        samples.measured.push_back(y);
    });
    return samples;
}

bool App::FitAndShow(int c) {
    Session& s = session_;
    FitSamples samples = SamplesForFit(c);
    // A combination without samples keeps what earlier runs left.
    if (samples.Count() == 0) return false;
    fits_[static_cast<std::size_t>(c - 1)].reset();

    FitReport report = FitCombination(samples, s.int_WorkDegree);
    if (report.failure) {
        const FitReport::Place& at = report.failedAt;
        if (at.sample < 0) throw Located(*report.failure, c, 0, 0);
        throw Located(*report.failure, c, samples.rows[static_cast<std::size_t>(at.sample)],
                      at.measured ? s.int_YVar(c) : s.int_XVar(c));
    }
    for (int p = 1; p <= s.int_WorkDegree + 1; ++p) {
        s.dbl_Coeff(c, p - 1) = report.coefficients[static_cast<std::size_t>(p - 1)];
        views_.spdCoeff.SetFigure(c, kRowC0 + p - 1, FormatCoefficient(s.dbl_Coeff(c, p - 1)), s.dbl_Coeff(c, p - 1));
    }
    s.dbl_XMin(c) = report.extents.xMin;
    s.dbl_XMax(c) = report.extents.xMax;
    s.dbl_YMin(c) = report.extents.yMin;
    s.dbl_YMax(c) = report.extents.yMax;
    PresentReport(c - 1, samples, report);
    fits_[static_cast<std::size_t>(c - 1)] = KeptFit{std::move(samples), std::move(report)};
    return true;
}

void App::LeaveEmpty(int c) {
    refused_[static_cast<std::size_t>(c - 1)] = true;
    fits_[static_cast<std::size_t>(c - 1)].reset();
    for (int r = 1; r <= views_.spdCoeff.Rows(); ++r) views_.spdCoeff.SetText(c, r, "");
    views_.spdEstimate.at(static_cast<std::size_t>(c - 1))->ClearSheet();
}

Failure App::EstimateSteps() {
    Session& s = session_;
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
    int firstFitted = 0;  // the first combination fitted in this run
    Failure refused;  // what stopped the combinations left empty, each named
    for (int c = 1; c <= kMaxCombinations; ++c) {
        if (methodGrid.Text(kColYVar, c).empty()) break;
        s.int_DataCount = 0;
        ++s.int_CombCount;
        refused_[static_cast<std::size_t>(c - 1)] = false;

        for (const int col : {kColYVar, kColXVar}) {
            const std::vector<std::string> items = methodGrid.Items(col, c);
            const std::string name = methodGrid.Text(col, c);
            if (std::count(items.begin(), items.end(), name) > 1)
                throw RuntimeError(ErrorNumber::NoCombination, "組合せ " + std::to_string(c) + " の変数「" + name +
                                                                   "」は二つ以上の列の名前です。変数名の設定で列ごとに別の名前にしてください。");
        }
        s.int_YVar(c) = static_cast<std::int16_t>(methodGrid.SelectedIndex(kColYVar, c) + 1);
        s.int_YLog(c) = IntegerOf(methodGrid, kColYLog, c);
        s.int_YRecip(c) = IntegerOf(methodGrid, kColYRecip, c);
        s.int_XVar(c) = static_cast<std::int16_t>(methodGrid.SelectedIndex(kColXVar, c) + 1);
        s.int_XLog(c) = IntegerOf(methodGrid, kColXLog, c);
        s.int_XRecip(c) = IntegerOf(methodGrid, kColXRecip, c);
        s.int_Degree(c) = IntegerOf(methodGrid, kColDegree, c);
        s.int_WorkDegree = s.int_Degree(c);

        try {
            if (!FitAndShow(c)) continue;
        } catch (const RuntimeError& error) {
            // The others are fitted and shown all the same.
            LeaveEmpty(c);
            refused = refused ? RuntimeError(refused->Number(), refused->Description() + "\n\n" + error.Description())
                              : error;
            continue;
        }
        ++fittedCombinations;
        if (firstFitted == 0) firstFitted = c;
    }
    // Nothing fitted (no dependent and independent variable chosen, no
    // sample of them, or every combination refused): the run ends here like
    // one that met an error, and the page, the graph and the earlier results
    // stay as they were.
    if (fittedCombinations == 0) {
        if (refused) throw *refused;
        Raise(ErrorNumber::NoCombination);
    }
    // The run ends on the first combination's page, or on the first fitted
    // one's when the first was refused.
    const int shown = refused_[0] ? firstFitted : 1;

    views_.picGraph.Clear();
    window.int_HScroll_Low = kScrollMax;
    window.int_HScroll_High = 0;
    window.int_VScroll_Low = kScrollMax;
    window.int_VScroll_High = 0;
    // The page is filled and drawn below, once: not by the tab switch as well.
    const auto selectPage = [this](int page) {
        changingPage_ = true;
        views_.SSTab1.SelectPage(page);
        changingPage_ = false;
    };
    selectPage(shown);
    s.int_Comb = static_cast<std::int16_t>(shown - 1);
    try {
        // Presenting a report scales its graph's axes.
        if (shown == firstFitted) {
            // Its sheet shows this run's report already, and its axes are
            // scaled; what it has to be shown again for is the working state,
            // which the combinations fitted after it have taken.
            LoadWorkingState(shown - 1, fits_[static_cast<std::size_t>(shown - 1)]->samples);
        } else if (const Failure failure = FillResultSheets(shown - 1)) {
            throw *failure;
        }
    } catch (const RuntimeError&) {
        // A run that ends in an error (a logarithmic axis whose extent is 0)
        // leaves the data page up, as one that failed earlier does.
        selectPage(0);
        throw;
    }
    s.int_Estimated = kTrue;
    return refused;
}

}  // namespace kurvo
