#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "Application.h"
#include "Daywick1.h"
#include "SjisMemo.h"
#include "TempDir.h"
#include "Unit4.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::ModalAnswerer;
using testing::S;
using testing::SeenBox;

TEST(BirthdayDialogLayout, WindowControlsAndTabOrder) {
    testing::TempDir dir;
    testing::TestServices services(dir.path(), {{2026, 12, 8}, 10, 0, 0});
    TForm4 form(services.services());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "誕生日登録");
    EXPECT_EQ(form.size(), QSize(325, 191));
    EXPECT_EQ(form.pos(), QPoint(146, 120));
    EXPECT_EQ(form.font().pixelSize(), 16);

    struct Control {
        QWidget* widget;
        QRect place;
        QString text;
    };
    const Control controls[] = {
        {form.Edit1, {32, 48, 89, 24}, ""},         {form.Label1, {128, 56, 25, 25}, "年"},
        {form.Edit2, {152, 48, 49, 24}, ""},        {form.Label2, {208, 56, 33, 17}, "月"},
        {form.Edit3, {240, 48, 41, 24}, ""},        {form.Label3, {288, 56, 25, 17}, "日"},
        {form.Label4, {40, 112, 49, 25}, "名前"},   {form.Edit4, {104, 112, 153, 24}, ""},
        {form.Button1, {120, 152, 75, 25}, "登録"}, {form.Button2, {224, 152, 75, 25}, "キャンセル"},
    };
    for (const Control& control : controls) {
        EXPECT_EQ(control.widget->geometry(), control.place) << control.text.toStdString();
        if (auto* label = qobject_cast<QLabel*>(control.widget)) {
            EXPECT_EQ(label->text(), control.text);
        }
        if (auto* button = qobject_cast<QPushButton*>(control.widget)) {
            EXPECT_EQ(button->text(), control.text);
            EXPECT_EQ(button->font().pixelSize(), 12);
            EXPECT_FALSE(button->isDefault());
        }
        if (auto* box = qobject_cast<QLineEdit*>(control.widget)) {
            EXPECT_TRUE(box->text().isEmpty());
        }
    }
    EXPECT_EQ(form.Label4->font().pixelSize(), 19);
    for (QLineEdit* box : {form.Edit1, form.Edit2, form.Edit3}) {
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0xA8, 0xFF, 0xA8));
    }
    EXPECT_EQ(form.Edit4->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xA8));
    EXPECT_EQ(form.Edit1->toolTip(), "西暦４桁または和暦アルファベット+年(H10)のように入力して下さい");
    // The year's keys go past the input method; month, day and name keep it.
    EXPECT_EQ(form.Edit1->inputMethodHints(), Qt::ImhLatinOnly | Qt::ImhPreferNumbers);
    EXPECT_FALSE(form.Edit1->testAttribute(Qt::WA_InputMethodEnabled));
    for (QLineEdit* box : {form.Edit2, form.Edit3, form.Edit4}) {
        EXPECT_TRUE(box->testAttribute(Qt::WA_InputMethodEnabled));
        EXPECT_EQ(box->inputMethodHints(), Qt::ImhNone);
    }

    std::vector<QWidget*> order;
    QWidget* widget = form.Edit1;
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order.push_back(widget);
        widget = widget->nextInFocusChain();
    } while (widget != form.Edit1);
    EXPECT_EQ(order, (std::vector<QWidget*>{form.Edit1, form.Edit2, form.Edit3, form.Edit4, form.Button1,
                                            form.Button2}));
}

class BirthdayDialog : public ::testing::Test {
protected:
    static inline const std::string kBefore = crlfLines({S("01101950年山田花子")});

