#include "driver/run.h"

#include <csignal>
#include <cstdio>

#include "cells/bitmap_store.h"
#include "description/parse_description.h"
#include "driver/command_line.h"
#include "driver/listing.h"
#include "driver/read_description.h"
#include "output/write_outputs.h"

namespace pixcell {

int run(int argc, const char* const* argv) {
    // A file size limit must fail the write, which we report, rather than
    // kill the run halfway.
    std::signal(SIGXFSZ, SIG_IGN);

    const std::optional<CommandLine> command_line = parse_command_line(argc, argv);
    if (!command_line) {
        std::fputs("Usage: pixcell [options] input \n", stderr);
        return 1;
    }
    const std::optional<std::string> text = read_description(command_line->input);
    if (!text) {
        std::fprintf(stderr, "Error: Can't open file '%s'\n", command_line->input.c_str());
        return 1;
    }

    ParseState state;
    BitmapStore store;
    SpriteList list;
    ReaderContext reader{state, store, list};
    // A description that doesn't match still gives its (empty) outputs.
    if (!parse_description(*text, reader)) std::fputs("Illegal input file\n", stderr);

    const OutputNames names = output_names(*command_line);
    if (command_line->debug_listing) {
        print_listing(stdout, list, store);
    } else if (state.load_error == 0) {
        if (!write_outputs(list, store, names.ident_base, names.file_base)) return 1;
    }
    return state.load_error;
}

}  // namespace pixcell
