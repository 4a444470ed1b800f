#include "MonthCalendar.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <utility>

#include "JapaneseFonts.h"
#include "QtDates.h"
#include "SjisText.h"
#include "Widgets.h"
#include "daywick/koyomi.h"

namespace daywick::ui {

namespace {

const QDate kFirstDate(1, 1, 1);
const QDate kLastDate(9999, 12, 31);

// Six weeks always: a month may touch six of them, and the grid must not move when the month changes.
constexpr int kWeeks = 6;
constexpr int kTitleHeight = 20;
constexpr int kWeekdayHeight = 16;
constexpr int kTodayLineHeight = 16;
constexpr int kSideMargin = 4;

const QColor kTodayMark(0xD0, 0x20, 0x20);
const QColor kDimmedDay(0xA8, 0xA8, 0xA8);
const QColor kTitleBandPressed(0xC8, 0xB4, 0xF6);
const QColor kArrow(0x48, 0x30, 0x88);
const QColor kSelection(0xC6, 0xDA, 0xFA);
const QColor kRule(0xB0, 0xB0, 0xB0);
const QColor kBorder(0x80, 0x80, 0x80);

// Japanese names whatever the locale, indexed by Qt::DayOfWeek - 1.
const std::array<QString, 7> kWeekdayNames = {
    QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"), QStringLiteral("木"),
    QStringLiteral("金"), QStringLiteral("土"), QStringLiteral("日")};

QFont titleFont() {
    return pGothicFont(13, true);
}

int advance(const QString& text) {
    return QFontMetrics(titleFont()).horizontalAdvance(text);
}

const QString kYearMark = QStringLiteral("年");

// The title's year, edited in place. Enter keeps what was typed, Escape goes back to the year it opened on;
// neither reaches the calendar, where Enter would be a click. Leaving it keeps the year too.
class YearSpinner : public QSpinBox {
public:
    using QSpinBox::QSpinBox;
    std::function<void(bool keep)> finished;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                QSpinBox::keyPressEvent(event);
                event->accept();
                finished(true);
                return;
            case Qt::Key_Escape:
                event->accept();
                finished(false);
                return;
            default:
                QSpinBox::keyPressEvent(event);
        }
    }

    void focusOutEvent(QFocusEvent* event) override {
        QSpinBox::focusOutEvent(event);
        // Its own context menu takes the focus for a while; anything else ends the editing.
        if (isVisible() && event->reason() != Qt::PopupFocusReason) finished(true);
    }
};

bool inRange(const QDate& date) {
    return date.isValid() && date >= kFirstDate && date <= kLastDate;
}

QColor weekdayColour(int dayOfWeek, const QColor& plain) {
    if (dayOfWeek == Qt::Sunday) return kHolidayRed;
    if (dayOfWeek == Qt::Saturday) return kSaturdayBlue;
    return plain;
}

void drawArrow(QPainter& painter, const QRect& place, bool pointsLeft, bool pressed) {
    if (pressed) painter.fillRect(place, kTitleBandPressed);
    const QPointF centre = QRectF(place).center();
    const double tip = pointsLeft ? -3.5 : 3.5;
    QPainterPath triangle;
    triangle.moveTo(centre.x() + tip, centre.y());
    triangle.lineTo(centre.x() - tip, centre.y() - 5);
    triangle.lineTo(centre.x() - tip, centre.y() + 5);
    triangle.closeSubpath();
    painter.fillPath(triangle, kArrow);
}

}  // namespace

MonthCalendar::MonthCalendar(QWidget* parent, const Clock& clock)
    : QWidget(parent),
      selected_(toQDate(clock.now().date)),
      today_(selected_),
      firstDayOfWeek_(QLocale::system().firstDayOfWeek()) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setColour(this, QPalette::Base, Qt::white);
    setColour(this, QPalette::Text, Qt::black);
    setColour(this, QPalette::Highlight, kSelection);
}

