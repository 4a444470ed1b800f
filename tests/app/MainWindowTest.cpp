#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <set>

#include "Application.h"
#include "Daywick1.h"
#include "MonthCalendar.h"
#include "SjisMemo.h"
#include "SplashWin.h"
#include "TempDir.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::ModalAnswerer;
using testing::S;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { testing::writeSampleDirectory(dir.path()); }

    // The main window built in the data directory, with no box expected on the way.
    std::unique_ptr<TForm1> start() {
        ModalAnswerer answerer;
        auto form = std::make_unique<TForm1>(services.services());
        EXPECT_TRUE(answerer.seen().empty()) << answerer.seen().front().text.toStdString();
        form->show();
        testing::settle();
        return form;
    }

    // A point of the calendar, in the window.
    static QPoint onCalendar(TForm1& form, QPoint at) { return form.MonthCalendar1->mapTo(&form, at); }

    // The centre of a day's cell in the calendar.
    static QPoint dayCell(TForm1& form, QDate date) {
        const QRect cell = form.MonthCalendar1->cellRect(date);
        EXPECT_FALSE(cell.isEmpty()) << "no cell for " << date.toString(Qt::ISODate).toStdString();
        return onCalendar(form, cell.center());
    }

    // A day of the month shown.
    static QPoint dayCell(TForm1& form, int day) {
        const QDate selected = form.MonthCalendar1->selectedDate();
        return dayCell(form, QDate(selected.year(), selected.month(), day));
    }

    static void click(TForm1& form, QPoint at) {
        QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, at);
        testing::settle();
    }

    testing::TempDir dir;
    testing::TestServices services{dir.path(), {{2000, 1, 10}, 15, 4, 9}};
};

TEST_F(MainWindow, LayoutCaptionsAndColours) {
    auto form = start();
    EXPECT_EQ(form->windowTitle(), "Daywick");
    EXPECT_EQ(QApplication::windowIcon().pixmap(48, 48).size(), QSize(48, 48));
    EXPECT_EQ(form->centralWidget()->size(), QSize(696, 441));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);

    const std::pair<QWidget*, QRect> places[] = {
        {form->StaticText1, {8, 0, 321, 19}},
        {form->StaticText2, {344, 0, 345, 19}},
        {form->Label1, {8, 24, 112, 19}},
        {form->Memo2, {8, 48, 321, 161}},
        {form->Label4, {344, 24, 89, 19}},
        {form->Bevel2, {344, 48, 345, 161}},
        {form->Image1, {352, 56, 161, 145}},
        {form->Bevel1, {352, 56, 161, 145}},
        {form->MonthCalendar1, {520, 56, 162, 143}},
        {form->Label2, {8, 216, 132, 19}},
        {form->Memo1, {8, 240, 321, 193}},
        {form->Label3, {344, 216, 112, 19}},
        {form->Memo3, {344, 240, 345, 193}},
    };
    for (const auto& [widget, place] : places)
        EXPECT_EQ(widget->geometry(), place) << widget->metaObject()->className();
    EXPECT_EQ(form->Label5->geometry(), QRect(440, 24, 250, 19));

    EXPECT_EQ(form->Label1->text(), "何の日・行事");
    EXPECT_EQ(form->Label2->text(), "誕生日・誕生花");
    EXPECT_EQ(form->Label3->text(), "歴史・出来事");
    EXPECT_EQ(form->Label4->text(), "カレンダー");
    EXPECT_EQ(form->Label2->palette().color(QPalette::Window), QColor(0xFF, 0x64, 0xB1));
    EXPECT_EQ(form->StaticText2->palette().color(QPalette::Window), QColor(0xB5, 0xFA, 0xFD));
    EXPECT_EQ(form->Memo1->palette().color(QPalette::Base), QColor(0xFF, 0xA2, 0xD0));
    EXPECT_EQ(form->Memo2->palette().color(QPalette::Base), QColor(0xAE, 0xFF, 0xAE));
    EXPECT_EQ(form->Memo3->palette().color(QPalette::Base), QColor(0xFF, 0xAE, 0xAE));
    EXPECT_EQ(form->Label1->font().pixelSize(), 19);
    EXPECT_TRUE(form->Label1->font().bold());
    EXPECT_EQ(form->Label5->font().pixelSize(), 15);
    EXPECT_TRUE(form->Label5->font().bold());
    EXPECT_EQ(form->Label5->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_TRUE(
        QStringList({"IPAPGothic", "IPA Pゴシック"}).contains(QFontInfo(form->Memo1->font()).family()));
    EXPECT_TRUE(form->Memo1->isReadOnly());

    QStringList menus;
    for (QAction* menu : form->menuBar()->actions()) {
        menus << menu->text();
        for (QAction* item : menu->menu()->actions()) menus << "  " + item->text();
    }
    EXPECT_EQ(menus,
              QStringList({"ﾌｧｲﾙ(&F)", "  印刷(&P)", "  終了(&X)", "登録(&E)", "  誕生日(&B)", "表示(&V)",
                           "  こよみ(&K)", "ﾍﾙﾌﾟ(&H)", "  ﾍﾙﾌﾟ(&H)", "  ﾊﾞｰｼﾞｮﾝ情報(&V)"}));

    // Tab order: calendar, birthdays, events, history.
    std::vector<QWidget*> order;
    for (QWidget* w = form->MonthCalendar1->nextInFocusChain(); order.size() < 40;
         w = w->nextInFocusChain()) {
        if (w == form->Memo1 || w == form->Memo2 || w == form->Memo3) order.push_back(w);
        if (order.size() == 3) break;
    }
    EXPECT_EQ(order, (std::vector<QWidget*>{form->Memo1, form->Memo2, form->Memo3}));
}

