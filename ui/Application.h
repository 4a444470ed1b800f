#pragma once
// The application object: the program's title and version, Japanese fonts, the colours every window shares,
// and the one place where an error that leaves a handler is shown to the user.

#include <QApplication>
#include <exception>
#include <thread>

namespace daywick::ui {

/// Reads fontconfig's configuration and font caches on a thread of its own while the application connects
/// to the display, so that the first Japanese text need not wait for them.
class FontconfigWarmup {
protected:
    FontconfigWarmup();
    void finishWarmup();

private:
    std::jthread reader_;
};

class Application : private FontconfigWarmup, public QApplication {
public:
    Application(int& argc, char** argv);

    /// The caption of the program's message boxes: the program file's name, by the title rule.
    static QString title();

    /// The product's version, beside the program file's own (applicationVersion(), 3.1.0.0).
    static QString productVersion();

    /// Shows an error that left a handler in the application-wide error box; the program goes on.
    static void reportError(const std::exception_ptr& error);

    /// A last guard for errors that leave an event handler through Qt.
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace daywick::ui
