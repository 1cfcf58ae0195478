// The window's tab control, equation labels and message boxes as the logic
// sees them.
#pragma once

#include <QTabWidget>
#include <array>
#include <functional>
#include <vector>

#include "state/views.h"

class QLabel;

namespace kurvo::ui {

// A tab control whose pages hold controls at fixed places measured from the
// control's own top-left corner, as the layout gives them.
class TabControl : public QTabWidget, public ITabControl {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);
    ~TabControl() override;

    // Puts `control` on page `page` at `rect` (pixels from the control's
    // corner); with `grows`, its width and height take the control's growth.
    void place(int page, QWidget* control, const QRect& rect, Qt::Orientations grows = {});
    // How much larger than its first size the control is now.
    void setGrowth(const QSize& growth);
    // Where the pages start inside the control.
    QPoint pageOrigin();

    int SelectedPage() const override { return currentIndex(); }
    void SelectPage(int page) override { setCurrentIndex(page); }
    void SetChangeHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Placement {
        QWidget* control;
        QRect rect;
        Qt::Orientations grows;
    };
    void placeControls();

    std::function<void()> handler_;
    std::vector<Placement> placements_;
    QSize growth_{0, 0};
};

class EquationLabels : public IEquationLabels {
public:
    explicit EquationLabels(std::array<QLabel*, 4> labels) : labels_(labels) {}
    void SetEquation(int index, const std::string& caption) override;
    std::string Equation(int index) const override;

private:
    std::array<QLabel*, 4> labels_;
};

// Message boxes and the file dialog.  Tests (and scripted runs) answer them
// through the hooks instead of showing modal windows.
class QtDialogs : public IUserDialogs {
public:
    using Answerer = std::function<MsgAnswer(const MessageRequest&)>;
    using FileChooser = std::function<std::optional<std::string>(const FileRequest&)>;

    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    MsgAnswer Message(const MessageRequest& request) override;
    std::optional<std::string> ChooseFile(const FileRequest& request) override;
    void ShowStatus(const std::string& text) override {
        if (status_) status_(text);
    }

    void setStatusLine(std::function<void(const std::string&)> status) { status_ = std::move(status); }
    void setAnswerer(Answerer answerer) { answerer_ = std::move(answerer); }
    void setFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

private:
    QWidget* parent_;
    Answerer answerer_;
    FileChooser chooser_;
    std::function<void(const std::string&)> status_;
};

// "データ ファイル (*.txt)|*.txt" as a Qt name filter list.
QStringList nameFilters(const std::string& filter);

}  // namespace kurvo::ui
