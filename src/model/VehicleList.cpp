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

// Puts `names` into the list's order, equal names keeping theirs. The sort
// moves small keys instead of the names themselves, and reads a name only
// when the keys are equal.
void sortNames(std::vector<std::string>& names) {
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
    sorted.reserve(names.size());
    for (const Item& item : items) {
        sorted.push_back(std::move(names[item.index]));
    }
    names = std::move(sorted);
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
    sortNames(names);
    entries_ = std::move(names);
}

int VehicleList::insert(std::string name) {
    const auto at =
        std::upper_bound(entries_.begin(), entries_.end(), name,
                         [](const std::string& a, const std::string& b) { return lessThan(a, b); });
    const auto inserted = entries_.insert(at, std::move(name));
    return static_cast<int>(inserted - entries_.begin());
}

void VehicleList::insertMany(std::vector<std::string> names) {
    const auto order = [](const std::string& a, const std::string& b) { return lessThan(a, b); };
    sortNames(names);
    const auto middle = static_cast<std::ptrdiff_t>(entries_.size());
    entries_.insert(entries_.end(), std::make_move_iterator(names.begin()),
                    std::make_move_iterator(names.end()));
    // A stable merge keeps existing entries before new equal ones.
    std::inplace_merge(entries_.begin(), entries_.begin() + middle, entries_.end(), order);
}

void VehicleList::rename(int index, std::string name) {
    entries_.at(static_cast<std::size_t>(index)) = std::move(name);
}

int VehicleList::indexOf(std::string_view name) const {
    const auto found = std::find(entries_.begin(), entries_.end(), name);
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}

}  // namespace wendrake
