#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wendrake {

// The vehicle names shown in the vehicle list, kept in the list's order:
// by their bytes with A-Z folded to a-z, an entry equal under that order to
// existing ones going after them. A renamed entry keeps its place.
class VehicleList {
  public:
    // Replaces the entries by `names`, sorted once.
    void assign(std::vector<std::string> names);

    // Sorts one name in; returns its position.
    int insert(std::string name);

    // Sorts many names in at once, each after the entries equal to it.
    void insertMany(std::vector<std::string> names);

    void rename(int index, std::string name);
    void clear() { entries_.clear(); }

    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    const std::string& at(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& entries() const { return entries_; }

    // Position of the first entry equal to `name` (case-sensitive), or -1.
    int indexOf(std::string_view name) const;

    // The list's order: true when `a` sorts before `b`.
    static bool lessThan(std::string_view a, std::string_view b);

    bool operator==(const VehicleList&) const = default;

  private:
    std::vector<std::string> entries_;
};

}  // namespace wendrake
