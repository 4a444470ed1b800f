#include "daywick/errors.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "daywick/sjis.h"

namespace daywick {

namespace {

std::string conversionMessage(std::string_view text) {
    return "'" + std::string(text) + "'" + sjis(" は整数ではありません");
}

}  // namespace

ConversionError::ConversionError(std::string_view text) : Error(conversionMessage(text)) {}

ConversionError::ConversionError(const ConversionError& error, std::string path, std::uint64_t line)
    : Error(error), path_(std::move(path)), line_(line) {}

InOutError::InOutError(int errnoValue, std::string path)
    : Error(inOutMessage(errnoValue)), code_(errnoValue), path_(std::move(path)) {}

InOutError::InOutError(int errnoValue, std::string path, const std::string& message)
    : Error(message), code_(errnoValue), path_(std::move(path)) {}

std::string outOfMemoryMessage() {
    return sjis("メモリが足りません");
}

std::string inOutMessage(int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
            return sjis("ファイルが見つかりません");
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return sjis("不正なファイル名です");
        case EMFILE:
        case ENFILE:
            return sjis("オープンしたファイルが多すぎます");
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return sjis("ファイルへのアクセスが拒否されました");
        case ENOSPC:
        case EDQUOT:
            return sjis("ディスクがいっぱいです");
        default:
            return sjis("I/O エラー (") + std::to_string(errnoValue) + ")";
    }
}

std::string errorBoxText(std::string_view message) {
    std::string text(message);
    if (text.empty()) return text;
    // Find where the last character starts: a two-byte character always sorts after ".".
    std::size_t i = 0;
    std::size_t last = 0;
    while (i < text.size()) {
        last = i;
        i += charLength(text, i);
    }
    const bool twoByte = text.size() - last == 2;
    if (twoByte || static_cast<unsigned char>(text[last]) > '.') text += '.';
    return text;
}

std::string applicationTitle(std::string_view programPath) {
    std::string_view name = programPath;
    if (auto slash = name.find_last_of('/'); slash != std::string_view::npos) name.remove_prefix(slash + 1);
    if (auto dot = name.find('.'); dot != std::string_view::npos) name = name.substr(0, dot);
    std::string title(name);
    for (std::size_t i = 1; i < title.size(); ++i) {
        if (title[i] >= 'A' && title[i] <= 'Z') title[i] = static_cast<char>(title[i] - 'A' + 'a');
    }
    return title;
}

}  // namespace daywick
