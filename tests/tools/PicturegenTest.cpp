#include "daywick/pictures.h"
#include "icon.h"
#include "jpeg.h"
#include "paint.h"
#include "scenes.h"
#include "splash.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <set>
#include <string>

#include <jpeglib.h>

using namespace picturegen;

namespace {

struct Stats {
    double mean = 0, stddev = 0;
};

Stats luminance(const QImage& image, const QRect& area) {
    double sum = 0, sumSq = 0;
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            const double l = 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
            sum += l;
            sumSq += l * l;
            ++n;
        }
    const double mean = sum / n;
    return {mean, std::sqrt(std::max(0.0, sumSq / n - mean * mean))};
}

double meanAbsDifference(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    double total = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb p = x.pixel(i, j), q = y.pixel(i, j);
            total += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                     std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
        }
    return total / (4.0 * x.width() * x.height());
}

struct DecodedJpeg {
    int width = 0, height = 0, components = 0;
    bool progressive = true;
    QImage image;
};

DecodedJpeg decodeJpeg(const QByteArray& bytes) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&cinfo, TRUE);
    DecodedJpeg out;
    out.progressive = cinfo.progressive_mode;
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = int(cinfo.output_width);
    out.height = int(cinfo.output_height);
    out.components = cinfo.num_components;
    out.image = QImage(out.width, out.height, QImage::Format_RGB888);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

bool hasMarker(const QByteArray& bytes, unsigned char marker) {
    return bytes.contains(QByteArray("\xFF", 1) + char(marker));
}

QImage noise(int w, int h, std::uint64_t seed) {
    Rng rng(seed);
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(rng.between(0, 255), rng.between(0, 255), rng.between(0, 255)));
    return image;
}

const QDir kRoot(QStringLiteral(DAYWICK_SOURCE_ROOT));

}  // namespace

TEST(Rng, SameSeedSameSequenceAndRangesHold) {
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        const double u = a.uniform(-2, 3);
        EXPECT_EQ(u, b.uniform(-2, 3));
        EXPECT_GE(u, -2);
        EXPECT_LT(u, 3);
        const int k = a.between(4, 6);
        EXPECT_EQ(k, b.between(4, 6));
        EXPECT_TRUE(k >= 4 && k <= 6);
        differs |= c.uniform(-2, 3) != u;
    }
    EXPECT_TRUE(differs);
}

TEST(Colour, MixEndsAndMiddleAndAlphaClamps) {
    const QColor a(0, 100, 200), b(200, 100, 0);
    EXPECT_EQ(mix(a, b, 0).rgb(), a.rgb());
    EXPECT_EQ(mix(a, b, 1).rgb(), b.rgb());
    EXPECT_NEAR(mix(a, b, 0.5).red(), 100, 1);
    EXPECT_NEAR(mix(a, b, 0.5).blue(), 100, 1);
    EXPECT_EQ(alpha(a, 1.7).alpha(), 255);
    EXPECT_EQ(alpha(a, -1).alpha(), 0);
    EXPECT_EQ(alpha(a, 0.5).rgb(), a.rgb());
}

TEST(Geometry, SmoothCurvePassesThroughEveryPoint) {
    EXPECT_TRUE(smoothThrough({}).isEmpty());
    const std::vector<QPointF> pts = {{0, 0}, {40, -20}, {90, 10}, {130, -5}};
    const QPainterPath path = smoothThrough(pts);
    // A move, then one cubic (control, control, end) per segment.
    ASSERT_EQ(path.elementCount(), int(1 + 3 * (pts.size() - 1)));
    for (size_t i = 0; i < pts.size(); ++i) EXPECT_EQ(QPointF(path.elementAt(int(3 * i))), pts[i]);
}

