// Recorded drawing replayed on a QPainter at 15 twips per pixel.
#include <QImage>
#include <QPainter>
#include <QTest>

#include "graph/recording_surface.h"
#include "gui_test.h"
#include "ui/paint_calls.h"

using kurvo::RecordingSurface;

namespace {

QImage render(const RecordingSurface& surface, const QColor& background = Qt::white) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    kurvo::ui::PaintCalls(painter, surface.Calls(), {15.0, 15.0, 1.0}, QRectF(0, 0, 100, 100), background);
    return image;
}

}  // namespace

class PaintCallsTest : public QObject {
    Q_OBJECT
private slots:
    void shapesLandOnTheirPixelsInThePaletteColours() {
        RecordingSurface s(1500, 1500);
        s.Clear();
        s.Line(150, 300, 1350, 300, kurvo::kLightGreen);  // pixels (10, 20)-(90, 20)
        s.Box(150, 600, 750, 900, kurvo::kGrey);          // pixels (10, 40)-(50, 60), an outline
        s.Point(1200, 150, kurvo::kLightRed);
        s.LineTo(1200, 450, kurvo::kLightRed);            // (80, 10)-(80, 30), from the point
        const QImage image = render(s, Qt::black);
        QCOMPARE(image.pixel(99, 99), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(50, 20), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(10, 50), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(30, 50), qRgb(0, 0, 0));
        for (int y = 10; y <= 30; ++y)
            if (y != 20) QCOMPARE(image.pixel(80, y), qRgb(255, 0, 0));
    }

    void textHangsBelowTheCurrentPositionInItsSize() {
        const auto inkRows = [](double points) {
            RecordingSurface s(1500, 1500);
            s.SetForeColor(kurvo::kBlack);
            s.SetFontSize(points);
            s.SetCurrentPosition(150, 450);  // (10, 30)
            s.PrintText("Ｈ8");
            const QImage image = render(s);
            int top = 100, bottom = -1;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 100; ++x)
                    if (qGray(image.pixel(x, y)) < 128) top = std::min(top, y), bottom = std::max(bottom, y);
            return std::pair{top, bottom};
        };
        const auto [top9, bottom9] = inkRows(9);
        const auto [top18, bottom18] = inkRows(18);
        QVERIFY2(top9 >= 30 && top9 <= 34, qPrintable(QString::number(top9)));
        QVERIFY(bottom9 <= 30 + 14);
        QVERIFY(bottom18 - top18 > (bottom9 - top9) * 3 / 2);
    }
};

KURVO_GUI_TEST(PaintCallsTest)
#include "paint_calls_test.moc"
