#include "graph/autoscale.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "state/numbers.h"

namespace kurvo {

int MagnitudeExponent(double value) {
    if (value == 0.0) return 0;
    return RoundToInt16(Floor(Ln(std::abs(value))) * kLog10Factor);
}

namespace {

// The exponent e of the largest power of ten not above v (> 0), free of the
// rounding of the logarithm at exact powers.
int DecadeBelow(double v) {
    if (!(v >= std::numeric_limits<double>::min())) Raise(ErrorNumber::Overflow);  // no span to divide
    int e = static_cast<int>(std::floor(std::log10(v)));
    if (std::pow(10.0, e) > v) --e;
    if (std::pow(10.0, e + 1) <= v) ++e;
    return e;
}

// k × m × 10^e as the double nearest to that decimal number.
double Decimal(double k, double m, int e) {
    const double digits = Mul(k, m);
    return e >= 0 ? Mul(digits, Pow(10.0, e)) : Div(digits, Pow(10.0, -e));
}

}  // namespace

LinearLimits SpanLimits(double min, double max) {
    double m = 1;
    int e = 0;
    bool single = min == max;
    if (!single) {
        const double fifth = Div(Sub(max, min), 5.0);
        e = DecadeBelow(fifth);
        const double leading = fifth / std::pow(10.0, e);
        m = leading >= 5 ? 5 : leading >= 2 ? 2 : 1;
        // Values that part only beyond their twelfth digit are one value to the axis.
        single = std::max(std::fabs(min), std::fabs(max)) / Decimal(1, m, e) > 1e12;
    }
    if (single) {
        m = 1;
        e = MagnitudeExponent(min);
    }
    const double unit = Decimal(1, m, e);
    // The quotients are rounded: the ends are the multiples of the unit
    // nearest to the values that still hold them.
    LinearLimits limits;
    double k = Floor(Div(min, unit));
    if (Decimal(k + 1, m, e) <= min) ++k;
    while (Decimal(k, m, e) > min) --k;
    limits.low = Decimal(k, m, e);
    if (single) {
        ++k;
    } else {
        k = std::ceil(Div(max, unit));
        if (Decimal(k - 1, m, e) >= max) --k;
    }
    while (Decimal(k, m, e) < max) ++k;
    limits.high = Decimal(k, m, e);
    return limits;
}

double StepWithinSpan(double step, double span) {
    if (step <= 4 * span) return step;
    return std::pow(10.0, DecadeBelow(span));
}

namespace {

// Writes the axis's lower limit, upper limit and divisions, each as soon as it is known.
void ScaleAxis(bool logarithmic, double min, double max, AxisScale& scale) {
    if (!logarithmic) {
        const double lowUnit = Pow(10.0, MagnitudeExponent(min));
        scale.low = Mul(lowUnit, Floor(Div(min, lowUnit)));
        const double highUnit = Pow(10.0, MagnitudeExponent(max));
        scale.high = Mul(highUnit, Floor(Add(Div(max, highUnit), 0.9)));
        scale.divisions = 5;
        // These round limits stand when they show every value and, for
        // values that differ, leave them at least half the axis; otherwise
        // (years 1990 to 2020 on 1000 to 2000, 30.5 on 30 to 30) limits are
        // taken from the values' span.
        // (A scroll bar can move one extent past the other.)
        const double least = std::min(min, max), most = std::max(min, max);
        const bool showsAll = scale.low <= least && most <= scale.high && scale.low < scale.high;
        if (!showsAll || (least < most && Sub(most, least) * 2 < Sub(scale.high, scale.low))) {
            const LinearLimits limits = SpanLimits(least, most);
            scale.low = limits.low;
            scale.high = limits.high;
        }
    } else {
        scale.divisions = RoundToInt16(Floor(Log10(max)) - Floor(Log10(min)) + 1.0);
        scale.low = Floor(Log10(min));
        scale.high = Floor(Log10(max)) + 1.0;
    }
}

}  // namespace

void AutoScaleGraph(const GraphExtents& extents, GraphScale& scale) {
    ScaleAxis(extents.xLog, extents.xMin, extents.xMax, scale.x);
    ScaleAxis(extents.yLog, extents.yMin, extents.yMax, scale.y);
}

}  // namespace kurvo
