// Printing from the main window into PDF files (no printer where the tests run).
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "gui_test.h"
#include "ui/graph_printer.h"
#include "window_test.h"

using kurvo::DrawCall;
using namespace kurvo::ui::test;

namespace {

// A field of pdfinfo's report ("Pages" and the like); empty when pdfinfo is missing.
QString pdfInfo(const QString& path, const QString& field) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (program.isEmpty()) return {};
    QProcess info;
    info.start(program, {path});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(field + QLatin1Char(':'))) return line.mid(field.size() + 1).trimmed();
    return {};
}

// The page rendered by pdftoppm in grey levels; null when pdftoppm is missing.
QImage renderPdf(const QString& path, int dpi) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (program.isEmpty()) return {};
    QProcess render;
    render.start(program, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"),
                           QStringLiteral("-singlefile"), path, path + QStringLiteral(".render")});
    render.waitForFinished();
    return QImage(path + QStringLiteral(".render.png")).convertToFormat(QImage::Format_Grayscale8);
}

QPoint firstInk(const QImage& page, QPoint from, QPoint step) {
    for (QPoint p = from; page.rect().contains(p); p += step)
        if (qGray(page.pixel(p)) < 200) return p;
    return {-1, -1};
}

std::vector<DrawCall> callsOf(const std::vector<DrawCall>& calls, DrawCall::Op op) {
    std::vector<DrawCall> out;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(out), [op](const DrawCall& c) { return c.op == op; });
    return out;
}

}  // namespace

class PrintingTest : public WindowTest {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QStringList filesAskedFor, answers;  // what the PDF file chooser answers, in turn

    QString path(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }
    void printTo(const QString& file) {
        answers << file;
        trigger("mnuPrint");
    }

private slots:
    void init() {
        filesAskedFor.clear();
        answers.clear();
        folder = std::make_unique<QTemporaryDir>();
        openWindow();
        window->printer().setFileChooser([this](const QString& suggested) {
            filesAskedFor << suggested;
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        QCOMPARE(window->printer().printer().outputFormat(), QPrinter::PdfFormat);
    }
    void cleanup() {
        window.reset();
        folder.reset();
    }

    void printedPageHoldsTheGraphAtThePaperOffsets() {
        estimateExample(1);
        printTo(path("graph.pdf"));
        QVERIFY(messages.empty());
        QCOMPARE(w().printer().pagesSent(), 1);
        // In twips of the printable page: the frame from (2000, 1500) to (W − 1000, H − 1000).
        const auto& page = w().printer().lastPage();
        const int W = w().printer().surface().Width(), H = w().printer().surface().Height();
        const auto boxes = callsOf(page, DrawCall::Op::Box);
        QCOMPARE(boxes.size(), std::size_t{1});
        QCOMPARE(QRectF(QPointF(boxes[0].x1, boxes[0].y1), QPointF(boxes[0].x2, boxes[0].y2)),
                 QRectF(QPointF(2000, 1500), QPointF(W - 1000, H - 1000)));
        QCOMPARE(callsOf(page, DrawCall::Op::LineTo).front().color, kurvo::kLightRed);
        QCOMPARE(w().graph()->calls().size(), std::size_t{1});  // the screen graph is left blank

        if (pdfInfo(path("graph.pdf"), QStringLiteral("Pages")).isEmpty()) QSKIP("pdfinfo is not installed");
        QCOMPARE(pdfInfo(path("graph.pdf"), QStringLiteral("Pages")), QStringLiteral("1"));
        const QImage paper = renderPdf(path("graph.pdf"), 144);  // 10 twips per pixel
        QVERIFY(!paper.isNull());
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
        trigger("mnuPrint");  // nothing estimated: the drawing error, no file asked for
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QVERIFY(filesAskedFor.isEmpty());
        messages.clear();
        estimateExample(1);
        trigger("mnuPrint");  // the file dialog cancelled
        QCOMPARE(filesAskedFor.size(), 1);
        QVERIFY(messages.empty());
        printTo(path("no/such/folder/graph.pdf"));
        QVERIFY(QString::fromStdString(messages.at(0).text).contains(QStringLiteral("印刷できませんでした")));
        QCOMPARE(w().printer().pagesSent(), 0);
    }
};

KURVO_GUI_TEST(PrintingTest)
#include "printing_test.moc"
