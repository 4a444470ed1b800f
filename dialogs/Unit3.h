#pragma once

#include "app/SecondaryWindow.h"

class QPushButton;

namespace daywick {

namespace ui {
class SjisMemo;
}

/// The help window: "Readme.txt" from the data directory, read once when the window is built.
class TForm3 : public ui::SecondaryWindow {
public:
    TForm3();

    void FormCreate();
    void Button1Click();

    ui::SjisMemo* Memo1;
    QPushButton* Button1;
};

}  // namespace daywick
