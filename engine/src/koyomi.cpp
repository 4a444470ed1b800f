#include "daywick/koyomi.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "daynumber.h"
#include "daywick/astronomy.h"
#include "daywick/sjis.h"
#include "eras.h"
#include "holidayrules.h"
#include "rekichu.h"
#include "yearcache.h"

namespace daywick {

namespace {

constexpr int kFirstYear = kFirstComputedYear, kLastYear = kLastComputedYear;

// The 二十四節気 by the sun's longitude, 15 degrees apart from 春分 at 0.
constexpr std::array<std::string_view, 24> kTermNames = {
    "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};
constexpr int kSpringEquinox = 0, kSummerSolstice = 6, kAutumnBegins = 9, kAutumnEquinox = 12,
              kWinterSolstice = 18, kSpringBegins = 21;

// The 七十二候 as the national observatory's 略本暦 names them, from the first of 立春 (the sun at 315
// degrees), with their readings. Three characters have no Shift_JIS form: 睍睆 is written in kana as it is
// read (けんかん), 鱖 as 鮭, the fish the 候 means, and 雊 as 鳴, which it reads as here.
struct Kou {
    std::string_view name;
    std::string_view reading;
};
constexpr std::array<Kou, 72> kKou = {{
    {"東風解凍", "はるかぜこおりをとく"},
    {"黄鶯けんかん", "うぐいすなく"},
    {"魚上氷", "うおこおりをいずる"},
    {"土脉潤起", "つちのしょううるおいおこる"},
    {"霞始靆", "かすみはじめてたなびく"},
    {"草木萌動", "そうもくめばえいずる"},
    {"蟄虫啓戸", "すごもりむしとをひらく"},
    {"桃始笑", "ももはじめてさく"},
    {"菜虫化蝶", "なむしちょうとなる"},
    {"雀始巣", "すずめはじめてすくう"},
    {"桜始開", "さくらはじめてひらく"},
    {"雷乃発声", "かみなりすなわちこえをはっす"},
    {"玄鳥至", "つばめきたる"},
    {"鴻雁北", "こうがんかえる"},
    {"虹始見", "にじはじめてあらわる"},
    {"葭始生", "あしはじめてしょうず"},
    {"霜止出苗", "しもやんでなえいずる"},
    {"牡丹華", "ぼたんはなさく"},
    {"蛙始鳴", "かわずはじめてなく"},
    {"蚯蚓出", "みみずいずる"},
    {"竹笋生", "たけのこしょうず"},
    {"蚕起食桑", "かいこおきてくわをはむ"},
    {"紅花栄", "べにばなさかう"},
    {"麦秋至", "むぎのときいたる"},
    {"螳螂生", "かまきりしょうず"},
    {"腐草為螢", "くされたるくさほたるとなる"},
    {"梅子黄", "うめのみきばむ"},
    {"乃東枯", "なつかれくさかるる"},
    {"菖蒲華", "あやめはなさく"},
    {"半夏生", "はんげしょうず"},
    {"温風至", "あつかぜいたる"},
    {"蓮始開", "はすはじめてひらく"},
    {"鷹乃学習", "たかすなわちわざをならう"},
    {"桐始結花", "きりはじめてはなをむすぶ"},
    {"土潤溽暑", "つちうるおうてむしあつし"},
    {"大雨時行", "たいうときどきふる"},
    {"涼風至", "すずかぜいたる"},
    {"寒蝉鳴", "ひぐらしなく"},
    {"蒙霧升降", "ふかききりまとう"},
    {"綿柎開", "わたのはなしべひらく"},
    {"天地始粛", "てんちはじめてさむし"},
    {"禾乃登", "こくものすなわちみのる"},
    {"草露白", "くさのつゆしろし"},
    {"鶺鴒鳴", "せきれいなく"},
    {"玄鳥去", "つばめさる"},
    {"雷乃収声", "かみなりすなわちこえをおさむ"},
    {"蟄虫坏戸", "むしかくれてとをふさぐ"},
    {"水始涸", "みずはじめてかるる"},
    {"鴻雁来", "こうがんきたる"},
    {"菊花開", "きくのはなひらく"},
    {"蟋蟀在戸", "きりぎりすとにあり"},
    {"霜始降", "しもはじめてふる"},
    {"霎時施", "こさめときどきふる"},
    {"楓蔦黄", "もみじつたきばむ"},
    {"山茶始開", "つばきはじめてひらく"},
    {"地始凍", "ちはじめてこおる"},
    {"金盞香", "きんせんかさく"},
    {"虹蔵不見", "にじかくれてみえず"},
    {"朔風払葉", "きたかぜこのはをはらう"},
    {"橘始黄", "たちばなはじめてきばむ"},
    {"閉塞成冬", "そらさむくふゆとなる"},
    {"熊蟄穴", "くまあなにこもる"},
    {"鮭魚群", "さけのうおむらがる"},
    {"乃東生", "なつかれくさしょうず"},
    {"麋角解", "さわしかのつのおつる"},
    {"雪下出麦", "ゆきわたりてむぎのびる"},
    {"芹乃栄", "せりすなわちさかう"},
    {"水泉動", "しみずあたたかをふくむ"},
    {"雉始鳴", "きじはじめてなく"},
    {"款冬華", "ふきのはなさく"},
    {"水沢腹堅", "さわみずこおりつめる"},
    {"鶏始乳", "にわとりはじめてとやにつく"},
}};
// The sun's 5-degree step at which the first 候 (立春) begins.
constexpr int kFirstKouStep = 63;

// The 雑節, in the order a day lists them.
enum Zassetsu {
    kSetsubun,
    kHiganBegins,
    kHiganEnds,
    kEightyEighthNight,
    kRainySeason,
    kHangesho,
    kDoyoBegins,
    kDoyoOx,
    kDay210,
    kDay220,
    kZassetsuCount
};
constexpr std::array<std::string_view, kZassetsuCount> kZassetsuNames = {
    "節分",   "彼岸入り", "彼岸明け",     "八十八夜", "入梅",
    "半夏生", "土用入り", "土用の丑の日", "二百十日", "二百二十日"};
// Where kSeasonalMarks keeps 入梅, 半夏生, the four 土用入り, and the summer one among them.
constexpr std::size_t kRainySeasonMark = 0, kHangeshoMark = 1, kFirstDoyoMark = 2, kSummerDoyoMark = 3;

constexpr std::array<std::string_view, 2> kObservanceNames = {"母の日", "父の日"};

// Each kind of computed day and the note the events panel shows after its name, in the panel's order. A new
// kind is a row here and the rule that marks its days in buildYear.
struct KindNote {
    ComputedKind kind;
    std::string_view note;
};
constexpr std::array<KindNote, 5> kKindNotes = {{{ComputedKind::Holiday, ""},
                                                 {ComputedKind::SolarTerm, "（二十四節気）"},
                                                 {ComputedKind::Zassetsu, "（雑節）"},
                                                 {ComputedKind::Kou, "（七十二候）"},
                                                 {ComputedKind::Observance, ""}}};

// 六曜 by (month + day) mod 6.
constexpr std::array<std::string_view, 6> kRokuyo = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
constexpr std::array<std::string_view, 10> kStems = {"甲", "乙", "丙", "丁", "戊",
                                                     "己", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                        "午", "未", "申", "酉", "戌", "亥"};
constexpr int kOx = 1;  // 丑 among the branches

constexpr std::array<std::string_view, 4> kPhaseNames = {"朔", "上弦", "望", "下弦"};

// A day's 干支, 0 (甲子) to 59: the cycle has run unbroken for millennia, and 1 October 1949 was a 甲子 day.
int sexagenaryOf(int day) {
    static const int anchor = dayNumber({1949, 10, 1});
    return ((day - anchor) % 60 + 60) % 60;
}

int jstDay(double jdUt) {
    return dayNumber(jstDate(jdUt));
}

// What the calendar knows of one day, as indices into the name tables.
struct DayFacts {
    std::int8_t holiday = -1;
    std::int8_t observance = -1;
    std::uint8_t lunarMonth = 0;  // 0 where the koyomi is not given
    std::uint8_t lunarDay = 0;
    bool leapMonth = false;
    std::uint16_t zassetsu = 0;  // bit z for kZassetsuNames[z]
    std::uint8_t sunStep = 0;    // the sun's 5-degree step in force, 0 (春分) to 71
    bool stepBegins = false;     // the step began on this day
    std::uint8_t kyusei = 0;     // 1 (一白) to 9 (九紫)
};

struct CalendarYear {
    int firstDay = 0;  // the day number of 1 January
    std::vector<DayFacts> days;
};

struct LunarMonth {
    int firstDay;
    int number;
    bool leap;
};

// The 旧暦 months from the one that holds 冬至 of the year before up to the one that holds the year's own
// 冬至, which begins the next span and comes last. A month begins on the day of a new moon and takes its
// number from the 中気 it holds, 冬至 giving 11; only a span of thirteen months has a leap month, the first
// one without a 中気, which repeats the number before it.
std::vector<LunarMonth> lunarSpan(int year) {
    const SolarYear& before = solarYear(year - 1);
    const SolarYear& current = solarYear(year);
    std::vector<int> moons;
    for (double moon : before.newMoons()) moons.push_back(jstDay(moon));
    for (double moon : current.newMoons()) moons.push_back(jstDay(moon));

    // The span's 中気, the terms at multiples of 30 degrees: 冬至 of the year before, then 大寒 to 小雪.
    const int solsticeBefore = jstDay(before.term(kWinterSolstice));
    std::vector<int> principal{solsticeBefore};
    for (int k = 0; k < 24; k += 2) {
        if (k != kWinterSolstice) principal.push_back(jstDay(current.term(k)));
    }
    const auto monthHolding = [&moons](int day) {
        return static_cast<std::size_t>(std::upper_bound(moons.begin(), moons.end(), day) - moons.begin()) -
               1;
    };
    const auto holdsPrincipal = [&](std::size_t m) {
        return std::any_of(principal.begin(), principal.end(),
                           [&](int day) { return day >= moons[m] && day < moons[m + 1]; });
    };

    const std::size_t first = monthHolding(solsticeBefore);
    const std::size_t last = monthHolding(jstDay(current.term(kWinterSolstice)));
    bool leapToCome = last - first == 13;
    std::vector<LunarMonth> months;
    int number = 11;
    for (std::size_t m = first; m <= last; ++m) {
        bool leap = false;
        if (m > first) {
            if (leapToCome && m < last && !holdsPrincipal(m)) {
                leap = true;
                leapToCome = false;
            } else {
                number = number % 12 + 1;
            }
        }
        months.push_back({moons[m], number, leap});
    }
    return months;
}

// The 旧暦 date of each day of the year, which lies in the span that ends with the year's 冬至 month or in
// the next one.
void fillKoyomi(int year, CalendarYear& table) {
    const int end = table.firstDay + static_cast<int>(table.days.size());
    for (int spanYear : {year, year + 1}) {
        const std::vector<LunarMonth> months = lunarSpan(spanYear);
        for (std::size_t m = 0; m + 1 < months.size(); ++m) {
            const int firstDay = months[m].firstDay;
            for (int day = std::max(firstDay, table.firstDay); day < std::min(months[m + 1].firstDay, end);
                 ++day) {
                DayFacts& facts = table.days[static_cast<std::size_t>(day - table.firstDay)];
                facts.lunarMonth = static_cast<std::uint8_t>(months[m].number);
                facts.lunarDay = static_cast<std::uint8_t>(day - firstDay + 1);
                facts.leapMonth = months[m].leap;
            }
        }
    }
}

// The sun's 5-degree step in force on each day of the year, from the steps of the year before and its own.
void fillSunSteps(int year, CalendarYear& table) {
    std::vector<std::pair<int, int>> steps;  // (day, step), in order
    for (int stepYear : {year - 1, year}) {
        for (const SunStep& at : solarYear(stepYear).steps) steps.emplace_back(jstDay(at.jdUt), at.step);
    }
    std::size_t next = 0;
    int inForce = 0, begunOn = 0;
    for (std::size_t i = 0; i < table.days.size(); ++i) {
        const int day = table.firstDay + static_cast<int>(i);
        while (next < steps.size() && steps[next].first <= day) {
            begunOn = steps[next].first;
            inForce = steps[next].second;
            ++next;
        }
        table.days[i].sunStep = static_cast<std::uint8_t>(inForce);
        table.days[i].stepBegins = begunOn == day;
    }
}

// The 九星 of each day, from the switches that the solstices of the years around it bring.
void fillKyusei(int year, CalendarYear& table) {
    std::vector<rekichu::StarSwitch> switches;
    for (int solsticeYear : {year - 1, year, year + 1}) {
        const SolarYear& solar = solarYear(solsticeYear);
        for (const auto& [term, winter] :
             {std::pair{kSummerSolstice, false}, std::pair{kWinterSolstice, true}}) {
            const int day = jstDay(solar.term(term));
            switches.push_back(rekichu::switchOfSolstice(day, sexagenaryOf(day), winter));
        }
    }
    std::size_t before = 0;
    for (std::size_t i = 0; i < table.days.size(); ++i) {
        const int day = table.firstDay + static_cast<int>(i);
        while (before + 1 < switches.size() && switches[before + 1].day <= day) ++before;
        table.days[i].kyusei =
            static_cast<std::uint8_t>(rekichu::kyusei(day, switches[before], switches[before + 1]));
    }
}

CalendarYear buildYear(int year) {
    CalendarYear table;
    table.firstDay = dayNumber({year, 1, 1});
    table.days.resize(static_cast<std::size_t>(dayNumber({year + 1, 1, 1}) - table.firstDay));
    const auto facts = [&table](int day) -> DayFacts* {
        const int index = day - table.firstDay;
        return index >= 0 && index < static_cast<int>(table.days.size())
                   ? &table.days[static_cast<std::size_t>(index)]
                   : nullptr;
    };
    const auto mark = [&facts](int day, Zassetsu zassetsu) {
        if (DayFacts* found = facts(day)) found->zassetsu |= static_cast<std::uint16_t>(1u << zassetsu);
    };
    const SolarYear& solar = solarYear(year);
    const auto termDay = [&solar](int k) { return jstDay(solar.term(k)); };

    fillSunSteps(year, table);
    // 八十八夜, 二百十日 and 二百二十日 count 立春 as the first day.
    const int springBegins = termDay(kSpringBegins);
    mark(springBegins - 1, kSetsubun);
    mark(springBegins + 87, kEightyEighthNight);
    mark(springBegins + 209, kDay210);
    mark(springBegins + 219, kDay220);
    for (int equinox : {kSpringEquinox, kAutumnEquinox}) {
        mark(termDay(equinox) - 3, kHiganBegins);
        mark(termDay(equinox) + 3, kHiganEnds);
    }
    mark(jstDay(solar.marks[kRainySeasonMark]), kRainySeason);
    mark(jstDay(solar.marks[kHangeshoMark]), kHangesho);
    for (std::size_t m = kFirstDoyoMark; m < kSeasonalMarks.size(); ++m) {
        mark(jstDay(solar.marks[m]), kDoyoBegins);
    }
    // The summer 土用 runs from its 土用入り to the day before 立秋.
    for (int day = jstDay(solar.marks[kSummerDoyoMark]); day < termDay(kAutumnBegins); ++day) {
        if (sexagenaryOf(day) % 12 == kOx) mark(day, kDoyoOx);
    }

    facts(dayNumber({year, 5, nthWeekday(year, 5, kSunday, 2)}))->observance = 0;
    facts(dayNumber({year, 6, nthWeekday(year, 6, kSunday, 3)}))->observance = 1;

    const std::vector<std::int8_t> holidays =
        holidaysOfYear(year, termDay(kSpringEquinox), termDay(kAutumnEquinox));
    for (std::size_t i = 0; i < table.days.size(); ++i) table.days[i].holiday = holidays[i];

    fillKyusei(year, table);
    if (year <= kLastKoyomiYear) fillKoyomi(year, table);
    return table;
}

const DayFacts* factsOf(const CivilDate& date) {
    if (!isValidDate(date) || date.year < kFirstYear || date.year > kLastYear) return nullptr;
    static YearCache<CalendarYear> cache(buildYear);
    const CalendarYear& year = cache.get(date.year);
    return &year.days[static_cast<std::size_t>(dayNumber(date) - year.firstDay)];
}

// The day's facts where its 暦 is given (1873-2100), else nothing.
const DayFacts* rekiFactsOf(const CivilDate& date) {
    const DayFacts* facts = date.year <= kLastKoyomiYear ? factsOf(date) : nullptr;
    return facts && facts->lunarMonth != 0 ? facts : nullptr;
}

template <std::size_t N>
std::vector<std::string> encoded(const std::array<std::string_view, N>& names, std::string_view note = {}) {
    std::vector<std::string> texts;
    texts.reserve(N);
    for (std::string_view name : names) texts.push_back(sjis(std::string(name) + std::string(note)));
    return texts;
}

const std::vector<std::string>& kouNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        all.reserve(kKou.size());
        for (const Kou& kou : kKou) all.push_back(sjis(kou.name));
        return all;
    }();
    return names;
}

// The 候 of a 5-degree step, counted from the first of 立春.
std::size_t kouOfStep(int step) {
    return static_cast<std::size_t>((step - kFirstKouStep + kSunSteps) % kSunSteps);
}

// The 節月 of a 5-degree step: 1 from 立春 (the 節 at 315 degrees) to 12 from 小寒; the 節 are the odd terms.
int sekkiMonthOfStep(int step) {
    const int term = step / 3;
    const int lastSetsu = term % 2 == 1 ? term : (term + 23) % 24;
    return (lastSetsu - kSpringBegins + 24) % 24 / 2 + 1;
}

ComputedItem item(ComputedKind kind, const std::string& name) {
    static const std::vector<std::string> notes = [] {
        std::vector<std::string> all;
        all.reserve(kKindNotes.size());
        for (const KindNote& row : kKindNotes) all.push_back(sjis(row.note));
        return all;
    }();
    return {kind, name, name + notes[static_cast<std::size_t>(kind)]};
}

// A time of day in Japan to the minute, "6:41", and the date it falls on: the instant rounded to the minute.
struct JstMinute {
    CivilDate date;
    std::string text;
};
JstMinute jstMinute(double jdUt) {
    CivilDate date = jstDate(jdUt);
    int minute = static_cast<int>(std::floor((jdUt - jstMidnight(date)) * 1440 + 0.5));
    if (minute >= 1440) {  // 24:00 is the next day's 0:00
        minute -= 1440;
        date = civilDate(dayNumber(date) + 1);
    }
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", minute / 60, minute % 60);
    return {date, text};
}

std::string riseOrSetText(const std::optional<double>& instant) {
    static const std::string none = sjis("なし");
    return instant ? jstMinute(*instant).text : none;
}

std::string warekiOf(const CivilDate& date) {
    for (const Era& era : kEras) {
        if (dayNumber(date) < dayNumber(era.firstDay)) continue;
        const int year = date.year - era.firstYear + 1;
        return sjis(std::string(era.name) + (year == 1 ? "元" : std::to_string(year)) + "年" +
                    std::to_string(date.month) + "月" + std::to_string(date.day) + "日");
    }
    return {};
}

const std::string& sexagenaryName(int sexagenary) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (std::size_t i = 0; i < 60; ++i)
            all.push_back(sjis(std::string(kStems[i % 10]) + std::string(kBranches[i % 12])));
        return all;
    }();
    return names[static_cast<std::size_t>(sexagenary)];
}

