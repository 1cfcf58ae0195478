// The four built-in examples: fixed documents ready for the estimate button.
// Combination c of every example takes column A as X and column c + 1 as Y.
#include <vector>

#include "state/app.h"

namespace kurvo {
namespace {

struct ExampleMethod {
    std::int16_t yLog, yRecip, xLog, xRecip, degree;
};

struct Example {
    const char* title;
    std::vector<const char*> variableTitles;   // m titles
    std::vector<std::vector<double>> columns;  // m columns of n values
    std::vector<ExampleMethod> methods;        // k combinations
};

// Example 1: a cubic, and the reciprocal of the same data fitted as a parabola.
Example Example1() {
    const std::vector<double> b = {5, 12, 18, 25, 50, 80, 90, 80, 70, 50};
    std::vector<double> c;
    for (const double v : b) c.push_back(1.0 / v);
    return {"例題－１",
            {"X-1", "Y-1(1)", "Y-1(2)"},
            {{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, b, c},
            {{0, 0, 0, 0, 3}, {0, 1, 0, 0, 2}}};
}

// Example 2: a polynomial of degree 5 through eight points.
Example Example2() {
    return {"例題－２",
            {"X-2", "Y-2(1)"},
            {{-2, 0, 1, 2, 4, 5, 6, 8}, {80, 3, 62, 93, -10, 28, 122, 162}},
            {{0, 0, 0, 0, 5}}};
}

// Example 3: four data columns, each fitted with Y on a logarithmic scale.
Example Example3() {
    return {"例題－３",
            {"X-3", "Y-3(1)", "Y-3(2)", "Y-3(3)", "Y-3(4)"},
            {{-16.2, -6.3, 11.4, 34.03, 64.51},
             {10, 20, 60, 200, 760},
             {0.15, 0.25, 0.65, 3, 7},
             {90, 250, 570, 3500, 7200},
             {10000, 20000, 60000, 200000, 760000}},
            {{1, 0, 0, 0, 2}, {1, 0, 0, 0, 2}, {1, 0, 0, 0, 2}, {1, 0, 0, 0, 2}}};
}

// Example 4: both X and Y on logarithmic scales.
Example Example4() {
    return {"例題－４",
            {"X-4", "Y-4(1)"},
            {{1, 5, 10, 20, 30, 80, 300}, {10, 20, 60, 200, 700, 2000, 9000}},
            {{1, 0, 1, 0, 2}}};
}

}  // namespace

void App::LoadExample(int number) {
    Example example;
    switch (number) {
    case 1: example = Example1(); break;
    case 2: example = Example2(); break;
    case 3: example = Example3(); break;
    case 4: example = Example4(); break;
    default: return;
    }
    Session& s = session;
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
        methodGrid.SetFreeText(1, c, true);
        methodGrid.SetText(1, c, s.str_VarTitle(c + 1));
        methodGrid.SetItemList(1, c, list);
        methodGrid.SetFreeText(1, c, false);
        methodGrid.SetInteger(2, c, s.int_YLog(c));
        methodGrid.SetInteger(3, c, s.int_YRecip(c));
        methodGrid.SetFreeText(4, c, true);
        methodGrid.SetText(4, c, s.str_VarTitle(1));
        methodGrid.SetItemList(4, c, list);
        methodGrid.SetFreeText(4, c, false);
        methodGrid.SetInteger(5, c, s.int_XLog(c));
        methodGrid.SetInteger(6, c, s.int_XRecip(c));
        methodGrid.SetInteger(7, c, s.int_Degree(c));
        s.int_XVar(c) = 1;
        s.int_YVar(c) = static_cast<std::int16_t>(c + 1);
    }
    for (int c = k + 1; c <= kMaxCombinations; ++c) {
        methodGrid.SetItemList(1, c, list);
        methodGrid.SetItemList(4, c, list);
    }
    MarkSettled();
}

}  // namespace kurvo
