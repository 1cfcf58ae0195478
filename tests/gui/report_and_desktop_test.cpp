// The graph and the results out of the window; data files in from the
// command line and the desktop.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <filesystem>
#include <fstream>

#include "gui_test.h"
#include "state/grid.h"
#include "ui/grid_view.h"
#include "window_test.h"

using namespace kurvo::ui::test;

namespace {
const QString kExample1 = QStringLiteral(KURVO_DATA_FILES "/example1.txt");

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}  // namespace

class ReportAndDesktopTest : public WindowTest {
    Q_OBJECT

    QAction* action(const char* name) { return w().findChild<QAction*>(QString::fromLatin1(name)); }

private slots:
    void init() { openWindow(); }
    void cleanup() { window.reset(); }

    void graphMenuWaitsForResultsThenCopiesPngAndSvg() {
        for (const bool estimated : {false, true}) {
            if (estimated) estimateExample(1);
            QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(9, 9), w().graph()->mapToGlobal(QPoint(9, 9)));
            QApplication::sendEvent(w().graph(), &request);
            auto* menu = w().findChild<QMenu*>(QStringLiteral("graphMenu"));
            QVERIFY(menu->isVisible());
            QCOMPARE(action("copyGraph")->isEnabled(), estimated);
            QCOMPARE(action("saveGraphImage")->isEnabled(), estimated);
            menu->close();
        }
        action("copyGraph")->trigger();
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        // At screen resolution: one pixel of the picture per pixel of the graph's drawing area,
        // with room at the right for the last X label.
        const QImage picture = QImage::fromData(copied->data(QStringLiteral("image/png")));
        QCOMPARE(picture.height(), w().graph()->contentsRect().height());
        QVERIFY(picture.width() > w().graph()->contentsRect().width());
        QVERIFY(copied->data(QStringLiteral("image/svg+xml")).contains("<svg"));
    }

    void savedImageIsWrittenWholeOrNotAtAll() {
        estimateExample(1);
        QTemporaryDir folder;
        const QString made = folder.filePath(QStringLiteral("graph.svg")), kept = folder.filePath(QStringLiteral("kept.svg"));
        QFile::copy(kExample1, kept);
        QFile(kept).setPermissions(QFileDevice::ReadOwner);  // refused even for root
        const struct {
            const char* name;
            std::optional<std::string> chosen;
            std::size_t messages;
        } rows[] = {{"cancelled", std::nullopt, 0}, {"new file", made.toStdString(), 0}, {"read-only file", kept.toStdString(), 1}};
        for (const auto& row : rows) {
            messages.clear();
            w().dialogs().setFileChooser([&row](const kurvo::FileRequest&) { return row.chosen; });
            action("saveGraphImage")->trigger();
            QVERIFY2(messages.size() == row.messages, row.name);
            QVERIFY2(w().graph()->calls().size() > 1, row.name);  // the screen graph stays drawn
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
        QVERIFY(contentOf(made).startsWith("<?xml"));
        QCOMPARE(contentOf(kept), contentOf(kExample1));
    }

    // Example 1 holds X from 10 to 100 in ten rows.
    void resultColumnsCopyWithTheirHeadingRow() {
        estimateExample(1);
        w().tabs()->SelectPage(1);
        w().estimateGrid(0)->selectColumn(0);
        QTest::keyClick(w().estimateGrid(0), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("X\n10\n20\n30\n40\n50\n60\n70\n80\n90\n100\n"));
    }

    // A coefficient copies as the double it is, not as the six digits shown.
    void coefficientCellCopiesEveryDigit() {
        estimateExample(1);
        auto* grid = w().findChild<kurvo::ui::GridView*>(QStringLiteral("spdCoeff"));
        const QModelIndex c0 = grid->model()->index(kurvo::kRowC0 - 1, 0);
        grid->selectionModel()->select(c0, QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(grid, Qt::Key_C, Qt::ControlModifier);
        const QString copied = QGuiApplication::clipboard()->text().trimmed();
        QVERIFY(!copied.startsWith(QLatin1Char(' ')) && copied != grid->model()->data(c0).toString().trimmed());
        QCOMPARE(std::stod(copied.toStdString()), session().dbl_Coeff(1, 0));
    }

    void fileGivenAtStartOpensWithoutTheQuestion() {
        const struct {
            QString file;
            std::size_t messages;
            std::string firstValue;
        } rows[] = {{kExample1, 0, "10"}, {QStringLiteral("/no/such/file.txt"), 1, ""}};
        for (const auto& row : rows) {
            openWindow();
            w().openFromCommandLine(row.file.toStdString());
            QVERIFY2(messages.size() == row.messages && cell(w().dataGrid(), 1, 1) == row.firstValue, qPrintable(row.file));
        }
        QProcess program;
        program.start(QStringLiteral(KURVO_PROGRAM), {QStringLiteral("--colour")});
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), 2);
        QVERIFY(program.readAllStandardError().contains("kurvo ["));
    }

    // Presses Return in every dialog that opens while Save runs (typing
    // `name` into the file dialog first, when given), up to five times;
    // gives the number of presses.
    int saveWithReturn(const QString& name) {
        w().dialogs().setAnswerer({});  // the real message boxes, with their default buttons
        int presses = 0;
        QTimer returns;
        returns.setInterval(50);
        connect(&returns, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal == nullptr) return;
            auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));  // the file dialog's
            if (edit != nullptr && !name.isEmpty()) edit->setText(name);
            QApplication::setActiveWindow(modal);
            if (++presses > 5) return static_cast<void>(qobject_cast<QDialog*>(modal)->reject());
            QTest::keyClick(edit != nullptr ? edit : modal->focusWidget() != nullptr ? modal->focusWidget() : modal, Qt::Key_Return);
        });
        returns.start();
        trigger("mnuSave");
        returns.stop();
        return presses;
    }

    // The user chooses the CSV just opened in the Save As dialog and presses
    // Return there and at every question: the CSV stays as it was.
    void returnThroughSaveAsKeepsAnOpenedTable() {
        QTemporaryDir folder;
        const QString table = folder.filePath(QStringLiteral("vapour-pressure.csv"));
        QFile::copy(QStringLiteral(KURVO_TEST_DATA "/tables/vapour-pressure.csv"), table);
        w().openFromCommandLine(table.toStdString());
        QCOMPARE(cell(w().dataGrid(), 2, 6), std::string("101325"));
        QCOMPARE(saveWithReturn(table), 2);  // the file dialog, then the question about replacing a file of another kind
        QCOMPARE(contentOf(table), contentOf(QStringLiteral(KURVO_TEST_DATA "/tables/vapour-pressure.csv")));
    }

    // A document whose name is not UTF-8 (Latin-1 "café") is saved where it
    // came from when the offered name is taken, not under a name with U+FFFD.
    void saveKeepsANameThatIsNotUtf8() {
        QTemporaryDir folder;
        const std::string document = QFile::encodeName(folder.path()).toStdString() + "/caf\xe9.txt";
        std::filesystem::copy_file(QFile::encodeName(kExample1).toStdString(), document);
        w().openFromCommandLine(document);
        QVERIFY(w().dataGrid()->model()->setData(indexOf(w().dataGrid(), 1, 1), QStringLiteral("11"), Qt::EditRole));
        saveWithReturn({});
        const auto entries = std::filesystem::directory_iterator(QFile::encodeName(folder.path()).toStdString());
        QCOMPARE(std::distance(std::filesystem::begin(entries), std::filesystem::end(entries)), 1);
        std::ifstream saved(document);
        QVERIFY(std::string(std::istreambuf_iterator<char>(saved), {}).find(",11,") != std::string::npos);
    }

    void droppedFileIsOpenedAfterTheQuestion() {
        answer = kurvo::MsgAnswer::Yes;
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(kExample1)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w(), &drop);
        QVERIFY(enter.isAccepted());
        QCOMPARE(QString::fromStdString(messages.at(0).text), QStringLiteral("[ %1 ] を読み込みます？").arg(kExample1));
        QCOMPARE(cell(w().dataGrid(), 1, 10), std::string("100"));
    }
};

KURVO_GUI_TEST(ReportAndDesktopTest)
#include "report_and_desktop_test.moc"
