#include "icon.h"

#include <QLinearGradient>
#include <QPainter>

#include <stdexcept>

namespace picturegen {

namespace {

// A calendar page with binder rings, an indigo header, a red sun and a turned-up corner.
std::vector<PathOp> pageOutline(double dx, double dy) {
    auto at = [&](double x, double y) { return std::vector<double>{x + dx, y + dy}; };
    auto q = [&](double cx, double cy, double x, double y) {
        return std::vector<double>{cx + dx, cy + dy, x + dx, y + dy};
    };
    return {{'M', at(48, 44)},        {'L', at(208, 44)}, {'Q', q(228, 44, 228, 64)}, {'L', at(228, 190)},
            {'L', at(182, 236)},      {'L', at(48, 236)}, {'Q', q(28, 236, 28, 216)}, {'L', at(28, 64)},
            {'Q', q(28, 44, 48, 44)}, {'Z', {}}};
}

std::vector<IconShape> buildShapes() {
    using K = IconShape::Kind;
    const QColor none(0, 0, 0, 0);
    const QColor line("#6f6758");
    std::vector<IconShape> s;
    s.push_back({K::Path, {}, 0, pageOutline(6, 8), QColor(0, 0, 0, 56), QColor(), {}, {}, none, 0});
    s.push_back({K::Path,
                 {},
                 0,
                 pageOutline(0, 0),
                 QColor("#ffffff"),
                 QColor("#efe8d8"),
                 {0, 96},
                 {0, 236},
                 none,
                 0});
    s.push_back({K::Path,
                 {},
                 0,
                 {{'M', {48, 44}},
                  {'L', {208, 44}},
                  {'Q', {228, 44, 228, 64}},
                  {'L', {228, 98}},
                  {'L', {28, 98}},
                  {'L', {28, 64}},
                  {'Q', {28, 44, 48, 44}},
                  {'Z', {}}},
                 QColor("#3a5ba8"),
                 QColor("#243f7c"),
                 {0, 44},
                 {0, 98},
                 none,
                 0});
    s.push_back({K::Circle,
                 {82, 118, 92, 92},
                 0,
                 {},
                 QColor("#f0555a"),
                 QColor("#c41e34"),
                 {96, 124},
                 {160, 206},
                 none,
                 0});
    s.push_back({K::Path,
                 {},
                 0,
                 {{'M', {228, 190}}, {'L', {182, 236}}, {'L', {188, 196}}, {'Z', {}}},
                 QColor("#d8ccb2"),
                 QColor(),
                 {},
                 {},
                 line,
                 4});
    s.push_back({K::Path, {}, 0, pageOutline(0, 0), none, QColor(), {}, {}, line, 6});
    for (double x : {70.0, 168.0})
        s.push_back({K::RoundedRect,
                     {x, 24, 18, 42},
                     9,
                     {},
                     QColor("#f4f1ea"),
                     QColor(),
                     {},
                     {},
                     QColor("#4a463f"),
                     5});
    return s;
}

QString colourAttr(const char* name, const QColor& c) {
    QString out = QStringLiteral(" %1=\"%2\"").arg(QLatin1String(name), c.name(QColor::HexRgb));
    if (c.alpha() < 255)
        out += QStringLiteral(" %1-opacity=\"%2\"").arg(QLatin1String(name)).arg(c.alphaF(), 0, 'g', 3);
    return out;
}

QString num(double v) {
    return QString::number(v, 'g', 6);
}

}  // namespace

const std::vector<IconShape>& iconShapes() {
    static const std::vector<IconShape> shapes = buildShapes();
    return shapes;
}

QPainterPath toPainterPath(const std::vector<PathOp>& ops) {
    QPainterPath path;
    for (const PathOp& o : ops) {
        const auto& a = o.args;
        switch (o.op) {
            case 'M':
                path.moveTo(a.at(0), a.at(1));
                break;
            case 'L':
                path.lineTo(a.at(0), a.at(1));
                break;
            case 'Q':
                path.quadTo(a.at(0), a.at(1), a.at(2), a.at(3));
                break;
            case 'C':
                path.cubicTo(a.at(0), a.at(1), a.at(2), a.at(3), a.at(4), a.at(5));
                break;
            case 'Z':
                path.closeSubpath();
                break;
            default:
                throw std::invalid_argument("unknown path operation");
        }
    }
    return path;
}

QString iconSvg() {
    QString defs, body;
    int gradients = 0;
    for (const IconShape& s : iconShapes()) {
        QString fill = QStringLiteral(" fill=\"none\"");
        if (s.fill.alpha() > 0 && s.fillTo.isValid()) {
            const QString id = QStringLiteral("g%1").arg(++gradients);
            defs += QStringLiteral(
                        "    <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" "
                        "x2=\"%4\" y2=\"%5\">\n"
                        "      <stop offset=\"0\" stop-color=\"%6\"/>\n      <stop offset=\"1\" "
                        "stop-color=\"%7\"/>\n"
                        "    </linearGradient>\n")
                        .arg(id, num(s.gradientFrom.x()), num(s.gradientFrom.y()), num(s.gradientTo.x()),
                             num(s.gradientTo.y()), s.fill.name(), s.fillTo.name());
            fill = QStringLiteral(" fill=\"url(#%1)\"").arg(id);
        } else if (s.fill.alpha() > 0) {
            fill = colourAttr("fill", s.fill);
        }
        QString stroke;
        if (s.stroke.alpha() > 0 && s.strokeWidth > 0)
            stroke = colourAttr("stroke", s.stroke) +
                     QStringLiteral(" stroke-width=\"%1\" stroke-linejoin=\"round\"").arg(num(s.strokeWidth));
        switch (s.kind) {
            case IconShape::Kind::RoundedRect:
                body +=
                    QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" rx=\"%5\"%6%7/>\n")
                        .arg(num(s.rect.x()), num(s.rect.y()), num(s.rect.width()), num(s.rect.height()),
                             num(s.radius), fill, stroke);
                break;
            case IconShape::Kind::Circle:
                body += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\"%4%5/>\n")
                            .arg(num(s.rect.center().x()), num(s.rect.center().y()), num(s.rect.width() / 2),
                                 fill, stroke);
                break;
            case IconShape::Kind::Path: {
                QStringList d;
                for (const PathOp& o : s.path) {
                    QString part(QChar::fromLatin1(o.op));
                    for (double v : o.args) part += QLatin1Char(' ') + num(v);
                    d << part;
                }
                body +=
                    QStringLiteral("  <path d=\"%1\"%2%3/>\n").arg(d.join(QLatin1Char(' ')), fill, stroke);
                break;
            }
        }
    }
    QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n")
            .arg(kIconViewBox);
    if (!defs.isEmpty()) svg += QStringLiteral("  <defs>\n") + defs + QStringLiteral("  </defs>\n");
    return svg + body + QStringLiteral("</svg>\n");
}

