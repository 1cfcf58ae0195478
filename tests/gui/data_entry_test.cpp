// Typing and pasting into the data grid as into a spreadsheet, and undoing it:
// keys, the context menu and the commands that start a fresh history.
#include <QClipboard>
#include <QMenu>
#include <QStatusBar>
#include <QTemporaryDir>

#include "gui_test.h"
#include "window_test.h"

using namespace kurvo::ui::test;

namespace {

QModelIndex cellAt(QAbstractItemModel* model, const QString& name) {
    return model->index(name.mid(1).toInt() - 1, name.at(0).unicode() - 'A');
}

}  // namespace

class DataEntryTest : public WindowTest {
    Q_OBJECT

    kurvo::ui::GridView* grid() { return w().dataGrid(); }
    // The grid, or its cell editor while one is open.
    QWidget* focused() {
        QWidget* focus = QApplication::focusWidget();
        return focus != nullptr && grid()->isAncestorOf(focus) ? focus : grid();
    }

    // One token of a row's input: a key, a menu item, a command or text to type.
    void perform(const QString& token) {
        static const std::map<QString, QKeyCombination> keys = {
            {"⏎", Qt::Key_Return}, {"⇧⏎", Qt::SHIFT | Qt::Key_Return}, {"⇥", Qt::Key_Tab},
            {"⇧⇥", Qt::SHIFT | Qt::Key_Backtab}, {"↓", Qt::Key_Down}, {"→", Qt::Key_Right},
            {"^Home", Qt::CTRL | Qt::Key_Home}, {"^End", Qt::CTRL | Qt::Key_End}, {"F2", Qt::Key_F2},
            {"Esc", Qt::Key_Escape}, {"Del", Qt::Key_Delete}, {"^V", Qt::CTRL | Qt::Key_V},
            {"^Z", Qt::CTRL | Qt::Key_Z}, {"^Y", Qt::CTRL | Qt::Key_Y}, {"^⇧Z", Qt::CTRL | Qt::SHIFT | Qt::Key_Z}};
        if (keys.count(token)) {
            QTest::keyClick(focused(), keys.at(token).key(), keys.at(token).keyboardModifiers());
        } else if (token.startsWith("clip:")) {
            QGuiApplication::clipboard()->setText(token.mid(5).replace(';', '\n'));
        } else if (token.startsWith("status:")) {  // the start of the status bar's message, "_" for a blank
            QVERIFY(w().statusBar()->currentMessage().startsWith(token.mid(7).replace('_', ' ')));
        } else if (token.startsWith("sel:")) {  // the one selected cell
            QCOMPARE(grid()->selectionModel()->selectedIndexes(), QModelIndexList{cellAt(grid()->model(), token.mid(4))});
        } else if (token == "yes") {  // the answer to the next questions
            answer = kurvo::MsgAnswer::Yes;
        } else if (token.startsWith("asked:")) {  // the one question since, as for status:
            QVERIFY(messages.size() == 1 && QString::fromStdString(messages[0].text).startsWith(token.mid(6).replace('_', ' ')));
            messages.clear();
        } else if (token.startsWith("menu:")) {
            const std::unique_ptr<QMenu> menu(grid()->createEditMenu(nullptr));
            for (QAction* action : menu->actions())
                if (action->text().startsWith(token.mid(5))) action->trigger();
        } else if (token == "click" || token == "dbl") {
            const QPoint centre = grid()->visualRect(grid()->currentIndex()).center();
            QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre);  // a double click starts with a click
            if (token == "dbl") QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, centre);
        } else if (token == "new") {
            // Typed and not saved: New asks first, and いいえ lets it go on.
            trigger("mnuNew");
            QCOMPARE(messages.size(), std::size_t{1});
            QCOMPARE(messages.front().text, std::string("現在のデータは保存されていません。保存しますか？"));
            QCOMPARE(messages.front().buttons, kurvo::MsgButtons::YesNoCancel);
            messages.clear();
        } else if (token == "ex1") {
            trigger("mnuExample1");
        } else if (token == "est") {
            pressEstimate();
            w().tabs()->setCurrentIndex(0);
        } else {
            for (const QChar ch : token) QTest::keyClick(focused(), ch.toLatin1());
        }
        QApplication::processEvents();
    }

