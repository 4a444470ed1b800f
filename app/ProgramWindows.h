#pragma once

#include "Daywick1.h"
#include "Services.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit6.h"
#include "Unit7.h"

namespace daywick {

/// The program's windows, made in their order: the main window (whose creation shows the splash and fills
/// today's report), then the about, help, birthday, print and こよみ windows, each given what it needs of the
/// services; the main window's menu shows the others. All live until the program ends.
struct ProgramWindows {
    explicit ProgramWindows(const ui::Services& services, PrinterSource printers = defaultPrinter);

    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
    TForm4 form4;
    TForm6 form6;
    TForm7 form7;
};

}  // namespace daywick
