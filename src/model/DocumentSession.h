// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "DocumentChecks.h"
#include "DocumentEdit.h"
#include "DocumentFiles.h"
#include "EditorDocument.h"
#include "FileSystem.h"
#include "HandlingLine.h"
#include "LanguageTable.h"
#include "LiveChecks.h"
#include "MissingValues.h"
#include "ReadFailure.h"
#include "VehicleImport.h"

namespace wendrake {

// What an operation of the session changed; observers refresh only that.
namespace Change {
inline constexpr unsigned Opened = 1U << 0U;      // a file was read in: everything is new
inline constexpr unsigned Closed = 1U << 1U;      // an open failed: nothing is loaded
inline constexpr unsigned Value = 1U << 2U;       // one value of one record
inline constexpr unsigned List = 1U << 3U;        // the vehicle list (entries added or renamed)
inline constexpr unsigned Palette = 1U << 4U;     // the colours
inline constexpr unsigned Pairs = 1U << 5U;       // the colour pairs of models
inline constexpr unsigned Errors = 1U << 6U;      // the error rows
inline constexpr unsigned FileTexts = 1U << 7U;   // author or date
inline constexpr unsigned SavedState = 1U << 8U;  // saved or unsaved
inline constexpr unsigned Path = 1U << 9U;        // the file's path
inline constexpr unsigned Reverted = 1U << 10U;   // every table as last opened or saved
// Undone or redone: the values changed from outside the pages, which show
// them again even where the player is typing.
inline constexpr unsigned Restored = 1U << 11U;
}  // namespace Change

// How a change of a colour's parts is undone.
enum class ColourStep {
    Continued,  // a bar dragged or a number stepped: one step with the moves before it
    Whole,      // a colour given at once (a code, the colour dialog): a step of its own
};

struct SessionChange {
    unsigned what = 0;
    int record = -1;  // for Value, Pairs and Palette: the record or colour concerned, -1 for many
    int field = -1;   // for Value

    bool has(unsigned change) const { return (what & change) != 0; }
};

// One value to give one record of the loaded kind.
struct ValueAssignment {
    int record = -1;
    int field = -1;
    std::string value;
};

struct OpenOutcome {
    enum class Status { Opened, Missing, ReadFailed, Invalid };
    Status status = Status::Opened;
    std::optional<FileFailure> fileFailure;  // ReadFailed
    std::optional<ReadFailure> readFailure;  // Invalid
    std::string backupPath;  // the backup made before the line end repair, if one was
};

struct SaveOutcome {
    enum class Status {
        Saved,
        NotLoaded,
        MissingValue,   // nothing written: `missing` names the value
        SourceMissing,  // the file it was opened from is gone
        ReadFailed,     // the file on disk could not be read
        BackupFailed,   // the backup before the first save could not be made
        WriteFailed,
    };
    Status status = Status::Saved;
    std::optional<FileFailure> failure;
    MissingValue missing;
    std::string backupPath;  // the backup made before this save, if one was
    // A save asked to keep the file's layout that could not keep all of it:
    // the file on disk was changed since it was read, and some records were
    // written at the end of their block, or the whole file in the standard
    // layout. No record is lost or written twice either way.
    bool layoutChanged = false;
};

struct OpenOptions {
    // Write the CR LF repair of a file's line ends back to disk (the editor
    // does; the command line never changes a file it only reads).
    bool repairOnDisk = true;
    // Copy the file to NAME.backup (unless that exists) before the repair
    // writes it, as before the first save.
    bool backupFirst = false;
    Snapshot snapshot = Snapshot::Taken;
    // Skipped: the vehicle list stays empty. Only for a document that is
    // neither saved nor repaired on disk (the list orders the saved records,
    // and the repair asks whether it holds any).
    NameList nameList = NameList::Filled;
    // Skipped: the records do not know their lines, so no save may keep the
    // file's layout (a handling file's records; the other kinds know theirs).
    SourceLines sourceLines = SourceLines::Recorded;
};

struct SaveOptions {
    // Before the first save over a file in this session, copy it to
    // NAME.backup unless that exists.
    bool backupFirst = false;
    SaveLayout layout = SaveLayout::Standard;
    SourceLines sourceLines = SourceLines::Recorded;
};

// New colour pairs for one model of the car colour file: pair j is
// (first[j], second[j]).
struct PairsAssignment {
    int record = -1;
    std::vector<std::int16_t> first;
    std::vector<std::int16_t> second;
};

enum class ImportPolicy {
    KeepBoth,  // imported vehicles are added, also when their names are in the file
    Replace,   // a vehicle whose name is in the file takes the imported values in its place
};

// The one keeper of an open document: its kind, tables and snapshots, the
// vehicle list, and its saved state. Every edit,
// import, revert, open and save goes through it, and only it changes the
// saved state; it tells its observers what changed. The window and the
// command line both open and save through it.
class DocumentSession {
  public:
    using Observer = std::function<void(const SessionChange&)>;
    using EditRecorder = std::function<void(DocumentEdit)>;

