// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingAuthorDate.h"

#include <optional>

#include "FileHeader.h"
#include "HandlingLine.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr std::string_view kAuthor = "Author:";
constexpr std::string_view kCreated = "Created";

// Where the reader looks for the markers in a line: from its ";" among the
// first 14 characters, else from its start; nullopt for a line it skips.
std::optional<std::size_t> searchStart(std::string_view line) {
    const HandlingLineClass kind = classifyHandlingLine(line);
    if (kind.isData || kind.isForeign) {
        return std::nullopt;
    }
    const std::size_t from = kind.markInHead == std::string_view::npos ? 0 : kind.markInHead;
    // Our own header says "File created with", which is no date.
    if (isOwnHeaderLine(line.substr(from), ';')) {
        return std::nullopt;
    }
    return from;
}

// The trimmed text that starts one character after the end of `marker`.
std::string valueAfter(std::string_view line, std::size_t markerAt, std::size_t markerLength) {
    const std::size_t start = markerAt + markerLength + 1;
    if (start >= line.size()) {
        return {};
    }
    return std::string(trimSpaces(line.substr(start)));
}

bool namesAuthor(std::string_view text, std::size_t from = 0) {
    return findNoCase(text, kAuthor, from) != std::string_view::npos;
}

bool namesDate(std::string_view text, std::size_t from = 0) {
    return findNoCase(text, kCreated, from) != std::string_view::npos;
}

// A line of the file that names the author, the date or both.
struct NamingLine {
    std::size_t index;
    std::string_view text;
    bool author;
    bool date;
};

std::vector<NamingLine> namingLines(const std::vector<std::string_view>& lines) {
    std::vector<NamingLine> found;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (const auto from = searchStart(lines[i])) {
            const bool author = namesAuthor(lines[i], *from);
            const bool date = namesDate(lines[i], *from);
            if (author || date) {
                found.push_back({i, lines[i], author, date});
            }
        }
    }
    return found;
}

using Replacements = std::unordered_map<std::size_t, std::string>;

// What the saved file reads: the naming lines with their replacements.
AuthorAndDate readBack(const std::vector<NamingLine>& naming, const Replacements& replacements) {
    AuthorAndDate found;
    for (const NamingLine& line : naming) {
        const auto replaced = replacements.find(line.index);
        if (replaced == replacements.end()) {
            readAuthorAndDate(line.text, found);
            continue;
        }
        for (const std::string_view written : splitLines(replaced->second)) {
            readAuthorAndDate(written, found);
        }
    }
    return found;
}

class LineTexts {
  public:
    explicit LineTexts(const AuthorAndDate& wanted)
        : author_("; Author: " + wanted.author + std::string(kCrLf)),
          date_("; Created " + wanted.date + std::string(kCrLf)),
          // The line written last decides: an author that holds "created"
          // names a date too, so the date line must follow it; a date that
          // holds "Author:" names an author, so the author line follows it.
          authorFirst_(namesDate(wanted.author) || !namesAuthor(wanted.date)) {}

    const std::string& author() const { return author_; }
    const std::string& date() const { return date_; }
    std::string both() const { return authorFirst_ ? author_ + date_ : date_ + author_; }

    // The line the author alone needs, or the date alone, taken as the last
    // naming line of a file that has lines of both: both lines when the one
    // written would name the other value too.
    std::string last(const NamingLine& line, bool fileNamesAuthor, bool fileNamesDate) const {
        if (line.author && line.date) {
            return both();
        }
        if (line.author) {
            return fileNamesDate && namesDate(author_, 2) ? both() : author_;
        }
        return fileNamesAuthor && namesAuthor(date_, 2) ? both() : date_;
    }

  private:
    std::string author_;
    std::string date_;
    bool authorFirst_;
};

// The save as the format has it: author lines and "; Created" lines with a
// ";" get the current texts; a line naming both, and lines only the reader
// sees, stay as they are.
Replacements keepingWhatStays(const std::vector<NamingLine>& naming, const LineTexts& texts) {
    Replacements replacements;
    for (const NamingLine& line : naming) {
        const std::size_t mark = line.text.find(';');
        if (line.author == line.date || mark == std::string_view::npos) {
            continue;
        }
        if (line.author) {
            replacements.emplace(line.index, texts.author());
        } else if (findNoCase(line.text, "; Created", mark) != std::string_view::npos) {
            replacements.emplace(line.index, texts.date());
        }
    }
    return replacements;
}

Replacements writingAllAnew(const std::vector<NamingLine>& naming, const LineTexts& texts) {
    bool fileNamesAuthor = false;
    bool fileNamesDate = false;
    for (const NamingLine& line : naming) {
        fileNamesAuthor = fileNamesAuthor || line.author;
        fileNamesDate = fileNamesDate || line.date;
    }
    Replacements replacements;
    for (const NamingLine& line : naming) {
        if (&line == &naming.back()) {
            replacements.emplace(line.index, texts.last(line, fileNamesAuthor, fileNamesDate));
        } else if (line.author && line.date) {
            replacements.emplace(line.index, texts.both());
        } else {
            replacements.emplace(line.index, line.author ? texts.author() : texts.date());
        }
    }
    return replacements;
}

}  // namespace

void readAuthorAndDate(std::string_view line, AuthorAndDate& found) {
    const auto from = searchStart(line);
    if (!from) {
        return;
    }
    if (const auto at = findNoCase(line, kAuthor, *from); at != std::string_view::npos) {
        found.author = valueAfter(line, at, kAuthor.size());
    }
    if (const auto at = findNoCase(line, kCreated, *from); at != std::string_view::npos) {
        found.date = valueAfter(line, at, kCreated.size());
    }
}

AuthorDateLines::AuthorDateLines(const std::vector<std::string_view>& lines,
                                 const AuthorAndDate& wanted, AuthorDateWriting writing) {
    const std::vector<NamingLine> naming = namingLines(lines);
    if (naming.empty()) {
        return;
    }
    const AuthorAndDate onDisk = readBack(naming, {});
    if (writing == AuthorDateWriting::OnlyChanged && onDisk == wanted) {
        return;
    }
    const LineTexts texts(wanted);
    replacements_ = keepingWhatStays(naming, texts);
    if (readBack(naming, replacements_) != wanted) {
        replacements_ = writingAllAnew(naming, texts);
    }
    if (writing == AuthorDateWriting::OnlyChanged) {
        Replacements fewer = replacements_;
        for (const NamingLine& line : naming) {
            const bool authorStays = !line.author || onDisk.author == wanted.author;
            const bool dateStays = !line.date || onDisk.date == wanted.date;
            if (authorStays && dateStays) {
                fewer.erase(line.index);
            }
        }
        if (readBack(naming, fewer) == wanted) {
            replacements_ = std::move(fewer);
        }
    }
}

const std::string* AuthorDateLines::replacement(std::size_t index) const {
    const auto found = replacements_.find(index);
    return found == replacements_.end() ? nullptr : &found->second;
}

}  // namespace wendrake
