// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "ColourRecords.h"
#include "DataFileKind.h"
#include "TablesChange.h"

namespace wendrake {

// Names one state of the tables within a session. Every edit leads to a new
// state; undoing it leads back to the one before, so the document is saved
// exactly when it is in the state it was last opened or saved in.
using DocumentState = std::uint64_t;

// One value of a handling or vehicle definition record.
struct ValueEdit {
    int record = -1;
    int field = -1;
    std::string before;
    std::string after;
};

// Values of several records given at once (a copy between compared
// vehicles, a paste into the table): one step, undone in reverse order.
struct ValuesEdit {
    std::vector<ValueEdit> values;
};

// The file's author or its date.
struct FileTextEdit {
    bool date = false;
    std::string before;
    std::string after;
};

// One colour of the palette: its components or its name.
struct ColourEdit {
    int colour = -1;
    bool name = false;  // typing a name and moving a bar are steps of their own
    ColourTableEntry before;
    ColourTableEntry after;
    // A colour given at once (a code, a chosen colour) is a step of its own;
    // the moves of one bar drag make one step.
    bool whole = false;
};

// A colour appended to the palette.
struct ColourAdded {
    ColourTableEntry entry;
};

// The colour pairs of one model.
struct PairsEdit {
    int record = -1;
    CarColourRecord before;
    CarColourRecord after;
};

// An import, a colour deletion or a revert: the tables where they changed.
struct TablesEdit {
    // Shared: a command copied between holders does not copy the change.
    std::shared_ptr<const TablesChange> change;
};

using EditStep = std::variant<ValueEdit, ValuesEdit, FileTextEdit, ColourEdit, ColourAdded,
                              PairsEdit, TablesEdit>;

// What one operation of the session changed, enough to undo and redo it.
// It applies only in the state it left (undo) or started from (redo).
struct DocumentEdit {
    DataFileKind kind = DataFileKind::Handling;
    DocumentState before = 0;
    DocumentState after = 0;
    EditStep step;
};

}  // namespace wendrake
