// The program's entry: the windows in their order of creation, then the event loop until the main window
// closes. The data directory is the working directory; there are no arguments and no settings.

#include "app/Application.h"
#include "app/Daywick1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"

int main(int argc, char** argv) {
    daywick::ui::Application application(argc, argv);

    daywick::TForm1 form1(daywick::MainWindowServices::system());
    daywick::TForm2 form2;
    daywick::TForm3 form3;
    form1.setSecondaryWindows({&form2, &form3, nullptr, nullptr});

    form1.show();
    return application.exec();
}
