#include "driver/run.h"

#include <csignal>
#include <cstdio>

#include "cells/convert.h"
#include "common/messages.h"
#include "description/parse_description.h"
#include "driver/command_line.h"
#include "driver/listing.h"
#include "driver/read_description.h"
#include "output/render_texts.h"
#include "sheets/sheet_store.h"

namespace pixcell {

int run(int argc, const char* const* argv) {
    // A file size limit must fail the write, which we report, rather than
    // kill the run halfway.
    std::signal(SIGXFSZ, SIG_IGN);

    const std::optional<CommandLine> command_line = parse_command_line(argc, argv);
    if (!command_line) {
        messages::usage();
        return 1;
    }
    const std::optional<std::string> text = read_description(command_line->input);
    if (!text) {
        messages::cant_open_input(command_line->input);
        return 1;
    }

    // Sheets load as their lines are read, each reporting its own failure.
    SheetStore sheets;
    const Description description = parse_description(*text, sheets);
    // A description that doesn't match still gives its (empty) outputs.
    if (!description.matched) messages::illegal_input();
    const int status = sheets.failed_loads() == 0 ? 0 : 1;

    const OutputNames names = output_names(*command_line);
    if (command_line->debug_listing) {
        print_listing(stdout, description.sprites, sheets);
        return status;
    }
    if (status != 0) return status;  // no files when a sheet failed

    const Conversion conversion = convert(description.sprites, sheets);
    for (const std::size_t skipped : conversion.skipped) {
        const SpriteObject& sprite = description.sprites[skipped];
        messages::sprite_skipped(sprite.bitmap, sprite.name);
    }
    const GeneratedTexts texts = render_texts(description.sprites, conversion, names.ident_base);
    if (!commit_files(output_files(texts, names.file_base))) return 1;
    return 0;
}

}  // namespace pixcell
