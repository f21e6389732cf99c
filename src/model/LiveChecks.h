// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "DocumentChecks.h"

namespace wendrake {

// Where the rows about one handling record lie: its own rows are
// [begin, end), the rows of the whole document (repeated names) start at
// `documentRows` and run to the end.
struct RecordRows {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t documentRows = 0;
};

// Keeps a document's rows equal to what checkDocument() gives while it is
// edited. A full check touches every value of every vehicle, too much for
// each key press in a file of 32767 vehicles; so it remembers where each
// handling record's rows lie, and a value edit checks its one record. A
// name edit checks the names again too (one pass over the names).
class LiveChecks {
  public:
    // Checks the whole document; true when `rows` changed.
    bool checkAll(const EditorDocument& document, const DocumentCheckTexts& texts, ErrorRows& rows);

    // After one value of record `record` of the loaded kind changed; true
    // when `rows` changed. `renamed`: the value was one that rows of the
    // whole document compare (a name; with warnings a model name).
    bool recordChanged(const EditorDocument& document, const DocumentCheckTexts& texts, int record,
                       bool renamed, ErrorRows& rows);

    // Where the rows of handling record `record` lie in `rows`; nullopt
    // until a check of the whole document (or of another kind of file).
    std::optional<RecordRows> rowsOf(const EditorDocument& document, const ErrorRows& rows,
                                     int record) const;

    // The rows were replaced or added to by other means (an open, an
    // import): the next edit checks the whole document.
    void forget() { recordEnds_.clear(); }

  private:
    bool knowsRowsOf(const EditorDocument& document, const ErrorRows& rows) const;

    // Where the rows of handling record k end in the rows; the rows of the
    // names and colours follow the last.
    std::vector<std::size_t> recordEnds_;
};

}  // namespace wendrake
