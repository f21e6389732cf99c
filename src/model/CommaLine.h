// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wendrake {

// How many values a comma-separated line holds.
struct CommaCount {
    std::size_t values = 0;             // after dropping one trailing comma
    std::size_t withTrailingComma = 0;  // a trailing comma counts as one more, empty value
};

// Calls `visit(index, value)` for every value of a comma-separated line of
// default.ide or the car colour file, in order. Blanks and tabs are removed
// everywhere first, so no value holds one. The values are handed over one at
// a time and never gathered: a line of millions of values costs no more
// memory than its longest value. A value without a blank inside is handed
// over as it stands in the line; only one with blanks inside is copied.
inline bool isBlankByte(char c) {
    return c == ' ' || c == '\t';
}

template <typename Visit>
CommaCount forEachCommaValue(std::string_view line, Visit&& visit) {
    CommaCount count;
    std::size_t size = line.size();
    while (size > 0 && isBlankByte(line[size - 1])) {
        --size;
    }
    if (size == 0) {
        return count;
    }
    // One pass by hand over each value: values are a few bytes long, too
    // short for a library search per value to pay.
    std::string joined;
    std::size_t i = 0;
    for (;;) {
        while (i < size && isBlankByte(line[i])) {
            ++i;
        }
        const std::size_t first = i;
        std::size_t end = i;  // after the value's last byte that is no blank
        bool blankSeen = false;
        bool blankInside = false;
        for (; i < size && line[i] != ','; ++i) {
            if (isBlankByte(line[i])) {
                blankSeen = true;
            } else {
                blankInside = blankInside || blankSeen;
                end = i + 1;
            }
        }
        const bool last = i == size;
        if (last) {
            count.withTrailingComma = count.values + 1;
            if (line[size - 1] == ',') {
                return count;
            }
        }
        std::string_view value = line.substr(first, end - first);
        if (blankInside) {
            joined.clear();
            for (const char c : value) {
                if (!isBlankByte(c)) {
                    joined.push_back(c);
                }
            }
            value = joined;
        }
        visit(count.values++, value);
        if (last) {
            return count;
        }
        ++i;  // the comma
    }
}

// True when `line` opens or closes a section: it starts with `keyword`,
// followed by nothing, a blank, a tab or a "#". A longer word such as "car4"
// or "endeavour" is no keyword.
bool isSectionLine(std::string_view line, std::string_view keyword);

bool isBlankText(std::string_view text);

// The lines of a file as a save reads them: empty lines at its end are left
// out, since the final line end of the save puts exactly one back.
std::vector<std::string_view> linesWithoutTrailingEmpties(std::string_view text);

// Removes the empty lines at the end of text a save built, each ended by
// CR LF: an old header line dropped at the end of a file would otherwise leave
// the empty line before it last, and the next save would drop that one too.
void dropTrailingEmptyLines(std::string& text);

}  // namespace wendrake
