// Which degree?  The shown combination fitted at every degree its samples
// allow, one row a degree with its sum of squares, s, R², AICc, BIC, PRESS
// and the F test of its highest term; the smallest AICc, BIC and PRESS are
// marked.  この次数にする sets the chosen row's degree in the method grid and
// estimates again; コピー puts the table on the clipboard with every digit.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

namespace kurvo {
class App;
}

namespace kurvo::ui {

class DegreeDialog : public QDialog {
    Q_OBJECT
public:
    DegreeDialog(App& app, QWidget* parent);

    QTableWidget* table() const { return table_; }
    QPushButton* chooseButton() const { return choose_; }
    // The whole table as TAB-separated text, headings first, each number
    // with the digits that read back as the same double.
    QString tableText() const;

private:
    void chooseDegree();

    App& app_;
    int combination_ = 0;
    QString tableText_;
    QTableWidget* table_ = nullptr;
    QPushButton* choose_ = nullptr;
};

}  // namespace kurvo::ui
