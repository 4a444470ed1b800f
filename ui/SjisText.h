#pragma once
// Shift_JIS bytes become QString only where they are shown, and what a user types becomes Shift_JIS before
// the engine sees it.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace daywick::ui {

/// The text to show for Shift_JIS bytes; CR LF becomes one line break.
QString fromSjis(std::string_view bytes);

/// The Shift_JIS bytes of typed text, or nothing when a character has no Shift_JIS form.
std::optional<std::string> toSjis(const QString& text);

}  // namespace daywick::ui
