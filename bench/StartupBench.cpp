// Start-up time of the program, from the process's start until its main window is on the screen, painted
// with today's report and picture, measured side by side with a bare QMainWindow of the same size that holds
// none of the program's widgets. Run it under a display (bench/startup.sh starts Xvfb) in a data directory
// with pictures:
//   daywick-bench-startup [ROUNDS]      runs both kinds ROUNDS times each, alternately, and prints medians
//   daywick-bench-startup --full|--bare one start of that kind (what the rounds run)

#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QMainWindow>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Application.h"
#include "ProgramWindows.h"

namespace {

constexpr QSize kMainWindowSize(696, 462);

// Shows the window and returns once it is exposed and painted.
void showPainted(QWidget& window) {
    window.show();
    while (!window.windowHandle()->isExposed()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.repaint();
    QCoreApplication::processEvents();
}

int startOnce(int argc, char** argv, bool full) {
    daywick::ui::Application application(argc, argv);
    if (full) {
        daywick::ProgramWindows windows(daywick::ui::Services::system());
        showPainted(windows.form1);
    } else {
        // The main window's size, menu bar included, and nothing in it.
        QMainWindow bare;
        bare.setFixedSize(kMainWindowSize);
        showPainted(bare);
    }
    return 0;
}

double millisecondsOf(const char* self, const char* kind) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl(self, self, kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a %s start failed\n", kind);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--full") == 0) return startOnce(argc, argv, true);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return startOnce(argc, argv, false);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> full;
    std::vector<double> bare;
    millisecondsOf(argv[0], "--full");  // warm the caches once
    for (int i = 0; i < rounds; ++i) {
        full.push_back(millisecondsOf(argv[0], "--full"));
        bare.push_back(millisecondsOf(argv[0], "--bare"));
    }
    std::printf("start-up until painted, median of %d: program %.1f ms, bare window %.1f ms, ratio %.2f\n",
                rounds, median(full), median(bare), median(full) / median(bare));
    return 0;
}
