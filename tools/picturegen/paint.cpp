#include "paint.h"

#include <QRadialGradient>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace picturegen {

// ---- random -----------------------------------------------------------------

std::uint64_t Rng::next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::uniform(double lo, double hi) {
    return lo + (hi - lo) * double(next() >> 11) * 0x1.0p-53;
}

int Rng::between(int lo, int hi) {
    return lo + int(next() % std::uint64_t(hi - lo + 1));
}

// ---- colour and fills -------------------------------------------------------

QColor mix(const QColor& a, const QColor& b, double t) {
    auto lerp = [t](float x, float y) { return float(x + (y - x) * t); };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()),
                            lerp(a.blueF(), b.blueF()), lerp(a.alphaF(), b.alphaF()));
}

QColor alpha(const QColor& c, double a) {
    QColor out = c;
    out.setAlphaF(float(std::clamp(a, 0.0, 1.0)));
    return out;
}

QLinearGradient verticalGradient(double top, double bottom, GradientStops stops) {
    QLinearGradient g(0, top, 0, bottom);
    for (const auto& [at, colour] : stops) g.setColorAt(at, colour);
    return g;
}

QLinearGradient horizontalGradient(double left, double right, GradientStops stops) {
    QLinearGradient g(left, 0, right, 0);
    for (const auto& [at, colour] : stops) g.setColorAt(at, colour);
    return g;
}

void fillVertical(QPainter& p, const QRectF& r, GradientStops stops) {
    p.fillRect(r, verticalGradient(r.top(), r.bottom(), stops));
}

void fillPath(QPainter& p, const QPainterPath& path, const QBrush& brush) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawPath(path);
    p.restore();
}

void glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    g.setColorAt(0.35, alpha(colour, colour.alphaF() * 0.45));
    g.setColorAt(1, alpha(colour, 0));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

// ---- geometry ---------------------------------------------------------------

QPainterPath smoothThrough(const std::vector<QPointF>& pts) {
    QPainterPath path;
    if (pts.empty()) return path;
    path.moveTo(pts.front());
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const QPointF p0 = pts[i == 0 ? 0 : i - 1];
        const QPointF p1 = pts[i];
        const QPointF p2 = pts[i + 1];
        const QPointF p3 = pts[std::min(i + 2, pts.size() - 1)];
        path.cubicTo(p1 + (p2 - p0) / 6.0, p2 - (p3 - p1) / 6.0, p2);
    }
    return path;
}

QPainterPath taperedStroke(QPointF a, QPointF control, QPointF b, double w0, double w1) {
    constexpr int steps = 10;
    std::vector<QPointF> left, right;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF pt = (1 - t) * (1 - t) * a + 2 * (1 - t) * t * control + t * t * b;
        QPointF d = 2 * (1 - t) * (control - a) + 2 * t * (b - control);
        double len = std::hypot(d.x(), d.y());
        if (len < 1e-9) {
            d = QPointF(1, 0);
            len = 1;
        }
        const QPointF normal(-d.y() / len, d.x() / len);
        const double half = (w0 + (w1 - w0) * t) / 2;
        left.push_back(pt + normal * half);
        right.push_back(pt - normal * half);
    }
    QPainterPath path(left.front());
    std::for_each(left.begin() + 1, left.end(), [&](const QPointF& q) { path.lineTo(q); });
    std::for_each(right.rbegin(), right.rend(), [&](const QPointF& q) { path.lineTo(q); });
    path.closeSubpath();
    return path;
}

QPointF polar(QPointF centre, double radius, double degrees) {
    const double a = qDegreesToRadians(degrees);
    return centre + QPointF(std::cos(a), std::sin(a)) * radius;
}

QPainterPath puffUnion(const std::vector<Puff>& puffs) {
    QPainterPath all;
    for (const Puff& f : puffs) {
        QPainterPath one;
        one.addEllipse(f.centre, f.radius, f.radius);
        all = all.united(one);
    }
    return all;
}

std::vector<Puff> scatterPuffs(const QRectF& e, int count, double minR, double maxR, Rng& rng) {
    std::vector<Puff> puffs;
    puffs.reserve(count);
    for (int i = 0; i < count; ++i) {
        const double a = rng.uniform(0, 2 * M_PI);
        const double d = std::sqrt(rng.uniform(0, 1));
        const QPointF c =
            e.center() + QPointF(std::cos(a) * e.width() / 2 * d, std::sin(a) * e.height() / 2 * d);
        puffs.push_back({c, rng.uniform(minR, maxR), rng.uniform(-1, 1)});
    }
    return puffs;
}

void drawPuffs(QPainter& p, const std::vector<Puff>& puffs, const QColor& dark, const QColor& mid,
               const QColor& light, QPointF towardLight) {
    if (puffs.empty()) return;
    QPointF centroid;
    double spread = 1;
    for (const Puff& f : puffs) centroid += f.centre;
    centroid /= double(puffs.size());
    for (const Puff& f : puffs)
        spread = std::max(spread, std::hypot(f.centre.x() - centroid.x(), f.centre.y() - centroid.y()));

    p.save();
    p.setPen(Qt::NoPen);
    for (const Puff& f : puffs) {
        p.setBrush(dark);
        p.drawEllipse(f.centre - towardLight * f.radius * 0.2, f.radius, f.radius);
    }
    for (const Puff& f : puffs) {
        const QColor body = f.tone > 0 ? mix(mid, light, f.tone * 0.25) : mix(mid, dark, -f.tone * 0.25);
        p.setBrush(body);
        p.drawEllipse(f.centre + towardLight * f.radius * 0.08, f.radius * 0.8, f.radius * 0.8);
    }
    // Highlights only on the side that faces the light, so the whole mass reads as round.
    for (const Puff& f : puffs) {
        const QPointF rel = (f.centre - centroid) / spread;
        const double facing = rel.x() * towardLight.x() + rel.y() * towardLight.y();
        if (facing < -0.15) continue;
        p.setBrush(alpha(light, std::clamp(0.55 + facing, 0.35, 1.0)));
        p.drawEllipse(f.centre + towardLight * f.radius * 0.3, f.radius * 0.45, f.radius * 0.45);
    }
    p.restore();
}

