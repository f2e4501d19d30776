#include "driver/command_line.h"

#include <cstring>

#include "common/base_name.h"

namespace pixcell {

const std::vector<OptionInfo>& known_options() {
    static const std::vector<OptionInfo> options = {
        {"--werror", &CommandLine::werror, nullptr, nullptr,
         "make every warning, and an illegal description, fail the run: status 1, no file written",
         "Make every warning, and a description that doesn't start as the language does, fail the run: the exit "
         "status is 1 and no file is written or changed. With -d the listing is still printed."},
        {"--no-warnings", &CommandLine::no_warnings, nullptr, nullptr, "print no warnings and no notes",
         "Print no warnings and no notes. With --werror, warnings then fail nothing."},
        {"--deps", nullptr, &CommandLine::deps, "FILE",
         "also write FILE, a make rule: the five files depend on the description and the sheets",
         "Also write FILE, a make rule as compilers write one with -MD -MP: the five files (and every other file "
         "the run writes), named as the run names them, are its targets; the description, the --palette-from file "
         "and every sheet the run loaded, as absolute paths, are its prerequisites; and each prerequisite has an empty rule of its own, so that a sheet that was "
         "deleted doesn't stop make. Include FILE from the Makefile, or give it to CMake as the DEPFILE of the "
         "custom command, and the files are made again whenever the description or a sheet changes. The rule "
         "doesn't know the options the run had: a Makefile converts again when they change with a file that "
         "holds the command, rewritten only when it differs (see EXAMPLES); CMake does so by itself.\n"
         "FILE is written only when the five files are, and together with them. It must not name the "
         "description, a sheet or another file the run writes. Blanks, '#', '$', ':' and (in targets) '%' in paths "
         "are escaped as GNU make reads them. A path that make can't read in a rule at all is refused: one "
         "that holds a line end, a tab, ';', '=' or '|', ends in '\\', or has the form of an archive member, "
         "name(member).\n"
         "CMake 3.25 misreads some escaped characters: with CMake, keep '#', '$', ':', '%', '&', \"'\", '*', "
         "';' and '|' out of the paths of the project, the build folder and the sheets."},
        {"--palette", &CommandLine::palette, nullptr, nullptr,
         "also write OUTPUT_pal.c and OUTPUT_pal.h: each sheet's colours and each sprite's palette row",
         "Also write OUTPUT_pal.c and OUTPUT_pal.h: for each sheet the run loaded, in loading order, an array of "
         "its colours in the console's 15-bit format (red in the low 5 bits, then green, then blue, each the top 5 "
         "bits of its 8), as many as its colour table or PLTE chunk holds, so that palette row r is entries 16r to "
         "16r + 15. The array of sheet gfx/hero.png is "
         "IDENT_hero_pal (IDENT being the identifier base of the five files): the sheet's file name without "
         "folders and extension, every character other than a letter, digit or '_' made '_', and '_' in front of "
         "a leading digit; when two sheets give the same name, the later ones get _2, _3, and so on. The header "
         "declares each as extern const u16 NAME[N].\n"
         "Then IDENT_palette_row, declared extern const u8 IDENT_palette_row[N]: the palette row of each sprite, in "
         "the order of the enumeration, the high 4 bits of its first pixel that isn't transparent (the cells keep "
         "the low 4). Load that row of the sprite's sheet into the same row of object palette memory, and give "
         "the row to each of its objects (bits 12 to 15 of attribute 2).\n"
         "For each colour array A the header also defines A_FIRST_ROW, the row of object palette memory that "
         "entry 0 of A is loaded at: for an indexed sheet, whose array is its whole colour table, 0 or the row "
         "--first-row moves it to, and for a true-colour sheet the first row made for it (see --first-row), whose "
         "array holds its rows from there on. "
         "So a game loads every array of every description at 16 * A_FIRST_ROW."},
        {"--preview", nullptr, &CommandLine::preview, "FILE.png",
         "also write a PNG picture of the cells and sprites as the console would show them",
         "Also write FILE.png, a picture of what the console would show, drawn from the generated cell data and "
         "pattern records: first the distinct cells in table order, 16 a row with a 1-pixel gap, each in the "
         "colours of the sheet it was first cut from, in the palette row of the first sprite that placed it; below "
         "them every sprite that has a pattern record, in enumeration order and in its own row, each in a frame, "
         "frames left to right 2 pixels apart and wrapping at 1024 pixels (or the widest frame). Cells are placed "
         "at their offsets with their flips, an earlier entry of a record over a later one, as the console's "
         "object order does; colour 0 is transparent. A wrong flip or offset in the generated files shows in the "
         "picture. A FILE that doesn't end in .png (in any case) is refused.\n"
         "The frames are all of one size: the box, relative to the origin, that holds the cells of every sprite, "
         "so the origin is at the same place in each frame and an origin that jumps between the frames of an "
         "animation shows. The origin is marked with a plus sign of five pixels in RGBA (255, 0, 255, 128), which "
         "no sprite pixel can be, over the sprite and centred on the pixel whose top-left corner is the origin. "
         "A frame holds the whole plus sign when it touches the sprite's cells, as at an origin on the sprite's "
         "edge, and none of it when it lies apart from them. When that common box is wider or taller than 1024 "
         "pixels, each frame is its sprite's own box.\n"
         "FILE.png is written only when the five files are, and together with them. It must not name the "
         "description, a sheet or another file the run writes."},
        {"--transparent", nullptr, &CommandLine::transparent, "RRGGBB",
         "the transparent colour of true-colour sheets without alpha (default: the top-left pixel's)",
         "The colour, as six hexadecimal digits (a '#' before them is allowed), that is transparent on the "
         "true-colour sheets that have no alpha channel (a 24-bit BMP, an RGB PNG without tRNS). Colours are "
         "compared as the console shows them, by the top 5 bits of red, green and blue. Without it, the colour "
         "of each such sheet's top-left pixel is taken, and a note says which. Sheets with alpha take alpha below "
         "128 as transparent."},
        {"--palette-from", nullptr, &CommandLine::palette_from, "FILE",
         "put the true-colour sheets' sprites in the rows of this palette instead of making rows",
         "Put the sprites of the true-colour sheets in the palette rows of FILE instead of making rows for them: "
         "each sprite (or group of sprites that share pixels) takes the lowest row that holds all its opaque "
         "colours in slots 1 to 15, and each pixel the lowest slot of its colour there. FILE is an indexed PNG or "
         "BMP (its colour table), a JASC-PAL file, a GIMP .gpl file, or a text file of RRGGBB colours one a line "
         "('#' before them and blank lines allowed); at most 256 colours, row r being entries 16r to 16r + 15. "
         "Indexed sheets keep their indices: without a true-colour sheet the option does nothing, and a note says "
         "so. A sprite whose colours no row holds fails the run, naming the row that holds the most and the "
         "colours it lacks; sprites that lack the same ones are counted in one line. FILE is a prerequisite of the "
         "--deps rule.",
         true},
        {"--first-row", nullptr, &CommandLine::first_row, "N",
         "put the palette rows from row N (0 to 15) on, after another description's; indexed sheets move by N",
         "Make the palette rows of the true-colour sheets from row N on (0 to 15) instead of from row 0, so that "
         "they don't take the rows of another description of the same game: N, N + 1, and so on, every sprite's "
         "row (NAME_palette_row) counted so too. --palette-from keeps its file's rows: where the option has "
         "nothing to act on, a note says so. When the rows needed don't fit from N to 15, the run fails as for a sheet that can't be used.\n"
         "Indexed sheets move too: a sprite drawn in row r is shown in row r + N (NAME_palette_row), and each "
         "indexed sheet's colour array A has A_FIRST_ROW N, its row 0 going to row N (the array holds the 16 - N "
         "rows that fit there). A sprite whose row would "
         "pass 15 fails the run. In a run of both kinds, the rows made for the true-colour sheets are the lowest "
         "rows in a row, from N (or 0) on, that no sprite of an indexed sheet is drawn in, so that each colour "
         "array stays one block."},
        {"--after", nullptr, &CommandLine::after, "FILE",
         "start the palette rows and tiles where the description of counts header FILE ends",
         "FILE is the counts header (--counts) of another description of the same game. This description's "
         "palette rows start where FILE's end, at its FIRST_ROW + ROW_COUNT, as --first-row would place them, "
         "and its counts header gains IDENT_FIRST_TILE, FILE's IDENT_END_TILE, so that a game loads each "
         "description's tiles there. Descriptions chain: items --after=hero_counts.h, boss "
         "--after=items_counts.h, and so on; the last one's END_TILE is where the chain ends. A chain whose rows "
         "pass 15 fails the run, and one whose tiles pass the 1024 tiles of sprite tile memory is warned about.\n"
         "FILE is read whole and must be a counts header as pixcell writes it; it is a prerequisite of the --deps "
         "rule, so that a build converts this description again when the one before changes. It can't be given "
         "with --first-row, and must not name a file the run writes.",
         true},
        {"--counts", &CommandLine::counts, nullptr, nullptr,
         "also write OUTPUT_counts.h: the description's cells, sprites and palette rows as #defines",
         "Also write OUTPUT_counts.h, a header of plain #defines (it includes nothing) that a game can use in "
         "array sizes, loops and _Static_assert, where the headers of several descriptions meet: "
         "IDENT_CELL_COUNT, the distinct cells of the cell array, and IDENT_CELL_BYTES, their bytes; "
         "IDENT_SPRITE_COUNT, the enumerators; IDENT_PATTERN_TABLE_LENGTH, the elements of the pattern table "
         "(the last sprite with cells, plus one); IDENT_MOST_CELLS, the most cells, so objects, of one sprite; "
         "IDENT_FIRST_ROW and IDENT_ROW_COUNT, the lowest palette row a sprite with cells uses and how many rows "
         "from there to the highest (0 and 0 when no sprite has cells; with --first-row or --after, FIRST_ROW is "
         "then the row given); IDENT_FIRST_TILE, the tile its tiles are loaded at (0, or where the description of "
         "--after ends), and IDENT_END_TILE, FIRST_TILE plus the tiles it keeps in tile memory: four a distinct "
         "cell, or with --objects the tiles of its objects."},
        {"--objects", nullptr, &CommandLine::objects, "fewest|bytes",
         "also write OUTPUT_obj_tiles.s, OUTPUT_obj.c and .h: each sprite as objects of every shape, fewest objects and tile bytes",
         "Also write OUTPUT_obj_tiles.s, OUTPUT_obj.c and OUTPUT_obj.h: every sprite as objects of the console's twelve "
         "shapes (8x8 to 64x64, wide and tall) instead of one 16x16 object a cell, so that it takes fewer of the "
         "128 objects and fewer bytes of tile memory. IDENT_obj_tiles holds the tiles of every distinct object "
         "(a mirror image of another is stored once and shown flipped), each object's tiles one after another "
         "as the one-dimensional mapping reads them; IDENT_objects every object of every sprite, its x and y "
         "offset from the sprite's origin, its attribute 0 shape bits, its attribute 1 size and flip bits and its "
         "first tile; IDENT_sprite_objects, in the order of the enumeration, each sprite's first object and "
         "count. The header defines IDENT_OBJ_TILE_COUNT, IDENT_OBJ_TILE_BYTES, IDENT_OBJECT_COUNT and "
         "IDENT_MOST_OBJECTS, and includes <spriteobj.h>, whose spr_write_objects() writes a sprite's objects to "
         "object attribute memory, flipped as a whole when asked.\n"
         "Each part is covered on its own by objects that show every pixel its cells show, never more objects "
         "than its cells; the last-described part's objects come first, so that they are drawn on top. Bare, "
         "the cover is balanced: an object costs as much as 256 bytes of tiles. --objects=fewest takes the "
         "fewest objects, --objects=bytes the fewest tile bytes. The same input gives the same files.",
         false, "balanced"},
        {"--stream", &CommandLine::stream, nullptr, nullptr,
         "lay the objects' files out to copy one block of tiles a sprite at each frame change (implies --objects)",
         "Lay the files of --objects out for a game that keeps in tile memory only the frames on screen and copies "
         "a sprite's tiles into a slot of it when its animation changes frame. Alone it means --objects; with "
         "--objects=fewest or --objects=bytes that cover. Each sprite is covered for itself, nothing shared with "
         "another, so that what a frame costs is its own objects and its own block: IDENT_obj_tiles is one "
         "block a sprite, in the order of the enumeration, holding each distinct object picture of that sprite "
         "once (a mirror image is shown flipped) and nothing else; sprites whose blocks would hold the same "
         "pictures, each the same or a mirror image, share one, the later sprite's objects flipped to fit. "
         "Each object's tile counts from the first tile of its sprite's block. IDENT_sprite_tiles "
         "gives, for each sprite in the order of the enumeration, the first tile of its block and its tile count "
         "(0 for a sprite that shows nothing), and the header defines IDENT_MOST_TILES, the most tiles of one "
         "sprite: the slot a game reserves. spr_copy_tiles() of <spriteobj.h> copies a block into a slot; "
         "spr_write_objects() given the slot's first tile then shows the sprite.\n"
         "What must fit the console is then each frame, not the whole description: instead of the warning "
         "about the description's tile memory, a sprite whose block is larger than the 32 KB of tile memory, or "
         "that has more than 128 objects, is warned about by name."},
        {"--compress", nullptr, &CommandLine::compress, "lz77|rle|huffman|auto",
         "also write OUTPUT_cmp.s and .h: the tile arrays compressed as the console's BIOS unpacks them",
         "Also write OUTPUT_cmp.s and OUTPUT_cmp.h: the tile arrays compressed in a format the console's BIOS "
         "decompresses, for a game that keeps its tiles compressed in the cartridge and unpacks them into tile "
         "memory when it needs them. IDENT_chr_cmp is the cell data of OUTPUT.s compressed as one; with --objects, "
         "IDENT_obj_tiles_cmp is IDENT_obj_tiles compressed; with --stream, each sprite's block of IDENT_obj_tiles "
         "is compressed on its own instead (sprites that share a block share it), and IDENT_sprite_tiles_cmp, "
         "declared extern const u32* const IDENT_sprite_tiles_cmp[N], points to each sprite's, in the order of "
         "the enumeration, null for a sprite that shows nothing. Each array is 4-byte aligned and starts with the "
         "4-byte header the BIOS functions read (the type in bits 4-7 of the first byte, the unpacked size in "
         "bits 8-31), and the header declares each as extern const u32 NAME[N]. The uncompressed files stay as "
         "they are.\n"
         "--compress=lz77 writes LZ77 (type 0x10) that the 16-bit function LZ77UnCompReadNormalWrite16bit (SWI "
         "0x12) unpacks straight into tile memory: no reference to the byte just written, and the fewest bytes "
         "of any such stream. --compress=rle writes run-length (type 0x30, SWI 0x14 or 0x15), the fewest bytes "
         "too. --compress=huffman writes Huffman (SWI 0x13, which writes 32 bits at a time), with 4- or 8-bit "
         "symbols, whichever is smaller (type 0x24 or 0x28), its tree laid out as the BIOS reads it. Bare, or "
         "--compress=auto, takes the smallest of the three for each array. The counts header (--counts) "
         "defines each array's bytes (with --stream, IDENT_SPRITE_TILES_CMP_BYTES, the blocks' sum, and "
         "IDENT_MOST_SPRITE_TILES_CMP_BYTES, the largest), and --stats prints them, header included, before the padding to 4. The "
         "BIOS functions unpack at most 16 MB less one byte: a larger tile array fails the run.",
         false, "auto"},
        {"--stats", &CommandLine::stats, nullptr, nullptr, "print a summary line of the conversion",
         "Once the files are written, print one line on standard error: how many sprites, parts and cells were cut "
         "(and how many of them were empty), how many distinct cells were stored, how many cells matched a stored "
         "one as a mirror image, and the bytes of sprite tile memory the cells take, with their share of its 32 KB. "
         "A run that fails prints none."},
        {"--list-outputs", &CommandLine::list_outputs, nullptr, nullptr,
         "print the files the run would write, one a line, and exit",
         "Print the files that a run with the same options, input and output writes when it succeeds, one a "
         "line, as the run names them (the five files first), and exit with status 0 without reading the "
         "description or writing anything. Build systems ask it which files a run makes, since options add "
         "files: pixcell_add_sprites() of the CMake package declares them all so."},
        {"--help", &CommandLine::help, nullptr, nullptr, "print this help and exit",
         "Print the usage, the options and a summary of the description language on standard output, and exit "
         "with status 0."},
        {"--version", &CommandLine::version, nullptr, nullptr, "print the version and exit",
         "Print the version on standard output and exit with status 0."},
    };
    return options;
}

std::vector<OptionDoc> option_docs() {
    std::vector<OptionDoc> docs = {
        {"-d", "print the sprites as the description defines them; write no files",
         "Print the sprites as the description defines them, one line per part, instead of writing files: the "
         "sheet, the sprite's name, the part's position and size. A sprite whose sheet didn't load is marked "
         "with '* '. Any single-dash option whose second letter is d, such as -debug, does the same; other "
         "single-dash options are ignored with a warning. The exit status is 0 when every sheet loaded."},
    };
    for (const OptionInfo& option : known_options()) {
        std::string synopsis = option.name;
        if (option.bare_value != nullptr) {
            synopsis += std::string("[=") + option.value_name + "]";
        } else if (option.value != nullptr) {
            synopsis += std::string("=") + option.value_name;
        }
        docs.push_back({synopsis, option.help, option.manual});
    }
    return docs;
}

std::vector<std::pair<std::string, std::string>> read_values(const CommandLine& command_line) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const OptionInfo& option : known_options()) {
        if (option.value_is_read && (command_line.*option.value)) {
            values.emplace_back(option.name, *(command_line.*option.value));
        }
    }
    return values;
}

