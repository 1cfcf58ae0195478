// The real main window, driven as a user would on the offscreen platform:
// its pages, menu commands, range bars and printing.  Without a printer the
// printed page goes into a PDF file.
#include <sys/stat.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include "gui_test.h"
#include "ui/graph_printer.h"
#include "ui/statistics_dialog.h"
#include "window_test.h"

using kurvo::App;
using namespace kurvo::ui::test;

namespace {

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

    // A larger window gives the graph and the data grid the room; the
    // window cannot be made smaller than its first size.
    void theWindowGrows() {
        const QSize graph = w().graph()->size(), data = w().dataGrid()->size(), first = w().size();
        const QImage before = w().grab().toImage();
        w().resize(1400, 950);
        QTRY_COMPARE(w().size(), QSize(1400, 950));
        QVERIFY(w().graph()->width() > graph.width() && w().graph()->height() > graph.height());
        QVERIFY(w().dataGrid()->height() > data.height());
        QVERIFY(w().graph()->geometry().right() < w().estimateButton()->geometry().left());
        w().resize(first / 2);
        QTRY_COMPARE(w().size(), first);
        QTRY_VERIFY(w().grab().toImage() == before);  // back at its first size, every pixel as it was
    }

    void estimateFillsTheResultPagesAndTheGraphFollowsThePage() {
        trigger("mnuExample3");
        pressEstimate();
        QVERIFY(messages.empty());
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QCOMPARE(cell(w().estimateGrid(0), 1, 5), std::string("64.51"));  // X of sample 5
        QVERIFY(w().equationLabel(0)->text().startsWith(QStringLiteral("LogY1=")));
        w().tabs()->setCurrentIndex(3);
        QCOMPARE(session().int_Comb, 2);
        QVERIFY(w().equationLabel(2)->text().startsWith(QStringLiteral("LogY3=")));
        QVERIFY(drewText(w().graph()->calls(), "Y-3(3)"));
    }

    // Example 1's second combination takes the reciprocal of Y: a 0 refuses
    // it, and the first is shown as after a good run.
    void refusedCombinationBesideAGoodOne() {
        trigger("mnuExample1");
        w().app().views().spdData.SetText(3, 4, "0");
        pressEstimate();
        QCOMPARE(messages.size(), std::size_t{1});
        QVERIFY(messages[0].text.find("場所: 組合せ Y2、データの 4 行目") != std::string::npos);
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QVERIFY(drewText(w().graph()->calls(), "Y-1(1)"));
        QVERIFY(w().equationLabel(0)->text().startsWith(QStringLiteral("Y1=")));
        using kurvo::ui::StatisticsDialog;
        QVERIFY(open<StatisticsDialog>("mnuStatistics", [](StatisticsDialog* d) {
            QVERIFY(d->pages()->isTabEnabled(0) && !d->pages()->isTabEnabled(1));
            d->reject();
        }));
        w().tabs()->setCurrentIndex(2);
        QCOMPARE(cell(w().estimateGrid(1), 1, 1), std::string());
    }

    void aNewDegreeRunsTheEstimationAgain() {
        estimateExample(1);
        QCOMPARE(cell(w().coefficientGrid(), 1, 9), std::string());  // degree 3: no C4
        w().tabs()->setCurrentIndex(0);
        w().methodGrid()->edit(indexOf(w().methodGrid(), 7, 1));  // the degree's list: 1 to 6
        auto* list = w().methodGrid()->findChild<QComboBox*>();
        QVERIFY(list != nullptr);
        list->setCurrentIndex(3);
        emit list->activated(3);
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QVERIFY(w().equationLabel(0)->text().contains(QStringLiteral("*X^4")));
    }

    // Example 1 with X in ten thousands at degree 6: estimates of 15 digits, coefficients
    // down to E-27 and an equation of four lines.  A column narrowed by the user keeps its text.
    void numbersAreShownWhole() {
        trigger("mnuExample1");
        for (int r = 1; r <= 10; ++r) w().app().views().spdData.SetText(1, r, std::to_string(r * 10000));
        QVERIFY(w().methodGrid()->model()->setData(indexOf(w().methodGrid(), 7, 1), QStringLiteral("6"), Qt::EditRole));
        pressEstimate();
        QVERIFY(messages.empty());
        for (kurvo::ui::GridView* grid : {w().estimateGrid(0), w().coefficientGrid()}) {
            grid->horizontalHeader()->resizeSection(0, 1);
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                for (int c = 0; c < grid->model()->columnCount(); ++c) {
                    const QModelIndex i = grid->model()->index(r, c);
                    QVERIFY(grid->fontMetrics().horizontalAdvance(i.data().toString()) <= grid->visualRect(i).width() - 3);
                }
        }
        QLabel* equation = w().equationLabel(0);
        QTRY_VERIFY(equation->height() >= equation->heightForWidth(equation->width()));
        // At the grids' size a decimal point stands on the digits' foot; a comma reaches below it.
        const QFontMetrics digits(w().dataGrid()->font());
        QVERIFY(digits.boundingRect(u'.').bottom() <= digits.boundingRect(u'0').bottom());
        QVERIFY(digits.boundingRect(u',').bottom() > digits.boundingRect(u'0').bottom());
    }

