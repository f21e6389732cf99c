// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/DataFileKind.h"
#include "model/EditorDocument.h"

namespace wendrake::fuzz {

// A file as the editor holds it after opening: the text after the line-end
// repair (which the editor takes as the file on disk) and the document.
struct OpenedFile {
    std::string disk;
    EditorDocument document;
};

// nullopt when the editor would refuse the file.
std::optional<OpenedFile> openLikeTheEditor(std::string_view bytes, DataFileKind kind);

// What a reopened save must give back besides the records and the list.
enum class AlsoCompare { AuthorAndDate, Nothing };

// Saves the document over its disk text, opens the saved text and stops the
// run unless it holds the same records and vehicle list, or unless saving it
// again writes the very same bytes.
void checkSaveAndReopen(const OpenedFile& opened, AlsoCompare also);

// Saves the document keeping the file's layout: unedited, that gives the
// disk text itself; edited or not, the text opens to the same records.
void checkKeptLayout(const OpenedFile& opened, bool edited);

// Changes one value of every record (and colour) as a player could, so that a
// save that copied lines from disk instead of writing the records shows.
void editEveryRecord(EditorDocument& document);

// The whole round trip of one input read as a file of `kind`: opened, saved
// and opened again as it is, then once more with every record edited.
void checkRoundTrip(std::string_view bytes, DataFileKind kind);

}  // namespace wendrake::fuzz