TEST_F(MainWindow, TheClockLineWaitsForTheFirstTickAfterStartUp) {
    ModalAnswerer answerer;
    TForm1 form(services.services());
    EXPECT_EQ(form.StaticText1->text(), "");
    EXPECT_TRUE(form.Timer1->isActive());
    QTest::qWait(400);
    EXPECT_EQ(form.StaticText1->text(), "ただいまの時刻は午後3時4分9秒です。");
}

TEST_F(MainWindow, StartsOnTodayWithItsReportAndAPicture) {
    auto form = start();
    EXPECT_EQ(QCoreApplication::applicationVersion(), "3.1.0.0");
    EXPECT_EQ(ui::Application::productVersion(), "1.0.0.0");
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QApplication::focusWidget());
    EXPECT_TRUE(form->MonthCalendar1->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "10"}));
    EXPECT_EQ(form->dates().startup(), (DateTexts{"2000", "01", "10"}));
    EXPECT_EQ(form->MonthCalendar1->selectedDate(), QDate(2000, 1, 10));
    EXPECT_EQ(form->StaticText2->text(), "ただいま01月10日のデータを表示しています。");
    EXPECT_EQ(form->Memo2->bytes(), crlfLines({S("  成人式の準備"), S("  成人の日"), "  M"}));
    EXPECT_EQ(form->Memo1->bytes(), crlfLines({S("  1950年 山田花子(50歳)"), S("  スイセン")}));
    EXPECT_EQ(form->Memo3->bytes(), crlfLines({S("  1868年 出来事")}));
    EXPECT_EQ(form->Memo1->toPlainText(), "  1950年 山田花子(50歳)\n  スイセン\n");
    // The picture in the screen's own pixels: 161 x 145 of them at 100 %, 322 x 290 on a desktop at 200 %
    // (this test runs once more with QT_SCALE_FACTOR=2).
    const qreal ratio = form->Image1->devicePixelRatioF();
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR")) {
        EXPECT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
    }
    EXPECT_EQ(form->Image1->pixmap().size(), (QSizeF(161, 145) * ratio).toSize());
    EXPECT_EQ(form->Image1->pixmap().deviceIndependentSize(), QSizeF(161, 145));
    EXPECT_EQ(services.beeps, 0);
}

