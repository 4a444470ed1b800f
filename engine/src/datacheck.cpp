#include "daywick/datacheck.h"

#include "daynumber.h"

#include <array>
#include <cstring>
#include <map>
#include <set>

#include "daywick/datafile.h"
#include "daywick/dates.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"
#include "daywick/koyomi.h"
#include "daywick/records.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

// A record longer than this is checked over its first bytes only; no text column reaches that far.
constexpr std::size_t kCheckedBytes = std::size_t{64} * 1024;

bool twoDigits(std::string_view key) {
    return key.size() == 2 && key[0] >= '0' && key[0] <= '9' && key[1] >= '0' && key[1] <= '9';
}

int valueOf(std::string_view key) {
    return (key[0] - '0') * 10 + (key[1] - '0');
}

// The reason a record's keys can never equal a selected date's texts, or empty when they can.
std::string keyProblem(const RecordLayout& layout, std::string_view record) {
    const std::string_view day = column(record, layout.dayKey, kKeyBytes);
    if (layout.monthKey == 0) {
        if (!twoDigits(day) || valueOf(day) < 1 || valueOf(day) > 31) {
            return sjis("日のキー「") + std::string(day) + sjis("」はどの日とも一致しません");
        }
        return {};
    }
    const std::string_view month = column(record, layout.monthKey, kKeyBytes);
    if (!twoDigits(month) || !twoDigits(day)) {
        return sjis("月日のキー「") + std::string(month) + "/" + std::string(day) +
               sjis("」は2けたの半角数字ではないため、どの日とも一致しません");
    }
    // 2000 is a leap year, so 0229 counts as a date some year has.
    if (!isValidDate({2000, valueOf(month), valueOf(day)})) {
        return sjis("月日「") + std::string(month) + "/" + std::string(day) +
               sjis("」はどの年にもない日付です");
    }
    return {};
}

// The first byte where the text stops being valid Shift_JIS, or npos.
std::size_t invalidSjisAt(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte(byte)) {
            if (!isDoubleByteChar(text, i)) return i;
            if (sjisToUtf8(text.substr(i, 2)) == "\xEF\xBF\xBD") return i;
            ++i;
        } else if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::string shown(std::string_view record) {
    // Quoted as it stands, cut to a readable length at a character boundary.
    std::string text;
    for (std::size_t i = 0; i < record.size() && text.size() < 60;) {
        const std::size_t length = charLength(record, i);
        text.append(record.substr(i, length));
        i += length;
    }
    if (text.size() < record.size()) text += "...";
    return sjis("「") + text + sjis("」");
}

// The month-and-day keys ("MMDD") on which the engine computes each name in some year of its range. Worked
// out once, only when a record names a computed day: it walks every day of every year, a fraction of a
// second.
const std::map<std::string, std::set<std::string>>& computedDates() {
    static const std::map<std::string, std::set<std::string>> dates = [] {
        std::map<std::string, std::set<std::string>> found;
        for (int year = kFirstComputedYear; year <= kLastComputedYear; ++year) {
            for (CivilDate date{year, 1, 1}; date.year == year; date = civilDate(dayNumber(date) + 1)) {
                const std::string key = formatYyyymmdd(date).substr(4);
                for (const ComputedItem& item : computedDay(date)) found[item.name].insert(key);
            }
        }
        return found;
    }();
    return dates;
}

// The computed day a fixed-date record repeats: its text is a computed day's name, alone or before a note
// or a blank, on a day the engine gives that name in some year. Empty when it repeats none.
std::string repeatedComputedDay(std::string_view record) {
    const std::string_view text = column(record, kEventRecord.text);
    static const std::string wideBlank = sjis("　"), note = sjis("（");
    for (const std::string& name : computedDayNames()) {
        if (!text.starts_with(name)) continue;
        const std::string_view after = text.substr(name.size());
        if (!after.empty() && !after.starts_with(' ') && !after.starts_with(note) &&
            !after.starts_with(wideBlank))
            continue;
        const auto dates = computedDates().find(name);
        const std::string key(column(record, kEventRecord.monthKey, 2 * kKeyBytes));
        if (dates != computedDates().end() && dates->second.contains(key)) return name;
    }
    return {};
}

// Byte-level facts about a file that the record reader hides: lone LFs, and data behind a Ctrl-Z.
struct RawScan {
    long firstLoneLineFeedRecord = 0;  // the record holding it, 0 if none
    bool dataAfterCtrlZ = false;
    long ctrlZRecord = 0;
};

