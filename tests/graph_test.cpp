// The graph of one combination on the 5000 × 4600 twip recording surface:
// frame, grid, tick labels, titles, equation label, curve, measured points,
// printing, drawing errors, and the main window's background.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "checks.h"

namespace kurvo {
namespace {

using test::Workbench;
using Op = DrawCall::Op;

struct Axis {
    double low, high;
    std::int16_t divisions;
};

// What the session holds for combination `c` before it is drawn.
struct GraphState {
    int degree = 1;
    std::vector<double> coefficients{1, 2};  // dbl_Coeff and dbl_WorkCoeff
    Axis x{0, 100, 5};
    Axis y{0, 100, 5};
    double xMin = 0, yMin = 0;
    std::vector<std::pair<double, double>> samples;  // (x', y) of the measured points
};

void Prepare(Workbench& wb, const GraphState& g, int c = 1) {
    Session& s = wb.app.session;
    s.int_Degree(c) = static_cast<std::int16_t>(g.degree);
    for (std::size_t k = 0; k < g.coefficients.size(); ++k) {
        s.dbl_Coeff(c, static_cast<int>(k)) = g.coefficients[k];
        s.dbl_WorkCoeff(static_cast<int>(k)) = g.coefficients[k];
    }
    s.dbl_XLow(c) = g.x.low, s.dbl_XHigh(c) = g.x.high, s.int_XDiv(c) = g.x.divisions;
    s.dbl_YLow(c) = g.y.low, s.dbl_YHigh(c) = g.y.high, s.int_YDiv(c) = g.y.divisions;
    s.dbl_XMin(c) = g.xMin, s.dbl_YMin(c) = g.yMin;
    s.int_DataCount = static_cast<std::int16_t>(g.samples.size());
    for (std::size_t i = 0; i < g.samples.size(); ++i) {
        s.dbl_XPower(static_cast<int>(i) + 1, 1) = 1.0;
        s.dbl_XPower(static_cast<int>(i) + 1, 2) = g.samples[i].first;
        s.dbl_YData(static_cast<int>(i) + 1, c) = g.samples[i].second;
    }
    s.str_Title = "表題";
    for (int v = 1; v <= 5; ++v) s.str_VarTitle(v) = std::string("変数") + static_cast<char>('A' + v - 1);
    s.int_XVar(c) = 1;
    s.int_YVar(c) = 2;
}

struct Text {
    double x, y;
    std::string text;
    double size;
    bool operator==(const Text&) const = default;
};
void PrintTo(const Text& t, std::ostream* os) { *os << '"' << t.text << "\" at (" << t.x << "," << t.y << ") size " << t.size; }

std::vector<Text> Texts(const RecordingSurface& surface) {
    std::vector<Text> out;
    for (const DrawCall& call : surface.CallsOf(Op::Text)) out.push_back({call.x1, call.y1, call.text, call.size});
    return out;
}

bool HasText(const RecordingSurface& surface, const Text& wanted) {
    const auto texts = Texts(surface);
    return std::find(texts.begin(), texts.end(), wanted) != texts.end();
}

// Coordinates of the horizontal (y1 = y2) or vertical (x1 = x2) grey lines.
std::vector<double> GridLines(const RecordingSurface& surface, bool horizontal) {
    std::vector<double> out;
    for (const DrawCall& call : surface.CallsOf(Op::Line)) {
        if (call.color != kGrey) continue;
        if (horizontal && call.y1 == call.y2) out.push_back(call.y1);
        if (!horizontal && call.x1 == call.x2) out.push_back(call.x1);
    }
    return out;
}

// The curve: its first point and the lines drawn on from it.
std::vector<DrawCall> Curve(const RecordingSurface& surface) {
    std::vector<DrawCall> out;
    for (const DrawCall& call : surface.Calls())
        if (call.op == Op::Point || call.op == Op::LineTo) out.push_back(call);
    return out;
}

// ---- linear axes 0..100 in five divisions ---------------------------------------------------

class LinearGraph : public ::testing::Test {
protected:
    void SetUp() override {
        GraphState g;
        g.samples = {{50, 60}, {0, 0}};
        Prepare(wb, g);
        wb.app.session.int_WorkDegree = 5;
        wb.app.DrawGraph(0, false, 0, 0, 0, 0);
    }
    Workbench wb;
};

TEST_F(LinearGraph, FrameAndGridOnTheScreenSurface) {
    EXPECT_TRUE(wb.dialogs.messages.empty());
    const auto boxes = wb.graph.CallsOf(Op::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].x1, 700);
    EXPECT_EQ(boxes[0].y1, 400);
    EXPECT_EQ(boxes[0].x2, 4800);
    EXPECT_EQ(boxes[0].y2, 4200);
    EXPECT_EQ(boxes[0].color, kGrey);
    EXPECT_EQ(GridLines(wb.graph, true), (std::vector<double>{4200, 3440, 2680, 1920, 1160}));
    EXPECT_EQ(GridLines(wb.graph, false), (std::vector<double>{700, 1520, 2340, 3160, 3980}));
    for (const DrawCall& line : wb.graph.CallsOf(Op::Line)) {
        if (line.y1 == line.y2) {
            EXPECT_EQ(line.x1, 700);
            EXPECT_EQ(line.x2, 4800);
        } else {
            EXPECT_EQ(line.y1, 400);
            EXPECT_EQ(line.y2, 4200);
        }
    }
    const MainWindowState& w = wb.app.window;
    EXPECT_EQ(std::vector<int>({w.ix0, w.iy0, w.ix1, w.iy1, w.ix2, w.iy2}),
              std::vector<int>({0, 0, 700, 400, 4800, 4200}));
}

TEST_F(LinearGraph, EndLabelsTitlesAndFonts) {
    const double tickSize = 9;  // the surface's font size before the drawing
    EXPECT_EQ(Texts(wb.graph), (std::vector<Text>{
                                   {950, 0, "表題", tickSize},
                                   {2850, 4400, "変数A", 8},
                                   {0, 150, "変数B", 8},
                                   {200, 4150, "0", tickSize},
                                   {200, 300, "100", tickSize},
                                   {580, 4250, "0", tickSize},
                                   {4680, 4250, "100", tickSize},
                               }));
    const auto fonts = wb.graph.CallsOf(Op::FontName);
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(fonts[0].text, "ＭＳ ゴシック");
}

TEST_F(LinearGraph, CurveOfTwoHundredStepsNotClippedToTheFrame) {
    const auto curve = Curve(wb.graph);
    ASSERT_EQ(curve.size(), 201u);
    EXPECT_EQ(curve[0].op, Op::Point);
    // y = 1 + 2x: (0, 1) .. (50, 101) .. (100, 201), the end far above the frame
    EXPECT_EQ(curve[0].x2, 700);
    EXPECT_EQ(curve[0].y2, 4162);
    EXPECT_EQ(curve[100].x2, 2750);
    EXPECT_EQ(curve[100].y2, 362);
    EXPECT_EQ(curve[200].op, Op::LineTo);
    EXPECT_EQ(curve[200].x2, 4800);
    EXPECT_EQ(curve[200].y2, -3438);
    for (const DrawCall& call : curve) EXPECT_EQ(call.color, kLightGreen);
    // Each line goes on from where the previous one ended.
    for (std::size_t i = 1; i < curve.size(); ++i) {
        EXPECT_EQ(curve[i].x1, curve[i - 1].x2);
        EXPECT_EQ(curve[i].y1, curve[i - 1].y2);
    }
}

TEST_F(LinearGraph, MeasuredPointsAreFilledCircles) {
    const auto circles = wb.graph.CallsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(circles[0].x1, 2750);
    EXPECT_EQ(circles[0].y1, 1920);
    EXPECT_EQ(circles[0].x2, 30);  // radius
    EXPECT_EQ(circles[1].x1, 700);
    EXPECT_EQ(circles[1].y1, 4200);
    // Before the first circle: light red outline, solid light red fill; transparent at the end.
    const auto& calls = wb.graph.Calls();
    const auto first = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == Op::Circle; });
    Rgb fore = 0, fill = 0;
    int style = -1;
    for (auto it = calls.begin(); it != first; ++it) {
        if (it->op == Op::ForeColor) fore = it->color;
        if (it->op == Op::FillColor) fill = it->color;
        if (it->op == Op::FillStyle) style = it->value;
    }
    EXPECT_EQ(fore, kLightRed);
    EXPECT_EQ(fill, kLightRed);
    EXPECT_EQ(style, static_cast<int>(FillStyle::Solid));
    EXPECT_EQ(calls.back().op, Op::FillStyle);
    EXPECT_EQ(calls.back().value, static_cast<int>(FillStyle::Transparent));
}

