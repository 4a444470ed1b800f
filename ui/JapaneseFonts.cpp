#include "JapaneseFonts.h"

namespace daywick::ui {

namespace {

const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kGothic = QStringLiteral("ＭＳ ゴシック");

// The IPA fonts hold every character Shift_JIS can encode, which is every character the program shows, so
// Qt need not look for fallback fonts, which costs fontconfig a sort of all fonts per family and style.
QFont japaneseFont(const QString& family) {
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

}  // namespace

void installJapaneseFonts() {
    QFont::insertSubstitution(kPGothic, QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(kGothic, QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
}

QFont pGothicFont(int pixelSize, bool bold, bool italic) {
    QFont font = japaneseFont(kPGothic);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QFont gothicFont(int pixelSize) {
    QFont font = japaneseFont(kGothic);
    font.setPixelSize(pixelSize);
    font.setFixedPitch(true);
    font.setStyleHint(QFont::Monospace);
    return font;
}

QFont pGothicPointFont(int pointSize) {
    QFont font = japaneseFont(kPGothic);
    font.setPointSize(pointSize);
    return font;
}

}  // namespace daywick::ui
