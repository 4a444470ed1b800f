// New Year and winter scenes.
#include "paint.h"
#include "scenes.h"

#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace picturegen {
namespace {

const QRectF kFull(0, 0, kWidth, kHeight);

// A bamboo stalk cut on the slant, as on a kadomatsu: the cut face shows the pale wall and the hollow.
void cutBamboo(QPainter& p, double x, double top, double bottom, double w) {
    const QColor green("#3f8f3a");
    const double drop = w * 0.9;
    QPainterPath body(QPointF(x - w / 2, top + drop));
    body.lineTo(x + w / 2, top);
    body.lineTo(x + w / 2, bottom);
    body.lineTo(x - w / 2, bottom);
    body.closeSubpath();
    fillPath(p, body,
             horizontalGradient(
                 x - w / 2, x + w / 2,
                 {{0, green.darker(135)}, {0.3, green.lighter(135)}, {0.6, green}, {1, green.darker(155)}}));
    p.save();
    p.setClipPath(body);
    for (double y = top + drop + 34; y < bottom; y += 40) {
        p.setPen(QPen(green.darker(170), 2));
        p.drawLine(QPointF(x - w / 2, y), QPointF(x + w / 2, y));
        p.setPen(QPen(green.lighter(160), 1));
        p.drawLine(QPointF(x - w / 2, y - 2), QPointF(x + w / 2, y - 2));
    }
    p.restore();
    p.save();
    p.translate(x, top + drop / 2);
    p.rotate(qRadiansToDegrees(std::atan2(-drop, w)));
    const double half = std::hypot(w, drop) / 2;
    p.setPen(QPen(QColor("#a89c5a"), 1.2));
    p.setBrush(QColor("#efe7bb"));
    p.drawEllipse(QPointF(0, 0), half, w * 0.3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#8a7c44"));
    p.drawEllipse(QPointF(0, w * 0.02), half * 0.72, w * 0.18);
    p.restore();
}

// Dome of a round rice cake, flat underneath.
void mochi(QPainter& p, double cx, double bottomY, double w, double h) {
    QPainterPath dome(QPointF(cx - w / 2, bottomY - h * 0.22));
    dome.cubicTo(QPointF(cx - w / 2, bottomY - h * 1.15), QPointF(cx + w / 2, bottomY - h * 1.15),
                 QPointF(cx + w / 2, bottomY - h * 0.22));
    dome.cubicTo(QPointF(cx + w / 2, bottomY + h * 0.06), QPointF(cx - w / 2, bottomY + h * 0.06),
                 QPointF(cx - w / 2, bottomY - h * 0.22));
    QRadialGradient g(QPointF(cx - w * 0.15, bottomY - h * 0.85), w * 0.7);
    g.setColorAt(0, QColor("#ffffff"));
    g.setColorAt(0.55, QColor("#f3eee3"));
    g.setColorAt(1, QColor("#cfc5b0"));
    fillPath(p, dome, g);
}

// Urajiro fern: white-backed fronds laid under the rice cakes.
void fern(QPainter& p, QPointF start, double direction, double length) {
    const QPointF end = polar(start, length, direction);
    const QPointF ctrl = polar(start, length * 0.55, direction - 18) + QPointF(0, -6);
    QPainterPath rib(start);
    rib.quadTo(ctrl, end);
    for (int i = 1; i <= 12; ++i) {
        const double t = double(i) / 13;
        const QPointF at = rib.pointAtPercent(t);
        const double a = -rib.angleAtPercent(t);  // Qt angles run counter-clockwise
        const double len = length * 0.2 * (1 - t * 0.7);
        leaf(p, at, len, len * 0.3, a - 55, QColor("#3f8a3a"));
        leaf(p, at, len, len * 0.3, a + 55, QColor("#c9dcb4"));
    }
    p.save();
    p.setPen(QPen(QColor("#5c4a2a"), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rib);
    p.restore();
}

void snowBall(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.45);
    g.setColorAt(0, QColor("#ffffff"));
    g.setColorAt(0.5, QColor("#eef3f8"));
    g.setColorAt(1, QColor("#a9bbd2"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.restore();
}

void camellia(QPainter& p, QPointF c, double r, double rotation) {
    QPainterPath petal(QPointF(0, 0));
    petal.cubicTo(-0.82 * r, -0.1 * r, -0.78 * r, -1.02 * r, 0, -r);
    petal.cubicTo(0.78 * r, -1.02 * r, 0.82 * r, -0.1 * r, 0, 0);
    QRadialGradient g(QPointF(0, 0), r);
    g.setColorAt(0, QColor("#6d0a1a"));
    g.setColorAt(0.45, QColor("#c01d34"));
    g.setColorAt(1, QColor("#e8465c"));
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(QColor("#8d1426"), std::max(0.6, r * 0.02)));
    p.setBrush(g);
    // Back petals first, then a smaller front ring: the flower looks cupped.
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.rotate(i * 60 + (i >= 3 ? 30 : 0));
        if (i >= 3) p.scale(0.86, 0.86);
        p.drawPath(petal);
        p.restore();
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#f4ecc6"));
    p.drawEllipse(QPointF(0, -r * 0.04), r * 0.3, r * 0.26);
    p.setBrush(QColor("#f1c21c"));
    for (int i = 0; i < 18; ++i)
        p.drawEllipse(polar(QPointF(0, -r * 0.04), r * 0.24, i * 20), r * 0.05, r * 0.05);
    p.setBrush(QColor("#d9c98f"));
    p.drawEllipse(QPointF(0, -r * 0.04), r * 0.1, r * 0.08);
    p.restore();
}

void paintSnowGround(QPainter& p, double top, Rng& rng, const QColor& near, const QColor& far) {
    fillPath(p, ridge(top, 10, 5, rng), verticalGradient(top - 10, kHeight, {{0, far}, {1, near}}));
}

}  // namespace

void paintFirstSunrise(QPainter& p, Rng& rng) {
    const double horizon = 192;
    fillVertical(p, {0, 0, double(kWidth), horizon},
                 {{0, QColor("#1c2858")},
                  {0.38, QColor("#5a4a8a")},
                  {0.7, QColor("#e28a70")},
                  {1, QColor("#ffd69a")}});
    // Thin bands of cloud, lit from below by the coming sun.
    const double bands[][3] = {
        {60, 96, 150}, {240, 82, 130}, {120, 134, 190}, {16, 152, 90}, {282, 146, 110}};
    for (const auto& b : bands)
        wispCloud(p, {b[0], b[1]}, b[2], 9, QColor(120, 90, 150, 200), QColor(250, 170, 120, 230));
    p.save();
    p.setClipRect(QRectF(0, 0, kWidth, horizon));
    sun(p, {161, horizon + 4}, 30, QColor("#fff6cf"), QColor("#ff6a3a"), QColor(255, 170, 90, 170));
    p.restore();
    for (QPointF b : {QPointF(104, 146), QPointF(118, 138), QPointF(92, 136)})
        flyingBird(p, b, 11, 0.6, QColor("#3a2a45"));

    fillVertical(p, {0, horizon, double(kWidth), kHeight - horizon},
                 {{0, QColor("#7a5f8e")}, {0.12, QColor("#434a84")}, {1, QColor("#151d45")}});
    // Far headland on the left
    QPainterPath headland = smoothThrough(
        {{-10, horizon}, {-5, horizon - 12}, {30, horizon - 16}, {62, horizon - 7}, {96, horizon}});
    headland.closeSubpath();
    fillPath(p, headland, QColor("#2d2952"));
    sunGlitter(p, 161, horizon, 30, QColor(255, 200, 120, 220), rng);
    shimmer(p, {0, horizon + 4, double(kWidth), kHeight - horizon - 4}, 40, QColor(190, 170, 230, 80), rng);

    // Meoto-iwa: the wedded rocks, joined by a sacred rope.
    const QColor rock("#1d1830");
    QPainterPath big =
        smoothThrough({{200, 274}, {206, 246}, {220, 224}, {240, 212}, {258, 220}, {268, 246}, {276, 274}});
    big.closeSubpath();
    QPainterPath small =
        smoothThrough({{282, 266}, {288, 248}, {300, 238}, {314, 241}, {324, 254}, {328, 266}});
    small.closeSubpath();
    for (const QPainterPath& r : {big, small}) {
        fillPath(p, r, verticalGradient(210, 274, {{0, rock.lighter(150)}, {1, rock}}));
        p.save();
        p.setPen(QPen(QColor(255, 160, 110, 120), 1.5));
        p.setBrush(Qt::NoBrush);
        p.setClipRect(QRectF(0, 0, 250, kHeight));
        p.drawPath(r);
        p.restore();
    }
    torii(p, {238, 214}, 18, 15, QColor("#c8402a"));
    p.save();
    QPainterPath rope(QPointF(262, 232));
    rope.quadTo(QPointF(280, 256), QPointF(298, 246));
    p.setPen(QPen(QColor("#d9c48c"), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(rope);
    p.setPen(QPen(QColor("#ffffff"), 1.2));
    for (double t : {0.3, 0.55, 0.8}) {
        const QPointF a = rope.pointAtPercent(t);
        p.drawPolyline(QPolygonF({a, a + QPointF(2, 3), a + QPointF(-1, 5), a + QPointF(2, 8)}));
    }
    p.restore();
    // Surf at the foot of the rocks
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 220, 255, 90));
    p.drawEllipse(QPointF(238, 275), 44, 4);
    p.drawEllipse(QPointF(305, 267), 26, 3);
    p.restore();
}

void paintKadomatsu(QPainter& p, Rng& rng) {
    const double floorY = 214;
    // Kohaku-maku, the red and white curtain of festive days.
    const double stripe = 36;
    for (int i = 0; i * stripe < kWidth + stripe; ++i) {
        const QColor c = i % 2 == 0 ? QColor("#d22d3c") : QColor("#f7f1e6");
        const double x = i * stripe - 12;
        p.fillRect(QRectF(x, 0, stripe, floorY),
                   horizontalGradient(x, x + stripe,
                                      {{0, c.darker(114)}, {0.4, c.lighter(104)}, {1, c.darker(108)}}));
    }
    p.fillRect(QRectF(0, 0, kWidth, 16),
               verticalGradient(0, 16, {{0, QColor("#1c2340")}, {1, QColor("#2f3a60")}}));
    p.fillRect(QRectF(0, floorY - 16, kWidth, 16),
               verticalGradient(floorY - 16, floorY, {{0, QColor(0, 0, 0, 0)}, {1, QColor(0, 0, 0, 70)}}));
    fillVertical(p, {0, floorY, double(kWidth), kHeight - floorY},
                 {{0, QColor("#bdb6aa")}, {1, QColor("#8f887c")}});
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 70), 1.2));
    p.drawLine(QPointF(0, 244), QPointF(kWidth, 244));
    p.drawLine(QPointF(0, 276), QPointF(kWidth, 276));
    p.restore();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 30, 20, 70));
    p.drawEllipse(QPointF(178, 262), 84, 13);
    p.restore();

    // The opening of the straw wrap, behind the bamboo.
    const double cx = 161, wrapTop = 178, wrapBottom = 258, half = 60;
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#5a4420"));
    p.drawEllipse(QPointF(cx, wrapTop), half, 11);
    p.restore();
    // Three stalks, the middle one tallest.
    cutBamboo(p, 161, 44, 200, 27);
    cutBamboo(p, 133, 82, 200, 26);
    cutBamboo(p, 189, 94, 200, 26);

    // Pine and berries tucked in around the bamboo.
    pineClump(p, {112, 172}, 22, QColor("#1c4526"), QColor("#5a9a4a"), rng);
    pineClump(p, {210, 170}, 22, QColor("#1c4526"), QColor("#5a9a4a"), rng);
    pineClump(p, {146, 170}, 16, QColor("#1c4526"), QColor("#5a9a4a"), rng);
    pineClump(p, {180, 172}, 15, QColor("#1c4526"), QColor("#5a9a4a"), rng);

    // Straw wrap, its front lip covering the bamboo ends.
    QPainterPath wrap;
    wrap.addRect(QRectF(cx - half, wrapTop, half * 2, wrapBottom - wrapTop));
    QPainterPath lip;
    lip.addEllipse(QPointF(cx, wrapBottom), half, 10);
    wrap = wrap.united(lip);
    QPainterPath front(QPointF(cx - half, wrapTop));
    front.arcTo(QRectF(cx - half, wrapTop - 11, half * 2, 22), 180, 180);
    front.closeSubpath();
    wrap = wrap.united(front);
    fillPath(p, wrap,
             horizontalGradient(cx - half, cx + half,
                                {{0, QColor("#9c7835")}, {0.35, QColor("#e3c684")}, {1, QColor("#8a6a2c")}}));
    p.save();
    p.setClipPath(wrap);
    p.setPen(QPen(QColor(110, 80, 30, 70), 1));
    for (double x = cx - half + 3; x < cx + half; x += 4)
        p.drawLine(QPointF(x, wrapTop), QPointF(x, wrapBottom + 10));
    p.setPen(QPen(QColor("#5e421a"), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (double y : {200.0, 226.0, 250.0}) {
        QPainterPath band(QPointF(cx - half, y));
        band.quadTo(QPointF(cx, y + 18), QPointF(cx + half, y));
        p.drawPath(band);
    }
    p.restore();

    // Nanten berries and plum flowers for colour and good luck.
    p.save();
    p.setPen(Qt::NoPen);
    for (QPointF c : {QPointF(122, 182), QPointF(204, 186)}) {
        for (int i = 0; i < 9; ++i) {
            const QPointF b = c + QPointF(rng.uniform(-9, 9), rng.uniform(-6, 6));
            p.setBrush(QColor("#c8141f"));
            p.drawEllipse(b, 3.6, 3.6);
            p.setBrush(QColor(255, 255, 255, 150));
            p.drawEllipse(b + QPointF(-1, -1), 1, 1);
        }
    }
    p.restore();
    fivePetalFlower(p, {146, 186}, 9, 10, QColor("#e8507a"), QColor("#8a1f3c"), false);
    fivePetalFlower(p, {178, 190}, 8, 40, QColor("#fbf4f4"), QColor("#b23a50"), false);
}

void paintKagamiMochi(QPainter& p, Rng& rng) {
    const double floorY = 238;
    goldScreen(p, floorY, 4);
    // Golden mist bands, as painted on screens.
    const double mists[][4] = {
        {-30, 36, 180, 26}, {150, 92, 210, 24}, {20, 150, 150, 22}, {230, 170, 130, 20}};
    for (const auto& m : mists) {
        QPainterPath band;
        band.addRoundedRect(QRectF(m[0], m[1], m[2], m[3]), m[3] / 2, m[3] / 2);
        fillPath(p, band, QColor(255, 240, 190, 120));
    }
    fillVertical(p, {0, floorY, double(kWidth), kHeight - floorY},
                 {{0, QColor("#7c4c26")}, {1, QColor("#552f15")}});
    p.save();
    p.setPen(QPen(QColor(0, 0, 0, 40), 1));
    for (int i = 0; i < 6; ++i) {
        const double y = floorY + 8 + i * 9;
        p.drawLine(QPointF(0, y), QPointF(kWidth, y + rng.uniform(-2, 2)));
    }
    p.restore();

    // Sanbo stand: pedestal with its cut-out, then the tray.
    const QColor wood("#e2c088");
    p.fillRect(QRectF(106, 220, 110, 50),
               horizontalGradient(106, 216, {{0, wood.darker(112)}, {0.4, wood}, {1, wood.darker(125)}}));
    QPainterPath hole;
    hole.addRoundedRect(QRectF(141, 236, 40, 36), 16, 16);
    fillPath(p, hole, QColor("#6a4622"));
    QPolygonF trayTop({{86, 198}, {236, 198}, {246, 206}, {76, 206}});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(wood.lighter(108));
    p.drawPolygon(trayTop);
    p.restore();
    p.fillRect(QRectF(76, 206, 170, 18), verticalGradient(206, 224, {{0, wood}, {1, wood.darker(125)}}));
    // Paper edged in red, hanging over the front of the tray.
    QPolygonF paper({{118, 204}, {204, 204}, {161, 234}});
    p.save();
    p.setPen(QPen(QColor("#d0263a"), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor("#fbfaf6"));
    p.drawPolygon(paper);
    p.restore();

    fern(p, {118, 194}, 198, 74);
    fern(p, {204, 194}, -18, 74);
    // Two rice cakes, the mirror pair.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 60, 20, 70));
    p.drawEllipse(QPointF(161, 201), 76, 7);
    p.restore();
    mochi(p, 161, 201, 150, 46);
    mochi(p, 161, 160, 118, 40);
    // Daidai orange on top: "from generation to generation".
    leaf(p, {166, 102}, 30, 13, -28, QColor("#3b7a2c"));
    QRadialGradient orange(QPointF(154, 116), 30);
    orange.setColorAt(0, QColor("#ffc04d"));
    orange.setColorAt(0.6, QColor("#f38414"));
    orange.setColorAt(1, QColor("#c2560a"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(orange);
    p.drawEllipse(QPointF(161, 122), 25, 22);
    p.setBrush(QColor(180, 80, 0, 60));
    for (int i = 0; i < 40; ++i)
        p.drawEllipse(QPointF(161, 122) + QPointF(rng.uniform(-18, 18), rng.uniform(-15, 15)), 0.8, 0.8);
    p.setBrush(QColor("#5a4a1c"));
    p.drawEllipse(QPointF(161, 101), 4, 2.5);
    p.restore();
}

void paintKites(QPainter& p, Rng& rng) {
    const double horizon = 228;
    fillVertical(p, {0, 0, double(kWidth), horizon},
                 {{0, QColor("#2a6cc4")}, {0.6, QColor("#86bff0")}, {1, QColor("#e2f1fb")}});
    cloud(p, {74, 66}, 104, QColor("#ffffff"), QColor("#d3e1f0"));
    cloud(p, {268, 172}, 76, QColor("#ffffff"), QColor("#d3e1f0"));
    hills(p, horizon - 2, 22, 5, QColor("#87a3b8"), QColor("#a6b9c2"), rng);
    fillVertical(p, {0, horizon, double(kWidth), kHeight - horizon},
                 {{0, QColor("#c4b27c")}, {1, QColor("#9e8852")}});
    QPainterPath near = smoothThrough({{-10, 254}, {80, 246}, {190, 256}, {330, 248}});
    near.lineTo(330, kHeight);
    near.lineTo(-10, kHeight);
    near.closeSubpath();
    fillPath(p, near, verticalGradient(246, kHeight, {{0, QColor("#b09858")}, {1, QColor("#8a7240")}}));
    for (double x = 10; x < kWidth; x += 26) grassBlades(p, {x, 290}, 22, 6, 10, QColor("#7d6634"), rng);

    // A little diamond kite far away.
    const QPointF far(84, 124);
    p.save();
    p.setPen(QPen(QColor(80, 70, 60, 140), 0.8));
    p.drawLine(far + QPointF(0, 6), QPointF(-10, 300));
    QPainterPath farTail(far + QPointF(0, 13));
    farTail.cubicTo(far + QPointF(6, 24), far + QPointF(-6, 32), far + QPointF(3, 44));
    p.setPen(QPen(QColor("#e0463a"), 2));
    p.drawPath(farTail);
    p.restore();
    QPolygonF diamond(
        {far + QPointF(0, -14), far + QPointF(10, 0), far + QPointF(0, 14), far + QPointF(-10, 0)});
    p.save();
    p.setPen(QPen(QColor("#8a3020"), 0.8));
    p.setBrush(QColor("#f2c21e"));
    p.drawPolygon(diamond);
    p.setBrush(QColor("#e0463a"));
    p.drawEllipse(far, 4, 4);
    p.restore();

    // The big kite: paper on a bamboo frame, with a red sun and long tails.
    const QPointF kc(214, 92);
    const double w = 78, h = 96;
    p.save();
    QPainterPath string(kc + QPointF(-6, 30));
    string.quadTo(QPointF(100, 190), QPointF(-10, 296));
    p.setPen(QPen(QColor(70, 60, 50, 170), 1.1));
    p.drawPath(string);
    p.translate(kc);
    p.rotate(-12);
    for (int side : {-1, 1}) {
        std::vector<QPointF> pts;
        pts.reserve(8);
        for (int i = 0; i < 8; ++i)
            pts.emplace_back(side * (w / 2 - 4) + std::sin(i * 1.3 + side) * 8 + i * 3, h / 2 + i * 15);
        p.setPen(QPen(side < 0 ? QColor("#d9363e") : QColor("#2d4f8e"), 5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(smoothThrough(pts));
    }
    const QRectF k(-w / 2, -h / 2, w, h);
    p.setPen(Qt::NoPen);
    p.fillRect(k, QColor("#fbf5e6"));
    p.setBrush(QColor("#d8283a"));
    p.drawEllipse(QPointF(0, -2), 25, 25);
    p.setPen(QPen(QColor(120, 90, 50, 90), 1.2));
    p.drawLine(k.topLeft(), k.bottomRight());
    p.drawLine(k.topRight(), k.bottomLeft());
    p.drawLine(QPointF(0, k.top()), QPointF(0, k.bottom()));
    p.setPen(QPen(QColor("#24407a"), 7, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(k.adjusted(3.5, 3.5, -3.5, -3.5));
    p.restore();
}

void paintSnowyValley(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 180}, {{0, QColor("#4a82c6")}, {1, QColor("#d2e3f3")}});
    fillPath(p, ridge(122, 62, 5, rng),
             verticalGradient(60, 170, {{0, QColor("#f7f9fc")}, {1, QColor("#b9cadf")}}));
    fillPath(p, ridge(152, 28, 6, rng),
             verticalGradient(124, 180, {{0, QColor("#ffffff")}, {1, QColor("#d3deeb")}}));
    for (int i = 0; i < 34; ++i) {
        const double x = rng.uniform(-10, kWidth + 10);
        conifer(p, {x, rng.uniform(164, 178)}, rng.uniform(14, 24), QColor("#3c5e58"), true);
    }
    paintSnowGround(p, 176, rng, QColor("#e4ebf5"), QColor("#ffffff"));

    // A stream winding towards us, widening as it comes.
    const QPainterPath centre = smoothThrough({{158, 178}, {142, 198}, {186, 232}, {138, 300}});
    std::vector<QPointF> left, right;
    for (int i = 0; i <= 24; ++i) {
        const double t = i / 24.0;
        const QPointF c = centre.pointAtPercent(t);
        const double a = qDegreesToRadians(-centre.angleAtPercent(t));
        const QPointF n(-std::sin(a), std::cos(a));
        const double half = (4 + 70 * std::pow(t, 1.6)) / 2;
        left.push_back(c + n * half);
        right.push_back(c - n * half);
    }
    QPainterPath water(left.front());
    for (const QPointF& q : left) water.lineTo(q);
    std::for_each(right.rbegin(), right.rend(), [&](const QPointF& q) { water.lineTo(q); });
    water.closeSubpath();
    fillPath(p, water, verticalGradient(178, 290, {{0, QColor("#7aa6c8")}, {1, QColor("#2c5f86")}}));
    p.save();
    p.setClipPath(water);
    shimmer(p, {100, 190, 130, 100}, 30, QColor(230, 245, 255, 150), rng);
    p.restore();
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor("#ffffff"), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(smoothThrough(left));
    p.drawPath(smoothThrough(right));
    p.restore();

    conifer(p, {30, 262}, 170, QColor("#2c5548"), true);
    conifer(p, {76, 274}, 110, QColor("#2f5a4c"), true);
    conifer(p, {292, 266}, 180, QColor("#2c5548"), true);
    conifer(p, {250, 280}, 96, QColor("#2f5a4c"), true);
    p.save();
    p.setPen(Qt::NoPen);
    for (QPointF d : {QPointF(40, 286), QPointF(210, 290), QPointF(300, 284)}) {
        QRadialGradient g(d + QPointF(0, -10), 60);
        g.setColorAt(0, QColor("#ffffff"));
        g.setColorAt(1, QColor("#d5e0ee"));
        p.setBrush(g);
        p.drawEllipse(d, 62, 16);
    }
    p.restore();
}

void paintSnowman(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 214}, {{0, QColor("#7d96b6")}, {1, QColor("#e1e8f0")}});
    for (int i = 0; i < 16; ++i)
        conifer(p, {rng.uniform(-10, kWidth + 10), 208}, rng.uniform(40, 76), QColor("#8ea3b8"), true);
    paintSnowGround(p, 206, rng, QColor("#dde6f0"), QColor("#ffffff"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 110, 150, 60));
    p.drawEllipse(QPointF(178, 272), 82, 12);
    p.restore();

    // Twig arms, behind the body.
    const QColor twig("#5a3d2a");
    fillPath(p, taperedStroke({122, 204}, {96, 186}, {66, 164}, 5, 2), twig);
    fillPath(p, taperedStroke({84, 178}, {76, 166}, {74, 152}, 2.5, 1), twig);
    fillPath(p, taperedStroke({200, 204}, {228, 186}, {258, 164}, 5, 2), twig);
    fillPath(p, taperedStroke({240, 178}, {250, 168}, {262, 160}, 2.5, 1), twig);

    snowBall(p, {161, 218}, 56);
    snowBall(p, {161, 144}, 40);
    // Charcoal eyes, buttons and smile; a carrot nose.
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#262626"));
    for (QPointF e : {QPointF(146, 138), QPointF(175, 138), QPointF(161, 206), QPointF(161, 230)})
        p.drawEllipse(e, 4.6, 4.6);
    for (int i = 0; i < 5; ++i) p.drawEllipse(polar({161, 142}, 18, 50 + i * 20), 1.8, 1.8);
    QPolygonF nose({{160, 146}, {182, 150}, {160, 153}});
    p.setBrush(QColor("#f08a24"));
    p.drawPolygon(nose);
    p.restore();
    // Scarf
    QPainterPath scarf(QPointF(124, 172));
    scarf.quadTo(QPointF(161, 192), QPointF(198, 172));
    scarf.lineTo(198, 182);
    scarf.quadTo(QPointF(161, 202), QPointF(124, 182));
    scarf.closeSubpath();
    QPainterPath tail(QPointF(176, 186));
    tail.lineTo(190, 186);
    tail.lineTo(198, 224);
    tail.lineTo(184, 226);
    tail.closeSubpath();
    const QColor wool("#2f74b5");
    fillPath(p, tail, wool.darker(112));
    fillPath(p, scarf, verticalGradient(172, 200, {{0, wool.lighter(115)}, {1, wool.darker(110)}}));
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 200), 2));
    p.drawLine(QPointF(186, 212), QPointF(198, 211));
    p.drawLine(QPointF(184, 218), QPointF(197, 217));
    p.restore();
    // A red bucket for a hat, tipped at a jaunty angle.
    p.save();
    p.translate(161, 112);
    p.rotate(-10);
    QPolygonF bucket({{-32, 0}, {32, 0}, {23, -34}, {-23, -34}});
    p.setPen(Qt::NoPen);
    p.setBrush(horizontalGradient(
        -32, 32, {{0, QColor("#b83228")}, {0.35, QColor("#ef5a48")}, {1, QColor("#a52a20")}}));
    p.drawPolygon(bucket);
    p.fillRect(QRectF(-34, -4, 68, 6), QColor("#c8392e"));
    p.restore();
    snowfall(p, kFull, 70, 1.0, 3.2, rng);
}

void paintCamellia(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#1d382b")}, {1, QColor("#36583f")}});
    for (int i = 0; i < 14; ++i)
        glow(p, {rng.uniform(0, kWidth), rng.uniform(0, kHeight)}, rng.uniform(14, 32),
             QColor(200, 230, 170, 45));
    const QPointF flowers[] = {{112, 150}, {238, 94}, {246, 228}};
    for (int i = 0; i < 24; ++i) {
        const QPointF near = flowers[i % 3] + QPointF(rng.uniform(-40, 40), rng.uniform(-40, 40));
        leaf(p, near, rng.uniform(52, 80), rng.uniform(24, 32), rng.uniform(0, 360),
             mix(QColor("#1b5a2e"), QColor("#2f7440"), rng.uniform(0, 1)));
    }
    camellia(p, flowers[0], 58, 10);
    camellia(p, flowers[1], 42, -20);
    camellia(p, flowers[2], 38, 30);
    // A bud, still wrapped in its green sepals.
    p.save();
    p.translate(52, 62);
    p.rotate(-25);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(-16, 12, {{0, QColor("#e0405a")}, {1, QColor("#8d1426")}}));
    p.drawEllipse(QPointF(0, -4), 10, 14);
    p.setBrush(QColor("#4e7a3a"));
    p.drawEllipse(QPointF(0, 6), 11, 7);
    p.restore();
}