TEST_F(LinearGraph, WorkingDegreeAndEquationLabelAreRewritten) {
    EXPECT_EQ(wb.app.session.int_WorkDegree, 1);
    EXPECT_EQ(wb.labels.Equation(0), "Y1=1  2*X^1  ");
    EXPECT_TRUE(test::AllFinite(wb));
}

TEST(GraphCurve, UsesTheWorkingCoefficientsWhileTheLabelShowsTheCombinations) {
    Workbench wb;
    GraphState g;
    Prepare(wb, g);
    wb.app.session.dbl_WorkCoeff(0) = 3;
    wb.app.session.dbl_WorkCoeff(1) = 0;
    wb.app.DrawGraph(0, false, 0, 0, 0, 0);
    EXPECT_EQ(wb.labels.Equation(0), "Y1=1  2*X^1  ");
    const auto curve = Curve(wb.graph);
    ASSERT_FALSE(curve.empty());
    for (const DrawCall& call : curve) EXPECT_EQ(call.y2, 4086);
}

// ---- equation labels --------------------------------------------------------------------------

struct LabelRow {
    const char* name;
    int index;
    std::int16_t xLog, yLog, xRecip, yRecip;
    std::vector<double> coefficients;
    const char* caption;
};
void PrintTo(const LabelRow& row, std::ostream* os) { *os << row.caption; }

