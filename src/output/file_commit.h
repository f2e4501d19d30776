// Putting a set of generated files in place all together or not at all.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace pixcell {

// A file's content made a piece at a time while it is written, for a text
// of megabytes that isn't worth holding whole (every byte of a fresh buffer
// costs the system a page to clear): `size` bytes, which `produce` hands to
// `write` in order, stopping when `write` returns false.
struct TextPieces {
    using Write = std::function<bool(const char* data, std::size_t size)>;
    std::size_t size = 0;
    std::function<bool(const Write& write)> produce;
};

struct OutputFile {
    std::string name;                     // path as given; also the name in messages
    const std::string* text;              // whole content, unless `pieces` is set
    const TextPieces* pieces = nullptr;  // the content, made while it is written
};

// Writes each text to a fresh temporary file beside its target and renames
// them into place only after every one was written and closed. On the first
// failure prints "Error: Can't write file '<name>'" for that file, removes the
// temporaries and returns false, with the file's index in `failed` when given:
// the targets are then as they were. New files get the permissions a plain
// create would give them.
bool commit_files(const std::vector<OutputFile>& files, std::size_t* failed = nullptr);

}  // namespace pixcell
