#include "ui/form_dialog.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/application.h"

namespace kurvo::ui {

QFont formFont(const char* family, double points, bool bold, bool italic) {
    QFont font(QString::fromUtf8(family));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

FormDialog::FormDialog(QWidget* parent, const char* name, const QString& caption, double clientWidth,
                       double clientHeight)
    : QDialog(parent), scale_(TwipsScale::ofScreen()) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(true);
    setFont(formFont(kGothic, 9));
    // A fixed dialog frame: a title bar with the close box, nothing to resize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(scale_.size(clientWidth, clientHeight));
}

QWidget* FormDialog::place(QWidget* control, double left, double top, double width, double height,
                           QWidget* container) {
    control->setParent(container != nullptr ? container : this);
    control->setGeometry(scale_.rect(left, top, width, height));
    return control;
}

QLabel* FormDialog::addLabel(const char* name, const QString& text, double left, double top, double width,
                             double height, QWidget* container) {
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, left, top, width, height, container);
    return label;
}

QLineEdit* FormDialog::addTextBox(const char* name, double left, double top, double width, double height,
                                  QWidget* container) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    place(box, left, top, width, height, container);
    return box;
}

QPushButton* FormDialog::addButton(const char* name, const QString& caption, double left, double top,
                                   double width, double height, QWidget* container) {
    auto* button = new QPushButton(caption);
    button->setObjectName(QString::fromLatin1(name));
    // Qt would make the first button of a dialog the default for Enter; here
    // only a declared default button is (keyPressEvent).
    button->setAutoDefault(false);
    place(button, left, top, width, height, container);
    return button;
}

QFrame* FormDialog::addFrame(const char* name, double left, double top, double width, double height) {
    auto* frame = new QFrame;
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    place(frame, left, top, width, height);
    return frame;
}

void FormDialog::setDefaultButton(QPushButton* button) {
    defaultButton_ = button;
    button->setDefault(true);
}

void FormDialog::setTabOrder(std::initializer_list<QWidget*> order) {
    QWidget* previous = nullptr;
    for (QWidget* control : order) {
        if (control->focusPolicy() == Qt::NoFocus) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

void FormDialog::closeEvent(QCloseEvent* event) {
    // The close box, the system menu and Alt+F4 arrive as spontaneous close
    // events: the dialog stays open until one of its buttons closes it.
    if (event->spontaneous() && !systemSessionEnding()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    QPushButton* pressed = nullptr;
    if (plain && event->key() == Qt::Key_Escape) {
        pressed = cancelButton_;
    } else if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        // A button with the focus takes Enter like a click; elsewhere Enter
        // presses the default button, if the dialog has one.
        pressed = qobject_cast<QPushButton*>(focusWidget());
        if (pressed == nullptr) pressed = defaultButton_;
    } else {
        QDialog::keyPressEvent(event);
        return;
    }
    if (pressed != nullptr && pressed->isEnabled()) pressed->click();
    event->accept();
}

}  // namespace kurvo::ui
