// A path's file name without folder and extension, the way the outputs and
// their identifiers are named from the paths a user gives.
#pragma once

#include <string>

namespace pixcell {

// After the last "/" (or, when there is none, the last "\"), up to the last
// "." of the whole path when that stands inside the name.
std::string base_name(const std::string& path);

}  // namespace pixcell