// "11月1日", "閏11月1日".
std::string lunarDateText(const DayFacts& facts) {
    static const std::string leap = sjis("閏"), monthMark = sjis("月"), dayMark = sjis("日");
    return (facts.leapMonth ? leap : std::string()) + std::to_string(facts.lunarMonth) + monthMark +
           std::to_string(facts.lunarDay) + dayMark;
}

const std::string& rokuyoOf(const DayFacts& facts) {
    static const std::vector<std::string> names = encoded(kRokuyo);
    return names[static_cast<std::size_t>((facts.lunarMonth + facts.lunarDay) % 6)];
}

}  // namespace

std::string nationalHoliday(const CivilDate& date) {
    const DayFacts* facts = factsOf(date);
    if (!facts || facts->holiday < 0) return {};
    return holidayNames()[static_cast<std::size_t>(facts->holiday)];
}

std::vector<ComputedItem> computedDay(const CivilDate& date) {
    static const std::vector<std::string> terms = encoded(kTermNames);
    static const std::vector<std::string> zassetsu = encoded(kZassetsuNames);
    static const std::vector<std::string> observances = encoded(kObservanceNames);
    std::vector<ComputedItem> items;
    const DayFacts* facts = factsOf(date);
    if (!facts) return items;
    if (facts->holiday >= 0)
        items.push_back(
            item(ComputedKind::Holiday, holidayNames()[static_cast<std::size_t>(facts->holiday)]));
    if (facts->stepBegins && facts->sunStep % 3 == 0)
        items.push_back(item(ComputedKind::SolarTerm, terms[facts->sunStep / 3]));
    for (std::size_t z = 0; z < kZassetsuCount; ++z) {
        if (facts->zassetsu & (1u << z)) items.push_back(item(ComputedKind::Zassetsu, zassetsu[z]));
    }
    if (facts->stepBegins) items.push_back(item(ComputedKind::Kou, kouNames()[kouOfStep(facts->sunStep)]));
    if (facts->observance >= 0)
        items.push_back(
            item(ComputedKind::Observance, observances[static_cast<std::size_t>(facts->observance)]));
    return items;
}

