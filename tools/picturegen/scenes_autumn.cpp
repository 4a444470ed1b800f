// Autumn scenes.
#include "paint.h"
#include "scenes.h"

#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace picturegen {
namespace {

const QRectF kFull(0, 0, kWidth, kHeight);
const QColor kMapleReds[] = {QColor("#d8321e"), QColor("#e85a1c"), QColor("#c0201a"), QColor("#f08a1e")};

void dango(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.4), r * 1.4);
    g.setColorAt(0, QColor("#ffffff"));
    g.setColorAt(0.6, QColor("#f4efe2"));
    g.setColorAt(1, QColor("#c9bfa8"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.restore();
}

void persimmon(QPainter& p, QPointF c, double r) {
    QRadialGradient g(c - QPointF(r * 0.35, r * 0.3), r * 1.4);
    g.setColorAt(0, QColor("#ffc060"));
    g.setColorAt(0.5, QColor("#f57c12"));
    g.setColorAt(1, QColor("#b8500a"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r * 0.9);
    // Four-lobed calyx on top
    p.setBrush(QColor("#5a5a24"));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(c + QPointF(0, -r * 0.72));
        p.rotate(i * 90 + 45);
        p.drawEllipse(QPointF(r * 0.22, 0), r * 0.24, r * 0.12);
        p.restore();
    }
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawEllipse(c + QPointF(-r * 0.4, -r * 0.25), r * 0.18, r * 0.12);
    p.restore();
}

void cosmos(QPainter& p, QPointF c, double r, double rotation, const QColor& colour) {
    QPainterPath petal(QPointF(0, -0.1 * r));
    petal.cubicTo(-0.12 * r, -0.4 * r, -0.3 * r, -0.7 * r, -0.27 * r, -0.92 * r);
    petal.lineTo(-0.14 * r, -0.99 * r);
    petal.lineTo(0, -0.92 * r);
    petal.lineTo(0.14 * r, -0.99 * r);
    petal.lineTo(0.27 * r, -0.92 * r);
    petal.cubicTo(0.3 * r, -0.7 * r, 0.12 * r, -0.4 * r, 0, -0.1 * r);
    p.save();
    p.translate(c);
    p.rotate(rotation);
    QRadialGradient g(QPointF(0, 0), r);
    g.setColorAt(0, colour.darker(125));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.lighter(108));
    p.setPen(QPen(colour.darker(118), std::max(0.4, r * 0.02)));
    p.setBrush(g);
    for (int i = 0; i < 8; ++i) {
        p.drawPath(petal);
        p.rotate(45);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#e8a810"));
    p.drawEllipse(QPointF(0, 0), r * 0.2, r * 0.2);
    p.setBrush(QColor("#fbd84a"));
    for (int i = 0; i < 10; ++i) p.drawEllipse(polar({0, 0}, r * 0.12, i * 36), r * 0.04, r * 0.04);
    p.restore();
}

// A heavy ear of rice, its head bowed with grain.
void riceEar(QPainter& p, QPointF base, double height, double droop, Rng& rng) {
    const QPointF top = base + QPointF(droop * 0.3, -height);
    const QPointF tip = top + QPointF(droop, height * 0.35);
    QPainterPath stalk(base);
    stalk.quadTo(base + QPointF(0, -height * 0.8), top);
    stalk.quadTo(top + QPointF(droop * 0.6, -height * 0.05), tip);
    p.save();
    p.setPen(QPen(QColor("#b08a2a"), std::max(0.8, height * 0.02)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stalk);
    p.setPen(QPen(QColor("#9a7420"), 0.5));
    for (int i = 0; i < 14; ++i) {
        const double t = 0.55 + 0.45 * i / 14.0;
        const QPointF at = stalk.pointAtPercent(t) + QPointF(rng.uniform(-2, 2), rng.uniform(-1, 2));
        p.setBrush(mix(QColor("#f2c84a"), QColor("#d89a20"), rng.uniform(0, 1)));
        p.drawEllipse(at, height * 0.05, height * 0.03);
    }
    p.restore();
}

// Thin leaves of susuki or reed arching out from the clump.
void archingLeaves(QPainter& p, QPointF base, int count, double height, const QColor& colour, Rng& rng) {
    for (int i = 0; i < count; ++i) {
        const double lean = rng.uniform(-1, 1) * height * 0.6;
        const QPointF tip = base + QPointF(lean, -height * rng.uniform(0.5, 0.9));
        fillPath(p,
                 taperedStroke(base + QPointF(rng.uniform(-4, 4), 0),
                               base + QPointF(lean * 0.2, -height * 0.7), tip, 3, 0.4),
                 colour);
    }
}

}  // namespace

void paintFuji(QPainter& p, Rng& rng) {
    const double shore = 206;
    fillVertical(p, {0, 0, double(kWidth), shore}, {{0, QColor("#3a82d2")}, {1, QColor("#c8e4f8")}});
    wispCloud(p, {60, 44}, 110, 10, QColor(255, 255, 255, 200), QColor(225, 235, 248, 200));
    wispCloud(p, {270, 70}, 90, 8, QColor(255, 255, 255, 200), QColor(225, 235, 248, 200));
    auto land = [&](Rng& r) {
        mountFuji(p, {166, 52}, 200, 154, QColor("#46699f"), QColor("#86a4c8"));
        fillPath(p, ridge(208, 26, 6, r),
                 verticalGradient(180, 212, {{0, QColor("#3d6a62")}, {1, QColor("#2f5a4e")}}));
    };
    const std::uint64_t landSeed = rng.next();
    Rng first(landSeed);
    land(first);
    wispCloud(p, {104, 156}, 130, 9, QColor(255, 255, 255, 170), QColor(235, 240, 250, 120));
    // The lake doubles the mountain.
    fillVertical(p, {0, shore, double(kWidth), kHeight - shore},
                 {{0, QColor("#8fbde6")}, {1, QColor("#2f6aa8")}});
    p.save();
    p.setClipRect(QRectF(0, shore, kWidth, kHeight - shore));
    p.translate(0, 2 * shore);
    p.scale(1, -1);
    p.setOpacity(0.42);
    Rng second(landSeed);
    land(second);
    p.restore();
    shimmer(p, {0, shore + 2, double(kWidth), kHeight - shore}, 60, QColor(255, 255, 255, 130), rng);
    // Autumn woods on the near shore and a pine leaning over the water.
    drawPuffs(p, scatterPuffs({-50, 224, 150, 100}, 22, 12, 22, rng), QColor("#8e2418"), QColor("#d8501e"),
              QColor("#f6a040"));
    drawPuffs(p, scatterPuffs({60, 258, 90, 60}, 10, 10, 18, rng), QColor("#a05a10"), QColor("#e0a020"),
              QColor("#ffd860"));
    fillPath(p, taperedStroke({330, 296}, {300, 230}, {250, 200}, 14, 5), QColor("#3e2e26"));
    fillPath(p, taperedStroke({296, 240}, {280, 232}, {262, 238}, 5, 3), QColor("#3e2e26"));
    pineClump(p, {258, 196}, 26, QColor("#1b3f26"), QColor("#4f8a46"), rng);
    pineClump(p, {300, 222}, 22, QColor("#1b3f26"), QColor("#4f8a46"), rng);
    pineClump(p, {262, 236}, 16, QColor("#1b3f26"), QColor("#4f8a46"), rng);
}

void paintMoonViewing(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#0e1838")}, {0.7, QColor("#27336a")}, {1, QColor("#3a4680")}});
    stars(p, {0, 0, double(kWidth), 160}, 30, rng);
    fullMoon(p, {214, 88}, 50);
    wispCloud(p, {150, 132}, 160, 8, QColor(140, 150, 190, 120), QColor(200, 200, 220, 110));
    // Susuki on both sides, leaning towards the moon.
    for (int i = 0; i < 8; ++i) {
        const QPointF base(rng.uniform(-10, 100), 262);
        archingLeaves(p, base, 3, 120, QColor("#3c4a3a"), rng);
        pampasGrass(p, base, rng.uniform(140, 220), rng.uniform(20, 70), QColor("#6a6a48"),
                    QColor(236, 224, 190, 220), rng);
    }
    for (int i = 0; i < 5; ++i) {
        const QPointF base(rng.uniform(262, 330), 262);
        archingLeaves(p, base, 3, 100, QColor("#3c4a3a"), rng);
        pampasGrass(p, base, rng.uniform(110, 170), rng.uniform(-60, -20), QColor("#6a6a48"),
                    QColor(236, 224, 190, 220), rng);
    }
    // Veranda and the moon-viewing offering.
    for (int i = 0; i < 3; ++i) {
        const double y0 = 250 + i * 14.0;
        p.fillRect(QRectF(0, y0, kWidth, 14),
                   verticalGradient(y0, y0 + 14, {{0, QColor("#6a4830")}, {1, QColor("#4a3020")}}));
        p.fillRect(QRectF(0, y0, kWidth, 1), QColor("#2a1a10"));
    }
    const QColor wood("#d8b27a");
    p.fillRect(QRectF(146, 244, 64, 22),
               horizontalGradient(146, 210, {{0, wood.darker(110)}, {0.4, wood}, {1, wood.darker(125)}}));
    QPainterPath hole;
    hole.addRoundedRect(QRectF(166, 250, 24, 18), 9, 9);
    fillPath(p, hole, QColor("#5a3c20"));
    p.fillRect(QRectF(128, 230, 100, 14),
               verticalGradient(230, 244, {{0, wood.lighter(108)}, {1, wood.darker(115)}}));
    p.fillRect(QRectF(134, 226, 88, 5), QColor("#fbfaf4"));
    const double r = 10.5;
    for (int row = 0; row < 4; ++row)
        for (int i = 0; i < 4 - row; ++i) dango(p, {178 - (3 - row) * r + i * 2 * r, 216 - row * r * 1.7}, r);
    // A few susuki stems in a vase beside the offering.
    for (int i = 0; i < 3; ++i)
        pampasGrass(p, {100, 248}, 100 + i * 18, 10 + i * 14, QColor("#7a7450"), QColor(240, 230, 200, 230),
                    rng);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(222, 250, {{0, QColor("#5a6a8a")}, {1, QColor("#2c3650")}}));
    p.drawRoundedRect(QRectF(88, 222, 24, 28), 8, 8);
    p.restore();
}

