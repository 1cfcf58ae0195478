// The keyboard and the language as a new user meets them: every access key of
// the window and its dialogs acts, and Qt's own dialogs speak Japanese.
#include <QAbstractButton>
#include <QDate>
#include <QDir>
#include <QFileIconProvider>
#include <QRegularExpression>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>

#include "gui_test.h"
#include "window_test.h"

namespace kurvo::ui::test {

namespace {

// The access key of a caption: the character after a single "&".
QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

}  // namespace

class KeyboardAndLanguageTest : public WindowTest {
    Q_OBJECT

    // Alt+key, and whether `target` answered it: a button was pressed, a menu
    // opened or a box took the focus.
    static bool answers(QWidget* window, QChar key, QObject* target) {
        if (target == nullptr) return false;
        auto* button = qobject_cast<QAbstractButton*>(target);
        std::unique_ptr<QSignalSpy> pressed = button ? std::make_unique<QSignalSpy>(button, &QAbstractButton::clicked)
                                                     : nullptr;
        QTest::keyClick(window, Qt::Key(key.unicode()), Qt::AltModifier);
        if (pressed) return pressed->count() == 1 || pressed->wait(1000);  // a pressed key animates the click
        if (auto* menu = qobject_cast<QMenu*>(target)) {
            const bool open = QApplication::activePopupWidget() == menu;
            menu->close();
            return open;
        }
        return QApplication::focusWidget() == target;
    }

private slots:
    void init() { openWindow(); }
    void cleanup() { window.reset(); }

    // The rows are in tests/data/access_keys.txt.
    void everyAccessKeyActs_data() {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QChar>("key");
        QTest::addColumn<QString>("target");
        QFile table(QStringLiteral(KURVO_TEST_DATA "/access_keys.txt"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        for (const QString& line : QString::fromUtf8(table.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList field = line.split(u'\t');
            if (!line.startsWith(u'#')) QTest::newRow(qPrintable(field.at(0))) << field.at(1) << field.at(2).at(0) << field.at(3);
        }
    }
    void everyAccessKeyActs() {
        QFETCH(QString, dialog);
        QFETCH(QChar, key);
        QFETCH(QString, target);
        if (dialog.isEmpty()) {
            QVERIFY(answers(window.get(), key, window->findChild<QObject*>(target)));
            QVERIFY(!session().int_Estimated);  // Alt+E did not press 推算
            return;
        }
        estimateExample(1);
        bool acted = false;
        QVERIFY(open<QDialog>(qPrintable(dialog), [&](QDialog* d) {
            if (d->focusWidget() != nullptr && d->focusWidget()->objectName() == target) {
                d->findChild<QAbstractButton*>()->setFocus();  // so that the key has to move the focus
            }
            acted = answers(d, key, d->findChild<QObject*>(target));
        }));
        QVERIFY(acted);
    }

    // Alt+E is the menu's, but the focused 推算 button still answers its keys.
    void focusedEstimateButtonTakesSpaceAndEnter() {
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
            trigger("mnuExample1");  // a new document, not estimated
            window->estimateButton()->setFocus();
            QTest::keyClick(window->estimateButton(), key);
            QVERIFY2(session().int_Estimated, qPrintable(QKeySequence(key).toString()));
        }
    }

    // Keys inside one menu must differ, or the menu would only cycle between them.  Every item
    // of a context menu has one, and no item ends in "..." (those of the menu bar never did).
    void menuItemKeysAreDistinctWithinEachMenu() {
        const std::unique_ptr<QMenu> dataMenu(window->dataGrid()->createEditMenu(nullptr));
        std::vector<std::pair<QList<QAction*>, bool>> menus{{dataMenu->actions(), true},
                                                            {window->findChild<QMenu*>("graphMenu")->actions(), true},
                                                            {window->coefficientGrid()->actions(), true}};
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>()) menus.push_back({menu->actions(), false});
        for (const auto& [items, context] : menus) {
            QList<QChar> keys;
            for (QAction* item : items) {
                const QChar key = accessKey(item->text());
                QVERIFY2(!item->text().endsWith(QStringLiteral("...")), qPrintable(item->text()));
                QVERIFY2(!key.isNull() || !context || item->isSeparator(), qPrintable(item->text()));
                if (key.isNull()) continue;
                QVERIFY2(!keys.contains(key), qPrintable(item->text()));
                keys.push_back(key);
            }
        }
    }

    // Qt's message boxes and file dialogs in Japanese, with Japanese dates,
    // whatever the machine's locale (the texts are those of Qt's catalogue).
    void standardTextsAreJapanese() {
        QMessageBox box(QMessageBox::Question, QString(), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
        QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QCOMPARE(QLocale::system().toString(QDate(2026, 12, 6), QLocale::ShortFormat), QStringLiteral("2026/12/06"));
        QCOMPARE(QLocale().toString(QDate(2026, 12, 6), QLocale::ShortFormat), QStringLiteral("2026/12/06"));
        // The file dialog's type column: a folder is not "Folder".
        QVERIFY(!QFileIconProvider().type(QFileInfo(QDir::tempPath())).contains(QRegularExpression("[A-Za-z]")));
    }
};

KURVO_GUI_TEST(KeyboardAndLanguageTest)

}  // namespace kurvo::ui::test

#include "keyboard_and_language_test.moc"
