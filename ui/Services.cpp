#include "Services.h"

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#include "daywick/pictures.h"

namespace daywick::ui {

Services Services::system() {
    static const SystemClock clock;
    auto generator = std::make_shared<std::mt19937>(
        static_cast<std::mt19937::result_type>(std::chrono::system_clock::now().time_since_epoch().count()));
    // The working directory at start-up decides where everything is found; nothing is configured. Should it
    // be gone already, the bare names still reach whatever the process is in.
    std::error_code error;
    std::string dataDir = std::filesystem::current_path(error).string();
    return {&clock, [] { QApplication::beep(); },
            [generator] { return std::uniform_int_distribution<int>(0, kPictureCount - 1)(*generator); },
            std::move(dataDir)};
}

}  // namespace daywick::ui
