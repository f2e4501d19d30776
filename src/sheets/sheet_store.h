// The sheets stage: every sprite sheet a description names, read once, whole,
// decoded and found again by its file name. A file that can't be opened or
// used is reported when it is loaded, so that everything after this stage
// reads pixels without checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sheets/decoding_thread.h"
#include "sheets/indexed_image.h"
#include "sheets/true_colour_image.h"

namespace pixcell {

// Whether a true-colour sheet loads (for the colour stage to index) or is
// refused as a sheet that isn't a palette image.
enum class TrueColourSheets { refused, loaded };

// Whether a large PNG's pixels are decoded before load returns, or on a
// thread of their own while the run goes on, the readers of its rows waiting
// for the rows they read (IndexedImage::wait_for_rows). A failure found
// there comes out only at finish_decoding.
enum class Decoding { at_once, alongside };

class SheetStore {
public:
    SheetStore() = default;
    explicit SheetStore(TrueColourSheets true_colour_sheets, Decoding decoding = Decoding::at_once)
        : true_colour_sheets(true_colour_sheets), decoding(decoding) {}

    // Loads a sheet once: a name already loaded returns true without reading.
    // Prints one line and returns false when the file can't be opened or used.
    // The name is the path exactly as written.
    bool load(const std::string& name);

    // Index of a loaded sheet, in loading order, or -1.
    std::int32_t find(const std::string& name) const;
    // Size in pixels; 0 when not loaded.
    std::int32_t width(const std::string& name) const;
    std::int64_t height(const std::string& name) const;

    // The loaded sheets by index, 0 <= index < count(). A true-colour sheet's
    // indexed image has its size but no pixels until set_indexed gives them:
    // nothing may read its rows before.
    std::size_t count() const { return images.size(); }
    const IndexedImage& sheet(std::int32_t index) const { return images[static_cast<std::size_t>(index)]; }
    const std::string& name(std::int32_t index) const { return names[static_cast<std::size_t>(index)]; }

    // A true-colour sheet's colours, until set_indexed; null for the others.
    const TrueColourImage* true_colour(std::int32_t index) const;
    // Hands them over to be worked on in place (true_colour is null after).
    std::optional<TrueColourImage> take_true_colour(std::int32_t index);
    // The indexed image the colour stage made of a true-colour sheet, of the
    // same size: it replaces the sheet, whose colours are freed.
    void set_indexed(std::int32_t index, IndexedImage image);
    // Moves the rows of sheet `index` (IndexedImage::row_shift).
    void set_row_shift(std::int32_t index, std::int32_t rows) {
        images[static_cast<std::size_t>(index)].set_row_shift(rows);
    }

    // Loads that failed, each counted once per call to load.
    std::size_t failed_loads() const { return failures; }

    // Waits until the sheets decoded alongside are whole; those that failed
    // there, in loading order, not yet said. Their rows read 0.
    std::vector<LateFailure> finish_decoding();

private:
    TrueColourSheets true_colour_sheets = TrueColourSheets::refused;
    Decoding decoding = Decoding::at_once;
    std::vector<IndexedImage> images;
    std::vector<std::optional<TrueColourImage>> colours;  // by index, beside images
    std::vector<std::string> names;
    std::map<std::string, std::int32_t> by_name;
    std::size_t failures = 0;
    // Last, so that it has stopped writing rows before the images go.
    std::unique_ptr<DecodingThread> thread;  // made for the first sheet decoded alongside
};

}  // namespace pixcell
