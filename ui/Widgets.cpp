#include "Widgets.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QPushButton>
#include <QWidget>

namespace daywick::ui {

void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

QPushButton* makeButton(QWidget* parent, const QString& caption, const QRect& place) {
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(place);
    button->setAutoDefault(true);
    return button;
}

QGroupBox* makeGroupBox(QWidget* parent, const QString& caption, const QRect& place) {
    auto* box = new QGroupBox(caption, parent);
    box->setGeometry(place);
    // An etched line whose top runs through the middle of the caption; the caption's own background hides
    // the line behind it.
    const int half = QFontMetrics(box->font()).height() / 2;
    box->setStyleSheet(
        QStringLiteral("QGroupBox { border: 2px groove palette(mid); margin-top: %1px; }"
                       "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                       " left: 8px; padding: 0 2px; background: palette(window); }")
            .arg(half));
    return box;
}

}  // namespace daywick::ui
