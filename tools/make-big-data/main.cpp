// Writes a large, valid data directory for measuring the day report pass: about two million records over
// the five files, spread over all 366 days, with Japanese texts of realistic length.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "daywick/datafile.h"
#include "daywick/sjis.h"

namespace {

constexpr int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

struct Day {
    int month;
    int day;
};

std::vector<Day> allDays() {
    std::vector<Day> days;
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= kDaysInMonth[month - 1]; ++day) days.push_back({month, day});
    }
    return days;
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// Random Japanese text of whole two-byte characters, within a byte budget.
class TextMaker {
public:
    TextMaker() {
        const std::string pool = daywick::sjis(
            "日本の記念日祭りが行われる年月時代小説家作曲家画家科学者生まれ世界初開業創立発表開通桜梅菊"
            "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん"
            "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン");
        for (std::size_t i = 0; i + 1 < pool.size(); i += 2) characters_.push_back(pool.substr(i, 2));
    }
    std::string make(std::mt19937& random, int minBytes, int maxBytes) {
        std::uniform_int_distribution<int> length(minBytes / 2, maxBytes / 2);
        std::uniform_int_distribution<std::size_t> pick(0, characters_.size() - 1);
        std::string text;
        for (int n = length(random); n > 0; --n) text += characters_[pick(random)];
        return text;
    }

private:
    std::vector<std::string> characters_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: daywick-make-big-data DIR   (DIR must exist)\n";
        return 2;
    }
    const std::string dir = argv[1];
    const std::vector<Day> days = allDays();
    std::mt19937 random(20001010);
    TextMaker texts;
    std::uniform_int_distribution<std::size_t> anyDay(0, days.size() - 1);
    std::uniform_int_distribution<int> anyYear(1902, 2020);
    const std::string nen = daywick::sjis("年");

    auto writeFile = [&](const char* name, int records, auto makeRecord) {
        std::ofstream out(daywick::dataPath(dir, name), std::ios::binary | std::ios::trunc);
        for (int i = 0; i < records; ++i) out << makeRecord(days[anyDay(random)]) << "\r\n";
        if (!out) {
            std::cerr << "cannot write " << name << "\n";
            std::exit(1);
        }
    };
    writeFile(daywick::kEventFile, 520000, [&](const Day& d) {
        return twoDigits(d.month) + twoDigits(d.day) + "     " + texts.make(random, 16, 70);
    });
    writeFile(daywick::kMonthlyFile, 30000,
              [&](const Day& d) { return twoDigits(d.day) + "     " + texts.make(random, 16, 70); });
    writeFile(daywick::kBirthdayFile, 520000, [&](const Day& d) {
        return twoDigits(d.month) + twoDigits(d.day) + std::to_string(anyYear(random)) + nen +
               texts.make(random, 8, 40);
    });
    writeFile(daywick::kFlowerFile, 130000, [&](const Day& d) {
        return twoDigits(d.month) + twoDigits(d.day) + texts.make(random, 10, 50);
    });
    writeFile(daywick::kHistoryFile, 800000, [&](const Day& d) {
        return std::to_string(anyYear(random)) + "/" + twoDigits(d.month) + "/" + twoDigits(d.day) + "  " +
               texts.make(random, 20, 90);
    });
    return 0;
}
