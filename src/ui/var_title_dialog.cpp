#include "ui/var_title_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "window/app.h"
#include "ui/application.h"

namespace kurvo::ui {

VarTitleDialog::VarTitleDialog(App& app, QWidget* parent)
    : FormDialog(parent, "frmVarTitle", QStringLiteral("変数名の設定"), 6420, 3000), app_(app) {
    const QFont controls = formFont(kProportionalGothic, 9);
    QFrame* frame = addFrame("Frame1", 120, 120, 6135, 2175);

    // One row per box: a label whose access key moves the focus to the box.
    const auto row = [&](const char* labelName, const QString& caption, const char* boxName, double labelTop,
                         double boxTop, double boxWidth, double boxHeight) {
        QLabel* label = addLabel(labelName, caption, 240, labelTop, 615, 255, frame);
        QLineEdit* box = addTextBox(boxName, 840, boxTop, boxWidth, boxHeight, frame);
        label->setBuddy(box);
        label->setFont(controls);
        box->setFont(controls);
        return box;
    };
    txtTitle_ = row("Label1", QStringLiteral("標題(&T)"), "txtTitle", 360, 240, 4935, 375);
    const char* const letters[] = {"A", "B", "C", "D", "E"};
    for (int k = 0; k < 5; ++k) {
        const double top = 720 + 240 * k;
        const QByteArray labelName = "lblVarTitle(" + QByteArray::number(k) + ")";
        const QByteArray boxName = "txtVarTitle(" + QByteArray::number(k) + ")";
        txtVarTitle_[static_cast<std::size_t>(k)] =
            row(labelName.constData(), QStringLiteral("%1列(&%1)").arg(QLatin1String(letters[k])), boxName.constData(),
                top, top, 1815, 270);
    }

    cmdOK_ = addButton("cmdOK", QStringLiteral("ＯＫ(&O)"), 3960, 2400, 975, 495);
    cmdCancel_ = addButton("cmdCancel", QStringLiteral("ｷｬﾝｾﾙ(&C)"), 5280, 2400, 975, 495);
    for (QPushButton* button : {cmdOK_, cmdCancel_}) button->setFont(controls);
    setTabOrder({txtTitle_, txtVarTitle_[0], txtVarTitle_[1], txtVarTitle_[2], txtVarTitle_[3], txtVarTitle_[4],
                 cmdOK_, cmdCancel_});
    txtTitle_->setFocus();

    const TitleTexts texts = app_.BeginTitleEdit();
    txtTitle_->setText(QString::fromStdString(texts.title));
    for (std::size_t k = 0; k < texts.variables.size(); ++k)
        txtVarTitle_[k]->setText(QString::fromStdString(texts.variables[k]));

    connect(cmdOK_, &QPushButton::clicked, this, &VarTitleDialog::ok);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void VarTitleDialog::ok() {
    TitleTexts texts;
    texts.title = txtTitle_->text().toStdString();
    for (std::size_t k = 0; k < texts.variables.size(); ++k) texts.variables[k] = txtVarTitle_[k]->text().toStdString();
    if (app_.ApplyTitles(texts)) accept();
}

}  // namespace kurvo::ui
