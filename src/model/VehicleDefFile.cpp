#include "VehicleDefFile.h"

#include <algorithm>

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

// Values shorter than seven characters get a second tab so that the columns
// line up in the game's file.
void appendAligned(std::string& line, const std::string& value) {
    line += value;
    line += ",\t";
    if (value.size() < 7) {
        line += '\t';
    }
}

void appendBlock(std::string& text, const std::vector<VehicleDefRecord>& records) {
    for (const VehicleDefRecord& record : records) {
        text += FormatVehicleDefLine(record);
        text += kCrLf;
    }
}

}  // namespace

VehicleDefReadResult LoadVehicleDefFile(std::string_view bytes, std::string_view tooFewValues) {
    VehicleDefReadResult result;
    const std::vector<std::string_view> lines = splitLines(bytes);
    // Room for a vehicle on every line, so that the table is never moved
    // while it grows.
    result.records.reserve(std::min(lines.size(), static_cast<std::size_t>(kTableLimit)));
    bool inside = false;
    int lineNumber = 0;
    for (const std::string_view line : lines) {
        ++lineNumber;
        const CommentedLine parts = splitComment(line);
        if (inside && isSectionLine(parts.values, "end")) {
            inside = false;
        }
        if (inside && !isBlankText(parts.values)) {
            // Values the line does not have stay empty; values after the
            // twelfth are dropped.
            VehicleDefRecord record;
            const CommaCount count =
                forEachCommaValue(parts.values, [&record](std::size_t k, std::string_view value) {
                    if (k < record.fields.size()) {
                        record.fields[k] = value;
                    }
                });
            if (count.withTrailingComma < kMinimumValues) {
                result.failure =
                    ReadFailure{0, std::string(tooFewValues) + std::to_string(lineNumber), true};
                return result;
            }
            if (result.records.size() >= static_cast<std::size_t>(kTableLimit)) {
                result.failure = ReadFailure{kOverflowCode, "Overflow"};
                return result;
            }
            record.trailingComment = parts.comment;
            result.names.push_back(record.name());
            result.records.push_back(std::move(record));
        }
        if (!inside && isSectionLine(parts.values, "cars")) {
            inside = true;
        }
    }
    return result;
}

std::string FormatVehicleDefLine(const VehicleDefRecord& record) {
    using F = VehicleDefField;
    std::string line;
    line.reserve(96);
    const auto append = [&line](const std::string& value, std::string_view separator) {
        line += value;
        line += separator;
    };
    append(record[F::ID], ",\t");
    appendAligned(line, record[F::ModelName]);
    appendAligned(line, record[F::TXDName]);
    append(record[F::Typ], ",\t");
    appendAligned(line, record[F::HandlingID]);
    appendAligned(line, record[F::GameName]);
    appendAligned(line, record[F::Klasse]);
    append(record[F::Frequenz], ", \t");
    append(record[F::Level], ", \t");
    append(record[F::CompRules], ", \t");
    if (record[F::Typ] == "car") {
        append(record[F::Extra1], ", \t");
        line += record[F::Extra2];
    } else if (record[F::Typ] == "plane") {
        line += record[F::Extra1];
    }
    if (!record.trailingComment.empty()) {
        line += ' ';
        line += record.trailingComment;
    }
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
        if (!inside) {
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

}  // namespace wendrake
