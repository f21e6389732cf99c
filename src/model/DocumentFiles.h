#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "DataFileKind.h"
#include "EditorDocument.h"
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

// Reads `bytes` as a file of `kind` into the document: the kind's snapshot
// (unless skipped: it is then left empty) and working table, the vehicle
// list, and for handling files the error rows, author and date. On failure
// the document is left exactly as it was.
std::optional<ReadFailure> loadIntoDocument(EditorDocument& document, DataFileKind kind,
                                            std::string_view bytes, const LanguageTable& language,
                                            Snapshot snapshot = Snapshot::Taken);

// The complete text a save writes, final CR LF included, built from the
// bytes of the file on disk and the working tables. The document is not
// changed: commit the snapshot once the text has been written.
std::string buildSaveText(const EditorDocument& document, std::string_view diskBytes);

void commitSnapshot(EditorDocument& document);

}  // namespace wendrake
