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
// memory than its longest value.
template <typename Visit>
CommaCount forEachCommaValue(std::string_view line, Visit&& visit) {
    CommaCount count;
    std::string value;
    bool anyValue = false;
    bool endsInComma = false;
    for (const char c : line) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        anyValue = true;
        endsInComma = c == ',';
        if (endsInComma) {
            visit(count.values++, std::string_view(value));
            value.clear();
        } else {
            value.push_back(c);
        }
    }
    if (!anyValue) {
        return count;
    }
    count.withTrailingComma = count.values + 1;
    if (!endsInComma) {
        visit(count.values++, std::string_view(value));
    }
    return count;
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
