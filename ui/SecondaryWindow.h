#pragma once

#include <QWidget>

namespace daywick::ui {

/// A window other than the main one: built hidden at start-up, living until the program ends, of a fixed
/// size at its own place on the screen. Closing it (a button or the title bar's close box) only hides it.
class SecondaryWindow : public QWidget {
public:
    SecondaryWindow(const QString& caption, QSize clientSize, QPoint position);

    /// Visible, in front and active (a minimised one restored first); a window already visible only comes to
    /// the front.
    void showWindow();

protected:
    bool event(QEvent* event) override;
};

}  // namespace daywick::ui
