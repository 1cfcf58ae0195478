// kurvo-batch --graph: one combination's graph drawn into an image file.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <QPainter>
#include <QTemporaryDir>
#include <sstream>

#include "gui_test.h"
#include "io/batch.h"
#include "state/headless.h"
#include "ui/graph_export.h"
#include "ui/paint_calls.h"

namespace {

// A screen drawing painted as kurvo-batch paints its PNG files.
QImage screenImage(const kurvo::RecordingSurface& graph) {
    QImage image(334, 307, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    kurvo::ui::PaintCalls(painter, graph.Calls(), {15.0, 15.0, 1.0}, QRectF(image.rect()), Qt::black);
    return image;
}

int batch(const std::vector<std::string>& arguments, std::string* err = nullptr) {
    std::ostringstream out, errors;
    const int status = kurvo::RunBatch(arguments, out, errors, kurvo::ui::WriteGraphImage);
    if (err != nullptr) *err = errors.str();
    return out.str().empty() ? status : -1;
}

}  // namespace

class BatchGraphTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QString path(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }

private slots:
    void init() { folder = std::make_unique<QTemporaryDir>(); }
    void cleanup() { folder.reset(); }

    void pngIsTheChosenCombinationAsTheScreenShowsIt() {
        const QString png = path("comb2.png");
        QCOMPARE(batch({"--example", "3", "--graph", png.toStdString(), "--comb", "2"}), 0);
        const QImage drawn = QImage(png).convertToFormat(QImage::Format_RGB32);
        kurvo::HeadlessWindow shown;
        shown.app.LoadExample(3);
        shown.app.RunEstimation();
        shown.tabs.SelectPage(2);
        QCOMPARE(drawn, screenImage(shown.graph));
        shown.tabs.SelectPage(1);
        QVERIFY(drawn != screenImage(shown.graph));
    }

    void failuresWriteNothing() {
        const std::string png = path("out.png").toStdString(), doc = path("out.txt").toStdString();
        const struct {
            std::vector<std::string> arguments;
            int status;
            const char* message;
        } rows[] = {
            {{"--example", "1", "--comb", "4", "--graph", png, "-o", doc}, 1, "組合せ 4"},
            {{"--example", "1", "--graph", path("out.gif").toStdString()}, 2, ".png"},
        };
        for (const auto& row : rows) {
            std::string err;
            QVERIFY2(batch(row.arguments, &err) == row.status, row.message);
            QVERIFY2(QString::fromStdString(err).contains(QString::fromUtf8(row.message)), row.message);
            QVERIFY2(QDir(folder->path()).isEmpty(), row.message);
        }
    }

    void programDrawsWithoutADisplay() {
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
