#pragma once
// What the widget tests share: answering the program's modal boxes, and services with a fixed clock, a
// counted beep and a data directory of their own.

#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <functional>
#include <vector>

#include "Services.h"
#include "daywick/dates.h"

namespace daywick::testing {

/// One modal box as the user saw it.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QStringList buttons;
    QString detail;  // the smaller second line, the file concerned
    int width = 0;
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

/// Services for the windows with a fixed clock, a beep counter, a given picture number and a data directory.
struct TestServices {
    TestServices(const std::filesystem::path& dataDir, LocalDateTime now, int picture = 7);
    ui::Services services();

    std::string dataDir;
    FixedClock clock;
    int beeps = 0;
    int picture;
};

/// Writes the five data files, a help file and a valid picture folder into dir.
void writeSampleDirectory(const std::filesystem::path& dir);

/// Lets queued events (the calendar's deferred click) run.
void settle();

}  // namespace daywick::testing
