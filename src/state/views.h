// The small interfaces through which the logic reaches the window: the tab
// control, the equation labels, and message boxes with file dialogs.  The
// desktop program adapts its widgets to them; tests use the plain versions.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kurvo {

// The five pages: 0 the data, 1..4 the results of combinations 1..4.
class ITabControl {
public:
    virtual ~ITabControl() = default;
    virtual int SelectedPage() const = 0;
    // Shows the page; when the shown page changes, the change handler runs.
    virtual void SelectPage(int page) = 0;
    virtual void SetChangeHandler(std::function<void()> handler) = 0;
};

// The equation labels lblEquation(0..3) on the result pages.
class IEquationLabels {
public:
    virtual ~IEquationLabels() = default;
    virtual void SetEquation(int index, const std::string& caption) = 0;
    virtual std::string Equation(int index) const = 0;
};

enum class MsgButtons { Ok, YesNo, YesNoCancel };
enum class MsgIcon { None, Question };
enum class MsgAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    std::string text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    std::string caption;     // empty: the program's own name
    bool defaultNo = false;  // Yes/No boxes: Enter answers No
};

struct FileRequest {
    std::string filter;       // "データ ファイル (*.txt)|*.txt"
    std::string defaultExtension;
    std::string initialName;  // the name of the dialog's previous use
    bool forSaving = false;   // a file to write: replacing one is confirmed
};

// Message boxes and the file dialog.
class IUserDialogs {
public:
    virtual ~IUserDialogs() = default;
    virtual MsgAnswer Message(const MessageRequest& request) = 0;
    // The chosen full path, or nothing when the user cancelled.
    virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;

    void ShowMessage(const std::string& text) { Message({text, MsgButtons::Ok, MsgIcon::None, {}, false}); }
    // A line in the window's status bar, which asks nothing of the user.
    virtual void ShowStatus(const std::string& text) { (void)text; }
};

// ---- plain implementations -----------------------------------------------------

class PlainTabControl : public ITabControl {
public:
    int SelectedPage() const override { return page_; }
    void SelectPage(int page) override {
        if (page == page_) return;
        page_ = page;
        if (handler_) handler_();
    }
    void SetChangeHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

private:
    int page_ = 0;
    std::function<void()> handler_;
};

class PlainEquationLabels : public IEquationLabels {
public:
    PlainEquationLabels() {
        for (int i = 0; i < 4; ++i) captions_[static_cast<std::size_t>(i)] = "y" + std::to_string(i + 1) + "=c0+c1*x+c2*x^2";
    }
    void SetEquation(int index, const std::string& caption) override { captions_.at(static_cast<std::size_t>(index)) = caption; }
    std::string Equation(int index) const override { return captions_.at(static_cast<std::size_t>(index)); }

private:
    std::array<std::string, 4> captions_;
};

}  // namespace kurvo
