// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleDefFile.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "CommaLine.h"
#include "FileHeader.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr std::size_t kMinimumValues = 10;

// A line split at its first "#": the values before it and the comment from it on.
struct CommentedLine {
    std::string_view values;
    std::string_view comment;
};

CommentedLine splitComment(std::string_view line) {
    const std::size_t hash = line.find('#');
    if (hash == std::string_view::npos) {
        return {line, {}};
    }
    return {line.substr(0, hash), line.substr(hash)};
}

// What follows each of the first ten values. Frequency, level and comprules
// take a blank after their comma; the model, texture, handling id, game name
// and class columns get a second tab when the value is shorter than seven
// characters, so that the columns line up in the game's file.
constexpr std::array<std::string_view, kMinimumValues> kSeparators = {
    ",\t", ",\t", ",\t", ",\t", ",\t", ",\t", ",\t", ", \t", ", \t", ", \t"};
constexpr std::array<bool, kMinimumValues> kAlignedColumns = {false, true, true,  false, true,
                                                              true,  true, false, false, false};
// Before each value after the tenth.
constexpr std::string_view kLaterSeparator = ", \t";

// As many values as the line had, and up to the last one a player filled
// in: never fewer, never an invented one. The first ten end in their comma,
// so nine values are the shortest line the reader takes (the comma after the
// ninth stands for an empty tenth).
std::size_t writtenValueCount(const VehicleDefRecord& record) {
    constexpr std::size_t kNamed = kVehicleDefFieldCount;
    std::size_t count = std::clamp(record.namedValueCount, kMinimumValues - 1, kNamed);
    if (!record.laterValues.empty()) {
        count = kNamed;
    }
    for (std::size_t k = count; k < kNamed; ++k) {
        if (!record.values()[k].empty()) {
            count = k + 1;
        }
    }
    return count;
}

struct VehicleLine {
    VehicleDefRecord record;
    std::size_t valuesWithTrailingComma = 0;
};

// The record of a vehicle line. Values the line does not have stay empty;
// values after the twelfth are kept as they stand.
VehicleLine readVehicleLine(const CommentedLine& parts) {
    VehicleLine read;
    VehicleDefRecord& record = read.record;
    constexpr std::size_t kNamed = kVehicleDefFieldCount;
    // A line of the game holds some 100 bytes; a hostile one of megabytes
    // keeps most of them as later values, not here.
    record.reserveValues(std::min<std::size_t>(parts.values.size(), 256));
    const CommaCount count =
        forEachCommaValue(parts.values, [&](std::size_t k, std::string_view value) {
            if (k < kNamed) {
                record.appendValue(k, value);
            } else {
                record.laterValues += ',';
                record.laterValues += value;
            }
        });
    read.valuesWithTrailingComma = count.withTrailingComma;
    record.namedValueCount = std::min(count.values, kNamed);
    record.trailingComment = parts.comment;
    return read;
}

bool vehicleLineHolds(std::string_view line, const VehicleDefRecord& record) {
    const CommentedLine parts = splitComment(line);
    if (isBlankText(parts.values)) {
        return false;
    }
    const VehicleLine read = readVehicleLine(parts);
    return read.valuesWithTrailingComma >= kMinimumValues && read.record == record;
}

// Where a save that keeps the layout finds the vehicle lines and puts the
// vehicles added since: after the last vehicle line, else before the "end"
// of the first "cars" section, else at the end of a section left open.
struct VehicleLinePlaces {
    std::vector<bool> isVehicleLine;
    std::optional<std::size_t> addedBefore;  // the line the added vehicles go before
};

