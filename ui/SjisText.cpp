#include "SjisText.h"

#include "daywick/sjis.h"

namespace daywick::ui {

QString fromSjis(std::string_view bytes) {
    QString text = QString::fromStdString(sjisToUtf8(bytes));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::optional<std::string> toSjis(const QString& text) {
    return utf8ToSjis(text.toStdString());
}

}  // namespace daywick::ui
