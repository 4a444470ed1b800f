#pragma once

#include "SecondaryWindow.h"

class QFrame;
class QLabel;
class QPushButton;

namespace daywick {

/// The about window: the program's name and version, its makers' notices and a warning against copying.
class TForm2 : public ui::SecondaryWindow {
public:
    TForm2();

    void Button1Click();

    QLabel* Label1;
    QLabel* Label2;
    QFrame* Bevel3;
    QLabel* Label6;
    QLabel* Label7;
    QFrame* Bevel1;
    QLabel* Label3;
    QLabel* Label4;
    QPushButton* Button1;
};

}  // namespace daywick
