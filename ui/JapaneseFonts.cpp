#include "JapaneseFonts.h"

namespace daywick::ui {

namespace {

const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kGothic = QStringLiteral("ＭＳ ゴシック");

}  // namespace

void installJapaneseFonts() {
    QFont::insertSubstitution(kPGothic, QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(kGothic, QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
}

QFont pGothicFont(int pixelSize, bool bold, bool italic) {
    QFont font(kPGothic);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont gothicFont(int pixelSize) {
    QFont font(kGothic);
    font.setPixelSize(pixelSize);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont pGothicPointFont(int pointSize) {
    QFont font(kPGothic);
    font.setPointSize(pointSize);
    return font;
}

}  // namespace daywick::ui
