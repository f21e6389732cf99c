// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourEditing.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "ReadFailure.h"

namespace wendrake {

namespace {

void renumber(std::vector<ColourTableEntry>& palette) {
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i].Number = static_cast<std::int16_t>(i);
    }
}

// The number and name of the colour a pair value names, or the unknown colour
// with the value's number: the file holds the numbers.
std::string colourName(const std::vector<ColourTableEntry>& palette, std::int16_t value,
                       std::string_view unknownColour) {
    if (value < 0 || static_cast<std::size_t>(value) >= palette.size()) {
        return std::string(unknownColour) + " " + std::to_string(value);
    }
    return std::to_string(value) + " " + palette[static_cast<std::size_t>(value)].Name;
}

}  // namespace

std::string colourListText(const ColourTableEntry& entry) {
    return entry.Name + " - " + std::to_string(entry.Red) + "," + std::to_string(entry.Green) +
           "," + std::to_string(entry.Blue);
}

int appendNewColour(std::vector<ColourTableEntry>& palette) {
    const int index = static_cast<int>(palette.size());
    ColourTableEntry entry;
    entry.Number = static_cast<std::int16_t>(index);
    entry.Red = 0;
    entry.Green = 128;
    entry.Blue = 255;
    entry.Name = "Color" + std::to_string(index);
    palette.push_back(std::move(entry));
    return index;
}

void deleteColour(std::vector<ColourTableEntry>& palette, std::vector<CarColourRecord>& cars,
                  int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= palette.size()) {
        return;
    }
    // Only values that name a colour follow the palette; a value that named
    // none before names none after and is kept as the file has it.
    const auto colours = static_cast<std::int16_t>(palette.size());
    const auto shift = [index, colours](std::int16_t& value) {
        if (value == index) {
            value = 0;
        } else if (value > index && value < colours) {
            --value;
        }
    };
    for (CarColourRecord& record : cars) {
        for (std::int16_t& value : record.Color1) {
            shift(value);
        }
        for (std::int16_t& value : record.Color2) {
            shift(value);
        }
    }
    palette.erase(palette.begin() + index);
    renumber(palette);
}

void addPair(CarColourRecord& record, int first, int second) {
    record.Color1.push_back(static_cast<std::int16_t>(first));
    record.Color2.push_back(static_cast<std::int16_t>(second));
}

void removePair(CarColourRecord& record, int pair) {
    if (pair < 0 || static_cast<std::size_t>(pair) >= record.Color1.size() ||
        record.Color1.size() != record.Color2.size()) {
        return;
    }
    record.Color1.erase(record.Color1.begin() + pair);
    record.Color2.erase(record.Color2.begin() + pair);
    if (record.Color1.empty()) {
        record.Color1.push_back(0);
        record.Color2.push_back(0);
    }
}

void movePair(CarColourRecord& record, int pair, int to) {
    const auto pairs = static_cast<int>(std::min(record.Color1.size(), record.Color2.size()));
    if (pair < 0 || to < 0 || pair >= pairs || to >= pairs || pair == to) {
        return;
    }
    for (std::vector<std::int16_t>* values : {&record.Color1, &record.Color2}) {
        const auto from = values->begin() + pair;
        const auto target = values->begin() + to;
        if (pair < to) {
            std::rotate(from, from + 1, target + 1);
        } else {
            std::rotate(target, from, from + 1);
        }
    }
}

std::vector<std::string> describePairs(const std::vector<ColourTableEntry>& palette,
                                       const CarColourRecord& record,
                                       std::string_view unknownColour) {
    std::vector<std::string> texts;
    const std::size_t pairs = std::min(record.Color1.size(), record.Color2.size());
    texts.reserve(pairs);
    for (std::size_t j = 0; j < pairs; ++j) {
        texts.push_back(colourName(palette, record.Color1[j], unknownColour) + " - " +
                        colourName(palette, record.Color2[j], unknownColour));
    }
    return texts;
}

std::string pairsText(const CarColourRecord& record) {
    std::string text;
    const std::size_t pairs = std::min(record.Color1.size(), record.Color2.size());
    for (std::size_t k = 0; k < pairs; ++k) {
        if (k > 0) {
            text += ' ';
        }
        text += std::to_string(record.Color1[k]) + ',' + std::to_string(record.Color2[k]);
    }
    return text;
}

namespace {

std::optional<std::int16_t> wholeNumber(std::string_view text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

std::optional<ColourPairs> readPairsText(std::string_view text) {
    ColourPairs pairs;
    std::size_t at = 0;
    while (true) {
        at = text.find_first_not_of(' ', at);
        if (at == std::string_view::npos) {
            break;
        }
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view pair = text.substr(at, end - at);
        const std::size_t comma = pair.find(',');
        if (comma == std::string_view::npos) {
            return std::nullopt;
        }
        const std::optional<std::int16_t> first = wholeNumber(pair.substr(0, comma));
        const std::optional<std::int16_t> second = wholeNumber(pair.substr(comma + 1));
        if (!first || !second) {
            return std::nullopt;
        }
        pairs.first.push_back(*first);
        pairs.second.push_back(*second);
        at = end;
    }
    if (pairs.first.empty() || pairs.first.size() > static_cast<std::size_t>(kTableLimit)) {
        return std::nullopt;
    }
    return pairs;
}

}  // namespace wendrake