TEST(Geometry, TaperedStrokeHasItsWidthAtBothEnds) {
    const QPainterPath s = taperedStroke({0, 0}, {50, 0}, {100, 0}, 10, 2);
    EXPECT_TRUE(s.contains(QPointF(1, 4.5)));
    EXPECT_FALSE(s.contains(QPointF(1, 5.6)));
    EXPECT_TRUE(s.contains(QPointF(99, 0.8)));
    EXPECT_FALSE(s.contains(QPointF(99, 1.5)));
    // A degenerate stroke (all points equal) must not produce NaNs.
    const QRectF dot = taperedStroke({5, 5}, {5, 5}, {5, 5}, 4, 4).boundingRect();
    EXPECT_TRUE(std::isfinite(dot.width()) && std::isfinite(dot.height()));
}

TEST(Geometry, RidgeSpansTheWidthWithinItsAmplitude) {
    Rng rng(3);
    const QRectF b = ridge(150, 40, 5, rng).boundingRect();
    EXPECT_LE(b.left(), 0);
    EXPECT_GE(b.right(), kWidth);
    EXPECT_EQ(b.bottom(), kHeight);
    EXPECT_GE(b.top(), 150 - 40 - 8);  // a smooth curve may overshoot its points a little
    EXPECT_LE(b.top(), 150);
}

TEST(Geometry, PuffsStayInTheirEllipseAndTheUnionCoversThem) {
    Rng rng(11);
    const QRectF area(20, 30, 120, 60);
    const std::vector<Puff> puffs = scatterPuffs(area, 40, 4, 9, rng);
    ASSERT_EQ(puffs.size(), 40u);
    const QPainterPath all = puffUnion(puffs);
    for (const Puff& f : puffs) {
        const QPointF d = f.centre - area.center();
        EXPECT_LE(std::pow(d.x() / (area.width() / 2), 2) + std::pow(d.y() / (area.height() / 2), 2),
                  1.0 + 1e-9);
        EXPECT_TRUE(f.radius >= 4 && f.radius < 9);
        EXPECT_TRUE(all.contains(f.centre));
    }
}

TEST(Geometry, BranchReachesTipsWithinItsLength) {
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    Rng rng(5);
    std::vector<BranchNode> nodes;
    const BranchStyle style{QColor("#000000"), 0.7, 40, 0.1, 0, 2};
    branch(p, {100, 190}, -90, 50, 8, 3, style, rng, &nodes);
    p.end();
    int tips = 0;
    for (const BranchNode& n : nodes) {
        EXPECT_TRUE(n.depth >= 0 && n.depth <= 3);
        tips += n.depth == 0;
        // Total reach is at most 50 * (1 + 0.77 + 0.77^2 + 0.77^3) plus the bend.
        EXPECT_LT(std::hypot(n.point.x() - 100, n.point.y() - 190), 50 * 3.2);
    }
    EXPECT_GE(tips, 2 * 8);                            // mid and end node of at least 8 twigs
    EXPECT_EQ(canvas.pixel(100, 170), qRgb(0, 0, 0));  // the trunk was painted
}

TEST(Scenes, OneForEachPictureWithDistinctIds) {
    const auto all = scenes();
    ASSERT_EQ(all.size(), std::size(daywick::kPictureFiles));
    std::set<std::string> ids, themes;
    for (const Scene& s : all) {
        ids.insert(s.id);
        themes.insert(s.theme);
        EXPECT_NE(s.paint, nullptr);
    }
    EXPECT_EQ(ids.size(), all.size());
    EXPECT_EQ(themes.size(), all.size());
    EXPECT_THROW(renderScene(all.size()), std::out_of_range);
}

// Every scene draws a real picture, and draws the same one each time.
TEST(Scenes, EachRendersAVariedDeterministicPicture) {
    for (std::size_t i = 0; i < scenes().size(); ++i) {
        SCOPED_TRACE(scenes()[i].id);
        const QImage first = renderScene(i);
        ASSERT_EQ(first.size(), QSize(kWidth, kHeight));
        EXPECT_GT(luminance(first, first.rect()).stddev, 12.0);
        std::set<QRgb> colours;
        for (int y = 0; y < first.height(); y += 3)
            for (int x = 0; x < first.width(); x += 3) colours.insert(first.pixel(x, y));
        EXPECT_GT(colours.size(), 300u);
        EXPECT_EQ(first, renderScene(i));
    }
}

