// frmChangeGraphRange: the lower and upper ends of both axes of the shown
// graph, typed in.
#pragma once

#include <array>

#include "ui/form_dialog.h"

namespace kurvo {
class App;
}

namespace kurvo::ui {

class ChangeGraphRangeDialog : public FormDialog {
    Q_OBJECT
public:
    // Fills the boxes with the extents of the shown combination and marks the
    // dialog as confirmed (the graph is redrawn after either button).
    ChangeGraphRangeDialog(App& app, QWidget* parent);

    // X lower, X upper, Y lower, Y upper.
    QLineEdit* box(int i) const { return boxes_.at(static_cast<std::size_t>(i)); }
    QPushButton* changeButton() const { return cmdChange_; }
    QPushButton* cancelButton() const { return cmdCancel_; }

private:
    void change();

    App& app_;
    std::array<QLineEdit*, 4> boxes_{};
    QPushButton* cmdChange_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace kurvo::ui
