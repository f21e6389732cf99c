// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentFiles.h"

#include "CarColourFile.h"
#include "HandlingBuilder.h"
#include "HandlingReader.h"
#include "TextLines.h"
#include "VehicleDefFile.h"

namespace wendrake {

bool needsLineEndRepair(std::string_view bytes) {
    for (std::size_t i = bytes.find('\n'); i != std::string_view::npos;
         i = bytes.find('\n', i + 1)) {
        if (i == 0 || bytes[i - 1] != '\r') {
            return true;
        }
    }
    return false;
}

std::string repairLineEnds(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 16 + 2);
    std::size_t start = 0;
    const std::size_t size = bytes.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        text.append(bytes.substr(start, i - start));
        text += kCrLf;
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size) {
        text.append(bytes.substr(start));
        text += kCrLf;
    }
    text += kCrLf;
    return text;
}

namespace {

// The working table becomes `read`; the snapshot a copy of it, or nothing.
template <typename Record>
void adopt(std::vector<Record>& working, std::vector<Record>& kept, std::vector<Record>&& read,
           Snapshot snapshot) {
    if (snapshot == Snapshot::Taken) {
        kept = std::move(read);
        working = kept;
    } else {
        kept.clear();
        working = std::move(read);
    }
}

// The list of the names read, or an empty one.
void fillList(VehicleList& list, std::vector<std::string>&& names, NameList nameList) {
    if (nameList == NameList::Filled) {
        list.assign(std::move(names));
    } else {
        list.assign({});
    }
}

std::optional<ReadFailure> loadHandling(EditorDocument& document, std::string_view bytes,
                                        const LanguageTable& language, Snapshot snapshot,
                                        NameList nameList, SourceLines sourceLines) {
    HandlingReadResult read = LoadHandlingFile(
        bytes, HandlingReadTexts::fromLanguage(language),
        {language.text(Text::TooManyVehicles), language.text(Text::NoVehicle)}, sourceLines);
    if (read.failure) {
        return read.failure;
    }
    adopt(document.HandlingRecords, document.HandlingSnapshot, std::move(read.records), snapshot);
    document.CurrentHandling = 0;
    fillList(document.Autos, std::move(read.names), nameList);
    document.Errors = std::move(read.errors);
    document.Author = std::move(read.author);
    document.Date = std::move(read.date);
    return std::nullopt;
}

std::optional<ReadFailure> loadVehicleDefs(EditorDocument& document, std::string_view bytes,
                                           const LanguageTable& language, Snapshot snapshot,
                                           NameList nameList) {
    VehicleDefReadResult read = LoadVehicleDefFile(bytes, language.text(Text::TooFewValues));
    if (read.failure) {
        return read.failure;
    }
    adopt(document.VehicleDefRecords, document.VehicleDefSnapshot, std::move(read.records),
          snapshot);
    document.CurrentVehicleDef = 0;
    fillList(document.Autos, std::move(read.names), nameList);
    return std::nullopt;
}

std::optional<ReadFailure> loadCarColours(EditorDocument& document, std::string_view bytes,
                                          const LanguageTable& language, Snapshot snapshot,
                                          NameList nameList) {
    CarColourReadResult read = LoadCarColourFile(
        bytes, {language.text(Text::TooFewValues), language.text(Text::NotAWholeNumber)});
    if (read.failure) {
        return read.failure;
    }
    adopt(document.ColourEntries, document.ColourSnapshot, std::move(read.palette), snapshot);
    adopt(document.CarColourRecords, document.CarColourSnapshot, std::move(read.cars), snapshot);
    document.CurrentCarColour = 0;
    fillList(document.Autos, std::move(read.names), nameList);
    return std::nullopt;
}

}  // namespace

std::optional<ReadFailure> loadIntoDocument(EditorDocument& document, DataFileKind kind,
                                            std::string_view bytes, const LanguageTable& language,
                                            Snapshot snapshot, NameList nameList,
                                            SourceLines sourceLines) {
    std::optional<ReadFailure> failure;
    switch (kind) {
        case DataFileKind::Handling:
            failure = loadHandling(document, bytes, language, snapshot, nameList, sourceLines);
            break;
        case DataFileKind::VehicleDefs:
            failure = loadVehicleDefs(document, bytes, language, snapshot, nameList);
            break;
        case DataFileKind::CarColours:
            failure = loadCarColours(document, bytes, language, snapshot, nameList);
            break;
    }
    if (!failure) {
        document.kind = kind;
    }
    return failure;
}

