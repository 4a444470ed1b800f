#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolTip>
#include <memory>

#include "MonthCalendar.h"
#include "WidgetTestSupport.h"
#include "daywick/koyomi.h"

namespace daywick {
namespace {

// The calendar at its size in the main window, shown in a window of its own.
struct ShownCalendar {
    explicit ShownCalendar(QDate selected, Qt::DayOfWeek firstDay = Qt::Sunday) {
        window.resize(200, 180);
        calendar = new ui::MonthCalendar(&window, clock);
        calendar->setGeometry(10, 10, 162, 143);
        calendar->setFirstDayOfWeek(firstDay);
        calendar->setSelectedDate(selected);
        window.show();
        testing::settle();
    }

    void click(QPoint at) {
        QTest::mouseClick(calendar, Qt::LeftButton, {}, at);
        testing::settle();
    }

    // A press and release as the window system gives them, double clicks made from quick ones included.
    void clickThroughWindow(QPoint at, bool twice = false) {
        const QPoint inWindow = calendar->mapTo(&window, at);
        if (twice) {
            QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, inWindow);
        } else {
            QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, inWindow);
        }
        testing::settle();
    }

    FixedClock clock{{{2027, 1, 25}, 9, 0, 0}};
    QWidget window;
    ui::MonthCalendar* calendar;
};

QString iso(QDate date) {
    return date.toString(Qt::ISODate);
}

TEST(MonthCalendar, OpensOnTheClocksTodayNotTheMachines) {
    const FixedClock clock({{1999, 12, 31}, 23, 59, 59});
    QWidget window;
    const ui::MonthCalendar calendar(&window, clock);
    EXPECT_EQ(calendar.today(), QDate(1999, 12, 31));
    EXPECT_EQ(calendar.selectedDate(), QDate(1999, 12, 31));
    EXPECT_EQ(calendar.title(), "1999年12月");
}

TEST(MonthCalendar, EveryDayOfEveryMonthIsShownBetweenTheWeekdaysAndTheTodayLine) {
    for (Qt::DayOfWeek firstDay : {Qt::Sunday, Qt::Monday}) {
        ShownCalendar shown(QDate(1999, 1, 1), firstDay);
        ui::MonthCalendar& calendar = *shown.calendar;
        const QRect header = calendar.weekdayHeaderRect();
        const QRect todayLine = calendar.todayLineRect();
        ASSERT_TRUE(calendar.rect().contains(header));
        ASSERT_TRUE(calendar.rect().contains(todayLine));
        ASSERT_LT(calendar.nextMonthRect().bottom(), header.top());
        for (int year : {1999, 2000, 2001, 2026, 2027}) {
            for (int month = 1; month <= 12; ++month) {
                const QDate first(year, month, 1);
                for (int selectedDay : {1, first.daysInMonth()}) {
                    calendar.setSelectedDate(QDate(year, month, selectedDay));
                    for (int day = 1; day <= first.daysInMonth(); ++day) {
                        const QDate date(year, month, day);
                        const QRect cell = calendar.cellRect(date);
                        SCOPED_TRACE(iso(date).toStdString() + " first day " +
                                     std::to_string(static_cast<int>(firstDay)));
                        ASSERT_FALSE(cell.isEmpty());
                        EXPECT_TRUE(calendar.rect().contains(cell));
                        EXPECT_GT(cell.top(), header.bottom());
                        EXPECT_LT(cell.bottom(), todayLine.top());
                        EXPECT_EQ(calendar.dateAt(cell.center()), date);
                    }
                }
            }
        }
    }
}

TEST(MonthCalendar, TheWeekStartsWhereTheLocaleStartsIt) {
    // The tests run in ja_JP, whose weeks start on Sunday.
    QWidget window;
    const FixedClock clock({{2000, 1, 10}, 9, 0, 0});
    ui::MonthCalendar calendar(&window, clock);
    calendar.setGeometry(0, 0, 162, 143);
    calendar.setSelectedDate(QDate(2000, 1, 10));
    const int firstColumn = calendar.weekdayHeaderRect().left();
    EXPECT_EQ(calendar.cellRect(QDate(2000, 1, 9)).left(), firstColumn);

    calendar.setFirstDayOfWeek(Qt::Monday);
    EXPECT_EQ(calendar.cellRect(QDate(2000, 1, 10)).left(), firstColumn);
    // A month that starts on the first day of the week still shows a week of the month before.
    calendar.setSelectedDate(QDate(2000, 5, 1));
    EXPECT_EQ(calendar.cellRect(QDate(2000, 5, 1)).top(), calendar.cellRect(QDate(2000, 4, 30)).bottom() + 1);
    EXPECT_EQ(calendar.dateAt(calendar.cellRect(QDate(2000, 4, 24)).center()), QDate(2000, 4, 24));
}

