// Start-up time of the program, from the process's start until its main window is on the screen, painted
// with today's report and picture, measured side by side with a bare Qt window: Qt's QApplication and a
// QMainWindow of the same size that holds nothing (no menu bar, no widgets). A third kind shows what the
// splash alone costs: the program's application object and its splash, painted and released, then the same
// bare window; no program can start faster than that and still show its splash first. The child tells the
// parent through a pipe when its window is painted, so that its teardown is not counted. All kinds are this
// same program, so each also loads the program's libraries (about 4 ms of the dynamic loader). Run it under
// a display (bench/startup.sh starts Xvfb) in a data directory with pictures:
//   daywick-bench-startup [ROUNDS]              runs each kind ROUNDS times, in turn, and prints medians
//   daywick-bench-startup --full|--bare|--splash one start of that kind (what the rounds run)

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
#include "SplashWin.h"

namespace {

constexpr QSize kMainWindowSize(696, 462);

// Shows the window and returns once it is exposed and painted.
void showPainted(QWidget& window) {
    window.show();
    while (!window.windowHandle()->isExposed()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    window.repaint();
    QCoreApplication::processEvents();
}

// The pipe's end on which a child tells its parent that its window is painted.
constexpr int kPaintedFd = 3;

void tellPainted() {
    const char done = 1;
    if (write(kPaintedFd, &done, 1) != 1) std::_Exit(2);
}

int startProgram(int argc, char** argv) {
    daywick::ui::Application application(argc, argv);
    daywick::ProgramWindows windows(daywick::ui::Services::system());
    showPainted(windows.form1);
    tellPainted();
    return 0;
}

// Qt's own application and a QMainWindow of the main window's size with nothing in it.
int startBare(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow bare;
    bare.setFixedSize(kMainWindowSize);
    showPainted(bare);
    tellPainted();
    return 0;
}

// The program's application and splash, shown and painted as start-up shows it, then the bare window.
int startSplashOnly(int argc, char** argv) {
    daywick::ui::Application application(argc, argv);
    QMainWindow bare;
    bare.setFixedSize(kMainWindowSize);
    auto* splash = new daywick::TForm5;
    splash->showPainted();
    splash->release();
    showPainted(bare);
    tellPainted();
    return 0;
}

double millisecondsOf(const char* self, const char* kind) {
    int painted[2];
    if (pipe(painted) != 0) std::exit(1);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        close(painted[0]);
        dup2(painted[1], kPaintedFd);
        execl(self, self, kind, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(painted[1]);
    char done = 0;
    const bool told = read(painted[0], &done, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(painted[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!told || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a %s start failed\n", kind);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--full") == 0) return startProgram(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) return startBare(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--splash") == 0) return startSplashOnly(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::vector<double> full;
    std::vector<double> bare;
    std::vector<double> splashOnly;
    millisecondsOf(argv[0], "--full");  // warm the caches once
    for (int i = 0; i < rounds; ++i) {
        full.push_back(millisecondsOf(argv[0], "--full"));
        bare.push_back(millisecondsOf(argv[0], "--bare"));
        splashOnly.push_back(millisecondsOf(argv[0], "--splash"));
    }
    std::printf("start-up until painted, median of %d: program %.1f ms, bare window %.1f ms, ratio %.2f\n",
                rounds, median(full), median(bare), median(full) / median(bare));
    std::printf("the splash alone before the bare window: %.1f ms, ratio %.2f\n", median(splashOnly),
                median(splashOnly) / median(bare));
    return 0;
}
