#pragma once

#include <string>

namespace daywick {

/// How many pictures the picture folder holds: image000.jpg to image036.jpg.
inline constexpr int kPictureCount = 37;

/// The picture for number n (0 to 36) below the data directory: base + "/Picture/image0" + two digits +
/// ".jpg".
std::string picturePath(const std::string& baseDir, int n);

}  // namespace daywick
