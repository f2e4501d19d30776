// Writes the manual page from its hand-written template, with the OPTIONS
// section made from the option table that --help prints from, so that an
// option is described in one place.
//
//   write_man_page TEMPLATE OUTPUT VERSION
//
// In the template, a line "@OPTIONS@" becomes the options and "@VERSION@"
// the version.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "driver/command_line.h"

namespace {

// Text as roff prints it: backslashes and minus signs escaped (a bare "-"
// may print as a hyphen that can't be pasted into a shell), and a line that
// starts with a control character kept as text.
std::string roff_text(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\e"; break;
        case '-': out += "\\-"; break;
        default: out += c; break;
        }
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
    return out;
}

// One sentence a line, as roff wants it to space sentences.
std::string sentence_lines(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool ends = i + 2 < text.size() && text[i] == '.' && text[i + 1] == ' ' &&
                          std::isupper(static_cast<unsigned char>(text[i + 2]));
        out += text[i];
        if (ends) {
            out += '\n';
            ++i;
        }
    }
    return out;
}

// "--deps=FILE" as "\fB\-\-deps\fR=\fIFILE\fR".
std::string roff_synopsis(const std::string& synopsis) {
    const std::size_t equals = synopsis.find('=');
    if (equals == std::string::npos) return "\\fB" + roff_text(synopsis) + "\\fR";
    return "\\fB" + roff_text(synopsis.substr(0, equals)) + "\\fR=\\fI" + roff_text(synopsis.substr(equals + 1)) +
           "\\fR";
}

std::string options_section() {
    std::string roff;
    for (const pixcell::OptionDoc& option : pixcell::option_docs()) {
        roff += ".TP\n" + roff_synopsis(option.synopsis) + "\n";
        std::istringstream paragraphs(option.manual);
        std::string paragraph;
        for (bool first = true; std::getline(paragraphs, paragraph); first = false) {
            if (!first) roff += ".IP\n";
            roff += sentence_lines(roff_text(paragraph)) + "\n";
        }
    }
    return roff;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: write_man_page TEMPLATE OUTPUT VERSION\n", stderr);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "write_man_page: can't read %s\n", argv[1]);
        return 1;
    }
    std::string page;
    std::string line;
    while (std::getline(in, line)) {
        if (line == "@OPTIONS@") {
            page += options_section();
            continue;
        }
        for (std::size_t at; (at = line.find("@VERSION@")) != std::string::npos;) line.replace(at, 9, argv[3]);
        page += line + "\n";
    }
    // Put in place whole, so that an interrupted build leaves no half page.
    const std::string temporary = std::string(argv[2]) + ".tmp";
    std::ofstream out(temporary, std::ios::binary);
    out << page;
    out.close();
    if (!out || std::rename(temporary.c_str(), argv[2]) != 0) {
        std::fprintf(stderr, "write_man_page: can't write %s\n", argv[2]);
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}
