#include "Daywick1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QLocale>
#include <QMenuBar>
#include <QStringList>
#include <QTimer>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "JpegPicture.h"
#include "MessageBoxes.h"
#include "MonthCalendar.h"
#include "SecondaryWindow.h"
#include "SjisMemo.h"
#include "SjisText.h"
#include "SplashWin.h"
#include "Widgets.h"
#include "daywick/koyomi.h"
#include "daywick/pictures.h"
#include "daywick/scopeexit.h"
#include "daywick/sjis.h"

namespace daywick {

using ui::fromSjis;
using ui::pGothicFont;

namespace {

// The desktop's active window border colour, the window's background.
const QColor kActiveBorder(0xD4, 0xD0, 0xC8);
// A light tint of the カレンダー heading's violet, as the calendar's month bar has it.
const QColor kKoyomiTint(0xE6, 0xDC, 0xFD);

// Black text on a background of its own colour, as every line, heading and panel of the window has.
void paint(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text, const QColor& colour) {
    ui::setColour(widget, background, colour);
    ui::setColour(widget, text, Qt::black);
}

QLabel* makeLabel(QWidget* parent, const QRect& place, const QString& caption, int pixelSize,
                  const QColor& background) {
    auto* label = new QLabel(caption, parent);
    label->setGeometry(place);
    label->setFont(pGothicFont(pixelSize, true));
    label->setAutoFillBackground(true);
    paint(label, QPalette::Window, QPalette::WindowText, background);
    return label;
}

QLabel* makeLine(QWidget* parent, const QRect& place, const QColor& background) {
    QLabel* line = makeLabel(parent, place, {}, 15, background);
    line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return line;
}

QLabel* makeHeading(QWidget* parent, const QRect& place, const QString& caption, const QColor& background) {
    return makeLabel(parent, place, caption, 19, background);
}

ui::SjisMemo* makePanel(QWidget* parent, const QRect& place, const QColor& background) {
    auto* panel = new ui::SjisMemo(parent);
    panel->setGeometry(place);
    paint(panel, QPalette::Base, QPalette::Text, background);
    return panel;
}

QFrame* makeBevel(QWidget* parent, const QRect& place) {
    auto* bevel = new QFrame(parent);
    bevel->setGeometry(place);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
    return bevel;
}

QDate toQDate(const CivilDate& date) {
    return QDate(date.year, date.month, date.day);
}

// The koyomi label's text: the day's koyomi, then its holiday, two spaces apart.
QString koyomiLine(const QDate& day) {
    const CivilDate date{day.year(), day.month(), day.day()};
    QStringList parts;
    for (const std::string& part : {koyomiText(date), nationalHoliday(date)}) {
        if (!part.empty()) parts << fromSjis(part);
    }
    return parts.join(QStringLiteral("  "));
}

// A long holiday name (an enthronement, a crown prince's wedding) does not fit the strip in the label's own
// size; the text then gets smaller, down to 10 pixels, which the longest one needs, and only past that is it
// cut short.
void setFittingText(QLabel* label, const QString& text, int pixelSize) {
    const int room = label->contentsRect().width() - label->indent();
    QFont font = pGothicFont(pixelSize, true);
    int width = QFontMetrics(font).horizontalAdvance(text);
    while (pixelSize > 10 && width > room) {
        font = pGothicFont(--pixelSize, true);
        width = QFontMetrics(font).horizontalAdvance(text);
    }
    if (label->font() != font) label->setFont(font);
    label->setText(width > room ? QFontMetrics(font).elidedText(text, Qt::ElideRight, room) : text);
}

std::string designator(const QString& text) {
    return ui::toSjis(text).value_or(std::string());
}

}  // namespace

TForm1::TForm1(ui::Services services)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
    // The clock designators come from the user's locale, read once at start-up.
    const QLocale locale = QLocale::system();
    morning_ = designator(locale.amText());
    afternoon_ = designator(locale.pmText());