TEST_F(MainWindow, ClockLineUsesTheLocalesDesignators) {
    auto form = start();
    form->Timer1Timer();
    EXPECT_EQ(form->StaticText1->text(), "ただいまの時刻は午後3時4分9秒です。");
    services.clock.set({{2000, 1, 10}, 0, 30, 0});
    form->Timer1Timer();
    EXPECT_EQ(form->StaticText1->text(), "ただいまの時刻は午前12時30分0秒です。");
    services.clock.set({{2000, 1, 10}, 12, 0, 7});
    form->Timer1Timer();
    EXPECT_EQ(form->StaticText1->text(), "ただいまの時刻は午後12時0分7秒です。");
    EXPECT_EQ(form->Timer1->interval(), 300);
    EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(MainWindow, ClickingADayShowsItAndBeepsOnce) {
    auto form = start();
    click(*form, dayCell(*form, 11));
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "11"}));
    EXPECT_EQ(form->dates().startup(), (DateTexts{"2000", "01", "10"}));
    EXPECT_EQ(form->StaticText2->text(), "ただいま01月11日のデータを表示しています。");
    // The data's record, then the 七十二候 that begins that day.
    EXPECT_EQ(form->Memo2->bytes(), crlfLines({S("  鏡開き"), S("  水泉動（七十二候）")}));
    EXPECT_EQ(form->Memo1->bytes(), crlfLines({S("  1960年 鈴木一郎(40歳)"), S("  ロウバイ")}));
    EXPECT_EQ(form->Memo3->bytes(), crlfLines({S("  1900年 別の出来事")}));

    // The same day again refreshes again.
    click(*form, dayCell(*form, 11));
    EXPECT_EQ(services.beeps, 2);
    EXPECT_EQ(form->Memo2->bytes(), crlfLines({S("  鏡開き"), S("  水泉動（七十二候）")}));
}

TEST_F(MainWindow, DoubleClickFiresOnce) {
    auto form = start();
    QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, dayCell(*form, 11));
    testing::settle();
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(form->dates().selected().day, "11");
}

TEST_F(MainWindow, MonthArrowTakesTheSelectionAlongAndRefreshes) {
    auto form = start();
    click(*form, onCalendar(*form, form->MonthCalendar1->nextMonthRect().center()));
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(form->MonthCalendar1->selectedDate(), QDate(2000, 2, 10));
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "02", "10"}));
    EXPECT_EQ(form->Memo2->bytes(), crlfLines({"  M"}));
}

TEST_F(MainWindow, KeyboardMovesTheHighlightOnly) {
    auto form = start();
    form->MonthCalendar1->setFocus();
    QTest::keyClick(form->MonthCalendar1, Qt::Key_Right);
    testing::settle();
    EXPECT_EQ(form->MonthCalendar1->selectedDate(), QDate(2000, 1, 11));
    EXPECT_EQ(services.beeps, 0);
    EXPECT_EQ(form->dates().selected().day, "10");
    EXPECT_EQ(form->StaticText2->text(), "ただいま01月10日のデータを表示しています。");
}

TEST_F(MainWindow, PressAndReleaseMustBothFallInside) {
    auto form = start();
    const QPoint inside = dayCell(*form, 12);
    const QPoint outside = form->Memo2->geometry().center();
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, inside);
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, outside);
    testing::settle();
    EXPECT_EQ(services.beeps, 0);
    QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, outside);
    QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, inside);
    testing::settle();
    EXPECT_EQ(services.beeps, 0);
}

TEST_F(MainWindow, TodayLineSelectsToday) {
    auto form = start();
    click(*form, dayCell(*form, 20));
    ASSERT_EQ(form->dates().selected().day, "20");
    EXPECT_EQ(form->MonthCalendar1->todayText(), "今日: 2000/01/10");
    click(*form, onCalendar(*form, form->MonthCalendar1->todayLineRect().center()));
    EXPECT_EQ(services.beeps, 2);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "10"}));
}

TEST_F(MainWindow, ClickingTheSixthWeekAndTheNeighbouringMonthsDays) {
    auto form = start();
    // 31 January 2000 lies in the sixth week of the month's grid.
    click(*form, dayCell(*form, 31));
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "31"}));
    EXPECT_EQ(form->StaticText2->text(), "ただいま01月31日のデータを表示しています。");

    // A dimmed day of the next month selects it and shows its month; then one of the month before.
    click(*form, dayCell(*form, QDate(2000, 2, 3)));
    EXPECT_EQ(services.beeps, 2);
    EXPECT_EQ(form->MonthCalendar1->title(), "2000年2月");
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "02", "03"}));
    click(*form, dayCell(*form, QDate(2000, 1, 30)));
    EXPECT_EQ(services.beeps, 3);
    EXPECT_EQ(form->MonthCalendar1->title(), "2000年1月");
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "30"}));
}

