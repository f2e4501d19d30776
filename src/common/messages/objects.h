// The messages of the objects' files: with --stream, the frames that don't
// fit the console.
#pragma once

#include <cstdint>
#include <string>

namespace pixcell::messages::warn {

std::string block_too_large(const std::string& name, std::int64_t tiles);
std::string sprite_too_many_objects(const std::string& name, std::int64_t objects);

}  // namespace pixcell::messages::warn
