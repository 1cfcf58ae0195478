// The recorded drawing replayed on a QPainter, and kurvo-batch --graph drawing
// one combination's graph into an image file.
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "graph/recording_surface.h"
#include "gui_test.h"
#include "../workbench.h"
#include "ui/paint_calls.h"
#include "window_test.h"

using kurvo::RecordingSurface;

namespace {

// A drawing painted on white at 96 dpi, 15 twips a pixel, as the screen and the PNG
// files show it; clearing paints the background.
QImage render(const std::vector<kurvo::DrawCall>& calls, QSize size = {100, 100}, const QColor& background = Qt::white) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    kurvo::ui::PaintCalls(painter, calls, {15.0, 15.0, 1.0}, QRectF(image.rect()), background);
    return image;
}

struct Run {
    int status;
    QString err;
};

// The program as a script starts it, without a display.
Run batch(const QStringList& arguments) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KURVO_BATCH_PROGRAM), arguments);
    if (!program.waitForFinished()) return {-1, program.errorString()};
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardError())};
}

// The texts of an SVG document's <text> elements, and "XML: …" when it does not parse.
QStringList svgTexts(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QStringList texts;
    QXmlStreamReader svg(&file);
    while (!svg.atEnd())
        if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == QLatin1String("text"))
            texts << svg.readElementText().trimmed();
    if (svg.hasError()) texts << QStringLiteral("XML: ") + svg.errorString();
    return texts;
}

}  // namespace

class GraphOutputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QString path(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }

private slots:
    void init() { folder = std::make_unique<QTemporaryDir>(); }
    void cleanup() { folder.reset(); }

    void shapesLandOnTheirPixelsInThePaletteColours() {
        RecordingSurface s(1500, 1500);
        s.Clear();
        s.Line(150, 300, 1350, 300, kurvo::kLightGreen);  // pixels (10, 20)-(90, 20)
        s.Box(150, 600, 750, 900, kurvo::kGrey);          // pixels (10, 40)-(50, 60), an outline
        s.Point(1200, 150, kurvo::kLightRed);
        s.LineTo(1200, 450, kurvo::kLightRed);            // (80, 10)-(80, 30), from the point
        s.SetClip(150, 1050, 750, 1350);                  // pixels (10, 70)-(50, 90)
        s.Line(0, 1200, 1500, 1200, kurvo::kLightGreen);  // shows from x = 10 to 50 only
        s.EndClip();
        const QImage image = render(s.Calls(), {100, 100}, Qt::black);
        QCOMPARE(image.pixel(30, 80), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(5, 80), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(60, 80), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(99, 99), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(50, 20), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(10, 50), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(30, 50), qRgb(0, 0, 0));
        for (int y = 10; y <= 30; ++y)
            if (y != 20) QCOMPARE(image.pixel(80, y), qRgb(255, 0, 0));
    }

    void pngIsTheChosenCombinationAsTheScreenShowsIt() {
        const Run run = batch({"--example", "3", "--graph", path("comb2.png"), "--comb", "2"});
        QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        const QImage drawn = QImage(path("comb2.png")).convertToFormat(QImage::Format_RGB32);
        kurvo::test::Workbench shown;
        shown.app.LoadExample(3);
        shown.app.RunEstimation();
        for (int page : {2, 1}) {
            shown.tabs.SelectPage(page);
            QCOMPARE(drawn == render(shown.graph.Calls(), drawn.size(), Qt::black), page == 2);
        }
    }

    // Example 4 on logarithmic axes.  X runs from 1 to 300: decades 10^0 to 10^3, labelled
    // 1, 10, 100 and 1000 at the right end.  Y: the fit ln y = c0 + c1 ln x + c2 ln² x of the
    // seven samples gives 7.2 at x = 1 and about 12250 at x = 300, below and above the measured
    // 10 and 9000, so the decades run from 10^0 to 10^5: labels 1 to 10000, and at the top
    // 100000, which is beyond e^10 and so printed as 1E+5.
    void svgAndPdfArePrintedPagesThatReadBack() {
        for (const char* name : {"graph.svg", "graph.pdf"}) {
            const Run run = batch({"--example", "4", "--graph", path(name)});
            QVERIFY2(run.status == 0 && run.err.isEmpty(), qPrintable(run.err));
        }
        const QStringList texts = svgTexts(path("graph.svg"));
        for (const char* label : {"1", "10", "100", "1000", "10000", "1E+5", "例題－４", "X-4", "Y-4(1)"})
            QVERIFY2(texts.contains(QString::fromUtf8(label)), qPrintable(texts.join(QLatin1Char('|'))));
        QVERIFY2(texts.filter(QStringLiteral("XML: ")).isEmpty(), qPrintable(texts.join(QLatin1Char('|'))));
        QCOMPARE(kurvo::ui::test::pdfPages(path("graph.pdf")), 1);
    }
};

KURVO_GUI_TEST(GraphOutputTest)
#include "graph_output_test.moc"
