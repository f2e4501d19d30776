// The -d listing of the sprite list.
#pragma once

#include <cstdio>

#include "description/sprite_list.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// Objects whose sheet is not loaded are marked with "* ".
void print_listing(std::FILE* out, const SpriteList& list, const SheetStore& sheets);

}  // namespace pixcell
