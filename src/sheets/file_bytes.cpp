#include "sheets/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

std::shared_ptr<const OpenFile> OpenFile::open(const std::string& name) {
    if (name.find('\0') != std::string::npos) return nullptr;
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::shared_ptr<const OpenFile>(new OpenFile(fd, static_cast<std::size_t>(info.st_size)));
}

OpenFile::~OpenFile() { ::close(fd); }

bool OpenFile::read(std::uint8_t* to, std::size_t from, std::size_t count) const {
    while (count > 0) {
        const ssize_t got = pread(fd, to, count, static_cast<off_t>(from));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;  // an error, or the file is shorter now
        to += got;
        from += static_cast<std::size_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

bool PartlyRead::finish(FileBytes& bytes) {
    if (!file) return true;
    const bool ok = file->read(bytes.data() + read, read, bytes.size() - read);
    read = bytes.size();
    file.reset();
    return ok;
}

}  // namespace pixcell
