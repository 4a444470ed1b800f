#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "HostileJpeg.h"
#include "JpegDecode.h"
#include "JpegPicture.h"
#include "TempDir.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick {

namespace jpeg {
void PrintTo(JpegRefusal refusal, std::ostream* out) {
    static const char* const names[] = {
        "None",         "Damaged",           "TooManyPixels", "TooMuchCoefficientMemory",
        "TooManyScans", "TooManyScanBlocks", "FileTooLarge",  "OutOfMemory"};
    *out << names[static_cast<int>(refusal)];
}
}  // namespace jpeg

namespace {

using jpeg::JpegCost;
using jpeg::JpegLimits;
using jpeg::JpegRefusal;

std::string jpegBytes(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 40));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes.toStdString();
}

std::string loadError(const std::string& path) {
    try {
        ui::loadJpeg(path, {161, 145});
    } catch (const Error& error) {
        return sjisToUtf8(error.what());
    }
    return "no error";
}

JpegCost decodeCost(const std::string& bytes, const JpegLimits& limits = {}) {
    JpegCost cost;
    const auto picture = jpeg::decodeJpeg(
        {reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, 161, 145, limits, &cost);
    EXPECT_EQ(picture.has_value(), cost.refusal == JpegRefusal::None);
    return cost;
}

TEST(JpegPicture, DecodesAndReducesToTwiceTheFrame) {
    testing::TempDir dir;
    dir.write("small.jpg", jpegBytes({100, 80}));
    dir.write("big.jpg", jpegBytes({3000, 2000}));
    dir.write("progressive.jpg", testing::colourJpeg(2000, 1600, true, 90));
    const QImage small = ui::loadJpeg(dir.str() + "/small.jpg", {161, 145});
    EXPECT_EQ(small.size(), QSize(100, 80));
    EXPECT_NEAR(qRed(small.pixel(50, 40)), 200, 4);
    const QImage big = ui::loadJpeg(dir.str() + "/big.jpg", {161, 145});
    EXPECT_EQ(big.size(), QSize(322, 290));
    EXPECT_NEAR(qRed(big.pixel(100, 100)), 200, 4);
    EXPECT_NEAR(qGreen(big.pixel(100, 100)), 40, 4);
    // Red left half, green bottom half, through every scan of a progressive picture.
    const QImage progressive = ui::loadJpeg(dir.str() + "/progressive.jpg", {161, 145});
    EXPECT_EQ(progressive.size(), QSize(322, 290));
    EXPECT_GT(qRed(progressive.pixel(10, 10)), 180);
    EXPECT_LT(qRed(progressive.pixel(300, 10)), 60);
    EXPECT_GT(qGreen(progressive.pixel(10, 280)), 160);
    // Exactly twice the frame, as the sample pictures are: taken as decoded, each row in its place.
    dir.write("exact.jpg", testing::colourJpeg(322, 290, false, 95));
    const QImage exact = ui::loadJpeg(dir.str() + "/exact.jpg", {161, 145});
    EXPECT_EQ(exact.size(), QSize(322, 290));
    for (const auto& [x, y, red, green] :
         {std::tuple{5, 5, true, false}, std::tuple{316, 5, false, false}, std::tuple{5, 284, true, true},
          std::tuple{316, 284, false, true}}) {
        EXPECT_EQ(qRed(exact.pixel(x, y)) > 128, red) << x << "," << y;
        EXPECT_EQ(qGreen(exact.pixel(x, y)) > 128, green) << x << "," << y;
    }
}

TEST(JpegPicture, BadFilesAreNamedInTheError) {
    testing::TempDir dir;
    const std::string good = jpegBytes({200, 200});
    dir.write("truncated.jpg", good.substr(0, good.size() / 2));
    QImage png(20, 20, QImage::Format_RGB32);
    png.fill(Qt::blue);
    png.save(QString::fromStdString(dir.str() + "/png.jpg"), "PNG");
    dir.write("empty.jpg", "");
    for (const char* name : {"truncated.jpg", "png.jpg", "empty.jpg", "missing.jpg"}) {
        const std::string path = dir.str() + "/" + name;
        EXPECT_EQ(loadError(path), "ファイル " + path + " は開けません") << name;
    }
    EXPECT_EQ(loadError(dir.str()), "ファイル " + dir.str() + " は開けません");  // a directory
}

// The test programs run in C.UTF-8: the path's bytes are UTF-8, and what Shift_JIS cannot hold is a "?".
TEST(JpegPicture, ThePathInTheErrorIsReadInTheLocale) {
    testing::TempDir dir;
    struct Row {
        std::string folder;
        std::string shown;
    };
    for (const Row& row : {Row{"データ", "データ"}, Row{"😀한", "??"}, Row{"bad\xFF", "bad?"}}) {
        std::filesystem::create_directory(dir.path() / row.folder);
        testing::writeFile(dir.path() / row.folder / "image000.jpg", "not a picture");
        EXPECT_EQ(loadError(dir.str() + "/" + row.folder + "/image000.jpg"),
                  "ファイル " + dir.str() + "/" + row.shown + "/image000.jpg は開けません")
            << row.shown;
    }
}

// Each limit refuses its picture before the work it bounds: the header's sizes before any scan, a scan
// before its data.
TEST(JpegDecode, EachLimitRefusesItsPictureBeforeTheWork) {
    const JpegLimits limits;
    struct Row {
        const char* name;
        std::string bytes;
        JpegRefusal refusal;
        int scans;  // scans begun when refused
    };
    const std::string progressive = testing::colourJpeg(400, 400, true);
    // 4000 x 4000 grey is 250,000 blocks, each scan visiting them all.
    const auto scanBlockLimit = static_cast<int>(limits.maxScanBlocks / 250000 + 1);
    const Row rows[] = {
        {"a header declaring 65500 x 65500 progressive", testing::progressiveGreyJpeg(65500, 65500, 0, 600),
         JpegRefusal::TooManyPixels, 0},
        {"30000 x 30000 progressive, whole", testing::progressiveGreyJpeg(30000, 30000),
         JpegRefusal::TooManyPixels, 0},
        {"8000 x 8000 progressive: 128 MB of coefficients", testing::progressiveGreyJpeg(8000, 8000),
         JpegRefusal::TooMuchCoefficientMemory, 0},
        {"5024 x 5024 progressive: just over 48 MB", testing::progressiveGreyJpeg(5024, 5024),
         JpegRefusal::TooMuchCoefficientMemory, 0},
        {"65500 x 65500 baseline", testing::flatBaselineJpeg(65500, 65500), JpegRefusal::TooManyPixels, 0},
        {"16385 x 16384 baseline", testing::flatBaselineJpeg(16385, 16384), JpegRefusal::TooManyPixels, 0},
        {"150 scans of a small picture", testing::manyScanJpeg(64, 64, 150), JpegRefusal::TooManyScans,
         limits.maxScans + 1},
        {"883 empty scans of 4000 x 4000", testing::progressiveGreyJpeg(4000, 4000, 882),
         JpegRefusal::TooManyScanBlocks, scanBlockLimit},
        {"truncated", testing::colourJpeg(400, 400, false).substr(0, 2000), JpegRefusal::Damaged, 1},
        {"cut in the first scan's header", progressive.substr(0, progressive.find("\xFF\xDA") + 4),
         JpegRefusal::Damaged, 0},
    };
    for (const Row& row : rows) {
        const JpegCost cost = decodeCost(row.bytes);
        EXPECT_EQ(cost.refusal, row.refusal) << row.name;
        EXPECT_EQ(cost.scans, row.scans) << row.name;
    }
}

TEST(JpegDecode, PicturesWithinTheLimitsDecode) {
    const JpegLimits limits;
    struct Row {
        const char* name;
        std::string bytes;
        int scans;
    };
    const Row rows[] = {
        {"16384 x 16384 baseline", testing::flatBaselineJpeg(16384, 16384), 1},
        // More blocks than a picture of several scans may visit, but in one scan.
        {"16384 x 16384 colour baseline", testing::flatBaselineJpeg(16384, 16384, 3), 1},
        {"100 scans", testing::manyScanJpeg(64, 64, 100), 100},
        {"the usual ten scans", testing::colourJpeg(1000, 800, true), 10},
    };
    for (const Row& row : rows) {
        const JpegCost cost = decodeCost(row.bytes, limits);
        EXPECT_EQ(cost.refusal, JpegRefusal::None) << row.name;
        EXPECT_EQ(cost.scans, row.scans) << row.name;
        EXPECT_LE(cost.coefficientBytes, limits.maxCoefficientBytes) << row.name;
    }
}

TEST(JpegDecode, CoefficientMemoryIsCountedAsLibjpegAllocatesIt) {
    // 100 x 60 with chroma subsampled 2 x 2: Y is 13 x 8 blocks, rounded up to whole sampling units 14 x 8,
    // and each chroma component 7 x 4; 168 blocks of 128 bytes.
    const std::string bytes = testing::colourJpeg(100, 60, true);
    EXPECT_EQ(decodeCost(bytes).coefficientBytes, 168u * 128);
    JpegLimits limits;
    limits.maxCoefficientBytes = 168 * 128;
    EXPECT_EQ(decodeCost(bytes, limits).refusal, JpegRefusal::None);
    limits.maxCoefficientBytes = 168 * 128 - 1;
    EXPECT_EQ(decodeCost(bytes, limits).refusal, JpegRefusal::TooMuchCoefficientMemory);
    // A picture of one scan needs no such buffer.
    EXPECT_EQ(decodeCost(testing::colourJpeg(100, 60, false), limits).coefficientBytes, 0u);
}

TEST(JpegDecode, LibjpegFailsRatherThanUseATemporaryFile) {
    testing::TempDir tmp;
    setenv("TMPDIR", tmp.str().c_str(), 1);
    // Past the up-front check, libjpeg's own cap is all that is left.
    JpegLimits limits;
    limits.maxCoefficientBytes = ~std::uint64_t{0};
    limits.maxMemory = 1 << 20;
    const JpegCost cost = decodeCost(testing::colourJpeg(1000, 1000, true), limits);
    unsetenv("TMPDIR");
    EXPECT_EQ(cost.refusal, JpegRefusal::OutOfMemory);
    EXPECT_TRUE(std::filesystem::is_empty(tmp.path()));
}

TEST(JpegDecode, TooLargeFileIsRefused) {
    testing::TempDir dir;
    const std::string bytes = testing::colourJpeg(400, 400, false);
    dir.write("picture.jpg", bytes);
    JpegLimits limits;
    limits.maxFileBytes = bytes.size() - 1;
    JpegCost cost;
    EXPECT_FALSE(jpeg::decodeJpegFile(dir.str() + "/picture.jpg", 161, 145, limits, &cost));
    EXPECT_EQ(cost.refusal, JpegRefusal::FileTooLarge);
    EXPECT_EQ(cost.scans, 0);  // refused from its size, before libjpeg read anything
    EXPECT_EQ(decodeCost(bytes, limits).refusal, JpegRefusal::FileTooLarge);
    limits.maxFileBytes = bytes.size();
    EXPECT_TRUE(jpeg::decodeJpegFile(dir.str() + "/picture.jpg", 161, 145, limits, &cost));
}

}  // namespace
}  // namespace daywick
