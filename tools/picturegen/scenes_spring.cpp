// Spring and rainy-season scenes.
#include "paint.h"
#include "scenes.h"

#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace picturegen {
namespace {

const QRectF kFull(0, 0, kWidth, kHeight);
const QColor kCherryDark("#e48aab");
const QColor kCherryMid("#f6bfd1");
const QColor kCherryLight("#fff0f5");

void hinaDoll(QPainter& p, double x, double base, bool empress) {
    const QColor black("#15151a");
    if (empress) {
        QPainterPath hair;
        hair.addRoundedRect(QRectF(x - 25, base - 132, 50, 78), 18, 18);
        fillPath(p, hair, black);
    }
    QPainterPath robe(QPointF(x - 62, base));
    robe.cubicTo(QPointF(x - 60, base - 48), QPointF(x - 44, base - 84), QPointF(x - 24, base - 96));
    robe.lineTo(x + 24, base - 96);
    robe.cubicTo(QPointF(x + 44, base - 84), QPointF(x + 60, base - 48), QPointF(x + 62, base));
    robe.closeSubpath();
    // The twelve-layer robe shows its layers at the hem; the emperor wears one dark robe.
    const std::vector<QColor> layers = empress ? std::vector<QColor>{QColor("#6b2f8a"), QColor("#2e7d4f"),
                                                                     QColor("#e7b43c"), QColor("#c8304a")}
                                               : std::vector<QColor>{QColor("#e8e0c8"), QColor("#243256")};
    for (size_t i = 0; i < layers.size(); ++i) {
        const double grow = 1 + 0.05 * double(layers.size() - 1 - i);
        QTransform t;
        t.translate(x, base);
        t.scale(grow, grow);
        t.translate(-x, -base);
        fillPath(
            p, t.map(robe),
            verticalGradient(base - 100, base, {{0, layers[i].lighter(112)}, {1, layers[i].darker(115)}}));
    }
    const QColor top = layers.back();
    // Woven pattern on the outer robe
    p.save();
    p.setClipPath(robe);
    p.setPen(Qt::NoPen);
    p.setBrush(empress ? QColor(255, 215, 120, 110) : QColor(150, 170, 220, 90));
    for (double yy = base - 90; yy < base; yy += 12)
        for (double xx = x - 60 + (int(yy) % 24 == 0 ? 6 : 0); xx < x + 62; xx += 12) {
            QPolygonF lozenge({{xx, yy - 3}, {xx + 3, yy}, {xx, yy + 3}, {xx - 3, yy}});
            p.drawPolygon(lozenge);
        }
    p.restore();
    // Sleeves hang wide at the sides.
    for (int side : {-1, 1}) {
        QPainterPath sleeve;
        sleeve.addRoundedRect(QRectF(x + side * 38 - 20, base - 84, 40, 66), 14, 14);
        if (empress) fillPath(p, sleeve.translated(side * 3, 4), QColor("#e7b43c"));
        fillPath(p, sleeve,
                 horizontalGradient(x + side * 38 - 20, x + side * 38 + 20,
                                    {{0, top.lighter(110)}, {1, top.darker(120)}}));
    }
    // Collar
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(i == 0 ? QColor("#ffffff") : (empress ? layers[i] : QColor("#c8304a")), 3));
        p.drawPolyline(
            QPolygonF({{x - 16 + i * 3, base - 97}, {x, base - 74 + i * 4}, {x + 16 - i * 3, base - 97}}));
    }
    p.restore();
    // Hands holding a sceptre (shaku) or a cypress fan (hiogi).
    if (empress) {
        p.save();
        p.translate(x, base - 62);
        p.setPen(QPen(QColor("#8a6a20"), 0.8));
        for (int i = 0; i < 7; ++i) {
            QPainterPath rib(QPointF(0, 0));
            rib.lineTo(polar({0, 0}, 26, 205 + i * 21.5));
            rib.lineTo(polar({0, 0}, 26, 205 + (i + 1) * 21.5));
            rib.closeSubpath();
            p.setBrush(i % 2 == 0 ? QColor("#f3cf5a") : QColor("#e05a6a"));
            p.drawPath(rib);
        }
        p.setPen(QPen(QColor("#d83a6a"), 2));
        p.drawLine(QPointF(-12, -4), QPointF(-18, 26));
        p.setPen(QPen(QColor("#3a9a6a"), 2));
        p.drawLine(QPointF(12, -4), QPointF(18, 26));
        p.restore();
    } else {
        p.fillRect(QRectF(x - 3, base - 98, 6, 38), QColor("#e9d9a8"));
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#fbf4ea"));
    p.drawEllipse(QPointF(x, base - 60), 9, 6);
    // Face
    p.drawEllipse(QPointF(x, base - 114), 14, 17);
    p.setBrush(black);
    if (empress) {
        QPainterPath fringe(QPointF(x - 15, base - 112));
        fringe.cubicTo(QPointF(x - 16, base - 138), QPointF(x + 16, base - 138), QPointF(x + 15, base - 112));
        fringe.quadTo(QPointF(x + 8, base - 126), QPointF(x, base - 127));
        fringe.quadTo(QPointF(x - 8, base - 126), QPointF(x - 15, base - 112));
        p.drawPath(fringe);
        p.setBrush(QColor("#e9b83a"));
        QPolygonF crown({{x - 14, base - 132},
                         {x - 10, base - 142},
                         {x - 5, base - 135},
                         {x, base - 146},
                         {x + 5, base - 135},
                         {x + 10, base - 142},
                         {x + 14, base - 132}});
        p.drawPolygon(crown);
        for (int i : {-12, 12}) p.drawEllipse(QPointF(x + i, base - 122), 1.6, 1.6);
    } else {
        p.drawChord(QRectF(x - 15, base - 133, 30, 26), 0, 180 * 16);
        p.drawRoundedRect(QRectF(x - 10, base - 150, 20, 22), 5, 5);
        QPolygonF tail({{x - 2, base - 148}, {x + 2, base - 148}, {x + 7, base - 176}, {x + 2, base - 177}});
        p.drawPolygon(tail);
    }
    p.setPen(QPen(black, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(x - 9, base - 116, 6, 4), 0, -180 * 16);
    p.drawArc(QRectF(x + 3, base - 116, 6, 4), 0, -180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(black);
    p.drawEllipse(QPointF(x - 6, base - 123), 1.6, 1);
    p.drawEllipse(QPointF(x + 6, base - 123), 1.6, 1);
    p.setBrush(QColor("#d0283a"));
    p.drawEllipse(QPointF(x, base - 104), 2, 1.4);
    p.restore();
}

void bonbori(QPainter& p, double x, double base) {
    const QColor lacquer("#1c1414");
    p.fillRect(QRectF(x - 14, base - 6, 28, 6), lacquer);
    p.fillRect(QRectF(x - 2, base - 100, 4, 94), lacquer);
    glow(p, {x, base - 118}, 52, QColor(255, 210, 130, 130));
    QRadialGradient g(QPointF(x, base - 118), 26);
    g.setColorAt(0, QColor("#fffbea"));
    g.setColorAt(1, QColor("#f3d9a8"));
    p.save();
    p.setPen(QPen(QColor("#c9a060"), 1));
    p.setBrush(g);
    p.drawEllipse(QPointF(x, base - 118), 19, 25);
    p.restore();
    fivePetalFlower(p, {x - 4, base - 116}, 6, 0, QColor("#f49ac1"), QColor("#b0406a"), false);
    p.fillRect(QRectF(x - 10, base - 146, 20, 5), lacquer);
    p.fillRect(QRectF(x - 12, base - 95, 24, 4), lacquer);
}

// Diamond-shaped rice cakes in three colours, stacked on a small stand.
void hishimochi(QPainter& p, QPointF c) {
    const QColor colours[] = {QColor("#6ca35a"), QColor("#f8f6ee"), QColor("#f29bb7")};
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#1c1414"));
    p.drawRect(QRectF(c.x() - 24, c.y(), 48, 6));
    for (int i = 0; i < 3; ++i) {
        const double y = c.y() - 6 * i;
        QPolygonF side({{c.x() - 26, y - 7},
                        {c.x(), y},
                        {c.x() + 26, y - 7},
                        {c.x() + 26, y - 12},
                        {c.x(), y - 5},
                        {c.x() - 26, y - 12}});
        p.setBrush(colours[i].darker(110));
        p.drawPolygon(side);
        QPolygonF topFace({{c.x() - 26, y - 12}, {c.x(), y - 5}, {c.x() + 26, y - 12}, {c.x(), y - 19}});
        p.setBrush(colours[i]);
        p.drawPolygon(topFace);
    }
    p.restore();
}

// Koinobori: a cloth carp whose body ripples more towards the tail.
void carpStreamer(QPainter& p, QPointF mouth, double len, double h, const QColor& body, const QColor& accent,
                  double phase) {
    auto wave = [&](double t) { return std::sin(t * 2 * M_PI * 1.1 + phase) * h * 0.18 * t; };
    auto half = [&](double t) {
        if (t < 0.12) return h / 2 * (0.8 + t / 0.12 * 0.2);
        return h / 2 * (1.0 - 0.42 * std::pow((t - 0.12) / 0.72, 1.3));
    };
    const double tailStart = 0.84;
    std::vector<QPointF> top, bottom;
    for (int i = 0; i <= 24; ++i) {
        const double t = tailStart * i / 24;
        top.push_back(mouth + QPointF(t * len, -half(t) + wave(t)));
        bottom.push_back(mouth + QPointF(t * len, half(t) + wave(t)));
    }
    QPainterPath shape(top.front());
    for (const QPointF& q : top) shape.lineTo(q);
    shape.lineTo(mouth + QPointF(len * 1.02, -h * 0.5 + wave(1)));
    shape.lineTo(mouth + QPointF(len * 0.93, wave(0.93)));
    shape.lineTo(mouth + QPointF(len * 1.04, h * 0.42 + wave(1)));
    std::for_each(bottom.rbegin(), bottom.rend(), [&](const QPointF& q) { shape.lineTo(q); });
    shape.closeSubpath();
    fillPath(p, shape,
             verticalGradient(mouth.y() - h / 2, mouth.y() + h / 2,
                              {{0, body.darker(112)}, {0.65, body}, {1, body.lighter(135)}}));
    p.save();
    p.setClipPath(shape);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(alpha(accent, 0.75), std::max(1.0, h * 0.035)));
    const double s = h * 0.14;
    for (double t = 0.3; t < 0.82; t += 0.075)
        for (int row = -1; row <= 1; ++row) {
            const QPointF c = mouth + QPointF(t * len + (row == 0 ? s * 0.5 : 0), row * h * 0.24 + wave(t));
            p.drawArc(QRectF(c.x() - s, c.y() - s, 2 * s, 2 * s), 90 * 16, 180 * 16);
        }
    p.setPen(QPen(accent, std::max(1.2, h * 0.05)));
    const QPointF gill = mouth + QPointF(0.2 * len, wave(0.2));
    p.drawArc(QRectF(gill.x() - h * 0.3, gill.y() - h * 0.42, h * 0.6, h * 0.84), -70 * 16, 140 * 16);
    p.restore();
    p.save();
    p.setPen(Qt::NoPen);
    const QPointF eye = mouth + QPointF(0.1 * len, -h * 0.1 + wave(0.1));
    p.setBrush(QColor("#ffffff"));
    p.drawEllipse(eye, h * 0.17, h * 0.17);
    p.setBrush(QColor("#e8b830"));
    p.drawEllipse(eye, h * 0.12, h * 0.12);
    p.setBrush(QColor("#111111"));
    p.drawEllipse(eye, h * 0.08, h * 0.08);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(eye + QPointF(-h * 0.03, -h * 0.03), h * 0.025, h * 0.025);
    p.setPen(QPen(QColor("#f3e7c0"), std::max(1.5, h * 0.06)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(mouth + QPointF(0, wave(0)), h * 0.06, h * 0.42);
    p.restore();
}

void wisteriaRaceme(QPainter& p, QPointF top, double length, double width, Rng& rng) {
    const QColor upper("#a27ed6"), middle("#c3a5ec"), tip("#6c4aa0");
    const int florets = int(length / 3.0);
    for (int k = florets; k >= 0; --k) {  // tip first, so open upper flowers overlap the buds
        const double t = double(k) / florets;
        const double y = top.y() + t * length;
        const double halfW = width / 2 * (1 - 0.8 * t);
        const double sway = std::sin(t * 3) * 4;
        for (int j = 0; j < 2; ++j) {
            const QPointF c(top.x() + sway + rng.uniform(-halfW, halfW), y + rng.uniform(-2, 2));
            const double r = 3.8 * (1 - 0.55 * t) + 0.8;
            const QColor colour = t < 0.5 ? mix(upper, middle, t * 2 + rng.uniform(-0.2, 0.2))
                                          : mix(middle, tip, (t - 0.5) * 2 + rng.uniform(-0.2, 0.2));
            p.setBrush(colour);
            p.drawEllipse(c, r * 1.15, r * 0.85);
            p.setBrush(alpha(colour.lighter(135), 0.8));
            p.drawEllipse(c + QPointF(-r * 0.3, -r * 0.25), r * 0.45, r * 0.35);
        }
    }
}

void floret4(QPainter& p, QPointF c, double r, double rotation, const QColor& colour) {
    QPainterPath petal(QPointF(0, 0));
    petal.cubicTo(-0.55 * r, -0.3 * r, -0.5 * r, -r, 0, -r);
    petal.cubicTo(0.5 * r, -r, 0.55 * r, -0.3 * r, 0, 0);
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(colour.darker(125), std::max(0.4, r * 0.05)));
    p.setBrush(verticalGradient(-r, r, {{0, colour.lighter(112)}, {1, colour.darker(108)}}));
    for (int i = 0; i < 4; ++i) {
        p.drawPath(petal);
        p.rotate(90);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour.lighter(150));
    p.drawEllipse(QPointF(0, 0), r * 0.14, r * 0.14);
    p.restore();
}

void hydrangea(QPainter& p, QPointF c, double r, const QColor& a, const QColor& b, Rng& rng) {
    QRadialGradient base(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    base.setColorAt(0, a.darker(125));
    base.setColorAt(1, b.darker(180));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawEllipse(c, r, r * 0.92);
    p.restore();
    const int count = int(r * 1.3);
    for (int i = 0; i < count; ++i) {
        const double ang = rng.uniform(0, 2 * M_PI);
        const double d = std::sqrt(rng.uniform(0, 1)) * r * 0.86;
        const QPointF q = c + QPointF(std::cos(ang) * d, std::sin(ang) * d * 0.92);
        // Lighter towards the upper left, where the light comes from.
        const double lit = std::clamp(0.5 - ((q.x() - c.x()) + (q.y() - c.y())) / (3 * r), 0.0, 1.0);
        QColor colour = mix(a, b, rng.uniform(0, 1));
        colour = lit > 0.5 ? mix(colour, QColor("#ffffff"), (lit - 0.5) * 0.6)
                           : mix(colour, colour.darker(160), (0.5 - lit));
        floret4(p, q, r * 0.17 * rng.uniform(0.85, 1.1), rng.uniform(0, 90), colour);
    }
}

void snail(QPainter& p, QPointF base, double s) {
    p.save();
    p.translate(base);
    const QColor skin("#bfb19c");
    p.setPen(QPen(skin.darker(110), s * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(1.35 * s, -0.6 * s), QPointF(1.6 * s, -1.3 * s));
    p.drawLine(QPointF(1.15 * s, -0.6 * s), QPointF(1.2 * s, -1.2 * s));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#3a3026"));
    p.drawEllipse(QPointF(1.6 * s, -1.3 * s), s * 0.08, s * 0.08);
    p.drawEllipse(QPointF(1.2 * s, -1.2 * s), s * 0.07, s * 0.07);
    QPainterPath foot(QPointF(-1.6 * s, 0.05 * s));
    foot.cubicTo(-0.8 * s, -0.2 * s, 0.6 * s, -0.25 * s, 1.1 * s, -0.58 * s);
    foot.cubicTo(1.45 * s, -0.78 * s, 1.78 * s, -0.5 * s, 1.62 * s, -0.2 * s);
    foot.cubicTo(1.5 * s, 0.1 * s, 0.5 * s, 0.18 * s, -1.6 * s, 0.05 * s);
    fillPath(p, foot, verticalGradient(-0.7 * s, 0.1 * s, {{0, skin.lighter(112)}, {1, skin.darker(115)}}));
    const QPointF shell(0.0, -0.9 * s);
    QRadialGradient g(shell - QPointF(0.3 * s, 0.3 * s), s * 1.3);
    g.setColorAt(0, QColor("#f0c482"));
    g.setColorAt(0.6, QColor("#b07838"));
    g.setColorAt(1, QColor("#6e4420"));
    p.setBrush(g);
    p.drawEllipse(shell, s, s * 0.92);
    // The spiral winds in from the rim to the centre.
    QPainterPath spiral;
    for (int i = 0; i <= 80; ++i) {
        const double t = i / 80.0;
        const double a = t * 2.3 * 2 * M_PI;
        const QPointF pt = shell + QPointF(std::cos(a) * (1 - t) * s * 0.85, std::sin(a) * (1 - t) * s * 0.8);
        if (i == 0)
            spiral.moveTo(pt);
        else
            spiral.lineTo(pt);
    }
    p.setPen(QPen(QColor("#5e3a18"), s * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(spiral);
    p.restore();
}

// A white egret standing in the shallows.
void egret(QPainter& p, QPointF feet, double s) {
    p.save();
    p.translate(feet);
    p.setPen(QPen(QColor("#2a2a2a"), std::max(1.0, s * 0.03)));
    p.drawLine(QPointF(-0.04 * s, 0), QPointF(-0.02 * s, -0.5 * s));
    p.drawLine(QPointF(0.08 * s, 0), QPointF(0.06 * s, -0.5 * s));
    const QColor white("#fbfbf6");
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), 0.38 * s, 0.18 * s);
    QTransform t;
    t.translate(0.02 * s, -0.62 * s);
    t.rotate(-15);
    fillPath(p, t.map(body), verticalGradient(-0.8 * s, -0.45 * s, {{0, white}, {1, QColor("#d5dde0")}}));
    fillPath(
        p,
        taperedStroke({0.26 * s, -0.7 * s}, {0.05 * s, -1.05 * s}, {0.34 * s, -1.28 * s}, 0.13 * s, 0.08 * s),
        white);
    p.setPen(Qt::NoPen);
    p.setBrush(white);
    p.drawEllipse(QPointF(0.36 * s, -1.3 * s), 0.075 * s, 0.065 * s);
    QPolygonF beak({{0.4 * s, -1.33 * s}, {0.72 * s, -1.27 * s}, {0.4 * s, -1.27 * s}});
    p.setBrush(QColor("#e8b830"));
    p.drawPolygon(beak);
    p.setBrush(QColor("#222222"));
    p.drawEllipse(QPointF(0.38 * s, -1.31 * s), 0.018 * s, 0.018 * s);
    p.restore();
}

}  // namespace

void paintHinaDolls(QPainter& p, Rng& rng) {
    const double stepY = 206;
    goldScreen(p, stepY, 3);
    fillVertical(p, {0, stepY, double(kWidth), kHeight - stepY},
                 {{0, QColor("#d42a3c")}, {1, QColor("#92141f")}});
    p.fillRect(QRectF(0, stepY, kWidth, 3), QColor("#ee5a66"));
    p.fillRect(QRectF(0, 262, kWidth, 28),
               verticalGradient(262, 290, {{0, QColor("#b81e2e")}, {1, QColor("#7a101a")}}));
    p.fillRect(QRectF(0, 262, kWidth, 2), QColor("#e04a58"));

    // Peach blossom, the flower of the doll festival.
    std::vector<BranchNode> nodes;
    const BranchStyle peach{QColor("#5a3a2e"), 0.7, 60, 0.15, 0, 2};
    branch(p, {-6, 30}, 20, 60, 6, 2, peach, rng, &nodes);
    branch(p, {328, 24}, 160, 60, 6, 2, peach, rng, &nodes);
    for (const BranchNode& n : nodes)
        if (rng.chance(0.8))
            fivePetalFlower(p, n.point, rng.uniform(7, 10), rng.uniform(0, 72), QColor("#f6a3c4"),
                            QColor("#c04474"), false);

    bonbori(p, 32, 262);
    bonbori(p, 290, 262);
    hinaDoll(p, 106, 240, false);
    hinaDoll(p, 216, 240, true);
    hishimochi(p, {161, 278});
}

void paintRapeseedField(QPainter& p, Rng& rng) {
    const double horizon = 168;
    fillVertical(p, {0, 0, double(kWidth), horizon}, {{0, QColor("#3489d6")}, {1, QColor("#d2e9fa")}});
    cloud(p, {80, 58}, 92, QColor("#ffffff"), QColor("#dce7f3"));
    cloud(p, {240, 38}, 64, QColor("#ffffff"), QColor("#dce7f3"));
    hills(p, 150, 40, 4, QColor("#7b9dc0"), QColor("#a3bacd"), rng);
    hills(p, 168, 14, 7, QColor("#5a874c"), QColor("#6f9a55"), rng);

    // A cherry tree in bloom at the field's edge.
    fillPath(p, taperedStroke({262, 200}, {266, 160}, {256, 118}, 11, 5), QColor("#4a3530"));
    fillPath(p, taperedStroke({260, 150}, {240, 130}, {222, 112}, 5, 2), QColor("#4a3530"));
    drawPuffs(p, scatterPuffs({192, 62, 136, 100}, 46, 11, 22, rng), kCherryDark, kCherryMid, kCherryLight);

    fillVertical(p, {0, 172, double(kWidth), kHeight - 172.0},
                 {{0, QColor("#c2cf3a")}, {1, QColor("#7f9e2c")}});
    struct Bloom {
        double y, x, r;
    };
    std::vector<Bloom> blooms;
    for (int i = 0; i < 950; ++i) {
        const double y = 172 + std::pow(rng.uniform(0, 1), 1.5) * 122;
        const double depth = (y - 170) / 120;
        blooms.push_back({y, rng.uniform(-10, kWidth + 10), 1.2 + depth * depth * 6.5});
    }
    std::sort(blooms.begin(), blooms.end(), [](const Bloom& a, const Bloom& b) { return a.y < b.y; });
    const QColor yellows[] = {QColor("#ffe53a"), QColor("#f7d21c"), QColor("#fff27a"), QColor("#f2c810")};
    p.save();
    p.setPen(Qt::NoPen);
    for (const Bloom& b : blooms) {
        if (b.r > 4) {
            // Near heads are clusters of little four-petalled flowers.
            p.setBrush(QColor("#6f9a2c"));
            p.drawEllipse(QPointF(b.x, b.y + b.r * 0.6), b.r * 0.9, b.r * 0.5);
            for (int k = 0; k < 5; ++k) {
                p.setBrush(yellows[rng.between(0, 3)]);
                p.drawEllipse(
                    QPointF(b.x, b.y) + QPointF(rng.uniform(-b.r, b.r), rng.uniform(-b.r * 0.6, b.r * 0.6)),
                    b.r * 0.5, b.r * 0.45);
            }
        } else {
            p.setBrush(yellows[rng.between(0, 3)]);
            p.drawEllipse(QPointF(b.x, b.y), b.r * 1.3, b.r * 0.8);
        }
    }
    p.restore();
}

void paintCherryRiver(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 160}, {{0, QColor("#7fbbe8")}, {1, QColor("#ecf6fb")}});
    cloud(p, {256, 44}, 70, QColor("#ffffff"), QColor("#dde8f2"));
    hills(p, 150, 22, 5, QColor("#9db8ca"), QColor("#b6c9d3"), rng);
    fillVertical(p, {0, 148, double(kWidth), kHeight - 148.0},
                 {{0, QColor("#a7d07c")}, {1, QColor("#5f9a45")}});

    const std::vector<QPointF> leftBank = {{164, 150}, {150, 190}, {118, 240}, {56, 296}};
    const std::vector<QPointF> rightBank = {{176, 150}, {198, 190}, {238, 240}, {304, 296}};
    QPainterPath river = smoothThrough(leftBank);
    std::vector<QPointF> back(rightBank.rbegin(), rightBank.rend());
    river.connectPath(smoothThrough(back));
    river.closeSubpath();
    fillPath(p, river, verticalGradient(150, 290, {{0, QColor("#cbe8f5")}, {1, QColor("#3f88b8")}}));
    p.save();
    p.setClipPath(river);
    shimmer(p, {60, 160, 250, 130}, 40, QColor(255, 255, 255, 150), rng);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const double y = rng.uniform(160, 290);
        p.setBrush(QColor(255, 214, 226, 220));
        p.drawEllipse(QPointF(rng.uniform(50, 310), y), 0.6 + (y - 150) / 50, 0.4 + (y - 150) / 90);
    }
    p.restore();
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor("#c9c3b5"), 3));
    p.drawPath(smoothThrough(leftBank));
    p.drawPath(smoothThrough(rightBank));
    p.restore();

    // Rows of cherry trees along both banks, drawn far to near.
    struct Tree {
        double x, baseY, r;
    };
    std::vector<Tree> trees = {{144, 152, 12}, {198, 152, 12}, {126, 160, 20}, {218, 160, 20}, {96, 174, 32},
                               {252, 174, 32}, {50, 194, 48},  {300, 194, 48}, {-4, 222, 70}};
    std::sort(trees.begin(), trees.end(), [](const Tree& a, const Tree& b) { return a.baseY < b.baseY; });
    for (const Tree& t : trees) {
        fillPath(p,
                 taperedStroke({t.x, t.baseY}, {t.x, t.baseY - t.r * 0.6},
                               {t.x + t.r * 0.1, t.baseY - t.r * 1.3}, t.r * 0.2, t.r * 0.1),
                 QColor("#4a3530"));
        drawPuffs(p,
                  scatterPuffs({t.x - t.r * 1.3, t.baseY - t.r * 2.4, t.r * 2.6, t.r * 1.7}, 8 + int(t.r / 2),
                               t.r * 0.25, t.r * 0.45, rng),
                  kCherryDark, kCherryMid, kCherryLight);
    }
    for (int i = 0; i < 30; ++i)
        fallingPetal(p, {rng.uniform(0, kWidth), rng.uniform(30, 280)}, rng.uniform(3, 6),
                     rng.uniform(0, 360), QColor("#f8c6d6"));
}

