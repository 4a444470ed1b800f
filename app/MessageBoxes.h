#pragma once
// The program's two kinds of message box. Both take Shift_JIS texts, like every text of the program.

#include <string_view>

namespace daywick::ui {

/// The application-wide error box: modal to every window, the program's title, a stop icon, one OK button;
/// the message gets its period by the error box's rule.
void showErrorBox(std::string_view message);

/// The plain message box: modal, centred on the screen, the program's title, no icon, one "OK" button.
void showPlainMessage(std::string_view text);

}  // namespace daywick::ui
