// How far apart two words are, for the "did you mean" notes of options and
// sheet names.
#pragma once

#include <cstddef>
#include <string>

namespace pixcell {

// Edits (a letter added, dropped, changed, or two swapped) from one word to
// the other.
std::size_t edits(const std::string& a, const std::string& b);

}  // namespace pixcell
