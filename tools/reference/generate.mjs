// Run with `npm ci && node generate.mjs` in this folder; it rewrites the calendar fixtures in tests/fixtures.
// The holidays come from @holiday-jp/holiday_jp, the instants, the moon's phases and ages and the rise and set
// of the sun and the moon in Tokyo from astronomy-engine, and the lunar months from a second implementation of
// the engine's 旧暦 rule over astronomy-engine's instants, so that the engine is checked against code and
// ephemerides it does not share. The rise and set take some minutes.

import { createRequire } from 'node:module';
import { writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import path from 'node:path';

const require = createRequire(import.meta.url);
const holidayJp = require('@holiday-jp/holiday_jp');
const Astronomy = require('astronomy-engine');

const fixtures = path.join(path.dirname(fileURLToPath(import.meta.url)), '..', '..', 'tests', 'fixtures');
const DAY_MS = 86400000;
const JST_MS = 9 * 3600000;

const isoDay = (date) => date.toISOString().slice(0, 10);
const isoSecond = (date) => new Date(Math.round(date.getTime() / 1000) * 1000).toISOString().slice(0, 19) + 'Z';
const jstDayNumber = (date) => Math.floor((date.getTime() + JST_MS) / DAY_MS);
const dayText = (dayNumber) => isoDay(new Date(dayNumber * DAY_MS));
// Minutes from the instant to the nearest JST midnight.
const minutesFromMidnight = (date) => {
    const intoDay = (((date.getTime() + JST_MS) % DAY_MS) + DAY_MS) % DAY_MS;
    return Math.min(intoDay, DAY_MS - intoDay) / 60000;
};

function holidays() {
    // The package names a substitute holiday after the holiday it replaces, and a few days by shorter or
    // other words than the law; the engine gives the law's names.
    const oneOffNames = {
        '1989-02-24': '昭和天皇の大喪の礼',
        '1993-06-09': '皇太子徳仁親王の結婚の儀',
        '2019-05-01': '天皇の即位の日',
        '2019-10-22': '即位礼正殿の儀',
    };
    const lines = [];
    for (const holiday of holidayJp.between(new Date('1970-01-01'), new Date('2050-12-31'))) {
        const day = isoDay(holiday.date);
        let name = holiday.name;
        if (oneOffNames[day]) name = oneOffNames[day];
        else if (name.endsWith(' 振替休日')) name = '振替休日';
        else if (name === '休日') name = '国民の休日';
        // The package names 2019's 体育の日 by the name it took in 2020.
        else if (name === '体育の日（スポーツの日）') name = '体育の日';
        lines.push(`${day} ${name}`);
    }
    return lines;
}

const FIRST_YEAR = 1872, LAST_YEAR = 2151;
const EXTRA_LONGITUDES = [80, 100, 27, 117, 207, 297];

function sunEvents() {
    const events = [];
    for (let year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
        const start = new Date(Date.UTC(year, 0, 1));
        const longitudes = [...Array(24).keys()].map((k) => 15 * k).concat(EXTRA_LONGITUDES);
        for (const longitude of longitudes) {
            const found = Astronomy.SearchSunLongitude(longitude, start, 366);
            if (found.date.getUTCFullYear() !== year) throw new Error(`sun ${longitude} not in ${year}`);
            events.push({ date: found.date, longitude });
        }
    }
    return events.sort((a, b) => a.date - b.date);
}

// The moon's phases as the almanacs define them: the moon's apparent longitude 0, 90, 180 or 270 degrees from
// the sun's. The package's own moon phase compares geometric directions, without the sun's 20 arcseconds of
// aberration, which puts its phases about 40 s later; its phase search serves as the starting point.
function moonPhases() {
    const elongation = (t) => Astronomy.EclipticGeoMoon(t).lon - Astronomy.SunPosition(t).elon;
    const phases = [];
    const end = new Date(Date.UTC(LAST_YEAR + 1, 0, 1));
    for (let quarter = 0; quarter < 4; ++quarter) {
        const apart = (t) => ((elongation(t) - 90 * quarter) % 360 + 540) % 360 - 180;
        let t = new Date(Date.UTC(FIRST_YEAR, 0, 1));
        for (;;) {
            const geometric = Astronomy.SearchMoonPhase(90 * quarter, t, 40);
            const found = Astronomy.Search(apart, geometric.AddDays(-0.1), geometric.AddDays(0.1), { dt_tolerance_seconds: 0.01 });
            if (found.date >= end) break;
            phases.push({ date: found.date, quarter });
            t = new Date(geometric.date.getTime() + DAY_MS);
        }
    }
    return phases.sort((a, b) => a.date - b.date);
}

// Tokyo as the national observatory reckons it: the old Tokyo Observatory on the sea-level horizon, the
// standard refraction at the horizon (35'8"), the sun by its upper limb, the moon by its centre, both seen from
// the place (with their parallax). Each event is searched in the JST day whose time rounded to the minute it
// has: from 30 s before midnight to 30 s before the next one.
const TOKYO = new Astronomy.Observer(35 + 39 / 60 + 29.1572 / 3600, 139 + 44 / 60 + 28.8869 / 3600, 0);
const REFRACTION = 35 / 60 + 8 / 3600;
const SUN_RADIUS_AU = 695700 / Astronomy.KM_PER_AU;

function sunSemiDiameter(time) {
    const seen = Astronomy.Equator(Astronomy.Body.Sun, time, TOKYO, true, true);
    return Astronomy.RAD2DEG * Math.asin(SUN_RADIUS_AU / seen.dist);
}

// Seconds from the day's midnight (JST) to the event, or '-' for a day without one.
function riseOrSet(body, direction, start) {
    const search = (from, limit, altitude) => Astronomy.SearchAltitude(body, TOKYO, direction, from, limit, altitude);
    let found;
    if (body === Astronomy.Body.Sun) {
        // The upper limb: the centre's altitude below the refracted horizon by the semi-diameter at the event.
        const first = search(start, 1, -REFRACTION - sunSemiDiameter(Astronomy.MakeTime(start).AddDays(0.5)));
        if (first) found = search(first.AddDays(-0.01), 0.02, -REFRACTION - sunSemiDiameter(first));
    } else {
        found = search(start, 1, -REFRACTION);
    }
    if (!found || found.date.getTime() >= start.getTime() + DAY_MS) return '-';
    return ((found.date.getTime() - start.getTime()) / 1000 - 30).toFixed(1);
}

function riseSetLines(newMoonDates) {
    const lines = [];
    let moon = 0;
    for (let day = jstDayNumber(new Date(Date.UTC(1873, 0, 1))); day <= jstDayNumber(new Date(Date.UTC(2100, 11, 31))); ++day) {
        const midnight = new Date(day * DAY_MS - JST_MS);
        const start = new Date(midnight.getTime() - 30000);
        const noon = new Date(midnight.getTime() + DAY_MS / 2);
        while (moon + 1 < newMoonDates.length && newMoonDates[moon + 1] <= noon) ++moon;
        const age = (noon - newMoonDates[moon]) / DAY_MS;
        const S = Astronomy.Body.Sun, M = Astronomy.Body.Moon;
        lines.push(`${dayText(day)} ${riseOrSet(S, +1, start)} ${riseOrSet(S, -1, start)} ` +
                   `${riseOrSet(M, +1, start)} ${riseOrSet(M, -1, start)} ${age.toFixed(4)}`);
    }
    return lines;
}

// The 旧暦 months, walked forward: a new month at each new moon's JST day; a month that holds 冬至 is 11;
// between two such months 13 months make a leap year, in which the first month without a 中気 repeats the
// number before it. A month is "near" when a day that decides it lies within a few minutes of JST midnight:
// its own start or the next one's, or a 中気 on the first or last day of a month of its span.
function lunarMonths(moons, sunEvents) {
    const NEAR_MINUTES = 5;
    const principal = sunEvents.filter((e) => e.longitude % 30 === 0);
    const months = moons.slice(0, -1).map((date, i) => ({
        first: jstDayNumber(date),
        end: jstDayNumber(moons[i + 1]),
        nearStart: minutesFromMidnight(date) < NEAR_MINUTES,
        principal: [],
        nearPrincipal: false,
    }));
    let m = 0;
    for (const term of principal) {
        const day = jstDayNumber(term.date);
        while (m < months.length && months[m].end <= day) ++m;
        if (m >= months.length) break;
        if (day < months[m].first) continue;
        months[m].principal.push(term.longitude);
        const onEdge = day === months[m].first || day === months[m].end - 1;
        if (onEdge && minutesFromMidnight(term.date) < NEAR_MINUTES) months[m].nearPrincipal = true;
    }
    const solstices = months.flatMap((month, i) => (month.principal.includes(270) ? [i] : []));
    const rows = [];
    for (let s = 0; s + 1 < solstices.length; ++s) {
        const from = solstices[s], to = solstices[s + 1];
        const leapYear = to - from === 13;
        const spanNear = months.slice(from, to).some((month) => month.nearPrincipal);
        let number = 11, leapTaken = false;
        for (let i = from; i < to; ++i) {
            const month = months[i];
            const leap = leapYear && !leapTaken && i > from && month.principal.length === 0;
            if (leap) leapTaken = true;
            else if (i > from) number = (number % 12) + 1;
            const near = spanNear || month.nearStart || months[i + 1].nearStart;
            rows.push({ first: month.first, number, leap, near });
        }
    }
    return rows;
}

const sun = sunEvents();
const phases = moonPhases();
const moons = phases.filter((p) => p.quarter === 0).map((p) => p.date);
const astronomyLines = [
    ...sun.map((e) => ({ date: e.date, text: `${isoSecond(e.date)} sun ${e.longitude}` })),
    ...moons.map((date) => ({ date, text: `${isoSecond(date)} newmoon` })),
].sort((a, b) => a.date - b.date).map((e) => e.text);

const firstDay = jstDayNumber(new Date(Date.UTC(1873, 0, 1))), lastDay = jstDayNumber(new Date(Date.UTC(2100, 11, 31)));
const months = lunarMonths(moons, sun);
const monthLines = [];
for (let i = 0; i < months.length; ++i) {
    const nextFirst = i + 1 < months.length ? months[i + 1].first : Infinity;
    if (nextFirst <= firstDay || months[i].first > lastDay) continue;
    const { first, number, leap, near } = months[i];
    monthLines.push(`${dayText(first)} ${number} ${leap ? 'leap' : '-'} ${near ? 'near' : 'sure'}`);
}

const write = (name, header, lines) => writeFileSync(path.join(fixtures, name), [...header, ...lines].join('\n') + '\n');
write('holidays-1970-2050.txt', [
    '# Japan\'s national holidays 1970-2050 from @holiday-jp/holiday_jp, named as the law names them.',
], holidays());
write('astronomy-1872-2151.txt', [
    '# From astronomy-engine: the UTC instant (to the second) at which the sun\'s apparent longitude reaches a degree,',
    '# and each new moon.',
], astronomyLines);
write('moon-phases-1873-2100.txt', [
    '# From astronomy-engine: the UTC instant (to the second) of each phase of the moon, 0 朔, 1 上弦, 2 望, 3 下弦.',
], phases.filter((p) => p.date >= new Date(Date.UTC(1872, 11, 31)) && p.date < new Date(Date.UTC(2101, 0, 1)))
    .map((p) => `${isoSecond(p.date)} ${p.quarter}`));
write('tokyo-rise-set-1873-2100.txt', [
    '# From astronomy-engine, for each day in Japan: sunrise, sunset, moonrise and moonset in Tokyo as seconds from',
    '# 0:00 JST (\'-\' for none; a time rounded to the minute falls on the day), and the moon\'s age at noon JST.',
], riseSetLines(moons));
write('lunar-months-1873-2100.txt', [
    '# The 旧暦 months over 1873-2100 from astronomy-engine\'s instants: first JST day, number, leap, and "near" where',
    '# an instant that decides the month lies within 5 minutes of JST midnight.',
], monthLines);
