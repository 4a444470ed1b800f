// One calendar click on the running main window: the day report pass over the data directory and the
// repaint of the window, as a user waits for it, beside a baseline of the repaint alone and the click with
// the こよみ window open (which then turns to the day too). Runs in the working directory's data (the sample
// data).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>

#include "Application.h"
#include "Daywick1.h"
#include "MonthCalendar.h"
#include "Unit7.h"

namespace {

daywick::TForm1* form = nullptr;
daywick::TForm7* koyomi = nullptr;

// Each iteration a day not shown before, walking through 2024.
void clickDays(benchmark::State& state, bool pass) {
    QDate day(2024, 1, 1);
    for (auto _ : state) {
        form->MonthCalendar1->setSelectedDate(day);
        if (pass) form->MonthCalendar1Click();
        form->repaint();
        if (koyomi->isVisible()) koyomi->repaint();
        day = day.addDays(1);
    }
}

void RepaintOnly(benchmark::State& state) {
    koyomi->hide();
    clickDays(state, false);
}

void CalendarClick(benchmark::State& state) {
    koyomi->hide();
    clickDays(state, true);
}

void CalendarClickWithKoyomiOpen(benchmark::State& state) {
    form->Koyomi1Click();
    QCoreApplication::processEvents();
    clickDays(state, true);
}

BENCHMARK(RepaintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarClick)->Unit(benchmark::kMillisecond);
BENCHMARK(CalendarClickWithKoyomiOpen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    daywick::ui::Application application(argc, argv);
    daywick::TForm1 mainWindow(daywick::ui::Services::system());
    daywick::TForm7 koyomiWindow;
    mainWindow.setSecondaryWindows({nullptr, nullptr, nullptr, nullptr, &koyomiWindow});
    mainWindow.show();
    QCoreApplication::processEvents();
    form = &mainWindow;
    koyomi = &koyomiWindow;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
