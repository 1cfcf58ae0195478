// The graph of one combination on the 5000 × 4600 twip recording surface.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "checks.h"
#include "graph/draw_graph.h"
#include "graph/residual_graph.h"

namespace kurvo {
namespace {

using Op = DrawCall::Op;

struct Axis {
    double low, high;
    std::int16_t divisions;
};

// What one graph shows, and the screen it is drawn on.
struct GraphState {
    std::vector<double> coefficients{1, 2};
    Axis x{0, 100, 5}, y{0, 100, 5};
    double xMin = 0, yMin = 0;
    std::vector<GraphScene::Point> samples;  // (x', y) of the measured points
};

struct Flags {
    std::int16_t xLog = 0, yLog = 0, xRecip = 0, yRecip = 0;
};

struct Drawn {
    RecordingSurface graph{5000, 4600};
    std::vector<std::string> messages;
};

void Draw(Drawn& d, const GraphState& g, Flags f = {}) {
    GraphScene scene;
    scene.flags = {f.yLog, f.yRecip, f.xLog, f.xRecip};
    scene.x = {g.x.low, g.x.high, g.x.divisions, g.xMin};
    scene.y = {g.y.low, g.y.high, g.y.divisions, g.yMin};
    scene.coefficients = g.coefficients;
    scene.points = g.samples;
    if (const auto failure = DrawScene(d.graph, false, scene)) d.messages.push_back(failure->Description());
}

struct Text {
    double x, y;
    std::string text;
    bool operator==(const Text&) const = default;
};
void PrintTo(const Text& t, std::ostream* os) { *os << '"' << t.text << "\" at (" << t.x << "," << t.y << ")"; }

std::vector<Text> Texts(const RecordingSurface& surface) {
    std::vector<Text> out;
    for (const DrawCall& call : surface.CallsOf(Op::Text)) out.push_back({call.x1, call.y1, call.text});
    return out;
}

// Coordinates of the horizontal (y1 = y2) or vertical (x1 = x2) grey lines.
std::vector<double> GridLines(const RecordingSurface& surface, bool horizontal) {
    std::vector<double> out;
    for (const DrawCall& call : surface.CallsOf(Op::Line))
        if (call.color == kGrey && (horizontal ? call.y1 == call.y2 : call.x1 == call.x2))
            out.push_back(horizontal ? call.y1 : call.x1);
    return out;
}

// The curve: its first point and the lines drawn on from it.
std::vector<DrawCall> Curve(const RecordingSurface& surface) {
    std::vector<DrawCall> out;
    for (const DrawCall& call : surface.Calls())
        if (call.op == Op::Point || call.op == Op::LineTo) out.push_back(call);
    return out;
}

std::vector<double> Corners(const DrawCall& c) { return {c.x1, c.y1, c.x2, c.y2}; }


// Axes from 0 to 100 in 5 divisions on the 5000 × 4600 screen: dx = 820, dy = 760.
TEST(LinearGraph, FrameGridTickLabelsEquationCurveAndPoints) {
    Drawn wb;
    Draw(wb, GraphState{.samples = {{50, 60}, {0, 0}}});
    EXPECT_TRUE(wb.messages.empty());
    const auto boxes = wb.graph.CallsOf(Op::Box);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Corners(boxes[0]), (std::vector<double>{700, 400, 4800, 4200}));
    EXPECT_EQ(GridLines(wb.graph, true), (std::vector<double>{4200, 3440, 2680, 1920, 1160}));
    EXPECT_EQ(GridLines(wb.graph, false), (std::vector<double>{700, 1520, 2340, 3160, 3980}));
    const auto texts = Texts(wb.graph);  // after the title and the two axis titles
    EXPECT_EQ(std::vector<Text>(texts.begin() + 3, texts.end()),
              (std::vector<Text>{{200, 4150, "0"}, {200, 300, "100"}, {580, 4250, "0"}, {4680, 4250, "100"}}));