void paintRiceAndScarecrow(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 152}, {{0, QColor("#4a92dc")}, {1, QColor("#d9edfb")}});
    // Mackerel sky: rows of small cloudlets.
    p.save();
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 6; ++row)
        for (int i = 0; i < 14; ++i) {
            const QPointF c(i * 26.0 + row * 9 + rng.uniform(-4, 4),
                            20 + row * 13 + i * 1.5 + rng.uniform(-2, 2));
            p.setBrush(QColor(255, 255, 255, 120 + row * 15));
            p.drawEllipse(c, rng.uniform(7, 11), rng.uniform(2.5, 4));
        }
    p.restore();
    hills(p, 150, 30, 5, QColor("#8a9a62"), QColor("#a8a26a"), rng);
    fillVertical(p, {0, 148, double(kWidth), kHeight - 148.0},
                 {{0, QColor("#e6c052")}, {1, QColor("#c08a22")}});
    p.save();
    for (double y = 152; y < kHeight; y += 3 + (y - 148) * 0.12) {
        p.setPen(QPen(QColor(150, 100, 20, 90), 0.6 + (y - 148) * 0.02));
        QPainterPath row(QPointF(0, y));
        for (double x = 0; x < kWidth + 20; x += 20)
            row.quadTo(QPointF(x + 10, y - 2 - (y - 148) * 0.02), QPointF(x + 20, y));
        p.drawPath(row);
    }
    p.restore();

    // The scarecrow
    const double sx = 206;
    p.fillRect(QRectF(sx - 3, 110, 6, 140), QColor("#6a4a2a"));
    p.fillRect(QRectF(sx - 56, 140, 112, 5), QColor("#6a4a2a"));
    QPolygonF coat({{sx - 52, 136},
                    {sx + 52, 136},
                    {sx + 50, 152},
                    {sx + 28, 152},
                    {sx + 26, 206},
                    {sx - 26, 206},
                    {sx - 28, 152},
                    {sx - 50, 152}});
    p.save();
    p.setPen(QPen(QColor("#1c2c4a"), 1));
    p.setBrush(verticalGradient(136, 206, {{0, QColor("#3a5a8e")}, {1, QColor("#283e66")}}));
    p.drawPolygon(coat);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#c8402a"));
    p.drawRect(QRectF(sx - 18, 166, 14, 12));
    p.setBrush(QColor("#f0e6cc"));
    p.drawRect(QRectF(sx + 8, 182, 12, 10));
    p.setBrush(QColor("#c8a040"));
    p.drawRect(QRectF(sx - 26, 184, 52, 5));
    p.restore();
    for (int side : {-1, 1})
        for (int i = 0; i < 6; ++i) {
            p.save();
            p.setPen(QPen(QColor("#e0c070"), 1.4, Qt::SolidLine, Qt::RoundCap));
            const QPointF from(sx + side * 52, 144);
            p.drawLine(from, from + QPointF(side * rng.uniform(6, 12), rng.uniform(-6, 8)));
            p.restore();
        }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#f4eedc"));
    p.drawEllipse(QPointF(sx, 118), 17, 17);
    p.setBrush(QColor("#2a2a2a"));
    p.drawEllipse(QPointF(sx - 6, 118), 2, 2);
    p.drawEllipse(QPointF(sx + 6, 118), 2, 2);
    p.setPen(QPen(QColor("#2a2a2a"), 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(sx - 6, 118, 12, 8), 200 * 16, 140 * 16);
    p.restore();
    QPolygonF hat({{sx - 38, 110}, {sx, 84}, {sx + 38, 110}});
    p.save();
    p.setPen(QPen(QColor("#8a6a30"), 1));
    p.setBrush(horizontalGradient(sx - 38, sx + 38, {{0, QColor("#f0d890")}, {1, QColor("#b89440")}}));
    p.drawPolygon(hat);
    p.restore();

    // Heavy ears in front
    for (double x = -6; x < kWidth + 6; x += 12)
        riceEar(p, {x + rng.uniform(-3, 3), 298}, rng.uniform(60, 80), rng.uniform(14, 24), rng);
    dragonfly(p, {86, 96}, 16, -20, QColor("#d8402a"));
    dragonfly(p, {132, 66}, 13, 10, QColor("#d8402a"));
    dragonfly(p, {284, 126}, 14, 200, QColor("#cc3a22"));
}

