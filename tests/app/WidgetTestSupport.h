#pragma once
// What the widget tests share: answering the program's modal boxes, a fixed clock and a counted beep, and a
// working directory of their own.

#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <functional>
#include <vector>

#include "app/Daywick1.h"
#include "daywick/dates.h"

namespace daywick::testing {

/// One modal box as the user saw it.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QStringList buttons;
};

/// Answers every modal message box that comes up while it lives, pressing the button whose text is given
/// (the first button when none is), and remembers what each box showed.
class ModalAnswerer {
public:
    explicit ModalAnswerer(QString button = {});
    ~ModalAnswerer();
    const std::vector<SeenBox>& seen() const { return seen_; }
    /// Whether the splash window was on the screen while a box was up.
    bool splashSeenDuringBox() const { return splashSeen_; }

private:
    QString button_;
    bool splashSeen_ = false;
    std::vector<SeenBox> seen_;
    class QTimer* timer_;
};

/// Runs the test body in a directory, then goes back.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& dir);
    ~WorkingDirectory();

private:
    std::filesystem::path previous_;
};

/// Services for the main window with a fixed clock, a beep counter and a given picture number.
struct TestServices {
    explicit TestServices(LocalDateTime now, int picture = 7);
    MainWindowServices services();

    FixedClock clock;
    int beeps = 0;
    int picture;
};

/// Writes the five data files, a help file and a valid picture folder into dir.
void writeSampleDirectory(const std::filesystem::path& dir);

/// Lets queued events (the calendar's deferred click) run.
void settle();

}  // namespace daywick::testing
