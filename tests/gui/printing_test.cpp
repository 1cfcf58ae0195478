// Printing from the main window into PDF files (no printer is installed where
// the tests run) and the printer set-up dialog.
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "gui_test.h"
#include "modal.h"
#include "pdf_tools.h"
#include "ui/graph_printer.h"
#include "ui/graph_widget.h"
#include "ui/main_window.h"

using kurvo::DrawCall;
using kurvo::MessageRequest;
using kurvo::ui::MainWindow;
using kurvo::ui::test::pdfInfo;
using kurvo::ui::test::renderPdf;
using kurvo::ui::test::whileModal;

namespace {

// How far from `from`, stepping by `step`, the first pixel with ink lies.
QPoint firstInk(const QImage& page, QPoint from, QPoint step) {
    for (QPoint p = from; page.rect().contains(p); p += step)
        if (qGray(page.pixel(p)) < 200) return p;
    return {-1, -1};
}

std::vector<DrawCall> callsOf(const std::vector<DrawCall>& calls, DrawCall::Op op) {
    std::vector<DrawCall> out;
    for (const DrawCall& call : calls)
        if (call.op == op) out.push_back(call);
    return out;
}

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    std::vector<MessageRequest> messages;
    std::unique_ptr<QTemporaryDir> folder;
    QStringList filesAskedFor;
    QStringList answers;  // what the PDF file chooser answers, in turn

