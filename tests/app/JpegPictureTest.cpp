#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "JpegPicture.h"
#include "TempDir.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

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

TEST(JpegPicture, DecodesAndReducesToTwiceTheFrame) {
    testing::TempDir dir;
    dir.write("small.jpg", jpegBytes({100, 80}));
    dir.write("big.jpg", jpegBytes({3000, 2000}));
    const QImage small = ui::loadJpeg(dir.str() + "/small.jpg", {161, 145});
    EXPECT_EQ(small.size(), QSize(100, 80));
    EXPECT_NEAR(qRed(small.pixel(50, 40)), 200, 4);
    const QImage big = ui::loadJpeg(dir.str() + "/big.jpg", {161, 145});
    EXPECT_EQ(big.size(), QSize(322, 290));
    EXPECT_NEAR(qRed(big.pixel(100, 100)), 200, 4);
    EXPECT_NEAR(qGreen(big.pixel(100, 100)), 40, 4);
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

}  // namespace
}  // namespace daywick
