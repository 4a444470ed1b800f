// Writes the engine's table of the sun's and the moon's instants (instants_table.cpp) for the years
// kFirstTabledYear to kLastTabledYear, from the engine's own astronomy, when the program is built.
// usage: daywick-make-instants OUTPUT.cpp

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "daywick/astronomy.h"

namespace {

using daywick::SolarYear;

// Every double in hexadecimal, which the compiler reads back bit for bit.
std::string exact(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: daywick-make-instants OUTPUT.cpp\n");
        return 2;
    }
    const int first = daywick::kFirstTabledYear, count = daywick::kLastTabledYear - first + 1;
    std::vector<SolarYear> years(static_cast<std::size_t>(count));
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
    for (unsigned w = 0; w < std::max(1u, std::thread::hardware_concurrency()); ++w) {
        workers.emplace_back([&] {
            for (int i; (i = next++) < count;)
                years[static_cast<std::size_t>(i)] = daywick::computeSolarYear(first + i);
        });
    }
    for (std::thread& worker : workers) worker.join();

    const std::string path = argv[1], temporary = path + ".part";
    std::FILE* out = std::fopen(temporary.c_str(), "w");
    if (!out) {
        std::perror(temporary.c_str());
        return 1;
    }
    std::fprintf(out, "// Made by daywick-make-instants when the program was built; not to be edited.\n");
    std::fprintf(out, "#include \"instants_table.h\"\n\nnamespace daywick::table {\n\n");
    std::fprintf(out, "const std::uint32_t kStepStart[kYears + 1] = {");
    std::size_t steps = 0;
    for (const SolarYear& year : years) {
        std::fprintf(out, "%zu,", steps);
        steps += year.steps.size();
    }
    std::fprintf(out, "%zu};\n\nconst double kStepAt[] = {\n", steps);
    for (const SolarYear& year : years) {
        for (const daywick::SunStep& step : year.steps) std::fprintf(out, "%s,", exact(step.jdUt).c_str());
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "};\n\nconst std::uint8_t kStep[] = {\n");
    for (const SolarYear& year : years) {
        for (const daywick::SunStep& step : year.steps) std::fprintf(out, "%d,", step.step);
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "};\n\nconst double kMarks[kYears][kSeasonalMarks.size()] = {\n");
    for (const SolarYear& year : years) {
        std::fprintf(out, "{");
        for (double at : year.marks) std::fprintf(out, "%s,", exact(at).c_str());
        std::fprintf(out, "},\n");
    }
    std::fprintf(out, "};\n\nconst std::uint32_t kPhaseStart[kYears + 1] = {");
    std::size_t phases = 0;
    for (const SolarYear& year : years) {
        std::fprintf(out, "%zu,", phases);
        phases += year.phases.size();
    }
    std::fprintf(out, "%zu};\n\nconst double kPhaseAt[] = {\n", phases);
    for (const SolarYear& year : years) {
        for (const daywick::MoonPhase& phase : year.phases)
            std::fprintf(out, "%s,", exact(phase.jdUt).c_str());
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "};\n\nconst std::uint8_t kPhaseQuarter[] = {\n");
    for (const SolarYear& year : years) {
        for (const daywick::MoonPhase& phase : year.phases) std::fprintf(out, "%d,", phase.quarter);
        std::fprintf(out, "\n");
    }
    std::fprintf(out, "};\n\n}  // namespace daywick::table\n");
    if (std::fclose(out) != 0 || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::perror(path.c_str());
        return 1;
    }
    return 0;
}