void MonthCalendar::setToday(const QDate& today) {
    today_ = today;
    update();
}

void MonthCalendar::setFirstDayOfWeek(Qt::DayOfWeek day) {
    firstDayOfWeek_ = day;
    update();
}

QString MonthCalendar::title() const {
    return QStringLiteral("%1年%2月").arg(selected_.year()).arg(selected_.month());
}

QString MonthCalendar::todayText() const {
    return QStringLiteral("今日: ") + today_.toString(QStringLiteral("yyyy/MM/dd"));
}

QSize MonthCalendar::sizeHint() const {
    return {162, 143};
}

int MonthCalendar::columnWidth() const {
    return (width() - 2 * kSideMargin) / 7;
}

int MonthCalendar::rowHeight() const {
    return (height() - kTitleHeight - kWeekdayHeight - 1 - kTodayLineHeight) / kWeeks;
}

int MonthCalendar::weeksTop() const {
    return kTitleHeight + kWeekdayHeight + 1;
}

QRect MonthCalendar::titleRect() const {
    return {0, 0, width(), kTitleHeight};
}

QRect MonthCalendar::previousMonthRect() const {
    return {2, 1, 20, kTitleHeight - 2};
}

QRect MonthCalendar::nextMonthRect() const {
    return {width() - 22, 1, 20, kTitleHeight - 2};
}

int MonthCalendar::yearDigitsWidth() const {
    if (yearSpinner_ && !yearSpinner_->isHidden()) return yearSpinner_->width();
    return advance(QString::number(selected_.year()));
}

int MonthCalendar::titleLeft() const {
    const int width =
        yearDigitsWidth() + advance(kYearMark) + advance(QStringLiteral("%1月").arg(selected_.month()));
    return (this->width() - width) / 2;
}

QRect MonthCalendar::yearRect() const {
    return {titleLeft(), 1, yearDigitsWidth() + advance(kYearMark), kTitleHeight - 2};
}

QRect MonthCalendar::monthRect() const {
    const QRect year = yearRect();
    return {year.right() + 1, 1, advance(QStringLiteral("%1月").arg(selected_.month())), kTitleHeight - 2};
}

QRect MonthCalendar::weekdayHeaderRect() const {
    const int left = (width() - 7 * columnWidth()) / 2;
    return {left, kTitleHeight, 7 * columnWidth(), kWeekdayHeight};
}

QRect MonthCalendar::todayLineRect() const {
    return {0, height() - kTodayLineHeight, width(), kTodayLineHeight};
}

QDate MonthCalendar::firstShownDay() const {
    const QDate first(selected_.year(), selected_.month(), 1);
    // At least one day of the month before, as the desktop's control shows it.
    const int before = (first.dayOfWeek() - firstDayOfWeek_ + 7) % 7;
    return first.addDays(-(before == 0 ? 7 : before));
}

QRect MonthCalendar::cellRect(const QDate& date) const {
    if (!inRange(date)) return {};
    const qint64 index = firstShownDay().daysTo(date);
    if (index < 0 || index >= qint64{7} * kWeeks) return {};
    const int row = static_cast<int>(index / 7), column = static_cast<int>(index % 7);
    const QRect header = weekdayHeaderRect();
    return {header.left() + column * columnWidth(), weeksTop() + row * rowHeight(), columnWidth(),
            rowHeight()};
}

QDate MonthCalendar::dateAt(const QPoint& point) const {
    const QRect header = weekdayHeaderRect();
    const QRect weeks(header.left(), weeksTop(), header.width(), kWeeks * rowHeight());
    if (!weeks.contains(point)) return {};
    const int row = (point.y() - weeks.top()) / rowHeight();
    const int column = (point.x() - weeks.left()) / columnWidth();
    const QDate date = firstShownDay().addDays(row * 7 + column);
    return inRange(date) ? date : QDate();
}