// ---- sky, land and water ----------------------------------------------------

QPainterPath ridge(double baseY, double amplitude, int bumps, Rng& rng, double bottom) {
    std::vector<QPointF> pts;
    for (int i = 0; i <= bumps; ++i)
        pts.emplace_back(-30 + (kWidth + 60) * double(i) / bumps, baseY - amplitude * rng.uniform(0, 1));
    QPainterPath path = smoothThrough(pts);
    path.lineTo(kWidth + 30, bottom);
    path.lineTo(-30, bottom);
    path.closeSubpath();
    return path;
}

void hills(QPainter& p, double baseY, double amplitude, int bumps, const QColor& top, const QColor& bottom,
           Rng& rng) {
    fillPath(p, ridge(baseY, amplitude, bumps, rng),
             verticalGradient(baseY - amplitude, baseY + 40, {{0, top}, {1, bottom}}));
}

void sun(QPainter& p, QPointF c, double r, const QColor& core, const QColor& rim, const QColor& halo) {
    glow(p, c, r * 3.2, halo);
    QRadialGradient g(c, r);
    g.setColorAt(0, core);
    g.setColorAt(0.6, mix(core, rim, 0.55));
    g.setColorAt(1, rim);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.restore();
}

void fullMoon(QPainter& p, QPointF c, double r) {
    glow(p, c, r * 2.8, QColor(255, 244, 200, 90));
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    g.setColorAt(0, QColor("#fffdf0"));
    g.setColorAt(1, QColor("#f1dc9a"));
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    // Faint seas keep the moon from looking like a plain disc.
    p.setBrush(QColor(200, 180, 120, 55));
    p.drawEllipse(c + QPointF(-r * 0.25, -r * 0.2), r * 0.3, r * 0.22);
    p.drawEllipse(c + QPointF(r * 0.2, r * 0.05), r * 0.22, r * 0.28);
    p.drawEllipse(c + QPointF(-r * 0.05, r * 0.4), r * 0.18, r * 0.12);
    p.restore();
}

void cloud(QPainter& p, QPointF c, double width, const QColor& light, const QColor& shade) {
    // Overlapping puffs over a flat, rounded base read as a cumulus at any size.
    const double u = width / 10;
    std::vector<Puff> puffs = {{c + QPointF(-3.3 * u, -0.6 * u), 1.7 * u, 0},
                               {c + QPointF(-1.3 * u, -1.7 * u), 2.4 * u, 0},
                               {c + QPointF(1.2 * u, -1.4 * u), 2.1 * u, 0},
                               {c + QPointF(3.3 * u, -0.5 * u), 1.6 * u, 0}};
    QPainterPath path = puffUnion(puffs);
    QPainterPath base;
    base.addRoundedRect(QRectF(c.x() - 5 * u, c.y() - 1.2 * u, 10 * u, 2.4 * u), 1.2 * u, 1.2 * u);
    path = path.united(base);
    const QRectF b = path.boundingRect();
    fillPath(p, path, verticalGradient(b.top(), b.bottom(), {{0, light}, {0.55, light}, {1, shade}}));
}

void cumulus(QPainter& p, std::vector<Puff> puffs, const QColor& light, const QColor& shade) {
    const QPainterPath body = puffUnion(puffs);
    const QRectF b = body.boundingRect();
    fillPath(
        p, body,
        verticalGradient(b.top(), b.bottom(), {{0, light}, {0.55, mix(light, shade, 0.35)}, {1, shade}}));
    // Lower bulges first, so the ones above overlap them as in a real cloud.
    std::sort(puffs.begin(), puffs.end(),
              [](const Puff& a, const Puff& c) { return a.centre.y() > c.centre.y(); });
    p.save();
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    for (const Puff& f : puffs) {
        QRadialGradient dark(f.centre + QPointF(f.radius * 0.45, f.radius * 0.5), f.radius * 1.05);
        dark.setColorAt(0, alpha(shade, 0.3));
        dark.setColorAt(1, alpha(shade, 0));
        p.setBrush(dark);
        p.drawEllipse(f.centre + QPointF(f.radius * 0.45, f.radius * 0.5), f.radius * 1.05, f.radius * 1.05);
        QRadialGradient lit(f.centre - QPointF(f.radius * 0.25, f.radius * 0.3), f.radius);
        lit.setColorAt(0, alpha(light, 1));
        lit.setColorAt(0.55, alpha(light, 0.8));
        lit.setColorAt(1, alpha(light, 0));
        p.setBrush(lit);
        p.drawEllipse(f.centre - QPointF(f.radius * 0.25, f.radius * 0.3), f.radius, f.radius);
    }
    p.restore();
}

void wispCloud(QPainter& p, QPointF c, double width, double height, const QColor& top, const QColor& bottom) {
    QPainterPath path;
    path.addEllipse(c, width / 2, height / 2);
    QPainterPath second;
    second.addEllipse(c + QPointF(width * 0.18, -height * 0.35), width * 0.3, height * 0.45);
    path = path.united(second);
    fillPath(p, path, verticalGradient(c.y() - height, c.y() + height / 2, {{0, top}, {1, bottom}}));
}

void stars(QPainter& p, const QRectF& area, int count, Rng& rng) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.uniform(area.left(), area.right()), rng.uniform(area.top(), area.bottom()));
        const double r = rng.uniform(0.4, 1.3);
        const double a = rng.uniform(0.35, 1.0);
        if (r > 1.15) glow(p, c, r * 4, QColor(255, 255, 230, 70));
        p.setBrush(QColor(255, 255, 240, int(255 * a)));
        p.drawEllipse(c, r, r);
    }
    p.restore();
}

void snowfall(QPainter& p, const QRectF& area, int count, double minR, double maxR, Rng& rng) {
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(rng.uniform(area.left(), area.right()), rng.uniform(area.top(), area.bottom()));
        const double r = rng.uniform(minR, maxR);
        // Bigger flakes are nearer and brighter.
        p.setBrush(QColor(255, 255, 255, int(140 + 115 * (r - minR) / std::max(0.01, maxR - minR))));
        p.drawEllipse(c, r, r);
    }
    p.restore();
}

