// The -d listing of the sprite list.
#pragma once

#include <cstdio>

#include "cells/bitmap_store.h"
#include "driver/sprite_list.h"

namespace pixcell {

// Objects whose sheet is not loaded are marked with "* ".
void print_listing(std::FILE* out, const SpriteList& list, const BitmapStore& store);

}  // namespace pixcell
