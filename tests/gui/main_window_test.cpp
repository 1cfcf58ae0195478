// The real main window, driven as a user would on the offscreen platform.
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>

#include "gui_test.h"
#include "window_test.h"

using kurvo::App;
using namespace kurvo::ui::test;

namespace {

QRect framePixels(kurvo::ui::MainWindow& w) {
    const auto& g = w.app().window;
    const QPoint origin = w.graph()->contentsRect().topLeft();
    const double tx = w.scale().twipsPerPixelX(), ty = w.scale().twipsPerPixelY();
    return QRect(QPoint(qRound(g.ix1 / tx), qRound(g.iy1 / ty)) + origin,
                 QPoint(qRound(g.ix2 / tx), qRound(g.iy2 / ty)) + origin);
}

int countInside(const QImage& image, QRgb colour, const QRect& frame) {
    int n = 0;
    for (int y = frame.top() + 1; y < frame.bottom(); ++y)
        for (int x = frame.left() + 1; x < frame.right(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

}  // namespace

class MainWindowTest : public WindowTest {
    Q_OBJECT

    QScrollBar* bar(App::RangeBar b) { return window->rangeBar(b); }
    void step(App::RangeBar b, QAbstractSlider::SliderAction action) { bar(b)->triggerAction(action); }

private slots:
    void init() { openWindow(); }
    void cleanup() { window.reset(); }

    void startsWithAnEmptyDocumentOnTheDataPage() {
        QCOMPARE(w().windowTitle(), QStringLiteral("Tavric　『Kurvo』"));
        QCOMPARE(w().tabs()->currentIndex(), 0);
        QCOMPARE(w().tabs()->count(), 5);
        QCOMPARE(w().dataGrid()->model()->rowCount(), 100);
        for (int k = 0; k < 5; ++k)
            QCOMPARE(w().dataGrid()->model()->headerData(k, Qt::Horizontal).toString(), QString(QChar('A' + k)));
        QCOMPARE(cell(w().methodGrid(), 7, 4), std::string("2"));
        QCOMPARE(cell(w().methodGrid(), 1, 1), std::string());
        QCOMPARE(cell(w().coefficientGrid(), 1, 5), std::string());
        QVERIFY(!session().int_Estimated);
        QCOMPARE(w().equationLabel(0)->text(), QStringLiteral("y1=c0+c1*x+c2*x^2"));
        QCOMPARE(bar(App::RangeBar::HScrollLow)->value(), 32767);
        QCOMPARE(bar(App::RangeBar::VScrollHigh)->value(), 0);
        const auto& s = w().scale();
        QCOMPARE(w().graph()->geometry(), s.rect(6120, 240, 5055, 4815));
        QCOMPARE(w().estimateButton()->geometry(), s.rect(11280, 2160, 1215, 735));
        QVERIFY(messages.empty());
    }

    void closeBoxIsRefusedButTheProgramMayClose() {
        QVERIFY(!closeBox(window.get()));
        QVERIFY(w().isVisible());
        w().closeFromProgram();
        QVERIFY(!w().isVisible());
    }

    void example3IsEstimatedDrawnAndPagedThrough() {
        trigger("mnuExample3");
        QCOMPARE(w().dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("X-3"));
        pressEstimate();
        QVERIFY(messages.empty());
        QCOMPARE(w().tabs()->currentIndex(), 1);
        for (int c = 1; c <= 4; ++c) QVERIFY(!cell(w().coefficientGrid(), c, 5).empty());  // C0
        QVERIFY(w().equationLabel(0)->text().startsWith(QStringLiteral("LogY1=")));
        QCOMPARE(cell(w().estimateGrid(0), 1, 5), std::string("64.51"));

        QApplication::processEvents();
        const QImage image = w().graph()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect frame = framePixels(w());
        QVERIFY(frame.width() > 200 && frame.height() > 200);
        QVERIFY2(countInside(image, qRgb(0, 255, 0), frame) > 100, "curve");
        QVERIFY2(countInside(image, qRgb(255, 0, 0), frame) >= 5, "points");
        QCOMPARE(image.pixel(frame.left(), frame.center().y()), qRgb(128, 128, 128));

        for (int page : {2, 3, 4}) {
            w().tabs()->setCurrentIndex(page);
            QCOMPARE(session().int_Comb, page - 1);
            QVERIFY(w().equationLabel(page - 1)->text().startsWith(QStringLiteral("LogY%1=").arg(page)));
            QVERIFY(!cell(w().estimateGrid(page - 1), 2, 1).empty());
        }
        const auto drawn = w().graph()->calls().size();
        w().tabs()->setCurrentIndex(0);  // the data page keeps the graph
        QCOMPARE(session().int_Comb, 3);
        QCOMPARE(w().graph()->calls().size(), drawn);
        w().tabs()->setCurrentIndex(1);
        QCOMPARE(session().int_Comb, 0);
        QVERIFY(messages.empty());
    }

    void aNewDegreeRunsTheEstimationAgain() {
        trigger("mnuExample1");
        chooseInCombo(w().methodGrid(), 4, 2, QStringLiteral("Y-1(1)"));
        QCOMPARE(session().int_XVar(2), 2);
        QCOMPARE(cell(w().coefficientGrid(), 1, 5), std::string());  // recorded, not run
        pressEstimate();
        const std::string c0 = cell(w().coefficientGrid(), 1, 5);
        QCOMPARE(cell(w().coefficientGrid(), 1, 9), std::string());  // degree 3: no C4
        w().tabs()->setCurrentIndex(0);
        chooseInCombo(w().methodGrid(), 7, 1, QStringLiteral("4"));
        QCOMPARE(session().int_Degree(1), 4);
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QVERIFY(!cell(w().coefficientGrid(), 1, 9).empty());
        QVERIFY(cell(w().coefficientGrid(), 1, 5) != c0);
        QVERIFY(w().equationLabel(0)->text().contains(QStringLiteral("*X^4")));
    }

    void eachRangeBarStepsOnlyTheShownCombination() {
        estimateExample(1);
        auto& s = session();
        const double yMin = s.dbl_YMin(1), yMax = s.dbl_YMax(1), otherXMax = s.dbl_XMax(2);
        QCOMPARE(s.dbl_XMin(1), 10.0);
        QCOMPARE(s.dbl_XMax(1), 100.0);
        // The first move of a High bar away from its minimum is only recorded.
        step(App::RangeBar::HScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_XMax(1), 100.0);
        step(App::RangeBar::HScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_XMax(1), 200.0);
        QCOMPARE(s.dbl_XHigh(1), 200.0);
        QCOMPARE(s.dbl_XMax(2), otherXMax);
        step(App::RangeBar::HScrollLow, QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_XMin(1), 0.0);
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepSub);  // up arrow
        QVERIFY(s.dbl_YMin(1) < yMin);
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_YMin(1), yMin);
        step(App::RangeBar::VScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_YMax(1), yMax);
        step(App::RangeBar::VScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QVERIFY(s.dbl_YMax(1) > yMax);
        QVERIFY(drewText(w().graph()->calls(), "200"));  // the new last X label
        QVERIFY(messages.empty());

        estimateExample(3);  // log Y: a step to zero is reported and not drawn
        QCOMPARE(s.dbl_YMin(1), 10.0);
        const auto drawn = w().graph()->calls().size();
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_YMin(1), 0.0);
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(w().graph()->calls().size(), drawn);
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_YMin(1), 1.0);
    }

