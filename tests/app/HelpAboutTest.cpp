#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "SjisMemo.h"
#include "TempDir.h"
#include "Unit2.h"
#include "Unit3.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"

namespace daywick {
namespace {

using testing::S;

TEST(HelpWindow, ReadsTheHelpFileOnceAndShowsItUntilTheNextStart) {
    testing::TempDir dir;
    testing::TestServices services(dir.path(), {{2001, 1, 1}, 0, 0, 0});
    dir.write(kHelpFile, S("一行目\n二行目\r三行目\r\n\r\n最後"));
    TForm3 help(services.services());
    EXPECT_EQ(help.windowTitle(), "ﾍﾙﾌﾟ");
    EXPECT_EQ(help.size(), QSize(330, 307));
    EXPECT_EQ(help.Memo1->geometry(), QRect(0, 0, 329, 273));
    EXPECT_EQ(help.Button1->geometry(), QRect(128, 280, 75, 25));
    // IPAGothic, whose name the Japanese locale shows in Japanese; every half-width letter is as wide as any
    // other.
    EXPECT_TRUE(QStringList({"IPAGothic", "IPAゴシック"}).contains(QFontInfo(help.Memo1->font()).family()));
    const QFontMetrics metrics(help.Memo1->font());
    EXPECT_EQ(metrics.horizontalAdvance('i'), metrics.horizontalAdvance('W'));
    EXPECT_EQ(help.Memo1->toPlainText(), "一行目\n二行目\n三行目\n\n最後\n");
    EXPECT_FALSE(help.isVisible());

    // A changed file changes nothing in the window.
    dir.write(kHelpFile, S("新しい内容"));
    help.showWindow();
    EXPECT_EQ(help.Memo1->toPlainText(), "一行目\n二行目\n三行目\n\n最後\n");
}

TEST(HelpWindow, OkAndShowAgainKeepOneWindowWithTheSameText) {
    testing::TempDir dir;
    testing::TestServices services(dir.path(), {{2001, 1, 1}, 0, 0, 0});
    dir.write(kHelpFile, S("ヘルプ\r\n"));
    TForm3 help(services.services());
    help.showWindow();
    help.showWindow();
    EXPECT_TRUE(help.isVisible());
    QTest::mouseClick(help.Button1, Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());
    help.showWindow();
    EXPECT_TRUE(help.isVisible());
    EXPECT_EQ(help.Memo1->bytes(), S("ヘルプ\r\n"));
    EXPECT_EQ(help.Memo1->focusPolicy(), Qt::ClickFocus);  // Tab skips the text
    help.close();
    EXPECT_FALSE(help.isVisible());
}

TEST(AboutWindow, LayoutAndOk) {
    TForm2 about;
    EXPECT_EQ(about.windowTitle(), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(about.size(), QSize(410, 173));
    EXPECT_EQ(about.Label1->text(), "Daywick Ver 3.1");
    EXPECT_EQ(about.Label1->geometry(), QRect(8, 8, 161, 21));
    EXPECT_EQ(about.Label3->text(), "警告...");
    EXPECT_EQ(about.Bevel3->geometry(), QRect(0, 48, 409, 2));
    EXPECT_EQ(about.Bevel1->geometry(), QRect(0, 88, 409, 2));
    EXPECT_EQ(about.Button1->geometry(), QRect(288, 144, 75, 25));
    EXPECT_EQ(about.Label4->width(), 382);
    EXPECT_TRUE(about.Label4->wordWrap());
    // The warning takes three lines of its width, and the last one ends before the OK button begins.
    const QStringList lines = about.Label4->text().split('\n');
    ASSERT_EQ(lines.size(), 3);
    const QFontMetrics metrics(about.Label4->font());
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), 382) << line.toStdString();
    EXPECT_LT(about.Label4->x() + metrics.horizontalAdvance(lines.last()), about.Button1->x());
    about.showWindow();
    EXPECT_TRUE(about.isVisible());
    QTest::mouseClick(about.Button1, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace daywick
