// Start-up time of the program, from the process's start until its main window is on the screen, painted
// with today's report and picture, measured side by side with a bare window holding the same widgets and no
// data. Run it under a display (bench/startup.sh starts Xvfb) in a data directory with pictures:
//   daywick-bench-startup [ROUNDS]      runs both kinds ROUNDS times each, alternately, and prints medians
//   daywick-bench-startup --full|--bare one start of that kind (what the rounds run)

#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
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

// The main window's widgets at their places, with nothing in them.
void buildBareWindow(QMainWindow& window) {
    auto* client = new QWidget(&window);
    client->setFixedSize(696, 441);
    window.setCentralWidget(client);
    for (const char* menu : {"ﾌｧｲﾙ(&F)", "登録(&E)", "ﾍﾙﾌﾟ(&H)"})
        window.menuBar()->addMenu(QString::fromUtf8(menu));
    const QRect labels[] = {{8, 0, 321, 19},   {344, 0, 345, 19},   {8, 24, 112, 19},   {344, 24, 89, 19},
                            {8, 216, 132, 19}, {344, 216, 112, 19}, {352, 56, 161, 145}};
    for (const QRect& place : labels) (new QLabel(client))->setGeometry(place);
    for (const QRect& place : {QRect(8, 48, 321, 161), QRect(8, 240, 321, 193), QRect(344, 240, 345, 193)}) {
        (new QPlainTextEdit(client))->setGeometry(place);
    }
    (new QCalendarWidget(client))->setGeometry(520, 56, 162, 143);
}

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
        QMainWindow bare;
        buildBareWindow(bare);
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