void rain(QPainter& p, const QRectF& area, int count, double slant, const QColor& colour, Rng& rng) {
    p.save();
    for (int i = 0; i < count; ++i) {
        const QPointF a(rng.uniform(area.left(), area.right()), rng.uniform(area.top(), area.bottom()));
        const double len = rng.uniform(10, 22);
        p.setPen(QPen(alpha(colour, colour.alphaF() * rng.uniform(0.5, 1.0)), rng.uniform(0.8, 1.4),
                      Qt::SolidLine, Qt::RoundCap));
        p.drawLine(a, a + QPointF(slant * len, len));
    }
    p.restore();
}

void shimmer(QPainter& p, const QRectF& area, int count, const QColor& colour, Rng& rng) {
    p.save();
    for (int i = 0; i < count; ++i) {
        const double y = rng.uniform(area.top(), area.bottom());
        const double depth = (y - area.top()) / std::max(1.0, area.height());  // nearer: longer
        const double x = rng.uniform(area.left(), area.right());
        const double len = 6 + 26 * depth * rng.uniform(0.5, 1.0);
        p.setPen(QPen(alpha(colour, colour.alphaF() * rng.uniform(0.4, 1.0)), 1 + depth, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(x - len / 2, y), QPointF(x + len / 2, y));
    }
    p.restore();
}

void sunGlitter(QPainter& p, double x, double horizon, double maxHalfWidth, const QColor& colour, Rng& rng) {
    p.save();
    for (int i = 0; i < 40; ++i) {
        const double t = double(i) / 40;
        const double y = horizon + 2 + t * t * (kHeight - horizon);
        const double half = 6 + t * maxHalfWidth * rng.uniform(0.5, 1.0);
        const double cx = x + rng.uniform(-6, 6) * (0.3 + t);
        p.setPen(QPen(alpha(colour, colour.alphaF() * (1 - 0.65 * t)), 1.5 + 2.5 * t, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(QPointF(cx - half, y), QPointF(cx + half, y));
    }
    p.restore();
}

void grassBlades(QPainter& p, QPointF base, double height, int count, double spread, const QColor& colour,
                 Rng& rng) {
    for (int i = 0; i < count; ++i) {
        const QPointF root = base + QPointF(rng.uniform(-spread, spread), 0);
        const double h = height * rng.uniform(0.55, 1.0);
        const double lean = rng.uniform(-0.45, 0.45) * h;
        const QPointF tip = root + QPointF(lean, -h);
        const QPointF ctrl = root + QPointF(lean * 0.2, -h * 0.6);
        const QColor c = mix(colour, colour.lighter(135), rng.uniform(0, 1));
        fillPath(p, taperedStroke(root, ctrl, tip, std::max(1.5, height * 0.06), 0.3), c);
    }
}

void goldScreen(QPainter& p, double bottom, int panels) {
    const double panel = double(kWidth) / panels;
    for (int i = 0; i < panels; ++i) {
        const double x = i * panel;
        p.fillRect(
            QRectF(x, 0, panel, bottom),
            horizontalGradient(x, x + panel,
                               {{0, QColor("#c99a3e")}, {0.45, QColor("#f1d68e")}, {1, QColor("#d2a64c")}}));
        p.fillRect(QRectF(x, 0, 1.5, bottom), QColor("#9b7426"));
    }
}

void mountFuji(QPainter& p, QPointF peak, double halfWidth, double height, const QColor& top,
               const QColor& foot) {
    const double plateau = halfWidth * 0.07;
    const double footY = peak.y() + height;
    QPainterPath body(QPointF(peak.x() - plateau, peak.y()));
    body.cubicTo(QPointF(peak.x() - halfWidth * 0.25, peak.y() + height * 0.35),
                 QPointF(peak.x() - halfWidth * 0.55, footY - height * 0.1),
                 QPointF(peak.x() - halfWidth, footY));
    body.lineTo(peak.x() + halfWidth, footY);
    body.cubicTo(QPointF(peak.x() + halfWidth * 0.55, footY - height * 0.1),
                 QPointF(peak.x() + halfWidth * 0.25, peak.y() + height * 0.35),
                 QPointF(peak.x() + plateau, peak.y()));
    // A slightly dented summit: Fuji's crater rim is never a flat ruler line.
    body.quadTo(QPointF(peak.x(), peak.y() + 3), QPointF(peak.x() - plateau, peak.y()));
    fillPath(p, body, verticalGradient(peak.y(), footY, {{0, top}, {1, foot}}));

    // The snow line is ragged: gullies carry the snow further down.
    QPainterPath cap(QPointF(peak.x() - halfWidth, peak.y() - 10));
    cap.lineTo(peak.x() + halfWidth, peak.y() - 10);
    const int teeth = 9;
    for (int i = teeth; i >= 0; --i) {
        const double x = peak.x() - halfWidth * 0.5 + halfWidth * double(i) / teeth;
        const double depth = (i % 2 == 0) ? 0.26 : 0.36 + 0.06 * ((i * 7) % 3);
        cap.lineTo(x, peak.y() + height * depth);
    }
    cap.closeSubpath();
    const QPainterPath snow = body.intersected(cap);
    fillPath(p, snow,
             verticalGradient(peak.y(), peak.y() + height * 0.4,
                              {{0, QColor("#ffffff")}, {1, QColor("#dfe8f4")}}));
    // Shade the right flank of the snow, as if lit from the left.
    QPainterPath shadeSide(peak);
    shadeSide.lineTo(peak.x() + halfWidth, peak.y());
    shadeSide.lineTo(peak.x() + halfWidth, footY);
    shadeSide.lineTo(peak.x() + halfWidth * 0.05, footY);
    shadeSide.closeSubpath();
    fillPath(p, snow.intersected(shadeSide), QColor(150, 170, 205, 70));
}

// ---- plants -----------------------------------------------------------------

void branch(QPainter& p, QPointF from, double angle, double length, double width, int depth,
            const BranchStyle& s, Rng& rng, std::vector<BranchNode>* nodes) {
    const double a = qDegreesToRadians(angle);
    const QPointF dir(std::cos(a), std::sin(a));
    const QPointF normal(-dir.y(), dir.x());
    const QPointF to = from + dir * length;
    const QPointF ctrl = (from + to) / 2 + normal * length * rng.uniform(-s.bend, s.bend);
    const double endWidth = std::max(0.6, width * 0.68);
    fillPath(p, taperedStroke(from, ctrl, to, width, endWidth), s.bark);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(s.bark);
    p.drawEllipse(to, endWidth / 2, endWidth / 2);  // round joint for the children
    p.restore();
    if (nodes) {
        nodes->push_back({(from + to) / 2 * 0.5 + ctrl * 0.5, angle, depth});
        nodes->push_back({to, angle, depth});
    }
    if (depth <= 0) return;
    const int kids = s.children + (rng.chance(0.3) ? 1 : 0);
    for (int i = 0; i < kids; ++i) {
        const double pos = kids == 1 ? 0 : (double(i) / (kids - 1) - 0.5) * 2;
        const double childAngle =
            angle + s.lean + pos * s.spread / 2 + rng.uniform(-s.spread, s.spread) * 0.3;
        branch(p, to, childAngle, length * s.shrink * rng.uniform(0.8, 1.1), endWidth, depth - 1, s, rng,
               nodes);
    }
}

void fivePetalFlower(QPainter& p, QPointF c, double r, double rotation, const QColor& petal,
                     const QColor& heart, bool notched) {
    QPainterPath shape(QPointF(0, 0));  // one petal, pointing up from the centre
    if (notched) {
        // Cherry: a small notch at the petal tip.
        shape.cubicTo(-0.6 * r, -0.25 * r, -0.55 * r, -0.95 * r, -0.17 * r, -r);
        shape.lineTo(0, -0.84 * r);
        shape.lineTo(0.17 * r, -r);
        shape.cubicTo(0.55 * r, -0.95 * r, 0.6 * r, -0.25 * r, 0, 0);
    } else {
        // Plum and peach: round petals.
        shape.cubicTo(-0.68 * r, -0.2 * r, -0.6 * r, -r, 0, -r);
        shape.cubicTo(0.6 * r, -r, 0.68 * r, -0.2 * r, 0, 0);
    }
    QRadialGradient g(QPointF(0, 0), r);
    g.setColorAt(0, mix(petal, heart, 0.5));
    g.setColorAt(0.45, petal);
    g.setColorAt(1, petal.lighter(106));
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(petal.darker(118), std::max(0.4, r * 0.035)));
    p.setBrush(g);
    for (int i = 0; i < 5; ++i) {
        p.drawPath(shape);
        p.rotate(72);
    }
    p.setPen(QPen(heart, std::max(0.5, r * 0.045)));
    for (int i = 0; i < 10; ++i) {
        const QPointF end = polar({0, 0}, r * 0.42, i * 36 + 18);
        p.drawLine(QPointF(0, 0), end);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#f2c53d"));
    for (int i = 0; i < 10; ++i) p.drawEllipse(polar({0, 0}, r * 0.42, i * 36 + 18), r * 0.06, r * 0.06);
    p.setBrush(heart);
    p.drawEllipse(QPointF(0, 0), r * 0.13, r * 0.13);
    p.restore();
}

void fallingPetal(QPainter& p, QPointF c, double size, double rotation, const QColor& colour) {
    QPainterPath shape(QPointF(0, size * 0.5));
    shape.cubicTo(-size * 0.55, size * 0.2, -size * 0.45, -size * 0.5, -size * 0.12, -size * 0.5);
    shape.lineTo(0, -size * 0.36);
    shape.lineTo(size * 0.12, -size * 0.5);
    shape.cubicTo(size * 0.45, -size * 0.5, size * 0.55, size * 0.2, 0, size * 0.5);
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.scale(1, 0.75);  // a little foreshortening: petals tumble
    fillPath(p, shape,
             verticalGradient(-size * 0.5, size * 0.5, {{0, colour.lighter(108)}, {1, colour.darker(108)}}));
    p.restore();
}

void leaf(QPainter& p, QPointF base, double length, double width, double angle, const QColor& colour) {
    QPainterPath shape(QPointF(0, 0));
    shape.cubicTo(length * 0.25, -width * 0.62, length * 0.7, -width * 0.5, length, 0);
    shape.cubicTo(length * 0.7, width * 0.5, length * 0.25, width * 0.62, 0, 0);
    p.save();
    p.translate(base);
    p.rotate(angle);
    QLinearGradient g(0, -width / 2, 0, width / 2);
    g.setColorAt(0, colour.lighter(118));
    g.setColorAt(0.5, colour);
    g.setColorAt(1, colour.darker(125));
    fillPath(p, shape, g);
    p.setPen(QPen(alpha(colour.lighter(150), 0.7), std::max(0.5, width * 0.06)));
    p.drawLine(QPointF(length * 0.04, 0), QPointF(length * 0.85, 0));
    p.restore();
}

void mapleLeaf(QPainter& p, QPointF c, double r, double rotation, const QColor& colour) {
    // Seven pointed lobes, the lower ones short, as on a Japanese maple.
    static constexpr double tipAngles[] = {-125, -80, -40, 0, 40, 80, 125};
    static constexpr double tipLengths[] = {0.45, 0.75, 0.93, 1.0, 0.93, 0.75, 0.45};
    QPainterPath shape(QPointF(0, r * 0.12));
    auto at = [r](double degFromUp, double len) {
        const double a = qDegreesToRadians(degFromUp);
        return QPointF(std::sin(a) * len * r, -std::cos(a) * len * r);
    };
    for (int i = 0; i < 7; ++i) {
        if (i > 0) shape.lineTo(at((tipAngles[i - 1] + tipAngles[i]) / 2, 0.34));
        // A shoulder halfway up each lobe gives the toothed edge.
        shape.lineTo(at(tipAngles[i] - 9, tipLengths[i] * 0.62));
        shape.lineTo(at(tipAngles[i], tipLengths[i]));
        shape.lineTo(at(tipAngles[i] + 9, tipLengths[i] * 0.62));
    }
    shape.closeSubpath();
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(colour.darker(140), std::max(0.6, r * 0.07), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, r * 0.1), QPointF(r * 0.08, r * 0.55));
    QRadialGradient g(QPointF(0, 0), r);
    g.setColorAt(0, colour.lighter(125));
    g.setColorAt(1, colour.darker(112));
    fillPath(p, shape, g);
    p.setPen(QPen(alpha(colour.darker(150), 0.45), std::max(0.4, r * 0.03)));
    for (int i = 1; i < 6; ++i) p.drawLine(QPointF(0, 0), at(tipAngles[i], tipLengths[i] * 0.8));
    p.restore();
}

void ginkgoLeaf(QPainter& p, QPointF c, double r, double rotation, const QColor& colour) {
    QPainterPath fan(QPointF(0, -0.25 * r));
    fan.quadTo(-0.35 * r, -0.45 * r, -0.8 * r, -0.9 * r);
    fan.cubicTo(-0.55 * r, -1.12 * r, -0.2 * r, -1.12 * r, -0.03 * r, -1.0 * r);
    fan.lineTo(0, -0.88 * r);  // the notch that gives the fan its two lobes
    fan.lineTo(0.03 * r, -1.0 * r);
    fan.cubicTo(0.2 * r, -1.12 * r, 0.55 * r, -1.12 * r, 0.8 * r, -0.9 * r);
    fan.quadTo(0.35 * r, -0.45 * r, 0, -0.25 * r);
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(colour.darker(130), std::max(0.5, r * 0.06), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0, 0.2 * r), QPointF(0, -0.25 * r));
    fillPath(p, fan, verticalGradient(-r, -0.25 * r, {{0, colour.lighter(112)}, {1, colour.darker(108)}}));
    p.setPen(QPen(alpha(colour.darker(130), 0.35), std::max(0.3, r * 0.025)));
    for (int i = -3; i <= 3; ++i)
        p.drawLine(QPointF(0, -0.3 * r), QPointF(i * 0.2 * r, -r * (1.0 - std::abs(i) * 0.02)));
    p.restore();
}

void pineClump(QPainter& p, QPointF c, double r, const QColor& dark, const QColor& light, Rng& rng) {
    // A flat cushion of needles, like the clipped pines in gardens and on New Year gates.
    QPainterPath pad;
    pad.addEllipse(c + QPointF(0, -r * 0.1), r, r * 0.55);
    fillPath(p, pad,
             verticalGradient(c.y() - r * 0.6, c.y() + r * 0.5, {{0, mix(dark, light, 0.4)}, {1, dark}}));
    p.save();
    const int needles = int(r * 2.2);
    for (int i = 0; i < needles; ++i) {
        const double a = rng.uniform(-175, -5);
        const QPointF from = c + QPointF(rng.uniform(-r * 0.6, r * 0.6), r * 0.2);
        const QPointF to = polar(from, r * rng.uniform(0.45, 0.85), a);
        p.setPen(QPen(rng.chance(0.5) ? light : mix(dark, light, 0.5), std::max(0.6, r * 0.05), Qt::SolidLine,
                      Qt::RoundCap));
        p.drawLine(from, to);
    }
    p.restore();
}

void conifer(QPainter& p, QPointF base, double height, const QColor& colour, bool snowy) {
    const double w = height * 0.48;
    fillPath(p,
             taperedStroke(base, base + QPointF(0, -height * 0.1), base + QPointF(0, -height * 0.2), w * 0.14,
                           w * 0.1),
             QColor("#4a3528"));
    constexpr int tiers = 4;
    for (int i = 0; i < tiers; ++i) {
        const double bottom = base.y() - height * (0.12 + 0.2 * i);
        const double top = base.y() - height * (0.42 + 0.19 * i) - (i == tiers - 1 ? height * 0.04 : 0);
        const double half = w / 2 * (1 - 0.2 * i);
        QPainterPath tier(QPointF(base.x(), top));
        tier.quadTo(QPointF(base.x() - half * 0.3, bottom - (bottom - top) * 0.3),
                    QPointF(base.x() - half, bottom));
        tier.quadTo(QPointF(base.x(), bottom - (bottom - top) * 0.12), QPointF(base.x() + half, bottom));
        tier.quadTo(QPointF(base.x() + half * 0.3, bottom - (bottom - top) * 0.3), QPointF(base.x(), top));
        fillPath(p, tier,
                 horizontalGradient(base.x() - half, base.x() + half,
                                    {{0, colour.lighter(120)}, {0.6, colour}, {1, colour.darker(130)}}));
        if (snowy) {
            // Snow sits on the upper part of each tier.
            QPainterPath cap(QPointF(base.x(), top - 1));
            cap.quadTo(QPointF(base.x() - half * 0.45, top + (bottom - top) * 0.45),
                       QPointF(base.x() - half * 0.8, bottom - 2));
            cap.quadTo(QPointF(base.x() - half * 0.2, top + (bottom - top) * 0.55),
                       QPointF(base.x(), top + (bottom - top) * 0.6));
            cap.quadTo(QPointF(base.x() + half * 0.2, top + (bottom - top) * 0.5),
                       QPointF(base.x() + half * 0.75, bottom - 3));
            cap.quadTo(QPointF(base.x() + half * 0.4, top + (bottom - top) * 0.4),
                       QPointF(base.x(), top - 1));
            fillPath(p, cap, verticalGradient(top, bottom, {{0, QColor("#ffffff")}, {1, QColor("#d6e2f0")}}));
        }
    }
}

void bambooStalk(QPainter& p, double x, double top, double bottom, double width, const QColor& colour,
                 double nodeGap) {
    const QRectF body(x - width / 2, top, width, bottom - top);
    p.fillRect(
        body,
        horizontalGradient(
            body.left(), body.right(),
            {{0, colour.darker(135)}, {0.3, colour.lighter(125)}, {0.55, colour}, {1, colour.darker(150)}}));
    p.save();
    for (double y = bottom - nodeGap * 0.6; y > top + 4; y -= nodeGap) {
        p.setPen(QPen(colour.darker(160), std::max(0.8, width * 0.08)));
        p.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
        p.setPen(QPen(alpha(colour.lighter(160), 0.8), std::max(0.6, width * 0.06)));
        p.drawLine(QPointF(body.left() + 1, y - width * 0.1), QPointF(body.right() - 1, y - width * 0.1));
    }
    p.restore();
}

void pampasGrass(QPainter& p, QPointF base, double height, double lean, const QColor& stalk,
                 const QColor& plume, Rng& rng) {
    const QPointF tip = base + QPointF(lean, -height);
    const QPointF ctrl = base + QPointF(lean * 0.15, -height * 0.6);
    fillPath(p, taperedStroke(base, ctrl, tip, std::max(1.2, height * 0.018), 0.6), stalk);
    QPainterPath curve(base);
    curve.quadTo(ctrl, tip);
    p.save();
    const double hang = lean >= 0 ? 40 : 140;  // plumes trail down on the side the stalk bends to
    for (int i = 0; i < 40; ++i) {
        const double t = rng.uniform(0.72, 1.0);
        const QPointF at = curve.pointAtPercent(t);
        const double len = height * rng.uniform(0.06, 0.13) * (1.2 - (t - 0.72));
        p.setPen(QPen(alpha(plume, plume.alphaF() * rng.uniform(0.5, 0.95)), std::max(0.8, height * 0.01),
                      Qt::SolidLine, Qt::RoundCap));
        p.drawLine(at, polar(at, len, hang + rng.uniform(-25, 25)));
    }
    p.restore();
}

void sunflower(QPainter& p, QPointF c, double r, double rotation) {
    p.save();
    p.translate(c);
    p.rotate(rotation);
    QPainterPath petal(QPointF(0, 0));
    petal.cubicTo(-r * 0.16, -r * 0.35, -r * 0.1, -r * 0.8, 0, -r);
    petal.cubicTo(r * 0.1, -r * 0.8, r * 0.16, -r * 0.35, 0, 0);
    // Two rings of petals, the back one darker, give the full crown.
    for (int ring = 0; ring < 2; ++ring) {
        const QColor colour = ring == 0 ? QColor("#f0a800") : QColor("#ffd21f");
        const double scale = ring == 0 ? 1.0 : 0.9;
        for (int i = 0; i < 20; ++i) {
            p.save();
            p.rotate(i * 18 + ring * 9);
            p.scale(scale, scale);
            fillPath(p, petal, verticalGradient(-r, 0, {{0, colour.lighter(110)}, {1, colour.darker(115)}}));
            p.restore();
        }
    }
    const double disc = r * 0.42;
    QRadialGradient g(QPointF(0, 0), disc);
    g.setColorAt(0, QColor("#7a4a12"));
    g.setColorAt(0.7, QColor("#4a2a0c"));
    g.setColorAt(1, QColor("#3a200a"));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), disc, disc);
    // Seeds on the golden-angle spiral, as they really grow.
    p.setBrush(QColor(150, 100, 40, 160));
    const int seeds = int(disc * 2.6);
    for (int i = 1; i < seeds; ++i) {
        const double rr = disc * 0.92 * std::sqrt(double(i) / seeds);
        p.drawEllipse(polar({0, 0}, rr, i * 137.508), disc * 0.035 + 0.3, disc * 0.035 + 0.3);
    }
    p.restore();
}

