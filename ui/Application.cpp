#include "Application.h"

#include <fontconfig/fontconfig.h>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QTranslator>
#include <new>

#include "JapaneseFonts.h"
#include "MessageBoxes.h"
#include "Widgets.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"
#include "daywick/version.h"

namespace daywick::ui {

FontconfigWarmup::FontconfigWarmup() : reader_([] { FcInit(); }) {}

// Called before the first font is asked for; a font asked for earlier would read the configuration again.
void FontconfigWarmup::finishWarmup() {
    if (reader_.joinable()) reader_.join();
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Daywick"));
    setApplicationVersion(QString::fromLatin1(kFileVersion));
    setOrganizationName(QStringLiteral("Daywick"));
    // The menu entry's id: Wayland desktops match the window to the entry, and so to its name and icon, by
    // it.
    setDesktopFileName(QString::fromLatin1(kAppId));
    // Qt's own texts (the context menus of the panels and boxes, a spinner's) in the user's language, from
    // the system's translations; the program's own texts are Japanese whatever the language.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(qtTexts);
    }
    installJapaneseFonts();
    setFont(pGothicFont(12));
    // Every window and every button wears the desktop's button face, as the desktop the program was made
    // for paints them.
    QPalette faces = palette();
    faces.setColor(QPalette::Window, kButtonFace);
    faces.setColor(QPalette::Button, kButtonFace);
    setPalette(faces);
    finishWarmup();
}

QString Application::title() {
    return QString::fromStdString(applicationTitle(QCoreApplication::applicationFilePath().toStdString()));
}

QString Application::productVersion() {
    return QString::fromLatin1(kProductVersion);
}

void Application::reportError(const std::exception_ptr& error) {
    std::string message;
    std::string path;
    std::uint64_t line = 0;
    try {
        std::rethrow_exception(error);
    } catch (const InOutError& failed) {
        message = failed.what();
        path = failed.path();
    } catch (const ConversionError& failed) {
        message = failed.what();
        path = failed.path();
        line = failed.line();
    } catch (const std::bad_alloc&) {
        message = outOfMemoryMessage();
    } catch (const std::exception& known) {
        message = known.what();  // the program's own errors are Shift_JIS; others are plain ASCII
    } catch (...) {
        message = sjis("不明なエラーです");
    }
    showErrorBox(message, path, line);
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
