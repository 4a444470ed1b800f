// The こよみ window: opened from its menu item and from the koyomi label, one window only, following the day
// the main window shows, the moon drawn in its phase, and a day outside the 暦's years.

#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "Daywick1.h"
#include "MonthCalendar.h"
#include "MoonPicture.h"
#include "TempDir.h"
#include "Unit7.h"
#include "WidgetTestSupport.h"

namespace daywick {
namespace {

using testing::ModalAnswerer;

class KoyomiWindow : public ::testing::Test {
protected:
    void SetUp() override {
        testing::writeSampleDirectory(dir.path());
        ModalAnswerer answerer;
        form = std::make_unique<TForm1>(services.services());
        form->setSecondaryWindows({nullptr, nullptr, nullptr, nullptr, &koyomi});
        form->show();
        testing::settle();
    }

    void clickDay(int day) {
        const QDate selected = form->MonthCalendar1->selectedDate();
        const QPoint at =
            form->MonthCalendar1->cellRect(QDate(selected.year(), selected.month(), day)).center();
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                          form->MonthCalendar1->mapTo(form.get(), at));
        testing::settle();
    }

    QString value(const char* name) const {
        for (std::size_t i = 0; i < TForm7::kItems; ++i) {
            if (koyomi.ItemNames[i]->text() == QString::fromUtf8(name)) return koyomi.ItemValues[i]->text();
        }
        ADD_FAILURE() << "no item " << name;
        return {};
    }

    testing::TempDir dir;
    testing::TestServices services{dir.path(), {{2026, 12, 9}, 10, 0, 0}};
    TForm7 koyomi;
    std::unique_ptr<TForm1> form;
};

TEST_F(KoyomiWindow, OpensFromTheMenuAndFromTheLabelAsOneWindow) {
    EXPECT_FALSE(koyomi.isVisible());
    EXPECT_EQ(koyomi.windowTitle(), "こよみ");
    EXPECT_EQ(form->Koyomi1->text(), "こよみ(&K)");
    const auto* menu = qobject_cast<QMenu*>(form->Koyomi1->parent());
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), "表示(&V)");

    form->Koyomi1->trigger();
    testing::settle();
    EXPECT_TRUE(koyomi.isVisible());
    EXPECT_EQ(koyomi.day(), (CivilDate{2026, 12, 9}));
    EXPECT_EQ(koyomi.Label3->text(), "9");
    EXPECT_EQ(value("旧暦"), "11月1日");
    EXPECT_EQ(value("七十二候"), "閉塞成冬\n（そらさむくふゆとなる）");
    EXPECT_EQ(value("日の出・日の入"), "6:38 ・ 16:28　（東京）");

    // Closed by its button, opened again by a click on the label: the same window, the same day.
    koyomi.Button1->click();
    EXPECT_FALSE(koyomi.isVisible());
    EXPECT_TRUE(form->Label5->toolTip().contains("「こよみ」"));
    QTest::mouseClick(form->Label5, Qt::LeftButton);
    testing::settle();
    EXPECT_TRUE(koyomi.isVisible());
    form->Koyomi1->trigger();
    EXPECT_TRUE(koyomi.isVisible());
    EXPECT_EQ(koyomi.day(), (CivilDate{2026, 12, 9}));
}

TEST_F(KoyomiWindow, FollowsTheDayTheMainWindowShows) {
    form->Koyomi1->trigger();
    clickDay(16);
    EXPECT_EQ(koyomi.day(), (CivilDate{2026, 12, 16}));
    EXPECT_EQ(koyomi.Label3->text(), "16");
    EXPECT_EQ(value("選日"), "天赦日 一粒万倍日 甲子の日");
    EXPECT_EQ(value("九星"), "一白水星");

    // Hidden, it is not kept up to date; shown again, it shows the day the panels show, which the keyboard's
    // highlight alone does not change.
    koyomi.Button1->click();
    clickDay(20);
    QTest::keyClick(form->MonthCalendar1, Qt::Key_Right);
    form->Koyomi1->trigger();
    EXPECT_EQ(koyomi.day(), (CivilDate{2026, 12, 20}));
}

