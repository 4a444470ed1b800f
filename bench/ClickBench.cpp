// One calendar click on the running main window: the day report pass over the data directory and the
// repaint of the window, as a user waits for it. Runs in the working directory's data (the sample data).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>

#include "Application.h"
#include "Daywick1.h"
#include "MonthCalendar.h"

namespace {

daywick::TForm1* form = nullptr;

void CalendarClick(benchmark::State& state) {
    QDate day(2024, 1, 1);
    for (auto _ : state) {
        form->MonthCalendar1->setSelectedDate(day);
        form->MonthCalendar1Click();
        form->repaint();
        day = day.addDays(1);
    }
}
BENCHMARK(CalendarClick)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    daywick::ui::Application application(argc, argv);
    daywick::TForm1 mainWindow(daywick::ui::Services::system());
    mainWindow.show();
    QCoreApplication::processEvents();
    form = &mainWindow;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
