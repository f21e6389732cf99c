// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "EditorDocument.h"
#include "RecordIndex.h"

namespace wendrake {

// The field that names the records of `kind` in the vehicle list, or -1 for
// a kind whose records have no single values to set (the car colours).
inline int nameFieldOf(DataFileKind kind) {
    switch (kind) {
        case DataFileKind::Handling:
            return static_cast<int>(HandlingField::Autoname);
        case DataFileKind::VehicleDefs:
            return static_cast<int>(VehicleDefField::HandlingID);
        case DataFileKind::CarColours:
            return -1;
    }
    return -1;
}

// Value `field` of record `record` of the document's kind, to read and to
// set; false when there is none.
class RecordValue {
  public:
    RecordValue(EditorDocument& document, int record, int field) : field_(field) {
        switch (document.kind) {
            case DataFileKind::Handling:
                handling_ = find(document.HandlingRecords, record);
                break;
            case DataFileKind::VehicleDefs:
                definition_ = find(document.VehicleDefRecords, record);
                break;
            case DataFileKind::CarColours:
                break;
        }
    }

    explicit operator bool() const { return handling_ != nullptr || definition_ != nullptr; }

    std::string_view get() const {
        return handling_ ? handling_->value(field_) : definition_->value(field_);
    }

    void set(std::string_view value) const {
        if (handling_) {
            handling_->set(field_, value);
        } else {
            definition_->set(field_, value);
        }
    }

  private:
    template <typename Record>
    Record* find(std::vector<Record>& records, int record) const {
        return records::holds(records, record) && records::holdsField<Record>(field_)
                   ? &records::at(records, record)
                   : nullptr;
    }

    int field_;
    HandlingRecord* handling_ = nullptr;
    VehicleDefRecord* definition_ = nullptr;
};

}  // namespace wendrake
