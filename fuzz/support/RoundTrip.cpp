// SPDX-License-Identifier: GPL-3.0-or-later
#include "RoundTrip.h"

#include "FuzzSupport.h"
#include "SameRecords.h"
#include "model/DocumentFiles.h"

namespace wendrake::fuzz {

std::optional<OpenedFile> openLikeTheEditor(std::string_view bytes, DataFileKind kind) {
    OpenedFile opened;
    opened.disk = needsLineEndRepair(bytes) ? repairLineEnds(bytes) : std::string(bytes);
    if (loadIntoDocument(opened.document, kind, opened.disk, englishTexts(), Snapshot::Skipped)) {
        return std::nullopt;
    }
    return opened;
}

void checkSaveAndReopen(const OpenedFile& opened, AlsoCompare also) {
    const std::string saved = buildSaveText(opened.document, opened.disk);
    const std::optional<OpenedFile> reopened = openLikeTheEditor(saved, opened.document.kind);
    if (!reopened) {
        fail("the saved text does not open again", saved);
    }
    expect(reopened->disk == saved, "the saved text needs its line ends repaired", saved);
    expectSameRecords(opened.document, reopened->document);
    if (also == AlsoCompare::AuthorAndDate) {
        if (reopened->document.Author != opened.document.Author) {
            fail("the author changes on saving",
                 opened.document.Author + " | " + reopened->document.Author + " | " + saved);
        }
        if (reopened->document.Date != opened.document.Date) {
            fail("the date changes on saving",
                 opened.document.Date + " | " + reopened->document.Date + " | " + saved);
        }
    }
    const std::string savedAgain = buildSaveText(reopened->document, reopened->disk);
    if (savedAgain != saved) {
        std::size_t at = 0;
        while (at < saved.size() && at < savedAgain.size() && saved[at] == savedAgain[at]) {
            ++at;
        }
        const std::size_t from = at > 80 ? at - 80 : 0;
        fail("saving the saved file again changes it, at byte " + std::to_string(at),
             "first: " + saved.substr(from, 160) + " | again: " + savedAgain.substr(from, 160));
    }
}

void checkKeptLayout(const OpenedFile& opened, bool edited) {
    const SaveText saved = buildSaveText(opened.document, opened.disk, SaveLayout::KeepFile);
    if (!edited) {
        expect(saved.layout == SaveLayout::KeepFile && saved.everyRecordInPlace,
               "an unedited file cannot keep its layout", opened.disk);
        expect(saved.text == opened.disk, "an unedited file saved in its layout changes",
               saved.text);
    }
    const std::optional<OpenedFile> reopened = openLikeTheEditor(saved.text, opened.document.kind);
    if (!reopened) {
        fail("the text saved in the file's layout does not open again", saved.text);
    }
    expect(reopened->disk == saved.text, "the text saved in the file's layout needs repair",
           saved.text);
    expectSameRecords(opened.document, reopened->document, HandlingOrder::Table);
}

void editEveryRecord(EditorDocument& document) {
    // A digit appended to a value keeps it one value of the line, and no
    // value ending in a digit is a section keyword.
    for (HandlingRecord& record : document.HandlingRecords) {
        record.set(HandlingField::Gewicht, std::string(record[HandlingField::Gewicht]) + '1');
    }
    for (VehicleDefRecord& record : document.VehicleDefRecords) {
        record.set(VehicleDefField::Frequenz, std::string(record[VehicleDefField::Frequenz]) + '1');
    }
    for (ColourTableEntry& entry : document.ColourEntries) {
        entry.Red = static_cast<std::int16_t>(entry.Red ^ 1);
    }
    for (CarColourRecord& record : document.CarColourRecords) {
        record.ModelName += '1';
        for (std::int16_t& colour : record.Color1) {
            colour = static_cast<std::int16_t>(colour ^ 1);
        }
    }
    // The list shows the models by name and must follow the renames.
    if (document.kind == DataFileKind::CarColours) {
        std::vector<std::string> names;
        for (const CarColourRecord& record : document.CarColourRecords) {
            names.push_back(record.ModelName);
        }
        document.Autos.assign(std::move(names));
    }
}

void checkRoundTrip(std::string_view bytes, DataFileKind kind) {
    std::optional<OpenedFile> opened = openLikeTheEditor(bytes, kind);
    if (!opened) {
        return;
    }
    checkSaveAndReopen(*opened, AlsoCompare::AuthorAndDate);
    checkKeptLayout(*opened, false);
    editEveryRecord(opened->document);
    checkSaveAndReopen(*opened, AlsoCompare::Nothing);
    checkKeptLayout(*opened, true);
}

}  // namespace wendrake::fuzz