TEST_F(MainWindow, ClickingTheMonthTitleRefreshesTheSameDay) {
    auto form = start();
    // The title's band beside the year and the month, which open their choosers instead.
    const QPoint band(form->MonthCalendar1->previousMonthRect().right() + 3,
                      form->MonthCalendar1->previousMonthRect().center().y());
    ASSERT_LT(band.x(), form->MonthCalendar1->yearRect().left());
    click(*form, onCalendar(*form, band));
    click(*form, onCalendar(*form, form->MonthCalendar1->weekdayHeaderRect().center()));
    EXPECT_EQ(services.beeps, 2);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "10"}));
}

TEST_F(MainWindow, MonthArrowDoubleClickTurnsTwoMonthsAndFiresOnce) {
    auto form = start();
    QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {},
                       onCalendar(*form, form->MonthCalendar1->nextMonthRect().center()));
    testing::settle();
    // The click fired at the first press's release, for the day the calendar had then; the second press
    // turned the calendar on, to be shown at the next click.
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(form->MonthCalendar1->selectedDate(), QDate(2000, 3, 10));
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "02", "10"}));
    EXPECT_EQ(form->StaticText2->text(), "ただいま02月10日のデータを表示しています。");
    click(*form, onCalendar(*form, form->MonthCalendar1->todayLineRect().center()));
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "10"}));
}

TEST_F(MainWindow, AFarMonthIsReachedWithoutAClickAndShownAtEnter) {
    auto form = start();
    ui::MonthCalendar& calendar = *form->MonthCalendar1;
    QApplication::setActiveWindow(form.get());
    // December 1998: a year back with Ctrl+PageUp, then the month from the list.
    calendar.setFocus();
    QTest::keyClick(&calendar, Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(&calendar, Qt::Key_PageUp, Qt::ControlModifier);
    click(*form, onCalendar(*form, calendar.monthRect().center()));
    auto* list = calendar.findChild<QMenu*>();
    ASSERT_TRUE(list && list->isVisible());
    QTest::mouseClick(list, Qt::LeftButton, {}, list->actionGeometry(list->actions()[11]).center());
    testing::settle();
    EXPECT_EQ(calendar.selectedDate(), QDate(1998, 12, 10));
    // Nothing of it was a click: the panels still show the day last clicked.
    EXPECT_EQ(services.beeps, 0);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"2000", "01", "10"}));
    EXPECT_EQ(form->StaticText2->text(), "ただいま01月10日のデータを表示しています。");

    // The keyboard's click shows it; the arrows only move the highlight, as before.
    QTest::keyClick(&calendar, Qt::Key_Right);
    QTest::keyClick(&calendar, Qt::Key_Return);
    testing::settle();
    EXPECT_EQ(services.beeps, 1);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"1998", "12", "11"}));
    EXPECT_EQ(form->StaticText2->text(), "ただいま12月11日のデータを表示しています。");
    EXPECT_EQ(form->Label5->text(), "旧暦10月23日 友引 壬辰");
    QTest::keyClick(&calendar, Qt::Key_Down);
    QTest::keyClick(&calendar, Qt::Key_Space);
    EXPECT_EQ(services.beeps, 2);
    EXPECT_EQ(form->dates().selected(), (DateTexts{"1998", "12", "18"}));
}

TEST_F(MainWindow, AFailingPassStillNamesTheDayThePanelsShow) {
    auto form = start();
    std::filesystem::remove(dir.path() / kFlowerFile);
    ModalAnswerer answerer;
    click(*form, dayCell(*form, 11));
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "ファイルが見つかりません.");
    // The panels hold the 11th's first files, and the lines above them name the 11th.
    EXPECT_EQ(form->Memo2->bytes(), crlfLines({S("  鏡開き"), S("  水泉動（七十二候）")}));
    EXPECT_EQ(form->Memo1->bytes(), crlfLines({S("  1960年 鈴木一郎(40歳)")}));
    EXPECT_EQ(form->StaticText2->text(), "ただいま01月11日のデータを表示しています。");
    EXPECT_EQ(form->Label5->text(), "旧暦12月5日 仏滅 戊辰");
    EXPECT_EQ(services.beeps, 0);
}

TEST_F(MainWindow, KoyomiLabelFollowsTheSelectedDay) {
    auto form = start();
    EXPECT_EQ(form->Label5->text(), "旧暦12月4日 先負 丁卯  成人の日");
    click(*form, dayCell(*form, 11));
    EXPECT_EQ(form->Label5->text(), "旧暦12月5日 仏滅 戊辰");
}