    void SetUp() override {
        dir.write(kBirthdayFile, kBefore);
        form.showWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    void type(const QString& year, const QString& month, const QString& day, const QString& name) {
        form.Edit1->setText(year);
        form.Edit2->setText(month);
        form.Edit3->setText(day);
        form.Edit4->setText(name);
    }

    QStringList boxes() const {
        return {form.Edit1->text(), form.Edit2->text(), form.Edit3->text(), form.Edit4->text()};
    }

    // Clicks "登録" with the mouse and answers what comes up.
    std::vector<SeenBox> clickRegister() {
        ModalAnswerer answerer;
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        testing::settle();
        return answerer.seen();
    }

    std::string file() const { return dir.read(kBirthdayFile); }

    testing::TempDir dir;
    testing::TestServices services{dir.path(), {{2026, 12, 8}, 10, 0, 0}};
    FixedClock& clock = services.clock;
    TForm4 form{services.services()};
};

TEST_F(BirthdayDialog, FirstActivationFocusesTheYearBox) {
    EXPECT_EQ(QApplication::focusWidget(), form.Edit1);
}

TEST_F(BirthdayDialog, OnlyTheYearBoxTellsTheInputMethodToStayAway) {
    // What Qt asks the focused widget before it passes keys to an input method.
    const auto acceptsInputMethod = [](QWidget* box) {
        box->setFocus();
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(QApplication::focusObject(), &query);
        return query.value(Qt::ImEnabled).toBool();
    };
    EXPECT_FALSE(acceptsInputMethod(form.Edit1));
    EXPECT_TRUE(acceptsInputMethod(form.Edit2));
    EXPECT_TRUE(acceptsInputMethod(form.Edit3));
    EXPECT_TRUE(acceptsInputMethod(form.Edit4));
    EXPECT_FALSE(acceptsInputMethod(form.Edit1));
}

TEST_F(BirthdayDialog, RegistrationAppendsTheRecordEmptiesTheBoxesAndFocusesTheYear) {
    type("H2", "3", "15", "佐藤 次郎");
    form.Edit3->setFocus();
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(file(), kBefore + S("03151990年佐藤 次郎") + "\r\n");
    EXPECT_EQ(boxes(), QStringList({"", "", "", ""}));
    EXPECT_EQ(form.focusWidget(), form.Edit1);
    EXPECT_TRUE(form.isVisible());

    // The next entry follows at once, with this year in the era of 令和.
    type("R8", "12", "1", "新井");
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(file(), kBefore + S("03151990年佐藤 次郎\r\n12012026年新井\r\n"));

    // Month and day as an input method in Hiragana mode commits them, full-width.
    type("S40", "１２", "８", "高橋");
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(file(), kBefore + S("03151990年佐藤 次郎\r\n12012026年新井\r\n12081965年高橋\r\n"));
}

TEST_F(BirthdayDialog, EachRefusalShowsOneMessageAndKeepsTheBoxes) {
    struct Row {
        QStringList typed;
        QString message;
        QWidget* focusAfter;  // the clicked button keeps the focus unless the name is to be fixed
    };
    const Row rows[] = {
        {{"2027", "1", "1", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"1990", "13", "1", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"2027", "1", "1", ""}, "正しく年月日を入力して下さい ", form.Button1},
        {{"1990", "1", "1", ""}, "名前を入力して下さい ", form.Edit4},
        {{"1990", "1", "1", "山田\r\n01011990年"}, "名前に使えない文字が含まれています ", form.Edit4},
        {{"1990", "1", "1", "𠮷田"}, "名前に使えない文字が含まれています ", form.Edit4},
        {{"1990", "1", "1", "山田😀"}, "名前に使えない文字が含まれています ", form.Edit4},
        // A day its month does not have, and an era year no era had.
        {{"H10", "2", "31", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"1990", "4", "31", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"1999", "2", "29", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"H100", "1", "1", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"H１００", "1", "1", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        {{"R0", "1", "1", "山田"}, "正しく年月日を入力して下さい ", form.Button1},
        // A name the birthdays panel would cut: 101 bytes of Shift_JIS.
        {{"1990", "1", "1", QString(50, u'名') + "a"},
         "名前は全角50文字（半角100文字）までにして下さい ",
         form.Edit4},
    };
    for (const Row& row : rows) {
        type(row.typed[0], row.typed[1], row.typed[2], row.typed[3]);
        form.Edit2->setFocus();
        const std::vector<SeenBox> seen = clickRegister();
        ASSERT_EQ(seen.size(), 1u) << row.typed.join('|').toStdString();
        EXPECT_EQ(seen[0].text, row.message);
        EXPECT_EQ(seen[0].title, ui::Application::title());
        EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
        EXPECT_EQ(seen[0].buttons, QStringList({"OK"}));
        EXPECT_EQ(boxes(), row.typed);
        EXPECT_EQ(form.focusWidget(), row.focusAfter) << row.typed.join('|').toStdString();
        EXPECT_EQ(file(), kBefore);
    }
}

TEST_F(BirthdayDialog, ConversionErrorGoesToTheErrorBoxAndKeepsTheBoxes) {
    struct Row {
        QStringList typed;
        QString shown;
    };
    const Row rows[] = {
        {{"3000", "ab", "1", "山田"}, "'ab' は整数ではありません."},  // before the range test
        {{"１９９０年", "1", "1", "山田"}, "'１９９０年' は整数ではありません."},
        {{"1990", "１２月", "1", "山田"}, "'１２月' は整数ではありません."},
        {{"H5 ", "1", "1", "山田"}, "'5 ' は整数ではありません."},
        {{"1990", "", "1", "山田"}, "'' は整数ではありません."},
        {{"19😀", "1", "1", "山田"}, "'19?' は整数ではありません."},
    };
    for (const Row& row : rows) {
        type(row.typed[0], row.typed[1], row.typed[2], row.typed[3]);
        const std::vector<SeenBox> seen = clickRegister();
        ASSERT_EQ(seen.size(), 1u) << row.typed.join('|').toStdString();
        EXPECT_EQ(seen[0].text, row.shown);
        EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
        EXPECT_EQ(boxes(), row.typed);
        EXPECT_EQ(form.focusWidget(), form.Button1);
        EXPECT_EQ(file(), kBefore);
    }
}

TEST_F(BirthdayDialog, MissingFileIsNotCreatedAndTheEntryStays) {
    std::filesystem::remove(dir.path() / kBirthdayFile);
    type("1990", "3", "15", "山田");
    const std::vector<SeenBox> seen = clickRegister();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "ファイルが見つかりません.");
    EXPECT_EQ(seen[0].icon, QMessageBox::Critical);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / kBirthdayFile));
    EXPECT_EQ(boxes(), QStringList({"1990", "3", "15", "山田"}));

