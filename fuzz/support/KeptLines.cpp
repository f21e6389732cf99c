// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeptLines.h"

#include <algorithm>
#include <map>

#include "FuzzSupport.h"
#include "model/CarColourFile.h"
#include "model/ColourSections.h"
#include "model/FileHeader.h"
#include "model/HandlingAuthorDate.h"
#include "model/HandlingLine.h"
#include "model/VehicleDefFile.h"

namespace wendrake::fuzz {

namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The keyword of a section line: the word alone, or followed by a blank,
// a tab or a comment.
bool startsSection(std::string_view line, std::string_view keyword) {
    return line.starts_with(keyword) &&
           (line.size() == keyword.size() || line[keyword.size()] == ' ' ||
            line[keyword.size()] == '\t' || line[keyword.size()] == '#');
}

bool namesAuthorOrDate(std::string_view line) {
    // Sentinels show whether the line named either, even as empty texts.
    AuthorAndDate found{"\x01", "\x01"};
    readAuthorAndDate(line, found);
    return found.author != "\x01" || found.date != "\x01";
}

std::vector<std::string_view> keptHandlingLines(const std::vector<std::string_view>& lines) {
    std::vector<std::string_view> kept;
    for (const std::string_view line : lines) {
        if (!isBlank(line) && !classifyHandlingLine(line).isData && !isOldHeaderLine(line, ';') &&
            !namesAuthorOrDate(line)) {
            kept.push_back(line);
        }
    }
    return kept;
}

std::vector<std::string_view> keptVehicleDefLines(const std::vector<std::string_view>& lines) {
    std::vector<std::string_view> kept;
    bool inside = false;
    for (const std::string_view line : lines) {
        const std::string_view values = line.substr(0, line.find('#'));
        if (inside && startsSection(values, "end")) {
            inside = false;
            kept.push_back(line);
            continue;
        }
        if (inside && !isBlank(values)) {
            continue;  // a vehicle line: its record takes its place
        }
        if (!inside && startsSection(values, "cars")) {
            inside = true;
            kept.push_back(line);
            continue;
        }
        if (!isBlank(line) && !isOldHeaderLine(line, '#')) {
            kept.push_back(line);
        }
    }
    return kept;
}

std::vector<std::string_view> keptCarColourLines(const std::vector<std::string_view>& lines) {
    const std::vector<ColourLinePlace> places = colourLinePlaces(lines);
    std::vector<std::string_view> kept;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t hash = line.find('#');
        const bool commentLine = hash != std::string_view::npos && hash < 5;
        if (places[i].isInside(ColourSection::FirstPalette) && line.size() > 4 && !commentLine) {
            continue;  // a colour: the palette takes its place
        }
        if (places[i].isInside(ColourSection::Cars) && !isBlank(line.substr(0, hash))) {
            continue;  // a model's line: its record takes its place
        }
        if (isBlank(line) || (places[i].keyword == SectionKeyword::None && commentLine &&
                              isOldHeaderLine(line, '#'))) {
            continue;
        }
        kept.push_back(line);
    }
    return kept;
}

// The lines a save writes of its own, any of which may share its text with a
// kept line.
std::map<std::string, int> ownLines(const EditorDocument& document) {
    std::map<std::string, int> own;
    // A section the file lost on disk is written anew: the open one closed,
    // then "col", the colours, "end", "car", the models, "end".
    for (const char* keyword : {"cars", "col", "car", ";", ";the end"}) {
        ++own[keyword];
    }
    own["end"] = 3;
    switch (document.kind) {
        case DataFileKind::Handling:
            for (const HandlingRecord& record : document.HandlingRecords) {
                ++own[FormatHandlingLine(record)];
            }
            break;
        case DataFileKind::VehicleDefs:
            for (const VehicleDefRecord& record : document.VehicleDefRecords) {
                ++own[FormatVehicleDefLine(record)];
            }
            break;
        case DataFileKind::CarColours:
            for (const ColourTableEntry& entry : document.ColourEntries) {
                ++own[FormatPaletteLine(entry)];
            }
            for (const CarColourRecord& record : document.CarColourRecords) {
                ++own[FormatCarColourLine(record)];
            }
            break;
    }
    return own;
}

}  // namespace

std::vector<std::string_view> textLines(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

void expectKeptLines(const EditorDocument& document, std::string_view disk,
                     std::string_view saved) {
    const std::vector<std::string_view> diskLines = textLines(disk);
    std::vector<std::string_view> kept;
    switch (document.kind) {
        case DataFileKind::Handling:
            kept = keptHandlingLines(diskLines);
            break;
        case DataFileKind::VehicleDefs:
            kept = keptVehicleDefLines(diskLines);
            break;
        case DataFileKind::CarColours:
            kept = keptCarColourLines(diskLines);
            break;
    }
    std::vector<std::string_view> savedLines = textLines(saved);
    // The two header lines come first.
    savedLines.erase(savedLines.begin(),
                     savedLines.begin() + std::min<std::size_t>(2, savedLines.size()));

    // In order: each kept line found after the one before it.
    std::size_t at = 0;
    for (const std::string_view line : kept) {
        while (at < savedLines.size() && savedLines[at] != line) {
            ++at;
        }
        if (at == savedLines.size()) {
            fail("a save loses a line of the file, or moves it before an earlier one",
                 std::string(line));
        }
        ++at;
    }
    // Once: no more often than on disk, but for lines the save writes itself.
    std::map<std::string_view, int> onDisk;
    for (const std::string_view line : kept) {
        ++onDisk[line];
    }
    std::map<std::string_view, int> inSaved;
    for (const std::string_view line : savedLines) {
        if (onDisk.contains(line)) {
            ++inSaved[line];
        }
    }
    const std::map<std::string, int> own = ownLines(document);
    for (const auto& [line, count] : onDisk) {
        const auto written = own.find(std::string(line));
        const int allowed = count + (written == own.end() ? 0 : written->second);
        if (inSaved[line] > allowed) {
            fail("a save writes a line of the file " + std::to_string(inSaved[line]) +
                     " times, the file had it " + std::to_string(count) + " times",
                 std::string(line));
        }
    }
}

}  // namespace wendrake::fuzz
