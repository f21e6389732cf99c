#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wendrake {

// The values of a comma-separated line of default.ide or the car colour
// file. Blanks and tabs are removed everywhere first, so no value holds one.
struct CommaValues {
    std::vector<std::string> values;  // after dropping one trailing comma
    int countWithTrailingComma = 0;   // a trailing comma counts as one more, empty value

    int count() const { return static_cast<int>(values.size()); }
    // Value k, or the empty text when the line has fewer.
    const std::string& at(int k) const;
};

CommaValues splitCommaLine(std::string_view line);

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
