#pragma once

#include <string>

#include "daywick/sampledata.h"

namespace daywick {

/// The picture for number n (0 to kPictureCount - 1) below the data directory: base + "/" + its file.
std::string picturePath(const std::string& baseDir, int n);

}  // namespace daywick
