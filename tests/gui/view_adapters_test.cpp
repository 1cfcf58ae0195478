#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "gui_test.h"
#include "state/app.h"
#include "ui/view_adapters.h"

using kurvo::MessageRequest;
using kurvo::MsgAnswer;
using kurvo::MsgButtons;
using kurvo::MsgIcon;

namespace {

struct SeenBox {
    QString title;
    QString text;
    QString defaultButton;
    int buttons = 0;
};

// Shows a real message box, notes what it looks like and answers it with Enter.
MsgAnswer answerWithEnter(const MessageRequest& request, SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = static_cast<int>(box->buttons().size());
        if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    kurvo::ui::QtDialogs dialogs(nullptr);
    return dialogs.Message(request);
}

}  // namespace

class ViewAdaptersTest : public QObject {
    Q_OBJECT
private slots:
    void messageBoxesWithoutACaptionShowTheProgramsName() {
        SeenBox seen;
        const MsgAnswer answer = answerWithEnter({"保存しました。", MsgButtons::Ok, MsgIcon::None, {}, false}, seen);
        QCOMPARE(answer, MsgAnswer::Ok);
        QCOMPARE(seen.title, QString::fromUtf8(kurvo::kProgramCaption));
        QCOMPARE(seen.text, QStringLiteral("保存しました。"));
        QCOMPARE(seen.buttons, 1);
    }

    void enterAnswersNoWhenNoIsTheDefault() {
        SeenBox seen;
        const MsgAnswer answer =
            answerWithEnter({"終了しますか？", MsgButtons::YesNo, MsgIcon::Question, "題名", true}, seen);
        QCOMPARE(answer, MsgAnswer::No);
        QCOMPARE(seen.title, QStringLiteral("題名"));
        QCOMPARE(seen.buttons, 2);
    }

    void fileFiltersBecomeQtNameFilters() {
        QCOMPARE(kurvo::ui::nameFilters("データ ファイル (*.txt)|*.txt"), QStringList{"データ ファイル (*.txt)"});
        QCOMPARE(kurvo::ui::nameFilters("Text|*.txt;*.csv|All|*.*"),
                 (QStringList{"Text (*.txt *.csv)", "All (*.*)"}));
    }
};

KURVO_GUI_TEST(ViewAdaptersTest)
#include "view_adapters_test.moc"
