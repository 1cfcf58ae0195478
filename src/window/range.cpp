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
    Session& s = session;
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
        AutoScaleGraph(s, c);
    } catch (const RuntimeError& error) {
        *remembered = p;
        ReportError("グラフの範囲を変更できません。\n" + error.Description());
        return;
    }
    RedrawShownGraph();
}

RangeTexts App::BeginRangeChange() {
    // Whichever button closes the dialog, the graph is drawn again.
    session.int_DialogOK = kTrue;
    return CurrentRangeTexts(session, session.int_Comb + 1);
}

RangeOutcome App::ChangeGraphRange(const RangeTexts& texts, std::array<bool, 2> axesTyped) {
    return ApplyGraphRange(session, session.int_Comb + 1, texts, axesTyped);
}

}  // namespace kurvo
