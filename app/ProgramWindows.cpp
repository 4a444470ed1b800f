#include "ProgramWindows.h"

namespace daywick {

ProgramWindows::ProgramWindows(const ui::Services& services, PrinterSource printers)
    : form1(services),
      form3(services),
      form4(services),
      form6({form1.dates(), form1.panels()}, std::move(printers)) {
    form1.setSecondaryWindows({&form2, &form3, &form4, &form6, &form7});
}

}  // namespace daywick