    // Once the file is back, the same entry goes in with one more click.
    dir.write(kBirthdayFile, kBefore);
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(file(), kBefore + S("03151990年山田\r\n"));
}

// A lock that another program holds on the file does not freeze the window: after a short while the dialog
// says who is in the way, and the entry waits in its boxes.
TEST_F(BirthdayDialog, ALockHeldByAnotherProgramIsToldAndTheEntryStays) {
    const std::string path = (dir.path() / kBirthdayFile).string();
    type("1990", "3", "15", "山田");
    std::vector<SeenBox> seen;
    {
        const testing::LockHolder holder(path);
        seen = clickRegister();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text,
              "ほかのプログラムが Tanjyou.txt に書き込んでいるため登録できません。"
              "しばらくしてから、もう一度登録してください.");
    EXPECT_EQ(seen[0].detail.toStdString(), path);
    EXPECT_EQ(boxes(), QStringList({"1990", "3", "15", "山田"}));
    EXPECT_EQ(file(), kBefore);

    // Let go, the same entry goes in with one more click.
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(file(), kBefore + S("03151990年山田\r\n"));
}

TEST_F(BirthdayDialog, EnterAndEscapePressNothing) {
    type("1990", "3", "15", "山田");
    for (QLineEdit* box : {form.Edit1, form.Edit2, form.Edit3, form.Edit4}) {
        ModalAnswerer answerer;
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Enter);
        QTest::keyClick(box, Qt::Key_Escape);
        testing::settle();
        EXPECT_TRUE(answerer.seen().empty());
    }
    EXPECT_EQ(file(), kBefore);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(boxes(), QStringList({"1990", "3", "15", "山田"}));
}

TEST_F(BirthdayDialog, CancelAndTheCloseBoxHideAndKeepTheBoxes) {
    type("H2", "3", "15", "山田");
    QTest::mouseClick(form.Button2, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    form.showWindow();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(boxes(), QStringList({"H2", "3", "15", "山田"}));
    form.close();
    EXPECT_FALSE(form.isVisible());
    form.showWindow();
    EXPECT_EQ(boxes(), QStringList({"H2", "3", "15", "山田"}));
    EXPECT_EQ(file(), kBefore);
}

TEST_F(BirthdayDialog, TheCurrentYearIsReadAtEachClick) {
    type("2027", "1", "1", "山田");
    ASSERT_EQ(clickRegister().size(), 1u);
    clock.set({{2027, 1, 1}, 0, 0, 1});
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(file(), kBefore + S("01012027年山田\r\n"));
}

TEST(BirthdayDialogInTheProgram, ANewBirthdayShowsWithItsAgeWhenItsDayIsPicked) {
    testing::TempDir dir;
    testing::writeSampleDirectory(dir.path());
    testing::TestServices services(dir.path(), {{2026, 12, 8}, 10, 0, 0});
    ModalAnswerer answerer;
    TForm1 form1(services.services());
    TForm4 form4(services.services());
    form1.setSecondaryWindows({nullptr, nullptr, &form4, nullptr});
    form1.show();
    ASSERT_TRUE(form1.N2->isEnabled());
    form1.N2->trigger();
    EXPECT_TRUE(form4.isVisible());
    const std::string before = form1.Memo1->bytes();

    form4.Edit1->setText("S40");
    form4.Edit2->setText("12");
    form4.Edit3->setText("8");
    form4.Edit4->setText("高橋 三郎");
    QTest::mouseClick(form4.Button1, Qt::LeftButton);
    // The panel is not refreshed by the dialog: the new birthday shows at the next day picked.
    EXPECT_EQ(form1.Memo1->bytes(), before);
    form1.MonthCalendar1Click();
    EXPECT_EQ(form1.Memo1->bytes(), S("  1965年 高橋 三郎(61歳)\r\n"));
    EXPECT_TRUE(answerer.seen().empty());
}

}  // namespace
}  // namespace daywick
