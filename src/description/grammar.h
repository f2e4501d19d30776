// The description language in Spirit Classic: the grammar `txt_parser`, the
// language itself, run by a phrase-level parse with `comment_parser`, the
// skipper tried before every terminal test. The grammar is a template over the sink that receives the
// actions, so that tests can watch exactly which actions fire, and when.
//
// A Sink provides:
//   bitmap, name, pop_x, pop_y, size, pop_dx, pop_dy, flip, entry_end,
//   file_end (const char* first, const char* last);
//   minus(char); number(std::int32_t).
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>

// With sanitizers on, g++ 12 sees Spirit's optional match values as maybe
// uninitialized where they are always set before use.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/spirit/include/classic.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace pixcell {

namespace grammar_detail {

namespace sp = boost::spirit::classic;

// Character classes on bytes; bytes 0x80-0xFF belong to no class.
inline bool is_blank(unsigned char c) { return c == ' ' || c == '\t'; }
inline bool is_white(unsigned char c) { return is_blank(c) || (c >= '\n' && c <= '\r'); }
inline bool is_filechar(unsigned char c) { return c != '*' && c != '[' && c != ']' && !is_white(c); }
// namehead without the "-" that starts a number, which the rule excludes separately.
inline bool is_namehead_char(unsigned char c) { return is_filechar(c) && c != '+' && !(c >= '0' && c <= '9'); }
inline bool is_nametail(unsigned char c) { return c != '*' && !is_white(c); }
inline bool is_flipletter(unsigned char c) {
    return c == 'N' || c == 'H' || c == 'V' || c == 'n' || c == 'h' || c == 'v';
}

// A single character of a class; as a Spirit primitive it skips comments first.
struct class_parser : sp::char_parser<class_parser> {
    explicit class_parser(bool (*pred)(unsigned char)) : pred(pred) {}
    bool test(char c) const { return pred(static_cast<unsigned char>(c)); }
    bool (*pred)(unsigned char);
};

template <class Sink>
struct range_action {
    Sink* sink;
    void (Sink::*fn)(const char*, const char*);
    void operator()(const char* first, const char* last) const { (sink->*fn)(first, last); }
};

template <class Sink>
struct number_action {
    Sink* sink;
    void operator()(std::int32_t value) const { sink->number(value); }
};

// A hexadecimal number is read unsigned and handed on with the same bits.
template <class Sink>
struct hex_action {
    Sink* sink;
    void operator()(std::uint32_t value) const { sink->number(static_cast<std::int32_t>(value)); }
};

template <class Sink>
struct minus_action {
    Sink* sink;
    void operator()(char c) const { sink->minus(c); }
};

}  // namespace grammar_detail

// Comments: "//" up to and including the line end (or the end of the text),
// and "/*" up to the first "*/"; a "/*" that is never closed is plain text.
// The skipper runs before every terminal test, so it is a primitive parser
// scanning the text directly rather than a grammar of its own.
struct comment_parser : boost::spirit::classic::parser<comment_parser> {
    using self_t = comment_parser;

    template <typename ScannerT>
    typename boost::spirit::classic::parser_result<self_t, ScannerT>::type parse(const ScannerT& scan) const {
        using iterator_t = typename ScannerT::iterator_t;
        const iterator_t start = scan.first;
        const iterator_t end = scan.last;
        iterator_t at = start;
        if (at == end || *at != '/') return scan.no_match();
        ++at;
        if (at == end) return scan.no_match();
        if (*at == '/') {
            for (++at; at != end;) {
                const char c = *at++;
                if (c == '\n') break;
                if (c == '\r') {
                    if (at != end && *at == '\n') ++at;
                    break;
                }
            }
        } else if (*at == '*') {
            static const char close[] = "*/";
            at = std::search(++at, end, close, close + 2);
            if (at == end) return scan.no_match();
            at += 2;
        } else {
            return scan.no_match();
        }
        scan.first = at;
        return scan.create_match(static_cast<std::size_t>(std::distance(start, at)), boost::spirit::classic::nil_t(),
                                 start, at);
    }
};

