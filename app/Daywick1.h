#pragma once
// Daywick's main window.
//
// The program is made of three layers: the engine (daywick/, no Qt: the selected date, the five data files
// and the day report pass `Hyoji`), the windows (this one, the splash window in app/, the secondary windows
// in dialogs/) and the command-line report in tools/. A click on a day flows so:
//   MonthCalendar1 (press and release inside it) -> TForm1::MonthCalendar1Click
//     -> DaySelection::SelectFromCalendar     the calendar's date becomes the selected date's three texts
//     -> Memo1, Memo2, Memo3 cleared
//     -> TForm1::Hyoji -> daywick::Hyoji      the five files are read; each panel's pieces are collected
//                                              and handed to its widget once
//     -> beep, StaticText2 = StatusText()
// An error that leaves a handler (a missing file, a bad birthday record) is shown by the application's error
// box; the pieces appended before it stay shown.

#include <QLabel>
#include <QMainWindow>
#include <functional>

#include "daywick/dates.h"
#include "daywick/dayreport.h"

class QAction;
class QFrame;
class QTimer;

namespace daywick::ui {
class MonthCalendar;
class SjisMemo;
class SecondaryWindow;
}  // namespace daywick::ui

namespace daywick {

/// What the main window takes from the machine; tests put their own in its place.
struct MainWindowServices {
    const Clock* clock = nullptr;        // the local time
    std::function<void()> beep;          // the system's default beep
    std::function<int()> drawPicture;    // a picture number from 0 to 36
    static MainWindowServices system();  // the real clock, beep and a clock-seeded generator
};

/// The secondary windows the menu shows; each may be missing until it exists.
struct SecondaryWindows {
    ui::SecondaryWindow* about = nullptr;     // TForm2
    ui::SecondaryWindow* help = nullptr;      // TForm3
    ui::SecondaryWindow* birthday = nullptr;  // TForm4
    ui::SecondaryWindow* print = nullptr;     // TForm6
};

class TForm1 : public QMainWindow {
public:
    /// Builds the window and runs its creation handler (splash, today's report, a picture).
    explicit TForm1(MainWindowServices services);
    ~TForm1() override;

    void setSecondaryWindows(const SecondaryWindows& windows);

    /// The selected date and the start-up date, which the print dialog reads.
    const DaySelection& dates() const { return dates_; }

    // Handlers, named after control and event.
    void FormCreate();
    void MonthCalendar1Click();
    void Timer1Timer();
    void Exit1Click();
    void Print1Click();
    void N2Click();
    void Help2Click();
    void About1Click();

    /// The day report pass for the selected date, into the three panels.
    void Hyoji();

    // The controls.
    QLabel* StaticText1;  // clock line
    QLabel* StaticText2;  // status line
    QLabel* Label1;       // "何の日・行事"
    QLabel* Label2;       // "誕生日・誕生花"
    QLabel* Label3;       // "歴史・出来事"
    QLabel* Label4;       // "カレンダー"
    ui::SjisMemo* Memo1;  // birthdays panel
    ui::SjisMemo* Memo2;  // events panel
    ui::SjisMemo* Memo3;  // history panel
    QFrame* Bevel2;
    QLabel* Image1;
    QFrame* Bevel1;
    ui::MonthCalendar* MonthCalendar1;
    QTimer* Timer1;
    QAction* Print1;
    QAction* Exit1;
    QAction* N2;
    QAction* Help2;
    QAction* About1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void loadPicture();

    MainWindowServices services_;
    SecondaryWindows windows_;
    DaySelection dates_;
    QString pictureBaseDir_;
    std::string morning_;
    std::string afternoon_;
};

}  // namespace daywick