TEST(MonthCalendar, ArrowsTurnTheMonthAndNameItInTheTitle) {
    ShownCalendar shown(QDate(1999, 12, 31));
    ui::MonthCalendar& calendar = *shown.calendar;
    QSignalSpy clicked(&calendar, &ui::MonthCalendar::calendarClicked);
    EXPECT_EQ(calendar.title(), "1999年12月");
    EXPECT_TRUE(calendar.findChildren<QWidget*>().isEmpty());

    const struct {
        bool next;
        QString title;
        QDate selected;
    } steps[] = {
        {true, "2000年1月", {2000, 1, 31}},
        {true, "2000年2月", {2000, 2, 29}},
        {false, "2000年1月", {2000, 1, 29}},
        {false, "1999年12月", {1999, 12, 29}},
    };
    for (const auto& step : steps) {
        shown.click((step.next ? calendar.nextMonthRect() : calendar.previousMonthRect()).center());
        EXPECT_EQ(calendar.title(), step.title);
        EXPECT_EQ(calendar.selectedDate(), step.selected);
    }
    EXPECT_EQ(clicked.count(), 4);
}

TEST(MonthCalendar, ArrowsStopAtTheFirstAndTheLastDay) {
    ShownCalendar shown(QDate(1, 1, 15));
    ui::MonthCalendar& calendar = *shown.calendar;
    shown.click(calendar.previousMonthRect().center());
    EXPECT_EQ(calendar.selectedDate(), QDate(1, 1, 15));
    EXPECT_TRUE(calendar.cellRect(QDate(1, 1, 1).addDays(-1)).isEmpty());
    calendar.setSelectedDate(QDate(9999, 12, 20));
    shown.click(calendar.nextMonthRect().center());
    EXPECT_EQ(calendar.selectedDate(), QDate(9999, 12, 20));
    EXPECT_EQ(calendar.title(), "9999年12月");
}

TEST(MonthCalendar, KeysMoveTheSelectionAndNeverClick) {
    const struct {
        Qt::Key key;
        QDate from;
        QDate to;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    } rows[] = {
        {Qt::Key_Right, {2000, 1, 31}, {2000, 2, 1}},
        {Qt::Key_Left, {2000, 3, 1}, {2000, 2, 29}},
        {Qt::Key_Up, {2000, 1, 3}, {1999, 12, 27}},
        {Qt::Key_Down, {2000, 1, 31}, {2000, 2, 7}},
        {Qt::Key_PageUp, {2000, 3, 31}, {2000, 2, 29}},
        {Qt::Key_PageDown, {2000, 1, 30}, {2000, 2, 29}},
        {Qt::Key_Home, {2000, 1, 17}, {2000, 1, 1}},
        {Qt::Key_End, {2000, 2, 10}, {2000, 2, 29}},
        {Qt::Key_PageDown, {2000, 12, 10}, {2001, 1, 10}},
        // With Ctrl, a year; 29 February becomes the 28th of a common year.
        {Qt::Key_PageUp, {2000, 2, 29}, {1999, 2, 28}, Qt::ControlModifier},
        {Qt::Key_PageDown, {2000, 12, 31}, {2001, 12, 31}, Qt::ControlModifier},
        {Qt::Key_PageUp, {1, 6, 1}, {1, 6, 1}, Qt::ControlModifier},
        {Qt::Key_PageDown, {9999, 1, 1}, {9999, 1, 1}, Qt::ControlModifier},
    };
    ShownCalendar shown(QDate(2000, 1, 1));
    ui::MonthCalendar& calendar = *shown.calendar;
    QSignalSpy clicked(&calendar, &ui::MonthCalendar::calendarClicked);
    for (const auto& row : rows) {
        calendar.setSelectedDate(row.from);
        QTest::keyClick(&calendar, row.key, row.modifiers);
        EXPECT_EQ(calendar.selectedDate(), row.to) << iso(row.from).toStdString() << " key " << row.key;
        EXPECT_EQ(calendar.title(), QStringLiteral("%1年%2月").arg(row.to.year()).arg(row.to.month()));
    }
    EXPECT_EQ(clicked.count(), 0);
}

