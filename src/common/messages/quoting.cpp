#include "common/messages/quoting.h"

#include "common/error_stream.h"

namespace pixcell::messages::detail {

void print(const std::string& line) { write_error_stream(line); }

namespace {

// How many bytes of a well-formed UTF-8 character start at `at`, 0 when none
// does (a stray continuation byte, an overlong form, a surrogate, a cut one).
std::size_t utf8_length(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
    }
    // C1 control characters are well formed but act on a terminal, the line
    // and paragraph separators end a line in some editors, and a byte-order
    // mark prints as nothing: each is shown as its bytes.
    if (lead == 0xC2 && byte(at + 1) < 0xA0) return 0;
    if (lead == 0xE2 && byte(at + 1) == 0x80 && (byte(at + 2) == 0xA8 || byte(at + 2) == 0xA9)) return 0;
    if (lead == 0xEF && byte(at + 1) == 0xBB && byte(at + 2) == 0xBF) return 0;
    return length;
}

// A name or a piece of the description as it appears between `quote`s in a
// message: C's escapes for a line end, a tab, a backslash and the quote, and
// \xHH for every other control byte and every byte that isn't UTF-8, so that
// a message stays on its one line and reads the same in any terminal.
std::string escaped(const std::string& text, char quote) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            if (const std::size_t length = utf8_length(text, i)) {
                out.append(text, i, length);
                i += length;
                continue;
            }
        }
        ++i;
        switch (byte) {
        case '\n': out += "\\n"; continue;
        case '\r': out += "\\r"; continue;
        case '\t': out += "\\t"; continue;
        case '\\': out += "\\\\"; continue;
        default: break;
        }
        if (byte < 0x20 || byte >= 0x7F) {
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else if (byte == static_cast<unsigned char>(quote)) {
            out += '\\';
            out += quote;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

}  // namespace

std::string quoted(const std::string& text) { return "'" + escaped(text, '\'') + "'"; }

std::string double_quoted(const std::string& text) { return "\"" + escaped(text, '"') + "\""; }

// A file name that stands in a message without quotes.
std::string unquoted(const std::string& text) { return escaped(text, '\0'); }

}  // namespace pixcell::messages::detail