class EquationLabel : public ::testing::TestWithParam<LabelRow> {};

TEST_P(EquationLabel, NamesTheTransformsAndListsTheCoefficients) {
    const LabelRow& row = GetParam();
    Workbench wb;
    GraphState g;
    g.degree = static_cast<int>(row.coefficients.size()) - 1;
    g.coefficients = row.coefficients;
    g.x = row.xLog ? Axis{1, 2, 1} : Axis{1, 2, 5};
    g.xMin = row.xLog ? 10 : 1;
    g.y = row.yLog ? Axis{0, 3, 3} : Axis{0, 100, 5};
    g.yMin = row.yLog ? 2 : 0;
    const int c = row.index + 1;
    Prepare(wb, g, c);
    wb.app.DrawGraph(row.index, false, row.xLog, row.yLog, row.xRecip, row.yRecip);
    EXPECT_EQ(wb.labels.Equation(row.index), row.caption);
    EXPECT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    EXPECT_TRUE(test::AllFinite(wb));
}

INSTANTIATE_TEST_SUITE_P(
    Captions, EquationLabel,
    ::testing::Values(LabelRow{"StraightLine", 0, 0, 0, 0, 0, {1, 2}, "Y1=1  2*X^1  "},
                      LabelRow{"Parabola", 0, 0, 0, 0, 0, {3.5, 2.25, -0.125}, "Y1=3.5  2.25*X^1  -0.125*X^2  "},
                      LabelRow{"Constant", 0, 0, 0, 0, 0, {5}, "Y1=5  "},
                      LabelRow{"GeneralNumberForm", 0, 0, 0, 0, 0, {1.5E-05, -2.5E-05}, "Y1=1.5E-05  -2.5E-05*X^1  "},
                      LabelRow{"ThirdCombination", 2, 0, 0, 0, 0, {1, 2}, "Y3=1  2*X^1  "},
                      LabelRow{"LogX", 0, 1, 0, 0, 0, {1, 2}, "Y1=1  2*(LogX)^1  "},
                      LabelRow{"ReciprocalX", 0, 0, 0, 1, 0, {1, 2}, "Y1=1  2*1/X^1  "},
                      LabelRow{"LogAndReciprocalX", 0, 1, 0, 1, 0, {1, 2}, "Y1=1  2*(1/LogX)^1  "},
                      LabelRow{"LogY", 0, 0, 1, 0, 0, {0.1, 0.2}, "LogY1=0.1  0.2*X^1  "},
                      LabelRow{"ReciprocalY", 0, 0, 0, 0, 1, {1, 2}, "1/Y1=1  2*X^1  "},
                      LabelRow{"LogAndReciprocalY", 1, 0, 1, 0, 1, {1, 2}, "1/LogY2=1  2*X^1  "}),
    test::RowName());

