// A help file too large for the help window and a picture far too large for its frame.

#include <gtest/gtest.h>

#include <functional>

#include "HostileJpeg.h"
#include "JpegPicture.h"
#include "SjisMemo.h"
#include "TempDir.h"
#include "Unit3.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"
#include "daywick/errors.h"
#include "daywick/helptext.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

// What decoding or refusing a picture may add to the memory of the test process (a sanitizer build costs
// more than the decoder's few megabytes).
constexpr long kPictureMemoryKilobytes = 16 * 1024;

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

TEST(HostileFiles, HugePictureIsDecodedScaledDownInSmallMemory) {
    testing::TempDir dir;
    const std::string path = dir.str() + "/huge.jpg";
    dir.write("huge.jpg", testing::colourJpeg(10000, 10000, false, 50));
    // The full picture would need 300 MB.
    EXPECT_TRUE(testing::passesInChildAdding(
        [&] {
            const QImage picture = ui::loadJpeg(path, {161, 145});
            return picture.size() == QSize(322, 290) && qRed(picture.pixel(10, 10)) > 180 &&
                   qRed(picture.pixel(300, 10)) < 60 && qGreen(picture.pixel(10, 280)) > 160;
        },
        kPictureMemoryKilobytes));
}

// Pictures that once took gigabytes or most of a minute: each is refused with the error that names it, in
// little memory. Memory is what the test measures; the time each took is in bench/JpegBench.cpp.
TEST(HostileFiles, HostilePicturesAreRefusedInSmallMemory) {
    testing::TempDir dir;
    // Made one at a time, so that the big ones are never all held at once.
    struct Row {
        const char* name;
        std::function<std::string()> make;
        long kilobytes = kPictureMemoryKilobytes;
    };
    const Row rows[] = {
        // 8.4 GB of coefficients in an 8.4 MB file.
        {"progressive-65500x65500.jpg", [] { return testing::progressiveGreyJpeg(65500, 65500); }},
        {"progressive-30000x30000.jpg", [] { return testing::progressiveGreyJpeg(30000, 30000); }},
        {"progressive-header.jpg", [] { return testing::progressiveGreyJpeg(65500, 65500, 0, 600); }},
        // Few enough pixels, but 128 MB of coefficients.
        {"progressive-8000x8000.jpg", [] { return testing::progressiveGreyJpeg(8000, 8000); }},
        // 883 scans, each visiting all 250,000 blocks, whose 32 MB of coefficients are allowed.
        {"scans-883.jpg", [] { return testing::progressiveGreyJpeg(4000, 4000, 882); },
         kPictureMemoryKilobytes + 32 * 1024},
        {"scans-883-colour.jpg", [] { return testing::manyScanJpeg(1000, 1000, 883); }},
        {"baseline-65500x65500.jpg", [] { return testing::flatBaselineJpeg(65500, 65500); }},
        {"truncated.jpg", [] { return testing::colourJpeg(2000, 2000, false).substr(0, 20000); }},
    };
    for (const Row& row : rows) {
        const std::string path = dir.str() + "/" + row.name;
        dir.write(row.name, row.make());
        EXPECT_TRUE(testing::passesInChildAdding(
            [&] {
                try {
                    ui::loadJpeg(path, {161, 145});
                } catch (const Error& error) {
                    return error.what() == sjis("ファイル ") + path + sjis(" は開けません");
                }
                return false;
            },
            row.kilobytes))
            << row.name;
    }
}

// The sanitizer's redzones and quarantine add to what the decoding takes: its bound is the looser one there.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kLargestPictureKilobytes = 100 * 1024;
#else
constexpr long kLargestPictureKilobytes = 56 * 1024;
#endif

TEST(HostileFiles, LargestProgressivePictureAllowedDecodesInItsBound) {
    testing::TempDir dir;
    const std::string path = dir.str() + "/large.jpg";
    // 5016 x 5016 grey: 48 MB of coefficients, the most allowed.
    dir.write("large.jpg", testing::progressiveGreyJpeg(5016, 5016, 8));
    EXPECT_TRUE(testing::passesInChildAdding(
        [&] {
            return ui::loadJpeg(path, {161, 145}).size() == QSize(322, 290);
        },
        kLargestPictureKilobytes));
}

}  // namespace
}  // namespace daywick
