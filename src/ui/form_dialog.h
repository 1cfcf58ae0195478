// The common ground of the program's own dialogs: a fixed client area laid
// out in twips, the window font, a modal run that starts from a fresh dialog,
// and a close box that does not close (the dialog's buttons do).
#pragma once

#include <QDialog>

#include "ui/twips.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kurvo::ui {

class FormDialog : public QDialog {
    Q_OBJECT
public:
    // `clientWidth` and `clientHeight` in twips; the window font is "ＭＳ ゴシック" 9 pt.
    FormDialog(QWidget* parent, const char* name, const QString& caption, double clientWidth, double clientHeight);

    const TwipsScale& scale() const { return scale_; }

    // Controls placed on `container` (the dialog when null) at Left, Top,
    // Width, Height in twips measured from the container's corner.
    QLabel* addLabel(const char* name, const QString& text, double left, double top, double width, double height,
                     QWidget* container = nullptr);
    QLineEdit* addTextBox(const char* name, double left, double top, double width, double height,
                          QWidget* container = nullptr);
    QPushButton* addButton(const char* name, const QString& caption, double left, double top, double width,
                           double height, QWidget* container = nullptr);
    // A frame without caption, etched like a group of controls.
    QFrame* addFrame(const char* name, double left, double top, double width, double height);
    QWidget* place(QWidget* control, double left, double top, double width, double height,
                   QWidget* container = nullptr);

    // The button that Enter presses wherever the focus is; without one Enter
    // presses only a button that has the focus.
    void setDefaultButton(QPushButton* button);
    // The button that Esc presses; without one Esc does nothing.
    void setCancelButton(QPushButton* button) { cancelButton_ = button; }

    // Focus moves through the controls in this order (labels and other
    // controls that take no focus may be listed; they are passed over).
    void setTabOrder(std::initializer_list<QWidget*> order);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TwipsScale scale_;
    QPushButton* defaultButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// A font of the windows: `family` is one of the face names in ui/application.h.
QFont formFont(const char* family, double points, bool bold = false, bool italic = false);

}  // namespace kurvo::ui
