// The fitted equation of the shown combination evaluated at a typed X.
#pragma once

#include <string>
#include <string_view>

#include "state/session.h"

namespace kurvo {

// "title = " of the shown combination's independent and dependent variable.
std::string CalculateXLabel(const Session& session);
std::string CalculateYLabel(const Session& session);

struct CalculatedValue {
    bool ok = false;
    std::string text;  // the value in the general number form, or why there is none
    double value = 0;  // the value itself
};

// X transformed like the estimation does, the polynomial of the shown
// combination (int_Comb + 1, degree int_WorkDegree), Y transformed back.
CalculatedValue CalculateValue(const Session& session, std::string_view xText);
// The same for combination c's polynomial of the given degree.
CalculatedValue CalculateValue(const Session& session, int c, int degree, std::string_view xText);

}  // namespace kurvo
