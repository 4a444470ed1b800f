// The print dialog on a real CUPS server, checked from inside: run by PrintThroughCups.sh, which starts the
// server, makes a queue that writes each job to a PDF file its default printer, and names both here.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "PdfText.h"
#include "SjisMemo.h"
#include "TempDir.h"
#include "Unit6.h"
#include "WidgetTestSupport.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::ModalAnswerer;
using testing::S;

// Runs one of CUPS's command-line tools against the test's server.
void cupsTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    ASSERT_TRUE(process.waitForFinished(30000) && process.exitCode() == 0)
        << tool.toStdString() << ": " << process.readAllStandardError().toStdString();
}

bool jobsPending() {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
    lpstat.waitForFinished(30000);
    return !lpstat.readAllStandardOutput().trimmed().isEmpty();
}

// Waits for the job file to arrive and the queue to be empty again.
bool waitForJob(const QString& file, int seconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000) {
        if (QFile(file).size() > 0 && !jobsPending()) return true;
        QTest::qWait(100);
    }
    return false;
}

TEST(PrintThroughCups, PrintsThenReportsARefusedJobAndAMissingPrinter) {
    const QString queue = qEnvironmentVariable("DAYWICK_CUPS_QUEUE");
    const QString jobFile = qEnvironmentVariable("DAYWICK_CUPS_JOB_FILE");
    ASSERT_FALSE(queue.isEmpty() || jobFile.isEmpty())
        << "run by PrintThroughCups.sh, which sets up the server";

    DaySelection dates;
    dates.InitFromClock({{2001, 3, 5}, 9, 30, 0});
    dates.SelectFromCalendar({2001, 1, 8});
    PanelTexts panels;
    panels.events = crlfLines({S("  成人の日"), S("  鏡開きの準備")});
    TForm6 form({dates, panels});

    // A print reaches the queue's file (where the lines lie on the page is read in the PDF printer's tests
    // and in the real program's run).
    form.showWindow();
    {
        ModalAnswerer answerer;
        form.Button1->click();
        for (const testing::SeenBox& box : answerer.seen()) ADD_FAILURE() << box.text.toStdString();
    }
    EXPECT_FALSE(form.isVisible());
    ASSERT_TRUE(waitForJob(jobFile, 60)) << "no PDF arrived in " << jobFile.toStdString();
    const testing::PdfText pdf = testing::readPdfText(jobFile);
    ASSERT_FALSE(pdf.lines.empty());
    EXPECT_EQ(pdf.lines.front().text, "Daywick - この日はどんな日");
    EXPECT_EQ(pdf.lines.back().text, "Print date : 2001年03月05日");

    // A queue that refuses jobs: CUPS's answer in the error box, the dialog open, nothing printed.
    QFile::remove(jobFile);
    cupsTool(QStringLiteral("cupsreject"), {queue});
    form.showWindow();
    {
        ModalAnswerer answerer;
        form.Button1->click();
        ASSERT_EQ(answerer.seen().size(), 1u);
        const QString text = answerer.seen().front().text;
        EXPECT_TRUE(text.startsWith("印刷できませんでした : ")) << text.toStdString();
        EXPECT_TRUE(text.contains(queue)) << text.toStdString();
        EXPECT_EQ(answerer.seen().front().icon, QMessageBox::Critical);
    }
    EXPECT_TRUE(form.isVisible());
    QTest::qWait(2000);
    EXPECT_FALSE(QFile::exists(jobFile));
    cupsTool(QStringLiteral("cupsaccept"), {queue});

    // No printer at all.
    cupsTool(QStringLiteral("lpadmin"), {"-x", queue});
    {
        ModalAnswerer answerer;
        form.Button1->click();
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen().front().text, "デフォルト プリンタが存在しません.");
    }
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Memo1->bytes().substr(0, 12), S("Daywick - こ"));
    QTest::qWait(1000);
    EXPECT_FALSE(QFile::exists(jobFile));
}

}  // namespace
}  // namespace daywick
