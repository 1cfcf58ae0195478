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
    recording_.SetSizeSource([this] {
        return SurfaceSize{static_cast<int>(contentsRect().width() * (kTwipsPerInch / dpiX())),
                           static_cast<int>(contentsRect().height() * (kTwipsPerInch / dpiY()))};
    });
    recording_.SetChangeObserver([this] { update(); });
}

void GraphWidget::paintEvent(QPaintEvent* event) {
    // The widget paints every pixel itself: the frame leaves its outer edge
    // unpainted, which would otherwise keep whatever an earlier, larger
    // window left there.
    QPainter(this).fillRect(rect(), background());
    QFrame::paintEvent(event);
    const QRect area = contentsRect();
    QPainter painter(this);
    const int edge = frameWidth();
    painter.fillRect(rect().adjusted(edge, edge, -edge, -edge), background());
    // Text placed near the edge (the last X label) may run onto the frame
    // rather than be cut off.
    painter.setClipRect(rect());
    painter.translate(area.topLeft());
    PaintCalls(painter, recording_.Calls(), {kTwipsPerInch / dpiX(), kTwipsPerInch / dpiY(), 1.0},
               QRectF(QPointF(0, 0), area.size()), background());
}

}  // namespace kurvo::ui
