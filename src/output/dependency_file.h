// The make rule --deps writes beside the five files, as compilers write one
// with -MD -MP: the generated files depend on the description and on every
// sheet the run loaded, and each of those has an empty rule of its own, so
// that make doesn't stop when one is deleted.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pixcell {

struct DependencyRule {
    std::vector<std::string> targets;        // the generated files, as the run names them
    std::vector<std::string> prerequisites;  // absolute, each once, in reading order
};

// The rule with `inputs` made absolute against the current folder (CMake
// reads a relative prerequisite against its build folder, not ours).
// Nothing when the current folder can't be found.
std::optional<DependencyRule> dependency_rule(std::vector<std::string> targets, const std::vector<std::string>& inputs);

// A name of the rule that no escape lets GNU make read as that file.
struct UnreadableName {
    std::string name;
    char found;  // '\n' a line end, '\t', ';', '=', '|'; '\\' one at the end; ')' an archive member's form
};

std::optional<UnreadableName> name_make_cant_read(const DependencyRule& rule);

// The rule as a makefile fragment; its names must pass name_make_cant_read.
std::string render_dependency_file(const DependencyRule& rule);

}  // namespace pixcell
