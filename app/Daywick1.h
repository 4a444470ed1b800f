#pragma once
// Daywick's main window.
//
// The program is built in layers, each using only those below it:
//   engine/   (no Qt) the selected date, the five data files and their record layouts, the day report pass
//             `Hyoji`, the birthday record and its append, the printed report's text, the data checker
//   ui/       what every window shares: Shift_JIS text widgets, message boxes, fonts, the month calendar,
//             the handler guard, JPEG pictures, the services the windows take from the machine
//   dialogs/  the secondary windows: about (TForm2), help (TForm3), birthday (TForm4), print (TForm6),
//             the day's 暦 (TForm7, こよみ)
//   app/      this window, the splash (TForm5), and the program's entry, which makes all windows
// A click on a day flows so:
//   MonthCalendar1 (press and release inside it) -> TForm1::MonthCalendar1Click
//     -> DaySelection::SelectFromCalendar     the calendar's date becomes the selected date's three texts
//     -> the three panels cleared; StaticText2 = StatusText(), Label5 = the day's koyomi text and holiday
//     -> TForm1::Hyoji -> daywick::Hyoji      the five files are read; each panel's pieces are collected
//                                              into the window's report and handed to its widget once
//     -> beep; the こよみ window, when open, turns to the day
// An error that leaves a handler (a missing file, a bad birthday record) is shown by the application's error
// box; the pieces appended before it stay shown.

#include <QLabel>
#include <QMainWindow>

#include "Services.h"
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

class TForm7;

/// The secondary windows the menu shows; each may be missing until it exists.
struct SecondaryWindows {
    ui::SecondaryWindow* about = nullptr;     // TForm2
    ui::SecondaryWindow* help = nullptr;      // TForm3
    ui::SecondaryWindow* birthday = nullptr;  // TForm4
    ui::SecondaryWindow* print = nullptr;     // TForm6
    TForm7* koyomi = nullptr;                 // こよみ
};

class TForm1 : public QMainWindow {
public:
    /// Builds the window and runs its creation handler (splash, today's report, a picture).
    explicit TForm1(ui::Services services);
    ~TForm1() override;

    void setSecondaryWindows(const SecondaryWindows& windows);

    /// The selected date and the start-up date, which the print dialog reads.
    const DaySelection& dates() const { return dates_; }
    /// The three panels' Shift_JIS texts, as the panels show them; the print dialog reads them.
    const PanelTexts& panels() const { return panels_; }

    // Handlers, named after control and event.
    void FormCreate();
    void MonthCalendar1Click();
    void Timer1Timer();
    void Exit1Click();
    void Print1Click();
    void N2Click();
    void Help2Click();
    void About1Click();
    void Koyomi1Click();

    /// The day report pass for the selected date, into the three panels.
    void Hyoji();

    // The controls.
    QLabel* StaticText1;  // clock line
    QLabel* StaticText2;  // status line
    QLabel* Label1;       // "何の日・行事"
    QLabel* Label2;       // "誕生日・誕生花"
    QLabel* Label3;       // "歴史・出来事"
    QLabel* Label4;       // "カレンダー"
    QLabel* Label5;       // the selected day's koyomi text and holiday; a click opens the こよみ window
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
    QAction* Koyomi1;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void loadPicture();
    void showPanels();
    void showKoyomi(const QDate& day);

    ui::Services services_;
    SecondaryWindows windows_;
    DaySelection dates_;
    PanelTexts panels_;
    std::string pictureBaseDir_;
    std::string morning_;
    std::string afternoon_;
};

}  // namespace daywick