VehicleLinePlaces vehicleLinePlaces(const std::vector<EndedLine>& lines) {
    VehicleLinePlaces places;
    places.isVehicleLine.assign(lines.size(), false);
    std::optional<std::size_t> lastVehicle;
    std::optional<std::size_t> firstEnd;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const CommentedLine parts = splitComment(lines[i].text);
        if (inside && isSectionLine(parts.values, "end")) {
            inside = false;
            firstEnd = firstEnd.value_or(i);
        }
        if (inside && !isBlankText(parts.values)) {
            places.isVehicleLine[i] = true;
            lastVehicle = i;
        }
        if (!inside && isSectionLine(parts.values, "cars")) {
            inside = true;
        }
    }
    if (lastVehicle) {
        places.addedBefore = *lastVehicle + 1;
    } else if (firstEnd) {
        places.addedBefore = firstEnd;
    } else if (inside) {
        places.addedBefore = lines.size();
    }
    return places;
}

// Appends the line of `record` to `text`, which a whole save shares: no
// line of its own is made. The room for the line is made at once and the
// bytes are put in place, since a file has tens of thousands of such lines.
void appendVehicleDefLine(std::string& text, const VehicleDefRecord& record) {
    const std::size_t count = writtenValueCount(record);
    const std::size_t start = text.size();
    // Every value takes at most three bytes after it, a later comma three in
    // all, then the last comma, a blank and the comment.
    const std::size_t most = record.values().joined().size() + count * 3 +
                             record.laterValues.size() * 3 + 2 + record.trailingComment.size();
    text.resize(start + most);
    char* out = text.data() + start;
    const auto put = [&out](std::string_view bytes) {
        std::memcpy(out, bytes.data(), bytes.size());
        out += bytes.size();
    };
    for (std::size_t k = 0; k < count; ++k) {
        const std::string_view value = record.values()[k];
        if (k < kMinimumValues) {
            put(value);
            put(kSeparators[k]);
            if (kAlignedColumns[k] && value.size() < 7) {
                *out++ = '\t';
            }
        } else {
            if (k > kMinimumValues) {
                put(kLaterSeparator);
            }
            put(value);
        }
    }
    for (const char c : record.laterValues) {
        if (c == ',') {
            put(kLaterSeparator);
        } else {
            *out++ = c;
        }
    }
    // A last value after the tenth that is empty would leave the line ending
    // in a comma, which the reader drops: one more comma keeps it a value.
    const bool lastIsEmpty = record.laterValues.empty() ? record.values()[count - 1].empty()
                                                        : record.laterValues.back() == ',';
    if (count > kMinimumValues && lastIsEmpty) {
        *out++ = ',';
    }
    if (!record.trailingComment.empty()) {
        *out++ = ' ';
        put(record.trailingComment);
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
}

void appendBlock(std::string& text, const std::vector<VehicleDefRecord>& records) {
    for (const VehicleDefRecord& record : records) {
        appendVehicleDefLine(text, record);
        text += kCrLf;
    }
}

}  // namespace

VehicleDefReadResult LoadVehicleDefFile(std::string_view bytes, std::string_view tooFewValues) {
    VehicleDefReadResult result;
    // Room for a vehicle on every line, so that the table is never moved
    // while it grows; every line but the last ends in a CR.
    const auto lineCount = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
    result.records.reserve(std::min(lineCount + 1, static_cast<std::size_t>(kTableLimit)));
    result.names.reserve(result.records.capacity());
    bool inside = false;
    int lineNumber = 0;
    forEachLine(bytes, [&](std::string_view line) {
        ++lineNumber;
        const CommentedLine parts = splitComment(line);
        if (inside && isSectionLine(parts.values, "end")) {
            inside = false;
        }
        if (inside && !isBlankText(parts.values)) {
            VehicleLine read = readVehicleLine(parts);
            if (read.valuesWithTrailingComma < kMinimumValues) {
                result.failure =
                    ReadFailure{0, std::string(tooFewValues) + std::to_string(lineNumber), true};
                return false;
            }
            if (result.records.size() >= static_cast<std::size_t>(kTableLimit)) {
                result.failure = ReadFailure{kOverflowCode, "Overflow"};
                return false;
            }
            read.record.source = SourceLine::of(line);
            result.names.emplace_back(read.record.name());
            result.records.push_back(std::move(read.record));
        }
        if (!inside && isSectionLine(parts.values, "cars")) {
            inside = true;
        }
        return true;
    });
    return result;
}