// ---- things -----------------------------------------------------------------

void lantern(QPainter& p, QPointF c, double w, double h, const QColor& body, bool lit) {
    if (lit) glow(p, c, w * 1.9, alpha(QColor("#ffc870"), 0.55));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(c.x() - w / 2, c.y() - h / 2, w, h), w * 0.48, h * 0.38);
    QRadialGradient g(c, std::max(w, h) * 0.6);
    g.setColorAt(0, lit ? body.lighter(150) : body.lighter(115));
    g.setColorAt(1, body.darker(115));
    fillPath(p, shape, g);
    p.save();
    p.setClipPath(shape);
    p.setPen(QPen(alpha(body.darker(170), 0.5), std::max(0.5, h * 0.025)));
    for (int i = 1; i < 7; ++i) {
        const double y = c.y() - h / 2 + h * i / 7;
        p.drawLine(QPointF(c.x() - w / 2, y), QPointF(c.x() + w / 2, y));
    }
    p.restore();
    const QColor cap("#2a2222");
    p.fillRect(QRectF(c.x() - w * 0.3, c.y() - h / 2 - h * 0.07, w * 0.6, h * 0.12), cap);
    p.fillRect(QRectF(c.x() - w * 0.3, c.y() + h / 2 - h * 0.05, w * 0.6, h * 0.12), cap);
}