    // Returns an id for removeObserver.
    int addObserver(Observer observer);
    void removeObserver(int id);

    const EditorDocument& document() const { return document_; }
    bool isLoaded() const { return document_.isLoaded(); }
    bool isSaved() const { return document_.SavedFlag; }
    DataFileKind kind() const { return document_.kind; }
    const std::string& path() const { return document_.FilePath; }

    // Reads the file at `path` as a file of `kind`. A missing file leaves
    // the open document as it was; any other failure closes it.
    OpenOutcome openFile(const std::string& path, DataFileKind kind, FileSystem& files,
                         const LanguageTable& language, const OpenOptions& options = {});

    // The same from bytes already read; true when they open.
    std::optional<ReadFailure> openBytes(std::string path, DataFileKind kind, std::string bytes,
                                         const LanguageTable& language,
                                         Snapshot snapshot = Snapshot::Taken,
                                         NameList nameList = NameList::Filled);

    // Nothing loaded any more (after a failed open): saving is not offered.
    void close();

    // The rows of the checks in `language` from now on; the rows listed are
    // checked again in it.
    void useLanguage(const LanguageTable& language);

    // The rows list warnings too (see warnDocument), each vehicle's after its
    // errors, from now on; the rows listed are checked again. The command
    // line lists errors only and warnings on its own.
    void listWarnings(bool listed, const LanguageTable& language);

    // The rows about record `record` of the loaded kind, in the order listed:
    // its values' rows and the rows that name it (its name repeated). Once
    // the rows were checked as a whole (with warnings listed: from opening
    // on), only those of the record and of the whole document are looked at,
    // not those of every vehicle.
    std::vector<const ErrorListEntry*> rowsAbout(int record) const;

    // Makes record `record` of the loaded kind the one shown; no edit.
    void select(int record);
    // The record shown, or -1 when the loaded kind has none.
    int selected() const;

    // Edits. Each returns false and changes nothing when the record does
    // not exist; a value equal to the present one is no change.
    bool setHandlingValue(int record, HandlingField field, std::string value);
    bool setVehicleDefValue(int record, VehicleDefField field, std::string value);
    // Gives values of records of the loaded kind (handling or vehicle
    // definitions) as one step of the history, so that one undo takes them
    // all back. Values of records or fields that do not exist, and values
    // equal to the present ones, are skipped. Returns how many values changed;
    // with none, nothing is recorded.
    int setValues(const std::vector<ValueAssignment>& values);
    void setAuthor(std::string author);
    void setDate(std::string date);
    bool setColourComponents(int colour, std::int16_t red, std::int16_t green, std::int16_t blue,
                             ColourStep step = ColourStep::Continued);
    bool setColourName(int colour, std::string name);
    // Appends a new colour; returns its number, or -1 when the palette is full.
    int addColour();
    bool deleteColour(int colour);
    bool addPair(int record, int first, int second);
    bool removePair(int record, int pair);
    // Puts pair `pair` of a model at position `to`: the order in which the
    // pairs are listed.
    bool movePair(int record, int pair, int to);
    // Gives models their pairs as ONE step of the history (one undo undoes
    // all). Assignments to models that do not exist, of no pairs, of lists
    // of unequal lengths or more than a model may hold, and equal to the
    // present pairs, are skipped; a later assignment to a model wins.
    // Returns the number of models changed (0: no step, nothing recorded).
    int setPairs(const std::vector<PairsAssignment>& models);

    // The names of handling lines in `bytes` that are already names of
    // vehicles of the document, each once, in the order met.
    std::vector<std::string> namesAlreadyPresent(std::string_view bytes) const;

    // Adds (or with Replace, puts in place of same-named vehicles) the
    // vehicles of a file in the handling line format.
    ImportResult importVehicles(std::string_view bytes, const HandlingReadTexts& texts,
                                std::string_view tooManyVehicles, ImportPolicy policy);

