#include "output/write_outputs.h"

#include "output/file_commit.h"

namespace pixcell {

bool write_outputs(SpriteList& list, BitmapStore& store, const std::string& ident_base,
                   const std::string& file_base) {
    const GeneratedTexts texts = build_texts(list, store, ident_base);
    return commit_files({
        {file_base + ".s", &texts.asm_text},
        {file_base + ".h", &texts.chr_header_text},
        {file_base + "_enum.h", &texts.enum_text},
        {file_base + "_pat.c", &texts.pattern_source_text},
        {file_base + "_pat.h", &texts.pattern_header_text},
    });
}

}  // namespace pixcell
