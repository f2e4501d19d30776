// The identifiers an export's frame and tag names become: the names keep
// what an identifier can hold, and a name met before gets a number.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>

namespace pixcell {

// Every byte that can't be in a C identifier made '_', one per byte (so a
// non-ASCII letter gives one per byte of its UTF-8).
std::string identifier_bytes(const std::string& name);

// A frame's sprite name: its file extension (.aseprite, .ase, .png in any
// case) dropped, identifier_bytes, '_' before a leading digit and after a
// name of one character (which a description can't give); "frame_INDEX"
// when nothing is left.
std::string frame_sprite_name(const std::string& name, std::size_t index);

// The title of a frame name in the art program's default form, "title
// N.extension"; nothing for a name of another form.
std::optional<std::string> frame_file_title(const std::string& name);

// Names made unique in the order given: one met before gets "_2", or "_3"
// and so on, the first that no name taken so far has.
class UniqueNames {
public:
    std::string take(const std::string& name);

private:
    std::unordered_set<std::string> taken;
    // The suffix each clashing name tries next: those below it are taken
    // (names are never given back), so a thousand frames of one name don't
    // try a million suffixes.
    std::unordered_map<std::string, std::size_t> next_suffix;
};

}  // namespace pixcell
