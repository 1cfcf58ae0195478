// The degree table of the shown combination, and the degree chosen from it.
#include "window/degrees.h"

#include "state/grid.h"
#include "state/numbers.h"
#include "window/app.h"
#include "window/statistics.h"

namespace kurvo {

std::vector<std::string> DegreeColumns() {
    return {"次数", "n", "自由度", "残差平方和", "s", "R²", "調整済み R²", "AICc", "BIC", "PRESS",
            "p 値 (最高次の項の F 検定)", "最小", "備考"};
}

std::vector<std::string> DegreeRowTexts(const DegreeRow& row, NumberForm form) {
    std::string smallest;
    const auto mark = [&](bool best, const char* name) {
        if (!best) return;
        if (!smallest.empty()) smallest += " ";
        smallest += name;
    };
    mark(row.bestAicc, "AICc");
    mark(row.bestBic, "BIC");
    mark(row.bestPress, "PRESS");
    std::vector<std::string> texts = {std::to_string(row.degree), std::to_string(row.n),
                                      std::to_string(row.degreesOfFreedom)};
    for (const std::optional<double>* figure : {&row.squares, &row.s, &row.rSquared, &row.adjustedRSquared, &row.aicc,
                                                &row.bic, &row.press, &row.fTestP})
        texts.push_back(FigureText(*figure, form));
    texts.push_back(smallest);
    texts.push_back(row.refusal ? row.refusal->Description() : std::string());
    return texts;
}

DegreeComparison App::CompareDegreesOf(int c) const {
    DegreeComparison comparison;
    comparison.combination = c;
    if (!session_.int_Estimated || c < 1 || c > session_.int_CombCount) {
        comparison.failure = RuntimeError(ErrorNumber::NoCombination, "組合せ Y" + std::to_string(c) + " は推算されていません。");
        return comparison;
    }
    FitSamples samples;
    samples.transforms = TransformsOf(session_, c);
    try {
        ScanValidRows(c, [&](int row, double x, double y) {
            try {
                samples.x.push_back(ForwardTransform(x, samples.transforms.xLog, samples.transforms.xRecip));
            } catch (const RuntimeError& error) {
                throw Located(error, c, row, session_.int_XVar(c));
            }
            try {
                samples.y.push_back(ForwardTransform(y, samples.transforms.yLog, samples.transforms.yRecip));
            } catch (const RuntimeError& error) {
                throw Located(error, c, row, session_.int_YVar(c));
            }
            samples.rows.push_back(row);
            samples.measured.push_back(y);
        });
    } catch (const RuntimeError& error) {
        comparison.failure = error;
        return comparison;
    }
    comparison.rows = CompareDegrees(samples);
    return comparison;
}

void App::ChooseDegree(int c, int degree) {
    if (c < 1 || c > kMaxCombinations || degree < 1 || degree > 6) return;
    views_.spdSpec.SetText(kColDegree, c, std::to_string(degree));
    session_.int_Degree(c) = static_cast<std::int16_t>(degree);
    if (!session_.int_Estimated) return;
    RunEstimation();
    if (c != 1 && c <= session_.int_CombCount && fits_[static_cast<std::size_t>(c - 1)]) {
        views_.SSTab1.SelectPage(c);
        if (const Failure failure = ShowCombination(c)) ReportError(failure->Description());
    }
}

}  // namespace kurvo
