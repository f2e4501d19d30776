#include "driver/read_description.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace pixcell {

namespace {

// The file open for reading, or nothing; a directory opens for reading on
// Linux and then reads nothing, so it is nothing here.
std::FILE* open_file(const std::string& path, const char* mode, struct stat& info) {
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) return nullptr;
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

// Closes the file: the text, or nothing when reading failed.
std::optional<std::string> closed(std::FILE* file, std::string& text) {
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return std::move(text);
}

}  // namespace

std::optional<std::string> read_description(const std::string& path) {
    struct stat info {};
    std::FILE* file = open_file(path, "r", info);
    if (!file) return std::nullopt;
    std::string text;
    if (S_ISREG(info.st_mode) && info.st_size > 0) text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, file)) text.append(buffer, std::strlen(buffer));
    return closed(file, text);
}

std::optional<std::string> read_export_text(const std::string& path) {
    struct stat info {};
    std::FILE* file = open_file(path, "rb", info);
    if (!file) return std::nullopt;
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    return closed(file, text);
}

}  // namespace pixcell