// ---- the curve under transforms: its first point ----------------------------------------------

struct CurveRow {
    const char* name;
    std::int16_t xLog, yLog, xRecip, yRecip;
    Axis x, y;
    double xMin, yMin;
    double px, py;
};
void PrintTo(const CurveRow& row, std::ostream* os) { *os << row.name; }

class TransformedCurve : public ::testing::TestWithParam<CurveRow> {};

TEST_P(TransformedCurve, FirstPointAtTheLowerXLimit) {
    const CurveRow& row = GetParam();
    Workbench wb;
    GraphState g;
    g.coefficients = {0, 1};  // y' = t
    g.x = row.x, g.y = row.y, g.xMin = row.xMin, g.yMin = row.yMin;
    Prepare(wb, g);
    wb.app.DrawGraph(0, false, row.xLog, row.yLog, row.xRecip, row.yRecip);
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    const auto curve = Curve(wb.graph);
    ASSERT_FALSE(curve.empty());
    EXPECT_EQ(curve[0].op, Op::Point);
    EXPECT_EQ(curve[0].x2, row.px);
    EXPECT_EQ(curve[0].y2, row.py);
}

INSTANTIATE_TEST_SUITE_P(
    Transforms, TransformedCurve,
    ::testing::Values(
        // decade 1 is X = 10: t = ln 10 = 2.302585; 2.302585 × 3800 / 5 = 1749.96
        CurveRow{"LogX", 1, 0, 0, 0, {1, 2, 1}, {0, 5, 5}, 10, 0, 700, 2451},
        // t = 1 / ln 10 = 0.434294; × 3800 = 1650.3
        CurveRow{"LogAndReciprocalX", 1, 0, 1, 0, {1, 2, 1}, {0, 1, 5}, 10, 0, 700, 2550},
        // y = 1 / 1 at the top of the frame
        CurveRow{"ReciprocalY", 0, 0, 0, 1, {1, 2, 5}, {0, 1, 5}, 1, 0, 700, 400},
        // y = e, log10 e = 0.434294 of a decade of 3800 / 3
        CurveRow{"LogY", 0, 1, 0, 0, {1, 2, 5}, {0, 3, 3}, 1, 2, 700, 3650}),
    test::RowName());

// ---- logarithmic axes ------------------------------------------------------------------------------

TEST(LogarithmicGraph, YDecadeLabelsAtTheMajorLinesAndTheTop) {
    Workbench wb;
    GraphState g;
    g.coefficients = {0, 0.01};
    g.y = {0, 3, 3};
    g.yMin = 2;
    Prepare(wb, g);
    wb.app.DrawGraph(0, false, 0, 1, 0, 0);
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    // dy = round(3800 / 3) = 1267
    EXPECT_TRUE(HasText(wb.graph, {200, 4100, "1", 9}));
    EXPECT_TRUE(HasText(wb.graph, {200, 2833, "10", 9}));
    EXPECT_TRUE(HasText(wb.graph, {200, 1566, "100", 9}));
    EXPECT_TRUE(HasText(wb.graph, {200, 300, "1000", 9}));
    EXPECT_FALSE(HasText(wb.graph, {200, 4150, "0", 9})) << "a logarithmic axis has no lower end label";
    // three major lines and ten minor lines per decade, all within the frame's height
    const auto lines = GridLines(wb.graph, true);
    EXPECT_EQ(lines.size(), 33u);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), 4200.0) >= 1, true);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), 2933.0) >= 1, true);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), 1666.0) >= 1, true);
    for (double y : lines) {
        EXPECT_GE(y, 4200 - 3 * 1267 - 1);
        EXPECT_LE(y, 4201);
    }
    EXPECT_TRUE(test::AllFinite(wb));
}

