// Time and peak memory of loadJpeg for each hostile picture, each in a child process of its own so that its
// peak is its own. Arguments, if any, pick the cases by name.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "HostileJpeg.h"
#include "JpegPicture.h"
#include "daywick/errors.h"

namespace {

using namespace daywick::testing;

struct Case {
    const char* name;
    std::function<std::string()> make;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        // The hostile pictures.
        {"progressive-65500x65500", [] { return progressiveGreyJpeg(65500, 65500); }},
        {"progressive-30000x30000", [] { return progressiveGreyJpeg(30000, 30000); }},
        {"progressive-65500x65500-header", [] { return progressiveGreyJpeg(65500, 65500, 0, 600); }},
        {"scans-883-4000x4000", [] { return progressiveGreyJpeg(4000, 4000, 882); }},
        {"scans-883-2000x2000", [] { return progressiveGreyJpeg(2000, 2000, 882); }},
        {"scans-883-colour-1000x1000", [] { return manyScanJpeg(1000, 1000, 883); }},
        {"baseline-65500x65500", [] { return flatBaselineJpeg(65500, 65500); }},
        {"truncated-2000x2000", [] { return colourJpeg(2000, 2000, false).substr(0, 20000); }},
        // The worst the limits let through.
        {"progressive-5016x5016-21-scans", [] { return progressiveGreyJpeg(5016, 5016, 20); }},
        {"progressive-noise-4720x3552", [] { return noiseJpeg(4720, 3552, true, 90); }},
        {"progressive-noise-2560x2560-444", [] { return noiseJpeg(2560, 2560, true, 100, false); }},
        {"baseline-16384x16384-colour", [] { return flatBaselineJpeg(16384, 16384, 3); }},
        {"baseline-noise-4000x4000-444", [] { return noiseJpeg(4000, 4000, false, 90, false); }},
        // Ordinary pictures.
        {"baseline-10000x10000", [] { return colourJpeg(10000, 10000, false); }},
        {"progressive-colour-4000x3000", [] { return colourJpeg(4000, 3000, true, 95); }},
    };
    return all;
}

void run(const Case& c, const std::filesystem::path& dir) {
    const std::filesystem::path path = dir / (std::string(c.name) + ".jpg");
    // The picture is made in a child of its own too: memory the maker leaves behind would count as the
    // decoder's peak in a child forked later.
    if (const pid_t maker = fork(); maker == 0) {
        const std::string bytes = c.make();
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        _exit(0);
    } else {
        waitpid(maker, nullptr, 0);
    }
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        const auto start = std::chrono::steady_clock::now();
        std::string outcome;
        try {
            const QImage picture = daywick::ui::loadJpeg(path.string(), {161, 145});
            outcome = "decoded " + std::to_string(picture.width()) + "x" + std::to_string(picture.height());
        } catch (const daywick::Error&) {
            outcome = "refused";
        }
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        char line[200];
        const int length = std::snprintf(line, sizeof line, "%-16s %10.1f ms", outcome.c_str(), ms);
        if (write(pipeFds[1], line, static_cast<std::size_t>(length)) < 0) _exit(2);
        _exit(0);
    }
    close(pipeFds[1]);
    char line[200] = {};
    const ssize_t got = read(pipeFds[0], line, sizeof line - 1);
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("%-32s %10.1f KB  %s  %8.1f MB peak\n", c.name,
                static_cast<double>(std::filesystem::file_size(path)) / 1024, got > 0 ? line : "(crashed)",
                static_cast<double>(usage.ru_maxrss) / 1024);
    std::fflush(stdout);
    std::filesystem::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("daywick-bench-jpeg-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (const Case& c : cases()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) wanted = wanted || c.name == std::string(argv[i]);
        if (wanted) run(c, dir);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
