#include "holidayrules.h"

#include <array>
#include <string_view>

#include "daynumber.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

enum Holiday : std::int8_t {
    kNone = -1,
    kNewYear,
    kComingOfAge,
    kFoundation,
    kEmperorsBirthday,
    kSpringEquinox,
    kShowa,
    kGreenery,
    kConstitution,
    kChildren,
    kMarine,
    kMountain,
    kRespectForTheAged,
    kAutumnEquinox,
    kHealthAndSports,
    kSports,
    kCulture,
    kLabourThanksgiving,
    kSubstitute,
    kCitizens,
    kAkihitoWedding,
    kShowaFuneral,
    kEnthronementCeremony,
    kNaruhitoWedding,
    kAccession,
    kHolidayCount
};

constexpr std::array<std::string_view, kHolidayCount> kNames = {
    "元日",
    "成人の日",
    "建国記念の日",
    "天皇誕生日",
    "春分の日",
    "昭和の日",
    "みどりの日",
    "憲法記念日",
    "こどもの日",
    "海の日",
    "山の日",
    "敬老の日",
    "秋分の日",
    "体育の日",
    "スポーツの日",
    "文化の日",
    "勤労感謝の日",
    "振替休日",
    "国民の休日",
    "皇太子明仁親王の結婚の儀",
    "昭和天皇の大喪の礼",
    "即位礼正殿の儀",
    "皇太子徳仁親王の結婚の儀",
    "天皇の即位の日",
};

// Days that a law of their own made holidays, once.
struct OneOffDay {
    CivilDate date;
    Holiday holiday;
};
constexpr OneOffDay kOneOffDays[] = {
    {{1959, 4, 10}, kAkihitoWedding}, {{1989, 2, 24}, kShowaFuneral}, {{1990, 11, 12}, kEnthronementCeremony},
    {{1993, 6, 9}, kNaruhitoWedding}, {{2019, 5, 1}, kAccession},     {{2019, 10, 22}, kEnthronementCeremony},
};

constexpr CivilDate kLawInForce{1948, 7, 20};
constexpr CivilDate kSubstitutesFrom{1973, 4, 12};
constexpr CivilDate kCitizensHolidayFrom{1985, 12, 27};
// From 2007 a substitute holiday is the first day after the Sunday that is not a holiday itself; before, only
// the Monday.
constexpr int kLaterSubstitutesFrom = 2007;

// The holidays the law names by date or by weekday.
void namedHolidays(int year, int springEquinoxDay, int autumnEquinoxDay, std::vector<std::int8_t>& days) {
    const int first = dayNumber({year, 1, 1});
    const auto on = [&](int month, int day, Holiday holiday) {
        days[dayNumber({year, month, day}) - first] = holiday;
    };
    const auto monday = [year](int month, int n) { return nthWeekday(year, month, kMonday, n); };

    if (year >= 1949) {
        on(1, 1, kNewYear);
        on(1, year >= 2000 ? monday(1, 2) : 15, kComingOfAge);
        days[springEquinoxDay - first] = kSpringEquinox;
        on(5, 3, kConstitution);
        on(5, 5, kChildren);
    }
    if (year >= 1967) on(2, 11, kFoundation);
    if (year >= 1949 && year <= 1988) on(4, 29, kEmperorsBirthday);
    if (year >= 1989 && year <= 2018) on(12, 23, kEmperorsBirthday);
    if (year >= 2020) on(2, 23, kEmperorsBirthday);
    if (year >= 1989 && year <= 2006) on(4, 29, kGreenery);
    if (year >= 2007) {
        on(4, 29, kShowa);
        on(5, 4, kGreenery);
    }
    // The Tokyo Olympics moved three holidays in 2020 and, postponed, again in 2021.
    if (year >= 1996 && year <= 2002) on(7, 20, kMarine);
    if (year == 2020) on(7, 23, kMarine);
    if (year == 2021) on(7, 22, kMarine);
    if (year >= 2003 && year != 2020 && year != 2021) on(7, monday(7, 3), kMarine);
    if (year >= 2016 && year != 2020 && year != 2021) on(8, 11, kMountain);
    if (year == 2020) on(8, 10, kMountain);
    if (year == 2021) on(8, 8, kMountain);
    if (year >= 1966 && year <= 2002) on(9, 15, kRespectForTheAged);
    if (year >= 2003) on(9, monday(9, 3), kRespectForTheAged);
    days[autumnEquinoxDay - first] = kAutumnEquinox;
    if (year >= 1966 && year <= 1999) on(10, 10, kHealthAndSports);
    if (year >= 2000 && year <= 2019) on(10, monday(10, 2), kHealthAndSports);
    if (year == 2020) on(7, 24, kSports);
    if (year == 2021) on(7, 23, kSports);
    if (year >= 2022) on(10, monday(10, 2), kSports);
    on(11, 3, kCulture);
    on(11, 23, kLabourThanksgiving);
    for (const OneOffDay& oneOff : kOneOffDays) {
        if (oneOff.date.year == year) on(oneOff.date.month, oneOff.date.day, oneOff.holiday);
    }
}

}  // namespace

int nthWeekday(int year, int month, int weekday, int n) {
    const int firstWeekday = weekdayOfDay(dayNumber({year, month, 1}));
    return 1 + (weekday - firstWeekday + 7) % 7 + 7 * (n - 1);
}

const std::vector<std::string>& holidayNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> encoded;
        encoded.reserve(kNames.size());
        for (std::string_view name : kNames) encoded.push_back(sjis(name));
        return encoded;
    }();
    return names;
}

std::vector<std::int8_t> holidaysOfYear(int year, int springEquinoxDay, int autumnEquinoxDay) {
    const int first = dayNumber({year, 1, 1});
    const int size = dayNumber({year + 1, 1, 1}) - first;
    std::vector<std::int8_t> days(static_cast<std::size_t>(size), kNone);
    // The law came into force on 20 July 1948, when only its autumn holidays were still to come that year.
    if (year < kLawInForce.year) return days;
    namedHolidays(year, springEquinoxDay, autumnEquinoxDay, days);

    // Only the holidays named so far count as 国民の祝日 for the two rules below.
    const std::vector<std::int8_t> named = days;
    const auto isNamed = [&](int i) { return named[i] != kNone; };
    const auto isSunday = [&](int i) { return weekdayOfDay(first + i) == kSunday; };

    for (int i = 0; i < size; ++i) {
        if (!isNamed(i) || !isSunday(i) || first + i < dayNumber(kSubstitutesFrom)) continue;
        int next = i + 1;
        if (year >= kLaterSubstitutesFrom) {
            while (next < size && isNamed(next)) ++next;
        }
        if (next < size && days[next] == kNone) days[next] = kSubstitute;
    }
    for (int i = 1; i + 1 < size; ++i) {
        if (first + i < dayNumber(kCitizensHolidayFrom) || days[i] != kNone || isSunday(i)) continue;
        if (isNamed(i - 1) && isNamed(i + 1)) days[i] = kCitizens;
    }
    return days;
}

}  // namespace daywick
