// frmVarTitle: the document title and the titles of data columns A to E.
#pragma once

#include <array>

#include "ui/form_dialog.h"

namespace kurvo {
class App;
}

namespace kurvo::ui {

class VarTitleDialog : public FormDialog {
    Q_OBJECT
public:
    // Shows the titles of the columns in use and marks the dialog as not confirmed.
    VarTitleDialog(App& app, QWidget* parent);

    QLineEdit* titleBox() const { return txtTitle_; }
    QLineEdit* variableBox(int k) const { return txtVarTitle_.at(static_cast<std::size_t>(k)); }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }

private:
    void ok();

    App& app_;
    QLineEdit* txtTitle_ = nullptr;
    std::array<QLineEdit*, 5> txtVarTitle_{};
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace kurvo::ui
