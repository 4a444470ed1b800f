#pragma once
// What the windows take from the machine, made once by the program's entry and handed to every window that
// needs it; tests hand in their own.

#include <functional>
#include <string>

#include "daywick/dates.h"

namespace daywick::ui {

struct Services {
    const Clock* clock = nullptr;      // the local time
    std::function<void()> beep;        // the system's default beep
    std::function<int()> drawPicture;  // a picture number from 0 to 36
    std::string dataDir;               // the data files, the help file and the picture folder

    /// The machine's clock and beep, a clock-seeded generator, and the working directory as the data
    /// directory.
    static Services system();
};

}  // namespace daywick::ui
