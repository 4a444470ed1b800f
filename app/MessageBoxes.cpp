#include "app/MessageBoxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include "app/Application.h"
#include "app/SjisText.h"
#include "daywick/errors.h"

namespace daywick::ui {

namespace {

void centreOnScreen(QWidget& box) {
    box.adjustSize();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    box.move(screen.center() - box.rect().center());
}

}  // namespace

void showErrorBox(std::string_view message) {
    QMessageBox box(QMessageBox::Critical, Application::title(), fromSjis(errorBoxText(message)),
                    QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void showPlainMessage(std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, Application::title(), fromSjis(text), QMessageBox::NoButton);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setWindowModality(Qt::ApplicationModal);
    centreOnScreen(box);
    box.exec();
}

}  // namespace daywick::ui