TEST(MonthCalendar, EnterAndSpaceClickTheHighlightedDayOnceAPress) {
    ShownCalendar shown(QDate(2000, 1, 10));
    ui::MonthCalendar& calendar = *shown.calendar;
    QSignalSpy clicked(&calendar, &ui::MonthCalendar::calendarClicked);
    QTest::keyClick(&calendar, Qt::Key_Right);
    EXPECT_EQ(clicked.count(), 0);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) QTest::keyClick(&calendar, key);
    EXPECT_EQ(clicked.count(), 3);
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 1, 11));
    // A key held down repeats; it is still one click.
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    QApplication::sendEvent(&calendar, &repeated);
    EXPECT_EQ(clicked.count(), 3);
}

TEST(MonthCalendar, EveryPressOnAnArrowTurnsAMonthAndADoubleClickFiresOnce) {
    // Eleven quick presses: five double clicks and one more.
    ShownCalendar shown(QDate(2000, 1, 31));
    ui::MonthCalendar& calendar = *shown.calendar;
    QSignalSpy clicked(&calendar, &ui::MonthCalendar::calendarClicked);
    QList<QDate> selectedWhenClicked;
    QObject::connect(&calendar, &ui::MonthCalendar::calendarClicked, &calendar,
                     [&] { selectedWhenClicked << calendar.selectedDate(); });
    for (int pair = 0; pair < 5; ++pair) shown.clickThroughWindow(calendar.nextMonthRect().center(), true);
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 11, 29));
    shown.clickThroughWindow(calendar.nextMonthRect().center());
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 12, 29));
    EXPECT_EQ(clicked.count(), 6);
    // Each click found the calendar already turned by its own press.
    EXPECT_EQ(selectedWhenClicked.front(), QDate(2000, 2, 29));
    EXPECT_EQ(selectedWhenClicked.back(), QDate(2000, 12, 29));
}

TEST(MonthCalendar, TheMonthNameOpensAListOfTheTwelveMonths) {
    ShownCalendar shown(QDate(2000, 3, 31));
    ui::MonthCalendar& calendar = *shown.calendar;
    QSignalSpy clicked(&calendar, &ui::MonthCalendar::calendarClicked);
    EXPECT_GT(calendar.monthRect().left(), calendar.yearRect().right());
    EXPECT_GT(calendar.yearRect().left(), calendar.previousMonthRect().right());
    EXPECT_LT(calendar.monthRect().right(), calendar.nextMonthRect().left());

    const struct {
        int month;
        QDate selected;
    } choices[] = {{2, {2000, 2, 29}}, {1, {2000, 1, 29}}};
    for (const auto& choice : choices) {
        shown.clickThroughWindow(calendar.monthRect().center());
        auto* list = calendar.findChild<QMenu*>();
        ASSERT_TRUE(list && list->isVisible());
        QStringList names;
        QString bold;
        for (QAction* month : list->actions()) {
            names << month->text();
            if (month->font().bold()) bold += month->text();
        }
        EXPECT_EQ(names, QStringList({"1月", "2月", "3月", "4月", "5月", "6月", "7月", "8月", "9月", "10月",
                                      "11月", "12月"}));
        EXPECT_EQ(bold, QStringLiteral("%1月").arg(calendar.selectedDate().month()));
        EXPECT_EQ(list->activeAction()->text(), bold);
        QAction* chosen = list->actions()[choice.month - 1];
        QTest::mouseClick(list, Qt::LeftButton, {}, list->actionGeometry(chosen).center());
        testing::settle();
        EXPECT_FALSE(list->isVisible());
        EXPECT_EQ(calendar.selectedDate(), choice.selected);
    }
    // Escape leaves the month as it was.
    shown.clickThroughWindow(calendar.monthRect().center());
    QTest::keyClick(calendar.findChild<QMenu*>(), Qt::Key_Escape);
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 1, 29));
    EXPECT_EQ(clicked.count(), 0);
}

