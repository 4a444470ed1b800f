#pragma once
// Every event handler of the program runs guarded: an error that leaves it is shown in the application-wide
// error box, and the program goes on with the next event.

#include <QObject>

#include "Application.h"

namespace daywick::ui {

/// Runs one handler; an error that leaves it goes to the error box.
template <typename Handler>
void runHandler(Handler&& handler) noexcept {
    try {
        handler();
    } catch (...) {
        Application::reportError(std::current_exception());
    }
}

/// Connects a signal to a handler of a window, run guarded. The window is the connection's context, so the
/// handler never runs after the window is gone.
template <typename Sender, typename Signal, typename Window>
QMetaObject::Connection connectHandler(const Sender* sender, Signal signal, Window* window,
                                       void (Window::*handler)()) {
    return QObject::connect(sender, signal, window,
                            [window, handler] { runHandler([window, handler] { (window->*handler)(); }); });
}

}  // namespace daywick::ui