std::string FormatVehicleDefLine(const VehicleDefRecord& record) {
    std::string line;
    appendVehicleDefLine(line, record);
    return line;
}

std::string BuildVehicleDefText(std::string_view diskBytes,
                                const std::vector<VehicleDefRecord>& records) {
    std::string text = headerBlock('#');
    text.reserve(diskBytes.size() + records.size() * 80 + 128);
    bool inside = false;
    bool blockWritten = false;
    const auto writeBlockOnce = [&] {
        if (!blockWritten) {
            appendBlock(text, records);
            blockWritten = true;
        }
    };
    for (const std::string_view line : linesWithoutTrailingEmpties(diskBytes)) {
        const CommentedLine parts = splitComment(line);
        // A vehicle line with a trailing comment is a vehicle line: its record
        // carries the comment, so the line itself is not copied. "cars # note"
        // opens the section all the same.
        const bool vehicleLine = inside && !isBlankText(parts.values);
        const bool opensSection = !inside && isSectionLine(parts.values, "cars");
        if (!parts.comment.empty() && !vehicleLine && !opensSection) {
            if (!isOldHeaderLine(line, '#')) {
                text += line;
                text += kCrLf;
            }
            continue;
        }
        if (inside && isSectionLine(parts.values, "end")) {
            writeBlockOnce();  // a section without vehicle lines still gets its records
            inside = false;
        }
        if (!inside || (records.empty() && isBlankText(line))) {
            // With no vehicles to write nothing takes the place of a blank
            // line, and a section without vehicles keeps every line.
            text += line;
            text += kCrLf;
        } else {
            writeBlockOnce();
        }
        if (!inside && isSectionLine(parts.values, "cars")) {
            inside = true;
        }
    }
    dropTrailingEmptyLines(text);
    if (!blockWritten && !records.empty()) {
        // The file on disk lost its "cars" section (or its end) since it was
        // opened: the records get a section of their own rather than being lost.
        if (!inside) {
            text += "cars";
            text += kCrLf;
        }
        writeBlockOnce();
        text += "end";
        text += kCrLf;
    }
    return text;
}

std::optional<KeptLayoutText> BuildVehicleDefTextKeepingLayout(
    std::string_view diskBytes, const std::vector<VehicleDefRecord>& records) {
    const std::vector<EndedLine> lines = splitEndedLines(diskBytes);
    const VehicleLinePlaces places = vehicleLinePlaces(lines);
    SourceClaims claims(records);
    std::vector<std::size_t> claimed(lines.size(), SourceClaims::kNone);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (places.isVehicleLine[i]) {
            claimed[i] = claims.claim(lines[i].text);
        }
    }
    const std::vector<std::size_t> added = claims.untaken();
    if (!added.empty() && !places.addedBefore) {
        return std::nullopt;  // no "cars" section left on disk
    }
    KeptLayoutText result;
    result.everyRecordInPlace = !claims.anyLineLost();
    result.sources.resize(records.size());
    KeptLines text(diskBytes.size() + added.size() * 80 + 64);
    for (std::size_t i = 0; i <= lines.size(); ++i) {
        if (i == places.addedBefore) {
            for (const std::size_t r : added) {
                const std::string written = FormatVehicleDefLine(records[r]);
                text.add(written);
                result.sources[r] = SourceLine::of(written);
            }
        }
        if (i == lines.size()) {
            break;
        }
        const EndedLine& line = lines[i];
        const std::size_t r = claimed[i];
        if (!places.isVehicleLine[i]) {
            text.keep(line);
        } else if (r == SourceClaims::kNone) {
            continue;  // its vehicle is gone from the document
        } else if (vehicleLineHolds(line.text, records[r])) {
            text.keep(line);
            result.sources[r] = SourceLine::of(line.text);
        } else {
            const std::string written = FormatVehicleDefLine(records[r]);
            text.put(written, line.end);
            result.sources[r] = SourceLine::of(written);
        }
    }
    result.text = text.take();
    return result;
}

}  // namespace wendrake
