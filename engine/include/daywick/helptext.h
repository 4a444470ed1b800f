#pragma once

#include <cstddef>
#include <string>

namespace daywick {

/// The most help text the help window holds, in bytes.
inline constexpr std::size_t kHelpTextCapacity = std::size_t{1024} * 1024;

/// Appends the lines of the help file to text, each ending in CR LF; a lone CR or a lone LF inside the file
/// also breaks a line, and a Ctrl-Z byte ends the file. On an error (InOutError, or Error when the text would
/// outgrow capacity) the lines read before stay in text.
void readHelpText(const std::string& path, std::string& text, std::size_t capacity = kHelpTextCapacity);

}  // namespace daywick
