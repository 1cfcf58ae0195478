#include "ui/range_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "graph/graph_range.h"
#include "window/app.h"

namespace kurvo::ui {

ChangeGraphRangeDialog::ChangeGraphRangeDialog(App& app, QWidget* parent)
    : FormDialog(parent, "frmChangeGraphRange", QStringLiteral("Tavric"), 3675, 2475), app_(app) {
    QLabel* lblTitle = addLabel("lblTitle", QStringLiteral("グラフ上下限の変更"), 240, 120, 2415, 255);
    QLabel* lblMinMax = addLabel("lblMinMax", QStringLiteral("下限　　　上限"), 1560, 600, 1575, 255);
    QLabel* lblX = addLabel("lblX", QStringLiteral("独立変数"), 240, 840, 855, 255);
    boxes_[0] = addTextBox("txtXL", 1200, 840, 1095, 270);
    boxes_[1] = addTextBox("txtXU", 2280, 840, 1095, 270);
    QLabel* label1 = addLabel("Label1", QStringLiteral("従属変数"), 240, 1200, 855, 255);
    boxes_[2] = addTextBox("txtYL", 1200, 1080, 1095, 270);
    boxes_[3] = addTextBox("txtYU", 2280, 1080, 1095, 270);
    cmdChange_ = addButton("cmdChange", QStringLiteral("変更(&E)"), 600, 1680, 1215, 495);
    cmdCancel_ = addButton("cmdCancel", QStringLiteral("ｷｬﾝｾﾙ(&C)"), 2160, 1680, 1215, 495);
    setTabOrder({cmdChange_, lblTitle, lblX, lblMinMax, label1, boxes_[0], boxes_[1], boxes_[2], boxes_[3],
                 cmdCancel_});
    cmdChange_->setFocus();

    const RangeTexts texts = app_.BeginRangeChange();
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setText(QString::fromStdString(texts[i]));

    connect(cmdChange_, &QPushButton::clicked, this, &ChangeGraphRangeDialog::change);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void ChangeGraphRangeDialog::change() {
    RangeTexts texts;
    for (std::size_t i = 0; i < boxes_.size(); ++i) texts[i] = boxes_[i]->text().toStdString();
    const RangeOutcome outcome = app_.ChangeGraphRange(texts);
    if (outcome.stored) {
        accept();
        return;
    }
    // A lower end above its upper end, or an end a logarithmic axis cannot
    // take, is refused without a word; a box without a usable number is named.
    if (!outcome.message.empty()) app_.ReportError(outcome.message);
}

}  // namespace kurvo::ui
