// Names in messages: whatever bytes a name holds, its message is one line
// that shows them, with C's escapes where a byte wouldn't print as itself.
#include <gtest/gtest.h>

#include "common/messages.h"

namespace pixcell {
namespace {

TEST(Messages, NamesAreQuotedWithCEscapes) {
    const struct {
        std::string name;
        std::string shown;
    } cases[] = {
        {"hero", "'hero'"},
        {"he/*\r\n*/ro", "'he/*\\r\\n*/ro'"},
        {"a\tb\\c'd\"e", "'a\\tb\\\\c\\'d\"e'"},
        {std::string("\x01\x1B\x7F", 3), "'\\x01\\x1B\\x7F'"},
        // UTF-8 as it is; bytes that aren't (a stray continuation byte, a cut
        // or overlong sequence, a surrogate) and invisible characters escaped.
        {"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "'caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80'"},
        {"\x80 \xC3 \xE2\x82 \xC0\xAF \xED\xA0\x80", "'\\x80 \\xC3 \\xE2\\x82 \\xC0\\xAF \\xED\\xA0\\x80'"},
        {"\xC2\x85 \xE2\x80\xA8 \xEF\xBB\xBFx", "'\\xC2\\x85 \\xE2\\x80\\xA8 \\xEF\\xBB\\xBFx'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messages::warn::unknown_option(c.name), "unknown option " + c.shown + " is ignored");
    }
    // A piece of the description between double quotes escapes those instead.
    EXPECT_EQ(messages::warn::reading_stopped("a 'b' \"c\"\n", 2),
              "reading stopped here, at \"a 'b' \\\"c\\\"\\n\": 2 lines from here to the end are not read");
}

}  // namespace
}  // namespace pixcell
