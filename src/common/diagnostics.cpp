#include "common/diagnostics.h"

#include "common/error_stream.h"

namespace pixcell {

namespace {

// A line of 0 is none: what an export of the art program gives has no lines.
std::string place(const std::string& file, std::int64_t line) {
    return line == 0 ? file : file + ":" + std::to_string(line);
}

}  // namespace

void Diagnostics::print(const std::string& where, const char* kind, const std::string& text) {
    // One write, so that the line can't be torn; names may hold any byte.
    const std::string line = where + ": " + kind + ": " + text + "\n";
    write_error_stream(line);
}

void Diagnostics::warning(const std::string& text) {
    if (!enabled) return;
    ++count;
    print("pixcell", "warning", text);
}

void Diagnostics::warning_at(std::int64_t line, const std::string& text) {
    if (!enabled) return;
    ++count;
    print(place(file, line), "warning", text);
}

void Diagnostics::note(const std::string& text) {
    if (enabled) print("pixcell", "note", text);
}

void Diagnostics::note_at(std::int64_t line, const std::string& text) {
    if (enabled) print(place(file, line), "note", text);
}

void Diagnostics::note_at(std::int64_t line, std::int64_t column, const std::string& text) {
    if (enabled) print(file + ":" + std::to_string(line) + ":" + std::to_string(column), "note", text);
}

void Diagnostics::note_in(const std::string& other, std::int64_t line, const std::string& text) {
    if (enabled) print(place(other, line), "note", text);
}

}  // namespace pixcell