const std::vector<std::string>& computedDayNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = holidayNames();
        for (const auto& group :
             {encoded(kTermNames), encoded(kZassetsuNames), kouNames(), encoded(kObservanceNames)}) {
            // 半夏生 is both a 雑節 and a 候.
            for (const std::string& name : group) {
                if (std::find(all.begin(), all.end(), name) == all.end()) all.push_back(name);
            }
        }
        return all;
    }();
    return names;
}

std::string koyomiText(const CivilDate& date) {
    const DayFacts* facts = rekiFactsOf(date);
    if (!facts) return {};
    static const std::string oldCalendar = sjis("旧暦");
    return oldCalendar + lunarDateText(*facts) + ' ' + rokuyoOf(*facts) + ' ' +
           sexagenaryName(sexagenaryOf(dayNumber(date)));
}

DayReki dayReki(const CivilDate& date) {
    DayReki reki;
    const DayFacts* facts = rekiFactsOf(date);
    if (!facts) return reki;
    const int day = dayNumber(date);
    const int sexagenary = sexagenaryOf(day);
    const int sekkiMonth = sekkiMonthOfStep(facts->sunStep);
    const Kou& kou = kKou[kouOfStep(facts->sunStep)];
    reki.available = true;
    reki.wareki = warekiOf(date);
    reki.lunarDate = lunarDateText(*facts);
    reki.rokuyo = rokuyoOf(*facts);
    reki.sexagenary = sexagenaryName(sexagenary);
    reki.kyusei = rekichu::kyuseiName(facts->kyusei);
    reki.choku = rekichu::choku(sexagenary, sekkiMonth);
    reki.shuku = rekichu::shuku(day);
    reki.kou = kouNames()[kouOfStep(facts->sunStep)];
    reki.kouReading = sjis(kou.reading);
    reki.senjitsu = senjitsuOf(date);

    // The moon's age at noon in Japan, and the phase whose time, rounded to the minute, falls on the day.
    const double noon = jstMidnight(date) + 0.5;
    for (int year : {date.year - 1, date.year}) {
        for (const MoonPhase& phase : solarYear(year).phases) {
            if (phase.quarter == 0 && phase.jdUt <= noon) reki.moonAge = noon - phase.jdUt;
            const JstMinute at = jstMinute(phase.jdUt);
            if (at.date == date) {
                static const std::vector<std::string> names = encoded(kPhaseNames);
                reki.phaseQuarter = phase.quarter;
                reki.phase = names[static_cast<std::size_t>(phase.quarter)] + ' ' + at.text;
            }
        }
    }
    char age[16];
    std::snprintf(age, sizeof age, "%.1f", reki.moonAge);
    reki.moonAgeText = age;

    const RiseAndSet sun = sunRiseAndSet(date), moon = moonRiseAndSet(date);
    reki.sunrise = riseOrSetText(sun.rise);
    reki.sunset = riseOrSetText(sun.set);
    reki.moonrise = riseOrSetText(moon.rise);
    reki.moonset = riseOrSetText(moon.set);
    return reki;
}

