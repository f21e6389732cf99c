// SPDX-License-Identifier: GPL-3.0-or-later
// Several values given at once, as one step of the history.
#include <algorithm>

#include "DocumentSession.h"
#include "RecordValues.h"

namespace wendrake {

namespace {

// Above this many records a full check is cheaper than one per record.
constexpr std::size_t kRecordsCheckedOneByOne = 64;

}  // namespace

int DocumentSession::nameField() const {
    return isLoaded() ? nameFieldOf(document_.kind) : -1;
}

bool DocumentSession::checkedAcrossRecords(int field) const {
    return field == nameField() ||
           (checkTexts_.warnings && document_.kind == DataFileKind::VehicleDefs &&
            field == static_cast<int>(VehicleDefField::ModelName));
}

bool DocumentSession::checkRecords(const std::vector<int>& records, bool renamed) {
    std::vector<int> distinct = records;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    // A rename checks every name, so several renames at once check once.
    if (renamed || distinct.size() > kRecordsCheckedOneByOne) {
        return checkAgain();
    }
    bool changed = false;
    for (const int record : distinct) {
        changed = checks_.recordChanged(document_, checkTexts_, record, false, document_.Errors) ||
                  changed;
    }
    return changed;
}

int DocumentSession::setValues(const std::vector<ValueAssignment>& values) {
    const int names = nameField();
    if (names < 0) {
        return 0;
    }
    ValuesEdit edit;
    std::vector<int> records;
    bool renamed = false;
    bool acrossRecords = false;
    for (const ValueAssignment& value : values) {
        const RecordValue stored(document_, value.record, value.field);
        if (!stored || stored.get() == value.value) {
            continue;
        }
        edit.values.push_back(
            ValueEdit{value.record, value.field, std::string(stored.get()), value.value});
        stored.set(value.value);
        records.push_back(value.record);
        acrossRecords = acrossRecords || checkedAcrossRecords(value.field);
        if (value.field == names) {
            // The entry keeps its place; the list is sorted again on reopening.
            if (const int entry = document_.Autos.entryOfRecord(value.record); entry >= 0) {
                document_.Autos.rename(entry, std::string(stored.get()));
                renamed = true;
            }
        }
    }
    if (edit.values.empty()) {
        return 0;
    }
    unsigned what = Change::Value;
    if (renamed) {
        what |= Change::List;
    }
    if (checkRecords(records, renamed || acrossRecords)) {
        what |= Change::Errors;
    }
    const bool oneRecord = std::all_of(records.begin(), records.end(),
                                       [&](int record) { return record == records.front(); });
    const int changed = static_cast<int>(edit.values.size());
    const int field = changed == 1 ? edit.values.front().field : -1;
    markChanged(what, oneRecord ? records.front() : -1, field, std::move(edit));
    return changed;
}

}  // namespace wendrake
