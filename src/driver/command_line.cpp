#include "driver/command_line.h"

namespace pixcell {

std::optional<CommandLine> parse_command_line(int argc, const char* const* argv) {
    CommandLine result;
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        if (argv[i][1] == 'd') result.debug_listing = true;
    }
    if (i >= argc) return std::nullopt;
    result.input = argv[i];
    if (i + 1 < argc) result.output = argv[i + 1];
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
    const std::string base = base_name(command_line.input);
    return {base, base};
}

}  // namespace pixcell