template <class Sink>
struct txt_parser : boost::spirit::classic::grammar<txt_parser<Sink>> {
    explicit txt_parser(Sink& sink) : sink(&sink) {}
    Sink* sink;

    template <typename ScannerT>
    struct definition {
        explicit definition(const txt_parser& self) {
            namespace sp = boost::spirit::classic;
            using namespace grammar_detail;
            Sink* s = self.sink;
            auto act = [s](void (Sink::*fn)(const char*, const char*)) { return range_action<Sink>{s, fn}; };
            const class_parser blank(is_blank), white(is_white), filechar(is_filechar), namehead_char(is_namehead_char),
                nametail(is_nametail), flipletter(is_flipletter);
            const sp::int_parser<std::int32_t, 10, 1, -1> decimal_p;
            const sp::uint_parser<std::uint32_t, 16, 1, -1> hexadecimal_p;

            description = *white >> +section >> sp::eps_p[act(&Sink::file_end)];
            section = bitmap_line >> *entry_line >> *white;
            // The sheet is loaded as soon as its name is read, even if the
            // line then fails.
            bitmap_line = sp::ch_p('*') >> (+filechar)[act(&Sink::bitmap)] >> +sp::eol_p >> *white;
            // A line comment swallows its own line end, so it never closes an
            // entry line by itself.
            entry_line = name_field >> !position_field >> !size_field >> !offset_field >> !flip_field >> sp::eol_p >>
                         sp::eps_p[act(&Sink::entry_end)] >> *white;
            namehead = namehead_char - sp::lexeme_d[sp::ch_p('-') >> sp::digit_p];
            name_field = *blank >> (sp::ch_p('+') | (namehead >> +nametail))[act(&Sink::name)] >> *blank;
            // A size without a position is tried as a position first: its
            // first number then fires pop_x before the missing "," fails.
            position_field =
                number[act(&Sink::pop_x)] >> *blank >> ',' >> *blank >> number[act(&Sink::pop_y)] >> *blank;
            size_field = (number >> 'x' >> number)[act(&Sink::size)] >> *blank;
            offset_field = sp::ch_p('[') >> *blank >> number[act(&Sink::pop_dx)] >> *blank >> ',' >> *blank >>
                           number[act(&Sink::pop_dy)] >> *blank >> ']' >> *blank;
            flip_field = (+flipletter)[act(&Sink::flip)] >> *blank;
            // The "-" of a hexadecimal number fires at once, even when no "$"
            // follows; its flag then waits for the next number.
            number = decimal_p[number_action<Sink>{s}] |
                     (!sp::ch_p('-')[minus_action<Sink>{s}] >> '$' >> hexadecimal_p[hex_action<Sink>{s}]);
        }

        boost::spirit::classic::rule<ScannerT> description, section, bitmap_line, entry_line, namehead, name_field,
            position_field, size_field, offset_field, flip_field, number;
        const boost::spirit::classic::rule<ScannerT>& start() const { return description; }
    };
};

// A sink that ignores every action: readings that look for one thing derive
// from it and hide the one action they need.
struct IgnoringSink {
    void bitmap(const char*, const char*) {}
    void name(const char*, const char*) {}
    void minus(char) {}
    void number(std::int32_t) {}
    void pop_x(const char*, const char*) {}
    void pop_y(const char*, const char*) {}
    void size(const char*, const char*) {}
    void pop_dx(const char*, const char*) {}
    void pop_dy(const char*, const char*) {}
    void flip(const char*, const char*) {}
    void entry_end(const char*, const char*) {}
    void file_end(const char*, const char*) {}
};

struct ParseResult {
    bool matched = false;        // the text starts as the language does
    const char* stop = nullptr;  // where reading ended
};

// Runs the description rule over [first, last) with comments skipped; it
// matched however much of the text it used.
template <class Sink>
ParseResult parse_with(const char* first, const char* last, Sink& sink) {
    txt_parser<Sink> grammar(sink);
    comment_parser skipper;
    const auto info = boost::spirit::classic::parse(first, last, grammar, skipper);
    return {info.hit, info.stop};
}

}  // namespace pixcell