TEST(MonthCalendar, TheYearTurnsByItsSpinnersArrowsAndTypedDigits) {
    ShownCalendar shown(QDate(2000, 2, 29));
    ui::MonthCalendar& calendar = *shown.calendar;
    QApplication::setActiveWindow(&shown.window);
    QSignalSpy clicked(&calendar, &ui::MonthCalendar::calendarClicked);
    auto openSpinner = [&] {
        shown.clickThroughWindow(calendar.yearRect().center());
        auto* spinner = calendar.findChild<QSpinBox*>();
        EXPECT_TRUE(spinner && spinner->isVisible() && spinner->hasFocus());
        return spinner;
    };

    QSpinBox* spinner = openSpinner();
    ASSERT_TRUE(spinner);
    EXPECT_EQ(spinner->value(), 2000);
    // In the title, between the arrows.
    EXPECT_LT(spinner->geometry().bottom(), calendar.weekdayHeaderRect().top());
    EXPECT_GT(spinner->geometry().left(), calendar.previousMonthRect().right());
    EXPECT_LT(calendar.monthRect().right(), calendar.nextMonthRect().left());
    QTest::keyClick(spinner, Qt::Key_Up);
    EXPECT_EQ(calendar.selectedDate(), QDate(2001, 2, 28));
    QTest::keyClick(spinner, Qt::Key_Down);
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 2, 28));
    // Digits count once the editing ends; Enter ends it, and is no click.
    spinner->selectAll();
    QTest::keyClicks(spinner, "1998");
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 2, 28));
    QTest::keyClick(spinner, Qt::Key_Return);
    EXPECT_EQ(calendar.selectedDate(), QDate(1998, 2, 28));
    EXPECT_FALSE(spinner->isVisible());
    EXPECT_TRUE(calendar.hasFocus());
    EXPECT_EQ(calendar.title(), "1998年2月");

    // Escape goes back to the year it opened on, whatever the arrows did.
    openSpinner();
    QTest::keyClick(spinner, Qt::Key_Up);
    QTest::keyClick(spinner, Qt::Key_Up);
    EXPECT_EQ(calendar.selectedDate(), QDate(2000, 2, 28));
    QTest::keyClick(spinner, Qt::Key_Escape);
    EXPECT_EQ(calendar.selectedDate(), QDate(1998, 2, 28));
    EXPECT_FALSE(spinner->isVisible());

    // A click elsewhere on the calendar keeps what was typed, and then acts as ever.
    openSpinner();
    spinner->selectAll();
    QTest::keyClicks(spinner, "2026");
    shown.clickThroughWindow(calendar.nextMonthRect().center());
    EXPECT_FALSE(spinner->isVisible());
    EXPECT_EQ(calendar.selectedDate(), QDate(2026, 3, 28));
    EXPECT_EQ(clicked.count(), 1);
}

TEST(MonthCalendar, WheelTurnsTheMonthByNotches) {
    ShownCalendar shown(QDate(2000, 1, 31));
    QSignalSpy clicked(shown.calendar, &ui::MonthCalendar::calendarClicked);
    for (const auto& [delta, selected] :
         {std::pair{-120, QDate(2000, 2, 29)}, {60, QDate(2000, 2, 29)}, {60, QDate(2000, 1, 29)}}) {
        QWheelEvent event(QPointF(80, 80), QPointF(80, 80), {}, {0, delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(shown.calendar, &event);
        EXPECT_EQ(shown.calendar->selectedDate(), selected) << "after " << delta;
    }
    EXPECT_EQ(clicked.count(), 0);
}

const QColor kRed(0xD8, 0x10, 0x10), kBlue(0x10, 0x40, 0xD8), kGrey(0xA8, 0xA8, 0xA8);

TEST(MonthCalendar, SaturdaysBlueSundaysAndHolidaysRedOtherMonthsGrey) {
    const struct {
        QDate shown;
        QDate date;
        QColor colour;
    } rows[] = {
        {{2027, 1, 20}, {2027, 1, 1}, kRed},   // 元日, a Friday
        {{2027, 1, 20}, {2027, 1, 9}, kBlue},  // Saturday
        {{2027, 1, 20}, {2027, 1, 10}, kRed},  // Sunday
        {{2027, 1, 20}, {2027, 1, 11}, kRed},  // 成人の日, a Monday
        {{2027, 1, 20}, {2027, 1, 12}, Qt::black},
        {{2027, 1, 20}, {2026, 12, 27}, kGrey},  // a Sunday of the month before
        {{2027, 1, 20}, {2027, 2, 6}, kGrey},    // a Saturday of the month after
        {{2027, 2, 1}, {2027, 2, 11}, kRed},  // the next month's own holidays: 建国記念の日, a Thursday
        {{2027, 2, 1}, {2027, 2, 23}, kRed},  // 天皇誕生日, a Tuesday
        {{2027, 2, 1}, {2027, 1, 11}, kGrey},
    };
    ShownCalendar shown(QDate(2027, 1, 20));
    for (const auto& row : rows) {
        shown.calendar->setSelectedDate(row.shown);
        EXPECT_EQ(shown.calendar->dayColour(row.date), row.colour) << iso(row.date).toStdString();
    }
}

// Pixels of a painted cell whose colour is clearly the given hue.
int pixelsLike(const QImage& image, const QRect& cell, QColor hue) {
    int count = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y) {
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            const bool red = pixel.red() > 150 && pixel.green() < 110 && pixel.blue() < 110;
            const bool blue = pixel.blue() > 150 && pixel.red() < 110 && pixel.green() < 140;
            if ((hue == kRed && red) || (hue == kBlue && blue)) ++count;
        }
    }
    return count;
}

