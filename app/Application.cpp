#include "app/Application.h"

#include "app/JapaneseFonts.h"
#include "app/MessageBoxes.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Daywick"));
    setApplicationVersion(QStringLiteral(DAYWICK_FILE_VERSION));
    setOrganizationName(QStringLiteral("Daywick"));
    // The menu entry's id: Wayland desktops match the window to the entry, and so to its name and icon, by
    // it.
    setDesktopFileName(QStringLiteral(DAYWICK_APP_ID));
    installJapaneseFonts();
    setFont(pGothicFont(12));
}

QString Application::title() {
    return QString::fromStdString(applicationTitle(QCoreApplication::applicationFilePath().toStdString()));
}

QString Application::productVersion() {
    return QStringLiteral(DAYWICK_PRODUCT_VERSION);
}

void Application::reportError(const std::exception_ptr& error) {
    std::string message;
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& known) {
        message = known.what();  // the program's own errors are Shift_JIS; others are plain ASCII
    } catch (...) {
        message = sjis("不明なエラーです");
    }
    showErrorBox(message);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportError(std::current_exception());
        return false;
    }
}

}  // namespace daywick::ui