void paintPlumAndWarbler(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#f6efe0")}, {1, QColor("#e0e8d0")}});
    glow(p, {214, 104}, 130, QColor(255, 226, 190, 170));
    // Plum limbs grow in angular zigzags; straight whips shoot up from them.
    const QColor bark("#4b3a32");
    const std::vector<QPointF> limb = {{-14, 262}, {58, 228}, {140, 210}, {214, 170}, {276, 128}, {336, 100}};
    const double widths[] = {15, 12, 9.5, 7, 5, 3.5};
    for (size_t i = 0; i + 1 < limb.size(); ++i) {
        const QPointF mid = (limb[i] + limb[i + 1]) / 2 + QPointF(0, -4);
        fillPath(p, taperedStroke(limb[i], mid, limb[i + 1], widths[i], widths[i + 1]), bark);
    }
    std::vector<BranchNode> nodes;
    const BranchStyle twigs{bark, 0.7, 70, 0.18, 0, 2};
    branch(p, limb[1], -95, 46, 6, 2, twigs, rng, &nodes);
    branch(p, limb[2], -60, 40, 5, 2, twigs, rng, &nodes);
    branch(p, limb[3], -110, 44, 5, 2, twigs, rng, &nodes);
    branch(p, limb[3], 40, 34, 4, 1, twigs, rng, &nodes);
    branch(p, limb[4], -70, 36, 4, 2, twigs, rng, &nodes);
    branch(p, limb[1], 30, 30, 4, 1, twigs, rng, &nodes);
    const BranchStyle whip{bark, 0.85, 10, 0.03, 0, 1};
    branch(p, {104, 218}, -84, 80, 3, 1, whip, rng, &nodes);
    for (size_t i = 1; i + 1 < limb.size(); ++i) nodes.push_back({(limb[i] + limb[i + 1]) / 2, 0, 3});

    const QPointF feet = limb[2] + (limb[3] - limb[2]) * 0.45 + QPointF(0, -3);
    const QPointF birdBody = feet + QPointF(0, -24);
    for (const BranchNode& n : nodes) {
        if (std::hypot(n.point.x() - birdBody.x(), n.point.y() - birdBody.y()) < 34) continue;
        const QPointF at = n.point + QPointF(rng.uniform(-4, 4), rng.uniform(-4, 4));
        if (n.depth == 0 && rng.chance(0.5)) {
            p.save();
            p.setPen(Qt::NoPen);
            p.setBrush(QColor("#b81d52"));
            p.drawEllipse(at, 3.6, 3.6);
            p.restore();
        } else if (rng.chance(0.85)) {
            const bool white = rng.chance(0.2);
            fivePetalFlower(p, at, rng.uniform(8, 11.5), rng.uniform(0, 72),
                            white ? QColor("#fdf6f4") : QColor("#e2487c"),
                            white ? QColor("#c2506a") : QColor("#8a1a3c"), false);
        }
    }
    perchedBird(
        p, feet, 56, false,
        {QColor("#8f9a3e"), QColor("#cdd195"), QColor("#6b7630"), QColor("#4a3d2a"), QColor(0, 0, 0, 0)});
}

