#pragma once
// The selected date and the start-up date. The data files are matched as text, so each date is kept as the
// three texts the files use: a four-digit year, a two-digit month and a two-digit day.

#include <cstdint>
#include <string>

namespace daywick {

/// A day of the proleptic Gregorian calendar.
struct CivilDate {
    int year = 1;
    int month = 1;
    int day = 1;
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

/// A local date and time of day, as the clock gives it.
struct LocalDateTime {
    CivilDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

/// Where "now" comes from; tests put a fixed clock in its place.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

/// The local date and time of a moment given in seconds since 1970 (UTC), in whole seconds so that no year
/// overflows; held to the years 1 to 9999 that the calendar shows (a moment past them gives their end).
LocalDateTime localTimeAt(std::int64_t secondsSinceEpoch);

/// The machine's local time (localTimeAt the system's clock).
class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
};

/// A clock that always tells the same time.
class FixedClock : public Clock {
public:
    explicit FixedClock(LocalDateTime time) : time_(time) {}
    LocalDateTime now() const override { return time_; }
    void set(LocalDateTime time) { time_ = time; }

private:
    LocalDateTime time_;
};

/// The three texts of a date: year "2001", month "01", day "05".
struct DateTexts {
    std::string year;
    std::string month;
    std::string day;
    friend bool operator==(const DateTexts&, const DateTexts&) = default;
};

/// The date the three texts name (the texts of a DaySelection always convert).
CivilDate civilDateOf(const DateTexts& texts);

/// The date formatted "yyyymmdd": year of at least four digits, month and day of two.
std::string formatYyyymmdd(const CivilDate& date);

/// True for a date that exists in the Gregorian calendar (years 1 to 9999).
bool isValidDate(const CivilDate& date);

/// The clock line: "ただいまの時刻は" + designator + hour (12-hour clock) + "時" + minutes + "分" + seconds +
/// "秒です。", no leading zeros; the designators are Shift_JIS ("am" and "pm" where they are empty).
std::string clockLine(const LocalDateTime& time, const std::string& morning, const std::string& afternoon);

/// The day being shown and the day the program started.
class DaySelection {
public:
    /// Today, as the clock told it once at start-up, into the selected date and (once per run) the start-up
    /// date.
    void InitFromClock(const LocalDateTime& now);
    /// The calendar's date into the selected date; the start-up date stays.
    void SelectFromCalendar(const CivilDate& calendarDate);
    /// "ただいまMM月DD日のデータを表示しています。" in Shift_JIS, with the selected month and day.
    std::string StatusText() const;

    const DateTexts& selected() const { return selected_; }
    const DateTexts& startup() const { return startup_; }

private:
    DateTexts selected_;
    DateTexts startup_;
    bool startupSet_ = false;
};

}  // namespace daywick
