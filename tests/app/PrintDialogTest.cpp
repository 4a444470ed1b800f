#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <cmath>

#include "Application.h"
#include "PdfText.h"
#include "SjisMemo.h"
#include "SjisText.h"
#include "TempDir.h"
#include "Unit6.h"
#include "WidgetTestSupport.h"
#include "daywick/printreport.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::ModalAnswerer;
using testing::PdfText;
using testing::S;

// The sheet the tests print on: A4 with the margins of the generic PDF printer's queue.
constexpr double kLeftMargin = 18;
constexpr double kTopMargin = 36;
// 120 and 60 dots of a 300-dpi page, in points.
constexpr double kLeft = kLeftMargin + 28.8;
constexpr double kPitch = 14.4;

// The day's 暦 under the date, as the engine words it for 8 January 2001.
const QString kReki1 = QStringLiteral("旧暦12月14日 先勝 辛未　七十二候 芹乃栄（せりすなわちさかう）");
const QString kReki2 = QStringLiteral("選日 大明日 不成就日　東京 日の出 6:51 日の入 16:44");

const QStringList kWorkedExample = {"Daywick - この日はどんな日",
                                    "2001年01月08日",
                                    kReki1,
                                    kReki2,
                                    "何の日・行事",
                                    "成人の日",
                                    "鏡開きの準備",
                                    "誕生日・誕生花",
                                    "歴史・出来事",
                                    "Print date : 2001年03月05日"};
// Each printed line's place in the report, empty and blank lines counted.
const std::vector<int> kWorkedExampleRows = {0, 1, 2, 3, 5, 6, 7, 9, 11, 13};

class PrintDialog : public ::testing::Test {
protected:
    PrintDialog() {
        const FixedClock startedOn({{2001, 3, 5}, 9, 30, 0});
        dates.InitFromClock(startedOn.now());
        dates.SelectFromCalendar({2001, 1, 8});
        panels.events = (crlfLines({S("  成人の日"), S("  鏡開きの準備")}));
    }

    QString pdfPath() const { return QString::fromStdString((dir.path() / "page.pdf").string()); }

    // A printer that writes the job as a PDF at a resolution, counting the jobs it is asked for.
    PrinterSource pdfPrinter(int dpi, QString path = {}) {
        if (path.isEmpty()) path = pdfPath();
        return [this, dpi, path] {
            ++jobs;
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            printer->setResolution(dpi);
            printer->setPageSize(QPageSize(QPageSize::A4));
            printer->setPageMargins(QMarginsF(kLeftMargin, kTopMargin, kLeftMargin, kTopMargin),
                                    QPageLayout::Point);
            return printer;
        };
    }

    std::unique_ptr<TForm6> makeDialog(PrinterSource printers) {
        auto form = std::make_unique<TForm6>(ReportSources{dates, panels}, std::move(printers));
        form->showWindow();
        return form;
    }

    // Every printed line's text and place: a report line i has its top 14.4 x i points below the margin; the
    // text is 9 points high, to the nearest dot.
    static void expectLines(const PdfText& pdf, const QStringList& texts, const std::vector<int>& rows,
                            double dpi = 300) {
        const double height = std::round(9 * dpi / 72) * 72 / dpi;
        ASSERT_EQ(pdf.lines.size(), std::size_t(texts.size())) << [&] {
            std::string all;
            for (const auto& line : pdf.lines) all += line.text.toStdString() + " | ";
            return all;
        }();
        for (std::size_t n = 0; n < pdf.lines.size(); ++n) {
            const testing::PdfLine& line = pdf.lines[n];
            // A full-width blank parts two words, as pdftotext reads them.
            EXPECT_EQ(line.text, QString(texts[int(n)]).replace(QChar(0x3000), QLatin1Char(' ')));
            EXPECT_NEAR(line.top, kTopMargin + kPitch * rows[n], 0.05) << line.text.toStdString();
            EXPECT_NEAR(line.bottom - line.top, height, 0.01) << line.text.toStdString();
        }
    }

    testing::TempDir dir;
    DaySelection dates;
    PanelTexts panels;
    int jobs = 0;
};

