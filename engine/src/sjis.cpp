#include "daywick/sjis.h"

#include <iconv.h>

#include <cerrno>
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
            throw std::runtime_error("iconv cannot convert to CP932");
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

}  // namespace daywick