    // y = 1 + 2x in 200 steps: (0, 1) .. (50, 101) .. (100, 201) runs far above
    // the frame, and the frame clips the curve and the points.
    const auto clips = wb.graph.CallsOf(Op::Clip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(Corners(clips[0]), Corners(boxes[0]));
    const auto& calls = wb.graph.Calls();
    const auto clipAt = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == Op::Clip; });
    const auto endAt = std::find_if(calls.begin(), calls.end(), [](const DrawCall& c) { return c.op == Op::EndClip; });
    for (auto call = calls.begin(); call != calls.end(); ++call) {
        const bool clipped = call > clipAt && call < endAt;
        const bool drawn = call->op == Op::Point || call->op == Op::LineTo || call->op == Op::Circle;
        EXPECT_TRUE(clipped || !drawn);
    }
    const auto curve = Curve(wb.graph);
    ASSERT_EQ(curve.size(), 201u);
    EXPECT_EQ(curve[0].op, Op::Point);
    EXPECT_EQ(std::pair(curve[0].x2, curve[0].y2), std::pair(700.0, 4162.0));
    EXPECT_EQ(std::pair(curve[100].x2, curve[100].y2), std::pair(2750.0, 362.0));
    EXPECT_EQ(std::pair(curve[200].x2, curve[200].y2), std::pair(4800.0, -3438.0));
    const auto circles = wb.graph.CallsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 2u);
    EXPECT_EQ(std::pair(circles[0].x1, circles[0].y1), std::pair(2750.0, 1920.0));
    EXPECT_EQ(std::pair(circles[1].x1, circles[1].y1), std::pair(700.0, 4200.0));

    // Redrawn with y = 3: 4200 - 3 × 38.
    Draw(wb, GraphState{.coefficients = {3, 0}, .samples = {}});
    for (const DrawCall& call : Curve(wb.graph)) EXPECT_EQ(call.y2, 4086);
}

// Bands round y = 50 on axes 0..100: the confidence band 40..60 up to x = 50
// and none beyond (its ends undefined there), the prediction band 30..70
// everywhere; each two lines of its colour, named in the legend.
TEST(Bands, TwoLinesEachWithGapsWhereUndefinedAndALegend) {
    GraphScene scene;
    scene.x = {0, 100, 5, 0};
    scene.y = {0, 100, 5, 0};
    scene.coefficients = {50};
    scene.bands = GraphScene::Bands{[](double xt) {
                                        BandAt at;
                                        at.fitted = 50;
                                        if (xt < 50) at.confidence = {40, 60};
                                        at.prediction = {30, 70};
                                        return std::optional(at);
                                    },
                                    true, true, 95};
    RecordingSurface graph(5000, 4600);
    ASSERT_EQ(DrawScene(graph, false, scene), std::nullopt);
    std::map<Rgb, std::set<double>> heights;  // the y of each colour's lines
    std::map<Rgb, int> segments;
    for (const DrawCall& call : graph.CallsOf(Op::LineTo)) ++segments[call.color], heights[call.color].insert(call.y2);
    // x steps of 0.5: 100 below 50, 201 in all; 3800 twips per 100: y 40 → 2680, 60 → 1920, 30 → 3060, 70 → 1540.
    EXPECT_EQ(segments[kLightCyan], 2 * 99);
    EXPECT_EQ(segments[kYellow], 2 * 200);
    EXPECT_EQ(heights[kLightCyan], (std::set<double>{1920, 2680}));
    EXPECT_EQ(heights[kYellow], (std::set<double>{1540, 3060}));
    const auto texts = Texts(graph);
    EXPECT_EQ(std::vector<std::string>({texts[texts.size() - 2].text, texts.back().text}),
              (std::vector<std::string>{"信頼帯 95%", "予測帯 95%"}));
}

std::int16_t Flag(const std::string& field) { return static_cast<std::int16_t>(std::stoi(field)); }
Flags FlagsOf(const std::vector<std::string>& row, std::size_t first) {
    return {Flag(row[first]), Flag(row[first + 1]), Flag(row[first + 2]), Flag(row[first + 3])};
}
// An axis from its fields low, high and divisions.
Axis AxisOf(const std::vector<std::string>& row, std::size_t first) {
    return {test::NumberField(row[first]), test::NumberField(row[first + 1]), Flag(row[first + 2])};
}

TEST(EquationLabel, NamesTheTransformsAndListsTheCoefficients) {
    for (const auto& row : test::ReadCases("equation_label.tsv", 8)) {
        SCOPED_TRACE(row[0]);
        const Flags f = FlagsOf(row, 2);
        EXPECT_EQ(EquationCaption(std::stoi(row[1]) + 1, test::Numbers(row[6]), {f.yLog, f.yRecip, f.xLog, f.xRecip}),
                  row[7]);
    }
}

