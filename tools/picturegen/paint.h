// Shared drawing helpers for the seasonal pictures, the splash and the icon.
#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace picturegen {

// Pictures are drawn at twice the size of the 161 x 145 frame that shows them.
inline constexpr int kWidth = 322;
inline constexpr int kHeight = 290;

// SplitMix64. std:: distributions are not guaranteed to give the same numbers
// on every library version, and a rerun must write identical files.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double uniform(double lo, double hi);  // [lo, hi)
    int between(int lo, int hi);           // [lo, hi]
    bool chance(double p) { return uniform(0, 1) < p; }

private:
    std::uint64_t state_;
};

// ---- colour and fills -------------------------------------------------------

using GradientStops = std::initializer_list<std::pair<double, QColor>>;

QColor mix(const QColor& a, const QColor& b, double t);
QColor alpha(const QColor& c, double a);  // same colour, alpha 0..1
QLinearGradient verticalGradient(double top, double bottom, GradientStops stops);
QLinearGradient horizontalGradient(double left, double right, GradientStops stops);
void fillVertical(QPainter& p, const QRectF& r, GradientStops stops);
void fillPath(QPainter& p, const QPainterPath& path, const QBrush& brush);
void glow(QPainter& p, QPointF centre, double radius, const QColor& colour);

// ---- geometry ---------------------------------------------------------------

// Catmull-Rom curve through the points: hills, streams and stems look drawn, not ruled.
QPainterPath smoothThrough(const std::vector<QPointF>& points);
// A quadratic stroke from width w0 to w1: branches, stems, blades.
QPainterPath taperedStroke(QPointF a, QPointF control, QPointF b, double w0, double w1);
QPointF polar(QPointF centre, double radius, double degrees);

struct Puff {
    QPointF centre;
    double radius;
    double tone;  // -1..1, small colour variation
};
QPainterPath puffUnion(const std::vector<Puff>& puffs);
std::vector<Puff> scatterPuffs(const QRectF& ellipse, int count, double minR, double maxR, Rng& rng);
// Shadow, body and highlight passes over the same puffs make a round mass:
// tree crowns, blossom clouds, summer clouds.
void drawPuffs(QPainter& p, const std::vector<Puff>& puffs, const QColor& dark, const QColor& mid,
               const QColor& light, QPointF towardLight = {-0.6, -0.8});

// ---- sky, land and water ----------------------------------------------------

QPainterPath ridge(double baseY, double amplitude, int bumps, Rng& rng, double bottom = kHeight);
void hills(QPainter& p, double baseY, double amplitude, int bumps, const QColor& top, const QColor& bottom,
           Rng& rng);
void sun(QPainter& p, QPointF c, double r, const QColor& core, const QColor& rim, const QColor& halo);
void fullMoon(QPainter& p, QPointF c, double r);
void cloud(QPainter& p, QPointF c, double width, const QColor& light, const QColor& shade);
// A heaped cloud from puffs: one soft body, each bulge lit from the upper left.
void cumulus(QPainter& p, std::vector<Puff> puffs, const QColor& light, const QColor& shade);
void wispCloud(QPainter& p, QPointF c, double width, double height, const QColor& top, const QColor& bottom);
void stars(QPainter& p, const QRectF& area, int count, Rng& rng);
void snowfall(QPainter& p, const QRectF& area, int count, double minR, double maxR, Rng& rng);
void rain(QPainter& p, const QRectF& area, int count, double slant, const QColor& colour, Rng& rng);
void shimmer(QPainter& p, const QRectF& area, int count, const QColor& colour, Rng& rng);
// The sun's (or moon's) road on water, widening towards the viewer.
void sunGlitter(QPainter& p, double x, double horizon, double maxHalfWidth, const QColor& colour, Rng& rng);
void grassBlades(QPainter& p, QPointF base, double height, int count, double spread, const QColor& colour,
                 Rng& rng);
// Gold-leaf folding screen, the backdrop of festive displays.
void goldScreen(QPainter& p, double bottom, int panels);
void mountFuji(QPainter& p, QPointF peak, double halfWidth, double height, const QColor& top,
               const QColor& foot);

// ---- plants -----------------------------------------------------------------

struct BranchStyle {
    QColor bark;
    double shrink = 0.72;  // child length / parent length
    double spread = 30;    // degrees between siblings
    double bend = 0.12;    // sideways curve, fraction of length
    double lean = 0;       // degrees added each level (wind, drooping)
    int children = 2;
};
struct BranchNode {
    QPointF point;
    double angle;
    int depth;  // 0 at the twig tips
};
// Recursive tapered branches; nodes are collected so that blossom and fruit are
// drawn after all the wood, on top of it.
void branch(QPainter& p, QPointF from, double angle, double length, double width, int depth,
            const BranchStyle& style, Rng& rng, std::vector<BranchNode>* nodes);

void fivePetalFlower(QPainter& p, QPointF c, double r, double rotation, const QColor& petal,
                     const QColor& heart, bool notched);
void fallingPetal(QPainter& p, QPointF c, double size, double rotation, const QColor& colour);
void leaf(QPainter& p, QPointF base, double length, double width, double angle, const QColor& colour);
void mapleLeaf(QPainter& p, QPointF c, double r, double rotation, const QColor& colour);
void ginkgoLeaf(QPainter& p, QPointF c, double r, double rotation, const QColor& colour);
void pineClump(QPainter& p, QPointF c, double r, const QColor& dark, const QColor& light, Rng& rng);
void conifer(QPainter& p, QPointF base, double height, const QColor& colour, bool snowy);
void bambooStalk(QPainter& p, double x, double top, double bottom, double width, const QColor& colour,
                 double nodeGap);
// Susuki or reed: a bending stalk whose silky plume hangs the way it leans.
void pampasGrass(QPainter& p, QPointF base, double height, double lean, const QColor& stalk,
                 const QColor& plume, Rng& rng);
void sunflower(QPainter& p, QPointF c, double r, double rotation);

// ---- things -----------------------------------------------------------------

void lantern(QPainter& p, QPointF c, double w, double h, const QColor& body, bool lit);
void torii(QPainter& p, QPointF base, double width, double height, const QColor& vermilion);
void pagoda(QPainter& p, QPointF base, double height, const QColor& wood, const QColor& roof);
// A steep thatched farmhouse, gable end on, as in the snow country.
void farmhouse(QPainter& p, QPointF base, double width, bool snowy, bool lit);
void flyingBird(QPainter& p, QPointF c, double span, double flap, const QColor& colour);
struct BirdColours {
    QColor body, belly, wing, beak, eyeRing;
};
void perchedBird(QPainter& p, QPointF feet, double size, bool facingLeft, const BirdColours& colours);
void dragonfly(QPainter& p, QPointF c, double size, double rotation, const QColor& body);

}  // namespace picturegen
