#include "ui/graph_export.h"

#include <QBuffer>
#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "ui/application.h"
#include "ui/graph_printer.h"
#include "ui/graph_widget.h"
#include "ui/paint_calls.h"
#include "ui/twips.h"

namespace kurvo::ui {

namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kTwipsPerPoint = 20.0;

int pixels(int twips, double dpi) { return static_cast<int>(std::ceil(twips * dpi / kTwipsPerInch)); }

// The screen graph on its black background at 96 dpi.
QByteArray screenPng(const GraphImage& image) {
    QImage picture(pixels(image.width, kScreenDpi), pixels(image.height, kScreenDpi), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(kScreenDpi / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(GraphWidget::background());
    {
        QPainter painter(&picture);
        const double twipsPerPixel = kTwipsPerInch / kScreenDpi;
        PaintCalls(painter, *image.calls, {twipsPerPixel, twipsPerPixel, 1.0}, QRectF(picture.rect()),
                   GraphWidget::background());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return {};
    return bytes;
}

// The printable page as an SVG document of its own size.
QByteArray paperSvg(const GraphImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(kPdfResolution);
    const QSize size(pixels(image.width, kPdfResolution), pixels(image.height, kPdfResolution));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Kurvo"));
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    PaintPaperPage(painter, *image.calls, kPdfResolution, kPdfResolution);
    painter.end();
    // The file names the face the graph asks for; viewers without it fall
    // back to the face drawn here, then to any fixed-pitch face.
    const QByteArray asked = "font-family=\"" + QByteArray(kGothic) + "\"";
    const QByteArray withFallbacks = "font-family=\"'" + QByteArray(kGothic) + "', '" +
                                     QFontInfo(QFont(QString::fromUtf8(kGothic))).family().toUtf8() + "', monospace\"";
    return bytes.replace(asked, withFallbacks);
}

// One A4 portrait page with the printable area in its middle; a larger page
// when the area does not fit on A4.
QByteArray paperPdf(const GraphImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfResolution);
    pdf.setCreator(QStringLiteral("kurvo-batch"));
    const QSizeF area(image.width / kTwipsPerPoint, image.height / kTwipsPerPoint);  // points
    QSizeF paper = QPageSize(QPageSize::A4).size(QPageSize::Point);
    QPageSize pageSize(QPageSize::A4);
    if (area.width() > paper.width() || area.height() > paper.height()) {
        paper = area;
        pageSize = QPageSize(area, QPageSize::Point, QString(), QPageSize::ExactMatch);
    }
    const double side = (paper.width() - area.width()) / 2, top = (paper.height() - area.height()) / 2;
    pdf.setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(side, top, side, top),
                                  QPageLayout::Point, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf)) return {};
    PaintPaperPage(painter, *image.calls, kPdfResolution, kPdfResolution);
    painter.end();
    return bytes;
}

}  // namespace

std::string RenderGraphImage(const GraphImage& image, std::string& bytes) {
    if (image.calls == nullptr || image.width <= 0 || image.height <= 0) return "描くグラフがありません。";
    QByteArray drawn;
    switch (image.format) {
    case GraphImageFormat::Png: drawn = screenPng(image); break;
    case GraphImageFormat::Svg: drawn = paperSvg(image); break;
    case GraphImageFormat::Pdf: drawn = paperPdf(image); break;
    }
    if (drawn.isEmpty()) return "グラフの画像を作れませんでした。";
    bytes = drawn.toStdString();
    return {};
}

}  // namespace kurvo::ui
