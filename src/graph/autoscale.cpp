#include "graph/autoscale.h"

#include <cmath>

#include "state/numbers.h"

namespace kurvo {

int MagnitudeExponent(double value) {
    if (value == 0.0) return 0;
    return RoundToInt16(Floor(Ln(std::abs(value))) * kLog10Factor);
}

namespace {

void ScaleAxis(bool logarithmic, double min, double max, double& low, double& high, std::int16_t& divisions) {
    if (!logarithmic) {
        const double lowUnit = Pow(10.0, MagnitudeExponent(min));
        low = Mul(lowUnit, Floor(Div(min, lowUnit)));
        const double highUnit = Pow(10.0, MagnitudeExponent(max));
        high = Mul(highUnit, Floor(Add(Div(max, highUnit), 0.9)));
        divisions = 5;
    } else {
        divisions = RoundToInt16(Floor(Log10(max)) - Floor(Log10(min)) + 1.0);
        low = Floor(Log10(min));
        high = Floor(Log10(max)) + 1.0;
    }
}

}  // namespace

void AutoScaleGraph(Session& s, int c) {
    s.int_XLog(c);  // a combination number outside 1..5 is a subscript error
    ScaleAxis(s.int_XLog(c) != 0, s.dbl_XMin(c), s.dbl_XMax(c), s.dbl_XLow(c), s.dbl_XHigh(c), s.int_XDiv(c));
    ScaleAxis(s.int_YLog(c) != 0, s.dbl_YMin(c), s.dbl_YMax(c), s.dbl_YLow(c), s.dbl_YHigh(c), s.int_YDiv(c));
}

}  // namespace kurvo
