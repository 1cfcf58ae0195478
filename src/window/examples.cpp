// A built-in example loaded into the window, ready for the estimate button.
#include "io/examples.h"
#include "window/app.h"

namespace kurvo {

void App::LoadExample(int number) {
    const std::optional<Example> builtIn = BuiltInExample(number);
    if (!builtIn) return;
    const Example& example = *builtIn;
    Session& s = session_;
    const int m = static_cast<int>(example.variableTitles.size());
    const int n = static_cast<int>(example.columns.front().size());
    const int k = static_cast<int>(example.methods.size());

    InitSheets();

    s.int_DataCount = static_cast<std::int16_t>(n);
    s.int_VarCount = static_cast<std::int16_t>(m);
    s.int_CombCount = static_cast<std::int16_t>(k);

    // The values pass through the working arrays on their way to the grid.
    for (int sample = 1; sample <= n; ++sample) {
        const auto row = static_cast<std::size_t>(sample - 1);
        s.dbl_XPower(sample, 1) = example.columns[0][row];
        for (int j = 1; j <= m - 1; ++j) s.dbl_YData(sample, j) = example.columns[static_cast<std::size_t>(j)][row];
    }

    s.str_Title = example.title;
    for (int i = 1; i <= m; ++i) s.str_VarTitle(i) = example.variableTitles[static_cast<std::size_t>(i - 1)];

    IGrid& data = views_.spdData;
    for (int sample = 1; sample <= n; ++sample) {
        data.SetNumber(1, sample, s.dbl_XPower(sample, 1));
        for (int j = 1; j <= m - 1; ++j) data.SetNumber(j + 1, sample, s.dbl_YData(sample, j));
    }

    for (int c = 1; c <= 5; ++c) {
        const ExampleMethod method = c <= k ? example.methods[static_cast<std::size_t>(c - 1)] : ExampleMethod{0, 0, 0, 0, 2};
        s.int_Degree(c) = method.degree;
        s.int_YLog(c) = method.yLog;
        s.int_YRecip(c) = method.yRecip;
        s.int_XLog(c) = method.xLog;
        s.int_XRecip(c) = method.xRecip;
    }

    for (int i = 1; i <= m; ++i) data.SetText(i, 0, s.str_VarTitle(i));
    const std::string list = VariableList(s, m);

    IGrid& methodGrid = views_.spdSpec;
    for (int c = 1; c <= k; ++c) {
        methodGrid.SetText(kColYVar, c, s.str_VarTitle(c + 1));
        methodGrid.SetItemList(kColYVar, c, list);
        methodGrid.SetInteger(kColYLog, c, s.int_YLog(c));
        methodGrid.SetInteger(kColYRecip, c, s.int_YRecip(c));
        methodGrid.SetText(kColXVar, c, s.str_VarTitle(1));
        methodGrid.SetItemList(kColXVar, c, list);
        methodGrid.SetInteger(kColXLog, c, s.int_XLog(c));
        methodGrid.SetInteger(kColXRecip, c, s.int_XRecip(c));
        methodGrid.SetInteger(kColDegree, c, s.int_Degree(c));
        s.int_XVar(c) = 1;
        s.int_YVar(c) = static_cast<std::int16_t>(c + 1);
    }
    for (int c = k + 1; c <= kMaxCombinations; ++c) {
        methodGrid.SetItemList(kColYVar, c, list);
        methodGrid.SetItemList(kColXVar, c, list);
    }
    MarkSettled();
}

}  // namespace kurvo
