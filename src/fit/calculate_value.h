// A fitted equation evaluated at a typed X.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "fit/transforms.h"

namespace kurvo {

struct CalculatedValue {
    bool ok = false;
    std::string text;  // the value in the general number form, or why there is none
    double value = 0;  // the value itself
};

// X transformed like the estimation does, the polynomial of the given degree
// with the coefficients of powers 0, 1, ..., Y transformed back.  A power
// beyond the coefficients given is a subscript error, told as a value that
// cannot be calculated.
CalculatedValue CalculateValue(std::span<const double> coefficients, const Transforms& transforms, int degree,
                               std::string_view xText);

}  // namespace kurvo
