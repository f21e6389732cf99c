// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "VehicleList.h"

namespace wendrake {

// Finds the vehicle names that contain a text, letter case aside. Names are
// Latin-1 bytes: A-Z and the accented capitals fold to their small letters
// (the multiplication sign among them is no letter).
class NameFilter {
  public:
    // `text` in Latin-1 bytes; the empty text keeps every name.
    explicit NameFilter(std::string_view text);
    // The searcher points into the text it holds.
    NameFilter(const NameFilter&) = delete;
    NameFilter& operator=(const NameFilter&) = delete;

    bool matches(std::string_view name) const;

    // The positions in `list` of the entries that match, in list order.
    std::vector<int> entriesIn(const VehicleList& list) const;

    static char fold(char byte);

  private:
    struct FoldedHash {
        std::size_t operator()(char byte) const { return static_cast<unsigned char>(fold(byte)); }
    };
    struct FoldedEqual {
        bool operator()(char a, char b) const { return fold(a) == fold(b); }
    };

    std::string text_;
    // Linear in a name however long the text: a hostile file's names of
    // megabytes cost their bytes once per keystroke.
    std::boyer_moore_horspool_searcher<std::string::const_iterator, FoldedHash, FoldedEqual>
        searcher_;
};

}  // namespace wendrake
