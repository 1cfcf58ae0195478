#include "io/examples.h"

namespace kurvo {
namespace {

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

std::optional<Example> BuiltInExample(int number) {
    switch (number) {
    case 1: return Example1();
    case 2: return Example2();
    case 3: return Example3();
    case 4: return Example4();
    default: return std::nullopt;
    }
}

}  // namespace kurvo