    MainWindow& w() { return *window; }
    QString path(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }
    void trigger(const char* action) {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(a != nullptr, action);
        a->trigger();
    }
    void estimateExample(int n) {
        trigger(qPrintable(QStringLiteral("mnuExample%1").arg(n)));
        QTest::mouseClick(window->estimateButton(), Qt::LeftButton);
        QVERIFY(messages.empty());
    }
    void printTo(const QString& file) {
        answers << file;
        trigger("mnuPrint");
    }

private slots:
    void init() {
        messages.clear();
        filesAskedFor.clear();
        answers.clear();
        folder = std::make_unique<QTemporaryDir>();
        window = std::make_unique<MainWindow>();
        window->dialogs().setAnswerer([this](const MessageRequest& request) {
            messages.push_back(request);
            return kurvo::MsgAnswer::Ok;
        });
        window->printer().setFileChooser([this](const QString& suggested) {
            filesAskedFor << suggested;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->printer().printer().outputFormat(), QPrinter::PdfFormat);  // no printer here
    }
    void cleanup() {
        window.reset();
        folder.reset();
    }

    void printedPageHoldsTheGraphAtThePaperOffsets() {
        estimateExample(1);
        printTo(path("graph.pdf"));
        QVERIFY(messages.empty());
        QCOMPARE(filesAskedFor.size(), 1);
        QCOMPARE(w().printer().pagesSent(), 1);

        // In twips of the printable page: the frame from (2000, 1500) to (W − 1000, H − 1000).
        const auto& page = w().printer().lastPage();
        const int W = w().printer().Width(), H = w().printer().Height();
        const auto boxes = callsOf(page, DrawCall::Op::Box);
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(QRectF(QPointF(boxes[0].x1, boxes[0].y1), QPointF(boxes[0].x2, boxes[0].y2)),
                 QRectF(QPointF(2000, 1500), QPointF(W - 1000, H - 1000)));
        const auto texts = callsOf(page, DrawCall::Op::Text);
        QCOMPARE(QPointF(texts[0].x1, texts[0].y1), QPointF(2250, 1000));  // the title
        for (const DrawCall& width : callsOf(page, DrawCall::Op::LineWidth)) QCOMPARE(width.value, 5);
        const auto curve = callsOf(page, DrawCall::Op::LineTo);
        QVERIFY(curve.size() >= 199);
        QCOMPARE(curve.front().color, kurvo::kLightRed);
        // The screen graph is left blank; the equation is written as on screen.
        QCOMPARE(w().graph()->calls().size(), std::size_t{1});
        QVERIFY(w().equationLabel(0)->text().startsWith(QStringLiteral("Y1=")));

        // One page whose frame lies where the offsets put it on the paper.
        if (pdfInfo(path("graph.pdf"), QStringLiteral("Pages")).isEmpty()) QSKIP("pdfinfo is not installed");
        QCOMPARE(pdfInfo(path("graph.pdf"), QStringLiteral("Pages")), QStringLiteral("1"));
        const QImage paper = renderPdf(path("graph.pdf"), 144);  // 10 twips per pixel
        QVERIFY(!paper.isNull());
        const QRectF printable = w().printer().printer().pageLayout().paintRect(QPageLayout::Point);
        const double left = printable.left() * 20 / 10, top = printable.top() * 20 / 10;  // pixels
        const QRect frame(QPoint(qRound(left + 200), qRound(top + 150)),
                          QPoint(qRound(left + (W - 1000) / 10.0), qRound(top + (H - 1000) / 10.0)));
        const int row = frame.top() + frame.height() * 3 / 10, column = frame.left() + frame.width() * 3 / 10;
        const auto near = [](QPoint found, QPoint expected) {
            return (found - expected).manhattanLength() <= 2;
        };
        QVERIFY(near(firstInk(paper, {0, row}, {1, 0}), {frame.left(), row}));
        QVERIFY(near(firstInk(paper, {paper.width() - 1, row}, {-1, 0}), {frame.right(), row}));
        QVERIFY(near(firstInk(paper, {column, frame.top() - 20}, {0, 1}), {column, frame.top()}));
        QVERIFY(near(firstInk(paper, {column, paper.height() - 1}, {0, -1}), {column, frame.bottom()}));
    }

    void printingTwiceGivesTwoIdenticalPages() {
        estimateExample(3);
        w().tabs()->setCurrentIndex(2);
        printTo(path("first.pdf"));
        const std::vector<DrawCall> first = w().printer().lastPage();
        printTo(path("second.pdf"));
        QCOMPARE(w().printer().pagesSent(), 2);
        QCOMPARE(w().printer().lastPage().size(), first.size());
        QCOMPARE(filesAskedFor.last(), path("first.pdf"));  // the last file is offered again
        const QImage a = renderPdf(path("first.pdf"), 36), b = renderPdf(path("second.pdf"), 36);
        if (a.isNull()) QSKIP("pdftoppm is not installed");
        QCOMPARE(a, b);
        QVERIFY(messages.empty());
    }

    void cancelledFileSendsNothingAndTheNextPageStartsBlank() {
        estimateExample(1);
        trigger("mnuPrint");  // the file dialog is cancelled
        QCOMPARE(filesAskedFor.size(), 1);
        QCOMPARE(w().printer().pagesSent(), 0);
        QVERIFY(messages.empty());
        printTo(path("graph.pdf"));
        QCOMPARE(callsOf(w().printer().lastPage(), DrawCall::Op::Box).size(), std::size_t{1});
    }

    void printingBeforeAnEstimationReportsTheDrawingError() {
        trigger("mnuPrint");
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QVERIFY(filesAskedFor.isEmpty());
        QCOMPARE(w().printer().pagesSent(), 0);
    }

    void anUnwritableFileIsReported() {
        estimateExample(1);
        printTo(path("no/such/folder/graph.pdf"));
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QVERIFY(QString::fromStdString(messages[0].text).contains(QStringLiteral("印刷できませんでした")));
        QCOMPARE(w().printer().pagesSent(), 0);
    }

    void setUpDialogPicksWhereLaterPagesGo() {
        estimateExample(1);
        // Cancelled: nothing changes, the next page still asks for its file.
        QVERIFY(whileModal<QPrintDialog>([this] { trigger("mnuSetPrinter"); },
                                         [](QPrintDialog* dialog) { dialog->reject(); }));
        printTo(path("asked.pdf"));
        QCOMPARE(filesAskedFor.size(), 1);

        // A PDF file named in the dialog: later pages go there without asking.
        const QString chosen = path("chosen.pdf");
        QVERIFY(whileModal<QPrintDialog>([this] { trigger("mnuSetPrinter"); },
                                         [&chosen](QPrintDialog* dialog) {
                                             auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename"));
                                             QVERIFY(file != nullptr);
                                             file->setText(chosen);
                                             dialog->accept();
                                         }));
        trigger("mnuPrint");
        QCOMPARE(filesAskedFor.size(), 1);
        QVERIFY(QFile::exists(chosen));

        // The paper turned: the page is wider than high, with the frame at the same offsets.
        w().printer().printer().setPageOrientation(QPageLayout::Landscape);
        trigger("mnuPrint");
        const int W = w().printer().Width(), H = w().printer().Height();
        QVERIFY(W > H);
        const auto box = callsOf(w().printer().lastPage(), DrawCall::Op::Box).at(0);
        QCOMPARE(box.x2, W - 1000.0);
        QCOMPARE(box.y2, H - 1000.0);
        if (!pdfInfo(chosen, QStringLiteral("Page size")).isEmpty())
            QVERIFY(pdfInfo(chosen, QStringLiteral("Page size")).startsWith(QStringLiteral("842")));
    }
};

KURVO_GUI_TEST(PrintingTest)
#include "printing_test.moc"
