#include "MonthCalendar.h"

#include <QChildEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace daywick::ui {

namespace {

const QColor kTodayMark(0xD0, 0x20, 0x20);

// The line below the month that names today; a click on it selects today.
}  // namespace

class TodayLine : public QLabel {
public:
    explicit TodayLine(QWidget* parent) : QLabel(parent) {
        setIndent(20);
        setFixedHeight(15);
    }

    void setToday(const QDate& today) {
        setText(QStringLiteral("今日: ") + today.toString(QStringLiteral("yyyy/MM/dd")));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(kTodayMark, 1.5));
        painter.drawEllipse(QRectF(4, 2.5, 12, 10));
    }
};

MonthCalendar::MonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
    // Month and day names in Japanese like the rest of the program; the week starts where the user's own
    // locale starts it. Both are set before the first paint: changing them later misplaces the highlight.
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    setFirstDayOfWeek(QLocale::system().firstDayOfWeek());
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setSelectionMode(QCalendarWidget::SingleSelection);
    setGridVisible(false);
    setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));

    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) {
        todayLine_ = new TodayLine(this);
        column->addWidget(todayLine_);
    }
    connect(this, &QCalendarWidget::currentPageChanged, this, &MonthCalendar::keepSelectionOnPage);
    watchMouseIn(this);
}

void MonthCalendar::setToday(const QDate& today) {
    today_ = today;
    if (todayLine_) todayLine_->setToday(today);
    update();
}

void MonthCalendar::watchMouseIn(QObject* object) {
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child->isWidgetType()) watchMouseIn(child);
    }
}

void MonthCalendar::keepSelectionOnPage(int year, int month) {
    // Paging to another month takes the selection along, to the same day where that month has it.
    const QDate selected = selectedDate();
    if (selected.year() == year && selected.month() == month) return;
    const QDate firstOfPage(year, month, 1);
    setSelectedDate(QDate(year, month, std::min(selected.day(), firstOfPage.daysInMonth())));
}

void MonthCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
    QCalendarWidget::paintCell(painter, rect, date);
    if (date != today_) return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(kTodayMark, 1.5));
    painter->setBrush(Qt::NoBrush);
    painter->drawEllipse(QRectF(rect).adjusted(1.5, 0.5, -1.5, -0.5));
    painter->restore();
}

bool MonthCalendar::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ChildAdded:
            // Editors and menus that the control makes later are watched too.
            if (auto* added = static_cast<QChildEvent*>(event)->child(); added->isWidgetType())
                watchMouseIn(added);
            break;
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton) {
                pressedInside_ = rect().contains(mapFromGlobal(mouse->globalPosition().toPoint()));
            }
            break;
        }
        case QEvent::MouseButtonDblClick:
            // The second press of a double click is no new click.
            pressedInside_ = false;
            break;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton || !pressedInside_) break;
            pressedInside_ = false;
            if (!rect().contains(mapFromGlobal(mouse->globalPosition().toPoint()))) break;
            if (dynamic_cast<TodayLine*>(watched)) setSelectedDate(today_);
            // The control takes its new selection while it handles this release; the click comes after.
            QTimer::singleShot(0, this, &MonthCalendar::calendarClicked);
            break;
        }
        default:
            break;
    }
    return QCalendarWidget::eventFilter(watched, event);
}

}  // namespace daywick::ui
