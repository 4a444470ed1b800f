#include "MoonPicture.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace daywick::ui {

namespace {

// The mean synodic month: the moon's age runs from 0 at one new moon to this at the next.
constexpr double kSynodicMonth = 29.530589;

const QColor kNight(0x20, 0x24, 0x3C);
const QColor kDarkSide(0x44, 0x48, 0x5E);
const QColor kLitSide(0xFF, 0xF2, 0xB8);

// How far the moon has gone round from the new moon, as an angle: 0 new, pi full.
double phaseAngle(double age) {
    return 2 * std::numbers::pi * std::fmod(age, kSynodicMonth) / kSynodicMonth;
}

}  // namespace

MoonPicture::MoonPicture(QWidget* parent) : QWidget(parent) {}

void MoonPicture::setAge(double days) {
    if (days == age_) return;
    age_ = days;
    update();
}

double MoonPicture::litFraction() const {
    return age_ < 0 ? 0 : (1 - std::cos(phaseAngle(age_))) / 2;
}

bool MoonPicture::litOnTheRight() const {
    return age_ >= 0 && phaseAngle(age_) < std::numbers::pi;
}

void MoonPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), kNight);
    if (age_ < 0) return;
    const double radius = std::min(width(), height()) / 2.0 - 4;
    const QPointF centre = QRectF(rect()).center();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDarkSide);
    painter.drawEllipse(centre, radius, radius);

    // Hardly anything of a new moon is lit, all of a full one; the two arcs below would meet only in a
    // hairline.
    const double lit = litFraction();
    if (lit < 0.005) return;
    painter.setBrush(kLitSide);
    if (lit > 0.995) {
        painter.drawEllipse(centre, radius, radius);
        return;
    }
    // The lit part of a waxing moon lies between its right limb and the terminator, a half ellipse whose
    // width is the cosine of the phase angle: on the right of the centre while a crescent, on the left once
    // gibbous. A waning moon is its mirror image.
    const double angle = phaseAngle(age_);
    const double cosine = std::cos(angle);
    const QRectF disk(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const double half = radius * std::abs(cosine);
    const QRectF terminator(centre.x() - half, centre.y() - radius, 2 * half, 2 * radius);
    QPainterPath litPart;
    litPart.moveTo(centre.x(), centre.y() - radius);
    litPart.arcTo(disk, 90, -180);
    litPart.arcTo(terminator, -90, cosine > 0 ? 180 : -180);
    litPart.closeSubpath();
    if (angle > std::numbers::pi) {
        painter.translate(centre.x() * 2, 0);
        painter.scale(-1, 1);
    }
    painter.drawPath(litPart);
}

}  // namespace daywick::ui
