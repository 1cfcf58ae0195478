#include "ui/paint_calls.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "ui/application.h"
#include "ui/twips.h"

namespace kurvo::ui {

QColor toQColor(Rgb rgb) { return QColor(static_cast<QRgb>(0xff000000u | rgb)); }

namespace {

struct PaintState {
    int lineWidth = 1;
    Qt::PenStyle lineStyle = Qt::SolidLine;
    QColor foreColor = Qt::black;
    FillStyle fillStyle = FillStyle::Transparent;
    QColor fillColor = Qt::black;
    QString fontName = QString::fromUtf8(kGothic);
};

}  // namespace

void PaintCalls(QPainter& painter, const std::vector<DrawCall>& calls, const PaintScale& scale,
                const QRectF& area, const QColor& background) {
    using Op = DrawCall::Op;
    PaintState state;
    const auto at = [&](double x, double y) { return QPointF(x / scale.unitsPerPixelX, y / scale.unitsPerPixelY); };
    const auto pen = [&](const QColor& color) {
        QPen p(color);
        p.setWidthF(std::max(1.0, state.lineWidth * scale.lineWidthFactor));
        p.setCapStyle(Qt::SquareCap);
        p.setJoinStyle(Qt::MiterJoin);
        p.setStyle(state.lineStyle);
        return p;
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const DrawCall& call : calls) {
        switch (call.op) {
        case Op::Clear:
            painter.setClipping(false);
            painter.fillRect(area, background);
            break;
        case Op::Clip:
            // The frame's own lines stay inside: half a pixel round the box.
            painter.setClipRect(QRectF(at(call.x1, call.y1), at(call.x2, call.y2)).normalized().adjusted(-0.5, -0.5, 0.5, 0.5));
            break;
        case Op::EndClip:
            painter.setClipping(false);
            break;
        case Op::LineWidth:
            state.lineWidth = call.value;
            break;
        case Op::LineStyle:
            state.lineStyle = static_cast<LineStyle>(call.value) == LineStyle::Dash ? Qt::DashLine : Qt::SolidLine;
            break;
        case Op::ForeColor:
            state.foreColor = toQColor(call.color);
            break;
        case Op::Line:
        case Op::LineTo:
            painter.setPen(pen(toQColor(call.color)));
            painter.drawLine(at(call.x1, call.y1), at(call.x2, call.y2));
            break;
        case Op::Box:
            painter.setPen(pen(toQColor(call.color)));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(at(call.x1, call.y1), at(call.x2, call.y2)).normalized());
            break;
        case Op::Point:
            painter.setPen(pen(toQColor(call.color)));
            painter.drawPoint(at(call.x1, call.y1));
            break;
        case Op::FillStyle:
            state.fillStyle = static_cast<FillStyle>(call.value);
            break;
        case Op::FillColor:
            state.fillColor = toQColor(call.color);
            break;
        case Op::Circle: {
            painter.setPen(pen(state.foreColor));
            if (state.fillStyle == FillStyle::Solid) {
                painter.setBrush(state.fillColor);
            } else {
                painter.setBrush(Qt::NoBrush);
            }
            // The radius is measured along the x axis, as the surface defines it.
            const double r = call.x2 / scale.unitsPerPixelX;
            painter.drawEllipse(at(call.x1, call.y1), r, r);
            break;
        }
        case Op::FontName:
            state.fontName = QString::fromStdString(call.text);
            break;
        case Op::FontSize:
        case Op::Position:
            break;  // the text calls carry their own size and position
        case Op::Text: {
            const double points = call.size > 0 ? call.size : 9.0;
            // The fixed Gothic face takes its digits from the face whose point reads as a point.
            QFont font = state.fontName == QString::fromUtf8(kGothic) ? numberFont(points) : QFont(state.fontName);
            font.setPointSizeF(points);
            painter.setFont(font);
            painter.setPen(state.foreColor);
            const QFontMetricsF metrics(font, painter.device());
            const QPointF topLeft = at(call.x1, call.y1);
            painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), QString::fromStdString(call.text));
            break;
        }
        case Op::FilledBox:
            painter.fillRect(QRectF(at(call.x1, call.y1), at(call.x2, call.y2)).normalized(), state.fillColor);
            break;
        case Op::EndDocument:
            break;  // the page itself belongs to whoever owns the painter
        }
    }
    painter.restore();
}

void PaintPaperPage(QPainter& painter, const std::vector<DrawCall>& calls, double dpiX, double dpiY) {
    const PaintScale scale{kTwipsPerInch / dpiX, kTwipsPerInch / dpiY, 1.0};
    const QRectF page(QPointF(0, 0), QSizeF(painter.device()->width(), painter.device()->height()));
    PaintCalls(painter, calls, scale, page, Qt::white);
}

}  // namespace kurvo::ui
