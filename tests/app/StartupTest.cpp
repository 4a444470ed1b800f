#include <gtest/gtest.h>

#include <QApplication>

#include "Application.h"
#include "Daywick1.h"
#include "HostileJpeg.h"
#include "SjisMemo.h"
#include "SplashWin.h"
#include "TempDir.h"
#include "Unit3.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::ModalAnswerer;
using testing::S;

// Start-up as the program's entry runs it: the main window, then the help window that reads "Readme.txt".
struct Startup {
    explicit Startup(testing::TestServices& services) {
        form1 = std::make_unique<TForm1>(services.services());
        form3 = std::make_unique<TForm3>(services.services());
    }
    ModalAnswerer answerer;
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm3> form3;
};

class StartupFailures : public ::testing::Test {
protected:
    void SetUp() override { testing::writeSampleDirectory(dir.path()); }

    testing::TempDir dir;
    testing::TestServices services{dir.path(), {{2000, 1, 10}, 9, 0, 0}, 7};
};

TEST_F(StartupFailures, AllFilesPresentShowsNoBox) {
    Startup startup(services);
    EXPECT_TRUE(startup.answerer.seen().empty());
    EXPECT_EQ(startup.form3->Memo1->bytes(), crlfLines({S("ヘルプ一行目"), S("二行目")}));
    EXPECT_FALSE(startup.form3->isVisible());
}

TEST_F(StartupFailures, MissingHelpFileShowsOneBoxAndAnEmptyHelpWindow) {
    std::filesystem::remove(dir.path() / kHelpFile);
    Startup startup(services);
    ASSERT_EQ(startup.answerer.seen().size(), 1u);
    const testing::SeenBox& box = startup.answerer.seen().front();
    EXPECT_EQ(box.text, "ファイルが見つかりません.");
    EXPECT_EQ(box.title, ui::Application::title());
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QStringList({"OK"}));
    EXPECT_EQ(startup.form3->Memo1->bytes(), "");
    EXPECT_EQ(startup.form1->Image1->pixmap().size(), QSize(161, 145));
}

TEST_F(StartupFailures, MissingPictureFolderNamesTheFileAndKeepsTheReport) {
    std::filesystem::remove_all(dir.path() / "Picture");
    bool splashUpDuringBox = true;
    {
        ModalAnswerer answerer;
        TForm1 form(services.services());
        ASSERT_EQ(answerer.seen().size(), 1u);
        const std::string expected = "ファイル " + dir.str() + "/Picture/image007.jpg は開けません.";
        EXPECT_EQ(answerer.seen().front().text.toStdString(), expected);
        EXPECT_EQ(form.Memo2->bytes(), crlfLines({S("  成人式の準備"), S("  成人の日"), "  M"}));
        EXPECT_TRUE(form.Image1->pixmap().isNull());
        splashUpDuringBox = answerer.splashSeenDuringBox();
    }
    EXPECT_FALSE(splashUpDuringBox);
}

TEST_F(StartupFailures, HostilePictureNamesTheFileAndStartUpGoesOn) {
    // 1.8 GB of coefficients in a 1.8 MB file, under the name of today's picture.
    testing::writeFile(dir.path() / "Picture" / "image007.jpg", testing::progressiveGreyJpeg(30000, 30000));
    Startup startup(services);
    ASSERT_EQ(startup.answerer.seen().size(), 1u);
    const std::string expected = "ファイル " + dir.str() + "/Picture/image007.jpg は開けません.";
    EXPECT_EQ(startup.answerer.seen().front().text.toStdString(), expected);
    EXPECT_FALSE(startup.answerer.splashSeenDuringBox());
    EXPECT_EQ(startup.form1->Memo2->bytes(), crlfLines({S("  成人式の準備"), S("  成人の日"), "  M"}));
    EXPECT_EQ(startup.form1->Memo1->bytes(), crlfLines({S("  1950年 山田花子(50歳)"), S("  スイセン")}));
    EXPECT_EQ(startup.form1->StaticText2->text(), "ただいま01月10日のデータを表示しています。");
    EXPECT_TRUE(startup.form1->Image1->pixmap().isNull());
    // The windows after the main one are made as ever.
    EXPECT_EQ(startup.form3->Memo1->bytes(), crlfLines({S("ヘルプ一行目"), S("二行目")}));
}

TEST_F(StartupFailures, MissingFlowerFileStopsThePassAndThePicture) {
    std::filesystem::remove(dir.path() / kFlowerFile);
    ModalAnswerer answerer;
    TForm1 form(services.services());
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "ファイルが見つかりません.");
    // The message as it always was, and the file to mend below it.
    EXPECT_EQ(answerer.seen().front().detail.toStdString(), (dir.path() / kFlowerFile).string());
    EXPECT_FALSE(answerer.splashSeenDuringBox());
    EXPECT_EQ(form.Memo2->bytes(), crlfLines({S("  成人式の準備"), S("  成人の日"), "  M"}));
    EXPECT_EQ(form.Memo1->bytes(), crlfLines({S("  1950年 山田花子(50歳)")}));
    EXPECT_EQ(form.Memo3->bytes(), "");
    EXPECT_TRUE(form.Image1->pixmap().isNull());
    EXPECT_EQ(form.StaticText2->text(), "ただいま01月10日のデータを表示しています。");
}

TEST_F(StartupFailures, BadBirthdayRecordShowsTheConversionError) {
    testing::writeFile(dir.path() / kBirthdayFile, crlfLines({S("01011950年A"), S("0101abcd年X")}));
    ModalAnswerer answerer;
    TForm1 form(services.services());
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "'abcd' は整数ではありません.");
    // The record to mend, as a missing file's box names the file.
    EXPECT_EQ(answerer.seen().front().detail.toStdString(),
              (dir.path() / kBirthdayFile).string() + " の 2 行目");
}

}  // namespace
}  // namespace daywick
