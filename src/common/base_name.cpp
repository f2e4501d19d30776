#include "common/base_name.h"

namespace pixcell {

std::string base_name(const std::string& path) {
    std::string::size_type start = path.rfind('/');
    if (start == std::string::npos) start = path.rfind('\\');
    start = start == std::string::npos ? 0 : start + 1;
    std::string::size_type end = path.rfind('.');
    if (end == std::string::npos || end < start) end = path.size();
    return path.substr(start, end - start);
}

}  // namespace pixcell