TEST(LogarithmicGraph, XDecadeLabelsAndMinorLines) {
    Workbench wb;
    GraphState g;
    g.x = {0, 2, 2};
    g.xMin = 1;
    g.samples = {{2.302585092994046, 50}};  // X = 10
    Prepare(wb, g);
    wb.app.DrawGraph(0, false, 1, 0, 0, 0);
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    // dx = 2050
    EXPECT_TRUE(HasText(wb.graph, {580, 4250, "1", 9}));
    EXPECT_TRUE(HasText(wb.graph, {2630, 4250, "10", 9}));
    EXPECT_TRUE(HasText(wb.graph, {4680, 4250, "100", 9}));
    const auto lines = GridLines(wb.graph, false);
    EXPECT_EQ(lines.size(), 22u);
    for (double x : lines) {
        EXPECT_GE(x, 699);
        EXPECT_LE(x, 700 + 2 * 2050 + 1);
    }
    const auto circles = wb.graph.CallsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].x1, 2750);
    EXPECT_EQ(circles[0].y1, 2300);
}

// ---- drawing errors: reported, the routine returns ----------------------------------------------------

struct DrawErrorRow {
    const char* name;
    std::int16_t xLog, yLog, xRecip, yRecip;
    GraphState state;
    bool gridDrawn;
};
void PrintTo(const DrawErrorRow& row, std::ostream* os) { *os << row.name; }

GraphState State(Axis x, Axis y, std::vector<double> coefficients, double xMin = 1, double yMin = 1) {
    GraphState g;
    g.x = x, g.y = y, g.coefficients = std::move(coefficients);
    g.degree = static_cast<int>(g.coefficients.size()) - 1;
    g.xMin = xMin, g.yMin = yMin;
    g.samples = {{30.5, 50}};
    return g;
}

class DrawingError : public ::testing::TestWithParam<DrawErrorRow> {};

TEST_P(DrawingError, OneMessageNoCurveNoPoints) {
    const DrawErrorRow& row = GetParam();
    Workbench wb;
    Prepare(wb, row.state);
    wb.app.DrawGraph(0, false, row.xLog, row.yLog, row.xRecip, row.yRecip);
    EXPECT_EQ(wb.dialogs.messages.size(), 1u);
    EXPECT_TRUE(Curve(wb.graph).empty());
    EXPECT_TRUE(wb.graph.CallsOf(Op::Circle).empty());
    if (row.gridDrawn) {
        EXPECT_EQ(GridLines(wb.graph, true).size(), static_cast<std::size_t>(row.state.y.divisions));
        EXPECT_EQ(GridLines(wb.graph, false).size(), static_cast<std::size_t>(row.state.x.divisions));
    }
    EXPECT_TRUE(test::AllFinite(wb));
}

INSTANTIATE_TEST_SUITE_P(
    Causes, DrawingError,
    ::testing::Values(
        // All X equal to 30.5: limits 30..30, the first curve point divides by zero.
        DrawErrorRow{"EqualLinearXLimits", 0, 0, 0, 0, State({30, 30, 5}, {0, 100, 5}, {50}), true},
        DrawErrorRow{"EqualLinearYLimits", 0, 0, 0, 0, State({0, 100, 5}, {50, 50, 5}, {50}), true},
        DrawErrorRow{"NoLimitsComputedYet", 0, 0, 0, 0, State({0, 0, 0}, {0, 0, 0}, {50}), false},
        DrawErrorRow{"ReciprocalOfZeroX", 0, 0, 1, 0, State({0, 100, 5}, {0, 100, 5}, {1, 2}), true},
        DrawErrorRow{"ReciprocalOfZeroY", 0, 0, 0, 1, State({0, 100, 5}, {0, 100, 5}, {0, 0}), true},
        DrawErrorRow{"LogYWithNonPositiveMinimum", 0, 1, 0, 0, State({0, 100, 5}, {0, 2, 2}, {1}, 1, 0), false},
        DrawErrorRow{"CoordinateBeyondThirtyTwoBits", 0, 0, 0, 0,
                     State({0, 100, 5}, {0, 100, 5}, {1e300}), true}),
    test::RowName());

