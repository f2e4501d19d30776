#include "description/sheet_notes.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "common/edits.h"
#include "common/messages.h"

namespace pixcell {

namespace {

namespace fs = std::filesystem;

// A folder of a hundred thousand files is read no further: a slip is meant
// for a folder a person looks at.
constexpr std::size_t kMostFilesRead = 100000;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool is_sheet_file(const std::string& lower_name) {
    const std::string extension = fs::path(lower_name).extension().string();
    return extension == ".bmp" || extension == ".png";
}

// How far a file's name is from the one written, case aside: a name with the
// same stem as a sheet file is one edit off, whatever its extension.
std::size_t distance(const std::string& written, const std::string& file) {
    if (fs::path(written).stem() == fs::path(file).stem()) return std::min<std::size_t>(1, edits(written, file));
    return edits(written, file);
}

// The sheet file of the named folder that the name is likely a slip of: two
// edits at most, and no more than a third of the name before its extension
// (as for options, whose "--" says nothing either), so that "b.bmp" is no
// "a.bmp"; the nearest, the first by name among equals. As the sheet line
// would write it.
std::optional<std::string> likely_sheet(const fs::path& name) {
    const std::string written = lower(name.filename().string());
    if (written.empty()) return std::nullopt;
    std::size_t best = std::min<std::size_t>(2, fs::path(written).stem().string().size() / 3) + 1;
    std::string nearest;
    std::error_code error;
    const fs::path folder = name.parent_path();
    fs::directory_iterator files(folder.empty() ? fs::path(".") : folder, error);
    std::size_t read = 0;
    for (; !error && files != fs::directory_iterator() && read < kMostFilesRead; files.increment(error), ++read) {
        std::error_code type_error;
        if (!files->is_regular_file(type_error)) continue;
        const std::string file = files->path().filename().string();
        const std::string file_lower = lower(file);
        if (!is_sheet_file(file_lower)) continue;
        const std::size_t apart = distance(written, file_lower);
        if (apart < best || (apart == best && !nearest.empty() && file < nearest)) {
            best = apart;
            nearest = file;
        }
    }
    if (nearest.empty()) return std::nullopt;
    return folder.empty() ? nearest : (folder / nearest).string();
}

}  // namespace

void note_unloaded_sheet(Diagnostics& diagnostics, std::int64_t line, const std::string& file_name) {
    std::error_code error;
    const fs::path name(file_name);
    if (fs::is_directory(name, error)) {
        diagnostics.note_at(line, messages::warn::sheet_is_folder(file_name));
        return;
    }
    if (fs::exists(name, error)) return;
    // A sheet name is a path from the folder pixcell runs in. When the file
    // isn't there but is beside a description that lies in another folder,
    // the name was written from the description's folder: say how to mend it.
    const fs::path folder = fs::path(diagnostics.file_name()).parent_path();
    const fs::path beside = folder / name;
    if (!folder.empty() && !name.is_absolute() && fs::is_regular_file(beside, error)) {
        diagnostics.note_at(line,
                            messages::warn::sheet_beside_description(file_name, folder.string(), beside.string()));
        return;
    }
    diagnostics.note_at(line, messages::warn::sheet_named_here(file_name));
    if (const std::optional<std::string> likely = likely_sheet(name)) {
        diagnostics.note_at(line, messages::warn::did_you_mean(*likely));
    }
}

}  // namespace pixcell
