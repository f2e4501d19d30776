#include "output/file_commit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/messages.h"

namespace pixcell {

namespace {

// The mode bits open(..., 0666) would leave; mkstemp itself gives 0600.
mode_t plain_create_mode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

constexpr std::size_t kPreallocatedFrom = std::size_t{1} << 20;

// A temporary in the target's own folder, so the rename stays on one file
// system. A short fixed name: the target's name may already be as long as
// the file system allows.
std::string temporary_template(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    return folder + ".pixcell-XXXXXX";
}

bool write_all(int fd, const char* data, std::size_t left) {
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes one temporary; its name goes into `temporary` as soon as it exists.
bool write_temporary(const OutputFile& file, mode_t mode, std::string& temporary) {
    // The system would see only the path up to a NUL: another file than the one named.
    if (file.name.find('\0') != std::string::npos) return false;
    std::string name = temporary_template(file.name);
    const int fd = mkstemp(name.data());
    if (fd < 0) return false;
    temporary = name;
    // Its blocks taken at once: ext4 otherwise allocates a file's delayed
    // blocks while it is renamed over an older one, which then takes as long
    // as writing it. A file system that can't is written to all the same.
    const std::size_t size = file.pieces != nullptr ? file.pieces->size : file.text->size();
    if (size >= kPreallocatedFrom) (void)fallocate(fd, 0, 0, static_cast<off_t>(size));
    bool ok = file.pieces != nullptr
                  ? file.pieces->produce([fd](const char* data, std::size_t length) { return write_all(fd, data, length); })
                  : write_all(fd, file.text->data(), file.text->size());
    ok = ok && fchmod(fd, mode) == 0;
    if (close(fd) != 0) ok = false;
    return ok;
}

bool is_directory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

void remove_all(const std::vector<std::string>& temporaries, std::size_t from) {
    for (std::size_t i = from; i < temporaries.size(); ++i) {
        if (!temporaries[i].empty() && unlink(temporaries[i].c_str()) != 0) {
            messages::cant_remove_temporary(temporaries[i]);
        }
    }
}

}  // namespace

FileCommit::~FileCommit() {
    if (!done) remove_all(temporaries, 0);
}

void FileCommit::write(const std::vector<OutputFile>& files) {
    const mode_t mode = plain_create_mode();
    for (const OutputFile& file : files) {
        if (failed_write) return;
        names.push_back(file.name);
        temporaries.emplace_back();
        failed_write = !write_temporary(file, mode, temporaries.back());
    }
}

bool FileCommit::commit(std::size_t* failed) {
    done = true;
    const auto fail = [&](std::size_t i) {
        messages::cant_write_file(names[i]);
        if (failed != nullptr) *failed = i;
        return false;
    };
    if (failed_write) {
        remove_all(temporaries, 0);
        return fail(names.size() - 1);
    }
    // A folder in a target's place would refuse its rename after earlier
    // targets were replaced; find it while nothing has changed yet.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (is_directory(names[i])) {
            remove_all(temporaries, 0);
            return fail(i);
        }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (rename(temporaries[i].c_str(), names[i].c_str()) != 0) {
            remove_all(temporaries, i);
            return fail(i);
        }
    }
    return true;
}

bool commit_files(const std::vector<OutputFile>& files, std::size_t* failed) {
    FileCommit commit;
    commit.write(files);
    return commit.commit(failed);
}

}  // namespace pixcell