TEST_F(PrintDialog, LayoutAtCreation) {
    TForm6 form({dates, panels}, pdfPrinter(300));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.windowTitle(), "印刷");
    EXPECT_EQ(form.size(), QSize(250, 209));
    EXPECT_EQ(form.pos(), QPoint(101, 131));
    EXPECT_EQ(form.GroupBox1->geometry(), QRect(8, 8, 233, 153));
    EXPECT_EQ(form.GroupBox1->title(), "印刷する項目をチェックしてください");
    struct Row {
        QCheckBox* box;
        QString caption;
        QRect place;
    };
    for (const Row& row : {Row{form.CheckBox1, "タイトル・表示日時", {32, 32, 121, 17}},
                           Row{form.CheckBox2, "何の日・行事", {32, 56, 89, 17}},
                           Row{form.CheckBox3, "誕生日・誕生花", {32, 80, 97, 17}},
                           Row{form.CheckBox4, "歴史・出来事", {32, 104, 89, 17}},
                           Row{form.CheckBox5, "印刷日時", {32, 128, 73, 17}}}) {
        EXPECT_EQ(row.box->text(), row.caption);
        EXPECT_EQ(row.box->geometry(), row.place) << row.caption.toStdString();
        EXPECT_TRUE(row.box->isChecked()) << row.caption.toStdString();
        EXPECT_FALSE(row.box->isTristate());
        EXPECT_EQ(row.box->parentWidget(), &form) << "the boxes lie over the frame, not in it";
    }
    EXPECT_EQ(form.Button1->text(), "印刷開始(&P)");
    EXPECT_EQ(form.Button1->geometry(), QRect(64, 176, 83, 25));
    EXPECT_EQ(form.Button2->text(), "キャンセル(&C)");
    EXPECT_EQ(form.Button2->geometry(), QRect(152, 176, 81, 25));
    EXPECT_FALSE(form.Button1->isDefault());
    EXPECT_FALSE(form.Button2->isDefault());

    EXPECT_EQ(form.Memo1->geometry(), QRect(160, 56, 545, 89));
    EXPECT_EQ(form.Memo1->bytes(), "Memo1");
    EXPECT_EQ(form.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(form.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(form.Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_TRUE(
        QStringList({"IPAPGothic", "IPA Pゴシック"}).contains(QFontInfo(form.Memo1->font()).family()));
    EXPECT_EQ(form.Memo1->font().pixelSize(), 12);

    // The buffer stays hidden while the window is shown.
    form.showWindow();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.Memo1->isVisible());

    // Tab order: the five boxes, the buttons, the buffer; the frame takes no focus.
    const std::vector<QWidget*> order = {form.CheckBox1, form.CheckBox2, form.CheckBox3, form.CheckBox4,
                                         form.CheckBox5, form.Button1,   form.Button2,   form.Memo1};
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        EXPECT_EQ(order[i]->nextInFocusChain(), order[i + 1]) << i;
    EXPECT_EQ(form.GroupBox1->focusPolicy(), Qt::NoFocus);
}

TEST_F(PrintDialog, WithoutTheTitleTickItRefusesAndDoesNothingElse) {
    auto form = makeDialog(pdfPrinter(300));
    form->CheckBox1->setChecked(false);
    ModalAnswerer answerer;
    form->Button1->click();
    ASSERT_EQ(answerer.seen().size(), 1u);
    const testing::SeenBox& box = answerer.seen().front();
    EXPECT_EQ(box.title, "印刷エラー");
    EXPECT_EQ(box.text, "チェックがされていません");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QStringList({"OK"}));
    EXPECT_EQ(jobs, 0);
    EXPECT_EQ(form->Memo1->bytes(), "Memo1");
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->CheckBox1->isChecked());
    EXPECT_TRUE(form->CheckBox5->isChecked());
}