MonthCalendar::Part MonthCalendar::partAt(const QPoint& point) const {
    if (previousMonthRect().contains(point)) return Part::PreviousMonth;
    if (nextMonthRect().contains(point)) return Part::NextMonth;
    if (yearRect().contains(point)) return Part::Year;
    if (monthRect().contains(point)) return Part::Month;
    if (todayLineRect().contains(point)) return Part::TodayLine;
    if (dateAt(point).isValid()) return Part::Day;
    return Part::None;
}

bool MonthCalendar::isHoliday(const QDate& date) const {
    const QDate month(selected_.year(), selected_.month(), 1);
    if (date.year() != month.year() || date.month() != month.month()) return false;
    if (holidaysOf_ != month) {
        for (int day = 1; day <= month.daysInMonth(); ++day) {
            holidays_[static_cast<std::size_t>(day - 1)] =
                !nationalHoliday({month.year(), month.month(), day}).empty();
        }
        holidaysOf_ = month;
    }
    return holidays_[static_cast<std::size_t>(date.day() - 1)];
}

QColor MonthCalendar::dayColour(const QDate& date) const {
    if (date.year() != selected_.year() || date.month() != selected_.month()) return kDimmedDay;
    if (isHoliday(date)) return kHolidayRed;
    return weekdayColour(date.dayOfWeek(), palette().color(QPalette::Text));
}

QString MonthCalendar::toolTipFor(const QDate& date) const {
    if (!inRange(date)) return {};
    QStringList lines;
    for (const ComputedItem& item : computedDay(toCivilDate(date))) lines << fromSjis(item.text);
    for (const std::string& line : rekiSummary(dayReki(toCivilDate(date)))) lines << fromSjis(line);
    return lines.join(QLatin1Char('\n'));
}

void MonthCalendar::setSelectedDate(QDate date) {
    if (!date.isValid()) return;
    date = std::clamp(date, kFirstDate, kLastDate);
    if (date == selected_) return;
    selected_ = date;
    if (yearSpinner_ && !yearSpinner_->isHidden()) {
        const QSignalBlocker quiet(yearSpinner_);
        yearSpinner_->setValue(selected_.year());
        yearSpinner_->move(titleLeft(), yearSpinner_->y());
    }
    update();
}

void MonthCalendar::showYear(int year) {
    const QDate first(year, selected_.month(), 1);
    if (!inRange(first)) return;
    setSelectedDate(QDate(year, first.month(), std::min(selected_.day(), first.daysInMonth())));
}

void MonthCalendar::openMonthList() {
    if (!monthList_) {
        monthList_ = new QMenu(this);
        for (int month = 1; month <= 12; ++month) {
            QAction* action = monthList_->addAction(QStringLiteral("%1月").arg(month));
            connect(action, &QAction::triggered, this, [this, month] { pageBy(month - selected_.month()); });
        }
        connect(monthList_, &QMenu::aboutToHide, this, [this] { update(); });
    }
    // The month shown stands out, and the keys start from it.
    const QList<QAction*> months = monthList_->actions();
    for (int month = 1; month <= 12; ++month) {
        QFont font = monthList_->font();
        font.setBold(month == selected_.month());
        months[month - 1]->setFont(font);
    }
    monthList_->setActiveAction(months[selected_.month() - 1]);
    monthList_->popup(mapToGlobal(QPoint(monthRect().left(), kTitleHeight)));
    update();
}

