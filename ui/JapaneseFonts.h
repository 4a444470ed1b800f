#pragma once

#include <QFont>

namespace daywick::ui {

/// Lets the Windows font names the windows ask for find the IPA fonts: fontconfig would give DejaVu Sans,
/// which has no Japanese.
void installJapaneseFonts();

/// "ＭＳ Ｐゴシック" (proportional), of a height in pixels.
QFont pGothicFont(int pixelSize, bool bold = false, bool italic = false);

/// "ＭＳ ゴシック" (fixed pitch), of a height in pixels.
QFont gothicFont(int pixelSize);

/// "ＭＳ Ｐゴシック" of a size in points, for a printer, whose pixels are its own dots.
QFont pGothicPointFont(int pointSize);

}  // namespace daywick::ui
