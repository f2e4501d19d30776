// Where warnings and notes go: one line each on standard error, in the form
// compilers use ("FILE:LINE: warning: ..."), so that editors jump to them.
// The texts come from messages.h; this only places, counts and silences them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pixcell {

class Diagnostics {
public:
    // `enabled` false (--no-warnings) prints no warning or note and counts none.
    explicit Diagnostics(bool enabled = true) : enabled(enabled) {}

    // The description file as given on the command line, for the lines that
    // name a place in it.
    void set_file(const std::string& name) { file = name; }
    const std::string& file_name() const { return file; }

    void warning(const std::string& text);                        // pixcell: warning: TEXT
    // A line of 0 is none: FILE: warning: TEXT.
    void warning_at(std::int64_t line, const std::string& text);  // FILE:LINE: warning: TEXT
    void note(const std::string& text);                           // pixcell: note: TEXT
    void note_at(std::int64_t line, const std::string& text);     // FILE:LINE: note: TEXT
    // FILE:LINE:COLUMN: note: TEXT, the column counted in bytes from 1.
    void note_at(std::int64_t line, std::int64_t column, const std::string& text);
    // OTHER:LINE: note: TEXT, of a file the run reads besides the description.
    void note_in(const std::string& other, std::int64_t line, const std::string& text);

    std::size_t warnings() const { return count; }

private:
    void print(const std::string& where, const char* kind, const std::string& text);

    bool enabled;
    std::string file;
    std::size_t count = 0;
};

}  // namespace pixcell
