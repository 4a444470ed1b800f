#pragma once
// The program's message boxes, every one of them. All take Shift_JIS texts, like every text of the program.

#include <cstdint>
#include <string>
#include <string_view>

namespace daywick::ui {

/// The application-wide error box: modal to every window, the program's title, a stop icon, one OK button;
/// the message gets its period by the error box's rule. A path, when given, is shown below the message in
/// smaller text, so that the user knows which file to mend; it is in the file system's own encoding. A line
/// (from 1), when given, follows the path.
void showErrorBox(std::string_view message, const std::string& path = {}, std::uint64_t line = 0);

/// The plain message box: modal, centred on the screen, the program's title, no icon, one "OK" button.
void showPlainMessage(std::string_view text);

/// A refusal of the program's own: modal to every window, a caption of its own, a stop icon, one OK button.
void showStopBox(std::string_view caption, std::string_view text);

/// A question with two buttons of one width, centred under it: `yes` is the default, Escape and the close
/// box mean `cancel`. Centred on the screen, the system's message font, a question-mark icon. True for yes.
bool askYesOrCancel(std::string_view caption, std::string_view question, std::string_view yes,
                    std::string_view cancel);

}  // namespace daywick::ui
