#include "SjisMemo.h"

#include "SjisText.h"

namespace daywick::ui {

SjisMemo::SjisMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Selecting and copying stay possible; typing does not.
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void SjisMemo::setBytes(std::string bytes) {
    bytes_ = std::move(bytes);
    setPlainText(fromSjis(bytes_));
}

}  // namespace daywick::ui
