// SPDX-License-Identifier: GPL-3.0-or-later
#include "LiveChecks.h"

#include <algorithm>
#include <iterator>

namespace wendrake {

namespace {

using Offset = ErrorRows::difference_type;

// Puts `fresh` in place of rows [begin, end); true when they differ.
bool replaceRows(ErrorRows& rows, std::size_t begin, std::size_t end, ErrorRows&& fresh) {
    const auto first = rows.begin() + static_cast<Offset>(begin);
    const auto last = rows.begin() + static_cast<Offset>(end);
    if (std::equal(first, last, fresh.begin(), fresh.end())) {
        return false;
    }
    const auto at = rows.erase(first, last);
    rows.insert(at, std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    return true;
}

}  // namespace

bool LiveChecks::checkAll(const EditorDocument& document, const DocumentCheckTexts& texts,
                          ErrorRows& rows) {
    ErrorRows fresh;
    recordEnds_.clear();
    if (document.kind == DataFileKind::Handling) {
        recordEnds_.reserve(document.HandlingRecords.size());
        for (const HandlingRecord& record : document.HandlingRecords) {
            addRecordRows(record, texts, fresh);
            recordEnds_.push_back(fresh.size());
        }
    }
    addDocumentCheckRows(document, texts, fresh);
    if (fresh == rows) {
        return false;
    }
    rows = std::move(fresh);
    return true;
}

bool LiveChecks::knowsRowsOf(const EditorDocument& document, const ErrorRows& rows) const {
    return document.kind == DataFileKind::Handling &&
           recordEnds_.size() == document.HandlingRecords.size() && !recordEnds_.empty() &&
           recordEnds_.back() <= rows.size();
}

std::optional<RecordRows> LiveChecks::rowsOf(const EditorDocument& document, const ErrorRows& rows,
                                             int record) const {
    const auto index = static_cast<std::size_t>(record);
    if (record < 0 || !knowsRowsOf(document, rows) || index >= recordEnds_.size()) {
        return std::nullopt;
    }
    return RecordRows{index == 0 ? 0 : recordEnds_[index - 1], recordEnds_[index],
                      recordEnds_.back()};
}

bool LiveChecks::recordChanged(const EditorDocument& document, const DocumentCheckTexts& texts,
                               int record, bool renamed, ErrorRows& rows) {
    if (document.kind != DataFileKind::Handling) {
        // Only the names of the other kinds are checked.
        return renamed && checkAll(document, texts, rows);
    }
    const auto index = static_cast<std::size_t>(record);
    if (record < 0 || index >= document.HandlingRecords.size() || !knowsRowsOf(document, rows)) {
        return checkAll(document, texts, rows);
    }
    ErrorRows fresh;
    addRecordRows(document.HandlingRecords[index], texts, fresh);
    const std::size_t begin = index == 0 ? 0 : recordEnds_[index - 1];
    const std::size_t end = recordEnds_[index];
    const auto grown =
        static_cast<std::ptrdiff_t>(fresh.size()) - static_cast<std::ptrdiff_t>(end - begin);
    bool changed = replaceRows(rows, begin, end, std::move(fresh));
    if (grown != 0) {
        for (std::size_t k = index; k < recordEnds_.size(); ++k) {
            recordEnds_[k] =
                static_cast<std::size_t>(static_cast<std::ptrdiff_t>(recordEnds_[k]) + grown);
        }
    }
    if (renamed) {
        ErrorRows names;
        addDocumentCheckRows(document, texts, names);
        changed = replaceRows(rows, recordEnds_.back(), rows.size(), std::move(names)) || changed;
    }
    return changed;
}

}  // namespace wendrake