    void pastedBlockCanBeEstimated() {
        QString text;
        for (int i = 1; i <= 12; ++i) text += QStringLiteral("%1\t%2\t%3\r\n").arg(i).arg(2 * i + 1).arg(i * i - 3);
        QGuiApplication::clipboard()->setText(text);
        kurvo::ui::GridView* data = w().dataGrid();
        data->setFocus();
        data->setCurrentIndex(indexOf(data, 1, 1));
        QTest::keyClick(data, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(data, 3, 12), std::string("141"));
        QCOMPARE(cell(data, 1, 13), std::string());
        QVERIFY(w().statusBar()->currentMessage().contains(QStringLiteral("12 行 × 3 列")));

        chooseInCombo(w().methodGrid(), 1, 1, QStringLiteral("B"));
        chooseInCombo(w().methodGrid(), 4, 1, QStringLiteral("A"));
        chooseInCombo(w().methodGrid(), 1, 2, QStringLiteral("C"));
        chooseInCombo(w().methodGrid(), 4, 2, QStringLiteral("A"));
        pressEstimate();
        QVERIFY(messages.empty());
        QCOMPARE(session().int_DataCount, 12);
        QCOMPARE(session().int_CombCount, 2);
        QVERIFY(qAbs(session().dbl_Coeff(1, 1) - 2.0) < 1e-9);
        QVERIFY(qAbs(session().dbl_Coeff(2, 2) - 1.0) < 1e-9);
    }
};

KURVO_GUI_TEST(MainWindowTest)
#include "main_window_test.moc"
