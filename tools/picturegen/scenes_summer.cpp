// Summer scenes.
#include "paint.h"
#include "scenes.h"

#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace picturegen {
namespace {

const QRectF kFull(0, 0, kWidth, kHeight);

void starShape(QPainter& p, QPointF c, double r, const QColor& colour) {
    QPolygonF star;
    for (int i = 0; i < 10; ++i) star << polar(c, i % 2 == 0 ? r : r * 0.45, -90 + i * 36);
    p.save();
    p.setPen(QPen(colour.darker(130), 0.8));
    p.setBrush(colour);
    p.drawPolygon(star);
    p.restore();
}

void morningGlory(QPainter& p, QPointF c, double r, const QColor& colour) {
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor("#ffffff"));
    g.setColorAt(0.28, QColor("#fdfcff"));
    g.setColorAt(0.45, colour.lighter(125));
    g.setColorAt(1, colour);
    p.save();
    p.setPen(QPen(colour.darker(130), 0.8));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    // The five pale pleats of the trumpet.
    p.setPen(QPen(QColor(255, 255, 255, 170), std::max(0.8, r * 0.08)));
    for (int i = 0; i < 5; ++i)
        p.drawLine(polar(c, r * 0.25, -90 + i * 72), polar(c, r * 0.95, -90 + i * 72));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#f4f0c8"));
    p.drawEllipse(c, r * 0.1, r * 0.1);
    p.restore();
}

void heartLeaf(QPainter& p, QPointF c, double r, double rotation, const QColor& colour) {
    QPainterPath shape(QPointF(0, r));
    shape.cubicTo(-r * 1.1, r * 0.1, -r * 0.9, -r, 0, -r * 0.5);
    shape.cubicTo(r * 0.9, -r, r * 1.1, r * 0.1, 0, r);
    p.save();
    p.translate(c);
    p.rotate(rotation);
    fillPath(p, shape, verticalGradient(-r, r, {{0, colour.lighter(120)}, {1, colour.darker(115)}}));
    p.setPen(QPen(alpha(colour.lighter(150), 0.6), 0.8));
    p.drawLine(QPointF(0, -r * 0.45), QPointF(0, r * 0.9));
    p.restore();
}

void goldfish(QPainter& p, QPointF c, double len, double angle, const QColor& body, const QColor& patch) {
    p.save();
    p.translate(c);
    p.rotate(angle);
    // Shadow on the bottom of the basin
    p.save();
    p.translate(len * 0.08, len * 0.14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 20, 40, 60));
    p.drawEllipse(QPointF(0.15 * len, 0), len * 0.38, len * 0.16);
    p.restore();
    // Flowing double tail, translucent.
    for (int side : {-1, 1}) {
        QPainterPath lobe(QPointF(-0.16 * len, 0));
        lobe.cubicTo(QPointF(-0.4 * len, side * 0.5 * len), QPointF(-0.8 * len, side * 0.42 * len),
                     QPointF(-0.78 * len, side * 0.16 * len));
        lobe.quadTo(QPointF(-0.6 * len, side * 0.12 * len), QPointF(-0.62 * len, side * 0.02 * len));
        lobe.quadTo(QPointF(-0.4 * len, side * 0.06 * len), QPointF(-0.16 * len, 0));
        fillPath(p, lobe, alpha(body.lighter(115), 0.6));
        p.setPen(QPen(alpha(body.darker(110), 0.5), 0.8));
        for (double a : {0.25, 0.35, 0.45})
            p.drawLine(QPointF(-0.2 * len, 0), QPointF(-0.75 * len, side * a * len));
    }
    for (int side : {-1, 1}) {
        QPainterPath fin;
        fin.addEllipse(QPointF(0.22 * len, side * 0.2 * len), 0.1 * len, 0.05 * len);
        fillPath(p, fin, alpha(body.lighter(120), 0.6));
    }
    QPainterPath shape(QPointF(0.5 * len, 0));
    shape.cubicTo(0.5 * len, -0.22 * len, 0.02 * len, -0.24 * len, -0.2 * len, -0.06 * len);
    shape.lineTo(-0.2 * len, 0.06 * len);
    shape.cubicTo(0.02 * len, 0.24 * len, 0.5 * len, 0.22 * len, 0.5 * len, 0);
    QRadialGradient g(QPointF(0.2 * len, -0.05 * len), len * 0.45);
    g.setColorAt(0, body.lighter(130));
    g.setColorAt(1, body.darker(112));
    fillPath(p, shape, g);
    if (patch.alpha() > 0) {
        p.save();
        p.setClipPath(shape);
        p.setPen(Qt::NoPen);
        p.setBrush(patch);
        p.drawEllipse(QPointF(0.05 * len, 0.06 * len), 0.16 * len, 0.11 * len);
        p.drawEllipse(QPointF(0.42 * len, -0.02 * len), 0.1 * len, 0.08 * len);
        p.restore();
    }
    p.setPen(QPen(alpha(body.lighter(150), 0.8), std::max(0.8, len * 0.03), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.3 * len, 0), QPointF(-0.1 * len, 0));
    p.setPen(Qt::NoPen);
    for (int side : {-1, 1}) {
        p.setBrush(QColor("#f6e9d0"));
        p.drawEllipse(QPointF(0.38 * len, side * 0.13 * len), 0.055 * len, 0.055 * len);
        p.setBrush(QColor("#141414"));
        p.drawEllipse(QPointF(0.39 * len, side * 0.135 * len), 0.035 * len, 0.035 * len);
    }
    p.restore();
}