void paintCosmos(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 192}, {{0, QColor("#58a8e8")}, {1, QColor("#e6f4ff")}});
    wispCloud(p, {90, 50}, 120, 10, QColor(255, 255, 255, 210), QColor(230, 240, 250, 200));
    wispCloud(p, {250, 90}, 90, 8, QColor(255, 255, 255, 210), QColor(230, 240, 250, 200));
    hills(p, 176, 26, 5, QColor("#86a8b8"), QColor("#9fb8c0"), rng);
    fillVertical(p, {0, 180, double(kWidth), kHeight - 180.0},
                 {{0, QColor("#7fae5a")}, {1, QColor("#3f7a30")}});
    const QColor pinks[] = {QColor("#f49ac2"), QColor("#ffffff"), QColor("#d9487f"), QColor("#f7b8d4")};
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 500; ++i) {
        const double y = 182 + std::pow(rng.uniform(0, 1), 1.4) * 50;
        p.setBrush(pinks[rng.between(0, 3)]);
        const double r = 1 + (y - 180) * 0.05;
        p.drawEllipse(QPointF(rng.uniform(0, kWidth), y), r * 1.3, r);
    }
    p.restore();
    auto stem = [&](QPointF head) {
        const QPointF base(head.x() + rng.uniform(-20, 20), kHeight + 4);
        QPainterPath s(base);
        s.quadTo(QPointF((head.x() + base.x()) / 2 + rng.uniform(-10, 10), (head.y() + base.y()) / 2), head);
        p.save();
        p.setPen(QPen(QColor("#3f7a2a"), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawPath(s);
        // Feathery leaves: thin forks off the stem.
        p.setPen(QPen(QColor("#4f8a32"), 1));
        for (int k = 2; k < 7; ++k) {
            const QPointF at = s.pointAtPercent(k / 8.0);
            const double side = k % 2 ? 1 : -1;
            p.drawLine(at, at + QPointF(side * 12, -8));
            p.drawLine(at + QPointF(side * 6, -4), at + QPointF(side * 8, -12));
        }
        p.restore();
    };
    struct Bloom {
        QPointF c;
        double r;
    };
    std::vector<Bloom> blooms;
    blooms.reserve(22);
    for (int i = 0; i < 22; ++i)
        blooms.push_back({{rng.uniform(0, kWidth), rng.uniform(196, 226)}, rng.uniform(7, 11)});
    const Bloom front[] = {{{62, 150}, 30},  {{150, 112}, 26}, {{248, 140}, 32},
                           {{296, 210}, 24}, {{110, 222}, 28}, {{200, 236}, 24}};
    for (const Bloom& b : front) blooms.push_back(b);
    for (const Bloom& b : blooms) stem(b.c);
    for (size_t i = 0; i < blooms.size(); ++i)
        cosmos(p, blooms[i].c, blooms[i].r, rng.uniform(0, 45), pinks[i % 4 == 1 ? 1 : (i % 3 == 0 ? 2 : 0)]);
    dragonfly(p, {200, 60}, 15, 160, QColor("#d8402a"));
}

void paintMapleTorii(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#f5dca8")}, {1, QColor("#c99a6a")}});
    for (double x : {22.0, 70.0, 250.0, 300.0, 130.0, 196.0}) {
        const double w = rng.uniform(6, 10);
        p.fillRect(QRectF(x - w / 2, 0, w, 230), QColor("#4a2e22"));
    }
    drawPuffs(p, scatterPuffs({-40, -40, 400, 190}, 80, 16, 30, rng), QColor("#8e2418"), QColor("#cc3a1c"),
              QColor("#f2883a"));
    drawPuffs(p, scatterPuffs({196, 0, 150, 110}, 20, 12, 24, rng), QColor("#b06a10"), QColor("#e8a420"),
              QColor("#ffd860"));
    drawPuffs(p, scatterPuffs({-30, 120, 110, 90}, 16, 12, 22, rng), QColor("#a0401a"), QColor("#e06a22"),
              QColor("#f8b050"));
    // Ground strewn with fallen leaves, and the stone path up to the gate.
    fillVertical(p, {0, 206, double(kWidth), kHeight - 206.0},
                 {{0, QColor("#8a5030")}, {1, QColor("#5a3220")}});
    QPolygonF path({{96, kHeight}, {226, kHeight}, {176, 206}, {146, 206}});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(206, kHeight, {{0, QColor("#b8b0a4")}, {1, QColor("#8a8276")}}));
    p.drawPolygon(path);
    p.setPen(QPen(QColor(80, 70, 60, 120), 1));
    for (double y = 212; y < kHeight; y += 4 + (y - 206) * 0.2) {
        const double t = (y - 206) / (kHeight - 206);
        p.drawLine(QPointF(146 - 50 * t, y), QPointF(176 + 50 * t, y));
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        const double y = rng.uniform(208, kHeight);
        p.setBrush(kMapleReds[rng.between(0, 3)]);
        const double r = 0.8 + (y - 206) * 0.03;
        p.drawEllipse(QPointF(rng.uniform(0, kWidth), y), r * 1.4, r);
    }
    p.restore();
    torii(p, {161, 216}, 158, 150, QColor("#e0452b"));
    // A maple bough in front and leaves on the air.
    std::vector<BranchNode> nodes;
    const BranchStyle bough{QColor("#3a2420"), 0.72, 60, 0.15, 8, 2};
    branch(p, {330, 6}, 160, 70, 7, 3, bough, rng, &nodes);
    for (const BranchNode& n : nodes)
        if (n.depth <= 2)
            mapleLeaf(p, n.point + QPointF(rng.uniform(-5, 5), rng.uniform(0, 8)), rng.uniform(9, 13),
                      rng.uniform(-40, 40), kMapleReds[rng.between(0, 3)]);
    for (int i = 0; i < 12; ++i)
        mapleLeaf(p, {rng.uniform(10, kWidth - 10), rng.uniform(60, 270)}, rng.uniform(5, 8),
                  rng.uniform(0, 360), kMapleReds[rng.between(0, 3)]);
}

