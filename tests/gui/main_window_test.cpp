// The real main window, driven as a user would on the offscreen platform.
// Without a printer the printed page goes into a PDF file.
#include <QClipboard>
#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>

#include "gui_test.h"
#include "ui/graph_printer.h"
#include "window_test.h"

using kurvo::App;
using namespace kurvo::ui::test;

namespace {

int pixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

// The page rendered by pdftoppm (poppler-utils) in grey levels; null when it could not be.
QImage renderPdf(const QString& path, int dpi) {
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                                              QStringLiteral("-png"), QStringLiteral("-singlefile"), path, path});
    render.waitForFinished();
    return QImage(path + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

QPoint firstInk(const QImage& page, QPoint from, QPoint step) {
    for (QPoint p = from; page.rect().contains(p); p += step)
        if (qGray(page.pixel(p)) < 200) return p;
    return {-1, -1};
}

}  // namespace

class MainWindowTest : public WindowTest {
    Q_OBJECT

    void step(App::RangeBar b, QAbstractSlider::SliderAction action) { window->rangeBar(b)->triggerAction(action); }

private slots:
    void init() { openWindow(); }
    void cleanup() { window.reset(); }

    void closeBoxIsRefusedButTheProgramMayClose() {
        QVERIFY(!closeBox(window.get()));
        QVERIFY(w().isVisible());
        w().closeFromProgram();
        QVERIFY(!w().isVisible());
    }

    void estimateFillsTheResultPagesAndTheGraphFollowsThePage() {
        trigger("mnuExample3");
        pressEstimate();
        QVERIFY(messages.empty());
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QVERIFY(!cell(w().coefficientGrid(), 4, 5).empty());  // C0 of combination 4
        QCOMPARE(cell(w().estimateGrid(0), 1, 5), std::string("64.51"));  // X of sample 5
        QVERIFY(w().equationLabel(0)->text().startsWith(QStringLiteral("LogY1=")));
        QApplication::processEvents();
        const QImage image = w().graph()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(pixelsOf(image, qRgb(0, 255, 0)) > 100, "curve");
        QVERIFY2(pixelsOf(image, qRgb(255, 0, 0)) >= 5, "points");

        w().tabs()->setCurrentIndex(3);
        QCOMPARE(session().int_Comb, 2);
        QVERIFY(w().equationLabel(2)->text().startsWith(QStringLiteral("LogY3=")));
        QVERIFY(drewText(w().graph()->calls(), "Y-3(3)"));
    }

    void aNewDegreeRunsTheEstimationAgain() {
        estimateExample(1);
        QCOMPARE(cell(w().coefficientGrid(), 1, 9), std::string());  // degree 3: no C4
        w().tabs()->setCurrentIndex(0);
        chooseInCombo(w().methodGrid(), 7, 1, QStringLiteral("4"));
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QVERIFY(!cell(w().coefficientGrid(), 1, 9).empty());
        QVERIFY(w().equationLabel(0)->text().contains(QStringLiteral("*X^4")));
    }

    // Example 1 spans X from 10 to 100; a step is one power of ten of the value.
    void eachRangeBarStepsOnlyTheShownCombination() {
        estimateExample(1);
        auto& s = session();
        const double yMin = s.dbl_YMin(1), yMax = s.dbl_YMax(1), otherXMax = s.dbl_XMax(2);
        step(App::RangeBar::HScrollHigh, QAbstractSlider::SliderSingleStepAdd);  // away from 0: only recorded
        QCOMPARE(s.dbl_XMax(1), 100.0);
        step(App::RangeBar::HScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_XMax(1), 200.0);
        QCOMPARE(s.dbl_XMax(2), otherXMax);
        QVERIFY(drewText(w().graph()->calls(), "200"));  // the new upper X label
        step(App::RangeBar::HScrollLow, QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_XMin(1), 0.0);
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepSub);  // up arrow
        QVERIFY(s.dbl_YMin(1) < yMin);
        step(App::RangeBar::VScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        step(App::RangeBar::VScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QVERIFY(s.dbl_YMax(1) > yMax);
        QVERIFY(messages.empty());

        estimateExample(3);  // log Y from 10: a step to zero is reported and not drawn
        const auto drawn = w().graph()->calls().size();
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_YMin(1), 0.0);
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(w().graph()->calls().size(), drawn);
    }

