// The shown combination's graph range: the four small scroll bars beside the
// graph, each step of which moves one end of the range by one power of ten of
// its current value, or of the shown axis's span when that one is far too
// large for the axis (years step by ten, not by a thousand), and the range
// dialog.
#include <cmath>

#include "graph/autoscale.h"
#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

void App::OnRangeBarChanged(RangeBar bar, int minimum, int position) {
    Session& s = session_;
    std::int16_t* remembered = nullptr;
    RangeArray<double, 1, 5>* extent = nullptr;
    const bool xBar = bar == RangeBar::HScrollLow || bar == RangeBar::HScrollHigh;
    switch (bar) {
    case RangeBar::HScrollLow: remembered = &window.int_HScroll_Low, extent = &s.dbl_XMin; break;
    case RangeBar::HScrollHigh: remembered = &window.int_HScroll_High, extent = &s.dbl_XMax; break;
    case RangeBar::VScrollLow: remembered = &window.int_VScroll_Low, extent = &s.dbl_YMin; break;
    case RangeBar::VScrollHigh: remembered = &window.int_VScroll_High, extent = &s.dbl_YMax; break;
    }
    const auto p = static_cast<std::int16_t>(position);
    // A bar standing at its minimum only records where it went; without
    // results there is no range to move.
    if (*remembered == minimum || !s.int_Estimated) {
        *remembered = p;
        return;
    }
    const int c = s.int_Comb + 1;
    try {
        const double v = (*extent)(c);
        double step = Pow(10.0, MagnitudeExponent(v));
        const bool logarithmic = (xBar ? s.int_XLog(c) : s.int_YLog(c)) != 0;
        const double span = xBar ? Sub(s.dbl_XHigh(c), s.dbl_XLow(c)) : Sub(s.dbl_YHigh(c), s.dbl_YLow(c));
        if (!logarithmic && span > 0) step = StepWithinSpan(step, span);
        (*extent)(c) = *remembered < p ? Add(v, step) : Sub(v, step);
        *remembered = p;
        ScaleAxesOf(c);
    } catch (const RuntimeError& error) {
        *remembered = p;
        ReportError("グラフの範囲を変更できません。\n" + error.Description());
        return;
    }
    RedrawShownGraph();
}

RangeTexts App::BeginRangeChange() {
    // Whichever button closes the dialog, the graph is drawn again.
    session_.int_DialogOK = kTrue;
    return CurrentRangeTexts(ExtentsOf(session_.int_Comb + 1));
}

RangeOutcome App::ChangeGraphRange(const RangeTexts& texts, std::array<bool, 2> axesTyped) {
    Session& s = session_;
    const int c = s.int_Comb + 1;
    const RangeOutcome outcome = ApplyGraphRange(ExtentsOf(c), texts, axesTyped);
    if (!outcome.stored) return outcome;
    if (const auto& x = outcome.x) {
        s.dbl_XMin(c) = x->lower, s.dbl_XMax(c) = x->upper;
        s.dbl_XLow(c) = x->scale.low, s.dbl_XHigh(c) = x->scale.high, s.int_XDiv(c) = x->scale.divisions;
    }
    if (const auto& y = outcome.y) {
        s.dbl_YMin(c) = y->lower, s.dbl_YMax(c) = y->upper;
        s.dbl_YLow(c) = y->scale.low, s.dbl_YHigh(c) = y->scale.high, s.int_YDiv(c) = y->scale.divisions;
    }
    s.int_DialogOK = kTrue;
    return outcome;
}

GraphExtents App::ExtentsOf(int c) const {
    const Session& s = session_;
    return {s.dbl_XMin(c), s.dbl_XMax(c), s.dbl_YMin(c), s.dbl_YMax(c), s.int_XLog(c) != 0, s.int_YLog(c) != 0};
}

void App::ScaleAxesOf(int c) {
    Session& s = session_;
    GraphScale scale{{s.dbl_XLow(c), s.dbl_XHigh(c), s.int_XDiv(c)}, {s.dbl_YLow(c), s.dbl_YHigh(c), s.int_YDiv(c)}};
    const auto store = [&] {
        s.dbl_XLow(c) = scale.x.low, s.dbl_XHigh(c) = scale.x.high, s.int_XDiv(c) = scale.x.divisions;
        s.dbl_YLow(c) = scale.y.low, s.dbl_YHigh(c) = scale.y.high, s.int_YDiv(c) = scale.y.divisions;
    };
    try {
        AutoScaleGraph(ExtentsOf(c), scale);
    } catch (const RuntimeError&) {
        store();  // what was scaled before the failure is kept
        throw;
    }
    store();
}

}  // namespace kurvo
