#pragma once

#include <array>

#include "SecondaryWindow.h"
#include "daywick/dates.h"

class QFrame;
class QLabel;
class QPushButton;

namespace daywick::ui {
class MoonPicture;
}

namespace daywick {

/// The こよみ window: the selected day as a 日めくり page shows it, with its whole 暦 and the moon of that
/// night. It follows the day the main window shows while it is open.
class TForm7 : public ui::SecondaryWindow {
public:
    TForm7();

    /// Shows the page of a day.
    void showDay(const CivilDate& day);
    const CivilDate& day() const { return day_; }

    void Button1Click();

    /// The 暦's items, a name and a value each, in the order the page lists them.
    static constexpr std::size_t kItems = 11;

    QLabel* Label1;  // the year and its 和暦 year
    QLabel* Label2;  // the month
    QLabel* Label3;  // the day's number
    QLabel* Label4;  // the weekday
    QLabel* Label5;  // the holiday
    QFrame* Bevel1;
    std::array<QLabel*, kItems> ItemNames;
    std::array<QLabel*, kItems> ItemValues;
    ui::MoonPicture* Image1;
    QLabel* Label6;  // outside the years the 暦 is given for: why the page is bare
    QPushButton* Button1;

private:
    void placeRows();

    CivilDate day_;
};

}  // namespace daywick