TEST_F(PrintDialog, PrintsTheWorkedExampleAt300DotsPerInchAndHides) {
    auto form = makeDialog(pdfPrinter(300));
    ModalAnswerer answerer;
    form->Button1->click();
    EXPECT_TRUE(answerer.seen().empty());
    EXPECT_EQ(jobs, 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(
        form->Memo1->bytes(),
        crlfLines({S("Daywick - この日はどんな日"), S("2001年01月08日"), S(kReki1.toStdString()),
                   S(kReki2.toStdString()), "", S("何の日・行事"), S("  成人の日"), S("  鏡開きの準備"), "  ",
                   S("誕生日・誕生花"), "  ", S("歴史・出来事"), "  ", S("Print date : 2001年03月05日")}));

    const PdfText pdf = testing::readPdfText(pdfPath());
    EXPECT_EQ(pdf.pages, 1);
    expectLines(pdf, kWorkedExample, kWorkedExampleRows);
    for (const testing::PdfLine& line : pdf.lines) {
        // Panel lines keep their own two leading blanks; every other line starts at the left edge.
        if (line.text == "成人の日" || line.text == "鏡開きの準備") {
            EXPECT_GT(line.left, kLeft + 2);
        } else {
            EXPECT_NEAR(line.left, kLeft, 0.05) << line.text.toStdString();
        }
    }
}

TEST_F(PrintDialog, At600DotsPerInchThePlacesKeepTheirPhysicalSize) {
    auto form = makeDialog(pdfPrinter(600));
    form->Button1->click();
    const PdfText pdf = testing::readPdfText(pdfPath());
    expectLines(pdf, kWorkedExample, kWorkedExampleRows, 600);
    EXPECT_NEAR(pdf.lines.front().left, kLeft, 0.05);
}

TEST_F(PrintDialog, TheTicksDecideTheBlocksAndStayAcrossHidingAndShowing) {
    auto form = makeDialog(pdfPrinter(300));
    form->CheckBox2->setChecked(false);
    form->CheckBox3->setChecked(false);
    form->CheckBox4->setChecked(false);
    // Cancel only hides.
    form->Button2->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(jobs, 0);
    form->showWindow();
    EXPECT_FALSE(form->CheckBox4->isChecked());
    EXPECT_EQ(form->Memo1->bytes(), "Memo1");

    form->Button1->click();
    expectLines(
        testing::readPdfText(pdfPath()),
        {"Daywick - この日はどんな日", "2001年01月08日", kReki1, kReki2, "Print date : 2001年03月05日"},
        {0, 1, 2, 3, 5});

    form->showWindow();
    EXPECT_FALSE(form->CheckBox2->isChecked());
    EXPECT_TRUE(form->CheckBox5->isChecked());
    form->CheckBox5->setChecked(false);
    form->Button1->click();
    expectLines(testing::readPdfText(pdfPath()),
                {"Daywick - この日はどんな日", "2001年01月08日", kReki1, kReki2}, {0, 1, 2, 3});
    EXPECT_EQ(form->Memo1->bytes(), crlfLines({S("Daywick - この日はどんな日"), S("2001年01月08日"),
                                               S(kReki1.toStdString()), S(kReki2.toStdString()), ""}));
}

TEST_F(PrintDialog, ReadsTheMainWindowAtThePress) {
    auto form = makeDialog(pdfPrinter(300));
    // Another day is selected while the dialog is open.
    dates.SelectFromCalendar({1999, 12, 31});
    panels.events.clear();
    panels.history = (crlfLines({S("  1999年 最後の日")}));
    form->Button1->click();
    QStringList reki;
    for (const std::string& line : printedRekiLines(dates.selected()))
        reki << QString::fromStdString(sjisToUtf8(line));
    ASSERT_EQ(reki.size(), 2);
    expectLines(testing::readPdfText(pdfPath()),
                {"Daywick - この日はどんな日", "1999年12月31日", reki[0], reki[1], "何の日・行事",
                 "誕生日・誕生花", "歴史・出来事", "1999年 最後の日", "Print date : 2001年03月05日"},
                {0, 1, 2, 3, 5, 7, 9, 10, 12});
}

TEST_F(PrintDialog, ALongReportGoesOnToASecondPage) {
    // 5 + 1 + 70 + 1 + 1 lines; A4 less its margins holds 53 of them (52 x 14.4 + 9 <= 770).
    std::string panel;
    for (int n = 1; n <= 70; ++n) panel += S("  行" + std::to_string(n)) + "\r\n";
    panels.events = (panel);
    auto form = makeDialog(pdfPrinter(300));
    form->CheckBox3->setChecked(false);
    form->CheckBox4->setChecked(false);
    form->Button1->click();

    const PdfText pdf = testing::readPdfText(pdfPath());
    EXPECT_EQ(pdf.pages, 2);
    ASSERT_EQ(pdf.lines.size(), 5u + 70u + 1u);  // the empty and the blank lines print nothing
    for (int n = 1; n <= 70; ++n) EXPECT_EQ(pdf.lines[4 + n].text, QStringLiteral("行%1").arg(n));
    for (const testing::PdfLine& line : pdf.lines) {
        EXPECT_LE(line.bottom, pdf.pageHeight - kTopMargin + 0.05) << line.text.toStdString();
    }
    // Report line 53 ("行48") is the first of the second page, at its top; the lines go on 14.4 points apart.
    const testing::PdfLine& first = pdf.lines[4 + 48];
    EXPECT_EQ(first.page, 1);
    EXPECT_EQ(pdf.lines[4 + 47].page, 0);
    EXPECT_NEAR(pdf.lines[4 + 47].top, kTopMargin + kPitch * 52, 0.05);
    EXPECT_NEAR(first.top, kTopMargin, 0.05);
    EXPECT_NEAR(pdf.lines.back().top, kTopMargin + kPitch * (77 - 53), 0.05);
    EXPECT_EQ(pdf.lines.back().text, "Print date : 2001年03月05日");
}

TEST_F(PrintDialog, TextIsInTheWindowTextColour) {
    const QPalette saved = QApplication::palette();
    QPalette red = saved;
    red.setColor(QPalette::WindowText, QColor(200, 0, 0));
    QApplication::setPalette(red);
    auto form = makeDialog(pdfPrinter(300));
    form->Button1->click();
    QApplication::setPalette(saved);

    QProcess render;
    const QString png = QString::fromStdString((dir.path() / "page").string());
    render.start("pdftoppm", {"-png", "-r", "100", "-singlefile", pdfPath(), png});
    ASSERT_TRUE(render.waitForFinished(60000) && render.exitCode() == 0) << "pdftoppm (poppler-utils) failed";
    const QImage page(png + ".png");
    ASSERT_FALSE(page.isNull());
    int reddish = 0, other = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor pixel = page.pixelColor(x, y);
            if (pixel == Qt::white) continue;
            // Anti-aliased edges blend the colour with white: still redder than green, green and blue alike.
            if (pixel.red() < pixel.green() || std::abs(pixel.green() - pixel.blue()) > 3) {
                ++other;
            } else if (pixel.red() > pixel.green() + 60) {
                ++reddish;
            }
        }
    }
    EXPECT_GT(reddish, 500);
    EXPECT_EQ(other, 0);
}

