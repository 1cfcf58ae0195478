// frmAbout: the program's name, version, change history, a notice and the
// author's mail address.
#pragma once

#include "ui/form_dialog.h"

class QPlainTextEdit;

namespace kurvo::ui {

// The address the About dialog shows; a click opens a new mail to it.
inline constexpr const char* kAuthorMailAddress = "kurvo@example.org";

class AboutDialog : public FormDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);

    QLabel* versionLabel() const { return lblVersion_; }
    QPlainTextEdit* history() const { return txtVersionMemo_; }
    QLabel* mailAddress() const { return lblMailAddress_; }
    QPushButton* okButton() const { return cmdOK_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* lblVersion_ = nullptr;
    QPlainTextEdit* txtVersionMemo_ = nullptr;
    QLabel* lblMailAddress_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
};

// "ﾊﾞｰｼﾞｮﾝ 2007.3.28": the release as major.minor.revision without leading zeros.
QString versionText(int major, int minor, int revision);

}  // namespace kurvo::ui
