#include "app/ProgramWindows.h"

namespace daywick {

ProgramWindows::ProgramWindows(MainWindowServices services)
    : form1(std::move(services)), form6({form1.dates(), *form1.Memo2, *form1.Memo1, *form1.Memo3}) {
    form1.setSecondaryWindows({&form2, &form3, &form4, &form6});
}

}  // namespace daywick
