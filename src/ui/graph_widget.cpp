#include "ui/graph_widget.h"

#include <QPainter>

#include "ui/paint_calls.h"
#include "ui/twips.h"

namespace kurvo::ui {

GraphWidget::GraphWidget(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWidth(2);
    // A little room at the right: the last X label starts 120 twips before the
    // frame's right end and would otherwise run off the picture.
    setContentsMargins(0, 0, 5, 0);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double GraphWidget::twipsPerPixelX() const { return kTwipsPerInch / logicalDpiX(); }
double GraphWidget::twipsPerPixelY() const { return kTwipsPerInch / logicalDpiY(); }

int GraphWidget::Width() const { return static_cast<int>(contentsRect().width() * twipsPerPixelX()); }
int GraphWidget::Height() const { return static_cast<int>(contentsRect().height() * twipsPerPixelY()); }

void GraphWidget::Clear() {
    recording_.Clear();
    changed();
}
void GraphWidget::SetLineWidth(int pixels) { recording_.SetLineWidth(pixels); }
void GraphWidget::SetForeColor(Rgb color) { recording_.SetForeColor(color); }
void GraphWidget::Line(double x1, double y1, double x2, double y2, Rgb color) {
    recording_.Line(x1, y1, x2, y2, color);
    changed();
}
void GraphWidget::Box(double x1, double y1, double x2, double y2, Rgb color) {
    recording_.Box(x1, y1, x2, y2, color);
    changed();
}
void GraphWidget::LineTo(double x, double y, Rgb color) {
    recording_.LineTo(x, y, color);
    changed();
}
void GraphWidget::Point(double x, double y, Rgb color) {
    recording_.Point(x, y, color);
    changed();
}
void GraphWidget::SetFillStyle(FillStyle style) { recording_.SetFillStyle(style); }
void GraphWidget::SetFillColor(Rgb color) { recording_.SetFillColor(color); }
void GraphWidget::Circle(double x, double y, double radius) {
    recording_.Circle(x, y, radius);
    changed();
}
void GraphWidget::SetFontName(const std::string& name) { recording_.SetFontName(name); }
void GraphWidget::SetFontSize(double points) { recording_.SetFontSize(points); }
void GraphWidget::SetCurrentPosition(double x, double y) { recording_.SetCurrentPosition(x, y); }
void GraphWidget::PrintText(const std::string& text) {
    recording_.PrintText(text);
    changed();
}
void GraphWidget::FilledBox(double x1, double y1, double x2, double y2) {
    recording_.FilledBox(x1, y1, x2, y2);
    changed();
}

void GraphWidget::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    QPainter painter(this);
    const int edge = frameWidth();
    painter.fillRect(rect().adjusted(edge, edge, -edge, -edge), background());
    // Text placed near the edge (the last X label) may run onto the frame
    // rather than be cut off.
    painter.setClipRect(rect());
    painter.translate(area.topLeft());
    PaintCalls(painter, recording_.Calls(), {twipsPerPixelX(), twipsPerPixelY(), 1.0},
               QRectF(QPointF(0, 0), area.size()), background());
}

}  // namespace kurvo::ui