    void fileMenuSavesStartsAnewOpensAndSetsUpThePrinter() {
        QTemporaryDir folder;
        const std::string file = folder.filePath(QStringLiteral("doc.txt")).toStdString();
        w().dialogs().setFileChooser([&](const kurvo::FileRequest&) { return std::optional(file); });
        answer = kurvo::MsgAnswer::Yes;  // to "[ … ] に保存します？" and "[ … ] を読み込みます？"
        trigger("mnuExample2");
        trigger("mnuSave");
        trigger("mnuNew");
        QCOMPARE(cell(w().dataGrid(), 2, 8), std::string());
        trigger("mnuOpen");
        QCOMPARE(cell(w().dataGrid(), 2, 8), std::string("162"));  // the last sample of example 2
        QVERIFY(open<QDialog>("mnuSetPrinter", [](QDialog*) {}));  // and cancelled
    }

    void printedPageHoldsTheGraphAtThePaperOffsets() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("graph.pdf"));
        QCOMPARE(w().printer().printer().outputFormat(), QPrinter::PdfFormat);
        w().printer().setFileChooser([&](const QString&) { return pdf; });
        estimateExample(1);
        trigger("mnuPrint");
        QVERIFY(messages.empty());
        QCOMPARE(w().printer().pagesSent(), 1);
        QCOMPARE(pdfPages(pdf), 1);
        QCOMPARE(w().graph()->calls().size(), std::size_t{1});  // the screen graph is left blank

        // The frame runs from (2000, 1500) to (W − 1000, H − 1000) twips of the printable page;
        // at 144 dpi a pixel is 10 twips.
        const QImage paper = renderPdf(pdf, 144);
        QVERIFY(!paper.isNull());
        const int W = w().printer().surface().Width(), H = w().printer().surface().Height();
        const QRectF printable = w().printer().printer().pageLayout().paintRect(QPageLayout::Point);
        const double left = printable.left() * 2, top = printable.top() * 2;
        const QRect frame(QPoint(qRound(left + 200), qRound(top + 150)),
                          QPoint(qRound(left + (W - 1000) / 10.0), qRound(top + (H - 1000) / 10.0)));
        const int row = frame.top() + frame.height() * 3 / 10, column = frame.left() + frame.width() * 3 / 10;
        const auto near = [](QPoint found, QPoint expected) { return (found - expected).manhattanLength() <= 2; };
        QVERIFY(near(firstInk(paper, {0, row}, {1, 0}), {frame.left(), row}));
        QVERIFY(near(firstInk(paper, {paper.width() - 1, row}, {-1, 0}), {frame.right(), row}));
        QVERIFY(near(firstInk(paper, {column, frame.top() - 20}, {0, 1}), {column, frame.top()}));
        QVERIFY(near(firstInk(paper, {column, paper.height() - 1}, {0, -1}), {column, frame.bottom()}));
    }

    void failedPrintsSendNoPage() {
        QTemporaryDir folder;
        QStringList answers;  // the PDF file chooser's answers in turn; none is a cancel
        int asked = 0;
        w().printer().setFileChooser([&](const QString&) {
            ++asked;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        trigger("mnuPrint");  // nothing estimated: the drawing error, no file asked for
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(asked, 0);
        messages.clear();
        estimateExample(1);
        trigger("mnuPrint");  // the file dialog cancelled
        QCOMPARE(asked, 1);
        QVERIFY(messages.empty());
        answers << folder.filePath(QStringLiteral("no/such/folder/graph.pdf"));
        trigger("mnuPrint");
        QVERIFY(QString::fromStdString(messages.at(0).text).contains(QStringLiteral("印刷できませんでした")));
        QCOMPARE(w().printer().pagesSent(), 0);
    }

    void ctrlVPastesTheClipboardAndSaysHowMuch() {
        QGuiApplication::clipboard()->setText(QStringLiteral("1\t3\r\n2\t5\r\n"));
        kurvo::ui::GridView* data = w().dataGrid();
        data->setFocus();
        data->setCurrentIndex(indexOf(data, 2, 100));  // the last row: the second line falls outside
        QTest::keyClick(data, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(data, 3, 100), std::string("3"));
        QVERIFY(w().statusBar()->currentMessage().startsWith(QStringLiteral("2 個の値は表の外")));
    }
};

KURVO_GUI_TEST(MainWindowTest)
#include "main_window_test.moc"
