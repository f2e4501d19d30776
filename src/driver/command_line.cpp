#include "driver/command_line.h"

#include <cstring>

#include "common/base_name.h"

namespace pixcell {

const std::vector<OptionInfo>& known_options() {
    static const std::vector<OptionInfo> options = {
        {"--werror", &CommandLine::werror, nullptr, nullptr,
         "make every warning, and an illegal description, fail the run: status 1, no file written"},
        {"--no-warnings", &CommandLine::no_warnings, nullptr, nullptr, "print no warnings and no notes"},
        {"--palette", &CommandLine::palette, nullptr, nullptr,
         "also write OUTPUT_pal.c and OUTPUT_pal.h: each sheet's colours for the console"},
        {"--preview", nullptr, &CommandLine::preview, "FILE.png",
         "also write a PNG picture of the cells and sprites as the console would show them"},
        {"--stats", &CommandLine::stats, nullptr, nullptr, "print a summary line of the conversion"},
        {"--help", &CommandLine::help, nullptr, nullptr, "print this help and exit"},
        {"--version", &CommandLine::version, nullptr, nullptr, "print the version and exit"},
    };
    return options;
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

OutputNames output_names(const CommandLine& command_line) {
    if (command_line.output) return {base_name(*command_line.output), *command_line.output};
    const std::string base = base_name(*command_line.input);
    return {base, base};
}

}  // namespace pixcell
