#include "daywick/sjis.h"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace daywick {

namespace {

// glibc's "SHIFT_JIS" is strict JIS X 0208 (0x5C is the yen sign, no NEC or IBM extensions); "CP932" is what
// Japanese Windows wrote, which is what the data files hold.
constexpr const char* kCodePage = "CP932";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// One converter per direction and thread, opened at first use: opening one costs more than most texts.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        // (iconv_t)-1 is iconv_open's documented failure value.
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {  // NOLINT(performance-no-int-to-ptr)
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the errno that stopped it, or 0 when all input was taken.
    int convert(const char*& in, std::size_t& inLeft, std::string& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char chunk[1024];
        while (inLeft > 0) {
            char* outPtr = chunk;
            std::size_t outLeft = sizeof chunk;
            char* inPtr = const_cast<char*>(in);
            const std::size_t result = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
            in = inPtr;
            out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
            if (error != 0 && error != E2BIG) return error;
        }
        return 0;
    }

private:
    iconv_t cd_;
};

Converter& decoder() {
    thread_local Converter converter("UTF-8", kCodePage);
    return converter;
}

Converter& encoder() {
    thread_local Converter converter(kCodePage, "UTF-8");
    return converter;
}

// Code points in the machine's byte order, so that one character is always four bytes.
constexpr const char* kCodePoints = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? "UTF-32LE" : "UTF-32BE";

}  // namespace

std::string sjisToUtf8(std::string_view sjis) {
    std::string out;
    out.reserve(sjis.size() + sjis.size() / 2);
    const char* in = sjis.data();
    std::size_t left = sjis.size();
    while (left > 0) {
        if (decoder().convert(in, left, out) == 0) break;
        // An invalid sequence: a lead byte with a proper trail byte is one unknown character; anything else
        // is one bad byte, so that the text after it still shows.
        const std::size_t skip = isDoubleByteChar(std::string_view(in, left), 0) ? 2 : 1;
        out.append(kReplacement);
        in += skip;
        left -= skip;
    }
    return out;
}

std::optional<std::string> utf8ToSjis(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    const char* in = utf8.data();
    std::size_t left = utf8.size();
    if (encoder().convert(in, left, out) != 0) return std::nullopt;
    return out;
}

std::string sjis(std::string_view utf8) {
    auto encoded = utf8ToSjis(utf8);
    if (!encoded) throw std::logic_error("text has no Shift_JIS form");
    return *encoded;
}

std::string sjisFrom(std::string_view text, const char* encoding) {
    // Read as characters first, so that a character with no Shift_JIS form is one "?" however many bytes
    // its encoding spends on it. Such texts are converted only for messages; the converters are not kept.
    Converter reader(kCodePoints, encoding);
    std::string characters;
    const char* in = text.data();
    std::size_t left = text.size();
    while (left > 0 && reader.convert(in, left, characters) != 0) {
        const char32_t unreadable = U'?';
        characters.append(reinterpret_cast<const char*>(&unreadable), sizeof unreadable);
        ++in;
        --left;
    }
    Converter writer(kCodePage, kCodePoints);
    std::string out;
    in = characters.data();
    left = characters.size();
    while (left > 0 && writer.convert(in, left, out) != 0) {
        out += '?';
        in += sizeof(char32_t);
        left -= sizeof(char32_t);
    }
    return out;
}

std::string sjisFromLocalePath(std::string_view path) {
    // The C locale, or one named but not installed, reads only ASCII; Qt 6 then takes file names as UTF-8,
    // and so do the windows' other paths.
    const char* codeset = nl_langinfo(CODESET);
    return sjisFrom(path, std::string_view(codeset) == "ANSI_X3.4-1968" ? "UTF-8" : codeset);
}

}  // namespace daywick
