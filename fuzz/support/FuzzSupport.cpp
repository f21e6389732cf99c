// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace wendrake::fuzz {

namespace {

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "wendrake fuzz: cannot read %s\n", path.c_str());
        std::exit(2);  // a broken checkout, not a finding about the input
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text with control and non-ASCII bytes written as \xNN, cut short.
std::string escaped(std::string_view bytes) {
    constexpr std::size_t limit = 400;
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    if (bytes.size() > limit) {
        out += "... (" + std::to_string(bytes.size()) + " bytes)";
    }
    return out;
}

}  // namespace

const LanguageTable& englishTexts() {
    static const LanguageTable table = [] {
        LanguageTable loaded;
        loaded.load(readWhole(WENDRAKE_LANGUAGES "/English.lng"));
        return loaded;
    }();
    return table;
}

const std::string& sampleHandlingFile() {
    static const std::string bytes = readWhole(WENDRAKE_SAMPLES "/handling.cfg");
    return bytes;
}

void fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "wendrake fuzz: %.*s\n", static_cast<int>(what.size()), what.data());
    if (!detail.empty()) {
        std::fprintf(stderr, "  %s\n", escaped(detail).c_str());
    }
    std::fflush(stderr);
    std::abort();
}

}  // namespace wendrake::fuzz
