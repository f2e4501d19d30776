#include "sheets/image_signatures.h"

#include <algorithm>
#include <cstring>

namespace pixcell {

namespace {

bool has(const FileBytes& bytes, std::size_t at, const char* magic, std::size_t length) {
    return bytes.size() >= at + length && std::memcmp(bytes.data() + at, magic, length) == 0;
}

bool has(const FileBytes& bytes, std::size_t at, const char* magic) {
    return has(bytes, at, magic, std::strlen(magic));
}

bool is_blank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Formats told by fixed bytes at a fixed place.
struct Signature {
    std::size_t at;
    const char* magic;
    std::size_t length;
    const char* kind;
};

constexpr Signature kSignatures[] = {
    {0, "GIF87a", 6, "a GIF image"},
    {0, "GIF89a", 6, "a GIF image"},
    {0, "\xFF\xD8\xFF", 3, "a JPEG image"},
    {0, "\x00\x00\x00\x0CjP  \r\n\x87\n", 12, "a JPEG 2000 image"},
    {0, "\xFF\x4F\xFF\x51", 4, "a JPEG 2000 image"},
    {0, "\x00\x00\x00\x0CJXL \r\n\x87\n", 12, "a JPEG XL image"},
    {0, "\xFF\x0A", 2, "a JPEG XL image"},
    {0, "II*\x00", 4, "a TIFF image"},
    {0, "MM\x00*", 4, "a TIFF image"},
    {0, "II+\x00", 4, "a TIFF image"},
    {0, "MM\x00+", 4, "a TIFF image"},
    {0, "qoif", 4, "a QOI image"},
    {0, "8BPS", 4, "a Photoshop document (PSD)"},
    {0, "gimp xcf ", 9, "a GIMP image (XCF)"},
    {0, "v/1\x01", 4, "an OpenEXR image"},
    {0, "DDS ", 4, "a DirectDraw surface (DDS)"},
    {0, "farbfeld", 8, "a farbfeld image"},
};

// An ISO media file (AVIF, HEIF) by its first brand.
std::string iso_media_kind(const FileBytes& bytes) {
    if (!has(bytes, 4, "ftyp")) return "";
    for (const char* brand : {"avif", "avis"}) {
        if (has(bytes, 8, brand)) return "an AVIF image";
    }
    for (const char* brand : {"heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1"}) {
        if (has(bytes, 8, brand)) return "a HEIF image";
    }
    return "";
}

// A zip whose first entry is the stored "mimetype" of a layered image.
std::string zipped_kind(const FileBytes& bytes) {
    if (!has(bytes, 0, "PK\x03\x04") || !has(bytes, 30, "mimetype")) return "";
    if (has(bytes, 38, "image/openraster")) return "an OpenRaster image (ORA)";
    if (has(bytes, 38, "application/x-krita")) return "a Krita document (KRA)";
    return "";
}

// Formats whose few magic bytes need a second look to be told from chance.
std::string checked_kind(const FileBytes& bytes) {
    const std::size_t size = bytes.size();
    const std::uint8_t* b = bytes.data();
    // Icons and cursors: reserved 0, type 1 or 2, at least one image whose
    // directory entry's reserved byte is 0.
    if (size >= 22 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0 && (b[4] | b[5]) != 0 &&
        b[9] == 0) {
        return b[2] == 1 ? "a Windows icon (ICO)" : "a Windows cursor (CUR)";
    }
    // PCX: maker 10, a known version, RLE, a known depth, a 128-byte header.
    if (size >= 128 && b[0] == 0x0A && (b[1] == 0 || (b[1] >= 2 && b[1] <= 5)) && b[2] == 1 &&
        (b[3] == 1 || b[3] == 2 || b[3] == 4 || b[3] == 8)) {
        return "a PCX image";
    }
    // Aseprite: its magic number at byte 4, in a 128-byte header.
    if (size >= 128 && b[4] == 0xE0 && b[5] == 0xA5) return "an Aseprite file";
    // Netpbm: P1 to P7 and white space.
    if (size >= 3 && b[0] == 'P' && b[1] >= '1' && b[1] <= '7' && is_blank(b[2])) {
        return "a Netpbm image (PBM, PGM, PPM or PAM)";
    }
    // IFF: an ILBM or PBM form.
    if (has(bytes, 0, "FORM") && (has(bytes, 8, "ILBM") || has(bytes, 8, "PBM "))) return "an IFF image (ILBM)";
    if (has(bytes, 0, "RIFF") && has(bytes, 8, "WEBP")) return "a WebP image";
    // TGA has no signature at its start, but version 2 ends with one.
    if (size >= 44 && std::memcmp(b + size - 18, "TRUEVISION-XFILE.\0", 18) == 0) return "a TGA image";
    return "";
}

// SVG: XML text with an <svg element near its start.
bool is_svg(const FileBytes& bytes) {
    std::size_t at = has(bytes, 0, "\xEF\xBB\xBF") ? 3 : 0;
    while (at < bytes.size() && is_blank(bytes[at])) ++at;
    if (has(bytes, at, "<svg")) return true;
    if (!has(bytes, at, "<?xml")) return false;
    const auto* first = reinterpret_cast<const char*>(bytes.data());
    const auto* last = first + std::min<std::size_t>(bytes.size(), 4096);
    const char tag[] = "<svg";
    return std::search(first, last, tag, tag + 4) != last;
}

}  // namespace

std::string other_image_format(const FileBytes& bytes) {
    for (const Signature& signature : kSignatures) {
        if (has(bytes, signature.at, signature.magic, signature.length)) return signature.kind;
    }
    for (const std::string& kind : {iso_media_kind(bytes), zipped_kind(bytes), checked_kind(bytes)}) {
        if (!kind.empty()) return kind;
    }
    return is_svg(bytes) ? "an SVG image" : "";
}

}  // namespace pixcell
