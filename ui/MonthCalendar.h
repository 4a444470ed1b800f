#pragma once

#include <QCalendarWidget>
#include <QDate>

namespace daywick::ui {

/// The month calendar as the desktop's own control behaves: one month, today circled and named on a line
/// below the month (a click there selects today), paging with the arrows moves the selection with it, and
/// `clicked` fires once for every press and release of the left button that both fall inside the control,
/// after the control took its new selection; never for the keyboard.
class MonthCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit MonthCalendar(QWidget* parent);

    /// The day circled and named on the today line.
    void setToday(const QDate& today);
    const QDate& today() const { return today_; }

signals:
    void calendarClicked();

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchMouseIn(QObject* object);
    void keepSelectionOnPage(int year, int month);

    QDate today_;
    class TodayLine* todayLine_ = nullptr;
    bool pressedInside_ = false;
};

}  // namespace daywick::ui