TEST(Jpeg, BaselineThreeComponentsFaithful) {
    const QImage original = renderScene(0);
    const QByteArray bytes = encodeJpeg(original, 92);
    EXPECT_TRUE(bytes.startsWith("\xFF\xD8"));
    EXPECT_TRUE(hasMarker(bytes, 0xC0));   // SOF0: baseline
    EXPECT_FALSE(hasMarker(bytes, 0xC2));  // SOF2: progressive
    const DecodedJpeg decoded = decodeJpeg(bytes);
    EXPECT_FALSE(decoded.progressive);
    EXPECT_EQ(decoded.components, 3);
    EXPECT_EQ(decoded.width, kWidth);
    EXPECT_EQ(decoded.height, kHeight);
    EXPECT_LT(meanAbsDifference(original, decoded.image), 3.0);
    EXPECT_THROW(encodeJpeg(QImage(), 90), std::runtime_error);
}

TEST(Jpeg, BudgetLowersQualityOnlyAsFarAsNeeded) {
    const QImage busy = noise(160, 120, 7);
    const std::size_t atTop = std::size_t(encodeJpeg(busy, 92).size());
    const BudgetedJpeg fitted = encodeJpegWithin(busy, atTop - 1, 92, 60);
    EXPECT_LE(std::size_t(fitted.bytes.size()), atTop - 1);
    EXPECT_EQ(fitted.quality, 90);  // the first step down already fits
    const BudgetedJpeg roomy = encodeJpegWithin(busy, atTop, 92, 60);
    EXPECT_EQ(roomy.quality, 92);
    EXPECT_THROW(encodeJpegWithin(busy, 500, 92, 60), std::runtime_error);
}

TEST(Icon, SvgListsEveryShapeAndParses) {
    const QString svg = iconSvg();
    QXmlStreamReader xml(svg);
    int drawn = 0, gradients = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const auto name = xml.name();
        if (name == QLatin1String("svg")) {
            EXPECT_EQ(xml.attributes().value("viewBox"), QLatin1String("0 0 256 256"));
        }
        if (name == QLatin1String("rect") || name == QLatin1String("circle") || name == QLatin1String("path"))
            ++drawn;
        if (name == QLatin1String("linearGradient")) ++gradients;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(drawn, int(iconShapes().size()));
    int expectedGradients = 0;
    for (const IconShape& s : iconShapes()) expectedGradients += s.fillTo.isValid() && s.fill.alpha() > 0;
    EXPECT_EQ(gradients, expectedGradients);
    EXPECT_THROW(toPainterPath({{'X', {}}}), std::invalid_argument);
}

// The small sizes are the same drawing as the large one, not a separate design.
TEST(Icon, SizesAgreeAndCornersAreTransparent) {
    const QImage big = renderIcon(256);
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon = renderIcon(size);
        ASSERT_EQ(icon.size(), QSize(size, size));
        EXPECT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, size - 1)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size * 5 / 8)), 255);
        const QImage shrunk = big.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanAbsDifference(icon, shrunk), 14.0);
    }
}

TEST(Splash, LabelPlacesAreCalmAndTheTitleIsDrawn) {
    const QImage splash = renderSplash();
    ASSERT_EQ(splash.size(), QSize(kSplashWidth, kSplashHeight));
    EXPECT_FALSE(splash.hasAlphaChannel());
    for (const QRect& area : {kLoadingLabelArea, kVersionLabelArea}) {
        const Stats s = luminance(splash, area);
        EXPECT_GT(s.mean, 200.0);  // black label text stays readable
        EXPECT_LT(s.stddev, 8.0);
    }
    // The title row holds dark lettering.
    EXPECT_LT(luminance(splash, QRect(122, 70, 200, 55)).mean, 225.0);
    EXPECT_GT(luminance(splash, QRect(122, 70, 200, 55)).stddev, 40.0);
}

