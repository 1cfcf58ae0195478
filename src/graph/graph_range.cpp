#include "graph/graph_range.h"

#include <cmath>
#include <optional>
#include <utility>

#include "graph/autoscale.h"
#include "state/numbers.h"

namespace kurvo {

namespace {

constexpr std::array<const char*, 4> kBoxNames = {"独立変数の下限", "独立変数の上限", "従属変数の下限", "従属変数の上限"};

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

// Nothing taken: with a message the user must be told, or with the reason of a silent refusal.
RangeOutcome Told(std::string message) { return {false, std::move(message), {}, std::nullopt, std::nullopt}; }
RangeOutcome Refused(std::string refusal) { return {false, {}, std::move(refusal), std::nullopt, std::nullopt}; }

}  // namespace

RangeTexts CurrentRangeTexts(const GraphExtents& e) {
    return {FormatGeneral(e.xMin), FormatGeneral(e.xMax), FormatGeneral(e.yMin), FormatGeneral(e.yMax)};
}

RangeOutcome ApplyGraphRange(const GraphExtents& extents, const RangeTexts& texts, std::array<bool, 2> axesTyped) {
    std::array<double, 4> ends{extents.xMin, extents.xMax, extents.yMin, extents.yMax};
    for (std::size_t i = 0; i < ends.size(); ++i) {
        if (!axesTyped[i / 2]) continue;
        const auto value = NumericValue(texts[i]);
        if (!value) return Told("「" + std::string(kBoxNames[i]) + "」に数値を入力してください。");
        ends[i] = *value;
    }
    const bool xLog = extents.xLog;
    const bool yLog = extents.yLog;
    const auto [xl, xu, yl, yu] = ends;
    if ((axesTyped[0] && xl > xu) || (axesTyped[1] && yl > yu)) return Refused("下限が上限より大きくなっています。");
    if ((axesTyped[0] && xLog && (xl <= 0 || xu <= 0)) || (axesTyped[1] && yLog && (yl <= 0 || yu <= 0)))
        return Refused("対数の軸の下限と上限は 0 より大きい数にしてください。");

    std::array<AxisScale, 2> axes;
    for (std::size_t axis = 0; axis < 2; ++axis) {
        if (!axesTyped[axis]) continue;
        const bool yAxis = axis == 1;
        const double lower = ends[axis * 2], upper = ends[axis * 2 + 1];
        AxisScale& limits = axes[axis];
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
            return Told("「" + std::string(kBoxNames[box]) + "」の値ではグラフの範囲を計算できません。\n" +
                        error.Description());
        }
    }

    RangeOutcome taken{true, {}, {}, std::nullopt, std::nullopt};
    if (axesTyped[0]) taken.x = AxisRange{xl, xu, axes[0]};
    if (axesTyped[1]) taken.y = AxisRange{yl, yu, axes[1]};
    return taken;
}

}  // namespace kurvo