    // Example 1 spans X from 10 to 100; a step is one power of ten of the value.
    void rangeBarsStepTheShownCombination() {
        estimateExample(1);
        auto& s = session();
        const double otherXMax = s.dbl_XMax(2);
        step(App::RangeBar::HScrollHigh, QAbstractSlider::SliderSingleStepAdd);  // away from 0: only recorded
        QCOMPARE(s.dbl_XMax(1), 100.0);
        step(App::RangeBar::HScrollHigh, QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_XMax(1), 200.0);
        QCOMPARE(s.dbl_XMax(2), otherXMax);
        QVERIFY(drewText(w().graph()->calls(), "200"));  // the new upper X label

        estimateExample(3);  // log Y from 10: a step to zero is reported and not drawn
        const auto drawn = w().graph()->calls().size();
        step(App::RangeBar::VScrollLow, QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(w().graph()->calls().size(), drawn);

        // Years 2001 to 2010 on an axis of 9: a step of 1, not 1000.
        messages.clear();
        estimateExample(1);
        for (int r = 1; r <= 10; ++r) w().app().views().spdData.SetText(1, r, std::to_string(2000 + r));
        w().app().views().spdSpec.SetText(kurvo::kColDegree, 1, "1");  // a cubic in raw years is refused
        pressEstimate();
        step(App::RangeBar::HScrollLow, QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_XMin(1), 2000.0);
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
        const QString program = QString::fromUtf8(kurvo::kProgramCaption);
        QTRY_COMPARE(w().windowTitle(), program + QStringLiteral("[*]"));  // untitled: marked while it has changes
        trigger("mnuOpen");
        QCOMPARE(cell(w().dataGrid(), 2, 8), std::string("162"));  // the last sample of example 2
        QTRY_COMPARE(w().windowTitle(), QStringLiteral("doc.txt[*] - ") + program);
        QVERIFY(!w().isWindowModified());
        w().app().views().spdData.SetText(2, 8, "163");
        QTRY_VERIFY(w().isWindowModified());
        messages.clear();  // Ctrl+S writes the file in place, asking nothing
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(!w().isWindowModified());
        QVERIFY(messages.empty());
        QVERIFY(open<QDialog>("mnuSetPrinter", [](QDialog*) {}));  // and cancelled
    }

    // One page per print, the frame at the paper offsets; a failed or
    // cancelled print sends none.
    void printSendsOnePageOrNone() {
        QTemporaryDir folder;
        QStringList answers;  // the PDF file chooser's answers in turn; none is a cancel
        w().printer().setFileChooser([&](const QString&) { return answers.isEmpty() ? QString() : answers.takeFirst(); });
        QCOMPARE(w().printer().printer().outputFormat(), QPrinter::PdfFormat);
        trigger("mnuPrint");  // nothing estimated: nothing to print
        QCOMPARE(static_cast<int>(messages.size()), 1);
        messages.clear();
        estimateExample(1);
        trigger("mnuPrint");  // the file dialog cancelled
        answers << folder.filePath(QStringLiteral("no/such/folder/graph.pdf"));
        trigger("mnuPrint");
        QVERIFY(QString::fromStdString(messages.at(0).text).contains(QStringLiteral("印刷できませんでした")));
        QCOMPARE(w().printer().pagesSent(), 0);
        // A FIFO is refused, not waited on, as Save refuses one.
        const QString fifo = folder.filePath(QStringLiteral("fifo.pdf"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        answers << fifo;
        messages.clear();
        trigger("mnuPrint");
        QVERIFY(QString::fromStdString(messages.at(0).text).endsWith(QStringLiteral("通常のファイルではありません（名前付きパイプ）。")));
        QVERIFY(!QFileInfo(fifo).isFile() && QFileInfo::exists(fifo));
        answers << folder.filePath(QStringLiteral("graph.pdf"));
        const std::size_t shown = w().graph()->calls().size();
        trigger("mnuPrint");
        QCOMPARE(w().printer().pagesSent(), 1);
        QCOMPARE(pdfPages(folder.filePath(QStringLiteral("graph.pdf"))), 1);
        QCOMPARE(w().graph()->calls().size(), shown);  // the screen graph is shown again

        // The frame runs from (2000, 1500) to (W − 1000, H − 1000) twips of the printable page;
        // at 144 dpi a pixel is 10 twips.
        const QImage paper = renderPdf(folder.filePath(QStringLiteral("graph.pdf")), 144);
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

        // The file named in the printer set-up is where the next print goes, unasked.
        const QString named = folder.filePath(QStringLiteral("set-up.pdf"));
        QVERIFY(open<QDialog>("mnuSetPrinter", [&](QDialog* d) {
            auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
            printers->setCurrentIndex(printers->count() - 1);  // the PDF file, after any printers
            d->findChild<QLineEdit*>(QStringLiteral("filename"))->setText(named);
            d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }));
        answers << folder.filePath(QStringLiteral("asked.pdf"));
        trigger("mnuPrint");
        QCOMPARE(pdfPages(named), 1);

        // Another example, not yet estimated: no page with the last one's curve.
        const int sent = w().printer().pagesSent();
        trigger("mnuExample2");
        trigger("mnuPrint");
        QCOMPARE(w().printer().pagesSent(), sent);
        QCOMPARE(messages.back().text, std::string(kurvo::kNothingToPrintMessage));
    }
};

KURVO_GUI_TEST(MainWindowTest)
#include "main_window_test.moc"
