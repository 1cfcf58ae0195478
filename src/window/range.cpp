// The shown combination's graph range: the four small scroll bars beside the
// graph, each step of which moves one end of the range by one power of ten of
// its current value, and the range dialog.
#include <cmath>

#include "graph/autoscale.h"
#include "state/numbers.h"
#include "window/app.h"

namespace kurvo {

void App::OnRangeBarChanged(RangeBar bar, int minimum, int position) {
    Session& s = session;
    std::int16_t* remembered = nullptr;
    RangeArray<double, 1, 5>* extent = nullptr;
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
        const double step = Pow(10.0, MagnitudeExponent(v));
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

RangeOutcome App::ChangeGraphRange(const RangeTexts& texts) {
    return ApplyGraphRange(session, session.int_Comb + 1, texts);
}

}  // namespace kurvo
