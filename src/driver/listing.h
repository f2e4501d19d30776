// The -d listing of the sprite list.
#pragma once

#include <cstdio>
#include <string>

#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// Objects whose sheet is not loaded are marked with "* ". `sheet_folder`
// is left out of the sheet names: an export names its sheet from its own
// folder, and the listing shows the name as the export writes it.
void print_listing(std::FILE* out, const SpriteList& list, const SheetStore& sheets,
                   const std::string& sheet_folder = std::string());

}  // namespace pixcell