void torii(QPainter& p, QPointF base, double w, double h, const QColor& vermilion) {
    const QColor dark("#2b2220");
    const double pillarW = w * 0.075;
    const double pillarX = w * 0.33;
    const double topY = base.y() - h;
    auto shaded = [&](double left, double right) {
        return horizontalGradient(
            left, right, {{0, vermilion.lighter(115)}, {0.5, vermilion}, {1, vermilion.darker(130)}});
    };
    // Pillars lean in a little, which is what makes a torii look planted.
    for (int side : {-1, 1}) {
        const double x = base.x() + side * pillarX;
        QPainterPath pillar(QPointF(x - pillarW / 2 - side * w * 0.012, base.y()));
        pillar.lineTo(x + pillarW / 2 - side * w * 0.012, base.y());
        pillar.lineTo(x + pillarW * 0.42, topY + h * 0.1);
        pillar.lineTo(x - pillarW * 0.42, topY + h * 0.1);
        pillar.closeSubpath();
        fillPath(p, pillar, shaded(x - pillarW / 2, x + pillarW / 2));
        p.fillRect(
            QRectF(x - pillarW * 0.65 - side * w * 0.012, base.y() - h * 0.07, pillarW * 1.3, h * 0.07),
            dark);
    }
    // Nuki, the lower tie beam.
    p.fillRect(QRectF(base.x() - w * 0.46, topY + h * 0.3, w * 0.92, h * 0.06),
               verticalGradient(topY + h * 0.3, topY + h * 0.36,
                                {{0, vermilion.lighter(110)}, {1, vermilion.darker(125)}}));
    // Gakuzuka, the short strut in the middle.
    p.fillRect(QRectF(base.x() - w * 0.03, topY + h * 0.1, w * 0.06, h * 0.2),
               shaded(base.x() - w * 0.03, base.x() + w * 0.03));
    // Kasagi: the top lintel, black-capped, with upswept ends.
    const double span = w * 0.62;
    QPainterPath lintel(QPointF(base.x() - span, topY - h * 0.03));
    lintel.quadTo(QPointF(base.x(), topY + h * 0.07), QPointF(base.x() + span, topY - h * 0.03));
    lintel.lineTo(base.x() + span * 0.92, topY + h * 0.1);
    lintel.quadTo(QPointF(base.x(), topY + h * 0.17), QPointF(base.x() - span * 0.92, topY + h * 0.1));
    lintel.closeSubpath();
    fillPath(
        p, lintel,
        verticalGradient(topY, topY + h * 0.14, {{0, vermilion.lighter(110)}, {1, vermilion.darker(120)}}));
    QPainterPath capBeam(QPointF(base.x() - span * 1.04, topY - h * 0.07));
    capBeam.quadTo(QPointF(base.x(), topY + h * 0.035), QPointF(base.x() + span * 1.04, topY - h * 0.07));
    capBeam.lineTo(base.x() + span, topY - h * 0.015);
    capBeam.quadTo(QPointF(base.x(), topY + h * 0.085), QPointF(base.x() - span, topY - h * 0.015));
    capBeam.closeSubpath();
    fillPath(p, capBeam, dark);
}

