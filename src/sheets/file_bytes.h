// A file's bytes read whole into one buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/large_pages.h"

namespace pixcell {

// Bytes whose resize leaves them uninitialised: a sheet is read straight
// over them, so zeroing megabytes first would only cost time. Large ones
// start on a large page boundary, so that large pages can back all of them.
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n < kLargePage / sizeof(T)) return std::allocator<T>::allocate(n);
        return static_cast<T*>(allocate_block(n * sizeof(T)).release());
    }
    void deallocate(T* p, std::size_t n) noexcept {
        if (n < kLargePage / sizeof(T)) {
            std::allocator<T>::deallocate(p, n);
        } else {
            std::free(p);  // came from allocate_block
        }
    }
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};
using FileBytes = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

// Reads a regular file whole into `bytes`, with one read. False when it
// can't be opened or read (a directory, or a name holding NUL, included).
// Throws std::bad_alloc when the file is larger than the memory left.
bool read_whole_file(const std::string& name, FileBytes& bytes);

// A regular file open for reading a part at a time, for a sheet whose pixels
// are read on another thread while the run goes on; closed when its last
// owner lets go.
class OpenFile {
public:
    // Null when the file can't be opened, or isn't a regular file.
    static std::shared_ptr<const OpenFile> open(const std::string& name);
    ~OpenFile();
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    std::size_t size() const { return size_; }
    // Bytes [from, from + count) into `to`; false when the file no longer
    // holds them (it changed meanwhile) or can't be read.
    bool read(std::uint8_t* to, std::size_t from, std::size_t count) const;

private:
    OpenFile(int fd, std::size_t size) : fd(fd), size_(size) {}
    int fd;
    std::size_t size_;
};

// A file's bytes, of which the first `read` are in place; `file` reads the
// rest when they are needed. `file` null: all of them are in place.
struct PartlyRead {
    std::size_t read = 0;
    std::shared_ptr<const OpenFile> file;

    bool whole() const { return file == nullptr; }
    // Reads what isn't in place yet; false when the file changed meanwhile.
    bool finish(FileBytes& bytes);
};

}  // namespace pixcell