RawScan scanRaw(const std::string& path) {
    InputFile file(path);
    RawScan scan;
    char buffer[64 * 1024];
    long record = 1;
    char previous = 0;
    bool ctrlZ = false;
    for (std::size_t got; (got = file.read(buffer, sizeof buffer)) > 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            const char byte = buffer[i];
            if (ctrlZ) {
                scan.dataAfterCtrlZ = true;
                return scan;
            }
            if (byte == kCtrlZ) {
                ctrlZ = true;
                scan.ctrlZRecord = record;
            } else if (byte == '\n' && previous != '\r' && scan.firstLoneLineFeedRecord == 0) {
                scan.firstLoneLineFeedRecord = record;
            } else if (byte == '\r') {
                ++record;
            }
            previous = byte;
        }
    }
    return scan;
}

// Hands a file's problems on as they are found, the first ones whole and the rest only counted.
class FileProblems {
public:
    FileProblems(const char* file, const std::function<void(const DataProblem&)>& report, std::size_t most)
        : file_(file), report_(report), most_(most) {}

    void operator()(long line, std::string message) {
        if (++found_ <= most_) report_({file_, line, std::move(message)});
    }

    // Says how many went untold; returns all that were found.
    std::size_t finish() const {
        if (found_ > most_) {
            report_({file_, 0,
                     sjis("ほかに ") + std::to_string(found_ - most_) + sjis(" 件の問題があります（最初の ") +
                         std::to_string(most_) + sjis(" 件だけを示しました）")});
        }
        return found_;
    }

private:
    const char* file_;
    const std::function<void(const DataProblem&)>& report_;
    std::size_t most_;
    std::size_t found_ = 0;
};

// What is wrong with a birthday record's death mark, or empty: the pass takes a malformed one for none and
// shows an age.
std::string deathMarkProblem(std::string_view record, std::string_view shownText, int currentYear) {
    const DeathMark mark = deathMarkOf(shownText);
    if (mark.kind == DeathMark::Kind::Malformed) {
        return sjis(
                   "没年の書き方が正しくありません。名前の最後に「（…、1916年没）」のように半角数字で書きます"
                   "（このままでは年齢が表示されます） ") +
               shown(record);
    }
    if (mark.kind != DeathMark::Kind::Valid) return {};
    if (mark.year > currentYear) {
        return sjis("没年 ") + std::to_string(mark.year) + sjis(" 年は今年より後です ") + shown(record);
    }
    const std::optional<std::int32_t> born = birthYearOf(record).year;
    if (born && mark.year < *born) {
        return sjis("没年 ") + std::to_string(mark.year) + sjis(" 年が生まれ年 ") + std::to_string(*born) +
               sjis(" 年より前です ") + shown(record);
    }
    return {};
}

// How much of each day's three panels the records fill, as the pass fills them, so that a day whose records
// a panel cannot all show is told at the record that goes past it. The computed days are not counted and an
// age counts at its longest: a few bytes either way in a megabyte.
class PanelFill {
public:
    // The days a record's piece lands on (every month for a monthly record) where it fills its panel past
    // what the panel shows, each only the first time.
    std::vector<CivilDate> add(const RecordLayout& layout, std::string_view record) {
        const std::string_view day = column(record, layout.dayKey, kKeyBytes);
        std::vector<CivilDate> overflowing;
        for (int month = 1; month <= 12; ++month) {
            if (layout.monthKey != 0 && valueOf(column(record, layout.monthKey, kKeyBytes)) != month)
                continue;
            std::uint64_t& filled =
                bytes_[static_cast<std::size_t>(month)][static_cast<std::size_t>(valueOf(day))]
                      [static_cast<std::size_t>(panelOf(layout))];
            const bool before = full(filled);
            filled += pieceBytes(layout, record);
            if (!before && full(filled)) overflowing.push_back({2000, month, valueOf(day)});
        }
        return overflowing;
    }

    static const std::string& panelName(const RecordLayout& layout) { return panelHeading(panelOf(layout)); }

private:
    static Panel panelOf(const RecordLayout& layout) {
        if (layout.file == kEventRecord.file || layout.file == kMonthlyRecord.file) return Panel::Events;
        if (layout.file == kHistoryRecord.file) return Panel::History;
        return Panel::Birthdays;
    }

    static bool full(std::uint64_t filled) { return filled + panelFullLine().size() > kPanelCapacity; }

    // The piece's length: the indent, the texts, the year and "年 " of a history record or a birthday's
    // year, "年", blank and age, and CR LF.
    static std::uint64_t pieceBytes(const RecordLayout& layout, std::string_view record) {
        constexpr std::size_t kIndentAndLineEnd = 4;
        constexpr std::size_t kLongestAge = 6;  // "(99歳)"
        if (layout.file == kHistoryRecord.file) {
            return kIndentAndLineEnd + kHistoryYear.maxBytes + 3 + column(record, layout.text).size();
        }
        if (layout.file == kBirthdayRecord.file) {
            if (isMarkerRecord(record)) return kIndentAndLineEnd - 1 + column(record, kMarkerText).size();
            return kIndentAndLineEnd + kBirthYearAndMark.maxBytes + 1 + column(record, layout.text).size() +
                   kLongestAge;
        }
        return kIndentAndLineEnd + column(record, layout.text).size();
    }

