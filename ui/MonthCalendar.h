#pragma once

#include <QColor>
#include <QDate>
#include <QRect>
#include <QString>
#include <QWidget>
#include <array>

#include "daywick/dates.h"

class QMenu;
class QSpinBox;

namespace daywick::ui {

/// The month calendar as the desktop's own control behaves, drawn as a Japanese calendar: the month
/// ("2000年1月") between its arrows, the weekday names, six weeks with the neighbouring months' days dimmed,
/// Saturdays blue, Sundays and national holidays red, today circled and named on a line below the weeks (a
/// click there selects today). Paging with the arrows moves the selection with it, a month a press however
/// fast; a press on the month name opens a list of the twelve months, one on the year a spinner. The keys
/// move the selection: the arrows a day or a week, PageUp and PageDown a month, with Ctrl a year.
/// `calendarClicked` fires once for every press and release of the left button that both fall inside the
/// control (once for a double click), after the control took its new selection, and for Enter or Space;
/// never for the other keys, the month list or the year spinner.
class MonthCalendar : public QWidget {
    Q_OBJECT
public:
    /// Opens on the clock's today, selected and circled.
    MonthCalendar(QWidget* parent, const Clock& clock);

    /// The selected day; its month is the month shown.
    QDate selectedDate() const { return selected_; }
    /// Selects a day and shows its month; a day before year 1 or after 9999 becomes the nearest one shown.
    void setSelectedDate(QDate date);

    /// The day circled and named on the today line.
    void setToday(const QDate& today);
    const QDate& today() const { return today_; }

    /// The weekday of the first column; the constructor takes the user's locale's.
    void setFirstDayOfWeek(Qt::DayOfWeek day);

    /// The month above the weeks, e.g. "2000年1月".
    QString title() const;
    /// The today line's text, e.g. "今日: 2000/01/10".
    QString todayText() const;

    // Where the parts lie, in the control's coordinates.
    /// A shown day's cell, or an empty rect for a day not shown.
    QRect cellRect(const QDate& date) const;
    /// The day whose cell holds the point, or an invalid date.
    QDate dateAt(const QPoint& point) const;
    QRect previousMonthRect() const;
    QRect nextMonthRect() const;
    /// The year and its "年" in the title, and the month and its "月".
    QRect yearRect() const;
    QRect monthRect() const;
    QRect weekdayHeaderRect() const;
    QRect todayLineRect() const;

    /// The colour a shown day's number is drawn in.
    QColor dayColour(const QDate& date) const;
    /// A day's holiday, solar term, 雑節 and observances and its koyomi text, one a line.
    QString toolTipFor(const QDate& date) const;

    QSize sizeHint() const override;

signals:
    void calendarClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    enum class Part { None, PreviousMonth, NextMonth, Year, Month, Day, TodayLine };

    Part partAt(const QPoint& point) const;
    void pressOn(Part part);
    void openMonthList();
    void openYearSpinner();
    void closeYearSpinner(bool keep);
    void showYear(int year);
    int yearDigitsWidth() const;
    int titleLeft() const;
    QDate firstShownDay() const;
    QRect titleRect() const;
    int rowHeight() const;
    int columnWidth() const;
    int weeksTop() const;
    bool isHoliday(const QDate& date) const;
    void pageBy(int months);

    QDate selected_;
    QDate today_;
    Qt::DayOfWeek firstDayOfWeek_;
    // A left press in the control waits for its release; the part it fell on.
    bool armed_ = false;
    Part pressed_ = Part::None;
    // Made at their first use: most runs never need them.
    QMenu* monthList_ = nullptr;
    QSpinBox* yearSpinner_ = nullptr;
    QDate beforeYearSpinner_;
    int wheelAngle_ = 0;
    // The shown month's holidays, asked for again when another month is shown.
    mutable QDate holidaysOf_;
    mutable std::array<bool, 31> holidays_{};
};

}  // namespace daywick::ui
