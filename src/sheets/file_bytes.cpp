#include "sheets/file_bytes.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace pixcell {

bool read_whole_file(const std::string& name, FileBytes& bytes) {
    if (name.find('\0') != std::string::npos) return false;  // would open a shorter path
    // A directory opens fine with fopen but reports a bogus size.
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return false;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) return false;
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (ok && size > 0) {
        try {
            bytes.resize(static_cast<std::size_t>(size));
        } catch (...) {
            std::fclose(file);
            throw;
        }
        // Read whole, then visited cell by cell 16 rows at a time: large pages
        // save most page faults on reading and TLB misses on cutting.
        ask_for_large_pages(bytes.data(), bytes.size());
        ok = std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    }
    std::fclose(file);
    return ok;
}

}  // namespace pixcell
