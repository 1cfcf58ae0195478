#include "graph/recording_surface.h"

#include <algorithm>
#include <optional>

namespace kurvo {

using Op = DrawCall::Op;

namespace {
DrawCall Call(Op op, double x1 = 0, double y1 = 0, double x2 = 0, double y2 = 0, Rgb color = 0, int value = 0) {
    DrawCall call;
    call.op = op;
    call.x1 = x1, call.y1 = y1, call.x2 = x2, call.y2 = y2;
    call.color = color;
    call.value = value;
    return call;
}
}  // namespace

void RecordingSurface::Draw(DrawCall call) {
    calls_.push_back(std::move(call));
    if (observer_) observer_();
}

void RecordingSurface::Clear() {
    calls_.clear();
    ++clears_;
    Draw(Call(Op::Clear));
}

void RecordingSurface::SetLineWidth(int pixels) { Record(Call(Op::LineWidth, 0, 0, 0, 0, 0, pixels)); }
void RecordingSurface::SetLineStyle(LineStyle style) {
    Record(Call(Op::LineStyle, 0, 0, 0, 0, 0, static_cast<int>(style)));
}
void RecordingSurface::SetForeColor(Rgb color) { Record(Call(Op::ForeColor, 0, 0, 0, 0, color)); }

void RecordingSurface::Line(double x1, double y1, double x2, double y2, Rgb color) {
    Draw(Call(Op::Line, x1, y1, x2, y2, color));
}

void RecordingSurface::Box(double x1, double y1, double x2, double y2, Rgb color) {
    Draw(Call(Op::Box, x1, y1, x2, y2, color));
}

void RecordingSurface::LineTo(double x, double y, Rgb color) {
    Draw(Call(Op::LineTo, x_, y_, x, y, color));
    x_ = x;
    y_ = y;
}

void RecordingSurface::Point(double x, double y, Rgb color) {
    Draw(Call(Op::Point, x, y, x, y, color));
    x_ = x;
    y_ = y;
}

void RecordingSurface::SetFillStyle(FillStyle style) {
    Record(Call(Op::FillStyle, 0, 0, 0, 0, 0, static_cast<int>(style)));
}

void RecordingSurface::SetFillColor(Rgb color) { Record(Call(Op::FillColor, 0, 0, 0, 0, color)); }

void RecordingSurface::Circle(double x, double y, double radius) { Draw(Call(Op::Circle, x, y, radius, 0)); }

void RecordingSurface::SetFontName(const std::string& name) {
    DrawCall call = Call(Op::FontName);
    call.text = name;
    Record(std::move(call));
}

void RecordingSurface::SetFontSize(double points) {
    fontSize_ = points;
    DrawCall call = Call(Op::FontSize);
    call.size = points;
    Record(std::move(call));
}

void RecordingSurface::SetCurrentPosition(double x, double y) {
    x_ = x;
    y_ = y;
    Record(Call(Op::Position, x, y));
}

void RecordingSurface::PrintText(const std::string& text) {
    DrawCall call = Call(Op::Text, x_, y_);
    call.text = text;
    call.size = fontSize_;
    Draw(std::move(call));
}

void RecordingSurface::FilledBox(double x1, double y1, double x2, double y2) {
    Draw(Call(Op::FilledBox, x1, y1, x2, y2));
}

void RecordingSurface::SetClip(double x1, double y1, double x2, double y2) { Record(Call(Op::Clip, x1, y1, x2, y2)); }
void RecordingSurface::EndClip() { Record(Call(Op::EndClip)); }

void RecordingSurface::EndDocument() {
    Record(Call(Op::EndDocument));
    if (endDocument_) endDocument_();
}

std::vector<DrawCall> RecordingSurface::CallsOf(Op op) const {
    std::vector<DrawCall> out;
    for (const auto& call : calls_)
        if (call.op == op) out.push_back(call);
    return out;
}

namespace {

struct ClipBox {
    double left, top, right, bottom;
    bool Holds(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// The part of the segment inside the box (Liang-Barsky), false when none is.
bool ClipSegment(const ClipBox& box, DrawCall& line) {
    const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
    double enter = 0, leave = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {line.x1 - box.left, box.right - line.x1, line.y1 - box.top, box.bottom - line.y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > leave) return false;
            if (t > enter) enter = t;
        } else {
            if (t < enter) return false;
            if (t < leave) leave = t;
        }
    }
    const double x1 = line.x1, y1 = line.y1;
    if (leave < 1) line.x2 = x1 + leave * dx, line.y2 = y1 + leave * dy;
    if (enter > 0) line.x1 = x1 + enter * dx, line.y1 = y1 + enter * dy;
    return true;
}

}  // namespace

std::vector<DrawCall> ClippedCalls(const std::vector<DrawCall>& calls) {
    std::vector<DrawCall> out;
    std::optional<ClipBox> box;
    for (const DrawCall& call : calls) {
        switch (call.op) {
        case Op::Clip:
            box = ClipBox{std::min(call.x1, call.x2), std::min(call.y1, call.y2), std::max(call.x1, call.x2),
                          std::max(call.y1, call.y2)};
            break;
        case Op::EndClip:
        case Op::Clear:
            box.reset();
            break;
        case Op::Line:
        case Op::LineTo:
            if (box) {
                DrawCall line = call;
                if (ClipSegment(*box, line)) out.push_back(std::move(line));
                continue;
            }
            break;
        case Op::Point:
        case Op::Circle:
            if (box && !box->Holds(call.x1, call.y1)) continue;
            break;
        default:
            break;
        }
        out.push_back(call);
    }
    return out;
}

}  // namespace kurvo
