// The conversion and its five texts, made side by side when the run is large:
// the texts of each batch of sprites are formatted on a second thread while
// the next batch is cut. The texts are the same either way.
#pragma once

#include <string>

#include "cells/convert.h"
#include "description/sprite_list.h"
#include "output/render_texts.h"
#include "sheets/sheet_store.h"

namespace pixcell {

struct ConvertedTexts {
    Conversion conversion;
    GeneratedTexts texts;
};

ConvertedTexts convert_and_render(const SpriteList& sprites, const SheetStore& sheets, const std::string& ident_base);

}  // namespace pixcell
