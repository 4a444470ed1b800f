// The program's icon. One list of shapes is both written out as SVG and
// painted with QPainter, so the scalable icon and the PNG sizes cannot drift apart.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

#include "daywick/icons.h"

namespace picturegen {

inline constexpr int kIconViewBox = 256;
// The PNG sizes, from the list the package installs.
using daywick::kIconSizes;

struct PathOp {
    char op;  // M, L, Q, C or Z, absolute coordinates as in SVG
    std::vector<double> args;
};

struct IconShape {
    enum class Kind { RoundedRect, Circle, Path };
    Kind kind;
    QRectF rect;               // rounded rect, or the circle's bounding square
    double radius = 0;         // corner radius of a rounded rect
    std::vector<PathOp> path;  // for Kind::Path
    QColor fill;               // transparent: no fill
    QColor fillTo;             // valid: linear gradient from `fill` at gradientFrom to `fillTo` at gradientTo
    QPointF gradientFrom, gradientTo;
    QColor stroke;  // transparent: no stroke
    double strokeWidth = 0;
};

const std::vector<IconShape>& iconShapes();
QPainterPath toPainterPath(const std::vector<PathOp>& ops);
QString iconSvg();
void paintIcon(QPainter& p, double size);
QImage renderIcon(int size);  // ARGB, transparent around the page

}  // namespace picturegen
