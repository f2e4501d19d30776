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

// Files put in place all together or not at all, written a group at a
// time, so that a run writes the files it has while it makes the others:
// write() writes each text to a fresh temporary file beside its target, and
// commit() renames them all into place, once every one was written and
// closed. A failure is told by commit() alone, so what a run says doesn't
// depend on when its files were written; temporaries that are never
// committed are removed when the FileCommit goes. New files get the
// permissions a plain create would give them.
class FileCommit {
public:
    FileCommit() = default;
    FileCommit(const FileCommit&) = delete;
    FileCommit& operator=(const FileCommit&) = delete;
    ~FileCommit();

    // After a failure nothing more is written.
    void write(const std::vector<OutputFile>& files);

    // On the first failure prints "Error: Can't write file '<name>'" for that
    // file, removes the temporaries and returns false, with the file's index
    // (among all written) in `failed` when given: the targets are then as
    // they were.
    bool commit(std::size_t* failed = nullptr);

private:
    std::vector<std::string> names;
    std::vector<std::string> temporaries;  // beside names; empty where none was made
    bool failed_write = false;             // the last of names failed
    bool done = false;
};

// All of `files` written and committed at once.
bool commit_files(const std::vector<OutputFile>& files, std::size_t* failed = nullptr);

}  // namespace pixcell