void paintGinkgoAvenue(QPainter& p, Rng& rng) {
    const QPointF vp(161, 148);
    fillVertical(p, {0, 0, double(kWidth), vp.y()}, {{0, QColor("#4f92e0")}, {1, QColor("#dcefff")}});
    fillVertical(p, {0, vp.y(), double(kWidth), kHeight - vp.y()},
                 {{0, QColor("#e6c040")}, {1, QColor("#d49e1c")}});
    QPolygonF road({{vp.x() - 4, vp.y()}, {vp.x() + 4, vp.y()}, {270, kHeight}, {52, kHeight}});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(vp.y(), kHeight, {{0, QColor("#a4a0a0")}, {1, QColor("#6a6870")}}));
    p.drawPolygon(road);
    for (int i = 0; i < 300; ++i) {
        const double y = vp.y() + std::pow(rng.uniform(0, 1), 1.5) * (kHeight - vp.y());
        const double r = 0.6 + (y - vp.y()) * 0.025;
        p.setBrush(mix(QColor("#ffd84a"), QColor("#e0a010"), rng.uniform(0, 1)));
        p.drawEllipse(QPointF(rng.uniform(0, kWidth), y), r * 1.3, r);
    }
    p.restore();
    // Trees in pairs, far to near, each at its perspective size.
    for (double z : {9.0, 7.0, 5.5, 4.4, 3.5, 2.8, 2.2, 1.7, 1.3}) {
        for (int side : {-1, 1}) {
            const double baseY = vp.y() + 150 / z;
            const double x = vp.x() + side * 195 / z;
            const double h = 250 / z;
            const double w = 104 / z;
            fillPath(
                p, taperedStroke({x, baseY}, {x, baseY - h * 0.2}, {x, baseY - h * 0.45}, w * 0.13, w * 0.08),
                QColor("#4a3628"));
            // Avenue ginkgos are pruned into tall cones.
            std::vector<Puff> crown;
            for (int i = 0; i < 24; ++i) {
                const double t = std::sqrt(rng.uniform(0, 1));
                const double halfW = w / 2 * (0.2 + 0.8 * t);
                crown.push_back({{x + rng.uniform(-halfW, halfW), baseY - h + t * h * 0.72},
                                 w * rng.uniform(0.11, 0.19),
                                 rng.uniform(-1, 1)});
            }
            drawPuffs(p, crown, QColor("#d08e10"), QColor("#f4c322"), QColor("#ffe56a"));
        }
    }
    for (int i = 0; i < 10; ++i)
        ginkgoLeaf(p, {rng.uniform(10, kWidth - 10), rng.uniform(40, 280)}, rng.uniform(6, 10),
                   rng.uniform(0, 360), QColor("#f6c81e"));
}

