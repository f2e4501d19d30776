#include "driver/command_line.h"

#include <cstring>

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
         "Also write FILE, a make rule as compilers write one with -MD -MP: the five files, named as the run "
         "names them, are its targets; the description and every sheet the run loaded, as absolute paths, are "
         "its prerequisites; and each prerequisite has an empty rule of its own, so that a sheet that was "
         "deleted doesn't stop make. Include FILE from the Makefile, or give it to CMake as the DEPFILE of the "
         "custom command, and the files are made again whenever the description or a sheet changes.\n"
         "FILE is written only when the five files are, and together with them. It must not name the "
         "description, a sheet or one of the five files. Blanks, '#', '$', ':' and (in targets) '%' in paths "
         "are escaped as GNU make reads them. A path that make can't read in a rule at all is refused: one "
         "that holds a line end, a tab, ';', '=' or '|', ends in '\\', or has the form of an archive member, "
         "name(member).\n"
         "CMake 3.25 misreads some escaped characters: with CMake, keep '#', '$', ':', '%', '&', \"'\", '*', "
         "';' and '|' out of the paths of the project, the build folder and the sheets."},
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
        if (option.value != nullptr) synopsis += std::string("=") + option.value_name;
        docs.push_back({synopsis, option.help, option.manual});
    }
    return docs;
}

std::vector<std::pair<std::string, std::string>> option_values(const CommandLine& command_line) {
    std::vector<std::pair<std::string, std::string>> values;
    for (const OptionInfo& option : known_options()) {
        if (option.value != nullptr && (command_line.*option.value)) {
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
            result.refused.push_back(option.name);  // no value at all
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

std::string base_name(const std::string& path) {
    std::string::size_type start = path.rfind('/');
    if (start == std::string::npos) start = path.rfind('\\');
    start = start == std::string::npos ? 0 : start + 1;
    std::string::size_type end = path.rfind('.');
    if (end == std::string::npos || end < start) end = path.size();
    return path.substr(start, end - start);
}

OutputNames output_names(const CommandLine& command_line) {
    if (command_line.output) return {base_name(*command_line.output), *command_line.output};
    const std::string base = base_name(*command_line.input);
    return {base, base};
}

}  // namespace pixcell
