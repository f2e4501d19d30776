// Where reading stopped and why: the line, how much is lost, and the cause
// the warning names.
#include <gtest/gtest.h>

#include <string>

#include "cells/console_limits.h"
#include "common/messages.h"
#include "description/stop_report.h"

namespace pixcell {
namespace {

std::optional<StopReport> stop_of(const std::string& text, std::size_t stop) {
    return why_reading_stopped(text.data(), text.data() + stop, text.data() + text.size());
}

TEST(StopReport, NamesTheLineAndTheCause) {
    namespace warn = messages::warn;
    struct Case {
        std::string text;
        std::int64_t line;
        std::int64_t lines_not_read;
        std::string cause;
        std::size_t stop = 16;  // where the language stops: after the head
    };
    const std::string head = "*a.bmp\nhero 0,0\n";
    const Case cases[] = {
        {head + "coin 16,0 // spins\nogre\n", 3, 2, warn::cause_comment_joins_lines()},
        {head + "last 16,0", 3, 1, warn::cause_no_line_end()},
        {head + "x 16,0\n", 3, 1, warn::cause_short_name()},
        {head + "2coin\n\n", 3, 2, warn::cause_name_starts_with_digit()},
        {head + "my coin 16,0\n", 3, 1, warn::cause_name_holds_blank()},
        {head + "big 2147483648,0\n", 3, 1, warn::cause_number_too_big()},
        {head + "big $100000000,0\n", 3, 1, warn::cause_number_too_big()},
        {head + "big 9 , -$66 16x$100000000\n", 3, 1, warn::cause_number_too_big()},
        {head + "wrong 16x16 0,0\n", 3, 1, warn::cause_fields()},
        {head + "*b.bmp x\nmore\n", 3, 2, warn::cause_after_file_name()},
        {head + "* b.bmp\n", 3, 1, warn::cause_no_file_name()},
        {head + "/* never closed\n", 3, 1, warn::cause_unclosed_comment()},
        // Lines end as the language ends them: CR LF once, a lone CR once.
        {"*a.bmp\r\nhero\r\r\nx\r", 4, 1, warn::cause_short_name(), 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<StopReport> report = stop_of(c.text, c.stop);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->line, c.line);
        EXPECT_EQ(report->lines_not_read, c.lines_not_read);
        EXPECT_EQ(report->cause, c.cause);
    }
    // Only white space and comments left: nothing to say.
    const std::string clean = head + "  \n// note\n/* more */\n";
    EXPECT_FALSE(stop_of(clean, head.size()));
}

// An entry line whose fields don't fit: the column of the first thing no
// field takes, and what each field that got that far wanted there.
TEST(StopReport, FieldsStopAtAColumn) {
    namespace warn = messages::warn;
    const struct {
        std::string line;
        std::int64_t column;
        std::string found;
        unsigned expected;
    } cases[] = {
        {"coin 0,32 16X16", 13, "X16", warn::kExpectLowerX},
        {"coin 16.0", 8, ".0", warn::kExpectComma | warn::kExpectLowerX},
        {"coin 0,32 [0,16", 16, "", warn::kExpectCloseBracket},
        {"coin 0,32 x", 11, "x", warn::kExpectSize | warn::kExpectOrigin | warn::kExpectFlips | warn::kExpectLineEnd},
        {"coin 16x16 hz", 13, "z", warn::kExpectFlips | warn::kExpectLineEnd},
        {"coin 0 /* c */ 32", 16, "32", warn::kExpectComma},
        {"coin -$g,0", 8, "g,0", warn::kExpectHexDigits},
        {"coin [0,-16] h v", 16, "v", warn::kExpectLineEnd},
        {"+ 0, ", 6, "", warn::kExpectNumber},
    };
    const std::string head = "*a.bmp\nhero 0,0\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<StopReport> report = stop_of(head + c.line + "\nmore\n", head.size());
        ASSERT_TRUE(report && report->fields);
        EXPECT_EQ(report->fields->line, 3);
        EXPECT_EQ(report->fields->column, c.column);
        EXPECT_EQ(report->fields->text, warn::fields_stop(c.found, false, c.expected));
    }
    // A comment carries the entry over a line end: the note is at the next
    // line; at the text's end, the file ends there. A name at fault has its
    // own cause and no column.
    const std::string joined = head + "coin 0 /* a\nb */ 16X16\n";
    EXPECT_EQ(stop_of(joined, head.size())->fields->line, 4);
    EXPECT_EQ(stop_of(joined, head.size())->fields->column, 6);
    const std::string cut = head + "coin [1,\n";
    EXPECT_EQ(stop_of(cut.substr(0, cut.size() - 1), head.size())->fields->text,
              warn::fields_stop("", true, warn::kExpectNumber));
    EXPECT_FALSE(stop_of(head + "my coin 16,0\n", head.size())->fields);
}

TEST(StopReport, TellsAnImageFromText) {
    const std::string bmp = std::string("BM\x36\x04", 4) + "\x01\x02";
    EXPECT_EQ(image_kind(bmp.data(), bmp.data() + bmp.size()), "BMP");
    const std::string png = "\x89PNG\r\n";
    EXPECT_EQ(image_kind(png.data(), png.data() + png.size()), "PNG");
    const std::string text = "BMX sheet list\n";
    EXPECT_EQ(image_kind(text.data(), text.data() + text.size()), "");
}

TEST(ConsoleLimits, TooManyCellsForTileMemoryOrHardwareSprites) {
    Conversion conversion;
    for (int i = 0; i < 257; ++i) conversion.cells.push_back(Cell{});
    conversion.sprites = {{0, 0, 128}, {1, 128, 129}};
    SpriteList sprites(2);
    sprites[0].name = "fits";
    sprites[1].name = "boss";
    sprites[1].line = 7;
    Diagnostics diagnostics;
    diagnostics.set_file("d.txt");
    ::testing::internal::CaptureStderr();
    warn_about_limits(conversion, sprites, diagnostics);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "d.txt:7: warning: " + messages::warn::sprite_too_many_cells("boss", 129) + "\n" +
                  "pixcell: warning: " + messages::warn::too_many_cells(257) + "\n");
    conversion.cells = CellTable{};
    conversion.sprites.pop_back();
    ::testing::internal::CaptureStderr();
    warn_about_limits(conversion, sprites, diagnostics);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
}  // namespace pixcell
