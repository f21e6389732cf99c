// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the session's recorded edits.
#include "DocumentSession.h"

namespace wendrake {

namespace {

template <typename Record>
bool holds(const std::vector<Record>& records, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < records.size();
}

template <typename Record>
Record& at(std::vector<Record>& records, int index) {
    return records[static_cast<std::size_t>(index)];
}

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

// The value of one field of a record of `records`, or null when there is none.
template <typename Record, int FieldCount>
std::string* fieldOf(std::vector<Record>& records, int record, int field) {
    if (!holds(records, record) || field < 0 || field >= FieldCount) {
        return nullptr;
    }
    return &at(records, record).fields[static_cast<std::size_t>(field)];
}

}  // namespace

std::shared_ptr<const DocumentTables> DocumentSession::copyTables() const {
    if (!recording()) {
        return nullptr;
    }
    auto tables = std::make_shared<DocumentTables>();
    switch (document_.kind) {
        case DataFileKind::Handling:
            tables->handling = document_.HandlingRecords;
            tables->author = document_.Author;
            tables->date = document_.Date;
            break;
        case DataFileKind::VehicleDefs:
            tables->vehicleDefs = document_.VehicleDefRecords;
            break;
        case DataFileKind::CarColours:
            tables->palette = document_.ColourEntries;
            tables->models = document_.CarColourRecords;
            break;
    }
    tables->list = document_.Autos;
    tables->errors = document_.Errors;
    return tables;
}

void DocumentSession::restoreTables(const DocumentTables& tables) {
    switch (document_.kind) {
        case DataFileKind::Handling:
            document_.HandlingRecords = tables.handling;
            document_.Author = tables.author;
            document_.Date = tables.date;
            break;
        case DataFileKind::VehicleDefs:
            document_.VehicleDefRecords = tables.vehicleDefs;
            break;
        case DataFileKind::CarColours:
            document_.ColourEntries = tables.palette;
            document_.CarColourRecords = tables.models;
            break;
    }
    document_.Autos = tables.list;
    document_.Errors = tables.errors;
}

bool DocumentSession::undo(const DocumentEdit& edit) {
    return step(edit, false);
}

bool DocumentSession::redo(const DocumentEdit& edit) {
    return step(edit, true);
}

bool DocumentSession::step(const DocumentEdit& edit, bool forward) {
    // In any other state the edit's records and positions may mean others.
    if (!isLoaded() || edit.kind != document_.kind ||
        state_ != (forward ? edit.before : edit.after)) {
        return false;
    }
    unsigned what = Change::Restored;
    int record = -1;
    int field = -1;
    const auto setValue = [&](const ValueEdit& value) {
        std::string* stored = document_.kind == DataFileKind::Handling
                                  ? fieldOf<HandlingRecord, kHandlingFieldCount>(
                                        document_.HandlingRecords, value.record, value.field)
                                  : fieldOf<VehicleDefRecord, kVehicleDefFieldCount>(
                                        document_.VehicleDefRecords, value.record, value.field);
        if (!stored || document_.kind == DataFileKind::CarColours) {
            return false;
        }
        *stored = forward ? value.after : value.before;
        const int nameField = document_.kind == DataFileKind::Handling
                                  ? static_cast<int>(HandlingField::Autoname)
                                  : static_cast<int>(VehicleDefField::HandlingID);
        what |= Change::Value;
        if (value.field == nameField) {
            if (const int entry = document_.Autos.entryOfRecord(value.record); entry >= 0) {
                document_.Autos.rename(entry, *stored);
                what |= Change::List;
            }
        }
        record = value.record;
        field = value.field;
        return true;
    };
    const bool applied =
        std::visit(Overloaded{setValue,
                              [&](const FileTextEdit& text) {
                                  if (document_.kind != DataFileKind::Handling) {
                                      return false;
                                  }
                                  (text.date ? document_.Date : document_.Author) =
                                      forward ? text.after : text.before;
                                  what |= Change::FileTexts;
                                  return true;
                              },
                              [&](const ColourEdit& colour) {
                                  if (!holds(document_.ColourEntries, colour.colour)) {
                                      return false;
                                  }
                                  at(document_.ColourEntries, colour.colour) =
                                      forward ? colour.after : colour.before;
                                  what |= Change::Palette;
                                  record = colour.colour;
                                  return true;
                              },
                              [&](const ColourAdded& added) {
                                  std::vector<ColourTableEntry>& palette = document_.ColourEntries;
                                  if (forward) {
                                      palette.push_back(added.entry);
                                  } else if (!palette.empty()) {
                                      palette.pop_back();
                                  } else {
                                      return false;
                                  }
                                  what |= Change::Palette;
                                  return true;
                              },
                              [&](const PairsEdit& pairs) {
                                  if (!holds(document_.CarColourRecords, pairs.record)) {
                                      return false;
                                  }
                                  at(document_.CarColourRecords, pairs.record) =
                                      forward ? pairs.after : pairs.before;
                                  what |= Change::Pairs;
                                  record = pairs.record;
                                  return true;
                              },
                              [&](const TablesEdit& tables) {
                                  const auto& wanted = forward ? tables.after : tables.before;
                                  if (!wanted) {
                                      return false;
                                  }
                                  restoreTables(*wanted);
                                  what |= Change::Value | Change::List | Change::Palette |
                                          Change::Pairs | Change::Errors | Change::FileTexts;
                                  return true;
                              }},
                   edit.step);
    if (!applied) {
        return false;
    }
    state_ = forward ? edit.after : edit.before;
    const bool saved = state_ == savedState_;
    if (document_.SavedFlag != saved) {
        document_.SavedFlag = saved;
        what |= Change::SavedState;
    }
    notify(what, record, field);
    return true;
}

bool DocumentSession::mergeEdits(DocumentEdit& earlier, const DocumentEdit& later) const {
    if (earlier.kind != later.kind || earlier.after != later.before ||
        earlier.after == savedState_) {
        return false;
    }
    bool merged = false;
    if (auto* value = std::get_if<ValueEdit>(&earlier.step)) {
        const auto* next = std::get_if<ValueEdit>(&later.step);
        if (next && next->record == value->record && next->field == value->field) {
            value->after = next->after;
            merged = true;
        }
    } else if (auto* text = std::get_if<FileTextEdit>(&earlier.step)) {
        const auto* next = std::get_if<FileTextEdit>(&later.step);
        if (next && next->date == text->date) {
            text->after = next->after;
            merged = true;
        }
    } else if (auto* colour = std::get_if<ColourEdit>(&earlier.step)) {
        const auto* next = std::get_if<ColourEdit>(&later.step);
        if (next && next->colour == colour->colour && next->name == colour->name) {
            colour->after = next->after;
            merged = true;
        }
    }
    if (merged) {
        earlier.after = later.after;
    }
    return merged;
}

}  // namespace wendrake
