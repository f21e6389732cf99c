// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HandlingRecord.h"
#include "KeptLayout.h"
#include "VehicleList.h"

namespace wendrake {

// The text a save writes for a handling file, without the final CR LF that
// the caller adds: our header, the comment lines and the lines of foreign
// sections of the file on disk where they stood, the author and date lines
// with the current texts (see AuthorDateLines), and every
// record once, in the sorted order of the vehicle list's names, where the
// first data line stood. Records of one name are written in table order the first time the
// list names them; a record whose name is not listed is not written.
// With `sources`, it is filled with the line each record stands on in the
// text (for a record not written: the line it would be written as).
std::string BuildHandlingText(std::string_view diskBytes,
                              const std::vector<HandlingRecord>& records, const VehicleList& list,
                              std::string_view author, std::string_view date,
                              std::vector<SourceLine>* sources = nullptr);

// The same keeping the file's layout: every line of the file on disk stays
// as it stands and in its place, except the vehicle lines of records that
// changed, which are written anew in place, and the author and date lines,
// which change only with their values. Vehicles added since the file was
// read come after its last vehicle line; lines whose vehicle is gone are
// left out. Nothing is added: no header, no closing lines. nullopt when the
// file on disk has no vehicle line left to place the records by.
std::optional<KeptLayoutText> BuildHandlingTextKeepingLayout(
    std::string_view diskBytes, const std::vector<HandlingRecord>& records, std::string_view author,
    std::string_view date);

}  // namespace wendrake
