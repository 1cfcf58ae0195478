#include "ui/graph_export.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

#include "io/file_access.h"
#include "state/runtime_error.h"
#include "ui/application.h"
#include "ui/graph_widget.h"
#include "ui/paint_calls.h"
#include "ui/twips.h"

namespace kurvo::ui {

namespace {

int pixels(int twips, double dpi) { return static_cast<int>(std::ceil(twips * dpi / kTwipsPerInch)); }

// The last X label starts 120 twips before the frame's right end, close to the
// picture's edge; a picture of the screen graph is this much wider, in the
// background colour, so that "100" or "1000" is not cut off (in the window the
// label may run onto the picture box's border instead).
constexpr int kLabelRoomTwips = 360;

void paintScreen(QPainter& painter, const std::vector<DrawCall>& calls, const QRectF& area, double dpi) {
    const double twipsPerPixel = kTwipsPerInch / dpi;
    PaintCalls(painter, calls, {twipsPerPixel, twipsPerPixel, 1.0}, area, GraphWidget::background());
}

// An SVG document of `size` pixels at `dpi`, on `background`, painted by `paint`.
// The generator ignores clipping: the calls it is given are clipped already.
template <class Paint>
QByteArray svgDocument(QSize size, double dpi, const QColor& background, const Paint& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(qRound(dpi));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Kurvo"));
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    painter.fillRect(QRect(QPoint(0, 0), size), background);
    paint(painter);
    painter.end();
    // The file names the face the graph asks for; viewers without it fall
    // back to the face drawn here, then to any fixed-pitch face.
    const QByteArray asked = "font-family=\"" + QByteArray(kGothic) + "\"";
    const QByteArray withFallbacks = "font-family=\"'" + QByteArray(kGothic) + "', '" +
                                     QFontInfo(QFont(QString::fromUtf8(kGothic))).family().toUtf8() + "', monospace\"";
    return bytes.replace(asked, withFallbacks);
}

// The printable page as an SVG document of its own size.
QByteArray paperSvg(const GraphImage& image) {
    const QSize size(pixels(image.width, kPdfResolution), pixels(image.height, kPdfResolution));
    return svgDocument(size, kPdfResolution, Qt::white, [&](QPainter& painter) {
        PaintPaperPage(painter, ClippedCalls(*image.calls), kPdfResolution, kPdfResolution);
    });
}

// One A4 portrait page with the printable area in its middle; a larger page
// when the area does not fit on A4.
QByteArray paperPdf(const GraphImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfResolution);
    // The program that made it: "Kurvo" for the window, "kurvo-batch" for the batch command.
    pdf.setCreator(QCoreApplication::applicationName());
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

QByteArray pngBytes(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG")) return {};
    return bytes;
}

QImage screenImage(const std::vector<DrawCall>& calls, int width, int height, double dpi) {
    QImage picture(pixels(width + kLabelRoomTwips, dpi), pixels(height, dpi), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    picture.setDotsPerMeterX(dotsPerMeter);
    picture.setDotsPerMeterY(dotsPerMeter);
    picture.fill(GraphWidget::background());
    QPainter painter(&picture);
    paintScreen(painter, calls, QRectF(picture.rect()), dpi);
    return picture;
}

QByteArray screenSvg(const std::vector<DrawCall>& calls, int width, int height, double dpi) {
    const QSize size(pixels(width + kLabelRoomTwips, dpi), pixels(height, dpi));
    return svgDocument(size, dpi, GraphWidget::background(),
                       [&](QPainter& painter) { paintScreen(painter, ClippedCalls(calls), QRectF(QPointF(0, 0), size), dpi); });
}

QByteArray graphImageBytes(const GraphImage& image) {
    if (image.calls == nullptr || image.width <= 0 || image.height <= 0) return {};
    switch (image.format) {
    case GraphImageFormat::Png: return pngBytes(screenImage(*image.calls, image.width, image.height, kScreenDpi));
    case GraphImageFormat::Svg: return paperSvg(image);
    case GraphImageFormat::Pdf: return paperPdf(image);
    }
    return {};
}

std::string RenderGraphImage(const GraphImage& image, std::string& bytes) {
    if (image.calls == nullptr || image.width <= 0 || image.height <= 0) return "描くグラフがありません。";
    const QByteArray drawn = graphImageBytes(image);
    if (drawn.isEmpty()) return "グラフの画像を作れませんでした。";
    bytes = drawn.toStdString();
    return {};
}

std::string WriteGraphImage(const GraphImage& image, const std::string& path) {
    std::string bytes;
    if (std::string problem = RenderGraphImage(image, bytes); !problem.empty()) return problem;
    try {
        ReplaceFileContents(path, bytes);
    } catch (const RuntimeError& error) {
        return kCannotWriteGraphMessage + path + "\n" + error.Description();
    }
    return {};
}

}  // namespace kurvo::ui
