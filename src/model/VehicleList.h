// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wendrake {

// The vehicle names shown in the vehicle list, kept in the list's order:
// by their bytes with A-Z folded to a-z, an entry equal under that order to
// existing ones going after them. A renamed entry keeps its place. Every
// entry stands for one record of the document's table, so that two vehicles
// of one name are two entries that each show their own record.
class VehicleList {
  public:
    // Replaces the entries by `names`, sorted once; names[i] is record i.
    void assign(std::vector<std::string> names);

    // Sorts one name in for record `record`; returns its position.
    int insert(std::string name, int record);

    // Sorts many names in at once, each after the entries equal to it;
    // names[i] is record firstRecord + i.
    void insertMany(std::vector<std::string> names, int firstRecord);

    void rename(int index, std::string name);
    void clear() {
        entries_.clear();
        records_.clear();
        entryOfRecord_.clear();
    }

    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    const std::string& at(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::string>& entries() const { return entries_; }

    // Position of the first entry equal to `name` (case-sensitive), or -1.
    int indexOf(std::string_view name) const;

    // The record entry `index` stands for.
    int recordAt(int index) const { return records_.at(static_cast<std::size_t>(index)); }
    // The entry of record `record`, or -1.
    int entryOfRecord(int record) const;

    // The list's order: true when `a` sorts before `b`.
    static bool lessThan(std::string_view a, std::string_view b);

    bool operator==(const VehicleList&) const = default;

  private:
    void indexRecords();

    std::vector<std::string> entries_;
    std::vector<int> records_;        // records_[entry]
    std::vector<int> entryOfRecord_;  // the inverse
};

}  // namespace wendrake
