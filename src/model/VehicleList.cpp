// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleList.h"

#include <algorithm>
#include <compare>
#include <cstdint>

#include "TextLines.h"

namespace wendrake {

namespace {

// The first sixteen bytes of a name, folded, as two numbers: names whose
// keys differ are in the list's order of their keys.
struct OrderKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    explicit OrderKey(std::string_view name) {
        for (std::size_t i = 0; i < 16; ++i) {
            std::uint64_t& half = i < 8 ? high : low;
            half <<= 8U;
            if (i < name.size()) {
                half |= static_cast<unsigned char>(foldAscii(name[i]));
            }
        }
    }

    auto operator<=>(const OrderKey&) const = default;
};

// Puts `names` into the list's order, equal names keeping theirs, and
// returns for each sorted name its position before. The sort moves small
// keys instead of the names themselves, and reads a name only when the keys
// are equal.
std::vector<int> sortNames(std::vector<std::string>& names) {
    struct Item {
        OrderKey key;
        std::size_t index;
    };
    std::vector<Item> items;
    items.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        items.push_back({OrderKey(names[i]), i});
    }
    std::stable_sort(items.begin(), items.end(), [&names](const Item& a, const Item& b) {
        if (a.key != b.key) {
            return a.key < b.key;
        }
        return VehicleList::lessThan(names[a.index], names[b.index]);
    });
    std::vector<std::string> sorted;
    std::vector<int> from;
    sorted.reserve(names.size());
    from.reserve(names.size());
    for (const Item& item : items) {
        sorted.push_back(std::move(names[item.index]));
        from.push_back(static_cast<int>(item.index));
    }
    names = std::move(sorted);
    return from;
}

}  // namespace

bool VehicleList::lessThan(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(foldAscii(a[i]));
        const auto cb = static_cast<unsigned char>(foldAscii(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    return a.size() < b.size();
}

void VehicleList::assign(std::vector<std::string> names) {
    records_ = sortNames(names);
    entries_ = std::move(names);
    indexRecords();
}

int VehicleList::insert(std::string name, int record) {
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), name,
                         [](const std::string& a, const std::string& b) { return lessThan(a, b); });
    const auto position = at - entries_.begin();
    entries_.insert(at, std::move(name));
    records_.insert(records_.begin() + position, record);
    indexRecords();
    return static_cast<int>(position);
}

void VehicleList::insertMany(std::vector<std::string> names, int firstRecord) {
    std::vector<int> added = sortNames(names);
    for (int& record : added) {
        record += firstRecord;
    }
    // A stable merge keeps existing entries before new equal ones; names and
    // records are merged as pairs so that they stay together.
    std::vector<std::string> mergedNames;
    std::vector<int> mergedRecords;
    mergedNames.reserve(entries_.size() + names.size());
    mergedRecords.reserve(entries_.size() + names.size());
    std::size_t a = 0;
    std::size_t b = 0;
    while (a < entries_.size() || b < names.size()) {
        const bool takeNew =
            a == entries_.size() || (b < names.size() && lessThan(names[b], entries_[a]));
        if (takeNew) {
            mergedNames.push_back(std::move(names[b]));
            mergedRecords.push_back(added[b++]);
        } else {
            mergedNames.push_back(std::move(entries_[a]));
            mergedRecords.push_back(records_[a++]);
        }
    }
    entries_ = std::move(mergedNames);
    records_ = std::move(mergedRecords);
    indexRecords();
}

void VehicleList::indexRecords() {
    std::size_t highest = 0;
    for (const int record : records_) {
        highest = std::max(highest, static_cast<std::size_t>(record) + 1);
    }
    entryOfRecord_.assign(highest, -1);
    for (std::size_t entry = 0; entry < records_.size(); ++entry) {
        entryOfRecord_[static_cast<std::size_t>(records_[entry])] = static_cast<int>(entry);
    }
}

int VehicleList::entryOfRecord(int record) const {
    if (record < 0 || static_cast<std::size_t>(record) >= entryOfRecord_.size()) {
        return -1;
    }
    return entryOfRecord_[static_cast<std::size_t>(record)];
}

void VehicleList::rename(int index, std::string name) {
    entries_.at(static_cast<std::size_t>(index)) = std::move(name);
}

int VehicleList::indexOf(std::string_view name) const {
    const auto found = std::find(entries_.begin(), entries_.end(), name);
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

}  // namespace wendrake