// ---- printing ---------------------------------------------------------------------------------------

TEST(GraphPrinting, DrawsOnPaperAndLeavesTheScreenBlank) {
    Workbench wb;
    GraphState g;
    g.samples = {{50, 60}};
    Prepare(wb, g);
    wb.app.DrawGraph(0, false, 0, 0, 0, 0);
    ASSERT_GT(wb.graph.Calls().size(), 1u);

    wb.app.DrawGraph(0, true, 0, 0, 0, 0);
    ASSERT_TRUE(wb.dialogs.messages.empty()) << wb.dialogs.messages.front().text;
    ASSERT_EQ(wb.graph.Calls().size(), 1u);
    EXPECT_EQ(wb.graph.Calls()[0].op, Op::Clear);

    const auto& paper = wb.printer.Calls();
    ASSERT_FALSE(paper.empty());
    EXPECT_EQ(paper.front().op, Op::LineWidth);
    EXPECT_EQ(paper.front().value, 5);
    EXPECT_EQ(paper.back().op, Op::EndDocument);
    const auto boxes = wb.printer.CallsOf(Op::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(std::vector<double>({boxes[0].x1, boxes[0].y1, boxes[0].x2, boxes[0].y2}),
              std::vector<double>({2000, 1500, 11000 - 1000, 15000 - 1000}));
    const auto curve = Curve(wb.printer);
    ASSERT_EQ(curve.size(), 201u);
    for (const DrawCall& call : curve) EXPECT_EQ(call.color, kLightRed);
    EXPECT_EQ(wb.printer.CallsOf(Op::Circle).size(), 1u);
    const MainWindowState& w = wb.app.window;
    EXPECT_EQ(std::vector<int>({w.ix0, w.iy0, w.ix1, w.iy1, w.ix2, w.iy2}),
              std::vector<int>({1000, 1000, 2000, 1500, 10000, 14000}));
}

TEST(GraphPrinting, FailedDrawingEndsNoDocument) {
    Workbench wb;
    Prepare(wb, State({30, 30, 5}, {0, 100, 5}, {50}));
    wb.app.DrawGraph(0, true, 0, 0, 0, 0);
    EXPECT_EQ(wb.dialogs.messages.size(), 1u);
    EXPECT_TRUE(wb.printer.CallsOf(Op::EndDocument).empty());
}

// ---- the main window's background ------------------------------------------------------------------

TEST(WindowBackground, BlueToBlackInOverlappingBands) {
    RecordingSurface window(10, 4);
    PaintWindowBackground(window);
    std::vector<Rgb> colours;
    std::vector<std::vector<double>> boxes;
    for (const DrawCall& call : window.Calls()) {
        if (call.op == Op::FillColor) colours.push_back(call.color);
        if (call.op == Op::FilledBox) boxes.push_back({call.x1, call.y1, call.x2, call.y2});
    }
    // 255 − (i × 255) div 4 for i = 0..4
    EXPECT_EQ(colours, (std::vector<Rgb>{MakeRgb(0, 0, 255), MakeRgb(0, 0, 192), MakeRgb(0, 0, 128),
                                         MakeRgb(0, 0, 64), MakeRgb(0, 0, 0)}));
    EXPECT_EQ(boxes, (std::vector<std::vector<double>>{
                         {-1, -1, 10, 1}, {-1, 0, 10, 2}, {-1, 1, 10, 3}, {-1, 2, 10, 4}, {-1, 3, 10, 5}}));
    const auto styles = window.CallsOf(Op::FillStyle);
    ASSERT_FALSE(styles.empty());
    EXPECT_EQ(styles.front().value, static_cast<int>(FillStyle::Solid));
}

}  // namespace
}  // namespace kurvo
