// What every secondary window and message box of the program shares: coming back when minimised, one
// button face, captions that fit, group captions on their frame, and error boxes that name their file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <new>

#include "Application.h"
#include "Handlers.h"
#include "MessageBoxes.h"
#include "ProgramWindows.h"
#include "SjisMemo.h"
#include "TempDir.h"
#include "Unit2.h"
#include "Unit3.h"
#include "Unit4.h"
#include "Unit6.h"
#include "WidgetTestSupport.h"
#include "Widgets.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::ModalAnswerer;

class SecondaryWindows : public ::testing::Test {
protected:
    testing::TempDir dir;
    const bool sampleWritten = (testing::writeSampleDirectory(dir.path()), true);  // the help file first
    testing::TestServices services{dir.path(), {{2026, 12, 9}, 10, 0, 0}};
    DaySelection dates;
    PanelTexts panels;
    TForm2 about;
    TForm3 help{services.services()};
    TForm4 birthday{services.services()};
    TForm6 print{{dates, panels}, [] { return std::unique_ptr<QPrinter>(); }};
    const std::vector<ui::SecondaryWindow*> all{&about, &help, &birthday, &print};
};

TEST_F(SecondaryWindows, AMinimisedWindowComesBackWhenItsMenuItemShowsIt) {
    for (ui::SecondaryWindow* window : all) {
        SCOPED_TRACE(window->windowTitle().toStdString());
        window->showWindow();
        window->showMinimized();
        ASSERT_TRUE(window->isMinimized());
        window->showWindow();
        EXPECT_FALSE(window->isMinimized());
        EXPECT_TRUE(window->isVisible());
        // Shown again while up, it stays up and unminimised.
        window->showWindow();
        EXPECT_FALSE(window->isMinimized());
        window->close();
    }
}

TEST_F(SecondaryWindows, AllWearTheDesktopsButtonFace) {
    for (ui::SecondaryWindow* window : all) {
        EXPECT_EQ(window->palette().color(QPalette::Window), ui::kButtonFace)
            << window->windowTitle().toStdString();
        EXPECT_TRUE(window->autoFillBackground());
    }
    EXPECT_EQ(QApplication::palette().color(QPalette::Button), ui::kButtonFace);
}

TEST_F(SecondaryWindows, TheGroupCaptionSitsOnItsFramesTopLine) {
    QGroupBox* group = print.GroupBox1;
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect frame =
        group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, group);
    const QRect label =
        group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
    EXPECT_GT(frame.top(), label.top());
    EXPECT_LT(frame.top(), label.bottom());
    EXPECT_GT(label.left(), frame.left());
}

// The width of a box a caption needs: the caption in the title bar's font, and room for its buttons.
int widthFor(const QString& caption) {
    return QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption) + 100;
}

TEST(MessageBoxes, AShortTextStillShowsTheWholeCaption) {
    ModalAnswerer answerer;
    ui::showPlainMessage("OK");
    ui::showErrorBox(sjis("エラー"));
    ui::showStopBox(sjis("印刷エラー"), "x");
    ASSERT_EQ(answerer.seen().size(), 3u);
    for (const testing::SeenBox& box : answerer.seen()) {
        EXPECT_GE(box.width, widthFor(box.title)) << box.title.toStdString();
    }
}

TEST(MessageBoxes, TheErrorBoxKeepsItsTextAndNamesTheFileBelow) {
    ModalAnswerer answerer;
    ui::Application::reportError(std::make_exception_ptr(InOutError(ENOENT, "/data/Hana.txt")));
    ui::Application::reportError(std::make_exception_ptr(ConversionError("abcd")));
    ui::Application::reportError(
        std::make_exception_ptr(ConversionError(ConversionError("abcd"), "/data/Tanjyou.txt", 720)));
    ASSERT_EQ(answerer.seen().size(), 3u);
    EXPECT_EQ(answerer.seen()[0].text, "ファイルが見つかりません.");
    EXPECT_EQ(answerer.seen()[0].detail, "/data/Hana.txt");
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(answerer.seen()[1].text, "'abcd' は整数ではありません.");
    EXPECT_EQ(answerer.seen()[1].detail, "");
    EXPECT_EQ(answerer.seen()[2].text, "'abcd' は整数ではありません.");
    EXPECT_EQ(answerer.seen()[2].detail, "/data/Tanjyou.txt の 720 行目");
}

TEST(QtTexts, TheStandardMenusAreInTheLocalesLanguage) {
    // The tests run in ja_JP, as a Japanese desktop does: the program's windows as its entry makes them.
    testing::TempDir dir;
    testing::writeSampleDirectory(dir.path());
    testing::TestServices services(dir.path(), {{2026, 12, 9}, 10, 0, 0});
    ModalAnswerer answerer;
    ProgramWindows windows(services.services(), [] { return std::unique_ptr<QPrinter>(); });
    windows.form1.show();
    // The menus a right click opens on a panel and on a box, as the widgets make them.
    const auto texts = [](QMenu* menu) {
        QStringList items;
        for (QAction* action : menu->actions()) items << action->text();
        delete menu;
        return items.join('|');
    };
    const QString panel = texts(windows.form1.Memo1->createStandardContextMenu());
    EXPECT_TRUE(panel.contains("コピー(&C)")) << panel.toStdString();
    EXPECT_TRUE(panel.contains("すべてを選択")) << panel.toStdString();
    EXPECT_FALSE(panel.contains("&Copy"));
    const QString box = texts(windows.form4.Edit4->createStandardContextMenu());
    EXPECT_TRUE(box.contains("元に戻す(&U)")) << box.toStdString();
    EXPECT_TRUE(box.contains("貼り付け(&P)")) << box.toStdString();
    // The program's own texts stay as they are.
    EXPECT_EQ(answerer.seen().size(), 0u);
    EXPECT_EQ(windows.form4.Button2->text(), "キャンセル");
}

// Memory that ran out ends the handler like any other error, told in words, and the program goes on.
TEST(MessageBoxes, MemoryThatRanOutIsToldInTheErrorBox) {
    ModalAnswerer answerer;
    ui::runHandler([] { throw std::bad_alloc(); });
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].text, "メモリが足りません.");
    EXPECT_EQ(answerer.seen()[0].icon, QMessageBox::Critical);
}

}  // namespace
}  // namespace daywick
