#pragma once

#include <QPrinter>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SecondaryWindow.h"
#include "daywick/dates.h"
#include "daywick/dayreport.h"

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace daywick {

namespace ui {
class SjisMemo;
}

/// What the report is made of: the main window's day, read at the moment of each press.
struct ReportSources {
    const DaySelection& dates;  // the selected date and the start-up date
    const PanelTexts& panels;   // the three panels as the last day report pass left them
};

/// Where a job is drawn; nullptr when there is no printer to draw on.
using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;

/// The system's default printer, through CUPS, at its own resolution; nullptr when there is none.
std::unique_ptr<QPrinter> defaultPrinter();

/// Prints the lines as one job: each at its place (printreport.h) in 9-point "ＭＳ Ｐゴシック", on as many
/// pages as they need. `betweenLines` runs after every line, so that the windows keep handling their events
/// while the job runs. Throws Error when the printer cannot be drawn on or the job fails.
void printReportLines(QPrinter& printer, const std::vector<std::string>& lines,
                      const std::function<void()>& betweenLines);

/// The print dialog: the blocks to print are ticked, and "印刷開始(&P)" prints the day's report.
class TForm6 : public ui::SecondaryWindow {
public:
    explicit TForm6(ReportSources sources, PrinterSource printers = defaultPrinter);

    void Button2Click();
    void Button1Click();

    /// The report buffer's text divided as the buffer shows it: its width less border and margins, its font.
    std::vector<std::string> bufferLines() const;

    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;
    QCheckBox* CheckBox5;
    QGroupBox* GroupBox1;
    QPushButton* Button1;
    QPushButton* Button2;
    ui::SjisMemo* Memo1;  // the report buffer, never shown

private:
    ReportSources sources_;
    PrinterSource printers_;
    bool printing_ = false;
};

}  // namespace daywick
