// daywick-picturegen: draws the seasonal pictures, the splash and the icon.
//
//   daywick-picturegen <repository root>
//
// writes the pictures (data/Picture/image000.jpg ...), resources/splash.png,
// resources/icons/daywick.svg and resources/icons/hicolor/<N>x<N>/apps/daywick.png.
// Everything is drawn from fixed seeds, so a rerun writes the same files; a
// test holds the committed ones to that.

#include "daywick/pictures.h"
#include "icon.h"
#include "jpeg.h"
#include "scenes.h"
#include "splash.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <exception>
#include <stdexcept>

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writePng(const QString& path, const QImage& image) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    // Nothing is shown on screen; fonts still need a GUI application.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <repository root>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    try {
        using namespace picturegen;
        const auto all = scenes();
        if (all.size() != std::size(daywick::kPictureFiles))
            throw std::runtime_error("the scenes are not as many as the program's pictures");
        for (std::size_t i = 0; i < all.size(); ++i) {
            const BudgetedJpeg jpeg = sceneJpeg(i);
            const QString name = QString::fromLatin1(daywick::kPictureFiles[i]);
            writeFile(root.filePath(QStringLiteral("data/") + name), jpeg.bytes);
            std::printf("%s  %6lld bytes  q%d  %s\n", qPrintable(name),
                        static_cast<long long>(jpeg.bytes.size()), jpeg.quality, all[i].theme);
        }
        writePng(root.filePath(QStringLiteral("resources/splash.png")), renderSplash());
        std::printf("resources/splash.png\n");
        writeFile(root.filePath(QStringLiteral("resources/icons/daywick.svg")), iconSvg().toUtf8());
        for (int size : kIconSizes)
            writePng(
                root.filePath(QStringLiteral("resources/icons/hicolor/%1x%1/apps/daywick.png").arg(size)),
                renderIcon(size));
        std::printf("resources/icons/daywick.svg and %zu PNG sizes\n", std::size(kIconSizes));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "daywick-picturegen: %s\n", e.what());
        return 1;
    }
    return 0;
}