void paintWinterNight(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 214},
                 {{0, QColor("#0b1430")}, {0.6, QColor("#24345e")}, {1, QColor("#41507e")}});
    hills(p, 160, 34, 4, QColor("#4a5884"), QColor("#5e6b94"), rng);
    for (int i = 0; i < 18; ++i)
        conifer(p, {rng.uniform(-10, kWidth + 10), rng.uniform(178, 192)}, rng.uniform(26, 44),
                QColor("#1c2a44"), true);
    paintSnowGround(p, 206, rng, QColor("#dfe6f6"), QColor("#a9b6d6"));
    farmhouse(p, {298, 206}, 44, true, true);
    farmhouse(p, {226, 230}, 78, true, true);
    farmhouse(p, {96, 244}, 96, true, true);
    // Window light spilling on the snow.
    glow(p, {96, 252}, 70, QColor(255, 190, 110, 70));
    glow(p, {226, 236}, 50, QColor(255, 190, 110, 60));
    conifer(p, {18, 262}, 120, QColor("#18263e"), true);
    conifer(p, {170, 252}, 70, QColor("#18263e"), true);
    snowfall(p, kFull, 120, 0.8, 3.0, rng);
}

void paintWinterWind(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 214},
                 {{0, QColor("#8a8d98")}, {0.6, QColor("#c3beb2")}, {1, QColor("#e2d8c2")}});
    for (int i = 0; i < 6; ++i)
        wispCloud(p, {rng.uniform(0, kWidth), rng.uniform(20, 140)}, rng.uniform(100, 180),
                  rng.uniform(8, 14), QColor(120, 120, 130, 90), QColor(230, 225, 215, 120));
    hills(p, 196, 20, 5, QColor("#8e8b86"), QColor("#a39c8e"), rng);
    fillPath(p, ridge(216, 8, 5, rng),
             verticalGradient(208, kHeight, {{0, QColor("#b59668")}, {1, QColor("#7e623e")}}));

    // A bare zelkova bent by the north wind.
    std::vector<BranchNode> nodes;
    const BranchStyle bent{QColor("#3a2e28"), 0.74, 52, 0.16, 7, 2};
    branch(p, {100, 268}, -84, 78, 20, 6, bent, rng, &nodes);
    const QColor leafColours[] = {QColor("#b5652a"), QColor("#d0903a"), QColor("#8a5a2a"), QColor("#c4762e")};
    for (const BranchNode& n : nodes)
        if (n.depth == 0 && rng.chance(0.12))
            leaf(p, n.point, 9, 5, rng.uniform(0, 360), leafColours[rng.between(0, 3)]);

    // Wind lines and the leaves it carries.
    p.save();
    p.setBrush(Qt::NoBrush);
    const QPainterPath streams[] = {smoothThrough({{40, 120}, {130, 84}, {220, 126}, {340, 92}}),
                                    smoothThrough({{-10, 196}, {110, 170}, {200, 196}, {340, 168}})};
    for (const QPainterPath& s : streams) {
        p.setPen(QPen(QColor(255, 255, 255, 130), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(s);
        const QPointF end = s.pointAtPercent(0.55);
        QPainterPath curl(end);
        curl.cubicTo(end + QPointF(16, -2), end + QPointF(16, -16), end + QPointF(6, -14));
        curl.quadTo(end + QPointF(0, -12), end + QPointF(4, -8));
        p.drawPath(curl);
    }
    p.restore();
    for (const QPainterPath& s : streams) {
        for (int i = 0; i < 14; ++i) {
            const QPointF at =
                s.pointAtPercent(rng.uniform(0.1, 1.0)) + QPointF(rng.uniform(-14, 14), rng.uniform(-16, 16));
            leaf(p, at, rng.uniform(8, 12), rng.uniform(4, 6), rng.uniform(0, 360),
                 leafColours[rng.between(0, 3)]);
        }
    }
}

}  // namespace picturegen
