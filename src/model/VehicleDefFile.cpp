#include "VehicleDefFile.h"

#include "CommaLine.h"
#include "FileHeader.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr int kMinimumValues = 10;

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
    bool inside = false;
    int lineNumber = 0;
    for (const std::string_view line : splitLines(bytes)) {
        ++lineNumber;
        const CommentedLine parts = splitComment(line);
        if (inside && isSectionLine(parts.values, "end")) {
            inside = false;
        }
        if (inside && !isBlankText(parts.values)) {
            const CommaValues values = splitCommaLine(parts.values);
            if (values.countWithTrailingComma < kMinimumValues) {
                result.failure =
                    ReadFailure{0, std::string(tooFewValues) + std::to_string(lineNumber), true};
                return result;
            }
            if (result.records.size() >= static_cast<std::size_t>(kTableLimit)) {
                result.failure = ReadFailure{kOverflowCode, "Overflow"};
                return result;
            }
            VehicleDefRecord record;
            for (int k = 0; k < kMinimumValues; ++k) {
                record.fields[static_cast<std::size_t>(k)] = values.at(k);
            }
            if (values.count() >= 11) {
                record[VehicleDefField::Extra1] = values.at(10);
            }
            if (values.count() >= 12) {
                record[VehicleDefField::Extra2] = values.at(11);
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
    line += record[F::ID] + ",\t";
    appendAligned(line, record[F::ModelName]);
    appendAligned(line, record[F::TXDName]);
    line += record[F::Typ] + ",\t";
    appendAligned(line, record[F::HandlingID]);
    appendAligned(line, record[F::GameName]);
    appendAligned(line, record[F::Klasse]);
    line += record[F::Frequenz] + ", \t";
    line += record[F::Level] + ", \t";
    line += record[F::CompRules] + ", \t";
    if (record[F::Typ] == "car") {
        line += record[F::Extra1] + ", \t" + record[F::Extra2];
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
        // carries the comment, so the line itself is not copied.
        const bool vehicleLine = inside && !isBlankText(parts.values);
        if (!parts.comment.empty() && !vehicleLine) {
            if (!isOwnHeaderLine(parts.comment, '#')) {
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
    return text;
}

}  // namespace wendrake