TEST_F(PrintDialog, NoDefaultPrinterShowsTheErrorBoxAndKeepsTheReport) {
    auto form = makeDialog([this]() -> std::unique_ptr<QPrinter> {
        ++jobs;
        return nullptr;
    });
    ModalAnswerer answerer;
    form->Button1->click();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "デフォルト プリンタが存在しません.");
    EXPECT_EQ(answerer.seen().front().title, ui::Application::title());
    EXPECT_EQ(answerer.seen().front().icon, QMessageBox::Critical);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->Memo1->bytes().substr(0, 12), S("Daywick - こ"));

    // The next press asks again.
    form->Button1->click();
    EXPECT_EQ(jobs, 2);
}

TEST_F(PrintDialog, APrinterThatCannotBeDrawnOnShowsItsError) {
    auto form =
        makeDialog(pdfPrinter(300, QString::fromStdString((dir.path() / "missing" / "page.pdf").string())));
    ModalAnswerer answerer;
    form->Button1->click();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "選択したプリンタは有効ではありません.");
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

TEST_F(PrintDialog, APressWhileAJobRunsIsRefusedAndTheJobGoesOn) {
    auto form = makeDialog(pdfPrinter(300));
    ModalAnswerer answerer;
    bool visibleAfterSecondPress = false;
    QTimer::singleShot(0, form.get(), [&] {
        form->Button1->click();
        visibleAfterSecondPress = form->isVisible();
    });
    form->Button1->click();
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "現在印刷中です.");
    EXPECT_TRUE(visibleAfterSecondPress);
    EXPECT_EQ(jobs, 1);
    EXPECT_FALSE(form->isVisible());
    expectLines(testing::readPdfText(pdfPath()), kWorkedExample, kWorkedExampleRows);
}

TEST_F(PrintDialog, CancelWhileAJobRunsHidesAtOnceAndTheJobGoesOn) {
    auto form = makeDialog(pdfPrinter(300));
    bool visibleAfterCancel = true;
    QTimer::singleShot(0, form.get(), [&] {
        form->Button2->click();
        visibleAfterCancel = form->isVisible();
    });
    form->Button1->click();
    EXPECT_FALSE(visibleAfterCancel);
    expectLines(testing::readPdfText(pdfPath()), kWorkedExample, kWorkedExampleRows);
}

TEST_F(PrintDialog, TheBufferWrapsWhereItsOwnTextBoxWraps) {
    // Kana only, so that no rule about where a line may not begin comes in.
    std::string kana;
    for (int i = 0; i < 6; ++i) kana += S("あいうえおかきくけこさしすせそたちつてと");
    panels.history = (crlfLines({"  " + kana}));
    auto form = makeDialog([] { return std::unique_ptr<QPrinter>(); });
    ModalAnswerer answerer;
    form->Button1->click();

    const std::vector<std::string> lines = form->bufferLines();
    // Title, date, the day's 暦 in two lines, empty line, the events section (two entries), the empty
    // birthdays section, the history heading, then the wrapped line.
    std::vector<std::string> pieces(lines.begin() + 12, lines.end() - 2);
    ASSERT_GE(pieces.size(), 2u);
    std::string joined;
    for (const std::string& piece : pieces) joined += piece;
    EXPECT_EQ(joined, "  " + kana);
    EXPECT_EQ(lines.end()[-2], "  ");

    // The buffer itself, shown for a moment, breaks the same line into as many lines at the same places.
    form->Memo1->setBytes(crlfLines({"  " + kana}));
    form->Memo1->show();
    testing::settle();
    const QTextLayout* layout = form->Memo1->document()->firstBlock().layout();
    ASSERT_EQ(layout->lineCount(), int(pieces.size()));
    for (int i = 0; i < layout->lineCount(); ++i) {
        EXPECT_EQ(layout->lineAt(i).textLength(), ui::fromSjis(pieces[std::size_t(i)]).size()) << i;
    }
}

}  // namespace
}  // namespace daywick
