// SPDX-License-Identifier: GPL-3.0-or-later
#include "SameRecords.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "FuzzSupport.h"

namespace wendrake::fuzz {

// Messages are built only on a mismatch: the comparisons run for every
// value of every input.
namespace {

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) {
        text += value;
        text += '|';
    }
    return text;
}

// A save writes, at the first entry of each name in the vehicle list, every
// record of that name in table order.
std::vector<const HandlingRecord*> inSavedOrder(const EditorDocument& document) {
    std::unordered_map<std::string_view, std::vector<const HandlingRecord*>> byName;
    for (const HandlingRecord& record : document.HandlingRecords) {
        byName[record.name()].push_back(&record);
    }
    std::vector<const HandlingRecord*> order;
    std::unordered_set<std::string_view> written;
    for (const std::string& name : document.Autos.entries()) {
        if (written.insert(name).second) {
            const auto found = byName.find(name);
            if (found != byName.end()) {
                order.insert(order.end(), found->second.begin(), found->second.end());
            }
        }
    }
    return order;
}

void expectSameHandling(const EditorDocument& saved, const EditorDocument& reopened,
                        HandlingOrder order) {
    std::vector<const HandlingRecord*> expected;
    if (order == HandlingOrder::VehicleList) {
        expected = inSavedOrder(saved);
    } else {
        for (const HandlingRecord& record : saved.HandlingRecords) {
            expected.push_back(&record);
        }
    }
    const std::vector<HandlingRecord>& got = reopened.HandlingRecords;
    if (expected.size() != got.size()) {
        fail("a save loses or adds handling records: " + std::to_string(expected.size()) + " -> " +
             std::to_string(got.size()));
    }
    for (std::size_t i = 0; i < got.size(); ++i) {
        for (std::size_t k = 0; k < got[i].values().size(); ++k) {
            if (expected[i]->values()[k] != got[i].values()[k]) {
                fail("a save changes value " + std::to_string(k) + " of handling record " +
                         std::to_string(i),
                     std::string(expected[i]->values()[k]) + " -> " +
                         std::string(got[i].values()[k]));
            }
        }
        // The count may grow where a field the line lacked was filled; what
        // the line holds after the 32nd value and its comment may not change.
        if (expected[i]->extraValues != got[i].extraValues) {
            fail("a save changes the values after the 32nd of handling record " + std::to_string(i),
                 joined(expected[i]->extraValues) + " -> " + joined(got[i].extraValues));
        }
        if (expected[i]->trailingComment != got[i].trailingComment) {
            fail("a save changes the comment of handling record " + std::to_string(i),
                 expected[i]->trailingComment + " -> " + got[i].trailingComment);
        }
    }
}

std::string describe(const VehicleDefRecord& record) {
    return joined({record.values().begin(), record.values().end()}) + record.laterValues + " (" +
           std::to_string(record.namedValueCount) + ") " + record.trailingComment;
}

// A save writes every value a line has, whatever its type, and no other.
void expectSameVehicleDefs(const EditorDocument& saved, const EditorDocument& reopened) {
    const auto& expected = saved.VehicleDefRecords;
    const auto& got = reopened.VehicleDefRecords;
    if (expected.size() != got.size()) {
        fail("a save loses or adds vehicle definitions: " + std::to_string(expected.size()) +
             " -> " + std::to_string(got.size()));
    }
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (expected[i] != got[i]) {
            fail("a save changes vehicle definition " + std::to_string(i),
                 describe(expected[i]) + " -> " + describe(got[i]));
        }
    }
}

std::string describe(const ColourTableEntry& entry) {
    return std::to_string(entry.Number) + ":" + std::to_string(entry.Red) + "," +
           std::to_string(entry.Green) + "," + std::to_string(entry.Blue) + " " + entry.Name + "|" +
           entry.nameTail;
}

std::string describe(const CarColourRecord& record) {
    std::string text = record.ModelName;
    for (std::size_t j = 0; j < record.Color1.size() && j < record.Color2.size(); ++j) {
        text += " " + std::to_string(record.Color1[j]) + "/" + std::to_string(record.Color2[j]);
    }
    return text + " " + record.trailingComment;
}

void expectSameCarColours(const EditorDocument& saved, const EditorDocument& reopened) {
    if (saved.ColourEntries.size() != reopened.ColourEntries.size()) {
        fail("a save loses or adds palette colours: " + std::to_string(saved.ColourEntries.size()) +
             " -> " + std::to_string(reopened.ColourEntries.size()));
    }
    for (std::size_t i = 0; i < saved.ColourEntries.size(); ++i) {
        if (saved.ColourEntries[i] != reopened.ColourEntries[i]) {
            fail("a save changes palette colour " + std::to_string(i),
                 describe(saved.ColourEntries[i]) + " -> " + describe(reopened.ColourEntries[i]));
        }
    }
    if (saved.CarColourRecords.size() != reopened.CarColourRecords.size()) {
        fail("a save loses or adds car colour lines: " +
             std::to_string(saved.CarColourRecords.size()) + " -> " +
             std::to_string(reopened.CarColourRecords.size()));
    }
    for (std::size_t i = 0; i < saved.CarColourRecords.size(); ++i) {
        if (saved.CarColourRecords[i] != reopened.CarColourRecords[i]) {
            fail("a save changes the car colour line " + std::to_string(i),
                 describe(saved.CarColourRecords[i]) + " -> " +
                     describe(reopened.CarColourRecords[i]));
        }
    }
}

// The list's entries with the names that are equal in its order (alike but
// for the case of A-Z) sorted by their bytes. The list keeps such names in
// table order, and a save groups the records of each exact name, so after a
// reopen "BRISK", "bRISK", "BRISK" shows as "BRISK", "BRISK", "bRISK": the
// same vehicles, shown in another order. Nothing else may change.
std::vector<std::string> withAlikeNamesSorted(const VehicleList& list) {
    std::vector<std::string> names = list.entries();
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return VehicleList::lessThan(a, b) || (!VehicleList::lessThan(b, a) && a < b);
    });
    return names;
}

}  // namespace

void expectSameRecords(const EditorDocument& saved, const EditorDocument& reopened,
                       HandlingOrder order) {
    if (reopened.kind != saved.kind) {
        fail("the saved text opens as another kind of file");
    }
    switch (saved.kind) {
        case DataFileKind::Handling:
            expectSameHandling(saved, reopened, order);
            break;
        case DataFileKind::VehicleDefs:
            expectSameVehicleDefs(saved, reopened);
            break;
        case DataFileKind::CarColours:
            expectSameCarColours(saved, reopened);
            break;
    }
    if (withAlikeNamesSorted(saved.Autos) != withAlikeNamesSorted(reopened.Autos)) {
        fail("a save changes the vehicle list",
             joined(saved.Autos.entries()) + " -> " + joined(reopened.Autos.entries()));
    }
}

}  // namespace wendrake::fuzz
