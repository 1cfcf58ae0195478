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

}  // namespace

RangeTexts CurrentRangeTexts(const Session& s, int c) {
    return {FormatGeneral(s.dbl_XMin(c)), FormatGeneral(s.dbl_XMax(c)), FormatGeneral(s.dbl_YMin(c)),
            FormatGeneral(s.dbl_YMax(c))};
}

RangeOutcome ApplyGraphRange(Session& s, int c, const RangeTexts& texts) {
    std::array<double, 4> ends{};
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const auto value = NumericValue(texts[i]);
        if (!value) return {false, "「" + std::string(kBoxNames[i]) + "」に数値を入力してください。"};
        ends[i] = *value;
    }
    const bool xLog = s.int_XLog(c) != 0;
    const bool yLog = s.int_YLog(c) != 0;
    const auto [xl, xu, yl, yu] = ends;
    if (xl > xu || yl > yu) return {};
    if ((xLog && (xl <= 0 || xu <= 0)) || (yLog && (yl <= 0 || yu <= 0))) return {};

    std::array<AxisLimits, 2> axes;
    for (std::size_t axis = 0; axis < 2; ++axis) {
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
            }
        } catch (const RuntimeError& error) {
            return {false, "「" + std::string(kBoxNames[box]) + "」の値ではグラフの範囲を計算できません。\n" +
                               error.Description()};
        }
    }

    s.int_XDiv(c) = axes[0].divisions;
    s.dbl_XLow(c) = axes[0].low;
    s.dbl_XHigh(c) = axes[0].high;
    s.int_YDiv(c) = axes[1].divisions;
    s.dbl_YLow(c) = axes[1].low;
    s.dbl_YHigh(c) = axes[1].high;
    s.dbl_XMin(c) = xl;
    s.dbl_XMax(c) = xu;
    s.dbl_YMin(c) = yl;
    s.dbl_YMax(c) = yu;
    s.int_DialogOK = kTrue;
    return {true, {}};
}

}  // namespace kurvo