namespace {

// Applies a double-dash argument; false when no option has that name.
bool apply_option(const std::string& argument, CommandLine& result) {
    for (const OptionInfo& option : known_options()) {
        const std::size_t length = std::strlen(option.name);
        if (argument.compare(0, length, option.name) != 0) continue;
        if (option.flag != nullptr) {
            if (argument.size() != length) continue;  // "--werrors" is another word
            result.*option.flag = true;
            return true;
        }
        if (argument.size() == length || argument[length] != '=') {
            if (argument.size() != length) continue;
            if (option.bare_value != nullptr) {
                result.*option.value = option.bare_value;
            } else {
                result.refused.push_back(option.name);  // no value at all
            }
            return true;
        }
        const std::string value = argument.substr(length + 1);
        if (value.empty()) {
            result.refused.push_back(option.name);
        } else {
            result.*option.value = value;
        }
        return true;
    }
    return false;
}

}  // namespace

CommandLine parse_command_line(int argc, const char* const* argv) {
    CommandLine result;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string argument = argv[i];
        if (argument[1] == 'd') {
            result.debug_listing = true;  // only the second character counts: -debug is -d
        } else if (argument[1] == '-' && argument.size() > 2) {
            if (!apply_option(argument, result)) result.unknown_options.push_back(argument);
        } else {
            result.ignored_options.push_back(argument);
        }
    }
    if (i < argc) result.input = argv[i++];
    if (i < argc) result.output = argv[i++];
    for (; i < argc; ++i) result.after_output.push_back(argv[i]);
    return result;
}

OutputNames output_names(const CommandLine& command_line) {
    if (command_line.output) return {base_name(*command_line.output), *command_line.output};
    const std::string base = base_name(*command_line.input);
    return {base, base};
}

std::optional<ObjectCost> object_cost(const std::string& mode) {
    if (mode == "balanced") return kBalanced;
    if (mode == "fewest") return kFewestObjects;
    if (mode == "bytes") return kFewestTileBytes;
    return std::nullopt;
}

ExtraRequests extra_requests(const CommandLine& command_line, bool animations) {
    ExtraRequests requests;
    requests.animations = animations;
    if (command_line.objects) requests.objects = object_cost(*command_line.objects);
    // Alone, --stream asks for the balanced cover.
    if (command_line.stream && !command_line.objects) requests.objects = kBalanced;
    requests.stream = command_line.stream;
    if (command_line.compress) requests.compress = compress_format(*command_line.compress);
    requests.palette = command_line.palette;
    requests.counts = command_line.counts;
    requests.preview = command_line.preview;
    requests.deps = command_line.deps;
    return requests;
}

std::vector<std::string> written_files(const CommandLine& command_line, const OutputNames& names, bool animations) {
    return written_paths(extra_requests(command_line, animations), names.file_base);
}

}  // namespace pixcell
