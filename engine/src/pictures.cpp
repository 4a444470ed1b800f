#include "daywick/pictures.h"

namespace daywick {

std::string picturePath(const std::string& baseDir, int n) {
    const std::string number = n < 10 ? "0" + std::to_string(n) : std::to_string(n);
    return baseDir + "/Picture/image0" + number + ".jpg";
}

}  // namespace daywick
