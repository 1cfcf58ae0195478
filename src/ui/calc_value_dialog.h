// frmCalc_Value: the fitted equation of the shown combination evaluated at a
// typed X.
#pragma once

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

private:
    void calculate();

    App& app_;
    QLineEdit* txtX_ = nullptr;
    QLabel* lblY_Calc_ = nullptr;
    QPushButton* cmdCalc_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
};

}  // namespace kurvo::ui
