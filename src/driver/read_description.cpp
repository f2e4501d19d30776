#include "driver/read_description.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace pixcell {

std::optional<std::string> read_description(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return std::nullopt;
    // A directory opens for reading on Linux and then reads nothing.
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return std::nullopt;
    }
    std::string text;
    if (S_ISREG(info.st_mode) && info.st_size > 0) text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, file)) text.append(buffer, std::strlen(buffer));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return text;
}

}  // namespace pixcell

namespace pixcell {

std::optional<std::string> read_export_text(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return std::nullopt;
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        std::fclose(file);
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return text;
}

}  // namespace pixcell
