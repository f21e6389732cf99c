// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentSession.h"
#include "RecordIndex.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "ColourEditing.h"
#include "DocumentChecks.h"
#include "DocumentEditing.h"
#include "MissingValues.h"
#include "TextEncoding.h"

namespace wendrake {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// File bytes as every reader and builder takes them: a leading UTF-8 byte
// order mark set aside, and the line ends repaired to CR LF.
struct PreparedBytes {
    std::string text;
    bool byteOrderMark = false;
    bool lineEndsRepaired = false;
};

// A file in UTF-16 is refused before its line ends are looked at: read as
// bytes it would open as noise, and a save would mix the two forms.
std::optional<ReadFailure> unreadableEncoding(std::string_view bytes,
                                              const LanguageTable& language) {
    if (isUtf16Text(bytes)) {
        return ReadFailure{0, language.text(Text::Utf16Refused), true};
    }
    return std::nullopt;
}

PreparedBytes prepare(std::string bytes) {
    PreparedBytes prepared;
    if (bytes.starts_with(kByteOrderMark)) {
        prepared.byteOrderMark = true;
        bytes.erase(0, kByteOrderMark.size());
    }
    if (needsLineEndRepair(bytes)) {
        prepared.lineEndsRepaired = true;
        prepared.text = repairLineEnds(bytes);
    } else {
        prepared.text = std::move(bytes);
    }
    return prepared;
}

DocumentCheckTexts checkTextsOf(const LanguageTable& language, bool warnings) {
    DocumentCheckTexts texts{language.text(Text::NameRepeated), language.text(Text::CarColourPair),
                             language.text(Text::NamesNoColour),
                             HandlingReadTexts::fromLanguage(language), std::nullopt};
    if (warnings) {
        texts.warnings = DocumentWarningTexts::fromLanguage(language);
    }
    return texts;
}

using records::at;
using records::holds;

}  // namespace

int DocumentSession::addObserver(Observer observer) {
    observers_.emplace_back(nextObserverId_, std::move(observer));
    return nextObserverId_++;
}

