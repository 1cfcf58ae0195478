// kurvo-batch --graph: the graph of one combination drawn into an image file
// by the painters of the screen and of the printer.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sstream>

#include "gui_test.h"
#include "io/batch.h"
#include "pdf_tools.h"
#include "state/headless.h"
#include "ui/graph_export.h"
#include "ui/paint_calls.h"

using kurvo::ui::test::pdfInfo;

namespace {

// A screen drawing painted as kurvo-batch paints its PNG files.
QImage screenImage(const kurvo::RecordingSurface& graph) {
    QImage image(334, 307, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    kurvo::ui::PaintCalls(painter, graph.Calls(), {15.0, 15.0, 1.0}, QRectF(image.rect()), Qt::black);
    return image;
}

struct BatchRun {
    int status;
    std::string out, err;
};

BatchRun batch(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = kurvo::RunBatch(arguments, out, err, kurvo::ui::WriteGraphImage);
    return {status, out.str(), err.str()};
}

}  // namespace

class BatchGraphTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QString path(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }

private slots:
    void init() { folder = std::make_unique<QTemporaryDir>(); }
    void cleanup() { folder.reset(); }

    void batchDrawsTheChosenCombinationAsTheScreenShowsIt() {
        const QString png = path("comb2.png");
        const BatchRun run = batch({"--example", "3", "--graph", png.toStdString(), "--comb", "2"});
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, std::string());  // no document without -o
        const QImage drawn = QImage(png).convertToFormat(QImage::Format_RGB32);

        // What the window shows after a click on the page of combination 2.
        kurvo::HeadlessWindow shown;
        shown.app.LoadExample(3);
        shown.app.RunEstimation();
        shown.tabs.SelectPage(2);
        QCOMPARE(drawn, screenImage(shown.graph));
        shown.tabs.SelectPage(1);
        QVERIFY(drawn != screenImage(shown.graph));
    }

    void batchDrawsThePrintedLookIntoSvgAndPdf() {
        const QString svg = path("graph.svg"), pdf = path("graph.PDF");
        QCOMPARE(batch({"--example", "4", "--graph", svg.toStdString()}).status, 0);
        QSvgRenderer renderer(svg);
        QVERIFY(renderer.isValid());
        QCOMPARE(renderer.viewBox(), QRect(0, 0, 4584, 6250));  // 11000 by 15000 twips at 600 dpi
        QFile svgFile(svg);
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QByteArray text = svgFile.readAll();
        QVERIFY(text.contains("stroke=\"#ff0000\""));  // the curve in red
        QVERIFY(text.contains("stroke-width=\"5\""));
        QVERIFY(text.contains("width=\"194.056mm\""));  // 11000 twips
        QVERIFY(text.contains("IPAGothic"));              // a face that has the Japanese title

        const std::string document = path("doc.txt").toStdString();
        QCOMPARE(batch({"--example", "4", "--graph", pdf.toStdString(), "-o", document}).status, 0);
        QVERIFY(QFile::exists(QString::fromStdString(document)));
        if (pdfInfo(pdf, QStringLiteral("Pages")).isEmpty()) QSKIP("pdfinfo is not installed");
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
        QVERIFY(pdfInfo(pdf, QStringLiteral("Page size")).contains(QStringLiteral("A4")));
    }

    void batchGraphFailuresWriteNothing() {
        struct Row {
            const char* name;
            std::vector<std::string> arguments;
            int status;
            const char* message;
        };
        const std::string png = path("out.png").toStdString(), doc = path("out.txt").toStdString();
        const Row rows[] = {
            {"combination not estimated", {"--example", "1", "--comb", "4", "--graph", png, "-o", doc}, 1, "組合せ 4"},
            {"unwritable image", {"--example", "1", "--graph", path("none/out.png").toStdString()}, 1, "書き込めません"},
            {"unknown image kind", {"--example", "1", "--graph", path("out.gif").toStdString()}, 2, ".png"},
            {"combination without graph", {"--example", "1", "--comb", "2", "-o", doc}, 2, "--comb"},
            {"combination out of range", {"--example", "1", "--comb", "5", "--graph", png}, 2, "1 から 4"},
        };
        for (const Row& row : rows) {
            const BatchRun run = batch(row.arguments);
            QVERIFY2(run.status == row.status, row.name);
            QVERIFY2(run.out.empty(), row.name);
            QVERIFY2(QString::fromStdString(run.err).contains(QString::fromUtf8(row.message)), row.name);
            QVERIFY2(folder->isValid() && QDir(folder->path()).isEmpty(), row.name);
        }
        // A build without the drawing code refuses the option.
        std::ostringstream out, err;
        QCOMPARE(kurvo::RunBatch({"--example", "1", "--graph", png}, out, err), 2);
        QVERIFY(!QFile::exists(QString::fromStdString(png)));
    }

    void batchProgramDrawsWithoutADisplay() {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(KURVO_BATCH_PROGRAM), {"--example", "2", "--graph", path("graph.png")});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(program.readAllStandardError(), QByteArray());
        QCOMPARE(QImage(path("graph.png")).size(), QSize(334, 307));
    }
};

KURVO_GUI_TEST(BatchGraphTest)
#include "batch_graph_test.moc"
