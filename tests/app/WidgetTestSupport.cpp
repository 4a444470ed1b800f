#include "WidgetTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QTimer>

#include "SplashWin.h"
#include "TempDir.h"
#include "daywick/datafile.h"
#include "daywick/pictures.h"

namespace daywick::testing {

ModalAnswerer::ModalAnswerer(QString button) : button_(std::move(button)), timer_(new QTimer) {
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        SeenBox seen{box->windowTitle(), box->text(), box->icon(), {}, box->informativeText(), box->width()};
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* candidate : box->buttons()) {
            seen.buttons << candidate->text();
            if (!chosen || (!button_.isEmpty() && candidate->text() == button_)) chosen = candidate;
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (dynamic_cast<TForm5*>(window) && window->isVisible()) splashSeen_ = true;
        }
        seen_.push_back(seen);
        chosen->click();
    });
    timer_->start(5);
}

ModalAnswerer::~ModalAnswerer() {
    delete timer_;
}

TestServices::TestServices(const std::filesystem::path& dir, LocalDateTime now, int pictureNumber)
    : dataDir(dir.string()), clock(now), picture(pictureNumber) {}

ui::Services TestServices::services() {
    return {&clock, [this] { ++beeps; }, [this] { return picture; }, dataDir};
}

void writeSampleDirectory(const std::filesystem::path& dir) {
    auto write = [&](const char* name, const std::string& bytes) { writeFile(dir / name, bytes); };
    write(kEventFile, crlfLines({S("0110     成人式の準備"), S("0111     鏡開き")}));
    write(kMonthlyFile, crlfLines({"10     M"}));
    write(kBirthdayFile, crlfLines({S("01101950年山田花子"), S("01111960年鈴木一郎")}));
    write(kFlowerFile, crlfLines({S("0110スイセン"), S("0111ロウバイ")}));
    write(kHistoryFile, crlfLines({S("1868/01/10  出来事"), S("1900/01/11  別の出来事")}));
    write(kHelpFile, crlfLines({S("ヘルプ一行目"), S("二行目")}));
    std::filesystem::create_directories(dir / "Picture");
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(QColor(30, 120, 200));
    for (int n = 0; n < kPictureCount; ++n) {
        picture.save(QString::fromStdString(picturePath(dir.string(), n)), "JPEG");
    }
}

void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

}  // namespace daywick::testing
