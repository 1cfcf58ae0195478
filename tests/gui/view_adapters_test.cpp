// The real message box and file filters behind the program's dialog requests.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "gui_test.h"
#include "state/app.h"
#include "ui/view_adapters.h"

using kurvo::MsgAnswer;
using kurvo::MsgButtons;
using kurvo::MsgIcon;

class ViewAdaptersTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxWithoutACaptionShowsTheProgramsName() {
        QString title;
        QTimer::singleShot(0, [&title] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            title = box->windowTitle();
            QTest::keyClick(box, Qt::Key_Return);
        });
        kurvo::ui::QtDialogs dialogs(nullptr);
        QCOMPARE(dialogs.Message({"保存しました。", MsgButtons::Ok, MsgIcon::None, {}, false}), MsgAnswer::Ok);
        QCOMPARE(title, QString::fromUtf8(kurvo::kProgramCaption));
    }

    void fileFiltersBecomeQtNameFilters() {
        QCOMPARE(kurvo::ui::nameFilters("データ ファイル (*.txt)|*.txt"), QStringList{"データ ファイル (*.txt)"});
        QCOMPARE(kurvo::ui::nameFilters("Text|*.txt;*.csv|All|*.*"),
                 (QStringList{"Text (*.txt *.csv)", "All (*.*)"}));
    }
};

KURVO_GUI_TEST(ViewAdaptersTest)
#include "view_adapters_test.moc"
