#include "Unit6.h"

#include <cups/cups.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "MessageBoxes.h"
#include "SjisMemo.h"
#include "SjisText.h"
#include "Widgets.h"
#include "daywick/errors.h"
#include "daywick/printreport.h"
#include "daywick/scopeexit.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

QCheckBox* makeCheckBox(QWidget* parent, const QString& caption, QRect place) {
    auto* box = new QCheckBox(caption, parent);
    box->setGeometry(place);
    box->setChecked(true);
    return box;
}

[[noreturn]] void jobFailed(const std::string& reason) {
    std::string message = sjis("印刷できませんでした");
    if (!reason.empty()) message += " : " + reason;
    throw Error(message);
}

// Qt's CUPS engine hands the spooled file to cupsPrintFile() when the painter ends, and drops its answer;
// libcups keeps that answer as this thread's last status.
void checkSpooled(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat) return;
    const ipp_status_t status = cupsLastError();
    if (status < IPP_STATUS_ERROR_BAD_REQUEST) return;
    const char* text = cupsLastErrorString();
    std::optional<std::string> reason = utf8ToSjis(text ? text : "");
    jobFailed(reason && !reason->empty() ? *reason : ippErrorString(status));
}

}  // namespace

std::unique_ptr<QPrinter> defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void printReportLines(QPrinter& printer, const std::vector<std::string>& lines,
                      const std::function<void()>& betweenLines) {
    QPainter painter;
    if (!printer.isValid() || !painter.begin(&printer))
        throw Error(sjis("選択したプリンタは有効ではありません"));

    // The point size stays, so the text is 9 x dpi / 72 dots high at every resolution.
    const QFont font = ui::pGothicPointFont(9);
    painter.setFont(font);
    painter.setPen(QApplication::palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(font, &printer);

    const PageMetrics page{double(printer.logicalDpiX()), double(printer.logicalDpiY()),
                           double(printer.height()), metrics.height()};
    const std::vector<std::optional<LinePlace>> places = placeReportLines(lines, page);
    int pageNumber = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (places[i] && !lines[i].empty()) {
            if (places[i]->page > pageNumber) {
                if (!printer.newPage()) jobFailed({});
                pageNumber = places[i]->page;
            }
            const QString text = ui::fromSjis(lines[i]);
            const QPointF topLeft(places[i]->x, places[i]->y);
            painter.fillRect(QRectF(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height())),
                             Qt::white);
            painter.drawText(topLeft + QPointF(0, metrics.ascent()), text);
        }
        if (betweenLines) betweenLines();
    }
    if (!painter.end()) jobFailed({});
    checkSpooled(printer);
}

TForm6::TForm6(ReportSources sources, PrinterSource printers)
    : SecondaryWindow(QStringLiteral("印刷"), {250, 209}, {101, 131}),
      sources_(sources),
      printers_(std::move(printers)) {
    // The frame first, so that the check boxes, which belong to the window, lie over it.
    GroupBox1 =
        ui::makeGroupBox(this, QStringLiteral("印刷する項目をチェックしてください"), {8, 8, 233, 153});
    CheckBox1 = makeCheckBox(this, QStringLiteral("タイトル・表示日時"), {32, 32, 121, 17});
    CheckBox2 = makeCheckBox(this, ui::fromSjis(panelHeading(Panel::Events)), {32, 56, 89, 17});
    CheckBox3 = makeCheckBox(this, ui::fromSjis(panelHeading(Panel::Birthdays)), {32, 80, 97, 17});
    CheckBox4 = makeCheckBox(this, ui::fromSjis(panelHeading(Panel::History)), {32, 104, 89, 17});
    CheckBox5 = makeCheckBox(this, QStringLiteral("印刷日時"), {32, 128, 73, 17});
    Button1 = ui::makeButton(this, QStringLiteral("印刷開始(&P)"), {64, 176, 83, 25});
    Button2 = ui::makeButton(this, QStringLiteral("キャンセル(&C)"), {152, 176, 81, 25});

    Memo1 = new ui::SjisMemo(this);
    Memo1->setGeometry(160, 56, 545, 89);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setBytes("Memo1");
    Memo1->hide();

    setTabOrder(CheckBox1, CheckBox2);
    setTabOrder(CheckBox2, CheckBox3);
    setTabOrder(CheckBox3, CheckBox4);
    setTabOrder(CheckBox4, CheckBox5);
    setTabOrder(CheckBox5, Button1);  // the frame takes no focus
    setTabOrder(Button1, Button2);
    setTabOrder(Button2, Memo1);

    ui::connectHandler(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
    ui::connectHandler(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);
}

void TForm6::Button2Click() {
    close();
}

std::vector<std::string> TForm6::bufferLines() const {
    const QFontMetricsF metrics(Memo1->font());
    const double width = Memo1->contentsRect().width() - 2 * Memo1->document()->documentMargin();
    return divideReportLines(Memo1->bytes(), width, [&metrics](std::string_view text) {
        return metrics.horizontalAdvance(ui::fromSjis(text));
    });
}

void TForm6::Button1Click() {
    if (!CheckBox1->isChecked()) {
        ui::showStopBox(sjis("印刷エラー"), sjis("チェックがされていません"));
        return;
    }
    Memo1->setBytes(composePrintReport(
        sources_.dates.selected(), sources_.panels, sources_.dates.startup(),
        {CheckBox2->isChecked(), CheckBox3->isChecked(), CheckBox4->isChecked(), CheckBox5->isChecked()}));

    if (printing_) throw Error(sjis("現在印刷中です"));
    const std::unique_ptr<QPrinter> printer = printers_();
    if (!printer) throw Error(sjis("デフォルト プリンタが存在しません"));
    printing_ = true;
    const ScopeExit jobEnded([this] { printing_ = false; });
    // A press or a cancel while the job runs is handled at once, as in any other moment.
    printReportLines(*printer, bufferLines(), [] { QCoreApplication::processEvents(); });
    close();
}

}  // namespace daywick
