#pragma once

#include <string>

#include "SecondaryWindow.h"
#include "Services.h"

class QPushButton;

namespace daywick {

namespace ui {
class SjisMemo;
}

/// The help window: "Readme.txt" from the data directory, read once when the window is built.
class TForm3 : public ui::SecondaryWindow {
public:
    /// Reads the help file from the services' data directory.
    explicit TForm3(const ui::Services& services);

    void FormCreate();
    void Button1Click();

    ui::SjisMemo* Memo1;
    QPushButton* Button1;

private:
    std::string dataDir_;
};

}  // namespace daywick