    std::array<std::array<std::array<std::uint64_t, 3>, 32>, 13> bytes_{};
};

std::size_t checkFile(const std::string& dataDir, const RecordLayout& layout, int currentYear,
                      const std::function<void(const DataProblem&)>& reportProblem, std::size_t most,
                      PanelFill& fill) {
    const std::string path = dataPath(dataDir, layout.file);
    const bool birthdays = layout.file == kBirthdayRecord.file;
    FileProblems report(layout.file, reportProblem, most);
    try {
        const RawScan raw = scanRaw(path);
        if (raw.firstLoneLineFeedRecord != 0) {
            report(raw.firstLoneLineFeedRecord,
                   sjis("行末が LF だけです（CR LF ではありません）。次の CR までが1件として読まれます"));
        }
        if (raw.dataAfterCtrlZ) {
            report(raw.ctrlZRecord, sjis("Ctrl-Z (0x1A) の後ろにあるデータは読まれません"));
        }

        InputFile file(path);
        LineReader reader(file, kCheckedBytes);
        long line = 0;
        while (const std::optional<std::string_view> next = reader.next()) {
            const std::string_view record = *next;
            ++line;
            if (line == 1) {
                try {
                    refuseForeignEncoding(layout.file, record);
                } catch (const InOutError& error) {
                    report(line, error.what());
                }
            }
            if (record.empty()) {
                report(line, birthdays ? sjis("空の行です（誕生日のファイルでは毎回の表示が失敗します）")
                                       : sjis("空の行です"));
                continue;
            }
            const std::string problem = keyProblem(layout, record);
            if (!problem.empty()) {
                report(line, problem + " " + shown(record));
            } else {
                for (const CivilDate& day : fill.add(layout, record)) {
                    const std::string monthAndDay = formatYyyymmdd(day).substr(4);
                    report(line, sjis("この記録で ") + monthAndDay.substr(0, 2) + "/" +
                                     monthAndDay.substr(2) + sjis(" の「") + PanelFill::panelName(layout) +
                                     sjis("」欄が表示できる ") + std::to_string(kPanelCapacity >> 20) +
                                     sjis(" MB を超えます。この日のこれより後の記録は表示されません"));
                }
            }
            if (problem.empty() && layout.file == kEventRecord.file) {
                if (const std::string name = repeatedComputedDay(record); !name.empty()) {
                    report(line,
                           sjis("「") + name +
                               sjis("」はプログラムが計算して表示する日です。この記録と二重に表示されます ") +
                               shown(record));
                }
            }
            TextColumn text = layout.text;
            if (birthdays) {
                const BirthYear born = birthYearOf(record);
                if (born.marker) {
                    text = kMarkerText;
                } else if (born.bad()) {
                    report(line, sjis("生まれ年（") + std::to_string(kBirthYear.start) + sjis("～") +
                                     std::to_string(kBirthYear.end()) + sjis("バイト目）「") +
                                     std::string(column(record, kBirthYear)) +
                                     sjis("」が整数ではありません。どの日を選んでも表示が失敗します ") +
                                     shown(record));
                }
                const std::string_view shownText = column(record, text);
                if (std::string mark = deathMarkProblem(record, shownText, currentYear); !mark.empty())
                    report(line, mark);
            }
            if (const std::size_t bad = invalidSjisAt(record); bad != std::string_view::npos) {
                report(line, sjis("Shift_JIS として正しくないバイトがあります（") + std::to_string(bad + 1) +
                                 sjis("バイト目）"));
            }
            // The whole record's length counts, not the head the reader kept of it.
            const std::size_t length = reader.recordLength();
            const std::size_t textBytes = length >= text.start ? length - text.start + 1 : 0;
            if (textBytes > text.maxBytes) {
                report(line, sjis("テキストが") + std::to_string(text.maxBytes) +
                                 sjis("バイトを超えています（") + std::to_string(textBytes) +
                                 sjis("バイト）。画面では切れます ") + shown(record));
            }
        }
    } catch (const Error& error) {
        report(0, error.what());
    }
    return report.finish();
}

}  // namespace

std::size_t checkDataDirectory(const std::string& dataDir, int currentYear,
                               const std::function<void(const DataProblem&)>& report,
                               std::size_t maxPerFile) {
    std::size_t found = 0;
    PanelFill fill;
    for (const RecordLayout& layout : kRecordLayouts)
        found += checkFile(dataDir, layout, currentYear, report, maxPerFile, fill);
    return found;
}

std::vector<DataProblem> checkDataDirectory(const std::string& dataDir, int currentYear) {
    std::vector<DataProblem> problems;
    checkDataDirectory(dataDir, currentYear,
                       [&](const DataProblem& problem) { problems.push_back(problem); });
    return problems;
}

}  // namespace daywick
