#include "Daywick1.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QStringList>
#include <QTimer>

#include "Handlers.h"
#include "JapaneseFonts.h"
#include "JpegPicture.h"
#include "MessageBoxes.h"
#include "MonthCalendar.h"
#include "QtDates.h"
#include "SecondaryWindow.h"
#include "SjisMemo.h"
#include "SjisText.h"
#include "SplashWin.h"
#include "Unit7.h"
#include "Widgets.h"
#include "daywick/icons.h"
#include "daywick/koyomi.h"
#include "daywick/pictures.h"
#include "daywick/scopeexit.h"
#include "daywick/sjis.h"

namespace daywick {

using ui::fromSjis;
using ui::pGothicFont;

namespace {

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

// The koyomi label's text: the day's koyomi, then its holiday, two spaces apart. Outside the years the koyomi
// is computed for, the label says so rather than stay empty.
QString koyomiLine(const QDate& day) {
    const CivilDate date = ui::toCivilDate(day);
    std::string koyomi = koyomiText(date);
    if (koyomi.empty()) {
        koyomi = day.year() > kLastKoyomiYear
                     ? sjis("暦は") + std::to_string(kLastKoyomiYear) + sjis("年まで")
                     : sjis("暦は") + std::to_string(kFirstComputedYear) + sjis("年から");
    }
    QStringList parts;
    for (const std::string& part : {koyomi, nationalHoliday(date)}) {
        if (!part.empty()) parts << fromSjis(part);
    }
    return parts.join(QStringLiteral("  "));
}

// The label's smallest text: the panels' own size, which anyone reading the panels can read.
constexpr int kSmallestKoyomiPixels = 12;

// The 選日 people plan by, when the day is one: 天赦日 and 一粒万倍日, in that order.
QStringList luckyDays(const QDate& day) {
    QStringList lucky;
    for (const std::string& name : senjitsuOf(ui::toCivilDate(day))) {
        if (name == sjis("天赦日") || name == sjis("一粒万倍日")) lucky << fromSjis(name);
    }
    return lucky;
}

const QString kOpensKoyomi = QStringLiteral("クリックすると「こよみ」のウィンドウを開きます");

// A long holiday name (an enthronement, a crown prince's wedding) does not fit the strip in the label's own
// size; the text then gets smaller, but not below a readable size, and past that it is cut short with the
// whole of it in the tooltip.
void setFittingText(QLabel* label, const QString& text, int pixelSize) {
    const int room = label->contentsRect().width() - label->indent();
    QFont font = pGothicFont(pixelSize, true);
    int width = QFontMetrics(font).horizontalAdvance(text);
    while (pixelSize > kSmallestKoyomiPixels && width > room) {
        font = pGothicFont(--pixelSize, true);
        width = QFontMetrics(font).horizontalAdvance(text);
    }
    if (label->font() != font) label->setFont(font);
    const bool cut = width > room;
    label->setText(cut ? QFontMetrics(font).elidedText(text, Qt::ElideRight, room) : text);
    label->setToolTip(cut ? text + QLatin1Char('\n') + kOpensKoyomi : kOpensKoyomi);
}

// Whether the text fits the label whole in its own size.
bool fitsWhole(const QLabel* label, const QString& text, int pixelSize) {
    return QFontMetrics(pGothicFont(pixelSize, true)).horizontalAdvance(text) <=
           label->contentsRect().width() - label->indent();
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
    for (int size : kWindowIconSizes) {
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
    ui::setColour(client, QPalette::Window, ui::kButtonFace);
    setCentralWidget(client);

    StaticText1 = makeLine(client, {8, 0, 321, 19}, QColor(0xFF, 0xFF, 0xBD));
    StaticText2 = makeLine(client, {344, 0, 345, 19}, QColor(0xB5, 0xFA, 0xFD));
    Label1 = makeHeading(client, {8, 24, 112, 19}, fromSjis(panelHeading(Panel::Events)),
                         QColor(0x00, 0xFF, 0x00));
    Memo2 = makePanel(client, {8, 48, 321, 161}, QColor(0xAE, 0xFF, 0xAE));
    Label4 = makeHeading(client, {344, 24, 89, 19}, QStringLiteral("カレンダー"), QColor(0xC2, 0x99, 0xFB));
    Label5 = makeLabel(client, {440, 24, 250, 19}, {}, 15, ui::kCalendarTitleBand);
    Label5->setIndent(4);
    Label5->setCursor(Qt::PointingHandCursor);
    Label5->installEventFilter(this);
    Bevel2 = makeBevel(client, {344, 48, 345, 161});
    Image1 = new QLabel(client);
    Image1->setGeometry(352, 56, 161, 145);
    Bevel1 = makeBevel(client, {352, 56, 161, 145});
    MonthCalendar1 = new ui::MonthCalendar(client, *services_.clock);
    MonthCalendar1->setGeometry(520, 56, 162, 143);
    Label2 = makeHeading(client, {8, 216, 132, 19}, fromSjis(panelHeading(Panel::Birthdays)),
                         QColor(0xFF, 0x64, 0xB1));
    Memo1 = makePanel(client, {8, 240, 321, 193}, QColor(0xFF, 0xA2, 0xD0));
    Label3 = makeHeading(client, {344, 216, 112, 19}, fromSjis(panelHeading(Panel::History)),
                         QColor(0xFF, 0x7B, 0x7B));
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
    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    Koyomi1 = addItem(view, QStringLiteral("こよみ(&K)"), &TForm1::Koyomi1Click);
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
    Koyomi1->setEnabled(windows_.koyomi != nullptr);
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
    const QDate today = ui::toQDate(now.date);
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
    // Scaled to the screen's own pixels, so that a desktop scaled to 150 or 200 % shows it sharp.
    const qreal ratio = Image1->devicePixelRatioF();
    QImage picture = ui::loadJpeg(path, Image1->size())
                         .scaled((QSizeF(Image1->size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
    picture.setDevicePixelRatio(ratio);
    Image1->setPixmap(QPixmap::fromImage(picture));
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
    dates_.SelectFromCalendar(ui::toCivilDate(picked));
    panels_.clear();
    showPanels();
    // Named before the pass, so that they name the day the panels show also when the pass stops at an error.
    StaticText2->setText(fromSjis(dates_.StatusText()));
    showKoyomi(picked);
    if (windows_.koyomi && windows_.koyomi->isVisible()) windows_.koyomi->showDay(ui::toCivilDate(picked));
    Hyoji();
    services_.beep();
}

void TForm1::showKoyomi(const QDate& day) {
    // A 天赦日 or 一粒万倍日 is named too where the line has room for it in the label's own size: both where
    // both fit, else the first.
    constexpr int kPixels = 15;
    const QString line = koyomiLine(day);
    QStringList lucky = luckyDays(day);
    QString text = line;
    while (!lucky.isEmpty()) {
        const QString withLucky = line + QStringLiteral("  ") + lucky.join(QStringLiteral("・"));
        if (fitsWhole(Label5, withLucky, kPixels)) {
            text = withLucky;
            break;
        }
        lucky.removeLast();
    }
    setFittingText(Label5, text, kPixels);
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

void TForm1::Koyomi1Click() {
    if (!windows_.koyomi) return;
    // The day the panels show, which the calendar's highlight may have left.
    windows_.koyomi->showDay(civilDateOf(dates_.selected()));
    windows_.koyomi->showWindow();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // A click on the koyomi label opens the こよみ window, as its menu item does.
    if (watched == Label5 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
        Label5->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        ui::runHandler([this] { Koyomi1Click(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whichever other windows are open.
    event->accept();
    QCoreApplication::quit();
}

}  // namespace daywick
