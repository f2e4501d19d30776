#include "driver/argument_checks.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/edits.h"
#include "common/messages.h"
#include "description/entry_checks.h"

namespace pixcell {

namespace {

// Two spellings of one file: the same path once made absolute and tidied, or
// the same file on disk.
bool same_file(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path left = fs::absolute(a, error).lexically_normal();
    const fs::path right = fs::absolute(b, error).lexically_normal();
    if (!error && left == right) return true;
    return fs::equivalent(a, b, error) && !error;
}

// The known option an unknown one is likely a typing slip of, as it would be
// written with the same value: two edits at most, and no more than a third
// of the word, so that "--fast" is no "--stats". Given a value, it is one of
// the options that take one, which may start with the word ("--palette=").
std::optional<std::string> likely_option(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    const std::string name = argument.substr(0, equals);
    std::size_t best = std::min<std::size_t>(2, (name.size() - 2) / 3) + 1;
    const OptionInfo* nearest = nullptr;
    for (const OptionInfo& option : known_options()) {
        if (equals != std::string::npos && option.value == nullptr) continue;
        const bool starts = equals != std::string::npos && name.size() >= 5 &&
                            std::string(option.name).compare(0, name.size(), name) == 0;
        // Words whose lengths differ by as many edits are never nearer: a long word is never measured.
        const std::size_t length = std::strlen(option.name);
        const std::size_t apart = name.size() > length ? name.size() - length : length - name.size();
        const std::size_t distance = starts ? 0 : apart >= best ? best : edits(name, option.name);
        if (distance < best) {
            best = distance;
            nearest = &option;
        }
    }
    if (nearest == nullptr) return std::nullopt;
    // A flag, or an option that may go bare, given bare.
    if (nearest->value == nullptr || (equals == std::string::npos && nearest->bare_value != nullptr)) {
        return std::string(nearest->name);
    }
    return nearest->name + ("=" + (equals == std::string::npos ? nearest->value_name : argument.substr(equals + 1)));
}

}  // namespace

void warn_about_arguments(const CommandLine& command_line, const OutputNames& names, Diagnostics& diagnostics) {
    for (const std::string& option : command_line.ignored_options) {
        diagnostics.warning(messages::warn::ignored_option(option));
    }
    for (const std::string& option : command_line.unknown_options) {
        diagnostics.warning(messages::warn::unknown_option(option));
        if (const std::optional<std::string> likely = likely_option(option)) {
            diagnostics.note(messages::warn::did_you_mean(*likely));
        }
    }
    if (!command_line.unknown_options.empty()) diagnostics.note(messages::warn::see_help());
    if (!command_line.input) return;
    if (!command_line.after_output.empty()) {
        diagnostics.warning(messages::warn::arguments_after_output(command_line.after_output));
    }
    if (command_line.debug_listing) return;  // no files: their names don't matter
    if (command_line.output && !command_line.output->empty() && (*command_line.output)[0] == '-') {
        diagnostics.warning(messages::warn::output_starts_with_dash(*command_line.output));
    }
    if (names.ident_base.empty() && command_line.output) {
        diagnostics.warning(messages::warn::ident_empty(*command_line.output));
        diagnostics.note(messages::warn::how_to_name_output());
    } else if (!is_c_identifier(names.ident_base)) {
        diagnostics.warning(messages::warn::ident_not_identifier(names.ident_base, command_line.output.has_value()));
        diagnostics.note(messages::warn::how_to_name_output());
    }
}

void note_missing_folder(const std::string& file, Diagnostics& diagnostics) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(file).parent_path();
    std::error_code error;
    if (folder.empty() || fs::exists(folder, error) || error) return;
    diagnostics.note(messages::warn::folder_missing(folder.string()));
}

std::optional<std::string> refuse_values(const std::vector<std::pair<std::string, std::string>>& values,
                                         const std::vector<std::string>& inputs,
                                         const std::vector<std::string>& outputs) {
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto& [option, value] = values[i];
        for (const std::string& input : inputs) {
            if (same_file(value, input)) return messages::option_names_input(option, value, input);
        }
        for (const std::string& output : outputs) {
            if (same_file(value, output)) return messages::option_names_output(option, value);
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (same_file(value, values[j].second)) return messages::option_names_output(option, value);
        }
    }
    return std::nullopt;
}

}  // namespace pixcell
