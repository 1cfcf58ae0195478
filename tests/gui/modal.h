// Driving modal windows from a test: the code that opens one waits in its
// event loop, so the test's steps run from a timer inside that loop.
#pragma once

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QtTest/qtestspontaneevent.h>
#include <functional>

namespace kurvo::ui::test {

// Runs `open`; when it has put up a modal window of type W, runs `steps` on
// it.  A window the steps leave open is closed afterwards, so a failing test
// cannot hang.  Returns whether such a window came up.
template <class W>
bool whileModal(const std::function<void()>& open, const std::function<void(W*)>& steps) {
    bool seen = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (window == nullptr) return;
        seen = true;
        // The offscreen platform does not move the activation to a modal
        // window by itself; keyboard shortcuts need it.
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowExposed(window)) qWarning("modal window not exposed");
        steps(window);
        if (window->isVisible()) {
            if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->done(QDialog::Rejected);
        }
    });
    timer.start(0);
    open();
    return seen;
}

// What the window system sends for the close box, the system menu or Alt+F4;
// true when the window let itself be closed.
inline bool closeBox(QWidget* window) {
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    // Delivered straight to the window: sendEvent would mark it as the program's own.
    static_cast<QObject*>(window)->event(&event);
    return event.isAccepted();
}

// A key pressed where the keyboard focus is in `window`.
inline void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
    QTest::keyClick(target, key, modifiers);
}

}  // namespace kurvo::ui::test