TEST(TransformedCurve, FirstPointAtTheLowerXLimit) {
    for (const auto& row : test::ReadCases("transformed_curve.tsv", 15)) {
        SCOPED_TRACE(row[0]);
        Drawn wb;
        const GraphState g{{0, 1}, AxisOf(row, 5), AxisOf(row, 8), test::NumberField(row[11]), test::NumberField(row[12]), {}};
        Draw(wb, g, FlagsOf(row, 1));  // y' = t
        ASSERT_EQ(wb.messages, std::vector<std::string>{});
        const auto curve = Curve(wb.graph);
        ASSERT_FALSE(curve.empty());
        EXPECT_EQ(std::pair(curve[0].x2, curve[0].y2), std::pair(test::NumberField(row[13]), test::NumberField(row[14])));
    }
}

// Y decades 0 to 3 (dy = round(3800 / 3) = 1267), X decades 0 to 2 (dx = 2050).
TEST(LogarithmicGraph, DecadeLabelsAtTheMajorLinesAndTheTop) {
    Drawn wb;
    Draw(wb, GraphState{.x = {0, 2, 2}, .y = {0, 3, 3}, .xMin = 1, .yMin = 2, .samples = {{2.302585092994046, 10}}},
         {1, 1, 0, 0});  // the point (10, 10)
    ASSERT_EQ(wb.messages, std::vector<std::string>{});
    const auto texts = Texts(wb.graph);  // no lower end label "0" on the Y axis
    EXPECT_EQ(std::vector<Text>(texts.begin() + 3, texts.end()),
              (std::vector<Text>{{200, 4100, "1"}, {200, 2833, "10"}, {200, 1566, "100"}, {200, 300, "1000"},
                                 {580, 4250, "1"}, {2630, 4250, "10"}, {4680, 4250, "100"}}));
    // a major line and ten minor lines in each decade
    EXPECT_EQ(GridLines(wb.graph, true).size(), 33u);
    EXPECT_EQ(GridLines(wb.graph, false).size(), 22u);
    const auto circles = wb.graph.CallsOf(Op::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(std::pair(circles[0].x1, circles[0].y1), std::pair(2750.0, 2933.0));
}

// The curve in pieces where it has no value, the points, the count of those
// beyond the limits, and the message when nothing of them can be shown; for a
// row with s, the residual graph of its points and coefficients.
TEST(Drawing, CurveInPiecesPointsAndFailures) {
    for (const auto& row : test::ReadCases("graph_drawing.tsv", 22)) {
        SCOPED_TRACE(row[0]);
        Drawn wb;
        std::vector<GraphScene::Point> points;
        for (const std::string& point : test::Words(row[13])) {
            const std::size_t colon = point.find(':');
            points.push_back({test::NumberField(point.substr(0, colon)), test::NumberField(point.substr(colon + 1))});
        }
        const GraphState g{test::Numbers(row[11]), AxisOf(row, 5), AxisOf(row, 8), 1, test::NumberField(row[12]), points};
        const bool residual = !row[19].empty();
        if (residual) {
            const Flags f = FlagsOf(row, 1);
            ResidualScene scene{"", "", {f.yLog, f.yRecip, f.xLog, f.xRecip}, {g.x.low, g.x.high, g.x.divisions, 1},
                                g.coefficients, {}, test::NumberField(row[19])};
            for (const GraphScene::Point& point : points) scene.samples.push_back({point.x, point.measured});
            if (const auto failure = DrawResidualScene(wb.graph, false, scene)) wb.messages.push_back(failure->Description());
        } else {
            Draw(wb, g, FlagsOf(row, 1));
        }
        EXPECT_EQ(wb.messages, row[14].empty() ? std::vector<std::string>{} : std::vector<std::string>{row[14]});
        EXPECT_EQ(GridLines(wb.graph, false).size() > 0, row[15] == "1");
        const auto curve = Curve(wb.graph);
        EXPECT_EQ(std::count_if(curve.begin(), curve.end(), [](const DrawCall& c) { return c.op == Op::Point; }),
                  std::stoi(row[16]));
        EXPECT_EQ(wb.graph.CallsOf(Op::Circle).size(), std::stoul(row[17]));
        std::vector<std::string> afterClip;  // the texts drawn after the frame's clip ended
        bool ended = false;
        for (const DrawCall& call : wb.graph.Calls()) {
            ended = ended || call.op == Op::EndClip;
            if (ended && call.op == Op::Text) afterClip.push_back(call.text);
        }
        EXPECT_EQ(afterClip, row[18].empty() ? std::vector<std::string>{} : std::vector<std::string>{row[18]});
        for (const DrawCall& call : wb.graph.Calls())
            EXPECT_TRUE(std::isfinite(call.x1 + call.y1 + call.x2 + call.y2) && !test::LooksNonFinite(call.text));
        if (!residual) continue;
        // The Y end labels, the dashed lines across the frame and the points inside it.
        const auto texts = Texts(wb.graph);  // after the title and the two axis titles
        EXPECT_EQ((std::vector<std::string>{texts.at(3).text, texts.at(4).text}), (std::vector<std::string>{row[8], row[9]}));
        EXPECT_EQ(GridLines(wb.graph, true).size(), std::stoul(row[10]));
        const DrawCall frame = wb.graph.CallsOf(Op::Box).at(0);
        std::vector<double> dashes, heights;
        bool dashed = false;
        for (const DrawCall& call : wb.graph.Calls()) {
            if (call.op == Op::LineStyle) dashed = call.value == static_cast<int>(LineStyle::Dash);
            if (call.op == Op::Line && dashed && call.x1 == frame.x1 && call.x2 == frame.x2) dashes.push_back(call.y1);
            if (call.op != Op::Circle) continue;
            heights.push_back(call.y1);
            EXPECT_TRUE(frame.x1 <= call.x1 && call.x1 <= frame.x2 && frame.y1 <= call.y1 && call.y1 <= frame.y2);
        }
        std::sort(dashes.begin(), dashes.end());
        EXPECT_EQ(dashes, test::Numbers(row[20]));
        EXPECT_EQ(heights, test::Numbers(row[21]));
    }
}

// What an SVG document is given, as it does not clip: lines cut to the clip
// box, points and circles outside it left out, nothing after the clip touched.
TEST(ClippedCalls, LinesCutToTheBoxPointsOutsideLeftOut) {
    RecordingSurface s(1500, 1500);
    s.SetClip(150, 1050, 750, 1350);
    s.Line(0, 1050, 1200, 1350, kLightGreen);  // enters at t = 1/8, leaves at t = 5/8
    s.Line(0, 0, 1500, 0, kLightGreen);        // above the box
    s.Circle(1000, 1200, 30);
    s.Circle(300, 1200, 30);
    s.EndClip();
    s.Line(0, 0, 1500, 0, kLightGreen);
    std::vector<std::vector<double>> lines;
    std::vector<double> circles;
    for (const DrawCall& call : ClippedCalls(s.Calls())) {
        if (call.op == Op::Line) lines.push_back(Corners(call));
        if (call.op == Op::Circle) circles.push_back(call.x1);
    }
    EXPECT_EQ(lines, (std::vector<std::vector<double>>{{150, 1087.5, 750, 1237.5}, {0, 0, 1500, 0}}));
    EXPECT_EQ(circles, std::vector<double>{300});
}

TEST(WindowBackground, BlueToBlackInOverlappingBands) {
    RecordingSurface window(10, 4);
    PaintWindowBackground(window);
    std::vector<Rgb> colours;
    std::vector<std::vector<double>> boxes;
    for (const DrawCall& call : window.Calls()) {
        if (call.op == Op::FillColor) colours.push_back(call.color);
        if (call.op == Op::FilledBox) boxes.push_back(Corners(call));
    }
    // 255 − (i × 255) div 4 for i = 0..4
    EXPECT_EQ(colours, (std::vector<Rgb>{MakeRgb(0, 0, 255), MakeRgb(0, 0, 192), MakeRgb(0, 0, 128),
                                         MakeRgb(0, 0, 64), MakeRgb(0, 0, 0)}));
    EXPECT_EQ(boxes, (std::vector<std::vector<double>>{
                         {-1, -1, 10, 1}, {-1, 0, 10, 2}, {-1, 1, 10, 3}, {-1, 2, 10, 4}, {-1, 3, 10, 5}}));
}

}  // namespace
}  // namespace kurvo
