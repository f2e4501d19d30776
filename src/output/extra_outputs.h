// The files a run writes beyond the five, one entry each in one list: when
// the command line asks for it, its file names, and how its texts are made
// from what the run converted. The run, --list-outputs, the make rule's
// targets and the refusal of option values that name a file the run writes
// all read this list, so that a new output is a new entry.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cells/convert.h"
#include "common/diagnostics.h"
#include "compress/tile_arrays.h"
#include "description/animations.h"
#include "description/sprite_list.h"
#include "objects/cover_sprites.h"
#include "output/counts_text.h"
#include "output/file_commit.h"
#include "sheets/sheet_store.h"

namespace pixcell {

// What the command line asks for beyond the five files.
struct ExtraRequests {
    bool palette = false;                    // --palette: each sheet's colours and each sprite's row
    bool counts = false;                     // --counts: the description's budget as #defines
    std::optional<std::string> preview;      // --preview=FILE.png: a picture of what the console shows
    std::optional<std::string> deps;         // --deps=FILE: a make rule for every other file
    std::optional<ObjectCost> objects;       // --objects[=fewest|bytes]: every sprite as objects of every shape
    bool stream = false;                     // --stream: the objects' tiles in one block a sprite (balanced when alone)
    bool animations = false;                 // the input, an export, has tags: their animation tables
    std::optional<CompressFormat> compress;  // --compress[=FORMAT]: the tile arrays as the BIOS unpacks them
};

// What the files are made from: the finished conversion and what it was made of.
struct RunResults {
    const SpriteList& sprites;
    const Conversion& conversion;
    const SheetStore& sheets;
    const std::string& ident_base;
    // Every file the run read, in reading order: the make rule's prerequisites.
    std::vector<std::string> inputs;
    const ObjectConversion* objects;    // when --objects asked for them
    const Animations* animations;       // an export's, when it has tags
    const CompressedTiles* compressed;  // when --compress asked for them
    ChainStart start = {};              // where its rows and tiles start (--first-row, --after)
};

// One file's content: a text, or pieces made while it is written.
struct FileText {
    FileText(std::string text) : text(std::move(text)) {}
    FileText(TextPieces pieces) : pieces(std::move(pieces)) {}
    std::string text;
    std::optional<TextPieces> pieces;
};

struct ExtraOutput {
    const char* option;  // that asks for it (null: the input does)
    // Set when an option's value names the file (--preview=FILE): that file
    // may not be one the run reads, nor another it writes.
    std::optional<std::string> ExtraRequests::*named_by;
    bool (*asked)(const ExtraRequests& requests);
    std::vector<std::string> (*paths)(const ExtraRequests& requests, const std::string& file_base);
    // Its texts, one per path, in the same order; `targets` are the files
    // the run writes before this one. False, with the reason said, when they
    // can't be made.
    bool (*make)(const RunResults& results, const ExtraRequests& requests, const std::vector<std::string>& targets,
                 Diagnostics& diagnostics, std::vector<FileText>& texts);
};

// In the order the files are made and written: the make rule last, since
// every other file is its target.
const std::vector<ExtraOutput>& extra_outputs();

// Every file a run asked for so writes when it succeeds: the five, then the
// extras in the list's order.
std::vector<std::string> written_paths(const ExtraRequests& requests, const std::string& file_base);

// (option, file) for each extra asked for whose file an option's value names.
std::vector<std::pair<std::string, std::string>> named_outputs(const ExtraRequests& requests);

// Makes the texts of every extra asked for, keeps them in `texts` and adds
// their files to `files`, after the five. False, with the reason said, when
// one can't be made.
bool make_extra_files(const RunResults& results, const ExtraRequests& requests, const std::string& file_base,
                      Diagnostics& diagnostics, std::deque<FileText>& texts, std::vector<OutputFile>& files);

}  // namespace pixcell