void paintPersimmon(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#2e7fdc")}, {1, QColor("#d2e8fa")}});
    wispCloud(p, {80, 230}, 120, 10, QColor(255, 255, 255, 200), QColor(230, 240, 250, 180));
    hills(p, 252, 30, 5, QColor("#8aa08a"), QColor("#6a8a62"), rng);
    farmhouse(p, {70, 292}, 72, false, false);

    std::vector<BranchNode> nodes;
    const BranchStyle wood{QColor("#3d2b20"), 0.74, 56, 0.2, -4, 2};
    branch(p, {300, 300}, -118, 96, 22, 5, wood, rng, &nodes);
    const QColor leafColours[] = {QColor("#d85a1a"), QColor("#b8401a"), QColor("#8a8a2a"), QColor("#e88a2a")};
    for (const BranchNode& n : nodes)
        if (n.depth <= 1 && rng.chance(0.35))
            leaf(p, n.point, rng.uniform(14, 20), rng.uniform(8, 11), rng.uniform(0, 360),
                 leafColours[rng.between(0, 3)]);
    const BranchNode* perch = nullptr;
    for (const BranchNode& n : nodes)
        if (n.depth == 3 && n.point.x() > 110 && n.point.x() < 230 && n.point.y() > 70 &&
            (!perch || n.point.y() > perch->point.y()))
            perch = &n;
    for (const BranchNode& n : nodes) {
        if (perch && std::hypot(n.point.x() - perch->point.x(), n.point.y() - perch->point.y()) < 30)
            continue;
        if (n.depth >= 1 && n.depth <= 2 && rng.chance(0.22))
            persimmon(p, n.point + QPointF(0, 10), rng.uniform(10, 13));
    }
    // A white-eye has come for the ripe fruit.
    if (perch)
        perchedBird(
            p, perch->point, 40, true,
            {QColor("#8fae3a"), QColor("#e8e2c0"), QColor("#6a8a2a"), QColor("#3a3a30"), QColor("#ffffff")});
}

