#include "daywick/helptext.h"

#include "daywick/datafile.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

[[noreturn]] void throwTooLarge() {
    throw Error(sjis("文字列の大きさが メモ の制限を越えました"));
}

// Appends one line of the file and its line end, every line break made CR LF: a lone LF inside the line
// breaks it too. A lead byte takes the byte after it as its second half, even a line-break byte.
void appendNormalised(std::string& text, const std::string& line) {
    const std::string withEnd = line + '\r';
    for (std::size_t i = 0; i < withEnd.size();) {
        const std::size_t length = charLength(withEnd, i);
        if (length == 1 && (withEnd[i] == '\r' || withEnd[i] == '\n')) {
            text += kCrLf;
        } else {
            text.append(withEnd, i, length);
        }
        i += length;
    }
}

// The file as a stream of bytes that ends at a Ctrl-Z; a Ctrl-Z is never consumed.
class ByteStream {
public:
    explicit ByteStream(InputFile& file) : file_(file) {}
    // The next byte without taking it, or -1 at the end of the text.
    int peek() {
        if (pos_ == end_ && !ended_) {
            pos_ = 0;
            end_ = file_.read(buffer_, sizeof buffer_);
            ended_ = end_ == 0;
        }
        if (pos_ == end_ || buffer_[pos_] == kCtrlZ) return -1;
        return static_cast<unsigned char>(buffer_[pos_]);
    }
    void take() { ++pos_; }

private:
    InputFile& file_;
    char buffer_[64 * 1024];
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool ended_ = false;
};

}  // namespace

void readHelpText(const std::string& path, std::string& text, std::size_t capacity) {
    InputFile file(path);
    ByteStream in(file);
    std::string line;
    while (in.peek() >= 0) {
        line.clear();
        for (int byte = in.peek(); byte >= 0 && byte != '\r'; byte = in.peek()) {
            // A line is checked as it grows, so a huge line never sits whole in memory.
            if (text.size() + line.size() >= capacity) throwTooLarge();
            line += static_cast<char>(byte);
            in.take();
        }
        if (in.peek() == '\r') {
            in.take();
            if (in.peek() == '\n') in.take();
        }
        const std::size_t before = text.size();
        appendNormalised(text, line);
        if (text.size() > capacity) {
            text.resize(before);
            throwTooLarge();
        }
    }
}

}  // namespace daywick