TEST(MonthCalendar, TheDaysArePaintedInTheirColours) {
    ShownCalendar shown(QDate(2027, 1, 20));
    ui::MonthCalendar& calendar = *shown.calendar;
    const QImage image = calendar.grab().toImage();
    const struct {
        QDate date;
        int red;
        int blue;
    } rows[] = {
        {{2027, 1, 9}, 0, 1},   // Saturday
        {{2027, 1, 10}, 1, 0},  // Sunday
        {{2027, 1, 11}, 1, 0},  // 成人の日
        {{2027, 1, 12}, 0, 0},
    };
    for (const auto& row : rows) {
        const QRect cell = calendar.cellRect(row.date);
        SCOPED_TRACE(iso(row.date).toStdString());
        EXPECT_EQ(pixelsLike(image, cell, kRed) > 3, row.red == 1);
        EXPECT_EQ(pixelsLike(image, cell, kBlue) > 3, row.blue == 1);
    }
}

TEST(MonthCalendar, TheFocusIsDrawnOnTheSelectedDay) {
    ShownCalendar shown(QDate(2027, 1, 20));
    ui::MonthCalendar& calendar = *shown.calendar;
    const QRect cell = calendar.cellRect(QDate(2027, 1, 20));
    QApplication::setActiveWindow(&shown.window);
    calendar.clearFocus();
    ASSERT_FALSE(calendar.hasFocus());
    const QImage unfocused = calendar.grab(cell).toImage();
    calendar.setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return calendar.hasFocus(); }));
    EXPECT_NE(calendar.grab(cell).toImage(), unfocused);
}

TEST(MonthCalendar, ToolTipNamesTheComputedDaysAndTheDaysReki) {
    // The computed days, then the day's 暦 as the engine words it; its values are the engine's tests' matter.
    const struct {
        QDate date;
        QString text;
    } rows[] = {
        {{2026, 3, 20},
         "春分の日\n春分（二十四節気）\n雀始巣（七十二候）\n令和8年3月20日　旧暦2月2日　先負　癸巳\n"},
        {{2026, 5, 10}, "母の日\n令和8年5月10日　旧暦3月24日　友引　甲申\n"},
        {{2000, 1, 12}, "平成12年1月12日　旧暦12月6日　大安　己巳\n"},
        {{2101, 1, 1}, "元日"},  // the 暦 is given up to 2100
    };
    QWidget window;
    const FixedClock clock({{2000, 1, 10}, 9, 0, 0});
    const ui::MonthCalendar calendar(&window, clock);
    for (const auto& row : rows) {
        const QString tip = calendar.toolTipFor(row.date);
        EXPECT_TRUE(tip.startsWith(row.text)) << tip.toStdString();
        if (row.date.year() <= 2100) {
            EXPECT_EQ(tip.count(QLatin1Char('\n')) - row.text.count(QLatin1Char('\n')),
                      dayReki({row.date.year(), row.date.month(), row.date.day()}).senjitsu.empty() ? 4 : 5);
            EXPECT_TRUE(tip.contains("東京 日の出 ")) << tip.toStdString();
        }
    }

    // As the user sees it: the mouse resting on the day.
    ShownCalendar shown(QDate(2026, 3, 1));
    const QPoint at = shown.calendar->cellRect(QDate(2026, 3, 20)).center();
    QHelpEvent onDay(QEvent::ToolTip, at, shown.calendar->mapToGlobal(at));
    QApplication::sendEvent(shown.calendar, &onDay);
    EXPECT_EQ(QToolTip::text(), calendar.toolTipFor(QDate(2026, 3, 20)));
    QToolTip::hideText();
    const QPoint onTitle = shown.calendar->nextMonthRect().center();
    QHelpEvent offDays(QEvent::ToolTip, onTitle, shown.calendar->mapToGlobal(onTitle));
    QApplication::sendEvent(shown.calendar, &offDays);
    EXPECT_FALSE(offDays.isAccepted());
}

}  // namespace
}  // namespace daywick