void paintPagodaMaple(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 240},
                 {{0, QColor("#5a4a8c")},
                  {0.45, QColor("#d8707a")},
                  {0.75, QColor("#f6a86a")},
                  {1, QColor("#ffd49a")}});
    sun(p, {250, 196}, 22, QColor("#fff2c8"), QColor("#ff9a4a"), QColor(255, 180, 110, 150));
    wispCloud(p, {80, 80}, 130, 9, QColor(140, 90, 140, 170), QColor(250, 160, 130, 200));
    wispCloud(p, {250, 120}, 110, 7, QColor(140, 90, 140, 170), QColor(250, 160, 130, 200));
    hills(p, 212, 40, 5, QColor("#7a5080"), QColor("#5a3a64"), rng);
    fillPath(p, ridge(240, 18, 5, rng),
             verticalGradient(222, kHeight, {{0, QColor("#3a2438")}, {1, QColor("#24162a")}}));
    pagoda(p, {196, 252}, 206, QColor("#4a2a22"), QColor("#2a2026"));
    drawPuffs(p, scatterPuffs({-40, 200, 200, 110}, 26, 14, 26, rng), QColor("#7a1a14"), QColor("#c8321c"),
              QColor("#f07a36"));
    drawPuffs(p, scatterPuffs({250, 232, 110, 70}, 12, 12, 22, rng), QColor("#8a2a14"), QColor("#d8501e"),
              QColor("#f8a040"));
    std::vector<BranchNode> nodes;
    const BranchStyle bough{QColor("#2a1a18"), 0.72, 60, 0.15, 10, 2};
    branch(p, {-8, 10}, 20, 70, 8, 3, bough, rng, &nodes);
    for (const BranchNode& n : nodes)
        if (n.depth <= 2)
            mapleLeaf(p, n.point + QPointF(rng.uniform(-5, 5), rng.uniform(0, 8)), rng.uniform(9, 13),
                      rng.uniform(-40, 40), kMapleReds[rng.between(0, 3)]);
}

