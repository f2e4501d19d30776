// The description stage: reads a sprite description into the sprite list,
// loading each sheet as its line is read (so that sheet messages come in
// text order), and placing the parts that give no position. Reading ends at
// the first line that doesn't fit the language; what came before counts.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "description/actions.h"
#include "description/entry_checks.h"
#include "description/sprite_list.h"
#include "description/stop_report.h"
#include "sheets/sheet_store.h"

namespace pixcell {

struct Description {
    SpriteList sprites;
    // False when the text doesn't start as the language does ("Illegal input
    // file"); what was read before that still counts.
    bool matched = false;
    // Where reading ended, when anything but white space and comments is left
    // there (or, when the text didn't match, what it starts with).
    std::optional<StopReport> stopped;
    std::string image_kind;  // when it didn't match: the image format the input looks like
    // The line that loaded each sheet, in loading order (with diagnostics only).
    std::vector<std::int64_t> sheet_lines;
};

// Reads from the start of the text; the text ends at its first NUL. With
// `diagnostics`, each closed line is warned about as it is read; `generated`
// are the identifiers the generated files declare, which no sprite may take;
// `exact_objects`: the run makes objects (see check_part).
Description parse_description(const std::string& text, SheetStore& sheets, Diagnostics* diagnostics = nullptr,
                              std::vector<GeneratedName> generated = {}, bool exact_objects = false);

// The sheet names a reading of the text meets, in text order, each once,
// loading none: what the run will read besides the description.
std::vector<std::string> sheet_names(const std::string& text);

// The warning (or, after "Illegal input file", the notes) saying where
// reading stopped and why.
void warn_where_reading_stopped(const Description& description, Diagnostics& diagnostics);

// The same reading on a state the caller holds, to look at it afterwards.
bool parse_description(const std::string& text, ReaderContext& ctx);

}  // namespace pixcell
