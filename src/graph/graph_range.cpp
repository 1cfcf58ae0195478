#include "graph/graph_range.h"

#include <cmath>
#include <optional>

#include "graph/autoscale.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

constexpr std::array<const char*, 4> kBoxNames = {"独立変数の下限", "独立変数の上限", "従属変数の下限", "従属変数の上限"};

struct AxisLimits {
    double low = 0, high = 0;
    std::int16_t divisions = 0;
};

// Exponent of a linear axis end: X ends take the floor of the natural
// logarithm scaled to decades and rounded, Y ends the floor of the decimal
// logarithm.
int LinearExponent(double v, bool yAxis) {
    if (v == 0) return 0;
    return yAxis ? RoundToInt16(Floor(Log10(std::fabs(v)))) : MagnitudeExponent(v);
}

double LinearLow(double v, bool yAxis) {
    const double unit = Pow(10.0, LinearExponent(v, yAxis));
    return Mul(unit, Floor(Div(v, unit)));
}

double LinearHigh(double v, bool yAxis) {
    const double unit = Pow(10.0, LinearExponent(v, yAxis));
    return Mul(unit, Floor(Add(Div(v, unit), 0.9)));
}

// Whether round limits honour the typed ends: they hold them, and differing
// ends lie at most one division (a fifth of the axis) inside the limits.
bool Honours(double low, double high, double lower, double upper) {
    if (!(low <= lower && upper <= high && low < high)) return false;
    if (lower == upper) return true;
    const double division = Sub(high, low) / 5;
    return Sub(lower, low) <= division && Sub(high, upper) <= division;
}

}  // namespace

RangeTexts CurrentRangeTexts(const Session& s, int c) {
    return {FormatGeneral(s.dbl_XMin(c)), FormatGeneral(s.dbl_XMax(c)), FormatGeneral(s.dbl_YMin(c)),
            FormatGeneral(s.dbl_YMax(c))};
}

RangeOutcome ApplyGraphRange(Session& s, int c, const RangeTexts& texts, std::array<bool, 2> axesTyped) {
    std::array<double, 4> ends{s.dbl_XMin(c), s.dbl_XMax(c), s.dbl_YMin(c), s.dbl_YMax(c)};
    for (std::size_t i = 0; i < ends.size(); ++i) {
        if (!axesTyped[i / 2]) continue;
        const auto value = NumericValue(texts[i]);
        if (!value) return {false, "「" + std::string(kBoxNames[i]) + "」に数値を入力してください。", {}};
        ends[i] = *value;
    }
    const bool xLog = s.int_XLog(c) != 0;
    const bool yLog = s.int_YLog(c) != 0;
    const auto [xl, xu, yl, yu] = ends;
    if ((axesTyped[0] && xl > xu) || (axesTyped[1] && yl > yu)) return {false, {}, "下限が上限より大きくなっています。"};
    if ((axesTyped[0] && xLog && (xl <= 0 || xu <= 0)) || (axesTyped[1] && yLog && (yl <= 0 || yu <= 0)))
        return {false, {}, "対数の軸の下限と上限は 0 より大きい数にしてください。"};

    std::array<AxisLimits, 2> axes;
    for (std::size_t axis = 0; axis < 2; ++axis) {
        if (!axesTyped[axis]) continue;
        const bool yAxis = axis == 1;
        const double lower = ends[axis * 2], upper = ends[axis * 2 + 1];
        AxisLimits& limits = axes[axis];
        std::size_t box = axis * 2;
        try {
            if (yAxis ? yLog : xLog) {
                limits.divisions = RoundToInt16(Floor(Log10(upper)) - Floor(Log10(lower)) + 1.0);
                limits.low = Floor(Log10(lower));
                box = axis * 2 + 1;
                limits.high = Floor(Log10(upper)) + 1.0;
            } else {
                limits.low = LinearLow(lower, yAxis);
                box = axis * 2 + 1;
                limits.high = LinearHigh(upper, yAxis);
                limits.divisions = 5;
                // Limits rounded by magnitude alone can cut the range off or
                // dwarf it (1780 to 2030 as 1000 to 2000): round by its span.
                if (!Honours(limits.low, limits.high, lower, upper)) {
                    const LinearLimits spanned = SpanLimits(lower, upper);
                    limits.low = spanned.low;
                    limits.high = spanned.high;
                }
            }
        } catch (const RuntimeError& error) {
            return {false, "「" + std::string(kBoxNames[box]) + "」の値ではグラフの範囲を計算できません。\n" +
                               error.Description(),
                    {}};
        }
    }

    if (axesTyped[0]) {
        s.int_XDiv(c) = axes[0].divisions;
        s.dbl_XLow(c) = axes[0].low;
        s.dbl_XHigh(c) = axes[0].high;
        s.dbl_XMin(c) = xl;
        s.dbl_XMax(c) = xu;
    }
    if (axesTyped[1]) {
        s.int_YDiv(c) = axes[1].divisions;
        s.dbl_YLow(c) = axes[1].low;
        s.dbl_YHigh(c) = axes[1].high;
        s.dbl_YMin(c) = yl;
        s.dbl_YMax(c) = yu;
    }
    s.int_DialogOK = kTrue;
    return {true, {}, {}};
}

}  // namespace kurvo
