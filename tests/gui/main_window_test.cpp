// The real main window, driven as a user would on the offscreen platform.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <memory>

#include "gui_test.h"
#include "ui/graph_widget.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"

using kurvo::App;
using kurvo::ui::GridView;
using kurvo::ui::MainWindow;

namespace {

std::string cell(GridView* view, int col, int row) { return view->gridModel()->grid().Text(col, row); }

// The model index of grid cell (col, row).
QModelIndex indexOf(GridView* view, int col, int row) { return view->model()->index(row - 1, col - 1); }

// Opens the editor of a combo cell.
QComboBox* openCombo(GridView* view, int col, int row) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // editors closed before
    const QModelIndex index = indexOf(view, col, row);
    view->setCurrentIndex(index);
    view->edit(index);
    const auto combos = view->findChildren<QComboBox*>();
    return combos.size() == 1 ? combos.front() : nullptr;
}

// Chooses an item of a combo cell the way the cell's editor does.
void chooseInCombo(GridView* view, int col, int row, const QString& item) {
    QComboBox* combo = openCombo(view, col, row);
    QVERIFY(combo != nullptr);
    combo->setCurrentIndex(combo->findText(item));
    QVERIFY(combo->currentIndex() >= 0);
    emit combo->activated(combo->currentIndex());
    QApplication::processEvents();
}

QRect framePixels(MainWindow& w) {
    const auto& g = w.app().window;
    const QPoint origin = w.graph()->contentsRect().topLeft();
    const double tx = w.scale().twipsPerPixelX(), ty = w.scale().twipsPerPixelY();
    return QRect(QPoint(qRound(g.ix1 / tx), qRound(g.iy1 / ty)) + origin,
                 QPoint(qRound(g.ix2 / tx), qRound(g.iy2 / ty)) + origin);
}