void paintNightCherry(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#0c1030")}, {0.6, QColor("#2a2452")}, {1, QColor("#43305a")}});
    stars(p, {0, 0, double(kWidth), 110}, 30, rng);
    fullMoon(p, {48, 44}, 17);
    fillPath(p, ridge(252, 12, 4, rng),
             verticalGradient(240, kHeight, {{0, QColor("#2c1f38")}, {1, QColor("#140f20")}}));

    const BranchStyle wood{QColor("#24181e"), 0.7, 60, 0.15, 0, 2};
    branch(p, {70, 292}, -72, 90, 22, 3, wood, rng, nullptr);
    branch(p, {292, 292}, -112, 80, 18, 3, wood, rng, nullptr);
    // The canopy is lit from below by the lanterns.
    std::vector<Puff> canopy = scatterPuffs({-50, -40, 420, 180}, 90, 16, 30, rng);
    const std::vector<Puff> more = scatterPuffs({0, 40, 140, 90}, 16, 12, 22, rng);
    canopy.insert(canopy.end(), more.begin(), more.end());
    drawPuffs(p, canopy, QColor("#8e4a72"), QColor("#e9a0c0"), QColor("#ffe6f0"), {0.0, 1.0});

    QPainterPath cord(QPointF(-10, 130));
    cord.quadTo(QPointF(161, 200), QPointF(332, 122));
    p.save();
    p.setPen(QPen(QColor("#1a1218"), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cord);
    p.restore();
    for (int i = 1; i <= 7; ++i) {
        const QPointF at = cord.pointAtPercent(i / 8.0);
        lantern(p, at + QPointF(0, 19), 22, 30, i % 2 ? QColor("#d8343f") : QColor("#f1dcb0"), true);
    }
    for (int i = 0; i < 40; ++i)
        fallingPetal(p, {rng.uniform(0, kWidth), rng.uniform(120, 288)}, rng.uniform(3, 5.5),
                     rng.uniform(0, 360), QColor("#f7c9da"));
}

void paintCarpStreamers(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#2a7fd4")}, {1, QColor("#b5ddf6")}});
    cloud(p, {250, 40}, 90, QColor("#ffffff"), QColor("#d8e5f2"));
    cloud(p, {120, 262}, 80, QColor("#ffffff"), QColor("#d8e5f2"));
    hills(p, 262, 24, 5, QColor("#5f9a4e"), QColor("#3f7a38"), rng);
    // Tiled roofs of the village below.
    for (double x : {150.0, 232.0, 300.0}) {
        QPolygonF roof({{x - 40, 276}, {x - 26, 258}, {x + 26, 258}, {x + 40, 276}});
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(verticalGradient(258, 276, {{0, QColor("#4a5a78")}, {1, QColor("#2c3650")}}));
        p.drawPolygon(roof);
        p.fillRect(QRectF(x - 34, 276, 68, 16), QColor("#f0e8d8"));
        p.restore();
    }

    const double poleX = 46;
    p.fillRect(QRectF(poleX - 3, 22, 6, kHeight),
               horizontalGradient(poleX - 3, poleX + 3, {{0, QColor("#f2ead8")}, {1, QColor("#a89a80")}}));
    // Yaguruma, the arrow wheel, spins at the top.
    p.save();
    p.translate(poleX, 22);
    p.setPen(QPen(QColor("#c89a2a"), 2));
    for (int i = 0; i < 8; ++i) p.drawLine(QPointF(0, 0), polar({0, 0}, 14, i * 45 + 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#f2c84a"));
    p.drawEllipse(QPointF(0, -10), 4.5, 4.5);
    p.restore();
    // Fukinagashi: the five-coloured streamer.
    const QColor bands[] = {QColor("#2f6fd1"), QColor("#e63c3c"), QColor("#f4d03a"), QColor("#ffffff"),
                            QColor("#2e9a5a")};
    const double bandH = 6;
    for (int b = 0; b < 5; ++b) {
        std::vector<QPointF> upper, lower;
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            const double wave = std::sin(t * 7 + 0.5) * 6 * t;
            upper.emplace_back(poleX + t * 190, 40 + b * bandH + wave + t * 8);
            lower.emplace_back(poleX + t * 190, 40 + (b + 1) * bandH + wave + t * 8);
        }
        QPainterPath strip(upper.front());
        for (const QPointF& q : upper) strip.lineTo(q);
        std::for_each(lower.rbegin(), lower.rend(), [&](const QPointF& q) { strip.lineTo(q); });
        strip.closeSubpath();
        fillPath(p, strip, bands[b]);
    }
    p.save();
    p.setPen(QPen(QColor(90, 80, 70, 200), 1));
    for (double y : {96.0, 158.0, 212.0}) p.drawLine(QPointF(poleX, y - 20), QPointF(poleX + 10, y));
    p.restore();
    carpStreamer(p, {poleX + 10, 96}, 196, 48, QColor("#25303c"), QColor("#f0c040"), 0.0);
    carpStreamer(p, {poleX + 10, 158}, 164, 40, QColor("#e33b36"), QColor("#ffe1b0"), 1.2);
    carpStreamer(p, {poleX + 10, 212}, 128, 32, QColor("#2f6fd1"), QColor("#d8ecff"), 2.4);
}

void paintWisteria(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#e9f1da")}, {0.7, QColor("#cfe2b7")}, {1, QColor("#a9c98e")}});
    glow(p, {200, 250}, 120, QColor(255, 255, 240, 150));
    // Garden path far below the trellis.
    QPolygonF path({{130, 290}, {220, 290}, {180, 232}, {166, 232}});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 220, 195, 180));
    p.drawPolygon(path);
    p.restore();
    for (int i = 0; i < 8; ++i)
        drawPuffs(p, scatterPuffs({i * 46.0 - 20, 224, 60, 40}, 6, 8, 14, rng), QColor("#7fa866"),
                  QColor("#9cc07e"), QColor("#c4dca8"));

    // Trellis beams and the leafy ceiling.
    p.fillRect(QRectF(0, 10, kWidth, 9),
               verticalGradient(10, 19, {{0, QColor("#9a7450")}, {1, QColor("#5e4028")}}));
    for (double x : {40.0, 160.0, 280.0}) p.fillRect(QRectF(x - 4, 0, 8, 26), QColor("#6a4a30"));
    for (int i = 0; i < 36; ++i)
        leaf(p, {rng.uniform(-10, kWidth + 10), rng.uniform(0, 34)}, rng.uniform(18, 30), rng.uniform(7, 10),
             rng.uniform(40, 140), mix(QColor("#5e9a45"), QColor("#8cc06a"), rng.uniform(0, 1)));

    struct Raceme {
        double x, top, len, width;
    };
    std::vector<Raceme> racemes;
    racemes.reserve(30);
    for (int i = 0; i < 30; ++i)
        racemes.push_back(
            {rng.uniform(0, kWidth), rng.uniform(18, 40), rng.uniform(70, 190), rng.uniform(22, 32)});
    // Short ones hang behind, long ones in front.
    std::sort(racemes.begin(), racemes.end(), [](const Raceme& a, const Raceme& b) { return a.len < b.len; });
    p.save();
    p.setPen(Qt::NoPen);
    for (const Raceme& r : racemes) wisteriaRaceme(p, {r.x, r.top}, r.len, r.width, rng);
    p.restore();
}