private slots:
    void init() {
        openWindow();
        QApplication::setActiveWindow(window.get());
        QGuiApplication::clipboard()->clear();
        grid()->setFocus();
        grid()->setCurrentIndex(cellAt(grid()->model(), "A1"));
    }
    void cleanup() { window.reset(); }

    void keysAndUndo_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("cells");   // expected texts; row 0 the column titles
        QTest::addColumn<QString>("cursor");
        QTest::addColumn<QString>("menu");    // 元に戻す やり直し 切り取り コピー 貼り付け 削除: + enabled
        QTest::newRow("enter goes down") << "1 ⏎ 2 ⏎ 3 ⏎" << "A1=1 A2=2 A3=3" << "A4" << "+--+--";
        QTest::newRow("shift enter goes up") << "↓ ↓ 7 ⇧⏎" << "A3=7" << "A2" << "+--+--";
        QTest::newRow("last row stays") << "^End 9 ⏎" << "E100=9" << "E100" << "+-++-+";
        QTest::newRow("tab and shift tab wrap") << "→ → → → 5 ⇥ 6 ⇧⇥ 7 ⏎" << "E1=7 A2=6" << "E2" << "+--+--";
        QTest::newRow("typing replaces") << "clip:12 ^V 4 ⏎" << "A1=4" << "A2" << "+--++-";
        QTest::newRow("F2 edits in place") << "clip:12 ^V F2 3 ⏎" << "A1=123" << "A2" << "+--++-";
        QTest::newRow("typing at once after a click") << "click 5 ⏎" << "A1=5" << "A2" << "+--+--";
        QTest::newRow("double click edits in place") << "clip:12 ^V dbl 3 ⏎" << "A1=123" << "A2" << "+--++-";
        QTest::newRow("escape cancels") << "clip:12 ^V 9 Esc" << "A1=12" << "A1" << "+-++++";
        QTest::newRow("arrows and ctrl home") << "↓ → 5 ⏎ ^Home sel:A1" << "B2=5" << "A1" << "+--+--";
        QTest::newRow("ctrl y and ctrl shift z redo") << "1 ⏎ 2 ⏎ ^Z ^Z ^Y ^⇧Z" << "A1=1 A2=2" << "A2" << "+-++-+";
        QTest::newRow("outside counted") << "^End clip:1,2;3 ^V status:2_個の値は表の外" << "E100=1" << "E100" << "+-++++";
        QTest::newRow("texts counted") << "clip:x,2;3,4 ^V status:2_行_×_2_列の値を貼り付けました。貼り付けたセルのうち_1_個は数値ではありません。"
                                       << "A1=x B1=2" << "A1" << "+-++++";
        QTest::newRow("names row asked") << "yes clip:x,y;1,2 ^V asked:1_行目は変数名のようです。"
                                         << "A0=x B0=y A1=1 B1=2 A2=" << "A1" << "+-++++";
        QTest::newRow("names row renames only its columns") << "→ → yes clip:x,y;1,2 ^V asked:1_行目は変数名のようです。"
                                                            << "A0=A B0=B C0=x D0=y E0=E C1=1" << "C1" << "+-++++";
        QTest::newRow("grouped number typed") << "3,929,214 ⏎" << "A1=3929214" << "A2" << "+--+--";
        QTest::newRow("a paste is one step") << "clip:1,2;3,4 ^V ^Z" << "A1= B1= A2= B2=" << "A1" << "-+-++-";
        QTest::newRow("a delete is one step") << "clip:1,2;3,4 menu:貼り付け Del menu:元に戻す"
                                              << "A1=1 B1=2 A2=3 B2=4" << "A1" << "++++++";
        QTest::newRow("cut and paste below") << "clip:7 ^V menu:切り取り ↓ menu:貼り付け" << "A1= A2=7" << "A2"
                                             << "+-++++";
        QTest::newRow("new starts afresh") << "↓ clip:1,2;3,4 ^V new sel:A1" << "A2=" << "A1" << "---++-";
        QTest::newRow("estimation keeps it") << "ex1 99 ⏎ est ^Z" << "A1=10" << "A1" << "-+++-+";
    }
    void keysAndUndo() {
        QFETCH(QString, input);
        QFETCH(QString, cells);
        QFETCH(QString, cursor);
        QFETCH(QString, menu);
        for (const QString& token : input.split(' ', Qt::SkipEmptyParts)) perform(token);

        for (const QString& expected : cells.split(' ')) {
            const QString name = expected.section('=', 0, 0);
            const QVariant shown = name.mid(1) == "0" ? grid()->model()->headerData(name.at(0).unicode() - 'A', Qt::Horizontal)
                                                      : cellAt(grid()->model(), name).data();
            QCOMPARE(shown.toString(), expected.section('=', 1));
        }
        QCOMPARE(grid()->currentIndex(), cellAt(grid()->model(), cursor));
        const std::unique_ptr<QMenu> shown(grid()->createEditMenu(nullptr));
        QString enabled;
        for (QAction* action : shown->actions())
            if (!action->isSeparator()) enabled += action->isEnabled() ? '+' : '-';
        QCOMPARE(enabled, menu);
        QVERIFY(messages.empty());
    }

    // Typing reaches the recovery copy within a second, even in a cell still being edited;
    // a copy that cannot be written says so until a later write works.
    void recoveryCopyHoldsTheTypingAndItsFailureGivesWay() {
        QTemporaryDir home;
        const QString folder = home.filePath(QStringLiteral("kurvo"));
        QFile blocker(folder);  // a file where the folder would be made
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w().startRecovery(folder.toStdString(), false);
        perform("1");
        perform("⏎");
        QTRY_VERIFY(w().statusBar()->currentMessage().startsWith(QStringLiteral("復元用のコピーを書き込めませんでした")));
        QVERIFY(blocker.remove());
        perform("42");
        QTRY_VERIFY(w().statusBar()->currentMessage().isEmpty());
        const QStringList copies = QDir(folder).entryList({QStringLiteral("*.txt")});
        QCOMPARE(copies.size(), 1);
        const std::vector<std::vector<std::string>> rows{{"1"}, {"42"}};
        QVERIFY(kurvo::ReadDocumentFile(QDir(folder).filePath(copies.front()).toStdString()).rows == rows);
    }
};

KURVO_GUI_TEST(DataEntryTest)
#include "data_entry_test.moc"