namespace {

template <typename Record, typename Format>
std::vector<SourceLine> formattedSources(const std::vector<Record>& records, Format format) {
    std::vector<SourceLine> sources;
    sources.reserve(records.size());
    for (const Record& record : records) {
        sources.push_back(SourceLine::of(format(record)));
    }
    return sources;
}

std::optional<KeptLayoutText> buildKeepingLayout(const EditorDocument& document,
                                                 std::string_view diskBytes) {
    switch (document.kind) {
        case DataFileKind::Handling:
            return BuildHandlingTextKeepingLayout(diskBytes, document.HandlingRecords,
                                                  document.Author, document.Date);
        case DataFileKind::VehicleDefs:
            return BuildVehicleDefTextKeepingLayout(diskBytes, document.VehicleDefRecords);
        case DataFileKind::CarColours:
            return BuildCarColourTextKeepingLayout(diskBytes, document.ColourEntries,
                                                   document.CarColourRecords);
    }
    return std::nullopt;
}

template <typename Record>
void adopt(std::vector<Record>& records, const std::vector<SourceLine>& sources) {
    for (std::size_t i = 0; i < records.size() && i < sources.size(); ++i) {
        records[i].source = sources[i];
    }
}

}  // namespace

std::string buildSaveText(const EditorDocument& document, std::string_view diskBytes) {
    std::string text;
    switch (document.kind) {
        case DataFileKind::Handling:
            text = BuildHandlingText(diskBytes, document.HandlingRecords, document.Autos,
                                     document.Author, document.Date);
            break;
        case DataFileKind::VehicleDefs:
            text = BuildVehicleDefText(diskBytes, document.VehicleDefRecords);
            break;
        case DataFileKind::CarColours:
            text = BuildCarColourText(diskBytes, document.ColourEntries, document.CarColourRecords);
            break;
    }
    text += kCrLf;
    return text;
}

SaveText buildSaveText(const EditorDocument& document, std::string_view diskBytes,
                       SaveLayout layout, SourceLines sourceLines) {
    SaveText saved;
    if (layout == SaveLayout::KeepFile) {
        if (std::optional<KeptLayoutText> kept = buildKeepingLayout(document, diskBytes)) {
            saved.text = std::move(kept->text);
            saved.layout = SaveLayout::KeepFile;
            saved.everyRecordInPlace = kept->everyRecordInPlace;
            saved.sources = std::move(kept->sources);
            saved.carSources = std::move(kept->carSources);
            return saved;
        }
        saved.everyRecordInPlace = false;
    }
    // The handling builder notes each record's line as it writes it; the
    // other kinds' lines are formatted once more for their hashes.
    const bool recorded = sourceLines == SourceLines::Recorded;
    switch (document.kind) {
        case DataFileKind::Handling:
            saved.text = BuildHandlingText(diskBytes, document.HandlingRecords, document.Autos,
                                           document.Author, document.Date,
                                           recorded ? &saved.sources : nullptr);
            saved.text += kCrLf;
            break;
        case DataFileKind::VehicleDefs:
            saved.text = buildSaveText(document, diskBytes);
            if (recorded) {
                saved.sources = formattedSources(document.VehicleDefRecords, FormatVehicleDefLine);
            }
            break;
        case DataFileKind::CarColours:
            saved.text = buildSaveText(document, diskBytes);
            if (recorded) {
                saved.sources = formattedSources(document.ColourEntries, FormatPaletteLine);
                saved.carSources = formattedSources(document.CarColourRecords, FormatCarColourLine);
            }
            break;
    }
    return saved;
}

void adoptSourceLines(EditorDocument& document, const SaveText& saved) {
    switch (document.kind) {
        case DataFileKind::Handling:
            adopt(document.HandlingRecords, saved.sources);
            break;
        case DataFileKind::VehicleDefs:
            adopt(document.VehicleDefRecords, saved.sources);
            break;
        case DataFileKind::CarColours:
            adopt(document.ColourEntries, saved.sources);
            adopt(document.CarColourRecords, saved.carSources);
            break;
    }
}

void commitSnapshot(EditorDocument& document) {
    switch (document.kind) {
        case DataFileKind::Handling:
            document.HandlingSnapshot = document.HandlingRecords;
            break;
        case DataFileKind::VehicleDefs:
            document.VehicleDefSnapshot = document.VehicleDefRecords;
            break;
        case DataFileKind::CarColours:
            document.ColourSnapshot = document.ColourEntries;
            document.CarColourSnapshot = document.CarColourRecords;
            break;
    }
}

}  // namespace wendrake
