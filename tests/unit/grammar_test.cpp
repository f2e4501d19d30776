// Which actions the description grammar fires, in which order, with what.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description/grammar.h"

namespace pixcell {
namespace {

struct Recorder {
    std::vector<std::string> events;
    void add(const char* what, const char* first, const char* last) {
        events.push_back(std::string(what) + "(" + std::string(first, last) + ")");
    }
    void bitmap(const char* f, const char* l) { add("bitmap", f, l); }
    void name(const char* f, const char* l) { add("name", f, l); }
    void minus(char c) { events.push_back(std::string("minus(") + c + ")"); }
    void number(std::int32_t v) { events.push_back("number(" + std::to_string(v) + ")"); }
    void pop_x(const char* f, const char* l) { add("pop_x", f, l); }
    void pop_y(const char* f, const char* l) { add("pop_y", f, l); }
    void size(const char* f, const char* l) { add("size", f, l); }
    void pop_dx(const char* f, const char* l) { add("pop_dx", f, l); }
    void pop_dy(const char* f, const char* l) { add("pop_dy", f, l); }
    void flip(const char* f, const char* l) { add("flip", f, l); }
    void entry_end(const char* f, const char* l) { add("entry_end", f, l); }
    void file_end(const char* f, const char* l) { add("file_end", f, l); }
};

struct Result {
    bool matched;
    std::vector<std::string> events;
};

Result parse(const std::string& text) {
    Recorder recorder;
    const bool matched = parse_with(text.data(), text.data() + text.size(), recorder).matched;
    return {matched, recorder.events};
}

using Events = std::vector<std::string>;

// Events after the bitmap line "*a.bmp\n".
Events entries(const std::string& body) {
    Result r = parse("*a.bmp\n" + body);
    EXPECT_TRUE(r.matched) << body;
    Events e = r.events;
    EXPECT_FALSE(e.empty());
    if (!e.empty()) e.erase(e.begin());
    return e;
}

TEST(Grammar, WhetherADescriptionMatches) {
    EXPECT_FALSE(parse("").matched);
    EXPECT_FALSE(parse("  \n// only a comment\n/* and a block */\n\n").matched);
    EXPECT_FALSE(parse("x.bmp\n").matched);
    EXPECT_FALSE(parse("* a.bmp\n").matched);  // a blank before the file name

    // The file name read, but no line end: the sheet was already asked for.
    Result no_eol = parse("*a.bmp");
    EXPECT_FALSE(no_eol.matched);
    EXPECT_EQ(no_eol.events, (Events{"bitmap(a.bmp)"}));

    Result blank_after = parse("*a.bmp \nhero\n");
    EXPECT_FALSE(blank_after.matched);
    EXPECT_EQ(blank_after.events, (Events{"bitmap(a.bmp)"}));

    EXPECT_EQ(parse("*a.bmp\n").events, (Events{"bitmap(a.bmp)", "file_end()"}));
    EXPECT_TRUE(parse("\n\n  // lead\n*a.bmp\ngarbage that fails\n").matched);
}

TEST(Grammar, FieldActionsFireInLineOrder) {
    EXPECT_EQ(entries("hero\n"), (Events{"name(hero)", "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("hero 1,2 32x16 [3,-4] hv\n"),
              (Events{"name(hero)", "number(1)", "pop_x(1)", "number(2)", "pop_y(2)", "number(32)",
                      "number(16)", "size(32x16)", "number(3)", "pop_dx(3)", "number(-4)", "pop_dy(-4)",
                      "flip(hv)", "entry_end()", "file_end()"}));
    // Blanks around "," and inside brackets, tabs as blanks.
    EXPECT_EQ(entries("\thero\t1 ,\t2 [ 3 , 4 ] h \n"),
              (Events{"name(hero)", "number(1)", "pop_x(1)", "number(2)", "pop_y(2)", "number(3)",
                      "pop_dx(3)", "number(4)", "pop_dy(4)", "flip(h)", "entry_end()", "file_end()"}));
}

TEST(Grammar, SizeWithoutPositionIsFirstTriedAsAPosition) {
    EXPECT_EQ(entries("hero 32x16\n"),
              (Events{"name(hero)", "number(32)", "pop_x(32)", "number(32)", "number(16)", "size(32x16)",
                      "entry_end()", "file_end()"}));
    // A size before a position fails the line, after its actions fired.
    EXPECT_EQ(entries("hero 32x16 1,2\nnext\n"),
              (Events{"name(hero)", "number(32)", "pop_x(32)", "number(32)", "number(16)", "size(32x16)",
                      "file_end()"}));
    // No blank may stand around the "x".
    EXPECT_EQ(entries("hero 32 x16\n"), (Events{"name(hero)", "number(32)", "pop_x(32)", "number(32)",
                                                 "file_end()"}));
}

TEST(Grammar, NumbersDecimalAndHexadecimal) {
    EXPECT_EQ(entries("a1 $10,-$10\n"),
              (Events{"name(a1)", "number(16)", "pop_x($10)", "minus(-)", "number(16)", "pop_y(-$10)",
                      "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("a1 -16,+5\n"), (Events{"name(a1)", "number(-16)", "pop_x(-16)", "number(5)",
                                              "pop_y(+5)", "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("a1 $FFFFFFFF,$ff\n"),
              (Events{"name(a1)", "number(-1)", "pop_x($FFFFFFFF)", "number(255)", "pop_y($ff)",
                      "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("a1 2147483647,-2147483648\n"),
              (Events{"name(a1)", "number(2147483647)", "pop_x(2147483647)", "number(-2147483648)",
                      "pop_y(-2147483648)", "entry_end()", "file_end()"}));
    // Numbers that don't fit 32 bits don't match: the field fails, and so the line.
    EXPECT_EQ(entries("a1 2147483648,0\n"), (Events{"name(a1)", "file_end()"}));
    EXPECT_EQ(entries("a1 $100000000,0\n"), (Events{"name(a1)", "file_end()"}));
    // A "-" without "$" and digits still fired, wherever a number was tried.
    // (once as a position, once as a size).
    EXPECT_EQ(entries("a1 -$,0\n"), (Events{"name(a1)", "minus(-)", "minus(-)", "file_end()"}));
    EXPECT_EQ(entries("a1 - $1,0\n"), (Events{"name(a1)", "minus(-)", "minus(-)", "file_end()"}));
}

TEST(Grammar, Names) {
    // One character other than "+" never makes a name.
    EXPECT_EQ(entries("a 0,0\nhero\n"), (Events{"file_end()"}));
    EXPECT_EQ(entries("1ab\n"), (Events{"file_end()"}));
    EXPECT_EQ(entries("-1ab\n"), (Events{"file_end()"}));
    EXPECT_EQ(entries("-ab\n"), (Events{"name(-ab)", "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("a+[],1\n"), (Events{"name(a+[],1)", "entry_end()", "file_end()"}));
    // A name runs to the next white: a field right after it is part of it.
    EXPECT_EQ(entries("hero1,2\n"), (Events{"name(hero1,2)", "entry_end()", "file_end()"}));
    // "+" is the whole continuation name, whatever follows it.
    EXPECT_EQ(entries("+16,0\n"), (Events{"name(+)", "number(16)", "pop_x(16)", "number(0)", "pop_y(0)",
                                          "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("+h\n"), (Events{"name(+)", "flip(h)", "entry_end()", "file_end()"}));
    EXPECT_EQ(entries("+q\nhero\n"), (Events{"name(+)", "file_end()"}));
    // Bytes above 0x7F are ordinary characters.
    EXPECT_EQ(entries("h\xe9ro\n"), (Events{"name(h\xe9ro)", "entry_end()", "file_end()"}));
}

TEST(Grammar, Comments) {
    // Inside a name and a file name the range holds the comment.
    EXPECT_EQ(parse("*a/*x*/.bmp\nhe/* c */ro\n").events,
              (Events{"bitmap(a/*x*/.bmp)", "name(he/* c */ro)", "entry_end()", "file_end()"}));
    // Between fields and before the line end.
    EXPECT_EQ(entries("hero /*p*/1,/*q*/2 /*r*/\n"),
              (Events{"name(hero)", "number(1)", "pop_x(1)", "number(2)", "pop_y(2)", "entry_end()",
                      "file_end()"}));
    // A line comment swallows its line end: the line closes only on an empty next line.
    // Here the comment is skipped and the "n" of the next line is taken as a flip letter.
    EXPECT_EQ(entries("hero // c\nnext\n"), (Events{"name(hero)", "flip(n)", "file_end()"}));
    EXPECT_EQ(entries("hero // c\n\nnext\n"),
              (Events{"name(hero)", "entry_end()", "name(next)", "entry_end()", "file_end()"}));
    // Comments right after a line end are skipped before the line closes.
    EXPECT_EQ(entries("hero\n// one\n// two\nnext\n"),
              (Events{"name(hero)", "entry_end()", "name(next)", "entry_end()", "file_end()"}));
    // An unclosed "/*" is plain text.
    EXPECT_EQ(entries("he/*ro\n"), (Events{"name(he/)", "file_end()"}));
    // Flip letters: a comment inside the run is part of its range.
    EXPECT_EQ(entries("hero h/*n*/v\n"), (Events{"name(hero)", "flip(h/*n*/v)", "entry_end()", "file_end()"}));
    // Digits of a number are read without skipping.
    EXPECT_EQ(entries("hero 1/**/2,3\n"),
              (Events{"name(hero)", "number(1)", "pop_x(1)", "number(1)", "file_end()"}));
    // A line comment at the end of the text needs no line end.
    EXPECT_TRUE(parse("*a.bmp\n// last").matched);
}

TEST(Grammar, LineEnds) {
    const Events two{"name(ab)", "entry_end()", "name(cd)", "entry_end()", "file_end()"};
    EXPECT_EQ(entries("ab\ncd\n"), two);
    EXPECT_EQ(entries("ab\r\ncd\r\n"), two);
    EXPECT_EQ(entries("ab\rcd\r"), two);
    EXPECT_EQ(parse("*a.bmp\r\n\r\nab\r\n").events,
              (Events{"bitmap(a.bmp)", "name(ab)", "entry_end()", "file_end()"}));
    // Exactly one line end closes an entry; the rest is white before the next line.
    EXPECT_EQ(entries("ab\n\n\n  cd\n"), two);
    // A missing final line end drops the last line.
    EXPECT_EQ(entries("ab\ncd"), (Events{"name(ab)", "entry_end()", "name(cd)", "file_end()"}));
    // Form feed and vertical tab are white between lines, but not blanks inside one.
    EXPECT_EQ(entries("ab\n\f\vcd\n"), two);
    EXPECT_EQ(entries("ab\f1,2\n"), (Events{"name(ab)", "file_end()"}));
}

TEST(Grammar, SectionsAndTrailingText) {
    EXPECT_EQ(parse("*a.bmp\nab\n*b.bmp\ncd\n").events,
              (Events{"bitmap(a.bmp)", "name(ab)", "entry_end()", "bitmap(b.bmp)", "name(cd)", "entry_end()",
                      "file_end()"}));
    // A failed line ends the description; later sections are never reached.
    EXPECT_EQ(parse("*a.bmp\nab 1,\n*b.bmp\ncd\n").events,
              (Events{"bitmap(a.bmp)", "name(ab)", "number(1)", "pop_x(1)", "number(1)", "file_end()"}));
    // A second bitmap line that fails after its name still asked for the sheet.
    EXPECT_EQ(parse("*a.bmp\n*b.bmp x\n").events, (Events{"bitmap(a.bmp)", "bitmap(b.bmp)", "file_end()"}));
    // Several line ends after a bitmap line.
    EXPECT_EQ(parse("*a.bmp\n\n\r\n\tab\n").events,
              (Events{"bitmap(a.bmp)", "name(ab)", "entry_end()", "file_end()"}));
}

}  // namespace
}  // namespace pixcell
