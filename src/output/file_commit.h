// Putting a set of generated files in place all together or not at all.
#pragma once

#include <string>
#include <vector>

namespace pixcell {

struct OutputFile {
    std::string name;         // path as given; also the name in messages
    const std::string* text;  // whole content
};

// Writes each text to a fresh temporary file beside its target and renames
// them into place only after every one was written and closed. On the first
// failure prints "Error: Can't write file '<name>'" for that file, removes the
// temporaries and returns false, with the file's index in `failed` when given:
// the targets are then as they were. New files get the permissions a plain
// create would give them.
bool commit_files(const std::vector<OutputFile>& files, std::size_t* failed = nullptr);

}  // namespace pixcell
