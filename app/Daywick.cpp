// The program's entry: the windows in their order of creation, then the event loop until the main window
// closes. The data directory is the working directory; there are no arguments and no settings.

#include <csignal>

#include "Application.h"
#include "ProgramWindows.h"

int main(int argc, char** argv) {
    // A write beyond the file size limit must fail with EFBIG, which the birthday append undoes and reports,
    // rather than end the program by a signal.
    std::signal(SIGXFSZ, SIG_IGN);

    daywick::ui::Application application(argc, argv);

    // What fails while the windows are made (memory that runs out) is told in the error box, like the errors
    // of the handlers, rather than ending the program unexplained.
    try {
        daywick::ProgramWindows windows(daywick::ui::Services::system());
        windows.form1.show();
        return application.exec();
    } catch (...) {
        daywick::ui::Application::reportError(std::current_exception());
        return 1;
    }
}
