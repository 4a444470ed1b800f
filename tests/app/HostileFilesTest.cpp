// A help file too large for the help window and a picture far too large for its frame.

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "JpegPicture.h"
#include "SjisMemo.h"
#include "TempDir.h"
#include "Unit3.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"
#include "daywick/helptext.h"

namespace daywick {
namespace {

TEST(HostileFiles, HelpFileTooLargeKeepsTheLinesReadBeforeAndSaysSo) {
    testing::TempDir dir;
    testing::TestServices services(dir.path(), {{2001, 1, 1}, 0, 0, 0});
    const std::string line = std::string(598, 'x') + "\r\n";
    std::string readme;
    while (readme.size() <= kHelpTextCapacity + line.size()) readme += line;
    dir.write(kHelpFile, readme);

    testing::ModalAnswerer answerer;
    TForm3 help(services.services());
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen().front().text, "文字列の大きさが メモ の制限を越えました.");
    const std::string& shown = help.Memo1->bytes();
    EXPECT_EQ(shown.size(), kHelpTextCapacity / line.size() * line.size());
    EXPECT_EQ(shown.substr(0, line.size()), line);
}

// A huge picture written row by row, so that the test itself stays small.
void writeHugeJpeg(const std::string& path, unsigned width, unsigned height) {
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(out);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 50, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t{width} * 3);
    while (info.next_scanline < height) {
        const unsigned y = info.next_scanline;
        for (unsigned x = 0; x < width; ++x) {
            row[x * 3] = static_cast<unsigned char>(x < width / 2 ? 220 : 20);  // red left half, dark right
            row[x * 3 + 1] = static_cast<unsigned char>(y < height / 2 ? 30 : 200);
            row[x * 3 + 2] = 40;
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

TEST(HostileFiles, HugePictureIsDecodedScaledDownInSmallMemory) {
    testing::TempDir dir;
    const std::string path = dir.str() + "/huge.jpg";
    writeHugeJpeg(path, 10000, 10000);
    // The full picture would need 300 MB; the decoder must stay far below (a sanitizer build costs more).
    EXPECT_TRUE(testing::passesInChild(
        [&] {
            const QImage picture = ui::loadJpeg(path, {161, 145});
            return picture.size() == QSize(322, 290) && qRed(picture.pixel(10, 10)) > 180 &&
                   qRed(picture.pixel(300, 10)) < 60 && qGreen(picture.pixel(10, 280)) > 160;
        },
        200 * 1024));
}

}  // namespace
}  // namespace daywick
