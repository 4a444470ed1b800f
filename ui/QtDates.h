#pragma once
// The engine's dates and Qt's, one into the other.

#include <QDate>

#include "daywick/dates.h"

namespace daywick::ui {

inline QDate toQDate(const CivilDate& date) {
    return QDate(date.year, date.month, date.day);
}

inline CivilDate toCivilDate(const QDate& date) {
    return {date.year(), date.month(), date.day()};
}

}  // namespace daywick::ui