TEST_F(MainWindow, KoyomiLabelKeepsAReadableSizeAndCutsALongHolidayName) {
    services.clock.set({{1993, 6, 9}, 9, 0, 0});
    auto form = start();
    const QString whole = "旧暦4月20日 大安 辛酉  皇太子徳仁親王の結婚の儀";
    const QString shown = form->Label5->text();
    // Smaller, but never below the panels' own size; the rest is cut, and the tooltip has it all.
    EXPECT_LT(form->Label5->font().pixelSize(), 15);
    EXPECT_GE(form->Label5->font().pixelSize(), 12);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(shown.chopped(1)));
    EXPECT_LE(QFontMetrics(form->Label5->font()).horizontalAdvance(shown),
              form->Label5->contentsRect().width() - form->Label5->indent());
    // The tooltip also says what a click on the label does.
    const QString opens = "クリックすると「こよみ」のウィンドウを開きます";
    EXPECT_EQ(form->Label5->toolTip(), whole + "\n" + opens);
    click(*form, dayCell(*form, 10));
    EXPECT_EQ(form->Label5->font().pixelSize(), 15);
    EXPECT_EQ(form->Label5->text(), "旧暦4月21日 赤口 壬戌");
    EXPECT_EQ(form->Label5->toolTip(), opens);
}

TEST_F(MainWindow, KoyomiLabelNamesATenshaOrIchiryuManbaiDayWhereItFits) {
    // 16 December 2026 is both: only the first fits beside the koyomi in the label's own size.
    services.clock.set({{2026, 12, 16}, 9, 0, 0});
    auto form = start();
    EXPECT_EQ(form->Label5->text(), "旧暦11月8日 赤口 甲子  天赦日");
    EXPECT_EQ(form->Label5->font().pixelSize(), 15);
    // 15 December is an 一粒万倍日 alone.
    click(*form, dayCell(*form, 15));
    EXPECT_EQ(form->Label5->text(), "旧暦11月7日 大安 癸亥  一粒万倍日");
    // A day that is neither.
    click(*form, dayCell(*form, 14));
    EXPECT_EQ(form->Label5->text(), "旧暦11月6日 仏滅 壬戌");
}

TEST_F(MainWindow, KoyomiLabelSaysWhereTheKoyomiEnds) {
    services.clock.set({{2101, 1, 1}, 9, 0, 0});
    auto form = start();
    EXPECT_EQ(form->Label5->text(), "暦は2100年まで  元日");
    click(*form, dayCell(*form, 5));
    EXPECT_EQ(form->Label5->text(), "暦は2100年まで");
    form->MonthCalendar1->setSelectedDate(QDate(1872, 12, 31));
    form->MonthCalendar1Click();
    EXPECT_EQ(form->Label5->text(), "暦は1873年から");
}

TEST_F(MainWindow, ExitAsksFirst) {
    auto form = start();
    {
        ModalAnswerer answerer("キャンセル");
        form->Exit1Click();
        ASSERT_EQ(answerer.seen().size(), 1u);
        const testing::SeenBox& box = answerer.seen().front();
        EXPECT_EQ(box.title, "確認");
        EXPECT_EQ(box.text, "終了しますか");
        EXPECT_EQ(box.icon, QMessageBox::Question);
        EXPECT_EQ(box.buttons, QStringList({"はい(&Y)", "キャンセル"}));
    }
    EXPECT_TRUE(form->isVisible());
    {
        ModalAnswerer answerer("はい(&Y)");
        form->Exit1Click();
    }
    EXPECT_FALSE(form->isVisible());
}

TEST(SystemServices, DrawEveryPictureFrom0To36AndFindTheDataInTheWorkingDirectory) {
    const ui::Services services = ui::Services::system();
    std::set<int> seen;
    for (int i = 0; i < 5000; ++i) seen.insert(services.drawPicture());
    EXPECT_EQ(seen.size(), 37u);
    EXPECT_EQ(*seen.begin(), 0);
    EXPECT_EQ(*seen.rbegin(), 36);
    EXPECT_EQ(services.dataDir, std::filesystem::current_path().string());
}

}  // namespace
}  // namespace daywick
