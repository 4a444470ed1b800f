// Writes a large, valid data directory for measuring the day report pass: about two million records over
// the five files, spread over all 366 days, with Japanese texts of realistic length.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "daywick/datafile.h"
#include "daywick/records.h"
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

// Puts a value at a 1-based column of a record, blanks before it where the record is still shorter.
void put(std::string& record, std::size_t column, std::string_view value) {
    if (record.size() < column - 1 + value.size()) record.resize(column - 1 + value.size(), ' ');
    record.replace(column - 1, value.size(), value);
}

// A record of a file in the columns records.h gives it: its keys, a field of its own (a year) and its text.
std::string record(const daywick::RecordLayout& layout, const Day& d, const std::string& text,
                   std::size_t fieldColumn = 0, std::string_view field = {}) {
    std::string bytes;
    if (layout.monthKey != 0) put(bytes, layout.monthKey, twoDigits(d.month));
    put(bytes, layout.dayKey, twoDigits(d.day));
    if (fieldColumn != 0) put(bytes, fieldColumn, field);
    put(bytes, layout.text.start, text);
    return bytes;
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

    auto writeFile = [&](const daywick::RecordLayout& layout, int records, auto makeRecord) {
        std::ofstream out(daywick::dataPath(dir, layout.file), std::ios::binary | std::ios::trunc);
        for (int i = 0; i < records; ++i) out << makeRecord(layout, days[anyDay(random)]) << daywick::kCrLf;
        if (!out) {
            std::cerr << "cannot write " << layout.file << "\n";
            std::exit(1);
        }
    };
    using daywick::RecordLayout;
    const auto plain = [&](int minBytes, int maxBytes) {
        return [&, minBytes, maxBytes](const RecordLayout& layout, const Day& d) {
            return record(layout, d, texts.make(random, minBytes, maxBytes));
        };
    };
    writeFile(daywick::kEventRecord, 520000, plain(16, 70));
    writeFile(daywick::kMonthlyRecord, 30000, plain(16, 70));
    writeFile(daywick::kBirthdayRecord, 520000, [&](const RecordLayout& layout, const Day& d) {
        const std::string year = std::to_string(anyYear(random)) + std::string(daywick::kYearMark);
        return record(layout, d, texts.make(random, 8, 40), daywick::kBirthYearAndMark.start, year);
    });
    writeFile(daywick::kFlowerRecord, 130000, plain(10, 50));
    writeFile(daywick::kHistoryRecord, 800000, [&](const RecordLayout& layout, const Day& d) {
        const std::string year = std::to_string(anyYear(random));
        return record(layout, d, texts.make(random, 20, 90), daywick::kHistoryYear.start, year);
    });
    return 0;
}