enum class Burst { Chrysanthemum, Peony, Willow };

void firework(QPainter& p, QPointF c, double r, Burst kind, const QColor& colour, const QColor& tip,
              Rng& rng) {
    glow(p, c, r * 1.2, alpha(colour, 0.22));
    const int rays = kind == Burst::Willow ? 30 : 44;
    p.save();
    for (int i = 0; i < rays; ++i) {
        const double a = i * 360.0 / rays + rng.uniform(-3, 3);
        const double reach = r * rng.uniform(0.88, 1.05);
        if (kind == Burst::Willow) {
            // Trails fall as they burn out.
            const QPointF end = polar(c, reach, a) + QPointF(0, reach * 0.55);
            QPainterPath trail(polar(c, r * 0.1, a));
            trail.quadTo(polar(c, reach * 0.8, a), end);
            p.setPen(QPen(alpha(colour, 0.85), 1.4, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawPath(trail);
            glow(p, end, 3, alpha(tip, 0.9));
        } else if (kind == Burst::Chrysanthemum) {
            QLinearGradient g(polar(c, r * 0.15, a), polar(c, reach, a));
            g.setColorAt(0, alpha(colour, 0));
            g.setColorAt(1, colour);
            p.setPen(QPen(QBrush(g), 1.8, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(polar(c, r * 0.15, a), polar(c, reach, a));
            p.setPen(Qt::NoPen);
            p.setBrush(tip);
            p.drawEllipse(polar(c, reach, a), 1.8, 1.8);
        } else {
            p.setPen(Qt::NoPen);
            for (double f : {0.55, 1.0}) {
                p.setBrush(f < 1 ? alpha(colour, 0.8) : tip);
                p.drawEllipse(polar(c, reach * f, a + (f < 1 ? 4 : 0)), f * 2.4, f * 2.4);
            }
        }
    }
    p.restore();
    glow(p, c, r * 0.18, QColor(255, 255, 230, 200));
}

void watermelonSlice(QPainter& p, QPointF base, double w, double h, double rotation, Rng& rng) {
    p.save();
    p.translate(base);
    p.rotate(rotation);
    auto band = [&](double from, double to) {
        QPainterPath b(QPointF(-w / 2, 0));
        b.quadTo(QPointF(0, h * from), QPointF(w / 2, 0));
        b.lineTo(w / 2 + 1, h * 0.02);
        b.quadTo(QPointF(0, h * to), QPointF(-w / 2 - 1, h * 0.02));
        b.closeSubpath();
        return b;
    };
    fillPath(p, band(0.3, 0.48), QColor("#2d7a30"));
    fillPath(p, band(0.2, 0.32), QColor("#eef3d6"));
    QPainterPath flesh(QPointF(-w / 2, 0));
    flesh.lineTo(0, -h);
    flesh.lineTo(w / 2, 0);
    flesh.quadTo(QPointF(0, h * 0.22), QPointF(-w / 2, 0));
    fillPath(p, flesh,
             verticalGradient(-h, h * 0.1,
                              {{0, QColor("#ff5a5f")}, {0.7, QColor("#e8323e")}, {1, QColor("#f5b0a0")}}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#1e1410"));
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 4 - row; ++i) {
            const double y = -h * (0.25 + row * 0.25);
            const double x = (i - (3 - row) / 2.0) * w * 0.16 * (1 - row * 0.2) + rng.uniform(-1.5, 1.5);
            p.drawEllipse(QPointF(x, y), 1.8, 2.8);
        }
    p.restore();
}

}  // namespace

void paintFireflies(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#061026")}, {0.5, QColor("#0d2236")}, {1, QColor("#0a1a20")}});
    stars(p, {0, 0, double(kWidth), 90}, 40, rng);
    drawPuffs(p, scatterPuffs({-40, 96, 400, 90}, 60, 14, 28, rng), QColor("#040b10"), QColor("#0a181e"),
              QColor("#12282c"));
    // The stream
    QPainterPath stream = smoothThrough({{-10, 180}, {120, 174}, {220, 188}, {332, 180}});
    stream.connectPath(smoothThrough({{332, 232}, {200, 242}, {100, 230}, {-10, 240}}));
    stream.closeSubpath();
    fillPath(p, stream, verticalGradient(174, 242, {{0, QColor("#16324a")}, {1, QColor("#0a1a28")}}));
    p.save();
    p.setClipPath(stream);
    shimmer(p, {0, 178, double(kWidth), 60}, 25, QColor(150, 190, 220, 70), rng);
    p.restore();
    fillPath(p, ridge(246, 8, 5, rng), QColor("#06110c"));
    for (double x = -6; x < kWidth + 10; x += 14)
        grassBlades(p, {x, 292}, rng.uniform(40, 80), 4, 8, QColor("#0d2418"), rng);
    for (double x = 0; x < kWidth; x += 24)
        grassBlades(p, {x, 182}, rng.uniform(14, 24), 3, 8, QColor("#0a1c16"), rng);

    // Fireflies, their light doubled in the water.
    const double waterline = 182;
    for (int i = 0; i < 55; ++i) {
        const QPointF f(rng.uniform(8, kWidth - 8), 60 + std::pow(rng.uniform(0, 1), 0.7) * 215);
        const double r = rng.uniform(6, 13);
        glow(p, f, r, QColor(200, 255, 110, 140));
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 255, 190));
        p.drawEllipse(f, 1.4, 1.4);
        p.restore();
        const QPointF mirror(f.x(), 2 * waterline - f.y() + 40);
        if (f.y() < waterline && mirror.y() > 186 && mirror.y() < 232)
            glow(p, mirror, r * 0.7, QColor(200, 255, 110, 60));
    }
}

void paintTanabata(QPainter& p, Rng& rng) {
    fillVertical(p, kFull, {{0, QColor("#0b1440")}, {0.6, QColor("#1d2c66")}, {1, QColor("#343a74")}});
    // The Milky Way runs between the two lovers' stars.
    p.save();
    p.translate(161, 120);
    p.rotate(-35);
    for (int i = 0; i < 12; ++i)
        glow(p, {-260 + i * 48.0, rng.uniform(-8, 8)}, rng.uniform(40, 60), QColor(190, 200, 255, 45));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 420; ++i) {
        const double y = (rng.uniform(-1, 1) + rng.uniform(-1, 1) + rng.uniform(-1, 1)) * 16;
        p.setBrush(QColor(235, 240, 255, rng.between(80, 230)));
        p.drawEllipse(QPointF(rng.uniform(-280, 280), y), 0.7, 0.7);
    }
    p.restore();
    stars(p, kFull, 50, rng);
    glow(p, {121, 63}, 14, QColor(200, 220, 255, 200));
    glow(p, {201, 177}, 12, QColor(255, 240, 200, 200));
    fillPath(p, ridge(262, 14, 6, rng), QColor("#0c102a"));

    // The bamboo branch and its leaves.
    const QPainterPath stalk = smoothThrough({{262, 300}, {248, 200}, {222, 100}, {196, 4}});
    p.save();
    p.setPen(QPen(QColor("#4d8a3e"), 7, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stalk);
    p.restore();
    struct Twig {
        double at, angle, length;
    };
    const Twig twigs[] = {{0.22, 200, 150}, {0.36, -10, 60}, {0.48, 190, 170},
                          {0.62, 205, 120}, {0.74, 10, 60},  {0.86, 195, 90}};
    std::vector<QPainterPath> twigPaths;
    for (const Twig& t : twigs) {
        const QPointF from = stalk.pointAtPercent(t.at);
        const QPointF to = polar(from, t.length, t.angle) + QPointF(0, t.length * 0.25);
        QPainterPath path(from);
        path.quadTo(polar(from, t.length * 0.6, t.angle - 6), to);
        twigPaths.push_back(path);
        p.save();
        p.setPen(QPen(QColor("#4d8a3e"), 2.2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.restore();
        for (int k = 1; k <= 5; ++k) {
            const QPointF at = path.pointAtPercent(k / 5.5);
            leaf(p, at, rng.uniform(22, 32), rng.uniform(6, 8),
                 t.angle + rng.uniform(10, 60) * (k % 2 ? 1 : -1) + 30,
                 mix(QColor("#3f8a3a"), QColor("#6fb04e"), rng.uniform(0, 1)));
        }
    }
    // Paper wishes, a paper chain and stars.
    const QColor papers[] = {QColor("#e8424a"), QColor("#f4c430"), QColor("#3f7fe0"),
                             QColor("#4fb060"), QColor("#a65ad0"), QColor("#f27fb0")};
    int colour = 0;
    for (const QPainterPath& path : twigPaths) {
        for (double t : {0.35, 0.65, 0.92}) {
            const QPointF hook = path.pointAtPercent(t);
            const double tilt = rng.uniform(-8, 8);
            p.save();
            p.translate(hook);
            p.rotate(tilt);
            p.setPen(QPen(QColor(240, 240, 240, 180), 0.8));
            p.drawLine(QPointF(0, 0), QPointF(0, 6));
            const QColor c = papers[colour++ % 6];
            p.fillRect(QRectF(-5.5, 6, 11, 34), verticalGradient(6, 40, {{0, c.lighter(115)}, {1, c}}));
            p.restore();
        }
    }
    const QPainterPath chainFrom = twigPaths[2];
    QPainterPath chain(chainFrom.pointAtPercent(0.5));
    chain.quadTo(QPointF(150, 200), twigPaths[0].pointAtPercent(0.5));
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i <= 22; ++i) {
        const QPointF at = chain.pointAtPercent(i / 22.0);
        p.setPen(QPen(papers[i % 6], 2));
        if (i % 2 == 0)
            p.drawEllipse(at, 4, 2.6);
        else
            p.drawEllipse(at, 2, 4);
    }
    p.restore();
    starShape(p, twigPaths[1].pointAtPercent(0.9) + QPointF(0, 12), 9, QColor("#f8d84a"));
    starShape(p, twigPaths[4].pointAtPercent(0.9) + QPointF(0, 12), 8, QColor("#f8d84a"));
    starShape(p, twigPaths[3].pointAtPercent(0.5) + QPointF(0, 14), 7, QColor("#ffe98a"));
}

void paintWindChime(QPainter& p, Rng& /*rng*/)  // nothing random in this one
{
    fillVertical(p, kFull, {{0, QColor("#3f9be6")}, {1, QColor("#d6efff")}});
    cloud(p, {236, 252}, 160, QColor("#ffffff"), QColor("#d3e3f2"));
    cloud(p, {54, 222}, 80, QColor("#ffffff"), QColor("#d3e3f2"));
    // Eaves: tile ends and a beam.
    p.fillRect(QRectF(0, 0, kWidth, 22), QColor("#3a3f48"));
    p.save();
    p.setPen(QPen(QColor("#2a2e36"), 1));
    p.setBrush(QColor("#50565f"));
    for (double x = 8; x < kWidth; x += 22) p.drawEllipse(QPointF(x, 22), 10, 8);
    p.restore();
    p.fillRect(QRectF(0, 30, kWidth, 12),
               verticalGradient(30, 42, {{0, QColor("#8a6440")}, {1, QColor("#5e4028")}}));

    // Morning glory climbing a bamboo pole.
    p.fillRect(QRectF(284, 42, 7, kHeight),
               horizontalGradient(284, 291, {{0, QColor("#c9b070")}, {1, QColor("#8a7440")}}));
    QPainterPath vine(QPointF(288, kHeight));
    for (int i = 1; i <= 12; ++i) vine.lineTo(288 + std::sin(i * 1.4) * 9, kHeight - i * 20);
    p.save();
    p.setPen(QPen(QColor("#5a8a3a"), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(vine);
    p.restore();
    for (int i = 0; i < 7; ++i)
        heartLeaf(p, {288.0 + (i % 2 ? 14 : -14), 270.0 - i * 32}, 12, i % 2 ? 40 : -40, QColor("#4f8f3a"));
    morningGlory(p, {266, 120}, 20, QColor("#3b55d8"));
    morningGlory(p, {306, 182}, 17, QColor("#8a3fc8"));
    morningGlory(p, {262, 236}, 18, QColor("#d8407a"));

    // The glass bell, painted on the inside with a goldfish and waves.
    p.save();
    p.setPen(QPen(QColor("#f4f0e6"), 1.2));
    p.drawLine(QPointF(146, 42), QPointF(146, 66));
    p.translate(146, 66);
    p.scale(1.35, 1.35);
    const QPointF top(0, 0);
    QPainterPath bell(QPointF(top.x() - 38, top.y() + 58));
    bell.cubicTo(QPointF(top.x() - 38, top.y() + 14), QPointF(top.x() - 24, top.y()), top);
    bell.cubicTo(QPointF(top.x() + 24, top.y()), QPointF(top.x() + 38, top.y() + 14),
                 QPointF(top.x() + 38, top.y() + 58));
    bell.quadTo(QPointF(top.x(), top.y() + 66), QPointF(top.x() - 38, top.y() + 58));
    QRadialGradient glass(top + QPointF(-10, 22), 48);
    glass.setColorAt(0, QColor(255, 255, 255, 200));
    glass.setColorAt(1, QColor(170, 220, 245, 190));
    fillPath(p, bell, glass);
    p.save();
    p.setClipPath(bell);
    p.setPen(QPen(QColor("#3f7fe0"), 2.5));
    p.setBrush(Qt::NoBrush);
    for (double x = top.x() - 40; x < top.x() + 40; x += 14)
        p.drawArc(QRectF(x, top.y() + 44, 14, 12), 0, 180 * 16);
    goldfish(p, top + QPointF(2, 30), 28, 190, QColor("#e8402a"), QColor(0, 0, 0, 0));
    p.restore();
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(top.x() - 30, top.y() + 8, 30, 70), 100 * 16, 60 * 16);
    p.setPen(QPen(QColor(120, 180, 220, 220), 2));
    p.drawEllipse(QPointF(top.x(), top.y() + 61), 38, 4.5);
    p.restore();
    // Clapper and the paper strip the wind catches.
    p.save();
    p.translate(top.x(), top.y() + 62);
    p.rotate(-14);
    p.setPen(QPen(QColor("#f4f0e6"), 1));
    p.drawLine(QPointF(0, -40), QPointF(0, 6));
    p.fillRect(QRectF(-2, 6, 4, 12), QColor(190, 225, 245));
    p.drawLine(QPointF(0, 0), QPointF(0, 30));
    p.fillRect(QRectF(-11, 30, 22, 62),
               verticalGradient(30, 92, {{0, QColor("#fdf8ec")}, {1, QColor("#f1e6cf")}}));
    p.fillRect(QRectF(-11, 30, 22, 5), QColor("#7fb7e0"));
    p.fillRect(QRectF(-11, 87, 22, 5), QColor("#7fb7e0"));
    p.restore();
    p.restore();
}

void paintGoldfish(QPainter& p, Rng& rng) {
    QRadialGradient water(QPointF(90, 60), 360);
    water.setColorAt(0, QColor("#5fb0c8"));
    water.setColorAt(0.5, QColor("#2b7f9e"));
    water.setColorAt(1, QColor("#134a66"));
    p.fillRect(kFull, water);
    // Sunlight rippling on the bottom.
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 40; ++i) {
        std::vector<QPointF> pts;
        QPointF at(rng.uniform(-20, kWidth), rng.uniform(-20, kHeight));
        for (int k = 0; k < 4; ++k) {
            pts.push_back(at);
            at += QPointF(rng.uniform(14, 30), rng.uniform(-12, 12));
        }
        p.setPen(QPen(QColor(220, 250, 255, rng.between(25, 60)), rng.uniform(1, 2.5), Qt::SolidLine,
                      Qt::RoundCap));
        p.drawPath(smoothThrough(pts));
    }
    p.restore();
    // Waterweed from the corner.
    for (int i = 0; i < 9; ++i) {
        const QPointF root(kWidth + 10, kHeight - 20 - i * 10);
        const QPainterPath stem = smoothThrough(
            {root, root + QPointF(-40, -20 - i * 6), root + QPointF(-90 - i * 6, -10 - i * 10)});
        p.save();
        p.setPen(QPen(QColor("#3f8a4a"), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stem);
        for (int k = 0; k < 14; ++k) {
            const QPointF a = stem.pointAtPercent(k / 14.0);
            p.setPen(QPen(mix(QColor("#3f8a4a"), QColor("#7fc06a"), rng.uniform(0, 1)), 1.2));
            p.drawLine(a, a + QPointF(rng.uniform(-7, 7), rng.uniform(-7, 7)));
        }
        p.restore();
    }
    goldfish(p, {110, 96}, 82, 160, QColor("#f0501e"), QColor(0, 0, 0, 0));
    goldfish(p, {218, 84}, 66, 30, QColor("#e83a26"), QColor("#fff5ea"));
    goldfish(p, {90, 210}, 70, -40, QColor("#ff7a2a"), QColor(0, 0, 0, 0));
    goldfish(p, {206, 200}, 88, 200, QColor("#e02e24"), QColor("#fff5ea"));
    goldfish(p, {282, 150}, 50, 95, QColor("#f2642a"), QColor(0, 0, 0, 0));
    p.save();
    for (int i = 0; i < 16; ++i) {
        const QPointF b(rng.uniform(20, kWidth - 20), rng.uniform(20, kHeight - 20));
        const double r = rng.uniform(1.5, 4);
        p.setPen(QPen(QColor(255, 255, 255, 160), 0.8));
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(b, r, r);
    }
    p.restore();
}

void paintSunflowers(QPainter& p, Rng& rng) {
    fillVertical(p, {0, 0, double(kWidth), 200}, {{0, QColor("#1b6cc6")}, {1, QColor("#9ad0f4")}});
    cloud(p, {250, 60}, 110, QColor("#ffffff"), QColor("#d6e4f2"));
    cloud(p, {60, 150}, 70, QColor("#ffffff"), QColor("#d6e4f2"));
    fillVertical(p, {0, 186, double(kWidth), kHeight - 186.0},
                 {{0, QColor("#4f9a3a")}, {1, QColor("#2f6a28")}});
    // Rows of sunflowers fading into the distance.
    for (double x = 4; x < kWidth; x += 15)
        sunflower(p, {x + rng.uniform(-3, 3), 190 + rng.uniform(-3, 3)}, 7.5, rng.uniform(0, 18));
    for (double x = 0; x < kWidth; x += 30) {
        const QPointF c(x + rng.uniform(-5, 5), 214 + rng.uniform(-6, 6));
        leaf(p, c + QPointF(0, 16), 22, 14, rng.uniform(-160, -20), QColor("#3f8a30"));
        sunflower(p, c, 15, rng.uniform(0, 18));
    }
    struct Big {
        QPointF head;
        double r, tilt;
    };
    const Big big[] = {{{84, 124}, 46, -8}, {{226, 96}, 52, 6}, {{168, 214}, 40, 0}};
    for (const Big& b : big) {
        fillPath(
            p,
            taperedStroke({b.head.x() + 6, kHeight + 4}, {b.head.x() + 12, b.head.y() + 80}, b.head, 10, 7),
            QColor("#3f7a2a"));
        leaf(p, {b.head.x() + 8, b.head.y() + b.r + 40}, b.r * 1.1, b.r * 0.7, -20, QColor("#3f8a30"));
        leaf(p, {b.head.x() + 6, b.head.y() + b.r + 70}, b.r * 1.0, b.r * 0.65, -160, QColor("#357a28"));
    }
    for (const Big& b : big) sunflower(p, b.head, b.r, b.tilt);
}

void paintSeaAndThunderhead(QPainter& p, Rng& rng) {
    const double horizon = 182;
    fillVertical(p, {0, 0, double(kWidth), horizon},
                 {{0, QColor("#0f5cc0")}, {0.6, QColor("#56a6ea")}, {1, QColor("#d0eaff")}});
    // A towering summer cloud: wide at the base, boiling up into heads.
    std::vector<Puff> tower;
    for (int k = 0; k < 6; ++k) {
        const double y = horizon - 26 - k * 24;
        const double half = 104 - k * 12;
        const double cx = 196 + k * 3;
        const int puffs = 5 - k / 2;  // fewer puffs in each higher row
        for (int i = 0; i < puffs; ++i)
            tower.push_back(
                {{cx - half + 2 * half * (i + rng.uniform(0.2, 0.8)) / puffs, y + rng.uniform(-5, 5)},
                 rng.uniform(30, 40) - k * 2,
                 0});
    }
    tower.push_back({{182, 34}, 26, 0});
    tower.push_back({{218, 30}, 24, 0});
    cumulus(p, tower, QColor("#ffffff"), QColor("#a7b8d2"));
    cloud(p, {50, 160}, 70, QColor("#ffffff"), QColor("#cbd8e8"));

    fillVertical(p, {0, horizon, double(kWidth), kHeight - horizon},
                 {{0, QColor("#1c63b4")}, {1, QColor("#0c3a78")}});
    shimmer(p, {0, horizon + 2, double(kWidth), 90}, 70, QColor(255, 255, 255, 170), rng);
    // A small sailboat
    QPolygonF sail({{84, 148}, {84, 176}, {104, 176}});
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#ffffff"));
    p.drawPolygon(sail);
    p.setBrush(QColor("#f0f0f0"));
    p.drawPolygon(QPolygonF({{82, 156}, {82, 176}, {70, 176}}));
    p.setBrush(QColor("#c0392b"));
    p.drawPolygon(QPolygonF({{66, 178}, {108, 178}, {102, 184}, {72, 184}}));
    p.restore();
    // Beach and the lace of the breaking wave.
    const QPainterPath shore = smoothThrough({{110, 300}, {180, 268}, {250, 244}, {340, 226}});
    QPainterPath sand = shore;
    sand.lineTo(340, kHeight + 10);
    sand.lineTo(110, kHeight + 10);
    sand.closeSubpath();
    fillPath(p, sand, verticalGradient(226, kHeight, {{0, QColor("#f4e2b0")}, {1, QColor("#e2c787")}}));
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 230), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shore);
    p.setPen(QPen(QColor(255, 255, 255, 120), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(shore.translated(-6, -8));
    p.restore();
}

void paintFireworks(QPainter& p, Rng& rng) {
    const double waterTop = 216;
    fillVertical(p, {0, 0, double(kWidth), waterTop},
                 {{0, QColor("#050a22")}, {0.7, QColor("#161c46")}, {1, QColor("#2a2552")}});
    stars(p, {0, 0, double(kWidth), 120}, 25, rng);
    struct Shot {
        QPointF c;
        double r;
        Burst kind;
        QColor colour, tip;
    };
    const Shot shots[] = {{{104, 86}, 66, Burst::Chrysanthemum, QColor("#ff5a4a"), QColor("#ffe0a0")},
                          {{238, 64}, 48, Burst::Peony, QColor("#7cf0ff"), QColor("#e8ffff")},
                          {{224, 150}, 54, Burst::Willow, QColor("#ffc850"), QColor("#fff0b0")},
                          {{40, 160}, 26, Burst::Peony, QColor("#7dff8a"), QColor("#eaffd0")}};
    const std::uint64_t sparkSeed = rng.next();
    auto drawShots = [&]() {
        Rng sparks(sparkSeed);  // the reflection repeats the same sparks
        for (const Shot& s : shots) firework(p, s.c, s.r, s.kind, s.colour, s.tip, sparks);
    };
    drawShots();
    // Town along the far bank
    QPainterPath town(QPointF(0, waterTop));
    double x = 0;
    while (x < kWidth) {
        const double h = rng.uniform(4, 16);
        const double w = rng.uniform(10, 26);
        town.lineTo(x, waterTop - h);
        town.lineTo(x + w, waterTop - h);
        x += w;
    }
    town.lineTo(kWidth, waterTop);
    town.closeSubpath();
    fillPath(p, town, QColor("#0a0c1c"));

    fillVertical(p, {0, waterTop, double(kWidth), kHeight - waterTop},
                 {{0, QColor("#121636")}, {1, QColor("#05081a")}});
    p.save();
    p.setClipRect(QRectF(0, waterTop, kWidth, kHeight - waterTop));
    p.translate(0, waterTop * 2 - 40);
    p.scale(1, -0.8);
    p.setOpacity(0.3);
    drawShots();
    p.restore();
    shimmer(p, {0, waterTop + 2, double(kWidth), kHeight - waterTop - 2}, 50, QColor(255, 200, 160, 70), rng);
    // A bridge across the river, in silhouette.
    QPainterPath bridge(QPointF(-10, 236));
    bridge.quadTo(QPointF(110, 216), QPointF(230, 236));
    bridge.lineTo(230, 242);
    bridge.quadTo(QPointF(110, 222), QPointF(-10, 242));
    bridge.closeSubpath();
    fillPath(p, bridge, QColor("#06070f"));
    for (double px : {20.0, 70.0, 120.0, 170.0, 215.0})
        p.fillRect(QRectF(px - 3, 226, 6, 70), QColor("#06070f"));
}

void paintWatermelon(QPainter& p, Rng& rng) {
    // The garden seen from the veranda.
    fillVertical(p, {0, 0, double(kWidth), 150}, {{0, QColor("#7cc6f2")}, {1, QColor("#d9f1ff")}});
    drawPuffs(p, scatterPuffs({-30, 96, 380, 60}, 30, 14, 26, rng), QColor("#3f7a36"), QColor("#5fa04a"),
              QColor("#9ad07a"));
    // Rolled-up bamboo blind.
    p.fillRect(QRectF(0, 0, kWidth, 34), QColor("#d8c08a"));
    p.save();
    p.setPen(QPen(QColor(140, 110, 60, 120), 1));
    for (double y = 2; y < 34; y += 3) p.drawLine(QPointF(0, y), QPointF(kWidth, y));
    p.restore();
    p.fillRect(QRectF(0, 34, kWidth, 4), QColor("#8a6a3a"));
    p.fillRect(QRectF(0, 0, 14, 150),
               horizontalGradient(0, 14, {{0, QColor("#5e4028")}, {1, QColor("#8a6440")}}));
    // Veranda boards
    for (int i = 0; i < 8; ++i) {
        const double y0 = 148 + i * 18.0;
        const QColor board = i % 2 ? QColor("#b98a58") : QColor("#c99a66");
        p.fillRect(QRectF(0, y0, kWidth, 18),
                   verticalGradient(y0, y0 + 18, {{0, board.lighter(108)}, {1, board.darker(108)}}));
        p.fillRect(QRectF(0, y0, kWidth, 1.2), QColor("#7a5634"));
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 20, 70));
    p.drawEllipse(QPointF(246, 232), 62, 12);
    p.restore();
    // A whole watermelon with its dark zigzag stripes.
    const QPointF mc(240, 180);
    const double mr = 56;
    QPainterPath ball;
    ball.addEllipse(mc, mr, mr * 0.92);
    QRadialGradient rind(mc - QPointF(mr * 0.4, mr * 0.4), mr * 1.5);
    rind.setColorAt(0, QColor("#6fc05a"));
    rind.setColorAt(1, QColor("#1f6a2a"));
    fillPath(p, ball, rind);
    p.save();
    p.setClipPath(ball);
    p.setPen(QPen(QColor("#123d1a"), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int k = -3; k <= 3; ++k) {
        const double lon = k * 0.42;
        QPainterPath stripe;
        for (int i = 0; i <= 30; ++i) {
            const double lat = -M_PI / 2 + M_PI * i / 30;
            const QPointF pt = mc + QPointF(mr * std::sin(lon) * std::cos(lat) + std::sin(i * 1.7) * 3,
                                            mr * 0.92 * std::sin(lat));
            if (i == 0)
                stripe.moveTo(pt);
            else
                stripe.lineTo(pt);
        }
        p.drawPath(stripe);
    }
    p.restore();
    glow(p, mc - QPointF(mr * 0.35, mr * 0.4), mr * 0.5, QColor(255, 255, 255, 90));
    // Slices on a blue-rimmed plate.
    p.save();
    p.setPen(QPen(QColor("#2f5fa8"), 4));
    p.setBrush(QColor("#fbfbf8"));
    p.drawEllipse(QPointF(118, 240), 100, 32);
    p.setPen(QPen(QColor("#2f5fa8"), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(118, 240), 86, 25);
    p.restore();
    watermelonSlice(p, {82, 238}, 84, 82, -10, rng);
    watermelonSlice(p, {152, 244}, 84, 86, 8, rng);
}

}  // namespace picturegen