void paintIcon(QPainter& p, double size) {
    p.save();
    p.scale(size / kIconViewBox, size / kIconViewBox);
    for (const IconShape& s : iconShapes()) {
        if (s.fill.alpha() > 0 && s.fillTo.isValid()) {
            QLinearGradient g(s.gradientFrom, s.gradientTo);
            g.setColorAt(0, s.fill);
            g.setColorAt(1, s.fillTo);
            p.setBrush(g);
        } else if (s.fill.alpha() > 0) {
            p.setBrush(s.fill);
        } else {
            p.setBrush(Qt::NoBrush);
        }
        if (s.stroke.alpha() > 0 && s.strokeWidth > 0)
            p.setPen(QPen(s.stroke, s.strokeWidth, Qt::SolidLine, Qt::FlatCap,
                          Qt::RoundJoin));  // as SVG: butt caps, round joins
        else
            p.setPen(Qt::NoPen);
        switch (s.kind) {
            case IconShape::Kind::RoundedRect:
                p.drawRoundedRect(s.rect, s.radius, s.radius);
                break;
            case IconShape::Kind::Circle:
                p.drawEllipse(s.rect);
                break;
            case IconShape::Kind::Path:
                p.drawPath(toPainterPath(s.path));
                break;
        }
    }
    p.restore();
}

QImage renderIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintIcon(p, size);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace picturegen
