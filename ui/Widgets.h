#pragma once
// The small pieces every window builds itself from, made one way.

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QString>

class QGroupBox;
class QPushButton;
class QWidget;

namespace daywick::ui {

/// The desktop's button-face colour: the background of every window of the program.
inline const QColor kButtonFace{0xD4, 0xD0, 0xC8};

/// The month calendar's title band, a light tint of the カレンダー heading's violet; the koyomi line beside
/// the heading has it too.
inline const QColor kCalendarTitleBand{0xE6, 0xDC, 0xFD};

/// Sundays and holidays in red, Saturdays in blue, as Japanese calendars print them.
inline const QColor kHolidayRed{0xD8, 0x10, 0x10};
inline const QColor kSaturdayBlue{0x10, 0x40, 0xD8};

/// Sets one colour of a widget's palette, leaving the others as they are.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

/// A push button at its place. A focused button takes Enter, as every button of the program does; none is a
/// window's default button, so Enter in a box presses nothing.
QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& place);

/// A group frame at its place, its caption on the frame's top line at the left, as the desktop the program
/// was made for draws it (Qt's own styles put the caption above the frame).
QGroupBox* makeGroupBox(QWidget* parent, const QString& caption, const QRect& place);

}  // namespace daywick::ui
