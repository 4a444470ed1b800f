#include "daywick/dates.h"

#include "daywick/intconv.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "daywick/sjis.h"

namespace daywick {

namespace {

// The calendar's first and last moments: a clock beyond them stays at the end it passed.
constexpr LocalDateTime kFirstMoment{{1, 1, 1}, 0, 0, 0};
constexpr LocalDateTime kLastMoment{{9999, 12, 31}, 23, 59, 59};

DateTexts textsOf(const CivilDate& date) {
    const std::string yyyymmdd = formatYyyymmdd(date);
    const std::size_t yearLength = yyyymmdd.size() - 4;
    return {yyyymmdd.substr(0, yearLength), yyyymmdd.substr(yearLength, 2),
            yyyymmdd.substr(yearLength + 2, 2)};
}

}  // namespace

LocalDateTime localTimeAt(std::int64_t secondsSinceEpoch) {
    const auto seconds = static_cast<std::time_t>(secondsSinceEpoch);
    std::tm local{};
    if (!::localtime_r(&seconds, &local)) return secondsSinceEpoch < 0 ? kFirstMoment : kLastMoment;
    const long year = long{local.tm_year} + 1900;
    if (year < kFirstMoment.date.year) return kFirstMoment;
    if (year > kLastMoment.date.year) return kLastMoment;
    return {
        {static_cast<int>(year), local.tm_mon + 1, local.tm_mday}, local.tm_hour, local.tm_min, local.tm_sec};
}

LocalDateTime SystemClock::now() const {
    // Whole seconds from the system: a nanosecond time point would overflow past the year 2262.
    timespec time{};
    ::clock_gettime(CLOCK_REALTIME, &time);
    return localTimeAt(time.tv_sec);
}

CivilDate civilDateOf(const DateTexts& texts) {
    return {strToInt(texts.year), strToInt(texts.month), strToInt(texts.day)};
}

std::string formatYyyymmdd(const CivilDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
    return text;
}

bool isValidDate(const CivilDate& date) {
    if (date.year < 1 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1) return false;
    const std::chrono::year_month_day ymd{std::chrono::year{date.year},
                                          std::chrono::month{unsigned(date.month)},
                                          std::chrono::day{unsigned(date.day)}};
    return ymd.ok();
}

std::string clockLine(const LocalDateTime& time, const std::string& morning, const std::string& afternoon) {
    const bool beforeNoon = time.hour < 12;
    std::string designator = beforeNoon ? morning : afternoon;
    if (designator.empty()) designator = beforeNoon ? "am" : "pm";
    const int hour = time.hour % 12 == 0 ? 12 : time.hour % 12;
    return sjis("ただいまの時刻は") + designator + std::to_string(hour) + sjis("時") +
           std::to_string(time.minute) + sjis("分") + std::to_string(time.second) + sjis("秒です。");
}

void DaySelection::InitFromClock(const LocalDateTime& now) {
    selected_ = textsOf(now.date);
    // The start-up date is the print date of every report of this run, even across midnight.
    if (!startupSet_) {
        startup_ = selected_;
        startupSet_ = true;
    }
}

void DaySelection::SelectFromCalendar(const CivilDate& calendarDate) {
    selected_ = textsOf(calendarDate);
}

std::string DaySelection::StatusText() const {
    return sjis("ただいま") + selected_.month + sjis("月") + selected_.day +
           sjis("日のデータを表示しています。");
}

}  // namespace daywick
