#include "VehicleList.h"

#include <algorithm>

#include "TextLines.h"

namespace wendrake {

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
    entries_ = std::move(names);
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const std::string& a, const std::string& b) { return lessThan(a, b); });
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
    std::stable_sort(names.begin(), names.end(), order);
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
