// The main window driven as a user drives it, and the helpers the window,
// dialog, printing and batch tests share.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>
#include <algorithm>
#include <functional>
#include <memory>

#include "../session_probe.h"
#include "ui/graph_widget.h"
#include "ui/grid_view.h"
#include "ui/main_window.h"

namespace kurvo::ui::test {

// Runs `open`; once it has put up a modal window of type W, runs `steps` on it
// from inside its event loop.  A window left open is rejected so a failure
// cannot hang.  Returns whether such a window came up.
template <class W>
bool whileModal(const std::function<void()>& open, const std::function<void(W*)>& steps) {
    bool seen = false;
    QTimer timer;  // destroyed on return, so it cannot fire after a window that never came
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (window == nullptr) return;
        seen = true;
        QApplication::setActiveWindow(window);  // offscreen does not activate modal windows
        if (!QTest::qWaitForWindowExposed(window)) qWarning("modal window not exposed");
        steps(window);
        if (auto* dialog = qobject_cast<QDialog*>(window); dialog != nullptr && dialog->isVisible())
            dialog->done(QDialog::Rejected);
    });
    timer.start(0);
    open();
    return seen;
}

// The close box as the window system sends it; true when the window closed.
inline bool closeBox(QWidget* window) {
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    static_cast<QObject*>(window)->event(&event);  // sendEvent would mark it as the program's own
    return event.isAccepted();
}

inline void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Replaces the box's text as typing does.
inline void type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    box->insert(text);
}

inline QModelIndex indexOf(GridView* view, int col, int row) { return view->model()->index(row - 1, col - 1); }
// What the view shows in a cell.
inline std::string cell(GridView* view, int col, int row) { return indexOf(view, col, row).data().toString().toStdString(); }

inline bool drewText(const std::vector<DrawCall>& calls, const std::string& text) {
    return std::any_of(calls.begin(), calls.end(),
                       [&](const DrawCall& c) { return c.op == DrawCall::Op::Text && c.text == text; });
}

// Pages of a PDF file as pdfinfo (poppler-utils) reads them; -1 when it cannot.
inline int pdfPages(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished() || info.exitCode() != 0) return -1;
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pages.match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// A shown main window whose messages are recorded and answered with Ok or `answer`.
class WindowTest : public QObject {
protected:
    std::unique_ptr<MainWindow> window;
    std::vector<MessageRequest> messages;
    MsgAnswer answer = MsgAnswer::No;

    MainWindow& w() { return *window; }
    Session& session() { return SessionProbe::Of(window->app()); }
    void openWindow() {
        messages.clear();
        answer = MsgAnswer::No;
        window = std::make_unique<MainWindow>();
        window->dialogs().setAnswerer([this](const MessageRequest& request) {
            messages.push_back(request);
            return request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : answer;
        });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void trigger(const char* action) {
        auto* a = window->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(a != nullptr, action);
        a->trigger();
    }
    void pressEstimate() { QTest::mouseClick(window->estimateButton(), Qt::LeftButton); }
    void estimateExample(int n) {
        trigger(qPrintable(QStringLiteral("mnuExample%1").arg(n)));
        pressEstimate();
        QVERIFY(session().int_Estimated);
        QVERIFY(messages.empty());
    }
    template <class D>
    bool open(const char* action, const std::function<void(D*)>& steps) {
        return whileModal<D>([&] { trigger(action); }, steps);
    }
};

}  // namespace kurvo::ui::test