// The committed output must meet what the program expects of it.
TEST(CommittedFiles, PicturesAreSmallBaselineAndComplete) {
    const QDir pictures(kRoot.filePath(QStringLiteral("data/Picture")));
    const QStringList files = pictures.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), daywick::kPictureCount);
    for (int i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].toStdString());
        EXPECT_EQ(QStringLiteral("Picture/") + files[i], daywick::kPictureFiles[i]);
        QFile f(pictures.filePath(files[i]));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        EXPECT_LT(bytes.size(), 40000);
        const DecodedJpeg d = decodeJpeg(bytes);
        EXPECT_FALSE(d.progressive);
        EXPECT_EQ(d.components, 3);
        EXPECT_EQ(QSize(d.width, d.height), QSize(kWidth, kHeight));
    }
}

// A drawing changed without running the generator, or a generator changed without committing what it draws,
// shows here. The pictures' encoder (libjpeg-turbo) writes the same bytes for the same pixels and settings;
// the splash's and the icon's PNGs are compared by their pixels, as another zlib may pack them otherwise.
TEST(CommittedFiles, AreWhatTheGeneratorDrawsNow) {
    for (std::size_t i = 0; i < scenes().size(); ++i) {
        SCOPED_TRACE(daywick::kPictureFiles[i]);
        QFile committed(kRoot.filePath(QStringLiteral("data/") + daywick::kPictureFiles[i]));
        ASSERT_TRUE(committed.open(QIODevice::ReadOnly));
        EXPECT_TRUE(committed.readAll() == sceneJpeg(i).bytes)
            << "run daywick-picturegen and commit its output";
    }
    const auto samePixels = [](const QImage& committed, const QImage& drawn) {
        return committed.size() == drawn.size() && committed.convertToFormat(QImage::Format_ARGB32) ==
                                                       drawn.convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_TRUE(samePixels(QImage(kRoot.filePath(QStringLiteral("resources/splash.png"))), renderSplash()));
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(samePixels(
            QImage(
                kRoot.filePath(QStringLiteral("resources/icons/hicolor/%1x%1/apps/daywick.png").arg(size))),
            renderIcon(size)));
    }
    QFile svg(kRoot.filePath(QStringLiteral("resources/icons/daywick.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(svg.readAll()), iconSvg());
}

TEST(CommittedFiles, SplashIsRgbPngAndIconsExist) {
    QFile splash(kRoot.filePath(QStringLiteral("resources/splash.png")));
    ASSERT_TRUE(splash.open(QIODevice::ReadOnly));
    const QByteArray head = splash.read(26);
    ASSERT_EQ(head.size(), 26);
    EXPECT_TRUE(head.startsWith("\x89PNG"));
    const auto u32 = [&](int at) {
        return (uchar(head[at]) << 24) | (uchar(head[at + 1]) << 16) | (uchar(head[at + 2]) << 8) |
               uchar(head[at + 3]);
    };
    EXPECT_EQ(u32(16), kSplashWidth);
    EXPECT_EQ(u32(20), kSplashHeight);
    EXPECT_EQ(int(head[24]), 8);  // bits per channel
    EXPECT_EQ(int(head[25]), 2);  // colour type 2: RGB, no alpha
    EXPECT_TRUE(QFile::exists(kRoot.filePath(QStringLiteral("resources/icons/daywick.svg"))));
    for (int size : kIconSizes) {
        const QImage icon(
            kRoot.filePath(QStringLiteral("resources/icons/hicolor/%1x%1/apps/daywick.png").arg(size)));
        EXPECT_EQ(icon.size(), QSize(size, size)) << size;
    }
}

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);  // the splash needs fonts
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