void pagoda(QPainter& p, QPointF base, double h, const QColor& wood, const QColor& roof) {
    const double spire = h * 0.24;
    const double storey = (h - spire) / 5;
    double roofW = h * 0.5;
    double y = base.y();
    // Stone platform
    p.fillRect(QRectF(base.x() - roofW * 0.5, y - storey * 0.18, roofW, storey * 0.18),
               verticalGradient(y - storey * 0.18, y, {{0, QColor("#9a948a")}, {1, QColor("#6e6860")}}));
    y -= storey * 0.18;
    for (int i = 0; i < 5; ++i) {
        const double bodyW = roofW * 0.55;
        const double bodyH = storey * 0.62;
        p.fillRect(QRectF(base.x() - bodyW / 2, y - bodyH, bodyW, bodyH),
                   horizontalGradient(base.x() - bodyW / 2, base.x() + bodyW / 2,
                                      {{0, wood.lighter(115)}, {0.5, wood}, {1, wood.darker(130)}}));
        // Railing and brackets as a pale band below each roof.
        p.fillRect(QRectF(base.x() - bodyW * 0.5, y - bodyH - storey * 0.08, bodyW, storey * 0.08),
                   wood.lighter(140));
        const double eaveY = y - bodyH - storey * 0.05;
        const double ridgeY = eaveY - storey * 0.33;
        QPainterPath r(QPointF(base.x() - roofW / 2, eaveY - storey * 0.14));
        r.quadTo(QPointF(base.x() - roofW * 0.3, eaveY), QPointF(base.x(), eaveY + storey * 0.03));
        r.quadTo(QPointF(base.x() + roofW * 0.3, eaveY),
                 QPointF(base.x() + roofW / 2, eaveY - storey * 0.14));
        r.quadTo(QPointF(base.x() + roofW * 0.32, ridgeY + storey * 0.14),
                 QPointF(base.x() + roofW * 0.22, ridgeY));
        r.lineTo(base.x() - roofW * 0.22, ridgeY);
        r.quadTo(QPointF(base.x() - roofW * 0.32, ridgeY + storey * 0.14),
                 QPointF(base.x() - roofW / 2, eaveY - storey * 0.14));
        r.closeSubpath();
        fillPath(p, r, verticalGradient(ridgeY, eaveY, {{0, roof.lighter(130)}, {1, roof}}));
        y = ridgeY;
        roofW *= 0.87;
    }
    // Sorin: the bronze spire with its nine rings.
    const QColor bronze("#6b5a3a");
    p.save();
    p.setPen(QPen(bronze, std::max(1.0, h * 0.012), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(base.x(), y), QPointF(base.x(), y - spire));
    p.setPen(Qt::NoPen);
    p.setBrush(bronze);
    for (int i = 0; i < 9; ++i)
        p.drawEllipse(QPointF(base.x(), y - spire * (0.15 + 0.07 * i)), h * 0.02, h * 0.006);
    p.drawEllipse(QPointF(base.x(), y - spire), h * 0.012, h * 0.012);
    p.restore();
}

void farmhouse(QPainter& p, QPointF base, double w, bool snowy, bool lit) {
    const QColor wood("#4a3626");
    const QColor window = lit ? QColor("#ffcf6e") : QColor("#3b3f4a");
    // Ground floor
    const QRectF wall(base.x() - w * 0.44, base.y() - w * 0.3, w * 0.88, w * 0.3);
    p.fillRect(wall, verticalGradient(wall.top(), wall.bottom(), {{0, wood.darker(120)}, {1, wood}}));
    const QPointF apex(base.x(), base.y() - w * 1.08);
    const QPointF eaveL(base.x() - w * 0.62, base.y() - w * 0.26);
    const QPointF eaveR(base.x() + w * 0.62, base.y() - w * 0.26);
    QPainterPath roof(apex);
    roof.lineTo(eaveR);
    roof.lineTo(eaveR + QPointF(0, w * 0.05));
    roof.lineTo(eaveL + QPointF(0, w * 0.05));
    roof.lineTo(eaveL);
    roof.closeSubpath();
    if (snowy)
        fillPath(p, roof,
                 verticalGradient(apex.y(), eaveL.y(), {{0, QColor("#ffffff")}, {1, QColor("#cfdbeb")}}));
    else
        fillPath(p, roof,
                 verticalGradient(apex.y(), eaveL.y(), {{0, QColor("#9a7a4e")}, {1, QColor("#6d5236")}}));
    // Thatch shows under the snow along the eaves.
    p.fillRect(QRectF(eaveL.x(), eaveL.y() + w * 0.03, eaveR.x() - eaveL.x(), w * 0.03), QColor("#6d5236"));
    // Gable end with its storeys of windows
    QPainterPath gable(QPointF(base.x(), base.y() - w * 0.92));
    gable.lineTo(base.x() + w * 0.4, base.y() - w * 0.3);
    gable.lineTo(base.x() - w * 0.4, base.y() - w * 0.3);
    gable.closeSubpath();
    fillPath(p, gable, wood);
    const double rows[][2] = {{0.36, 0.62}, {0.52, 0.42}, {0.68, 0.22}};  // height above base, width fraction
    for (const auto& row : rows) {
        const double y = base.y() - w * row[0];
        const double half = w * row[1] / 2;
        for (int i = 0; i < 3; ++i) {
            const double cell = half * 2 / 3;
            const QRectF win(base.x() - half + cell * i + cell * 0.15, y - w * 0.08, cell * 0.7, w * 0.07);
            if (lit) glow(p, win.center(), w * 0.12, QColor(255, 190, 90, 70));
            p.fillRect(win, window);
        }
    }
    for (int i = 0; i < 3; ++i) {
        const QRectF win(wall.left() + w * 0.08 + i * w * 0.26, wall.top() + w * 0.07, w * 0.18, w * 0.14);
        if (lit) glow(p, win.center(), w * 0.2, QColor(255, 190, 90, 80));
        p.fillRect(win, window);
        p.setPen(QPen(alpha(wood, 0.8), 0.8));
        p.drawLine(QPointF(win.center().x(), win.top()), QPointF(win.center().x(), win.bottom()));
        p.drawLine(QPointF(win.left(), win.center().y()), QPointF(win.right(), win.center().y()));
    }
}

void flyingBird(QPainter& p, QPointF c, double span, double flap, const QColor& colour) {
    // Two arched wings; flap moves the wing tips up (1) or down (-1).
    const double tipY = -span * 0.18 * flap;
    QPainterPath path(c + QPointF(-span / 2, tipY));
    path.quadTo(c + QPointF(-span * 0.22, -span * 0.22), c + QPointF(0, span * 0.03));
    path.quadTo(c + QPointF(span * 0.22, -span * 0.22), c + QPointF(span / 2, tipY));
    path.quadTo(c + QPointF(span * 0.2, -span * 0.1), c + QPointF(0, span * 0.1));
    path.quadTo(c + QPointF(-span * 0.2, -span * 0.1), c + QPointF(-span / 2, tipY));
    fillPath(p, path, colour);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(c + QPointF(0, span * 0.04), span * 0.06, span * 0.05);
    p.restore();
}

void perchedBird(QPainter& p, QPointF feet, double s, bool facingLeft, const BirdColours& c) {
    p.save();
    p.translate(feet);
    if (facingLeft) p.scale(-1, 1);
    p.setPen(QPen(c.beak.darker(150), std::max(0.8, s * 0.03)));
    p.drawLine(QPointF(-0.04 * s, 0), QPointF(-0.02 * s, -0.14 * s));
    p.drawLine(QPointF(0.06 * s, 0), QPointF(0.05 * s, -0.14 * s));
    // Tail
    QPainterPath tail(QPointF(-0.25 * s, -0.28 * s));
    tail.lineTo(-0.78 * s, 0.02 * s);
    tail.lineTo(-0.7 * s, 0.1 * s);
    tail.lineTo(-0.18 * s, -0.16 * s);
    tail.closeSubpath();
    fillPath(p, tail, c.wing);
    // Body
    QPainterPath body;
    body.addEllipse(QPointF(0, 0), 0.42 * s, 0.26 * s);
    QTransform t;
    t.translate(0.02 * s, -0.33 * s);
    t.rotate(-28);
    body = t.map(body);
    QPainterPath head;
    head.addEllipse(QPointF(0.3 * s, -0.6 * s), 0.2 * s, 0.19 * s);
    body = body.united(head);
    fillPath(p, body, verticalGradient(-0.8 * s, 0, {{0, c.body.lighter(112)}, {1, c.body.darker(110)}}));
    p.save();
    p.setClipPath(body);
    QPainterPath belly;
    belly.addEllipse(QPointF(0.12 * s, -0.16 * s), 0.32 * s, 0.16 * s);
    fillPath(p, belly, c.belly);
    QPainterPath wing;
    wing.addEllipse(QPointF(0, 0), 0.3 * s, 0.13 * s);
    QTransform tw;
    tw.translate(-0.08 * s, -0.38 * s);
    tw.rotate(-22);
    fillPath(p, tw.map(wing), c.wing);
    p.restore();
    QPainterPath beak(QPointF(0.46 * s, -0.67 * s));
    beak.lineTo(0.64 * s, -0.6 * s);
    beak.lineTo(0.46 * s, -0.56 * s);
    beak.closeSubpath();
    fillPath(p, beak, c.beak);
    p.setPen(Qt::NoPen);
    if (c.eyeRing.alpha() > 0) {
        p.setBrush(c.eyeRing);
        p.drawEllipse(QPointF(0.36 * s, -0.64 * s), 0.065 * s, 0.065 * s);
    }
    p.setBrush(QColor("#111111"));
    p.drawEllipse(QPointF(0.36 * s, -0.64 * s), 0.04 * s, 0.04 * s);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QPointF(0.37 * s, -0.655 * s), 0.012 * s, 0.012 * s);
    p.restore();
}

void dragonfly(QPainter& p, QPointF c, double size, double rotation, const QColor& body) {
    p.save();
    p.translate(c);
    p.rotate(rotation);
    p.setPen(QPen(QColor(120, 90, 60, 120), 0.5));
    p.setBrush(QColor(235, 240, 255, 120));
    for (int side : {-1, 1}) {
        p.drawEllipse(QPointF(size * 0.05, side * size * 0.33), size * 0.12, size * 0.32);
        p.drawEllipse(QPointF(size * 0.22, side * size * 0.3), size * 0.1, size * 0.28);
    }
    p.setPen(Qt::NoPen);
    fillPath(p,
             taperedStroke(QPointF(size * 0.25, 0), QPointF(-size * 0.3, 0), QPointF(-size * 0.8, 0),
                           size * 0.1, size * 0.05),
             body);
    p.setBrush(body.darker(115));
    p.drawEllipse(QPointF(size * 0.3, 0), size * 0.09, size * 0.08);
    p.restore();
}

}  // namespace picturegen
