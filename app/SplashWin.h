#pragma once

#include <QWidget>

class QLabel;

namespace daywick {

/// The splash window shown while the main window fills itself at start-up.
class TForm5 : public QWidget {
public:
    TForm5();

    /// Shows the window and paints it before returning, so that it is seen while the program works.
    void showPainted();
    /// Removes the window; the object is destroyed once the events already queued have been handled.
    void release();

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
};

}  // namespace daywick
