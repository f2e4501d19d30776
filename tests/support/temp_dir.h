// A fresh folder under the system's temporary folder, removed with
// everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace pixcell::testing {

struct TempDir {
    std::string path;

    TempDir() {
        std::string name = (std::filesystem::temp_directory_path() / "pixcell-test-XXXXXX").string();
        if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("can't make a temporary folder");
        path = name;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string file(const std::string& name) const { return path + "/" + name; }
};

}  // namespace pixcell::testing
