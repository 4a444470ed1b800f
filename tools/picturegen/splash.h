// The start-up splash picture. The program draws its own "Loading...." and
// version labels over it, so those two places are kept calm.
#pragma once

#include <QImage>
#include <QRect>

namespace picturegen {

inline constexpr int kSplashWidth = 450;
inline constexpr int kSplashHeight = 338;
// Where the program puts its labels.
inline constexpr QRect kLoadingLabelArea(16, 240, 185, 31);
inline constexpr QRect kVersionLabelArea(344, 280, 77, 19);
inline constexpr const char* kTitleFontFamily = "IPAPGothic";

// Throws std::runtime_error if the title font is not installed: another font
// would change the picture silently.
QImage renderSplash();

}  // namespace picturegen
