#include "rekichu.h"

#include <array>
#include <string_view>

#include "daywick/sjis.h"

namespace daywick::rekichu {

namespace {

// The 干支 by number, 甲子 = 0: stem k % 10, branch k % 12.
enum Sexagenary {
    kKinoeNe = 0,         // 甲子
    kTsuchinotoMi = 5,    // 己巳
    kTsuchinoeTora = 14,  // 戊寅
    kKinoeSaru = 20,      // 甲申
    kMizunotoMi = 29,     // 癸巳
    kKinoeUma = 30,       // 甲午
    kTsuchinoeSaru = 44,  // 戊申
    kKanoeSaru = 56,      // 庚申
};
enum Branch { kNe, kUshi, kTora, kU, kTatsu, kMi, kUma, kHitsuji, kSaru, kTori, kInu, kI };

int branchOf(int sexagenary) {
    return sexagenary % 12;
}

// The season of a 節月: 0 spring (寅卯辰), 1 summer, 2 autumn, 3 winter.
int seasonOf(int sekkiMonth) {
    return (sekkiMonth - 1) / 3;
}

bool branchIn(int sexagenary, std::initializer_list<int> branches) {
    for (int branch : branches) {
        if (branchOf(sexagenary) == branch) return true;
    }
    return false;
}

// 一粒万倍日: two branches for each 節月 (the table almanac makers print; 新日本カレンダー's days of 2026
// follow it).
constexpr std::array<std::array<int, 2>, 12> kIchiryuManbai = {{{kUshi, kUma},
                                                                {kTori, kTora},
                                                                {kNe, kU},
                                                                {kU, kTatsu},
                                                                {kMi, kUma},
                                                                {kTori, kUma},
                                                                {kNe, kHitsuji},
                                                                {kU, kSaru},
                                                                {kTori, kUma},
                                                                {kTori, kInu},
                                                                {kI, kNe},
                                                                {kU, kNe}}};

// 大明日: twenty-five 干支 whatever the month (as shrines' and almanac makers' tables list them).
constexpr std::array<int, 25> kDaimyo = {5,  6,  7,  8,  9,  13, 15, 18, 20, 23, 28, 31, 38,
                                         40, 41, 42, 43, 45, 46, 47, 52, 54, 55, 56, 57};

// 不成就日: four days of each 旧暦 month, the same for month m and m + 6, eight days apart.
constexpr std::array<int, 6> kFujojuFirst = {3, 2, 1, 4, 5, 6};

// 八専: the twelve days from 壬子 to 癸亥 but their 間日 (丑, 辰, 午, 戌), eight in all.
constexpr std::array<int, 8> kHassen = {48, 50, 51, 53, 55, 56, 57, 59};

// One 選日: its name and the days it falls on.
struct SenjitsuRule {
    std::string_view name;
    bool (*applies)(const DayKeys&);
};

// The 選日 in the order the day lists them. The month a rule names is the 節月 (from one 節 to the next, 立春
// beginning 寅の月), except for 不成就日, which follows the 旧暦.
const SenjitsuRule kSenjitsu[] = {
    // 天赦日: 戊寅 in spring, 甲午 in summer, 戊申 in autumn, 甲子 in winter, the seasons by 節月.
    {"天赦日",
     [](const DayKeys& d) {
         constexpr std::array<int, 4> bySeason = {kTsuchinoeTora, kKinoeUma, kTsuchinoeSaru, kKinoeNe};
         return d.sexagenary == bySeason[static_cast<std::size_t>(seasonOf(d.sekkiMonth))];
     }},
    {"一粒万倍日",
     [](const DayKeys& d) {
         const auto& branches = kIchiryuManbai[static_cast<std::size_t>(d.sekkiMonth - 1)];
         return branchIn(d.sexagenary, {branches[0], branches[1]});
     }},
    {"大明日",
     [](const DayKeys& d) {
         for (int s : kDaimyo) {
             if (d.sexagenary == s) return true;
         }
         return false;
     }},
    // 母倉日 by 節月: 子・亥 in the first two months of spring, 寅・卯 of summer, 丑・辰・未・戌 of autumn,
    // 申・酉 of winter, and 巳・午 in each season's third month, the month of its 土用.
    {"母倉日",
     [](const DayKeys& d) {
         if (d.sekkiMonth % 3 == 0) return branchIn(d.sexagenary, {kMi, kUma});
         switch (seasonOf(d.sekkiMonth)) {
             case 0:
                 return branchIn(d.sexagenary, {kNe, kI});
             case 1:
                 return branchIn(d.sexagenary, {kTora, kU});
             case 2:
                 return branchIn(d.sexagenary, {kUshi, kTatsu, kHitsuji, kInu});
             default:
                 return branchIn(d.sexagenary, {kSaru, kTori});
         }
     }},
    // 天一天上: the sixteen days from 癸巳 to 戊申.
    {"天一天上",
     [](const DayKeys& d) { return d.sexagenary >= kMizunotoMi && d.sexagenary <= kTsuchinoeSaru; }},
    {"寅の日", [](const DayKeys& d) { return branchOf(d.sexagenary) == kTora; }},
    {"巳の日", [](const DayKeys& d) { return branchOf(d.sexagenary) == kMi; }},
    {"己巳の日", [](const DayKeys& d) { return d.sexagenary == kTsuchinotoMi; }},
    {"甲子の日", [](const DayKeys& d) { return d.sexagenary == kKinoeNe; }},
    {"庚申の日", [](const DayKeys& d) { return d.sexagenary == kKanoeSaru; }},
    // 不成就日: 3・11・19・27日 of the 1st and 7th 旧暦 months, 2・10・18・26日 of the 2nd and 8th,
    // 1・9・17・25日 of the 3rd and 9th, 4・12・20・28日 of the 4th and 10th, 5・13・21・29日 of the 5th
    // and 11th, 6・14・22・30日 of the 6th and 12th; a leap month as the month it repeats.
    {"不成就日",
     [](const DayKeys& d) {
         const int first = kFujojuFirst[static_cast<std::size_t>((d.lunarMonth - 1) % 6)];
         return d.lunarDay >= first && (d.lunarDay - first) % 8 == 0;
     }},
    // 三隣亡: 亥 in the 1st, 4th, 7th and 10th 節月, 寅 in the 2nd, 5th, 8th and 11th, 午 in the 3rd,
    // 6th, 9th and 12th. (One reference gives 戌 for the first group; the days published for 2026 are 亥
    // days.)
    {"三隣亡",
     [](const DayKeys& d) {
         constexpr std::array<int, 3> byMonth = {kI, kTora, kUma};
         return branchOf(d.sexagenary) == byMonth[static_cast<std::size_t>((d.sekkiMonth - 1) % 3)];
     }},
    {"八専",
     [](const DayKeys& d) {
         for (int s : kHassen) {
             if (d.sexagenary == s) return true;
         }
         return false;
     }},
    // 十方暮: the ten days from 甲申 to 癸巳.
    {"十方暮", [](const DayKeys& d) { return d.sexagenary >= kKinoeSaru && d.sexagenary <= kMizunotoMi; }},
};

// 十二直 in order from 建, the day whose branch is the month's.
constexpr std::array<std::string_view, 12> kChoku = {"建", "除", "満", "平", "定", "執",
                                                     "破", "危", "成", "納", "開", "閉"};

// 二十八宿 in order from 角. 氐 has no Shift_JIS form, so it is written in kana.
constexpr std::array<std::string_view, 28> kShuku = {
    "角", "亢", "てい", "房", "心", "尾", "箕", "斗", "牛", "女", "虚", "危", "室", "壁",
    "奎", "婁", "胃",   "昴", "畢", "觜", "参", "井", "鬼", "柳", "星", "張", "翼", "軫"};
// The cycle runs unbroken: 9 December 2026 was a 軫 day (27), as published calendars print it.
constexpr int kShukuAnchorDay = 20796, kShukuAnchor = 27;

constexpr std::array<std::string_view, 9> kKyusei = {"一白水星", "二黒土星", "三碧木星",
                                                     "四緑木星", "五黄土星", "六白金星",
                                                     "七赤金星", "八白土星", "九紫火星"};

template <std::size_t N>
std::vector<std::string> encodedAll(const std::array<std::string_view, N>& names) {
    std::vector<std::string> out;
    out.reserve(N);
    for (std::string_view name : names) out.push_back(sjis(name));
    return out;
}

int positive(int value, int modulus) {
    return (value % modulus + modulus) % modulus;
}

}  // namespace

const std::vector<std::string>& senjitsuNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const SenjitsuRule& rule : kSenjitsu) all.push_back(sjis(rule.name));
        return all;
    }();
    return names;
}

