// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextLines.h"

#include <algorithm>
#include <cstring>

namespace wendrake {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')) + 1);
    const char* const begin = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        const void* found = std::memchr(begin + start, '\r', size - start);
        if (found == nullptr) {
            lines.push_back(text.substr(start));
            break;
        }
        const auto end = static_cast<std::size_t>(static_cast<const char*>(found) - begin);
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (start < size && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

namespace {

bool matchesAt(std::string_view haystack, std::size_t at, std::string_view needle) {
    for (std::size_t k = 0; k < needle.size(); ++k) {
        if (foldAscii(haystack[at + k]) != foldAscii(needle[k])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (needle.size() > haystack.size()) {
        return std::string_view::npos;
    }
    const std::size_t last = haystack.size() - needle.size();
    if (needle.empty()) {
        return from <= last ? from : std::string_view::npos;
    }
    const char first = needle.front();
    if (foldAscii(first) == first && (first < 'a' || first > 'z')) {
        // A first character without a second case: jump from one of its
        // occurrences to the next.
        for (std::size_t i = from; i <= last;) {
            const void* found = std::memchr(haystack.data() + i, first, last + 1 - i);
            if (found == nullptr) {
                break;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(found) - haystack.data());
            if (matchesAt(haystack, i, needle)) {
                return i;
            }
            ++i;
        }
        return std::string_view::npos;
    }
    for (std::size_t i = from; i <= last; ++i) {
        if (matchesAt(haystack, i, needle)) {
            return i;
        }
    }
    return std::string_view::npos;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && findNoCase(a, b) == 0;
}

std::string_view trimSpaces(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace wendrake
