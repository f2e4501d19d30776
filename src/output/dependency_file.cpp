#include "output/dependency_file.h"

#include <filesystem>
#include <system_error>
#include <unordered_set>
#include <utility>

namespace pixcell {

namespace {

// Absolute, without "." parts and doubled slashes. ".." stays: past a
// symbolic link it leads elsewhere than the lexical parent.
std::optional<std::string> absolute_path(const std::string& name) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path absolute = fs::absolute(name, error);
    if (error) return std::nullopt;
    fs::path tidy;
    for (const fs::path& part : absolute) {
        if (part == "." || part.empty()) continue;
        tidy /= part;
    }
    return tidy.string();
}

// A name make reads as MEMBER of the archive ARCHIVE: "ARCHIVE(MEMBER)".
bool archive_form(const std::string& name) {
    const std::size_t open = name.find('(');
    return open != std::string::npos && open != 0 && name.back() == ')' && open + 2 != name.size();
}

std::optional<char> unreadable(const std::string& name) {
    for (const char c : name) {
        if (c == '\r') return '\n';
        if (c == '\n' || c == '\t' || c == ';' || c == '=' || c == '|') return c;
    }
    // Before the line end it would join the next line; before a blank, escape it.
    if (!name.empty() && name.back() == '\\') return '\\';
    if (archive_form(name)) return ')';
    return std::nullopt;
}

// As GNU make reads a name in a rule: a blank, '#' and ':' (and '%' in a
// target, where it would make the rule a pattern) take a backslash, and the
// backslashes right before one are doubled so that they stay themselves;
// '$' is doubled. '*', '?' and '[' stay as they are: CMake reads an escaped
// one as another path, while make, which takes them as a pattern, only
// misses the file when another one matches that pattern too.
std::string escaped(const std::string& name, bool target) {
    std::string text;
    std::size_t backslashes = 0;
    for (const char c : name) {
        if (c == '\\') {
            ++backslashes;
            text += c;
            continue;
        }
        if (c == ' ' || c == '#' || c == ':' || (target && c == '%')) text.append(backslashes + 1, '\\');
        if (c == '$') text += '$';
        text += c;
        backslashes = 0;
    }
    return text;
}

}  // namespace

std::optional<DependencyRule> dependency_rule(std::vector<std::string> targets,
                                              const std::vector<std::string>& inputs) {
    DependencyRule rule;
    rule.targets = std::move(targets);
    std::unordered_set<std::string> seen;
    for (const std::string& input : inputs) {
        std::optional<std::string> path = absolute_path(input);
        if (!path) return std::nullopt;
        if (seen.insert(*path).second) rule.prerequisites.push_back(std::move(*path));
    }
    return rule;
}

std::optional<UnreadableName> name_make_cant_read(const DependencyRule& rule) {
    for (const auto* names : {&rule.targets, &rule.prerequisites}) {
        for (const std::string& name : *names) {
            if (const std::optional<char> found = unreadable(name)) return UnreadableName{name, *found};
        }
    }
    return std::nullopt;
}

std::string render_dependency_file(const DependencyRule& rule) {
    std::string text;
    for (std::size_t i = 0; i < rule.targets.size(); ++i) {
        if (i > 0) text += ' ';
        text += escaped(rule.targets[i], true);
    }
    text += ':';
    for (const std::string& prerequisite : rule.prerequisites) text += " \\\n " + escaped(prerequisite, false);
    text += '\n';
    for (const std::string& prerequisite : rule.prerequisites) text += '\n' + escaped(prerequisite, true) + ":\n";
    return text;
}

}  // namespace pixcell
