#include <QImage>
#include <QPainter>
#include <QTest>

#include "graph/recording_surface.h"
#include "gui_test.h"
#include "ui/paint_calls.h"

using kurvo::RecordingSurface;

namespace {

// Replays at 15 twips per pixel (96 dpi) on a white 100 x 100 image.
QImage render(const RecordingSurface& surface, const QColor& background = Qt::white) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);  // 96 dpi
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    kurvo::ui::PaintCalls(painter, surface.Calls(), {15.0, 15.0, 1.0}, QRectF(0, 0, 100, 100), background);
    return image;
}

int countColour(const QImage& image, QRgb colour, const QRect& within) {
    int n = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

}  // namespace

class PaintCallsTest : public QObject {
    Q_OBJECT
private slots:
    void clearFillsWithTheBackground() {
        RecordingSurface s(1500, 1500);
        s.Clear();
        const QImage image = render(s, Qt::black);
        QCOMPARE(image.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(99, 99), qRgb(0, 0, 0));
    }

    void twipsBecomePixelsInThePaletteColours() {
        RecordingSurface s(1500, 1500);
        s.Line(150, 300, 1350, 300, kurvo::kLightGreen);  // pixels (10, 20)-(90, 20)
        s.Box(150, 600, 750, 900, kurvo::kGrey);          // pixels (10, 40)-(50, 60)
        const QImage image = render(s);
        QCOMPARE(image.pixel(50, 20), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(50, 21), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(10, 50), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(50, 50), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(30, 50), qRgb(255, 255, 255));  // a box is an outline
    }

    void lineToStartsAtThePoint() {
        RecordingSurface s(1500, 1500);
        s.Point(300, 300, kurvo::kLightRed);
        s.LineTo(300, 1200, kurvo::kLightRed);
        const QImage image = render(s);
        QCOMPARE(countColour(image, qRgb(255, 0, 0), QRect(20, 20, 1, 61)), 61);
    }

    void circlesAreOutlinedInTheForeColourAndFilledWhenSolid() {
        RecordingSurface s(1500, 1500);
        s.SetForeColor(kurvo::kGrey);
        s.SetFillStyle(kurvo::FillStyle::Solid);
        s.SetFillColor(kurvo::kLightRed);
        s.Circle(750, 750, 300);  // radius 20 pixels at (50, 50)
        s.SetFillStyle(kurvo::FillStyle::Transparent);
        s.Circle(750, 750, 600);  // radius 40, not filled
        const QImage image = render(s);
        QCOMPARE(image.pixel(50, 50), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(50, 30), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(50, 20), qRgb(255, 255, 255));  // between the two circles
        QCOMPARE(image.pixel(50, 10), qRgb(128, 128, 128));
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

    void filledBoxHasNoOutline() {
        RecordingSurface s(100, 100);
        s.SetFillColor(kurvo::MakeRgb(0, 0, 200));
        s.SetForeColor(kurvo::kLightRed);
        s.FilledBox(-1, 9, 100, 11);
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        kurvo::ui::PaintCalls(painter, s.Calls(), {1.0, 1.0, 1.0}, QRectF(0, 0, 100, 100), Qt::white);
        painter.end();
        QCOMPARE(countColour(image, qRgb(0, 0, 200), QRect(0, 9, 100, 2)), 200);
        QCOMPARE(countColour(image, qRgb(255, 0, 0), image.rect()), 0);
    }
};

KURVO_GUI_TEST(PaintCallsTest)
#include "paint_calls_test.moc"