void DocumentSession::removeObserver(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void DocumentSession::notify(unsigned what, int record, int field) {
    const SessionChange change{what, record, field};
    // A copy: an observer may add or remove observers.
    const auto observers = observers_;
    for (const auto& entry : observers) {
        entry.second(change);
    }
}

void DocumentSession::markChanged(unsigned what, int record, int field, EditStep step,
                                  SavedAfter saved) {
    const DocumentState before = state_;
    state_ = nextState_++;
    if (saved == SavedAfter::Yes) {
        savedStates_.push_back(state_);
    }
    if (document_.SavedFlag != (saved == SavedAfter::Yes)) {
        document_.SavedFlag = saved == SavedAfter::Yes;
        what |= Change::SavedState;
    }
    notify(what, record, field);
    if (recorder_) {
        recorder_(DocumentEdit{document_.kind, before, state_, std::move(step)});
    }
}

bool DocumentSession::inSavedState() const {
    return std::find(savedStates_.begin(), savedStates_.end(), state_) != savedStates_.end();
}

void DocumentSession::startHistory() {
    state_ = nextState_++;
    savedStates_.assign(1, state_);
}

bool DocumentSession::checkAgain() {
    return checks_.checkAll(document_, checkTexts_, document_.Errors);
}

void DocumentSession::markEdited(unsigned what, int record, int field, EditStep step) {
    if (checkAgain()) {
        what |= Change::Errors;
    }
    markChanged(what, record, field, std::move(step));
}

OpenOutcome DocumentSession::openFile(const std::string& path, DataFileKind kind, FileSystem& files,
                                      const LanguageTable& language, const OpenOptions& options) {
    OpenOutcome outcome;
    if (!files.exists(path)) {
        outcome.status = OpenOutcome::Status::Missing;
        return outcome;
    }
    std::string bytes;
    if (auto failure = files.read(path, bytes)) {
        close();
        outcome.status = OpenOutcome::Status::ReadFailed;
        outcome.fileFailure = std::move(failure);
        return outcome;
    }
    if (auto failure = unreadableEncoding(bytes, language)) {
        close();
        outcome.status = OpenOutcome::Status::Invalid;
        outcome.readFailure = std::move(failure);
        return outcome;
    }
    PreparedBytes prepared = prepare(std::move(bytes));
    std::string repaired;
    if (prepared.lineEndsRepaired && options.repairOnDisk) {
        repaired = prepared.byteOrderMark ? std::string(kByteOrderMark) : std::string();
        repaired += prepared.text;
    }
    // The text opens as openBytes() opens it, which sets aside one more
    // byte order mark (the repair leaves no line end to mend).
    std::string_view text = prepared.text;
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (auto failure = openPrepared(path, kind, text, language, options.snapshot, options.nameList,
                                    options.sourceLines)) {
        outcome.status = OpenOutcome::Status::Invalid;
        outcome.readFailure = std::move(failure);
        return outcome;
    }
    // The game needs CR LF, so the repair goes back to disk at once; but only
    // into a file that opened as a sound game file: one refused, empty, or
    // with problems (as any other file given a game file's name has) stays
    // as it is until the player saves it.
    const bool sound =
        (!document_.Autos.empty() || !document_.ColourEntries.empty()) && document_.Errors.empty();
    if (!repaired.empty() && sound) {
        writeRepair(path, repaired, files, options.backupFirst, outcome);
    }
    return outcome;
}

void DocumentSession::writeRepair(const std::string& path, const std::string& repaired,
                                  FileSystem& files, bool backupFirst, OpenOutcome& outcome) {
    if (backupFirst) {
        // The repair is the first write of the session: the player's backup
        // comes before it, and without one the file is not touched.
        const std::string backup = path + ".backup";
        if (!files.exists(backup)) {
            if (files.copy(path, backup)) {
                return;
            }
            outcome.backupPath = backup;
        }
        backedUp_.insert(path);
    }
    // A file that cannot be written (read-only) still opens from the
    // repaired text; the file on disk then stays.
    files.write(path, repaired);
}

std::optional<ReadFailure> DocumentSession::openBytes(std::string path, DataFileKind kind,
                                                      std::string bytes,
                                                      const LanguageTable& language,
                                                      Snapshot snapshot, NameList nameList) {
    if (auto failure = unreadableEncoding(bytes, language)) {
        close();
        return failure;
    }
    const PreparedBytes prepared = prepare(std::move(bytes));
    return openPrepared(std::move(path), kind, prepared.text, language, snapshot, nameList);
}

std::optional<ReadFailure> DocumentSession::openPrepared(std::string path, DataFileKind kind,
                                                         std::string_view text,
                                                         const LanguageTable& language,
                                                         Snapshot snapshot, NameList nameList,
                                                         SourceLines sourceLines) {
    if (auto failure =
            loadIntoDocument(document_, kind, text, language, snapshot, nameList, sourceLines)) {
        close();
        return failure;
    }
    // Only the handling reader reports rows of its own; rows of an earlier
    // file must not stay.
    if (kind != DataFileKind::Handling) {
        document_.Errors.clear();
    }
    checkTexts_ = checkTextsOf(language, warningsListed_);
    if (warningsListed_) {
        // The reader's rows hold no warnings: a check of every value gives
        // them with the errors, and tells the checks where each vehicle's
        // rows lie. The reader's go first, so a huge name is never held by
        // both.
        ErrorRows().swap(document_.Errors);
        checks_.checkAll(document_, checkTexts_, document_.Errors);
    } else {
        addDocumentCheckRows(document_, checkTexts_, document_.Errors);
        checks_.forget();
    }
    snapshotKept_ = snapshot == Snapshot::Taken;
    savedAuthor_ = document_.Author;
    savedDate_ = document_.Date;
    document_.FilePath = std::move(path);
    document_.SavedFlag = true;
    startHistory();
    backedUp_.clear();
    notify(Change::Opened | Change::List | Change::Errors | Change::SavedState | Change::Path);
    return std::nullopt;
}

void DocumentSession::close() {
    document_.FilePath.clear();
    document_.SavedFlag = true;
    document_.Autos.clear();
    document_.Errors.clear();
    checks_.forget();
    startHistory();
    notify(Change::Closed | Change::List | Change::Errors | Change::SavedState | Change::Path);
}

void DocumentSession::useLanguage(const LanguageTable& language) {
    checkTexts_ = checkTextsOf(language, warningsListed_);
    if (isLoaded() && checkAgain()) {
        notify(Change::Errors);
    }
}

void DocumentSession::listWarnings(bool listed, const LanguageTable& language) {
    warningsListed_ = listed;
    useLanguage(language);
}

std::vector<const ErrorListEntry*> DocumentSession::rowsAbout(int record) const {
    std::vector<const ErrorListEntry*> found;
    const auto nameIn = [record](const auto& records) -> std::optional<std::string_view> {
        if (!holds(records, record)) {
            return std::nullopt;
        }
        return std::string_view(records[static_cast<std::size_t>(record)].name());
    };
    std::optional<std::string_view> name;
    switch (document_.kind) {
        case DataFileKind::Handling:
            name = nameIn(document_.HandlingRecords);
            break;
        case DataFileKind::VehicleDefs:
            name = nameIn(document_.VehicleDefRecords);
            break;
        case DataFileKind::CarColours:
            name = nameIn(document_.CarColourRecords);
            break;
    }
    if (!isLoaded() || !name) {
        return found;
    }
    const ErrorRows& rows = document_.Errors;
    std::size_t from = 0;
    if (const auto span = checks_.rowsOf(document_, rows, record)) {
        for (std::size_t k = span->begin; k < span->end; ++k) {
            found.push_back(&rows[k]);
        }
        from = span->documentRows;
    }
    for (std::size_t k = from; k < rows.size(); ++k) {
        if (rows[k].car() == *name) {
            found.push_back(&rows[k]);
        }
    }
    return found;
}

void DocumentSession::select(int record) {
    switch (document_.kind) {
        case DataFileKind::Handling:
            document_.CurrentHandling = record;
            break;
        case DataFileKind::VehicleDefs:
            document_.CurrentVehicleDef = record;
            break;
        case DataFileKind::CarColours:
            document_.CurrentCarColour = record;
            break;
    }
}

int DocumentSession::selected() const {
    if (!isLoaded()) {
        return -1;
    }
    switch (document_.kind) {
        case DataFileKind::Handling:
            return holds(document_.HandlingRecords, document_.CurrentHandling)
                       ? document_.CurrentHandling
                       : -1;
        case DataFileKind::VehicleDefs:
            return holds(document_.VehicleDefRecords, document_.CurrentVehicleDef)
                       ? document_.CurrentVehicleDef
                       : -1;
        case DataFileKind::CarColours:
            return holds(document_.CarColourRecords, document_.CurrentCarColour)
                       ? document_.CurrentCarColour
                       : -1;
    }
    return -1;
}

template <typename Record, typename Field>
bool DocumentSession::setRecordValue(std::vector<Record>& records, DataFileKind kind, int record,
                                     Field field, Field nameField, std::string value) {
    if (!holdsKind(kind) || !holds(records, record)) {
        return false;
    }
    Record& stored = at(records, record);
    if (stored[field] == value) {
        return true;
    }
    ValueEdit edit{record, static_cast<int>(field), std::string(stored[field]), value};
    stored.set(field, value);
    unsigned what = Change::Value;
    if (checks_.recordChanged(document_, checkTexts_, record,
                              checkedAcrossRecords(static_cast<int>(field)), document_.Errors)) {
        what |= Change::Errors;
    }
    if (field == nameField) {
        // The entry keeps its place; the list is sorted again on reopening.
        if (const int entry = document_.Autos.entryOfRecord(record); entry >= 0) {
            document_.Autos.rename(entry, std::move(value));
            what |= Change::List;
        }
    }
    markChanged(what, record, static_cast<int>(field), std::move(edit));
    return true;
}

bool DocumentSession::setHandlingValue(int record, HandlingField field, std::string value) {
    return setRecordValue(document_.HandlingRecords, DataFileKind::Handling, record, field,
                          HandlingField::Autoname, std::move(value));
}

bool DocumentSession::setVehicleDefValue(int record, VehicleDefField field, std::string value) {
    return setRecordValue(document_.VehicleDefRecords, DataFileKind::VehicleDefs, record, field,
                          VehicleDefField::HandlingID, std::move(value));
}

void DocumentSession::setAuthor(std::string author) {
    if (!holdsKind(DataFileKind::Handling) || document_.Author == author) {
        return;
    }
    FileTextEdit edit{false, document_.Author, author};
    document_.Author = std::move(author);
    markChanged(Change::FileTexts, -1, -1, std::move(edit));
}

void DocumentSession::setDate(std::string date) {
    if (!holdsKind(DataFileKind::Handling) || document_.Date == date) {
        return;
    }
    FileTextEdit edit{true, document_.Date, date};
    document_.Date = std::move(date);
    markChanged(Change::FileTexts, -1, -1, std::move(edit));
}

bool DocumentSession::setColourComponents(int colour, std::int16_t red, std::int16_t green,
                                          std::int16_t blue, ColourStep step) {
    if (!holdsKind(DataFileKind::CarColours) || !holds(document_.ColourEntries, colour)) {
        return false;
    }
    ColourTableEntry& entry = at(document_.ColourEntries, colour);
    if (entry.Red == red && entry.Green == green && entry.Blue == blue) {
        return true;
    }
    ColourEdit edit{colour, false, entry, entry, step == ColourStep::Whole};
    entry.Red = red;
    entry.Green = green;
    entry.Blue = blue;
    edit.after = entry;
    markChanged(Change::Palette, colour, -1, std::move(edit));
    return true;
}

bool DocumentSession::setColourName(int colour, std::string name) {
    if (!holdsKind(DataFileKind::CarColours) || !holds(document_.ColourEntries, colour)) {
        return false;
    }
    ColourTableEntry& entry = at(document_.ColourEntries, colour);
    if (entry.Name == name) {
        return true;
    }
    ColourEdit edit{colour, true, entry, entry};
    entry.Name = std::move(name);
    edit.after = entry;
    markChanged(Change::Palette, colour, -1, std::move(edit));
    return true;
}

int DocumentSession::addColour() {
    if (!holdsKind(DataFileKind::CarColours) ||
        document_.ColourEntries.size() >= static_cast<std::size_t>(kTableLimit)) {
        return -1;
    }
    const int added = appendNewColour(document_.ColourEntries);
    markEdited(Change::Palette, added, -1, ColourAdded{at(document_.ColourEntries, added)});
    return added;
}

bool DocumentSession::deleteColour(int colour) {
    if (!holdsKind(DataFileKind::CarColours) || !holds(document_.ColourEntries, colour)) {
        return false;
    }
    // Colours after the deleted one move up and pairs are renumbered: the
    // change is told by comparing with a copy.
    const std::optional<DocumentTables> before =
        recording() ? std::optional(copyTables(document_)) : std::nullopt;
    wendrake::deleteColour(document_.ColourEntries, document_.CarColourRecords, colour);
    markEdited(
        Change::Palette | Change::Pairs, -1, -1,
        tablesEdit(before ? std::optional(changeBetween(*before, document_)) : std::nullopt));
    return true;
}

bool DocumentSession::addPair(int record, int first, int second) {
    if (!holdsKind(DataFileKind::CarColours) || !holds(document_.CarColourRecords, record)) {
        return false;
    }
    CarColourRecord& model = at(document_.CarColourRecords, record);
    if (model.Color1.size() >= static_cast<std::size_t>(kTableLimit)) {
        return false;
    }
    PairsEdit edit{record, model, {}};
    wendrake::addPair(model, first, second);
    edit.after = model;
    markEdited(Change::Pairs, record, -1, std::move(edit));
    return true;
}

bool DocumentSession::removePair(int record, int pair) {
    if (!holdsKind(DataFileKind::CarColours) || !holds(document_.CarColourRecords, record)) {
        return false;
    }
    CarColourRecord& model = at(document_.CarColourRecords, record);
    if (!holds(model.Color1, pair) || !holds(model.Color2, pair)) {
        return false;
    }
    PairsEdit edit{record, model, {}};
    wendrake::removePair(model, pair);
    edit.after = model;
    markEdited(Change::Pairs, record, -1, std::move(edit));
    return true;
}

bool DocumentSession::movePair(int record, int pair, int to) {
    if (!holdsKind(DataFileKind::CarColours) || !holds(document_.CarColourRecords, record)) {
        return false;
    }
    CarColourRecord& model = at(document_.CarColourRecords, record);
    const std::size_t pairs = std::min(model.Color1.size(), model.Color2.size());
    if (pair == to || pair < 0 || to < 0 || static_cast<std::size_t>(pair) >= pairs ||
        static_cast<std::size_t>(to) >= pairs) {
        return false;
    }
    PairsEdit edit{record, model, {}};
    wendrake::movePair(model, pair, to);
    edit.after = model;
    markEdited(Change::Pairs, record, -1, std::move(edit));
    return true;
}

int DocumentSession::setPairs(const std::vector<PairsAssignment>& models) {
    if (!holdsKind(DataFileKind::CarColours)) {
        return 0;
    }
    std::vector<CarColourRecord>& records = document_.CarColourRecords;
    TableChange<CarColourRecord> change;
    change.beforeSize = change.afterSize = records.size();
    std::unordered_map<int, std::size_t> changeOfRecord;
    for (const PairsAssignment& assigned : models) {
        if (!holds(records, assigned.record) || assigned.first.empty() ||
            assigned.first.size() != assigned.second.size() ||
            assigned.first.size() > static_cast<std::size_t>(kTableLimit)) {
            continue;
        }
        CarColourRecord& model = at(records, assigned.record);
        if (model.Color1 == assigned.first && model.Color2 == assigned.second) {
            continue;
        }
        const auto [known, fresh] =
            changeOfRecord.try_emplace(assigned.record, change.after.size());
        if (fresh) {
            change.before.emplace_back(assigned.record, model);
        }
        model.Color1 = assigned.first;
        model.Color2 = assigned.second;
        if (fresh) {
            change.after.emplace_back(assigned.record, model);
        } else {
            change.after[known->second].second = model;
        }
    }
    if (change.after.empty()) {
        return 0;
    }
    const auto changed = static_cast<int>(change.after.size());
    if (changed == 1) {
        const int record = static_cast<int>(change.after.front().first);
        markEdited(Change::Pairs, record, -1,
                   PairsEdit{record, change.before.front().second, change.after.front().second});
        return changed;
    }
    change.changed = true;
    TablesChange tables;
    tables.models = std::move(change);
    tables.takeListAndTexts(document_.Autos, document_.Author, document_.Date, document_);
    markEdited(Change::Pairs, -1, -1, tablesEdit(std::move(tables)));
    return changed;
}

std::vector<std::string> DocumentSession::namesAlreadyPresent(std::string_view bytes) const {
    const std::vector<std::string>& names = document_.Autos.entries();
    const ImportedVehicles imported = readImportedVehicles(
        bytes, HandlingReadTexts{}, names, static_cast<std::size_t>(kTableLimit), {});
    const std::unordered_set<std::string_view> present(names.begin(), names.end());
    std::unordered_set<std::string_view> reported;
    std::vector<std::string> repeated;
    for (const HandlingRecord& record : imported.records) {
        if (present.contains(record.name()) && reported.insert(record.name()).second) {
            repeated.emplace_back(record.name());
        }
    }
    return repeated;
}

ImportResult DocumentSession::importVehicles(std::string_view bytes, const HandlingReadTexts& texts,
                                             std::string_view tooManyVehicles,
                                             ImportPolicy policy) {
    ImportResult result;
    if (!holdsKind(DataFileKind::Handling)) {
        return result;
    }
    std::vector<HandlingRecord>& records = document_.HandlingRecords;
    const std::size_t room = static_cast<std::size_t>(kTableLimit) -
                             std::min(records.size(), static_cast<std::size_t>(kTableLimit));
    ImportedVehicles imported =
        readImportedVehicles(bytes, texts, document_.Autos.entries(), room, tooManyVehicles);
    if (imported.failure) {
        result.failure = std::move(imported.failure);
        return result;
    }

    // With Replace, the records of a name take the imported ones of that
    // name in table order; imported vehicles beyond those are added.
    // For undo: the records replaced and added, the list before; no copy of
    // the whole table.
    std::optional<TablesChange> change;
    std::optional<VehicleList> listBefore;
    const std::size_t errorsBefore = document_.Errors.size();
    if (recording()) {
        change.emplace();
        change->handling.beforeSize = records.size();
        listBefore = document_.Autos;
    }
    std::unordered_map<std::string, std::vector<std::size_t>> sameNamed;
    if (policy == ImportPolicy::Replace) {
        for (std::size_t i = records.size(); i-- > 0;) {
            sameNamed[std::string(records[i].name())].push_back(
                i);  // the last popped first: table order
        }
    }
    std::vector<std::string> addedNames;
    std::vector<std::size_t> importedPlaces;
    const auto firstAdded = static_cast<int>(records.size());
    for (HandlingRecord& record : imported.records) {
        auto found = sameNamed.find(std::string(record.name()));
        if (found != sameNamed.end() && !found->second.empty()) {
            // The vehicle keeps its line in the file.
            const std::size_t place = found->second.back();
            HandlingRecord& replaced = records[place];
            record.source = replaced.source;
            if (change) {
                change->handling.before.emplace_back(place, replaced);
                change->handling.after.emplace_back(place, record);
            }
            replaced = std::move(record);
            found->second.pop_back();
            ++result.replacedRecords;
            importedPlaces.push_back(place);
        } else {
            addedNames.emplace_back(record.name());
            importedPlaces.push_back(records.size());
            records.push_back(std::move(record));
        }
    }
    result.addedRecords = static_cast<int>(addedNames.size());
    result.firstErrorRow = static_cast<int>(document_.Errors.size());
    document_.Errors.insert(document_.Errors.end(), imported.rows.begin(), imported.rows.end());
    if (checkTexts_.warnings) {
        // The reader gives no warnings: those of the imported values follow.
        for (const std::size_t place : importedPlaces) {
            addOutOfRangeRows(records[place], *checkTexts_.warnings, document_.Errors);
        }
    }
    document_.Autos.insertMany(std::move(addedNames), firstAdded);
    addDocumentCheckRows(document_, checkTexts_, document_.Errors);
    // The imported lines' rows follow the others, as they were read.
    checks_.forget();
    if (result.addedRecords + result.replacedRecords > 0 || !imported.rows.empty()) {
        if (change) {
            TableChange<HandlingRecord>& handling = change->handling;
            handling.changed = true;
            handling.afterSize = records.size();
            for (std::size_t i = handling.beforeSize; i < records.size(); ++i) {
                handling.after.emplace_back(i, records[i]);
            }
            change->errors = appendedTo(errorsBefore, document_.Errors);
            change->takeListAndTexts(*listBefore, document_.Author, document_.Date, document_);
        }
        markChanged(Change::Value | Change::List | Change::Errors, -1, -1,
                    tablesEdit(std::move(change)));
    }
    return result;
}

void DocumentSession::revertToSaved() {
    if (!isLoaded()) {
        return;
    }
    const unsigned what =
        Change::Reverted | Change::List | Change::Palette | Change::Pairs | Change::FileTexts;
    if (document_.SavedFlag) {
        // The tables are as saved already: nothing to undo. The file on disk
        // may still differ, which is no state of the tables.
        wendrake::revertToSaved(document_);
        document_.Author = savedAuthor_;
        document_.Date = savedDate_;
        notify(what);
        return;
    }
    // For undo: the records that differ from the snapshot, compared before
    // the revert; no copy of the whole table.
    std::optional<TablesChange> change;
    VehicleList listBefore;
    std::string authorBefore;
    std::string dateBefore;
    if (recording()) {
        change.emplace();
        switch (document_.kind) {
            case DataFileKind::Handling:
                change->handling = changeOf(document_.HandlingRecords, document_.HandlingSnapshot);
                break;
            case DataFileKind::VehicleDefs:
                change->vehicleDefs =
                    changeOf(document_.VehicleDefRecords, document_.VehicleDefSnapshot);
                break;
            case DataFileKind::CarColours:
                change->palette = changeOf(document_.ColourEntries, document_.ColourSnapshot);
                change->models = changeOf(document_.CarColourRecords, document_.CarColourSnapshot);
                break;
        }
        listBefore = document_.Autos;
        authorBefore = document_.Author;
        dateBefore = document_.Date;
    }
    wendrake::revertToSaved(document_);
    document_.Author = savedAuthor_;
    document_.Date = savedDate_;
    if (change) {
        change->takeListAndTexts(listBefore, authorBefore, dateBefore, document_);
    }
    const unsigned rows = checkAgain() ? Change::Errors : 0U;
    // The tables are as last opened or saved again: the document is saved,
    // and undoing the revert makes it unsaved once more.
    markChanged(what | rows | Change::SavedState, -1, -1, tablesEdit(std::move(change)),
                SavedAfter::Yes);
}

std::optional<MissingValue> DocumentSession::findMissingValue() const {
    switch (document_.kind) {
        case DataFileKind::Handling:
            return firstMissingValue(document_.HandlingRecords);
        case DataFileKind::VehicleDefs:
        case DataFileKind::CarColours:
            return std::nullopt;
    }
    return std::nullopt;
}

namespace {

// The bytes are taken, not copied: a large file is not held twice.
SaveText buildFromDisk(const EditorDocument& document, std::string diskBytes, SaveLayout layout,
                       SourceLines sourceLines = SourceLines::Recorded) {
    const PreparedBytes disk = prepare(std::move(diskBytes));
    SaveText saved = wendrake::buildSaveText(document, disk.text, layout, sourceLines);
    if (disk.byteOrderMark) {
        saved.text.insert(0, kByteOrderMark);
    }
    return saved;
}

}  // namespace

std::string DocumentSession::buildSaveText(std::string_view diskBytes, SaveLayout layout) const {
    return buildFromDisk(document_, std::string(diskBytes), layout).text;
}

SaveOutcome DocumentSession::saveTo(const std::string& target, FileSystem& files,
                                    const SaveOptions& options) {
    SaveOutcome outcome;
    if (!isLoaded()) {
        outcome.status = SaveOutcome::Status::NotLoaded;
        return outcome;
    }
    if (const auto missing = findMissingValue()) {
        outcome.status = SaveOutcome::Status::MissingValue;
        outcome.missing = *missing;
        return outcome;
    }
    // The text is built from the file on disk: without it there are no
    // comment lines to keep, and writing would lose them.
    const std::string source = document_.FilePath;
    if (!files.exists(source)) {
        outcome.status = SaveOutcome::Status::SourceMissing;
        return outcome;
    }
    std::string disk;
    if (auto failure = files.read(source, disk)) {
        outcome.status = SaveOutcome::Status::ReadFailed;
        outcome.failure = std::move(failure);
        return outcome;
    }
    const SaveText saved =
        buildFromDisk(document_, std::move(disk), options.layout, options.sourceLines);
    const std::string& text = saved.text;
    outcome.layoutChanged = options.layout == SaveLayout::KeepFile && !saved.everyRecordInPlace;

    if (options.backupFirst && target == source && !backedUp_.contains(source)) {
        const std::string backup = source + ".backup";
        if (!files.exists(backup)) {
            if (auto failure = files.copy(source, backup)) {
                outcome.status = SaveOutcome::Status::BackupFailed;
                outcome.failure = std::move(failure);
                return outcome;
            }
            outcome.backupPath = backup;
        }
        backedUp_.insert(source);
    }
    if (auto failure = files.write(target, text)) {
        outcome.status = SaveOutcome::Status::WriteFailed;
        outcome.failure = std::move(failure);
        return outcome;
    }
    // The target now holds what this session wrote: a later save over it
    // has nothing of the player's to keep a backup of.
    backedUp_.insert(target);
    adoptSourceLines(document_, saved);
    if (snapshotKept_) {
        commitSnapshot(document_);
    }
    savedAuthor_ = document_.Author;
    savedDate_ = document_.Date;
    const bool moved = document_.FilePath != target;
    document_.FilePath = target;
    document_.SavedFlag = true;
    savedStates_.assign(1, state_);
    notify(Change::SavedState | (moved ? Change::Path : 0U));
    return outcome;
}

namespace {

template <typename Record>
bool differsFromSnapshot(const std::vector<Record>& records, const std::vector<Record>& snapshot,
                         int record) {
    if (!holds(records, record)) {
        return false;
    }
    const auto index = static_cast<std::size_t>(record);
    return index >= snapshot.size() || records[index] != snapshot[index];
}

}  // namespace

bool DocumentSession::recordDiffersFromSaved(int record) const {
    if (!isLoaded()) {
        return false;
    }
    switch (document_.kind) {
        case DataFileKind::Handling:
            return differsFromSnapshot(document_.HandlingRecords, document_.HandlingSnapshot,
                                       record);
        case DataFileKind::VehicleDefs:
            return differsFromSnapshot(document_.VehicleDefRecords, document_.VehicleDefSnapshot,
                                       record);
        case DataFileKind::CarColours:
            return differsFromSnapshot(document_.CarColourRecords, document_.CarColourSnapshot,
                                       record);
    }
    return false;
}

}  // namespace wendrake
