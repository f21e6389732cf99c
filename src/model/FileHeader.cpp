#include "FileHeader.h"

#include "TextLines.h"

namespace wendrake {

namespace {

std::string createdLine(char mark) {
    return std::string(1, mark) + " File created with Wendrake V";
}

std::string homepageLine(char mark) {
    return std::string(1, mark) + " Homepage: " + std::string(kHomepage);
}

// The trimmed text that starts one character after the end of `marker`.
std::string valueAfter(std::string_view line, std::size_t markerAt, std::size_t markerLength) {
    const std::size_t start = markerAt + markerLength + 1;
    if (start >= line.size()) {
        return {};
    }
    return std::string(trimSpaces(line.substr(start)));
}

}  // namespace

std::string headerBlock(char mark) {
    return createdLine(mark) + std::string(kProgramVersion) + std::string(kCrLf) +
           homepageLine(mark) + std::string(kCrLf);
}

bool isOwnHeaderLine(std::string_view fromMark, char mark) {
    return findNoCase(fromMark, createdLine(mark)) != std::string_view::npos ||
           findNoCase(fromMark, homepageLine(mark)) != std::string_view::npos;
}

bool isOldHeaderLine(std::string_view line, char mark) {
    const std::size_t at = line.find(mark);
    return at != std::string_view::npos &&
           line.substr(0, at).find_first_not_of(" \t") == std::string_view::npos &&
           isOwnHeaderLine(line.substr(at), mark);
}

void readAuthorAndDate(std::string_view line, std::size_t from, std::string& author,
                       std::string& date) {
    constexpr std::string_view kAuthor = "Author:";
    constexpr std::string_view kCreated = "Created";
    if (const auto at = findNoCase(line, kAuthor, from); at != std::string_view::npos) {
        author = valueAfter(line, at, kAuthor.size());
    }
    if (const auto at = findNoCase(line, kCreated, from); at != std::string_view::npos) {
        date = valueAfter(line, at, kCreated.size());
    }
}

std::optional<std::string> authorOrDateLine(std::string_view line, std::size_t from,
                                            std::string_view author, std::string_view date) {
    const bool namesAuthor = findNoCase(line, "Author:", from) != std::string_view::npos;
    if (namesAuthor && findNoCase(line, "Created", from) != std::string_view::npos) {
        // "; Created 2024 by Author: Jo": the reader took both from this line,
        // and an author or a date line in its place could lose the other.
        return std::nullopt;
    }
    if (namesAuthor) {
        return "; Author: " + std::string(author);
    }
    if (findNoCase(line, "; Created", from) != std::string_view::npos) {
        return "; Created " + std::string(date);
    }
    return std::nullopt;
}

}  // namespace wendrake
