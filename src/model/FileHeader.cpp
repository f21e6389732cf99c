// SPDX-License-Identifier: GPL-3.0-or-later
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

}  // namespace wendrake
