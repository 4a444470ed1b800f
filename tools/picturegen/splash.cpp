#include "splash.h"

#include "icon.h"
#include "paint.h"

#include <QFont>
#include <QFontInfo>
#include <QPainter>
#include <QRadialGradient>

#include <stdexcept>

namespace picturegen {

namespace {

QFont titleFont(int pixelSize, bool bold) {
    QFont font(QString::fromLatin1(kTitleFontFamily));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    if (QFontInfo(font).family() != QLatin1String(kTitleFontFamily))
        throw std::runtime_error("font IPAPGothic not found (Debian package fonts-ipafont-gothic)");
    return font;
}

// Text with a soft pale halo, so it stays crisp over the sky and blossom.
void haloText(QPainter& p, QPointF baseline, const QString& text, const QFont& font, const QColor& colour) {
    QPainterPath path;
    path.addText(baseline, font, text);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 150), font.pixelSize() * 0.14, Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin));
    p.drawPath(path);
    p.restore();
    fillPath(p, path, colour);
}

}  // namespace

QImage renderSplash() {
    QImage image(kSplashWidth, kSplashHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Rng rng(0x5B1A54ull);
    const double w = kSplashWidth, h = kSplashHeight;

    fillVertical(p, {0, 0, w, h},
                 {{0, QColor("#f7e4ea")}, {0.45, QColor("#fdf6ef")}, {1, QColor("#eef2f3")}});
    sun(p, {384, 86}, 40, QColor("#ff8a7a"), QColor("#d83a44"), QColor(255, 170, 150, 90));
    // Fuji far off, pale, on the right; its snow catches the light.
    mountFuji(p, {334, 196}, 176, 150, QColor("#a8bcd8"), QColor("#dde7f0"));
    // Mist over the lower part keeps the label places quiet.
    p.fillRect(QRectF(0, 200, w, h - 200), verticalGradient(200, h,
                                                            {{0, QColor(253, 249, 244, 0)},
                                                             {0.45, QColor(253, 249, 244, 150)},
                                                             {1, QColor(248, 246, 240, 215)}}));
    QPainterPath field = smoothThrough({{-10, 316}, {120, 304}, {260, 312}, {460, 300}});
    field.lineTo(460, h + 2);
    field.lineTo(-10, h + 2);
    field.closeSubpath();
    fillPath(p, field, verticalGradient(300, h, {{0, QColor("#dfe9cf")}, {1, QColor("#c9dcb4")}}));

    // A cherry bough reaching in from the top right.
    std::vector<BranchNode> nodes;
    const BranchStyle bough{QColor("#5a4038"), 0.72, 56, 0.16, -4, 2};
    branch(p, {462, 30}, 192, 84, 11, 3, bough, rng, &nodes);
    for (const BranchNode& n : nodes)
        if (n.depth <= 2 && rng.chance(0.85))
            fivePetalFlower(p, n.point + QPointF(rng.uniform(-5, 5), rng.uniform(-4, 6)), rng.uniform(8, 12),
                            rng.uniform(0, 72), QColor("#f8c3d4"), QColor("#d0587c"), true);
    const QRectF keepClear[] = {QRectF(kLoadingLabelArea).adjusted(-10, -10, 10, 10),
                                QRectF(kVersionLabelArea).adjusted(-10, -10, 10, 10)};
    for (int i = 0; i < 14; ++i) {
        const QPointF at(rng.uniform(150, 440), rng.uniform(130, 320));
        if (keepClear[0].contains(at) || keepClear[1].contains(at)) continue;
        fallingPetal(p, at, rng.uniform(5, 8), rng.uniform(0, 360), QColor("#f6b8cb"));
    }

    // Title block: the icon, the name and what the program tells you.
    p.save();
    p.translate(34, 58);
    paintIcon(p, 76);
    p.restore();
    haloText(p, {122, 120}, QStringLiteral("Daywick"), titleFont(62, true), QColor("#27386a"));
    p.fillRect(QRectF(124, 134, 226, 2),
               horizontalGradient(124, 350, {{0, QColor("#c9a040")}, {1, QColor(201, 160, 64, 0)}}));
    haloText(p, {126, 172}, QStringLiteral("この日はどんな日"), titleFont(27, false), QColor("#b8323e"));
    p.end();
    return image;
}

}  // namespace picturegen
