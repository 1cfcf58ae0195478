#include "ui/about_dialog.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "ui/application.h"

namespace kurvo::ui {

namespace {

const char* const kNotice =
    "このプログラムは無償で提供するもので、現状のままお使いいただきます。\n"
    "計算結果の正しさを含め、いかなる保証もいたしません。\n"
    "このプログラムを使ったこと、または使えなかったことによって生じた\n"
    "損害について、作者は責任を負いません。\n"
    "大切な計算の結果は、ほかの方法でも確かめてからお使いください。";

const char* const kHistory = "2007/03/28 初版\n";

QPalette withText(QPalette palette, const QColor& colour) {
    palette.setColor(QPalette::WindowText, colour);
    return palette;
}

}  // namespace

QString versionText(int major, int minor, int revision) {
    return QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(major).arg(minor).arg(revision);
}

AboutDialog::AboutDialog(QWidget* parent)
    : FormDialog(parent, "frmAbout", QString(), 7185, 5490) {
    const QFont pGothic = formFont(kProportionalGothic, 9);
    QFrame* frame = addFrame("Frame1", 120, 0, 6975, 4935);

    auto* picIcon = new QLabel;
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(programIcon().pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(picIcon, 270, 240, 540, 540, frame);

    QLabel* lblTitle = addLabel("lblTitle", QStringLiteral("Tavricプログラム"), 990, 240, 5205, 360, frame);
    lblTitle->setFont(formFont(kProportionalGothic, 14.25, true, true));
    lblTitle->setPalette(withText(lblTitle->palette(), QColor(0, 0, 192)));

    lblVersion_ = addLabel("lblVersion", QString(), 1080, 600, 3885, 225, frame);
    lblVersion_->setFont(formFont(kProportionalGothic, 9, false, true));
    lblVersion_->setPalette(withText(lblVersion_->palette(), QColor(192, 0, 0)));

    QLabel* lblVersionMemo = addLabel("lblVersionMemo", QStringLiteral("変更履歴"), 120, 960, 735, 255, frame);
    lblVersionMemo->setFont(pGothic);

    txtVersionMemo_ = new QPlainTextEdit;
    txtVersionMemo_->setObjectName(QStringLiteral("txtVersionMemo"));
    txtVersionMemo_->setFont(pGothic);
    txtVersionMemo_->setReadOnly(true);
    txtVersionMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtVersionMemo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette grey = txtVersionMemo_->palette();
    grey.setColor(QPalette::Base, QColor(192, 192, 192));
    txtVersionMemo_->setPalette(grey);
    place(txtVersionMemo_, 120, 1200, 6735, 1920, frame);

    // Line1: white, two pixels, across the frame.
    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("Line1"));
    line->setAutoFillBackground(true);
    QPalette white = line->palette();
    white.setColor(QPalette::Window, Qt::white);
    line->setPalette(white);
    place(line, 120, 3240, 6735, 0, frame);
    line->setFixedHeight(2);

    QLabel* lblDisclaimer = addLabel("lblDisclaimer", QString(), 120, 3360, 6735, 1425, frame);
    lblDisclaimer->setFont(pGothic);
    lblDisclaimer->setWordWrap(true);

    QLabel* lblEMailAddressTitle =
        addLabel("lblEMailAddressTitle", QStringLiteral("作者のメールアドレス："), 720, 5160, 2055, 255);
    lblEMailAddressTitle->setFont(pGothic);
    lblEMailAddressTitle->setAlignment(Qt::AlignRight | Qt::AlignTop);

    lblMailAddress_ = addLabel("lblMailAddress", QString::fromLatin1(kAuthorMailAddress), 2880, 5160, 2655, 255);
    QFont link = formFont(kGothic, 9);
    link.setUnderline(true);
    lblMailAddress_->setFont(link);
    lblMailAddress_->setPalette(withText(lblMailAddress_->palette(), QColor(0, 0, 192)));
    lblMailAddress_->setCursor(Qt::PointingHandCursor);
    lblMailAddress_->installEventFilter(this);

    cmdOK_ = addButton("cmdOK", QStringLiteral("OK"), 5880, 5040, 1020, 345);
    cmdOK_->setFont(pGothic);
    setDefaultButton(cmdOK_);
    setCancelButton(cmdOK_);
    cmdOK_->setFocus();
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    // Load.
    lblDisclaimer->setText(QString::fromUtf8(kNotice));
    txtVersionMemo_->setPlainText(QString::fromUtf8(kHistory));
    setWindowTitle(QCoreApplication::applicationName() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    const ProgramVersion v = programVersion();
    lblVersion_->setText(versionText(v.major, v.minor, v.revision));
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblMailAddress_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The desktop's mail program opens a new message; without one nothing happens.
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + lblMailAddress_->text()));
        return true;
    }
    return FormDialog::eventFilter(watched, event);
}

}  // namespace kurvo::ui