TEST_F(KoyomiWindow, WeekdaysAndHolidaysInTheirColours) {
    const auto colour = [&](const CivilDate& day) {
        koyomi.showDay(day);
        return koyomi.Label3->palette().color(QPalette::WindowText);
    };
    EXPECT_EQ(colour({2026, 12, 13}), QColor(0xD8, 0x10, 0x10));  // a Sunday
    EXPECT_EQ(colour({2026, 12, 12}), QColor(0x10, 0x40, 0xD8));  // a Saturday
    EXPECT_EQ(colour({2026, 12, 9}), QColor(Qt::black));
    EXPECT_EQ(colour({2026, 11, 23}), QColor(0xD8, 0x10, 0x10));  // 勤労感謝の日, a Monday
    EXPECT_EQ(koyomi.Label5->text(), "勤労感謝の日");
    EXPECT_EQ(koyomi.Label4->text(), "月曜日");
}

TEST_F(KoyomiWindow, OutsideTheYearsOfTheRekiItSaysSo) {
    koyomi.showDay({2101, 1, 5});
    EXPECT_EQ(koyomi.Label3->text(), "5");
    EXPECT_EQ(koyomi.Label2->text(), "1月");
    EXPECT_FALSE(koyomi.ItemValues[0]->isVisibleTo(&koyomi));
    EXPECT_FALSE(koyomi.Image1->isVisibleTo(&koyomi));
    EXPECT_TRUE(koyomi.Label6->isVisibleTo(&koyomi));
    EXPECT_EQ(koyomi.Label6->text(), "2101年の暦はありません\n（暦は1873年から2100年まで）");
    koyomi.showDay({2026, 12, 9});
    EXPECT_FALSE(koyomi.Label6->isVisibleTo(&koyomi));
    EXPECT_TRUE(koyomi.ItemValues[0]->isVisibleTo(&koyomi));
}

TEST_F(KoyomiWindow, EveryValueFitsItsRowAndTheButtonTakesTheFocus) {
    // The longest readings and 選日 lists of a year stay inside the window, above the button.
    for (const CivilDate& day :
         {CivilDate{2026, 3, 25}, CivilDate{2026, 9, 23}, CivilDate{2026, 12, 16}, CivilDate{2026, 12, 13}}) {
        koyomi.showDay(day);
        for (std::size_t i = 0; i < TForm7::kItems; ++i) {
            const QLabel* label = koyomi.ItemValues[i];
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << i;
            EXPECT_LE(label->geometry().bottom(), koyomi.Button1->geometry().top()) << i;
        }
    }
    EXPECT_EQ(koyomi.Button1->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
}

// The share of the picture's lit pixels left and right of its middle.
std::pair<int, int> litPixels(ui::MoonPicture& moon) {
    const QImage image = moon.grab().toImage();
    int left = 0, right = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() > 170) (x < image.width() / 2 ? left : right)++;
        }
    }
    return {left, right};
}

TEST(MoonPicture, TheLitPartFollowsTheAgeWaxingOnTheRightWaningOnTheLeft) {
    QWidget window;
    ui::MoonPicture moon(&window);
    moon.resize(84, 84);

    moon.setAge(4);  // a waxing crescent
    EXPECT_TRUE(moon.litOnTheRight());
    EXPECT_NEAR(moon.litFraction(), 0.17, 0.02);
    auto [left, right] = litPixels(moon);
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 400);

    moon.setAge(24);  // past the last quarter, waning
    EXPECT_FALSE(moon.litOnTheRight());
    EXPECT_NEAR(moon.litFraction(), 0.31, 0.02);
    std::tie(left, right) = litPixels(moon);
    EXPECT_GT(left, 600);
    EXPECT_EQ(right, 0);

    moon.setAge(14.77);  // full
    EXPECT_NEAR(moon.litFraction(), 1, 0.001);
    std::tie(left, right) = litPixels(moon);
    EXPECT_NEAR(left, right, left / 20);

    // A gibbous moon is lit past the middle; the lit area grows with the fraction.
    moon.setAge(11);
    const auto gibbous = litPixels(moon);
    EXPECT_GT(gibbous.first, 0);
    EXPECT_GT(gibbous.second, gibbous.first);
    moon.setAge(0);
    EXPECT_EQ(litPixels(moon), std::make_pair(0, 0));
}

}  // namespace
}  // namespace daywick
