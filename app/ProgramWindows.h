#pragma once

#include "app/Daywick1.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit3.h"
#include "dialogs/Unit4.h"
#include "dialogs/Unit6.h"

namespace daywick {

/// The program's five windows, made in their order: the main window (whose creation shows the splash and
/// fills today's report), then the about, help, birthday and print windows; the main window's menu shows the
/// others. All live until the program ends.
struct ProgramWindows {
    explicit ProgramWindows(MainWindowServices services);

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    TForm6 form6;
};

}  // namespace daywick
