// The figures of a fit as texts: the coefficient table the statistics dialog
// shows and kurvo-batch --stats writes, and the intervals at one x.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fit/fit_statistics.h"
#include "state/session.h"

namespace kurvo {

// What a figure that has no value reads.
inline constexpr const char* kNoFigure = "—";

// A number in the given form, "—" for none.
using NumberForm = std::string (*)(double);
std::string FigureText(const std::optional<double>& value, NumberForm form);

// The headings of a coefficient table: 係数, 係数の標準誤差, t 値, p 値, 下限 (95%), 上限 (95%).
std::vector<std::string> CoefficientColumns(ConfidenceLevel level);

// The row of coefficient j: its value, then the figures of the columns above
// ("—" each when the figures are not available).
std::vector<std::string> CoefficientRow(const FitFigures& figures, std::size_t j, NumberForm form);

// The numbers of CoefficientRow, none where it reads "—".
std::vector<std::optional<double>> CoefficientValues(const FitFigures& figures, std::size_t j);

// "信頼区間 (95%)" and "予測区間 (95%)": what the band ends at one x are called.
std::string IntervalName(bool prediction, ConfidenceLevel level);

// "n = 10　自由度 = 6　s = …　R² = …　調整済み R² = …", "—" for what is not
// available; R² and the adjusted R² in `rSquaredForm`, so that 0.99999994
// need not read as 1.
std::string FigureSummary(const FitFigures& figures, NumberForm form, NumberForm rSquaredForm);

// One interval of a band at an x: "54.1 ～ 71.2"; why there is none: the
// reciprocal's pole inside it, or no figures at all ("—").
std::string IntervalText(const std::optional<BandAt>& band, bool prediction, const Transforms& transforms,
                         NumberForm form);

}  // namespace kurvo
