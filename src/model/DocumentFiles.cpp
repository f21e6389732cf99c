#include "DocumentFiles.h"

#include "HandlingBuilder.h"
#include "HandlingReader.h"
#include "TextLines.h"

namespace wendrake {

bool needsLineEndRepair(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
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

std::optional<ReadFailure> loadIntoDocument(EditorDocument& document, DataFileKind kind,
                                            std::string_view bytes, const LanguageTable& language) {
    if (kind != DataFileKind::Handling) {
        return ReadFailure{kUnsupportedKindCode, language.text(Text::KindNotSupportedYet)};
    }
    HandlingReadResult read =
        LoadHandlingFile(bytes, HandlingReadTexts::fromLanguage(language),
                         {language.text(Text::TooManyVehicles), language.text(Text::NoVehicle)});
    if (read.failure) {
        return read.failure;
    }
    document.kind = kind;
    document.HandlingSnapshot = std::move(read.records);
    document.HandlingRecords = document.HandlingSnapshot;
    document.CurrentHandling = 0;
    document.Autos.assign(std::move(read.names));
    document.Errors = std::move(read.errors);
    document.Author = std::move(read.author);
    document.Date = std::move(read.date);
    return std::nullopt;
}

std::string buildSaveText(const EditorDocument& document, std::string_view diskBytes) {
    std::string text = BuildHandlingText(diskBytes, document.HandlingRecords, document.Autos,
                                         document.Author, document.Date);
    text += kCrLf;
    return text;
}

void commitSnapshot(EditorDocument& document) {
    document.HandlingSnapshot = document.HandlingRecords;
}

}  // namespace wendrake
