// Where, on an entry line the language doesn't take, its fields stop: the
// first byte that no field could take, and what each field that got that far
// would have taken there. Editors jump to a column, and "16X16" or "[0,16"
// shows its fault only once the column and the expected character are named.
#pragma once

#include <optional>

namespace pixcell {

struct FieldStop {
    const char* at = nullptr;  // the first byte no field takes (may be a line end, or the text's end)
    unsigned expected = 0;     // messages::warn::FieldExpected bits
};

// `entry` is where the entry line's name starts; the line may run on past
// line ends inside comments, as the language reads it. Nothing when the name
// itself doesn't read (other causes say why) or the line reads whole.
std::optional<FieldStop> where_fields_stop(const char* entry, const char* last);

}  // namespace pixcell