void paintRicePlanting(QPainter& p, Rng& rng) {
    const double horizon = 122;
    fillVertical(p, {0, 0, double(kWidth), horizon}, {{0, QColor("#4f98de")}, {1, QColor("#d6ecfa")}});
    cloud(p, {232, 48}, 96, QColor("#ffffff"), QColor("#dbe6f1"));
    const QPainterPath far = ridge(100, 48, 4, rng, horizon);
    const QPainterPath near = ridge(117, 22, 6, rng, horizon);
    const QLinearGradient farFill =
        verticalGradient(52, horizon, {{0, QColor("#6c987a")}, {1, QColor("#8ab08e")}});
    const QLinearGradient nearFill =
        verticalGradient(95, horizon, {{0, QColor("#4b874c")}, {1, QColor("#5f9a58")}});
    fillPath(p, far, farFill);
    fillPath(p, near, nearFill);

    // Flooded paddies mirror the sky and the hills.
    fillVertical(p, {0, horizon, double(kWidth), kHeight - horizon},
                 {{0, QColor("#d4eaf8")}, {1, QColor("#78acd8")}});
    p.save();
    p.setClipRect(QRectF(0, horizon, kWidth, kHeight - horizon));
    p.translate(0, 2 * horizon);
    p.scale(1, -1);
    p.setOpacity(0.45);
    fillPath(p, far, farFill);
    fillPath(p, near, nearFill);
    p.restore();
    p.save();
    p.setClipRect(QRectF(0, horizon, kWidth, kHeight - horizon));
    p.translate(0, 2 * horizon + 80);
    p.scale(1, -1);
    p.setOpacity(0.35);
    cloud(p, {232, 48 + 80}, 96, QColor("#ffffff"), QColor("#dbe6f1"));
    p.restore();

    // Seedlings in rows running to the horizon.
    const QPointF vp(161, horizon);
    p.save();
    for (int row = -16; row <= 16; ++row) {
        const double bottomX = vp.x() + row * 24;
        for (int k = 0; k < 30; ++k) {
            const double y = horizon + 168.0 / (1 + k * 0.3);
            if (y > kHeight + 10 || y < 157) continue;  // only the near paddy is planted yet
            const double depth = (y - horizon) / 168;
            const double x = vp.x() + (bottomX - vp.x()) * depth;
            const double s = 1 + depth * 9;
            p.setPen(QPen(QColor(40, 90, 60, 90), std::max(0.6, s * 0.15)));
            p.drawLine(QPointF(x, y + 1), QPointF(x, y + s * 0.6));
            p.setPen(QPen(QColor("#4f9a3a"), std::max(0.7, s * 0.16), Qt::SolidLine, Qt::RoundCap));
            for (int b = -2; b <= 2; ++b)
                p.drawLine(QPointF(x, y), QPointF(x + b * s * 0.22, y - s * (1 - std::abs(b) * 0.15)));
        }
    }
    p.restore();
    // Raised paths (aze) between the paddies.
    p.fillRect(QRectF(0, horizon, kWidth, 4), QColor("#6f9e4e"));
    p.fillRect(QRectF(0, 146, kWidth, 6),
               verticalGradient(146, 152, {{0, QColor("#8cbc64")}, {1, QColor("#5e8c42")}}));
    egret(p, {252, 236}, 56);
    flyingBird(p, {70, 60}, 26, 0.5, QColor("#fbfbf6"));
}

