// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the session's recorded edits.
#include "DocumentSession.h"
#include "RecordIndex.h"
#include "RecordValues.h"

#include <algorithm>

namespace wendrake {

namespace {

using records::at;
using records::holds;

// The values of `restored` in `record`, which stays on the line it stands on
// now: a save since the step was recorded may have moved it, and a save that
// keeps the layout finds it by that line.
template <typename Record>
void restoreKeepingLine(Record& record, const Record& restored) {
    const SourceLine line = record.source;
    record = restored;
    record.source = line;
}

// Puts one recorded step of any sort into the document, forward (redo) or
// back (undo), and says what changed. False when the step does not fit the
// document, which then is unchanged.
struct StepApplier {
    EditorDocument& document;
    bool forward;
    unsigned what = Change::Restored;
    int record = -1;
    int field = -1;
    const std::vector<ValueEdit>* touched = nullptr;  // the values of a ValuesEdit put

    template <typename Value>
    const Value& side(const Value& before, const Value& after) const {
        return forward ? after : before;
    }

    // The stored value a value edit changes, or null when it does not fit.
    RecordValue storedValue(const ValueEdit& value) const {
        return RecordValue(document, value.record, value.field);
    }

    void put(const ValueEdit& value, const RecordValue& stored) {
        stored.set(side(value.before, value.after));
        what |= Change::Value;
        if (value.field == nameFieldOf(document.kind)) {
            if (const int entry = document.Autos.entryOfRecord(value.record); entry >= 0) {
                document.Autos.rename(entry, std::string(stored.get()));
                what |= Change::List;
            }
        }
    }

    bool operator()(const ValueEdit& value) {
        const RecordValue stored = storedValue(value);
        if (!stored) {
            return false;
        }
        put(value, stored);
        record = value.record;
        field = value.field;
        return true;
    }

    bool operator()(const ValuesEdit& values) {
        if (values.values.empty()) {
            return false;
        }
        // All or nothing: a step that fits only in part would leave a state
        // that no history names.
        for (const ValueEdit& value : values.values) {
            if (!storedValue(value)) {
                return false;
            }
        }
        // Backwards when undoing, so that a value set twice in one step
        // ends as it was before.
        const auto putEach = [this](auto first, auto last) {
            for (; first != last; ++first) {
                if (const RecordValue stored = storedValue(*first)) {
                    put(*first, stored);
                }
            }
        };
        if (forward) {
            putEach(values.values.begin(), values.values.end());
        } else {
            putEach(values.values.rbegin(), values.values.rend());
        }
        touched = &values.values;
        const ValueEdit& first = values.values.front();
        const bool oneRecord =
            std::all_of(values.values.begin(), values.values.end(),
                        [&](const ValueEdit& v) { return v.record == first.record; });
        record = oneRecord ? first.record : -1;
        field = oneRecord && values.values.size() == 1 ? first.field : -1;
        return true;
    }

    bool operator()(const FileTextEdit& text) {
        if (document.kind != DataFileKind::Handling) {
            return false;
        }
        (text.date ? document.Date : document.Author) = side(text.before, text.after);
        what |= Change::FileTexts;
        return true;
    }

    bool operator()(const ColourEdit& colour) {
        if (document.kind != DataFileKind::CarColours ||
            !holds(document.ColourEntries, colour.colour)) {
            return false;
        }
        restoreKeepingLine(at(document.ColourEntries, colour.colour),
                           side(colour.before, colour.after));
        what |= Change::Palette;
        record = colour.colour;
        return true;
    }

    bool operator()(const ColourAdded& added) {
        std::vector<ColourTableEntry>& palette = document.ColourEntries;
        if (document.kind != DataFileKind::CarColours || (!forward && palette.empty())) {
            return false;
        }
        if (forward) {
            palette.push_back(added.entry);
        } else {
            palette.pop_back();
        }
        what |= Change::Palette;
        return true;
    }

    bool operator()(const PairsEdit& pairs) {
        if (document.kind != DataFileKind::CarColours ||
            !holds(document.CarColourRecords, pairs.record)) {
            return false;
        }
        restoreKeepingLine(at(document.CarColourRecords, pairs.record),
                           side(pairs.before, pairs.after));
        what |= Change::Pairs;
        record = pairs.record;
        return true;
    }

    bool operator()(const TablesEdit& tables) {
        if (!tables.change) {
            return false;
        }
        applyChange(*tables.change, document, forward);
        what |= Change::Value | Change::List | Change::Palette | Change::Pairs | Change::Errors |
                Change::FileTexts;
        return true;
    }
};

}  // namespace

TablesEdit DocumentSession::tablesEdit(std::optional<TablesChange> change) {
    if (!change) {
        return {};
    }
    return TablesEdit{std::make_shared<const TablesChange>(std::move(*change))};
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
    StepApplier applier{document_, forward};
    if (!std::visit(applier, edit.step)) {
        return false;
    }
    state_ = forward ? edit.after : edit.before;
    unsigned what = applier.what & ~Change::Errors;
    // The problem rows follow the restored values as they follow typing.
    if (std::holds_alternative<ValueEdit>(edit.step)) {
        if (checks_.recordChanged(
                document_, checkTexts_, applier.record,
                (applier.what & Change::List) != 0 || checkedAcrossRecords(applier.field),
                document_.Errors)) {
            what |= Change::Errors;
        }
    } else if (applier.touched) {
        std::vector<int> records;
        records.reserve(applier.touched->size());
        bool acrossRecords = (applier.what & Change::List) != 0;
        for (const ValueEdit& value : *applier.touched) {
            records.push_back(value.record);
            acrossRecords = acrossRecords || checkedAcrossRecords(value.field);
        }
        if (checkRecords(records, acrossRecords)) {
            what |= Change::Errors;
        }
    } else if (!std::holds_alternative<FileTextEdit>(edit.step) &&
               !std::holds_alternative<ColourEdit>(edit.step)) {
        if (checkAgain() || std::holds_alternative<TablesEdit>(edit.step)) {
            what |= Change::Errors;
        }
    }
    const bool saved = inSavedState();
    if (document_.SavedFlag != saved) {
        document_.SavedFlag = saved;
        what |= Change::SavedState;
    }
    notify(what, applier.record, applier.field);
    return true;
}

bool DocumentSession::mergeEdits(DocumentEdit& earlier, const DocumentEdit& later) const {
    if (earlier.kind != later.kind || earlier.after != later.before ||
        std::find(savedStates_.begin(), savedStates_.end(), earlier.after) != savedStates_.end()) {
        return false;
    }
    bool merged = false;
    if (auto* value = std::get_if<ValueEdit>(&earlier.step)) {
        const auto* next = std::get_if<ValueEdit>(&later.step);
        // The flags are set one box at a time, each click a step of its own.
        const bool flags = earlier.kind == DataFileKind::Handling &&
                           value->field == static_cast<int>(HandlingField::Flags);
        if (next && !flags && next->record == value->record && next->field == value->field) {
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
        if (next && next->colour == colour->colour && next->name == colour->name &&
            !colour->whole && !next->whole) {
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
