// Every text the program prints on standard error, one function each, so
// that the wording lives in one place: in messages/, one part per stage
// (the command line, the description, the sheets, the colours, the cells,
// the objects, the outputs), each a header and its source. Each call prints one whole
// line with a single write, so lines never interleave. The lines whose form
// is fixed ("Can't open file NAME" and its kind) print names byte for byte;
// the others quote names and pieces of the description with C's escapes, so
// that a name holding a line end or bytes that aren't UTF-8 still makes one
// line. The texts of warnings and notes (namespace warn) are printed in
// place by Diagnostics.
#pragma once

#include "common/messages/cells.h"
#include "common/messages/colours.h"
#include "common/messages/command_line.h"
#include "common/messages/description.h"
#include "common/messages/objects.h"
#include "common/messages/output.h"
#include "common/messages/sheets.h"
