// What every part of the messages shares: the one write of a whole line, and
// names and pieces of the description quoted with C's escapes, so that a name
// holding a line end or bytes that aren't UTF-8 still makes one line.
#pragma once

#include <string>

namespace pixcell::messages::detail {

// One whole line on standard error, in a single write.
void print(const std::string& line);

std::string quoted(const std::string& text);         // 'text'
std::string double_quoted(const std::string& text);  // "text"
// A file name that stands in a message without quotes.
std::string unquoted(const std::string& text);

}  // namespace pixcell::messages::detail
