#include "common/error_stream.h"

#include <cstdio>

namespace pixcell {

namespace {

// Messages come from the run's own thread only.
bool held = false;
std::string kept;

void write(const std::string& text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), stderr);
}

}  // namespace

void write_error_stream(const std::string& text) {
    if (held) {
        kept += text;
    } else {
        write(text);
    }
}

HeldErrorStream::HeldErrorStream() { held = true; }

HeldErrorStream::~HeldErrorStream() { release(); }

void HeldErrorStream::release() {
    held = false;
    write(kept);
    kept.clear();
}

void HeldErrorStream::drop() {
    held = false;
    kept.clear();
}

}  // namespace pixcell