    setWindowTitle(QStringLiteral("Daywick"));
    // The program's icon, for the title bar and the task bar of every window.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 256}) {
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/daywick.png").arg(size), QSize(size, size));
    }
    QApplication::setWindowIcon(icon);
    buildControls();
    buildMenu();
    setFixedSize(696, 441 + menuBar()->sizeHint().height());
    move(32, 30);

    Timer1 = new QTimer(this);
    Timer1->setInterval(300);
    ui::connectHandler(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start();

    ui::connectHandler(MonthCalendar1, &ui::MonthCalendar::calendarClicked, this,
                       &TForm1::MonthCalendar1Click);

    ui::runHandler([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::buildControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(696, 441);
    client->setAutoFillBackground(true);
    ui::setColour(client, QPalette::Window, kActiveBorder);
    setCentralWidget(client);

    StaticText1 = makeLine(client, {8, 0, 321, 19}, QColor(0xFF, 0xFF, 0xBD));
    StaticText2 = makeLine(client, {344, 0, 345, 19}, QColor(0xB5, 0xFA, 0xFD));
    Label1 = makeHeading(client, {8, 24, 112, 19}, QStringLiteral("何の日・行事"), QColor(0x00, 0xFF, 0x00));
    Memo2 = makePanel(client, {8, 48, 321, 161}, QColor(0xAE, 0xFF, 0xAE));
    Label4 = makeHeading(client, {344, 24, 89, 19}, QStringLiteral("カレンダー"), QColor(0xC2, 0x99, 0xFB));
    Label5 = makeLabel(client, {440, 24, 250, 19}, {}, 15, kKoyomiTint);
    Label5->setIndent(4);
    Bevel2 = makeBevel(client, {344, 48, 345, 161});
    Image1 = new QLabel(client);
    Image1->setGeometry(352, 56, 161, 145);
    Bevel1 = makeBevel(client, {352, 56, 161, 145});
    MonthCalendar1 = new ui::MonthCalendar(client);
    MonthCalendar1->setGeometry(520, 56, 162, 143);
    Label2 =
        makeHeading(client, {8, 216, 132, 19}, QStringLiteral("誕生日・誕生花"), QColor(0xFF, 0x64, 0xB1));
    Memo1 = makePanel(client, {8, 240, 321, 193}, QColor(0xFF, 0xA2, 0xD0));
    Label3 =
        makeHeading(client, {344, 216, 112, 19}, QStringLiteral("歴史・出来事"), QColor(0xFF, 0x7B, 0x7B));
    Memo3 = makePanel(client, {344, 240, 345, 193}, QColor(0xFF, 0xAE, 0xAE));

    // Keyboard order: calendar, birthdays, events, history (the two lines take no focus).
    setTabOrder(MonthCalendar1, Memo1);
    setTabOrder(Memo1, Memo2);
    setTabOrder(Memo2, Memo3);
}

void TForm1::buildMenu() {
    auto addItem = [this](QMenu* menu, const QString& caption, void (TForm1::*handler)()) {
        QAction* action = menu->addAction(caption);
        ui::connectHandler(action, &QAction::triggered, this, handler);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    Print1 = addItem(file, QStringLiteral("印刷(&P)"), &TForm1::Print1Click);
    Exit1 = addItem(file, QStringLiteral("終了(&X)"), &TForm1::Exit1Click);
    QMenu* entry = menuBar()->addMenu(QStringLiteral("登録(&E)"));
    N2 = addItem(entry, QStringLiteral("誕生日(&B)"), &TForm1::N2Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    Help2 = addItem(help, QStringLiteral("ﾍﾙﾌﾟ(&H)"), &TForm1::Help2Click);
    About1 = addItem(help, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&V)"), &TForm1::About1Click);
    setSecondaryWindows({});
}

void TForm1::setSecondaryWindows(const SecondaryWindows& windows) {
    windows_ = windows;
    Print1->setEnabled(windows_.print != nullptr);
    N2->setEnabled(windows_.birthday != nullptr);
    Help2->setEnabled(windows_.help != nullptr);
    About1->setEnabled(windows_.about != nullptr);
}

void TForm1::FormCreate() {
    // The splash is painted at once, so that it is seen during the slow steps below; whatever happens, it is
    // gone before an error box could appear under it.
    auto* splash = new TForm5;
    splash->showPainted();
    const ScopeExit releaseSplash([splash] { splash->release(); });

    pictureBaseDir_ = services_.dataDir.empty() ? "." : services_.dataDir;
    // The clock is read once: the calendar, its today circle and the date texts all name the same day, even
    // at midnight.
    const LocalDateTime now = services_.clock->now();
    const QDate today = toQDate(now.date);
    dates_.InitFromClock(now);
    MonthCalendar1->setToday(today);
    MonthCalendar1->setSelectedDate(today);
    StaticText2->setText(fromSjis(dates_.StatusText()));
    showKoyomi(today);
    Hyoji();
    loadPicture();
}

void TForm1::loadPicture() {
    const int number = services_.drawPicture();
    const std::string path = picturePath(pictureBaseDir_, number);
    Image1->setPixmap(
        QPixmap::fromImage(ui::loadJpeg(path, Image1->size())
                               .scaled(Image1->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TForm1::showPanels() {
    Memo1->setBytes(panels_.birthdays);
    Memo2->setBytes(panels_.events);
    Memo3->setBytes(panels_.history);
}

void TForm1::Hyoji() {
    DayReport report;
    report.panels = panels_;
    // Each panel gets its pieces in one go, also when the pass fails halfway: what was read stays shown.
    // Not from a destructor, where a failure to show them (memory that ran out) would end the program.
    const auto show = [&] {
        panels_ = std::move(report.panels);
        showPanels();
    };
    try {
        daywick::Hyoji(dates_.selected(), services_.dataDir, report);
    } catch (...) {
        show();
        throw;
    }
    show();
}

void TForm1::MonthCalendar1Click() {
    const QDate picked = MonthCalendar1->selectedDate();
    dates_.SelectFromCalendar({picked.year(), picked.month(), picked.day()});
    panels_.clear();
    showPanels();
    Hyoji();
    services_.beep();
    StaticText2->setText(fromSjis(dates_.StatusText()));
    showKoyomi(picked);
}

void TForm1::showKoyomi(const QDate& day) {
    setFittingText(Label5, koyomiLine(day), 15);
}

void TForm1::Timer1Timer() {
    StaticText1->setText(fromSjis(clockLine(services_.clock->now(), morning_, afternoon_)));
}

void TForm1::Exit1Click() {
    if (ui::askYesOrCancel(sjis("確認"), sjis("終了しますか"), sjis("はい(&Y)"), sjis("キャンセル"))) close();
}

void TForm1::Print1Click() {
    if (windows_.print) windows_.print->showWindow();
}

void TForm1::N2Click() {
    if (windows_.birthday) windows_.birthday->showWindow();
}

void TForm1::Help2Click() {
    if (windows_.help) windows_.help->showWindow();
}

void TForm1::About1Click() {
    if (windows_.about) windows_.about->showWindow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whichever other windows are open.
    event->accept();
    QCoreApplication::quit();
}

}  // namespace daywick