void paintBambooGrove(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#eef5de")}, {0.6, QColor("#c6dcab")}, {1, QColor("#8fb070")}});
    glow(p, {60, 20}, 180, QColor(255, 255, 230, 160));
    struct Layer {
        int count;
        double minW, maxW;
        QColor colour;
    };
    const Layer layers[] = {
        {20, 4, 7, QColor("#bcd6a2")}, {11, 8, 12, QColor("#86b25e")}, {5, 15, 22, QColor("#4a8a32")}};
    for (const Layer& l : layers) {
        for (int i = 0; i < l.count; ++i) {
            const double x = (i + rng.uniform(0.1, 0.9)) * kWidth / l.count;
            const double w = rng.uniform(l.minW, l.maxW);
            bambooStalk(p, x, -10, 300, w, l.colour, w * rng.uniform(4.5, 6));
            if (l.minW > 6) {
                // Sprays of narrow leaves high up.
                for (int k = 0; k < 5; ++k) {
                    const QPointF at(x + w / 2, rng.uniform(0, 90));
                    const double side = rng.chance(0.5) ? 1 : -1;
                    for (int j = 0; j < 4; ++j)
                        leaf(p, at, w * 2.2, w * 0.5, (side > 0 ? 20 : 160) + rng.uniform(-30, 50) * side,
                             mix(l.colour, QColor("#2f6a20"), 0.2));
                }
            }
        }
        // Mist between the layers gives depth.
        p.fillRect(kFull, QColor(230, 240, 215, 50));
    }
    // Shafts of light through the grove.
    p.save();
    p.setPen(Qt::NoPen);
    for (double x : {40.0, 120.0, 190.0}) {
        QPolygonF ray({{x, -10}, {x + 30, -10}, {x + 150, 300}, {x + 90, 300}});
        p.setBrush(horizontalGradient(x, x + 150,
                                      {{0, QColor(255, 255, 240, 0)},
                                       {0.5, QColor(255, 255, 240, 55)},
                                       {1, QColor(255, 255, 240, 0)}}));
        p.drawPolygon(ray);
    }
    p.restore();
    fillVertical(p, {0, 262, double(kWidth), 28}, {{0, QColor("#6f8e4a")}, {1, QColor("#4f6e34")}});
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush(verticalGradient(264, 290, {{0, QColor("#c8c4b8")}, {1, QColor("#8a867c")}}));
        p.drawEllipse(QPointF(40 + i * 42 + rng.uniform(-6, 6), 276 + rng.uniform(-3, 3)), 17, 7);
    }
    p.restore();
}