std::vector<std::string> senjitsu(const DayKeys& day) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < std::size(kSenjitsu); ++i) {
        if (kSenjitsu[i].applies(day)) found.push_back(senjitsuNames()[i]);
    }
    return found;
}

const std::string& choku(int sexagenary, int sekkiMonth) {
    static const std::vector<std::string> names = encodedAll(kChoku);
    // 寅の月 (節月 1) has 建 on 寅 days; on the day a 節 begins a month the 直 of the day before repeats,
    // which this gives by itself.
    const int monthBranch = positive(sekkiMonth + 1, 12);
    return names[static_cast<std::size_t>(positive(branchOf(sexagenary) - monthBranch, 12))];
}

const std::string& shuku(int dayNumber) {
    static const std::vector<std::string> names = encodedAll(kShuku);
    return names[static_cast<std::size_t>(positive(kShukuAnchor + dayNumber - kShukuAnchorDay, 28))];
}

StarSwitch switchOfSolstice(int solsticeDay, int solsticeSexagenary, bool winter) {
    // As こよみのページ (koyomi8.com) reckons it; other almanacs agree but for the rare solstice near a
    // 甲午 day.
    const int day =
        solsticeSexagenary < 30 ? solsticeDay - solsticeSexagenary : solsticeDay + 60 - solsticeSexagenary;
    return {day, winter};
}

int kyusei(int day, const StarSwitch& before, const StarSwitch& after) {
    const int since = day - before.day;
    // Two switches 240 days apart hold a 閏: the last 30 days turn early and run into the next switch, so
    // that the star of the day before the turn repeats (三碧 or 七赤).
    if (after.day - before.day == 240 && since >= 210) {
        const int until = after.day - day;
        return after.yang ? positive(-until, 9) + 1 : positive(8 + until, 9) + 1;
    }
    return before.yang ? since % 9 + 1 : 9 - since % 9;
}

const std::string& kyuseiName(int star) {
    static const std::vector<std::string> names = encodedAll(kKyusei);
    return names[static_cast<std::size_t>(star - 1)];
}

}  // namespace daywick::rekichu
