// Getting the graph and the numbers out of the window, and data files in
// from the command line and the desktop.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include "gui_test.h"
#include "window_test.h"

using kurvo::ui::GridView;
using namespace kurvo::ui::test;

namespace {

const QString kExample1File = QStringLiteral(KURVO_DATA_FILES "/example1.txt");

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

}  // namespace

class GraphOutTest : public WindowTest {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QString path(const char* name) const { return folder->filePath(QString::fromLatin1(name)); }
    QAction* action(const char* name) { return w().findChild<QAction*>(QString::fromLatin1(name)); }
    void chooseFile(std::optional<QString> file) {
        w().dialogs().setFileChooser([file](const kurvo::FileRequest&) -> std::optional<std::string> {
            if (!file) return std::nullopt;
            return file->toStdString();
        });
    }

private slots:
    void init() {
        folder = std::make_unique<QTemporaryDir>();
        openWindow();
    }
    void cleanup() {
        window.reset();
        folder.reset();
    }

    void graphMenuIsOfferedOnlyWithResults() {
        for (const bool estimated : {false, true}) {
            if (estimated) estimateExample(1);
            QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(20, 20), w().graph()->mapToGlobal(QPoint(20, 20)));
            QApplication::sendEvent(w().graph(), &request);
            auto* menu = w().findChild<QMenu*>(QStringLiteral("graphMenu"));
            QVERIFY(menu != nullptr && menu->isVisible());
            QCOMPARE(action("copyGraph")->text(), QStringLiteral("グラフをコピー"));
            QCOMPARE(action("copyGraph")->isEnabled(), estimated);
            QCOMPARE(action("saveGraphImage")->isEnabled(), estimated);
            menu->close();
        }
    }

    void copiedGraphIsAPictureAndAnSvg() {
        estimateExample(1);
        QGuiApplication::clipboard()->clear();
        action("copyGraph")->trigger();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QImage picture;
        QVERIFY(picture.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
        QCOMPARE(picture.size(), w().graph()->contentsRect().size());  // one pixel per screen pixel
        bool points = false;  // the measured points are drawn in light red
        for (int y = 0; y < picture.height() && !points; ++y)
            for (int x = 0; x < picture.width() && !points; ++x) points = picture.pixel(x, y) == qRgb(255, 0, 0);
        QVERIFY(points);
        QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    }

    void savedImageIsWrittenWholeOrNotAtAll() {
        estimateExample(1);
        QFile::copy(kExample1File, path("kept.png"));
        QFile(path("kept.png")).setPermissions(QFileDevice::ReadOwner);  // refused even for root
        const struct {
            const char* name;
            std::optional<QString> chosen;
            QString file;
            QByteArray begins;  // what the file starts with afterwards
            std::size_t messages;
        } rows[] = {
            {"png", path("g.png"), path("g.png"), "\x89PNG", 0},
            {"svg", path("g.svg"), path("g.svg"), "<?xml", 0},
            {"pdf", path("g.pdf"), path("g.pdf"), "%PDF", 0},
            {"cancelled", std::nullopt, path("g.png"), "(none)", 0},
            {"read-only target", path("kept.png"), path("kept.png"), "[", 1},
        };
        for (const auto& row : rows) {
            QFile::remove(path("g.png"));
            messages.clear();
            chooseFile(row.chosen);
            action("saveGraphImage")->trigger();
            QVERIFY2(contentOf(row.file).startsWith(row.begins), row.name);
            QVERIFY2(messages.size() == row.messages, row.name);
            QVERIFY2(w().graph()->calls().size() > 1, row.name);  // the screen graph is still drawn
        }
        QCOMPARE(contentOf(path("kept.png")), contentOf(kExample1File));
    }

    void resultCellsCopyAsShownWithTheHeadingRow() {
        estimateExample(1);
        w().tabs()->SelectPage(1);
        GridView* sheet = w().estimateGrid(0);
        sheet->selectionModel()->select(QItemSelection(indexOf(sheet, 1, 1), indexOf(sheet, 2, 100)),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Columns);
        QTest::keyClick(sheet, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("X\tY1\n10\t5\n20\t12\n30\t18\n40\t25\n50\t50\n60\t80\n70\t90\n80\t80\n90\t70\n100\t50\n"));

        GridView* coefficients = w().coefficientGrid();
        coefficients->setCurrentIndex(indexOf(coefficients, 2, 5));  // one cell: no headings
        QGuiApplication::clipboard()->clear();
        coefficients->findChild<QAction*>(QStringLiteral("copyCells"))->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(cell(coefficients, 2, 5) + "\n"));
        QVERIFY(!coefficients->model()->flags(indexOf(coefficients, 2, 5)).testFlag(Qt::ItemIsEditable));
    }

    void fileGivenAtStartOpensWithoutTheQuestion() {
        const struct {
            const char* name;
            QString file;
            std::size_t messages;
            std::string firstValue;
        } rows[] = {
            {"data file", kExample1File, 0, "10"},
            {"missing file", path("none.txt"), 1, ""},
        };
        for (const auto& row : rows) {
            openWindow();
            w().openFromCommandLine(row.file);
            QVERIFY2(messages.size() == row.messages, row.name);
            QVERIFY2(cell(w().dataGrid(), 1, 1) == row.firstValue, row.name);
        }
    }

    void unknownOptionIsAUsageError() {
        QProcess program;
        program.start(QStringLiteral(KURVO_PROGRAM), {QStringLiteral("--colour")});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains(QStringLiteral("kurvo [")));
    }

    void droppedFileIsOpenedAfterTheQuestion() {
        answer = kurvo::MsgAnswer::Yes;
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(kExample1File)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w(), &drop);
        QCOMPARE(messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(messages[0].text), QStringLiteral("[ %1 ] を読み込みます？").arg(kExample1File));
        QCOMPARE(cell(w().dataGrid(), 1, 10), std::string("100"));
    }
};

KURVO_GUI_TEST(GraphOutTest)
#include "graph_out_test.moc"
