#include "ui/calc_value_dialog.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "fit/calculate_value.h"
#include "state/numbers.h"
#include "ui/application.h"
#include "window/app.h"

namespace kurvo::ui {

CalcValueDialog::CalcValueDialog(App& app, QWidget* parent)
    : FormDialog(parent, "frmCalc_Value", QStringLiteral("Tavric"), 4965, 3105), app_(app) {
    txtX_ = addTextBox("txtX", 1800, 720, 3045, 270);
    QLabel* lblX = addLabel("lblX", QString::fromStdString(app_.CalculateXLabel()), 240, 720, 1575, 255);
    QLabel* lblY = addLabel("lblY", QString::fromStdString(app_.CalculateYLabel()), 240, 1320, 1575, 255);
    // " = " stands next to the box on the right.
    for (QLabel* label : {lblX, lblY}) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Wide enough for every digit of the general number form.
    lblY_Calc_ = addLabel("lblY_Calc", QString(), 1800, 1320, 3045, 255);
    lblY_Calc_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblY_Calc_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblY_Calc_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblY_Calc_->setFont(numberFont());  // a decimal point that reads as one
    // How far the fitted value may be off there: the intervals at the chosen level.
    for (std::size_t i = 0; i < lblIntervals_.size(); ++i) {
        const QByteArray name = "lblInterval(" + QByteArray::number(static_cast<int>(i)) + ")";
        lblIntervals_[i] = addLabel(name.constData(), QString(), 240, 1680 + 270.0 * static_cast<double>(i), 4605, 255);
        lblIntervals_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lblIntervals_[i]->setFont(numberFont());
    }
    cmdCalc_ = addButton("cmdCalc", QStringLiteral("計算(&E)"), 480, 2400, 1215, 495);
    cmdExit_ = addButton("cmdExit", QStringLiteral("ｷｬﾝｾﾙ(&C)"), 2160, 2400, 1215, 495);
    QLabel* lblTitle = addLabel("lblTitle", QStringLiteral("近似式による推算"), 120, 120, 3735, 255);
    setTabOrder({txtX_, lblX, lblY, lblY_Calc_, cmdCalc_, cmdExit_, lblTitle});
    txtX_->setFocus();

    setDefaultButton(cmdCalc_);  // Enter computes
    connect(cmdCalc_, &QPushButton::clicked, this, &CalcValueDialog::calculate);
    connect(cmdExit_, &QPushButton::clicked, this, &QDialog::accept);
    // Ctrl+C and the menu copy the value and its intervals with every digit.
    auto* copy = new QAction(QStringLiteral("コピー(&C)"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QAction::triggered, this, &CalcValueDialog::copyValue);
    addAction(copy);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    for (QLabel* label : {lblY_Calc_, lblIntervals_[0], lblIntervals_[1]}) label->setContextMenuPolicy(Qt::NoContextMenu);
}

void CalcValueDialog::copyValue() {
    if (!lastX_) return;
    const CalculatedValue value = app_.CalculateShownValue(FormatShortest(*lastX_));
    if (!value.ok) return;
    const std::array<std::string, 2> intervals = app_.IntervalTextsAt(*lastX_, true);
    QGuiApplication::clipboard()->setText(QString::fromStdString(
        app_.CalculateXLabel() + FormatShortest(*lastX_) + "\n" + app_.CalculateYLabel() +
        FormatShortest(value.value) + "\n" + intervals[0] + "\n" + intervals[1] + "\n"));
}

void CalcValueDialog::calculate() {
    const CalculatedValue value = app_.CalculateShownValue(txtX_->text().toStdString());
    if (value.ok) {
        lastX_ = NumericValue(txtX_->text().toStdString());
        lblY_Calc_->setText(QString::fromStdString(value.text));
        lblY_Calc_->setToolTip(lblY_Calc_->text());  // a long value may not fit the label
        const std::array<std::string, 2> intervals = app_.IntervalTextsAt(*NumericValue(txtX_->text().toStdString()));
        for (std::size_t i = 0; i < intervals.size(); ++i) lblIntervals_[i]->setText(QString::fromStdString(intervals[i]));
    } else {
        // The last value shown stays.
        app_.ReportError(value.text);
    }
}

}  // namespace kurvo::ui