void MonthCalendar::openYearSpinner() {
    if (!yearSpinner_) {
        auto* spinner = new YearSpinner(this);
        spinner->setRange(kFirstDate.year(), kLastDate.year());
        // Typed digits count when the editing ends, so that typing 1998 does not pass through the years 1,
        // 19 and 199; the arrows turn the calendar at once.
        spinner->setKeyboardTracking(false);
        spinner->setFont(titleFont());
        spinner->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        spinner->finished = [this](bool keep) { closeYearSpinner(keep); };
        connect(spinner, &QSpinBox::valueChanged, this, &MonthCalendar::showYear);
        spinner->hide();
        spinner->resize(spinner->sizeHint().width(), kTitleHeight - 2);
        yearSpinner_ = spinner;
    }
    if (yearSpinner_->isHidden()) {
        beforeYearSpinner_ = selected_;
        const QSignalBlocker quiet(yearSpinner_);
        yearSpinner_->setValue(selected_.year());
        yearSpinner_->show();
        yearSpinner_->move(titleLeft(), 1);
    }
    yearSpinner_->setFocus(Qt::MouseFocusReason);
    yearSpinner_->selectAll();
    update();
}

void MonthCalendar::closeYearSpinner(bool keep) {
    if (!yearSpinner_ || yearSpinner_->isHidden()) return;
    if (!keep) setSelectedDate(beforeYearSpinner_);
    const bool hadFocus = yearSpinner_->hasFocus();
    yearSpinner_->hide();
    if (hadFocus) setFocus(Qt::OtherFocusReason);
    update();
}

void MonthCalendar::pageBy(int months) {
    // The selection goes along, to the same day where the month has it.
    const QDate first = QDate(selected_.year(), selected_.month(), 1).addMonths(months);
    if (!inRange(first)) return;
    setSelectedDate(QDate(first.year(), first.month(), std::min(selected_.day(), first.daysInMonth())));
}

bool MonthCalendar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    // The title's parts say what a click on them does, as nothing else shows it.
    if (const Part part = partAt(help->pos()); part == Part::Year || part == Part::Month) {
        const bool year = part == Part::Year;
        QToolTip::showText(
            help->globalPos(),
            year ? QStringLiteral("クリックで年を変えられます") : QStringLiteral("クリックで月を選べます"),
            this, year ? yearRect() : monthRect());
        return true;
    }
    const QDate date = dateAt(help->pos());
    const QString text = toolTipFor(date);
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this, cellRect(date));
    }
    return true;
}

void MonthCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    const QColor text = palette().color(QPalette::Text);

    painter.fillRect(titleRect(), kCalendarTitleBand);
    painter.setRenderHint(QPainter::Antialiasing);
    drawArrow(painter, previousMonthRect(), true, pressed_ == Part::PreviousMonth);
    drawArrow(painter, nextMonthRect(), false, pressed_ == Part::NextMonth);
    // The year (or its spinner), "年" and the month, each where a click on it is taken.
    const QRect year = yearRect(), month = monthRect();
    if (monthList_ && monthList_->isVisible()) painter.fillRect(month, kTitleBandPressed);
    painter.setFont(titleFont());
    painter.setPen(text);
    const int digits = yearDigitsWidth();
    if (!yearSpinner_ || yearSpinner_->isHidden()) {
        painter.drawText(QRect(year.left(), 0, digits, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::number(selected_.year()));
    }
    painter.drawText(QRect(year.left() + digits, 0, year.width() - digits, kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, kYearMark);
    painter.drawText(QRect(month.left(), 0, month.width(), kTitleHeight),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                     QStringLiteral("%1月").arg(selected_.month()));

    const QRect header = weekdayHeaderRect();
    painter.setFont(pGothicFont(12));
    for (int column = 0; column < 7; ++column) {
        const int dayOfWeek = (firstDayOfWeek_ - 1 + column) % 7 + 1;
        painter.setPen(weekdayColour(dayOfWeek, text));
        painter.drawText(
            QRect(header.left() + column * columnWidth(), header.top(), columnWidth(), header.height()),
            Qt::AlignCenter, kWeekdayNames[static_cast<std::size_t>(dayOfWeek - 1)]);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kRule);
    painter.drawLine(header.left(), weeksTop() - 1, header.right(), weeksTop() - 1);

    const QDate first = firstShownDay();
    for (int index = 0; index < 7 * kWeeks; ++index) {
        const QDate date = first.addDays(index);
        const QRect cell = cellRect(date);
        if (cell.isEmpty()) continue;
        if (date == selected_)
            painter.fillRect(cell.adjusted(1, 0, -1, 0), palette().color(QPalette::Highlight));
        painter.setPen(dayColour(date));
        painter.drawText(cell, Qt::AlignCenter, QString::number(date.day()));
        if (date == today_) {
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(kTodayMark, 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QRectF(cell).adjusted(1.5, 0.5, -1.5, -0.5));
            painter.setRenderHint(QPainter::Antialiasing, false);
        }
        if (date == selected_ && hasFocus()) {
            painter.setPen(QPen(text, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(1, 0, -2, -1));
        }
    }

    const QRect line = todayLineRect();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kTodayMark, 1.5));
    painter.drawEllipse(QRectF(line.left() + 5, line.top() + 2.5, 12, 10));
    painter.setPen(text);
    painter.drawText(line.adjusted(21, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, todayText());

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(kBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// The month list and the year spinner open at the press, as the desktop's control opens them; the list
// takes the mouse from there, so that press makes no click.
void MonthCalendar::pressOn(Part part) {
    pressed_ = Part::None;
    armed_ = false;
    if (part == Part::Month) return openMonthList();
    if (part == Part::Year) return openYearSpinner();
    pressed_ = part;
    update();
}

void MonthCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const Part part = partAt(event->position().toPoint());
    pressOn(part);
    armed_ = part != Part::Month && part != Part::Year;
}

void MonthCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click acts as a press, so that quick presses on an arrow each turn a
    // month; it is no new click, the first one having fired for the pair.
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    pressOn(partAt(event->position().toPoint()));
}

void MonthCalendar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
    const Part pressed = std::exchange(pressed_, Part::None);
    const bool armed = std::exchange(armed_, false);
    if (!armed && pressed == Part::None) return;
    update();
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at)) return;
    // A press on one day and a release on another picks the latter, as dragging does in the desktop's
    // control; an arrow or the today line acts when the press fell on it too.
    const Part released = partAt(at);
    if (released == Part::Day && pressed == Part::Day) {
        setSelectedDate(dateAt(at));
    } else if (released == pressed) {
        if (pressed == Part::PreviousMonth) pageBy(-1);
        if (pressed == Part::NextMonth) pageBy(1);
        if (pressed == Part::TodayLine) setSelectedDate(today_);
    }
    if (armed) emit calendarClicked();
}

void MonthCalendar::keyPressEvent(QKeyEvent* event) {
    const QDate first(selected_.year(), selected_.month(), 1);
    switch (event->key()) {
        case Qt::Key_Left:
            setSelectedDate(selected_.addDays(-1));
            break;
        case Qt::Key_Right:
            setSelectedDate(selected_.addDays(1));
            break;
        case Qt::Key_Up:
            setSelectedDate(selected_.addDays(-7));
            break;
        case Qt::Key_Down:
            setSelectedDate(selected_.addDays(7));
            break;
        // A month, or with Ctrl a year, as the desktop's month calendar pages.
        case Qt::Key_PageUp:
            pageBy(event->modifiers() & Qt::ControlModifier ? -12 : -1);
            break;
        case Qt::Key_PageDown:
            pageBy(event->modifiers() & Qt::ControlModifier ? 12 : 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            // A click on the highlighted day, for those who use no mouse; a held key clicks once.
            if (!event->isAutoRepeat()) emit calendarClicked();
            break;
        case Qt::Key_Home:
            setSelectedDate(first);
            break;
        case Qt::Key_End:
            setSelectedDate(QDate(first.year(), first.month(), first.daysInMonth()));
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void MonthCalendar::wheelEvent(QWheelEvent* event) {
    // A notch pages by a month; a touchpad's small steps add up to notches.
    wheelAngle_ += event->angleDelta().y();
    const int notches = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
    wheelAngle_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    pageBy(-notches);
    event->accept();
}

}  // namespace daywick::ui
