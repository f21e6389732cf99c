// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "DataFileKind.h"
#include "EditorDocument.h"
#include "KeptLayout.h"
#include "LanguageTable.h"
#include "ReadFailure.h"

namespace wendrake {

// The one road from a file's bytes into the document and back, shared by
// the window and the command line so that both read and write alike.

// True when the bytes hold a line feed without a carriage return before it.
bool needsLineEndRepair(std::string_view bytes);

// Every line ended by CR LF, then one more CR LF, as the game's files are.
std::string repairLineEnds(std::string_view bytes);

// Whether a load keeps a snapshot of the tables for undo. The command line
// never undoes, and for a large file the copy costs as much as the reading.
enum class Snapshot { Taken, Skipped };

// Whether a load fills the vehicle list. The window shows it and a save
// writes the records in its order; a check of the file needs neither, and
// for a large file the sort of the names is a tenth of the reading.
enum class NameList { Filled, Skipped };

// Reads `bytes` as a file of `kind` into the document: the kind's snapshot
// (unless skipped: it is then left empty) and working table, the vehicle
// list, and for handling files the error rows, author and date. On failure
// the document is left exactly as it was.
std::optional<ReadFailure> loadIntoDocument(EditorDocument& document, DataFileKind kind,
                                            std::string_view bytes, const LanguageTable& language,
                                            Snapshot snapshot = Snapshot::Taken,
                                            NameList nameList = NameList::Filled,
                                            SourceLines sourceLines = SourceLines::Recorded);

// The complete text a save writes, final CR LF included, built from the
// bytes of the file on disk and the working tables. The document is not
// changed: commit the snapshot once the text has been written.
std::string buildSaveText(const EditorDocument& document, std::string_view diskBytes);

// What a save writes in a chosen layout.
struct SaveText {
    std::string text;
    // The layout written. A save asked to keep the file's layout writes the
    // standard one when the file on disk, changed since it was read, has no
    // place left for the records (see the builders).
    SaveLayout layout = SaveLayout::Standard;
    // False when keeping the layout put records whose lines were changed on
    // disk at the end of their block, or fell back to the standard layout.
    bool everyRecordInPlace = true;
    // The line each record of the kind's table stands on in the text (car
    // colours: the palette); `carSources` the models of a car colour file.
    std::vector<SourceLine> sources;
    std::vector<SourceLine> carSources;
};

SaveText buildSaveText(const EditorDocument& document, std::string_view diskBytes,
                       SaveLayout layout, SourceLines sourceLines = SourceLines::Recorded);

// After the text was written: each record knows its line in the file now.
void adoptSourceLines(EditorDocument& document, const SaveText& saved);

void commitSnapshot(EditorDocument& document);

}  // namespace wendrake
