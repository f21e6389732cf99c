// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameFilter.h"

#include <algorithm>

namespace wendrake {

char NameFilter::fold(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    const bool asciiCapital = code >= 'A' && code <= 'Z';
    const bool latinCapital = code >= 0xC0 && code <= 0xDE && code != 0xD7;
    return asciiCapital || latinCapital ? static_cast<char>(code + 0x20) : byte;
}

NameFilter::NameFilter(std::string_view text)
    : text_(text), searcher_(text_.cbegin(), text_.cend(), FoldedHash{}, FoldedEqual{}) {}

bool NameFilter::matches(std::string_view name) const {
    if (text_.empty()) {
        return true;
    }
    if (name.size() < text_.size()) {
        return false;
    }
    return std::search(name.begin(), name.end(), searcher_) != name.end();
}

std::vector<int> NameFilter::entriesIn(const VehicleList& list) const {
    std::vector<int> kept;
    kept.reserve(static_cast<std::size_t>(list.size()));
    for (int entry = 0; entry < list.size(); ++entry) {
        if (matches(list.at(entry))) {
            kept.push_back(entry);
        }
    }
    return kept;
}

}  // namespace wendrake
