// The program's entry: the windows in their order of creation, then the event loop until the main window
// closes. The data directory is the working directory; there are no arguments and no settings.

#include <csignal>

#include "app/Application.h"
#include "app/Daywick1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit6.h"

int main(int argc, char** argv) {
    // A write beyond the file size limit must fail with EFBIG, which the birthday append undoes and reports,
    // rather than end the program by a signal.
    std::signal(SIGXFSZ, SIG_IGN);

    daywick::ui::Application application(argc, argv);

    daywick::TForm1 form1(daywick::MainWindowServices::system());
    daywick::TForm2 form2;
    daywick::TForm3 form3;
    daywick::TForm4 form4;
    daywick::TForm6 form6({form1.dates(), *form1.Memo2, *form1.Memo1, *form1.Memo3});
    form1.setSecondaryWindows({&form2, &form3, &form4, &form6});

    form1.show();
    return application.exec();
}