std::vector<std::string> senjitsuOf(const CivilDate& date) {
    const DayFacts* facts = rekiFactsOf(date);
    if (!facts) return {};
    return rekichu::senjitsu({sexagenaryOf(dayNumber(date)), sekkiMonthOfStep(facts->sunStep),
                              facts->lunarMonth, facts->lunarDay});
}

std::string kouWithReading(const DayReki& reki) {
    static const std::string open = sjis("（"), close = sjis("）");
    return reki.available ? reki.kou + open + reki.kouReading + close : std::string();
}

std::string senjitsuText(const DayReki& reki) {
    std::string text;
    for (const std::string& name : reki.senjitsu) {
        if (!text.empty()) text += ' ';
        text += name;
    }
    return text;
}

std::vector<std::pair<std::string, std::string>> rekiItems(const DayReki& reki) {
    static const std::vector<std::string> names = encoded(std::array<std::string_view, 15>{
        "和暦", "旧暦", "六曜", "干支", "九星", "十二直", "二十八宿", "七十二候", "選日", "月齢", "月相",
        "日の出", "日の入", "月の出", "月の入"});
    const std::string values[] = {reki.wareki,        reki.lunarDate,   reki.rokuyo, reki.sexagenary,
                                  reki.kyusei,        reki.choku,       reki.shuku,  kouWithReading(reki),
                                  senjitsuText(reki), reki.moonAgeText, reki.phase,  reki.sunrise,
                                  reki.sunset,        reki.moonrise,    reki.moonset};
    std::vector<std::pair<std::string, std::string>> items;
    for (std::size_t i = 0; i < names.size(); ++i) items.emplace_back(names[i], values[i]);
    return items;
}

std::vector<std::string> rekiSummary(const DayReki& reki) {
    if (!reki.available) return {};
    const auto S = [](std::string_view utf8) { return sjis(utf8); };
    static const std::string gap = sjis("　");
    std::vector<std::string> lines;
    lines.push_back(reki.wareki + gap + S("旧暦") + reki.lunarDate + gap + reki.rokuyo + gap +
                    reki.sexagenary);
    lines.push_back(S("九星 ") + reki.kyusei + gap + S("十二直 ") + reki.choku + gap + S("二十八宿 ") +
                    reki.shuku);
    lines.push_back(S("七十二候 ") + kouWithReading(reki));
    if (!reki.senjitsu.empty()) lines.push_back(S("選日 ") + senjitsuText(reki));
    lines.push_back(S("月齢 ") + reki.moonAgeText + (reki.phase.empty() ? std::string() : gap + reki.phase));
    lines.push_back(S("東京 日の出 ") + reki.sunrise + gap + S("日の入 ") + reki.sunset);
    lines.push_back(S("東京 月の出 ") + reki.moonrise + gap + S("月の入 ") + reki.moonset);
    return lines;
}

}  // namespace daywick
