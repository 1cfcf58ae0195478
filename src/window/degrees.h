// Which degree?  The shown combination's samples fitted at every degree, as
// the degree table of the window and kurvo-batch --degrees show it.
#pragma once

#include <string>
#include <vector>

#include "fit/degree_table.h"
#include "window/statistics.h"

namespace kurvo {

// The table's headings: 次数, n, 自由度, 残差平方和, s, R², 調整済み R², AICc, BIC,
// PRESS, the F test's p, 最小 (which of AICc, BIC and PRESS are smallest in
// this row) and 備考 (why a degree was refused).
std::vector<std::string> DegreeColumns();

// One row's texts under those headings, the numbers in the given form, "—"
// for a figure without value.
std::vector<std::string> DegreeRowTexts(const DegreeRow& row, NumberForm form);

// The columns of the figures whose smallest value is marked.
inline constexpr std::size_t kDegreeColumnAicc = 7, kDegreeColumnBic = 8, kDegreeColumnPress = 9;
// The column of R², followed by the adjusted R².
inline constexpr std::size_t kDegreeColumnRSquared = 5;

}  // namespace kurvo
