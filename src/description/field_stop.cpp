#include "description/field_stop.h"

#include <algorithm>

#include "common/messages.h"
#include "description/grammar.h"

namespace pixcell {

namespace {

namespace warn = messages::warn;
using grammar_detail::is_blank;

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_hex_digit(char c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The entry_line rule of grammar.h walked by hand, each field tried in turn
// and given up as a whole when it fails (as Spirit's optional does), noting
// the furthest place any test failed and what every test that failed there
// wanted. Each test skips comments first, as the grammar's skipper does.
class FieldWalk {
public:
    explicit FieldWalk(const char* last) : last(last) {}

    std::optional<FieldStop> entry_line(const char* at) {
        at = name_field(at);
        if (at == nullptr) return std::nullopt;
        if (const char* p = position(at)) at = p;
        if (const char* p = size(at)) at = p;
        if (const char* p = origin(at)) at = p;
        if (const char* p = flips(at)) at = p;
        const char* end = skip(at);
        if (end != last && (*end == '\n' || *end == '\r')) return std::nullopt;
        fail(end, warn::kExpectLineEnd);
        return stop;
    }

private:
    // Past comments: "//" with its line end, "/*" to the first "*/" (one
    // never closed is text).
    const char* skip(const char* at) const {
        while (last - at >= 2 && at[0] == '/') {
            if (at[1] == '/') {
                at += 2;
                while (at != last && *at != '\n' && *at != '\r') ++at;
                if (at != last && *at++ == '\r' && at != last && *at == '\n') ++at;
            } else if (at[1] == '*') {
                static const char close[] = "*/";
                const char* end = std::search(at + 2, last, close, close + 2);
                if (end == last) return at;
                at = end + 2;
            } else {
                break;
            }
        }
        return at;
    }

    void fail(const char* at, unsigned expected) {
        if (stop.at == nullptr || at > stop.at) {
            stop = {at, expected};
        } else if (at == stop.at) {
            stop.expected |= expected;
        }
    }

    // The character `c` after comments, or nothing (a failure noted as `expected`).
    const char* character(const char* at, char c, unsigned expected) {
        at = skip(at);
        if (at != last && *at == c) return at + 1;
        fail(at, expected);
        return nullptr;
    }

    const char* blanks(const char* at) const {
        for (const char* next = skip(at); next != last && is_blank(static_cast<unsigned char>(*next));
             next = skip(at)) {
            at = next + 1;
        }
        return at;
    }

    const char* name_field(const char* at) {
        at = skip(blanks(at));
        if (at == last) return nullptr;
        if (*at == '+') return blanks(at + 1);
        const bool minus_digit = *at == '-' && last - at >= 2 && is_digit(at[1]);
        if (!grammar_detail::is_namehead_char(static_cast<unsigned char>(*at)) || minus_digit) return nullptr;
        const char* end = at + 1;
        for (const char* next = skip(end);
             next != last && grammar_detail::is_nametail(static_cast<unsigned char>(*next)); next = skip(end)) {
            end = next + 1;
        }
        return end == at + 1 ? nullptr : blanks(end);
    }

    // A decimal number, or "$" and hexadecimal digits with an optional "-";
    // `expected` is what a failure at its very start means where it stands.
    const char* number(const char* at, unsigned expected) {
        at = skip(at);
        const char* digits = at != last && (*at == '-' || *at == '+') ? at + 1 : at;
        if (digits != last && is_digit(*digits)) return std::find_if_not(digits, last, is_digit);
        const char* dollar = at != last && *at == '-' ? skip(at + 1) : at;
        if (dollar == last || *dollar != '$') {
            fail(at, expected);
            return nullptr;
        }
        const char* hex = skip(dollar + 1);
        if (hex == last || !is_hex_digit(*hex)) {
            fail(hex, warn::kExpectHexDigits);
            return nullptr;
        }
        return std::find_if_not(hex, last, is_hex_digit);
    }

    const char* position(const char* at) {
        at = number(at, warn::kExpectPosition | warn::kExpectSize);
        if (at != nullptr) at = character(blanks(at), ',', warn::kExpectComma);
        if (at != nullptr) at = number(blanks(at), warn::kExpectNumber);
        return at == nullptr ? nullptr : blanks(at);
    }

    const char* size(const char* at) {
        at = number(at, warn::kExpectSize);
        if (at != nullptr) at = character(at, 'x', warn::kExpectLowerX);
        if (at != nullptr) at = number(at, warn::kExpectNumber);
        return at == nullptr ? nullptr : blanks(at);
    }

    const char* origin(const char* at) {
        at = character(at, '[', warn::kExpectOrigin);
        if (at != nullptr) at = number(blanks(at), warn::kExpectNumber);
        if (at != nullptr) at = character(blanks(at), ',', warn::kExpectComma);
        if (at != nullptr) at = number(blanks(at), warn::kExpectNumber);
        if (at != nullptr) at = character(blanks(at), ']', warn::kExpectCloseBracket);
        return at == nullptr ? nullptr : blanks(at);
    }

    const char* flips(const char* at) {
        const char* end = nullptr;
        for (const char* next = skip(at);
             next != last && grammar_detail::is_flipletter(static_cast<unsigned char>(*next)); next = skip(at)) {
            end = at = next + 1;
        }
        fail(skip(at), warn::kExpectFlips);  // where the letters end, another could follow
        return end == nullptr ? nullptr : blanks(end);
    }

    const char* last;
    FieldStop stop;
};

}  // namespace

std::optional<FieldStop> where_fields_stop(const char* entry, const char* last) {
    return FieldWalk(last).entry_line(entry);
}

}  // namespace pixcell
