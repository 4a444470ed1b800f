#pragma once

#include <string>

#include "SecondaryWindow.h"
#include "Services.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace daywick {

/// The birthday registration dialog: a year (Western, or an era letter and the era year), a month, a day and
/// a name become one more line of "Tanjyou.txt". It neither reads the file nor refreshes the main window; a
/// new birthday shows at the next day picked on the calendar.
class TForm4 : public ui::SecondaryWindow {
public:
    /// Checks the year against the services' clock and appends to the data directory's "Tanjyou.txt".
    explicit TForm4(const ui::Services& services);

    void FormCreate();
    void Button1Click();
    void Button2Click();

    QLineEdit* Edit1;  // year
    QLabel* Label1;
    QLineEdit* Edit2;  // month
    QLabel* Label2;
    QLineEdit* Edit3;  // day
    QLabel* Label3;
    QLabel* Label4;
    QLineEdit* Edit4;  // name
    QPushButton* Button1;
    QPushButton* Button2;

private:
    const Clock& clock_;
    std::string dataDir_;
};

}  // namespace daywick
