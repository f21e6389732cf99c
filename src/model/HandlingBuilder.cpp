// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingBuilder.h"

#include <algorithm>

#include "FileHeader.h"
#include "HandlingAuthorDate.h"
#include "HandlingLine.h"
#include "TextLines.h"

namespace wendrake {

namespace {

using Lines = std::vector<std::string_view>;

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isEndLine(std::string_view line) {
    const std::size_t last = line.find_last_not_of(" \t");
    return last != std::string_view::npos && equalsNoCase(line.substr(0, last + 1), ";the end");
}

// The lines a save replaces by the data block: the data lines, and blank
// lines without a ";" in their first 14 characters.
bool isOwnedLine(std::string_view line) {
    const HandlingLineClass kind = classifyHandlingLine(line);
    return kind.markInHead == std::string_view::npos && (kind.isData || isBlankLine(line));
}

// Where the data block goes: at the first owned line; in a file without one
// (changed on disk since it was opened), before ";the end", else at the end.
std::size_t blockPlace(const Lines& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isOwnedLine(lines[i])) {
            return i;
        }
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isEndLine(lines[i])) {
            return i;
        }
    }
    return lines.size();
}

}  // namespace

std::string BuildHandlingText(std::string_view diskBytes,
                              const std::vector<HandlingRecord>& records, const VehicleList& list,
                              std::string_view author, std::string_view date,
                              std::vector<SourceLine>* sources) {
    const Lines lines = splitLines(diskBytes);
    const std::size_t place = blockPlace(lines);
    const AuthorDateLines authorDate(lines, {std::string(author), std::string(date)});

    std::string text = headerBlock(';');
    text.reserve(diskBytes.size() + records.size() * 100 + 256);
    if (sources) {
        sources->assign(records.size(), SourceLine{});
    }
    for (std::size_t i = 0; i <= lines.size(); ++i) {
        if (i == place && !appendHandlingLinesInListOrder(text, records, list, sources)) {
            // The list keeps a renamed entry in its place until the file is
            // opened again; the file gets the sorted order at once, so that
            // opening and saving it again writes the same bytes.
            std::vector<std::string_view> names(list.entries().begin(), list.entries().end());
            if (!std::is_sorted(names.begin(), names.end(), VehicleList::lessThan)) {
                std::stable_sort(names.begin(), names.end(), VehicleList::lessThan);
            }
            appendHandlingLines(text, records, names, sources);
        }
        if (i == lines.size()) {
            break;
        }
        const std::string_view line = lines[i];
        if (isOwnedLine(line)) {
            continue;
        }
        // Comment lines, lines of foreign sections, and the few lines
        // without a ";" in their first 14 characters that hold no vehicle (a
        // short stray line, blanks before a late comment): all are kept,
        // never dropped; only our old header gives way to the new one.
        if (isOldHeaderLine(line, ';')) {
            continue;
        }
        if (const std::string* replaced = authorDate.replacement(i)) {
            text += *replaced;
        } else {
            text += line;
            text += kCrLf;
        }
    }
    // The closing lines end like every other line, so that a file saved for
    // the first time reads back to the same bytes on the next save.
    if (findNoCase(text, ";the end") == std::string_view::npos) {
        text += kClosingLines;
    }
    if (sources) {
        for (std::size_t r = 0; r < records.size(); ++r) {
            if (!(*sources)[r].known) {
                (*sources)[r] = SourceLine::of(FormatHandlingLine(records[r]));
            }
        }
    }
    return text;
}

std::optional<KeptLayoutText> BuildHandlingTextKeepingLayout(
    std::string_view diskBytes, const std::vector<HandlingRecord>& records, std::string_view author,
    std::string_view date) {
    const std::vector<EndedLine> lines = splitEndedLines(diskBytes);
    Lines texts;
    texts.reserve(lines.size());
    std::size_t lastVehicleLine = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        texts.push_back(lines[i].text);
        if (classifyHandlingLine(lines[i].text).isData) {
            lastVehicleLine = i;
        }
    }
    if (lastVehicleLine == lines.size()) {
        return std::nullopt;
    }
    const AuthorDateLines authorDate(texts, {std::string(author), std::string(date)},
                                     AuthorDateWriting::OnlyChanged);
    SourceClaims claims(records);
    KeptLayoutText result;
    result.sources.resize(records.size());
    KeptLines text(diskBytes.size() + 256);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EndedLine& line = lines[i];
        if (classifyHandlingLine(line.text).isData) {
            // A line whose vehicle is gone from the document is left out.
            if (const std::size_t r = claims.claim(line.text); r != SourceClaims::kNone) {
                if (handlingLineHolds(line.text, records[r])) {
                    text.keep(line);
                    result.sources[r] = SourceLine::of(line.text);
                } else {
                    const std::string written = FormatHandlingLine(records[r]);
                    text.put(written, line.end);
                    result.sources[r] = SourceLine::of(written);
                }
            }
        } else if (const std::string* replaced = authorDate.replacement(i)) {
            // The replacement ends in CR LF; the line keeps its own end.
            text.put(std::string_view(*replaced).substr(0, replaced->size() - kCrLf.size()),
                     line.end);
        } else {
            text.keep(line);
        }
        if (i == lastVehicleLine) {
            result.everyRecordInPlace = !claims.anyLineLost();
            for (const std::size_t r : claims.untaken()) {
                const std::string written = FormatHandlingLine(records[r]);
                text.add(written);
                result.sources[r] = SourceLine::of(written);
            }
        }
    }
    result.text = text.take();
    return result;
}

}  // namespace wendrake
