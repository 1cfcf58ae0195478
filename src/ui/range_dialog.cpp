#include "ui/range_dialog.h"

#include <QPainter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "graph/graph_range.h"
#include "ui/application.h"
#include "window/app.h"

namespace kurvo::ui {

namespace {
// Each box holds the longest number of the general form whole
// (-8.88888888888888E-308); the second box overlaps the first by one twip
// column, and the dialog keeps its right margin beside it.
constexpr double kBoxLeft = 1200, kBoxWidth = 2400, kBoxStep = kBoxWidth - 15, kRightMargin = 300;
constexpr double kClientWidth = kBoxLeft + kBoxStep + kBoxWidth + kRightMargin;

// The one heading "下限　　　上限" over both boxes: its words, parted by the
// ideographic spaces, are painted each centred over its own box, however
// wide the boxes are; the label's text stays the heading as written.
class HeadingOverBoxes : public QLabel {
public:
    HeadingOverBoxes(const QString& text, std::array<int, 2> centres) : QLabel(text), centres_(centres) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        const QStringList words = text().split(QChar(0x3000), Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size() && i < 2; ++i) {
            const int width = fontMetrics().horizontalAdvance(words[i]);
            const int left = centres_[static_cast<std::size_t>(i)] - x() - width / 2;
            painter.drawText(QRect(left, 0, width, height()), Qt::AlignLeft | Qt::AlignTop, words[i]);
        }
    }

private:
    std::array<int, 2> centres_;  // in the dialog's pixels
};
}  // namespace

ChangeGraphRangeDialog::ChangeGraphRangeDialog(App& app, QWidget* parent)
    : FormDialog(parent, "frmChangeGraphRange", QStringLiteral("Tavric"), kClientWidth, 2475), app_(app) {
    QLabel* lblTitle = addLabel("lblTitle", QStringLiteral("グラフ上下限の変更"), 240, 120, 2415, 255);
    auto* lblMinMax = new HeadingOverBoxes(QStringLiteral("下限　　　上限"),
                                           {scale().x(kBoxLeft + kBoxWidth / 2), scale().x(kBoxLeft + kBoxStep + kBoxWidth / 2)});
    lblMinMax->setObjectName(QStringLiteral("lblMinMax"));
    place(lblMinMax, kBoxLeft, 600, kBoxStep + kBoxWidth, 255);
    QLabel* lblX = addLabel("lblX", QStringLiteral("独立変数"), 240, 840, 855, 255);
    boxes_[0] = addTextBox("txtXL", kBoxLeft, 840, kBoxWidth, 270);
    boxes_[1] = addTextBox("txtXU", kBoxLeft + kBoxStep, 840, kBoxWidth, 270);
    QLabel* label1 = addLabel("Label1", QStringLiteral("従属変数"), 240, 1200, 855, 255);
    boxes_[2] = addTextBox("txtYL", kBoxLeft, 1080, kBoxWidth, 270);
    boxes_[3] = addTextBox("txtYU", kBoxLeft + kBoxStep, 1080, kBoxWidth, 270);
    for (QLineEdit* box : boxes_) box->setFont(numberFont());
    cmdChange_ = addButton("cmdChange", QStringLiteral("変更(&E)"), 600, 1680, 1215, 495);
    // キャンセル ends where the upper boxes end.
    cmdCancel_ = addButton("cmdCancel", QStringLiteral("ｷｬﾝｾﾙ(&C)"), kClientWidth - kRightMargin - 1215, 1680, 1215, 495);
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
