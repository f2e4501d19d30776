// What to tell about a sheet line whose sheet didn't load, beside the
// store's "Can't open file NAME": where the name is read from, and what the
// user likely meant.
#pragma once

#include <cstdint>
#include <string>

#include "common/diagnostics.h"

namespace pixcell {

// Notes at `line`, the sheet line naming `file_name`: a folder is said to be
// one; a name that isn't there gets the line named, or, when the file lies
// beside a description in another folder, how to mend the name, and the
// closest file of its folder when one is close.
void note_unloaded_sheet(Diagnostics& diagnostics, std::int64_t line, const std::string& file_name);

}  // namespace pixcell
