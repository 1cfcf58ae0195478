// frmCalc_Value: the fitted equation of the shown combination evaluated at a
// typed X.
#pragma once

#include <array>
#include <optional>

#include "ui/form_dialog.h"

namespace kurvo {
class App;
}

namespace kurvo::ui {

class CalcValueDialog : public FormDialog {
    Q_OBJECT
public:
    // Names the shown combination's variables; the X box and the result start empty.
    CalcValueDialog(App& app, QWidget* parent);

    QLineEdit* xBox() const { return txtX_; }
    QLabel* result() const { return lblY_Calc_; }
    QPushButton* calcButton() const { return cmdCalc_; }
    QPushButton* exitButton() const { return cmdExit_; }
    // The confidence and the prediction interval at the last X calculated.
    QLabel* interval(int i) const { return lblIntervals_.at(static_cast<std::size_t>(i)); }

    // Puts "X = …", "Y = …" and both intervals at the last X calculated on the
    // clipboard, every number with all its digits.
    void copyValue();

private:
    void calculate();

    App& app_;
    QLineEdit* txtX_ = nullptr;
    QLabel* lblY_Calc_ = nullptr;
    std::array<QLabel*, 2> lblIntervals_{};
    QPushButton* cmdCalc_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    std::optional<double> lastX_;  // the X of the value shown
};

}  // namespace kurvo::ui