void paintHydrangeaSnail(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#c6d7df")}, {1, QColor("#8faeb4")}});
    rain(p, kFull, 70, 0.1, QColor(255, 255, 255, 110), rng);
    for (int i = 0; i < 20; ++i) {
        const QPointF at(rng.uniform(-20, kWidth + 20), rng.uniform(40, kHeight));
        leaf(p, at, rng.uniform(60, 90), rng.uniform(30, 42), rng.uniform(0, 360),
             mix(QColor("#2f6e3c"), QColor("#4f9058"), rng.uniform(0, 1)));
    }
    hydrangea(p, {98, 116}, 64, QColor("#6d8ff0"), QColor("#8a6ad8"), rng);
    hydrangea(p, {246, 92}, 52, QColor("#d889c9"), QColor("#a77ae0"), rng);
    hydrangea(p, {206, 214}, 56, QColor("#5fa0f0"), QColor("#7c7ee6"), rng);
    // The snail's own leaf, then the snail.
    leaf(p, {4, 262}, 120, 50, -18, QColor("#3f8048"));
    snail(p, {56, 244}, 18);
    // Raindrops resting on the leaves and petals.
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 18; ++i) {
        const QPointF d(rng.uniform(10, kWidth - 10), rng.uniform(20, kHeight - 10));
        const double r = rng.uniform(1.8, 3.2);
        p.setBrush(QColor(255, 255, 255, 120));
        p.drawEllipse(d, r, r);
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawEllipse(d + QPointF(-r * 0.35, -r * 0.35), r * 0.35, r * 0.35);
    }
    p.restore();
}

