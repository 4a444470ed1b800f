#include "daywick/pictures.h"

#include <cstddef>

namespace daywick {

std::string picturePath(const std::string& baseDir, int n) {
    return baseDir + "/" + kPictureFiles[static_cast<std::size_t>(n)];
}

}  // namespace daywick
