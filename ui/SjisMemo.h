#pragma once

#include <QPlainTextEdit>
#include <string>

namespace daywick::ui {

/// A read-only multi-line text whose true content is Shift_JIS bytes; it shows them decoded. The bytes are
/// what the program reads back (the print dialog copies them byte for byte).
class SjisMemo : public QPlainTextEdit {
public:
    explicit SjisMemo(QWidget* parent);

    const std::string& bytes() const { return bytes_; }
    void setBytes(std::string bytes);

private:
    std::string bytes_;
};

}  // namespace daywick::ui