void paintMigratingBirds(QPainter& p, Rng& rng) {
    const double horizon = 200;
    fillVertical(p, {0, 0, double(kWidth), horizon},
                 {{0, QColor("#2f3470")},
                  {0.45, QColor("#a05a7e")},
                  {0.78, QColor("#f0955c")},
                  {1, QColor("#ffd27a")}});
    sun(p, {232, horizon - 4}, 24, QColor("#fff0c0"), QColor("#ff8a3a"), QColor(255, 170, 90, 160));
    wispCloud(p, {90, 120}, 150, 8, QColor(120, 70, 120, 170), QColor(250, 150, 110, 200));
    wispCloud(p, {250, 150}, 110, 6, QColor(120, 70, 120, 170), QColor(250, 150, 110, 200));
    hills(p, 196, 30, 5, QColor("#5a3a62"), QColor("#4a2e52"), rng);
    fillVertical(p, {0, horizon, double(kWidth), kHeight - horizon},
                 {{0, QColor("#e08a68")}, {1, QColor("#3a2a50")}});
    fillPath(p, ridge(204, 8, 6, rng, 210), QColor("#3a2444"));
    sunGlitter(p, 232, horizon + 8, 24, QColor(255, 200, 120, 200), rng);
    // Geese in a V, heading home south.
    const QPointF lead(104, 82);
    for (int i = 0; i < 5; ++i) {
        for (int arm : {-1, 1}) {
            if (i == 0 && arm > 0) continue;
            const QPointF at = lead + QPointF(i * 27, arm * i * 14 - i * 4);
            flyingBird(p, at, 24, (i + (arm > 0 ? 1 : 0)) % 2 ? 0.8 : -0.4, QColor("#2a2038"));
        }
    }
    // Reeds on the near shore
    for (int i = 0; i < 7; ++i)
        pampasGrass(p, {rng.uniform(-10, 70), 296}, rng.uniform(80, 140), rng.uniform(10, 40),
                    QColor("#2a1a2a"), QColor(60, 40, 60, 230), rng);
    for (int i = 0; i < 5; ++i)
        pampasGrass(p, {rng.uniform(270, 330), 296}, rng.uniform(70, 110), rng.uniform(-40, -10),
                    QColor("#2a1a2a"), QColor(60, 40, 60, 230), rng);
}

}  // namespace picturegen
