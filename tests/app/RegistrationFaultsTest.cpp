// A full disk and a file made read-only between two clicks of "登録", on a real filesystem: the message in
// the error box, the file exactly as it was, the boxes kept, and the next click after the fault is mended
// works.

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstring>
#include <fstream>

#include "TempDir.h"
#include "Unit4.h"
#include "WidgetTestSupport.h"
#include "daywick/datafile.h"

namespace daywick {
namespace {

using testing::S;

// A small filesystem of its own in a temporary directory, unmounted at the end.
class TinyFilesystem {
public:
    TinyFilesystem() {
        mounted_ = ::mount("tmpfs", dir_.str().c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
    }
    ~TinyFilesystem() {
        if (mounted_) ::umount2(dir_.str().c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    const testing::TempDir& dir() const { return dir_; }
    bool remount(unsigned long flags) {
        return ::mount("tmpfs", dir_.str().c_str(), "tmpfs", MS_REMOUNT | flags, "size=64k") == 0;
    }

private:
    testing::TempDir dir_;
    bool mounted_ = false;
};

TEST(RegistrationFaults, FullDiskAndReadOnlyFileBetweenTwoClicksChangeNothing) {
    if (geteuid() != 0)
        GTEST_SKIP()
            << "needs root, to mount a small filesystem and fill it (./daywick.sh test runs it as root)";
    TinyFilesystem filesystem;
    ASSERT_TRUE(filesystem.mounted()) << "could not mount a tmpfs: " << std::strerror(errno);
    const testing::TempDir& dir = filesystem.dir();

    // Exactly one page of records, so that the next byte needs a page the disk no longer has.
    std::string before;
    while (before.size() < 4096 - 40) before += S("01011950年山田花子") + "\r\n";
    before += S("01021950年") + std::string(4096 - before.size() - 12, 'x') + "\r\n";
    ASSERT_EQ(before.size(), 4096u);
    dir.write(kBirthdayFile, before);
    {
        // Fill the rest of the disk.
        std::ofstream filler(dir.path() / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) filler.flush();
    }

    testing::TestServices services(dir.path(), {{2026, 12, 8}, 10, 0, 0});
    TForm4 form(services.services());
    form.showWindow();
    auto type = [&] {
        form.Edit1->setText("S40");
        form.Edit2->setText("12");
        form.Edit3->setText("8");
        form.Edit4->setText("高橋三郎");
    };
    auto clickRegister = [&] {
        testing::ModalAnswerer answerer;
        QTest::mouseClick(form.Button1, Qt::LeftButton);
        testing::settle();
        return answerer.seen();
    };
    auto boxes = [&] {
        return QStringList{form.Edit1->text(), form.Edit2->text(), form.Edit3->text(), form.Edit4->text()};
    };
    const QStringList typed{"S40", "12", "8", "高橋三郎"};

    type();
    auto seen = clickRegister();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.front().text, "ディスクがいっぱいです.");
    EXPECT_EQ(seen.front().detail.toStdString(), (dir.path() / kBirthdayFile).string());  // which disk
    EXPECT_EQ(seen.front().icon, QMessageBox::Critical);
    EXPECT_EQ(dir.read(kBirthdayFile), before);
    EXPECT_EQ(boxes(), typed);

    // Room again, but the filesystem now read-only (root writes to a read-only file, not to a read-only
    // disk).
    std::filesystem::remove(dir.path() / "filler");
    ASSERT_TRUE(filesystem.remount(MS_RDONLY)) << std::strerror(errno);
    seen = clickRegister();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.front().text, "ファイルへのアクセスが拒否されました.");
    EXPECT_EQ(dir.read(kBirthdayFile), before);
    EXPECT_EQ(boxes(), typed);

    // Writable again: the entry the user kept goes in.
    ASSERT_TRUE(filesystem.remount(0)) << std::strerror(errno);
    EXPECT_TRUE(clickRegister().empty());
    EXPECT_EQ(dir.read(kBirthdayFile), before + S("12081965年高橋三郎") + "\r\n");
    EXPECT_EQ(boxes(), QStringList({"", "", "", ""}));
}

}  // namespace
}  // namespace daywick