    // Every table of the loaded kind as last opened or saved, which makes the
    // document saved; one step of the history, so it can be undone.
    void revertToSaved();

    // Every edit, import and revert from now on is handed to `recorder`
    // after the observers were told (an empty one records nothing).
    void setEditRecorder(EditRecorder recorder) { recorder_ = std::move(recorder); }
    // Puts the document back in the state before `edit`, or again in the
    // state after it. False, changing nothing, unless the document is in the
    // state the edit left (undo) or started from (redo).
    bool undo(const DocumentEdit& edit);
    bool redo(const DocumentEdit& edit);
    // Makes `earlier` also do `later` when both change the same value one
    // after the other (typing into one box): true when it did. Never across
    // the state last saved, which must stay a state of its own.
    bool mergeEdits(DocumentEdit& earlier, const DocumentEdit& later) const;

    // The first value a save would have to write empty, if any.
    std::optional<MissingValue> findMissingValue() const;

    // The complete text a save writes over a file holding `diskBytes`.
    std::string buildSaveText(std::string_view diskBytes,
                              SaveLayout layout = SaveLayout::Standard) const;

    // Writes the document to `target`, built from the file it was opened
    // from as it lies on disk now, and adopts `target` as its path.
    SaveOutcome saveTo(const std::string& target, FileSystem& files,
                       const SaveOptions& options = {});

    // True when record `record` of the loaded kind differs from its state as
    // last opened or saved: undoing back to that state makes it false again.
    // A record added since is changed; no record, or none loaded, is not.
    bool recordDiffersFromSaved(int record) const;

  private:
    // The name field of the loaded kind's records, or -1 when it has no
    // values to set.
    int nameField() const;
    // Brings the rows up to date after values of the records `records`
    // changed; true when the rows changed.
    bool checkRecords(const std::vector<int>& records, bool renamed);
    // True when an edit of `field` of the loaded kind can change the rows of
    // other records: a name (names twice), and with warnings a vehicle
    // definition's model name (model names twice).
    bool checkedAcrossRecords(int field) const;
    // openBytes() of bytes already prepared (no byte order mark, CR LF).
    std::optional<ReadFailure> openPrepared(std::string path, DataFileKind kind,
                                            std::string_view text, const LanguageTable& language,
                                            Snapshot snapshot, NameList nameList = NameList::Filled,
                                            SourceLines sourceLines = SourceLines::Recorded);
    bool holdsKind(DataFileKind kind) const { return isLoaded() && document_.kind == kind; }
    void writeRepair(const std::string& path, const std::string& repaired, FileSystem& files,
                     bool backupFirst, OpenOutcome& outcome);
    void notify(unsigned what, int record = -1, int field = -1);
    enum class SavedAfter { No, Yes };
    // A new state after an edit: unsaved (or, after a revert, saved), the
    // observers told, the edit recorded.
    void markChanged(unsigned what, int record, int field, EditStep step,
                     SavedAfter saved = SavedAfter::No);
    // The same after an edit that may change any problem row: the rows are
    // checked again over the whole document, Errors marked only when they differ.
    void markEdited(unsigned what, int record, int field, EditStep step);
    // True when the rows changed.
    bool checkAgain();
    bool recording() const { return static_cast<bool>(recorder_); }
    // A fresh state, also the saved one (after an open or close).
    void startHistory();
    static TablesEdit tablesEdit(std::optional<TablesChange> change);
    bool step(const DocumentEdit& edit, bool forward);
    // One value of a record of the loaded kind; `nameField` also renames
    // the record's list entry.
    template <typename Record, typename Field>
    bool setRecordValue(std::vector<Record>& records, DataFileKind kind, int record, Field field,
                        Field nameField, std::string value);

    EditorDocument document_;
    std::string savedAuthor_;  // author and date as last opened or saved, for undo
    std::string savedDate_;
    DocumentCheckTexts checkTexts_;
    LiveChecks checks_;
    bool warningsListed_ = false;
    bool snapshotKept_ = true;        // false: the tables have no snapshot to commit to
    std::set<std::string> backedUp_;  // files whose backup question this session settled
    std::vector<std::pair<int, Observer>> observers_;
    EditRecorder recorder_;
    DocumentState state_ = 0;
    // The states whose tables are those last opened or saved: the one of the
    // open or save, and those a revert to it made since.
    std::vector<DocumentState> savedStates_;
    bool inSavedState() const;
    DocumentState nextState_ = 1;
    int nextObserverId_ = 1;
};

}  // namespace wendrake