void paintRainyWindow(QPainter& p, Rng& rng) {
    // The garden outside, blurred by rain.
    fillVertical(p, kFull, {{0, QColor("#8d9dad")}, {0.55, QColor("#a7b6b2")}, {1, QColor("#6b8672")}});
    for (int i = 0; i < 6; ++i)
        glow(p, {rng.uniform(0, kWidth), rng.uniform(60, 150)}, rng.uniform(40, 70),
             QColor(70, 100, 80, 110));
    for (int i = 0; i < 16; ++i) {
        const QColor c = i % 3 == 0 ? QColor(150, 120, 220, 150) : QColor(110, 150, 230, 150);
        glow(p, {rng.uniform(0, kWidth), rng.uniform(190, 280)}, rng.uniform(16, 30), c);
    }
    rain(p, kFull, 170, 0.12, QColor(235, 242, 255, 170), rng);

    // Drops on the glass: a dark rim below and a bright point above.
    p.save();
    for (int i = 0; i < 40; ++i) {
        const QPointF d(rng.uniform(20, 302), rng.uniform(18, 272));
        const double r = rng.uniform(1.5, 4.5);
        p.setPen(QPen(QColor(60, 70, 80, 110), 0.8));
        p.setBrush(QColor(255, 255, 255, 50));
        p.drawEllipse(d, r, r * 1.1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 220));
        p.drawEllipse(d + QPointF(-r * 0.3, -r * 0.4), r * 0.3, r * 0.3);
        if (r > 3.5) {
            p.setPen(QPen(QColor(255, 255, 255, 90), 1.2));
            p.drawLine(d + QPointF(0, r), d + QPointF(rng.uniform(-2, 2), r + rng.uniform(10, 30)));
        }
    }
    p.restore();

    // Wooden window frame with a cross bar.
    const QColor wood("#6b4a2e");
    QPainterPath frame;
    frame.addRect(kFull);
    frame.addRect(QRectF(18, 14, kWidth - 36, kHeight - 30));
    frame.setFillRule(Qt::OddEvenFill);
    fillPath(p, frame, verticalGradient(0, kHeight, {{0, wood.lighter(115)}, {1, wood.darker(120)}}));
    p.fillRect(QRectF(156, 14, 10, kHeight - 30),
               horizontalGradient(156, 166, {{0, wood.lighter(110)}, {1, wood.darker(125)}}));
    p.fillRect(QRectF(18, 182, kWidth - 36, 6),
               verticalGradient(182, 188, {{0, wood.lighter(110)}, {1, wood.darker(125)}}));
    p.fillRect(QRectF(0, kHeight - 20, kWidth, 20),
               verticalGradient(kHeight - 20, kHeight, {{0, QColor("#8a6440")}, {1, QColor("#5a3e26")}}));

    // Teru-teru bozu, hung to wish the rain away.
    const QPointF head(96, 84);
    p.save();
    p.setPen(QPen(QColor("#f2f0ea"), 1.2));
    p.drawLine(QPointF(head.x(), 14), head + QPointF(0, -24));
    p.restore();
    QPainterPath cloth(head + QPointF(-10, 14));
    cloth.cubicTo(head + QPointF(-24, 40), head + QPointF(-34, 56), head + QPointF(-38, 70));
    for (int i = 0; i < 5; ++i) {
        const double x0 = -38 + i * 15.2;
        cloth.quadTo(head + QPointF(x0 + 7.6, 64), head + QPointF(x0 + 15.2, 70));
    }
    cloth.cubicTo(head + QPointF(34, 56), head + QPointF(24, 40), head + QPointF(10, 14));
    cloth.closeSubpath();
    fillPath(p, cloth,
             horizontalGradient(head.x() - 38, head.x() + 38,
                                {{0, QColor("#dfe3e8")}, {0.4, QColor("#ffffff")}, {1, QColor("#c5ccd6")}}));
    QRadialGradient g(head - QPointF(7, 8), 32);
    g.setColorAt(0, QColor("#ffffff"));
    g.setColorAt(1, QColor("#cfd6df"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(head, 24, 23);
    p.setBrush(QColor("#333333"));
    p.drawEllipse(head + QPointF(-8, -2), 2.6, 3);
    p.drawEllipse(head + QPointF(8, -2), 2.6, 3);
    p.setBrush(QColor(240, 150, 160, 120));
    p.drawEllipse(head + QPointF(-14, 6), 4, 2.5);
    p.drawEllipse(head + QPointF(14, 6), 4, 2.5);
    p.setPen(QPen(QColor("#333333"), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() - 6, head.y() + 1, 12, 8), 200 * 16, 140 * 16);
    p.setPen(QPen(QColor("#d8283a"), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(head + QPointF(-10, 20), head + QPointF(10, 20));
    p.drawLine(head + QPointF(2, 20), head + QPointF(8, 30));
    p.drawLine(head + QPointF(2, 20), head + QPointF(-3, 31));
    p.restore();
}

}  // namespace picturegen