int countPixels(const QImage& image, QRgb colour, const QRect& within) {
    int n = 0;
    for (int y = within.top() + 1; y < within.bottom(); ++y)
        for (int x = within.left() + 1; x < within.right(); ++x) n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindow> window;
    std::vector<kurvo::MessageRequest> messages;

    MainWindow& w() { return *window; }
    void trigger(const char* action) {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(a != nullptr, action);
        a->trigger();
    }
    void pressEstimate() { QTest::mouseClick(window->estimateButton(), Qt::LeftButton); }
    QScrollBar* bar(App::RangeBar b) { return window->rangeBar(b); }

private slots:
    void init() {
        messages.clear();
        window = std::make_unique<MainWindow>();
        window->dialogs().setAnswerer([this](const kurvo::MessageRequest& request) {
            messages.push_back(request);
            return request.buttons == kurvo::MsgButtons::Ok ? kurvo::MsgAnswer::Ok : kurvo::MsgAnswer::No;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    // ---- start-up and layout ----

    void startsWithAnEmptyDocumentOnTheDataPage() {
        QCOMPARE(w().windowTitle(), QStringLiteral("Tavric　『Kurvo』"));
        QCOMPARE(w().tabs()->currentIndex(), 0);
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(w().dataGrid()->model()->headerData(k - 1, Qt::Horizontal).toString(), QString(QChar('A' + k - 1)));
        for (int r = 1; r <= 4; ++r) {
            QCOMPARE(cell(w().methodGrid(), 7, r), std::string("2"));
            QCOMPARE(cell(w().methodGrid(), 1, r), std::string());
        }
        for (int c = 1; c <= 4; ++c)
            for (int r = 1; r <= 11; ++r) QCOMPARE(cell(w().coefficientGrid(), c, r), std::string());
        QVERIFY(!w().app().session.int_Estimated);
        QCOMPARE(w().equationLabel(0)->text(), QStringLiteral("y1=c0+c1*x+c2*x^2"));
        QCOMPARE(bar(App::RangeBar::HScrollLow)->value(), 32767);
        QCOMPARE(bar(App::RangeBar::VScrollLow)->value(), 32767);
        QCOMPARE(bar(App::RangeBar::HScrollHigh)->value(), 0);
        QCOMPARE(bar(App::RangeBar::VScrollHigh)->value(), 0);
        QVERIFY(messages.empty());
    }

    void controlsStandWhereTheLayoutPutsThem() {
        const auto& s = w().scale();
        QCOMPARE(w().centralWidget()->size(), s.size(12645, 8235));
        const auto at = [&](const char* name) {
            auto* widget = w().findChild<QWidget*>(QString::fromLatin1(name));
            return widget ? widget->mapTo(w().centralWidget(), QPoint(0, 0)) : QPoint(-999, -999);
        };
        QCOMPARE(w().graph()->geometry(), s.rect(6120, 240, 5055, 4815));
        QCOMPARE(w().estimateButton()->geometry(), s.rect(11280, 2160, 1215, 735));
        QCOMPARE(w().findChild<QWidget*>("spdCoeff")->geometry(), s.rect(6000, 5400, 5370, 2730));
        QCOMPARE(w().findChild<QWidget*>("spdSpec")->geometry(), s.rect(120, 5400, 5715, 1335));
        QCOMPARE(bar(App::RangeBar::VScrollLow)->geometry(), s.rect(11160, 4680, 200, 340));
        // Page controls are placed from the tab control's own corner.
        QCOMPARE(at("spdData"), QPoint(s.x(240), s.y(1200)));
        QCOMPARE(at("lblData"), QPoint(s.x(240), s.y(720)));
        w().tabs()->setCurrentIndex(3);
        QCOMPARE(at("lblEquation(2)"), QPoint(s.x(240), s.y(600)));
        QCOMPARE(w().tabs()->count(), 5);
        QCOMPARE(w().tabs()->tabText(0), QStringLiteral("入力データ"));
        QCOMPARE(w().tabs()->tabText(4), QStringLiteral("推算値(Y4)"));
    }

    void gridsKeepTheirProportionsAndFit() {
        GridView* grid = w().methodGrid();
        QVERIFY(qAbs(grid->columnWidth(0) * 3.75 / 12.38 - grid->columnWidth(1)) <= 1.0);
        QVERIFY(grid->verticalHeader()->width() < grid->columnWidth(1));
        QVERIFY(grid->horizontalHeader()->height() > grid->rowHeight(0) * 3 / 2);
        for (GridView* view : {grid, w().coefficientGrid()}) {
            const int last = view->model()->rowCount() - 1;
            QVERIFY2(view->rowViewportPosition(last) + view->rowHeight(last) <= view->viewport()->height(),
                     qPrintable(view->objectName()));
            const int lastCol = view->model()->columnCount() - 1;
            QVERIFY(qAbs(view->columnViewportPosition(lastCol) + view->columnWidth(lastCol) - view->viewport()->width()) <= 1);
        }
        QCOMPARE(w().dataGrid()->model()->rowCount(), 100);
        // Numbers line up: every character of a number is as wide as the others.
        const QFontMetrics cells(w().dataGrid()->font());
        for (QChar c : QStringLiteral("0123456789.-+E"))
            QCOMPARE(cells.horizontalAdvance(c), cells.horizontalAdvance(QLatin1Char('0')));
        QCOMPARE(QFontInfo(w().dataGrid()->font()).family(), QFontInfo(QFont(QStringLiteral("IPAGothic"))).family());
    }

    void menusCarryTheirCaptions() {
        QStringList tree;
        for (QAction* top : w().menuBar()->actions()) {
            tree << top->text();
            for (QAction* item : top->menu()->actions()) tree << (item->isSeparator() ? QStringLiteral("-") : "  " + item->text());
        }
        const QStringList expected = {
            "ﾌｧｲﾙ(&F)", "  新規作成(&N)", "  開く(&O)", "  名前を付けて保存(&A)", "-", "  プリンターの設定(&U)",
            "  グラフの印刷(&P)", "-", "  終了(&X)", "表示(&V)", "  変数名の設定(&T)", "  推算値の計算(&C)",
            "  グラフ上下限変更", "例題(&E)", "  例題１(&1)", "  例題２(&2)", "  例題３(&3)    Y      Log",
            "  例題４(&4)    Ｘ，Ｙ  Log", "ヘルプ(&H)", "  ﾊﾞｰｼﾞｮﾝ'情報(&A)"};
        QCOMPARE(tree, expected);
        for (QAction* top : w().menuBar()->actions())
            for (QAction* item : top->menu()->actions()) QVERIFY(item->shortcut().isEmpty());
    }

    void closeBoxIsRefusedButTheProgramMayClose() {
        QCloseEvent fromWindowSystem;
        QSpontaneKeyEvent::setSpontaneous(&fromWindowSystem);
        // Delivered straight to the window: sendEvent would mark it as the program's own.
        static_cast<QObject*>(window.get())->event(&fromWindowSystem);
        QVERIFY(!fromWindowSystem.isAccepted());
        QVERIFY(w().isVisible());
        w().closeFromProgram();
        QVERIFY(!w().isVisible());
    }

    // ---- estimation, pages and the graph ----

    void example3EstimatedShowsItsFirstCombination() {
        trigger("mnuExample3");
        QCOMPARE(cell(w().dataGrid(), 1, 1), std::string("-16.2"));
        QCOMPARE(w().dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("X-3"));
        pressEstimate();
        QVERIFY(messages.empty());
        QCOMPARE(w().tabs()->currentIndex(), 1);
        for (int c = 1; c <= 4; ++c) {
            QVERIFY(!cell(w().coefficientGrid(), c, 5).empty());  // C0
            QVERIFY(!cell(w().coefficientGrid(), c, 1).empty() || c > 1);
        }
        QVERIFY(w().equationLabel(0)->text().startsWith(QStringLiteral("LogY1=")));
        QCOMPARE(cell(w().estimateGrid(0), 1, 5), std::string("64.51"));

        QApplication::processEvents();
        const QImage image = w().graph()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect frame = framePixels(w());
        QVERIFY(frame.width() > 200 && frame.height() > 200);
        QVERIFY2(countPixels(image, qRgb(0, 255, 0), frame) > 100, "curve");
        QVERIFY2(countPixels(image, qRgb(255, 0, 0), frame) >= 5, "points");
        QCOMPARE(image.pixel(frame.left(), frame.center().y()), qRgb(128, 128, 128));
    }

    void resultPagesShowTheirCombination() {
        trigger("mnuExample3");
        pressEstimate();
        for (int page : {2, 3, 4}) {
            w().tabs()->setCurrentIndex(page);
            QCOMPARE(w().app().session.int_Comb, page - 1);
            QVERIFY(w().equationLabel(page - 1)->text().startsWith(QStringLiteral("LogY%1=").arg(page)));
            QVERIFY(!cell(w().estimateGrid(page - 1), 2, 1).empty());
        }
        const auto drawn = w().graph()->calls().size();
        w().tabs()->setCurrentIndex(0);
        QCOMPARE(w().app().session.int_Comb, 3);
        QCOMPARE(w().graph()->calls().size(), drawn);
        w().tabs()->setCurrentIndex(1);
        QCOMPARE(w().app().session.int_Comb, 0);
        QVERIFY(messages.empty());
    }

    void methodGridEditsReachTheLogic() {
        trigger("mnuExample1");
        chooseInCombo(w().methodGrid(), 4, 2, QStringLiteral("Y-1(1)"));
        QCOMPARE(w().app().session.int_XVar(2), 2);
        QCOMPARE(cell(w().coefficientGrid(), 1, 5), std::string());  // recorded, not run

        pressEstimate();
        const std::string before = cell(w().coefficientGrid(), 1, 5);
        QCOMPARE(cell(w().coefficientGrid(), 1, 9), std::string());  // degree 3: no C4
        w().tabs()->setCurrentIndex(0);

        // The degree list holds exactly 1 to 6; a new degree runs the estimation again.
        QComboBox* combo = openCombo(w().methodGrid(), 7, 1);
        QVERIFY(combo != nullptr);
        QStringList items;
        for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
        QCOMPARE(items, (QStringList{"1", "2", "3", "4", "5", "6"}));
        QCOMPARE(combo->currentText(), QStringLiteral("3"));
        QTest::keyClick(combo, Qt::Key_Escape);

        chooseInCombo(w().methodGrid(), 7, 1, QStringLiteral("4"));
        QCOMPARE(w().app().session.int_Degree(1), 4);
        QCOMPARE(w().tabs()->currentIndex(), 1);
        QVERIFY(!cell(w().coefficientGrid(), 1, 9).empty());  // C4 of combination 1
        QVERIFY(cell(w().coefficientGrid(), 1, 5) != before);
        QVERIFY(w().equationLabel(0)->text().contains(QStringLiteral("*X^4")));
    }

    void checkBoxCellsToggleWithAClick() {
        GridView* grid = w().methodGrid();
        const QRect r = grid->visualRect(indexOf(grid, 5, 3));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(cell(grid, 5, 3), std::string("1"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(cell(grid, 5, 3), std::string("0"));
    }

    // ---- range scroll bars ----

    void rangeBarsStepTheShownRange() {
        trigger("mnuExample1");
        pressEstimate();
        auto& s = w().app().session;
        const double xMin = s.dbl_XMin(1), xMax = s.dbl_XMax(1), yMin = s.dbl_YMin(1), yMax = s.dbl_YMax(1);
        QCOMPARE(xMin, 10.0);
        QCOMPARE(xMax, 100.0);
        const double otherXMax = s.dbl_XMax(2);

        // The first move of a High bar away from its minimum is only recorded.
        bar(App::RangeBar::HScrollHigh)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_XMax(1), xMax);
        bar(App::RangeBar::HScrollHigh)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_XMax(1), 200.0);
        QCOMPARE(s.dbl_XHigh(1), 200.0);
        QCOMPARE(s.dbl_XMax(2), otherXMax);

        bar(App::RangeBar::HScrollLow)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_XMin(1), 0.0);
        QCOMPARE(s.dbl_XLow(1), 0.0);

        bar(App::RangeBar::VScrollLow)->triggerAction(QAbstractSlider::SliderSingleStepSub);  // up arrow
        QVERIFY(s.dbl_YMin(1) < yMin);
        bar(App::RangeBar::VScrollLow)->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // down arrow
        QCOMPARE(s.dbl_YMin(1), yMin);

        bar(App::RangeBar::VScrollHigh)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_YMax(1), yMax);
        bar(App::RangeBar::VScrollHigh)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QVERIFY(s.dbl_YMax(1) > yMax);

        // The graph follows: the last X label is the new upper limit.
        bool found = false;
        for (const auto& call : w().graph()->calls()) found |= call.op == kurvo::DrawCall::Op::Text && call.text == "200";
        QVERIFY(found);
        QVERIFY(messages.empty());
    }

    void aStepBelowZeroOnALogAxisIsReportedAndTheProgramGoesOn() {
        trigger("mnuExample3");
        pressEstimate();
        auto& s = w().app().session;
        QCOMPARE(s.dbl_YMin(1), 10.0);
        const auto drawn = w().graph()->calls().size();
        bar(App::RangeBar::VScrollLow)->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(s.dbl_YMin(1), 0.0);
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(w().graph()->calls().size(), drawn);  // not redrawn
        bar(App::RangeBar::VScrollLow)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(s.dbl_YMin(1), 1.0);
        QCOMPARE(static_cast<int>(messages.size()), 1);
    }

    // ---- documents ----

    void savedExampleOpensBackThroughTheFileMenu() {
        const QString path = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation))
                                 .filePath(QStringLiteral("kurvo-gui-roundtrip.txt"));
        QFile::remove(path);
        w().dialogs().setFileChooser([&](const kurvo::FileRequest&) { return path.toStdString(); });
        w().dialogs().setAnswerer([this](const kurvo::MessageRequest& request) {
            messages.push_back(request);
            return request.buttons == kurvo::MsgButtons::Ok ? kurvo::MsgAnswer::Ok : kurvo::MsgAnswer::Yes;
        });
        trigger("mnuExample4");
        trigger("mnuSave");
        QVERIFY(QFile::exists(path));
        trigger("mnuNew");
        QCOMPARE(cell(w().dataGrid(), 1, 1), std::string());
        QCOMPARE(w().dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("A"));

        trigger("mnuOpen");
        QCOMPARE(w().dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("X-4"));
        QCOMPARE(cell(w().dataGrid(), 2, 7), std::string("9000"));
        QCOMPARE(cell(w().methodGrid(), 1, 1), std::string("Y-4(1)"));
        QCOMPARE(cell(w().methodGrid(), 5, 1), std::string("1"));
        QFile::remove(path);
    }

    // ---- data grid conveniences ----

    void pastedBlockCanBeEstimated() {
        QString text;
        for (int i = 1; i <= 12; ++i) text += QStringLiteral("%1\t%2\t%3\r\n").arg(i).arg(2 * i + 1).arg(i * i - 3);
        QGuiApplication::clipboard()->setText(text);
        GridView* data = w().dataGrid();
        data->setFocus();
        data->setCurrentIndex(indexOf(data, 1, 1));
        QTest::keyClick(data, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(data, 1, 12), std::string("12"));
        QCOMPARE(cell(data, 3, 12), std::string("141"));
        QCOMPARE(cell(data, 1, 13), std::string());
        QCOMPARE(cell(data, 4, 1), std::string());
        QVERIFY(w().statusBar()->currentMessage().contains(QStringLiteral("12 行 × 3 列")));

        chooseInCombo(w().methodGrid(), 1, 1, QStringLiteral("B"));
        chooseInCombo(w().methodGrid(), 4, 1, QStringLiteral("A"));
        chooseInCombo(w().methodGrid(), 1, 2, QStringLiteral("C"));
        chooseInCombo(w().methodGrid(), 4, 2, QStringLiteral("A"));
        pressEstimate();
        QVERIFY(messages.empty());
        QCOMPARE(w().app().session.int_DataCount, 12);
        QCOMPARE(w().app().session.int_CombCount, 2);
        QVERIFY(qAbs(w().app().session.dbl_Coeff(1, 1) - 2.0) < 1e-9);
        QVERIFY(qAbs(w().app().session.dbl_Coeff(2, 2) - 1.0) < 1e-9);
        QCOMPARE(cell(w().estimateGrid(0), 1, 12), std::string("12"));
    }

    void pasteNearTheEdgesLeavesOutWhatDoesNotFit() {
        QString text;
        for (int i = 1; i <= 12; ++i) text += QStringLiteral("%1,%2,%3\n").arg(i).arg(i).arg(i);
        QGuiApplication::clipboard()->setText(text);
        GridView* data = w().dataGrid();
        data->setCurrentIndex(indexOf(data, 4, 95));
        data->pasteClipboard();
        QCOMPARE(cell(data, 4, 95), std::string("1"));
        QCOMPARE(cell(data, 5, 100), std::string("6"));
        // Six rows lose column F; six more rows fall below row 100 entirely.
        QVERIFY2(w().statusBar()->currentMessage().contains(QStringLiteral("24 個")),
                 qPrintable(w().statusBar()->currentMessage()));
        QVERIFY(w().statusBar()->currentMessage().contains(QStringLiteral("101 行目")));
    }

    void blocksCopyAndDelete() {
        GridView* data = w().dataGrid();
        auto& grid = data->gridModel()->grid();
        grid.SetText(1, 1, "1");
        grid.SetText(2, 1, "2");
        grid.SetText(1, 2, "3");
        grid.SetText(2, 2, "4");
        data->setFocus();
        data->selectionModel()->select(QItemSelection(indexOf(data, 1, 1), indexOf(data, 2, 2)),
                                       QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(data, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\n3\t4\n"));
        QTest::keyClick(data, Qt::Key_Delete);
        QCOMPARE(cell(data, 2, 2), std::string());
        QCOMPARE(cell(data, 1, 1), std::string());
    }

    void resultGridsCopyButDoNotEdit() {
        trigger("mnuExample2");
        pressEstimate();
        GridView* est = w().estimateGrid(0);
        est->setFocus();
        est->setCurrentIndex(indexOf(est, 1, 1));
        est->selectionModel()->select(indexOf(est, 1, 1), QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(est, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("-2\n"));
        QTest::keyClick(est, Qt::Key_9);
        QTest::keyClick(est, Qt::Key_Delete);
        QGuiApplication::clipboard()->setText(QStringLiteral("7"));
        QTest::keyClick(est, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(cell(est, 1, 1), std::string("-2"));
        QVERIFY(est->findChildren<QLineEdit*>().isEmpty());  // no editor opened
    }
};

KURVO_GUI_TEST(MainWindowTest)
#include "main_window_test.moc"
