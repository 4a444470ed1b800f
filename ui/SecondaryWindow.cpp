#include "SecondaryWindow.h"

#include <QEvent>
#include <QPalette>

#include "Widgets.h"

namespace daywick::ui {

SecondaryWindow::SecondaryWindow(const QString& caption, QSize clientSize, QPoint position)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(caption);
    setFixedSize(clientSize);
    move(position);
    setColour(this, QPalette::Window, kButtonFace);
    setAutoFillBackground(true);
}

void SecondaryWindow::showWindow() {
    if (isVisible() && !isMinimized()) {
        raise();
        return;
    }
    // A window the user minimised comes back as it was, in front and active, like a hidden one.
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

bool SecondaryWindow::event(QEvent* event) {
    // A window that becomes active with no control focused gives the focus to its first control in tab order.
    if (event->type() == QEvent::WindowActivate && !focusWidget()) focusNextChild();
    return QWidget::event(event);
}

}  // namespace daywick::ui
