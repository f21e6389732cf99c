// SPDX-License-Identifier: GPL-3.0-or-later
// What the player did not change does not change. A file (a sample, a test
// file, or the input's own bytes) is opened through the session, edited at
// random as a player could (values, names, flags, author and date, colours
// and pairs, imports with both policies, revert, undo and redo of single
// steps, typing merged into one step as the window does), and saved, sometimes after
// the file on disk was changed behind the program's back. After every save
// the file is opened again and must hold exactly the records a small model
// of the edits expects; every comment line and every line the program does
// not own is in the saved file once; saving the reopened file gives the same
// bytes; a refused save writes nothing; revert gives the tables as last
// saved; undo and redo give the tables of their step, and the document is
// saved exactly in the step last saved.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ExpectedTables.h"
#include "FuzzSupport.h"
#include "KeptLines.h"
#include "model/DocumentSession.h"
#include "model/HandlingAuthorDate.h"
#include "support/MemoryFiles.h"

using namespace wendrake;
using namespace wendrake::fuzz;
using wendrake::testing::MemoryFiles;

namespace {

constexpr std::array<DataFileKind, 3> kKinds = {DataFileKind::Handling, DataFileKind::VehicleDefs,
                                                DataFileKind::CarColours};
constexpr std::array<const char*, 3> kPaths = {"game/data/handling.cfg", "game/data/default.ide",
                                               "game/data/carcols.dat"};
constexpr std::array<const char*, 3> kOtherPaths = {"mods/handling.cfg", "mods/default.ide",
                                                    "mods/carcols.dat"};

std::size_t kindIndex(DataFileKind kind) {
    return kind == DataFileKind::Handling ? 0 : kind == DataFileKind::VehicleDefs ? 1 : 2;
}

// The sample and test files of each kind, read once.
const std::vector<std::string>& seedFiles(DataFileKind kind) {
    static const std::array<std::vector<std::string>, 3> files = [] {
        std::array<std::vector<std::string>, 3> found;
        const std::array<const char*, 3> extensions = {".cfg", ".ide", ".dat"};
        for (const char* folder : {WENDRAKE_SAMPLES, WENDRAKE_TEST_DATA "/handling",
                                   WENDRAKE_TEST_DATA "/ide", WENDRAKE_TEST_DATA "/dat"}) {
            std::vector<std::filesystem::path> paths;
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                paths.push_back(entry.path());
            }
            std::sort(paths.begin(), paths.end());
            for (const auto& path : paths) {
                for (std::size_t k = 0; k < extensions.size(); ++k) {
                    if (path.extension() == extensions[k]) {
                        std::ifstream in(path, std::ios::binary);
                        found[k].emplace_back(std::istreambuf_iterator<char>(in),
                                              std::istreambuf_iterator<char>());
                    }
                }
            }
        }
        for (const auto& kind : found) {
            if (kind.empty()) {
                fail("the sample and test files are missing");
            }
        }
        return found;
    }();
    return files[kindIndex(kind)];
}

std::string pick(FuzzedDataProvider& in, std::string_view alphabet, std::size_t from,
                 std::size_t to) {
    const std::size_t length = in.ConsumeIntegralInRange(from, to);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        text += alphabet[in.ConsumeIntegralInRange<std::size_t>(0, alphabet.size() - 1)];
    }
    return text;
}

// Values a player can type into the boxes: no blanks, separators, comment
// marks or control characters; a vehicle name of at most 14 characters that
// starts with a letter. Now and then an empty value, which the save refuses
// where it would shift the values after it.
std::string handlingValue(FuzzedDataProvider& in, int field) {
    if (in.ConsumeIntegralInRange(0, 15) == 0) {
        return {};
    }
    if (field == static_cast<int>(HandlingField::Autoname)) {
        return pick(in, "ABCDEFGHabcdefgh_", 1, 1) + pick(in, "ABCXYZabcxyz0123456789_-", 0, 13);
    }
    if (field == static_cast<int>(HandlingField::Flags)) {
        return pick(in, "0123456789ABCDEF", 4, 4);
    }
    return pick(in, "0123456789.-+eEabXZ", 1, 8);
}

std::string trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void expectSameBytes(const std::string& first, const std::string& again, const std::string& what) {
    if (first == again) {
        return;
    }
    std::size_t at = 0;
    while (at < first.size() && at < again.size() && first[at] == again[at]) {
        ++at;
    }
    const std::size_t from = at > 80 ? at - 80 : 0;
    fail(what + ", at byte " + std::to_string(at),
         "first: " + first.substr(from, 160) + " | again: " + again.substr(from, 160));
}

struct Run {
    FuzzedDataProvider& in;
    DataFileKind kind;
    MemoryFiles files;
    DocumentSession session;
    ExpectedTables expected;
    ExpectedTables saved;  // as last opened or saved: what revert gives back
    // The history as the window keeps it: the tables before the first step
    // and after each, `done` steps in effect, the step count last saved at
    // while that state is still in the history.
    ExpectedTables start;
    std::vector<DocumentEdit> edits;
    std::vector<ExpectedTables> after;
    std::size_t done = 0;
    std::optional<std::size_t> savedAt = 0;
    // The steps of reverts since: their tables are those saved too.
    std::set<std::size_t> revertedAt;

    void startHistory() {
        start = expected;
        session.setEditRecorder([this](DocumentEdit edit) {
            if (savedAt && *savedAt > done) {
                savedAt.reset();
            }
            revertedAt.erase(revertedAt.upper_bound(done), revertedAt.end());
            edits.resize(done);
            after.resize(done);
            edits.push_back(std::move(edit));
            ++done;
        });
    }

    // After each operation: the tables it left belong to its step, which
    // merges with the one before where the window's history would merge it.
    void followHistory() {
        if (after.size() == edits.size()) {
            return;
        }
        after.push_back(expected);
        if (done >= 2 && session.mergeEdits(edits[done - 2], edits[done - 1])) {
            expect(savedAt != done - 1, "typing merged across the state last saved");
            after[done - 2] = expected;
            edits.pop_back();
            after.pop_back();
            --done;
        }
    }

    void checkStep(const std::string& when) const {
        checkInMemory(when);
        expect(session.isSaved() == (savedAt == done || revertedAt.contains(done)),
               "after " + when + " the saved state is not that of the step");
    }

    void undo() {
        if (done == 0) {
            return;
        }
        expect(session.undo(edits[done - 1]), "the last step cannot be undone");
        --done;
        expected = done == 0 ? start : after[done - 1];
        checkStep("undo");
    }

    void redo() {
        if (done == edits.size()) {
            return;
        }
        expect(session.redo(edits[done]), "the next step cannot be redone");
        expected = after[done];
        ++done;
        checkStep("redo");
    }

    int pickRow() const {
        return static_cast<int>(
            in.ConsumeIntegralInRange<std::size_t>(0, expected.rows.size() - 1));
    }

    void checkInMemory(const std::string& when) const {
        expectTables(expected, tablesOf(session.document()), true, when);
    }

    void editHandling() {
        if (expected.rows.empty()) {
            return;
        }
        const int row = pickRow();
        const int field = in.ConsumeIntegralInRange(0, kHandlingFieldCount - 1);
        const std::string value = handlingValue(in, field);
        expect(session.setHandlingValue(row, static_cast<HandlingField>(field), value),
               "a handling value of an existing record cannot be set");
        setCell(expected, row, field, value);
    }

    void editVehicleDef() {
        if (expected.rows.empty()) {
            return;
        }
        const int row = pickRow();
        const int field = in.ConsumeIntegralInRange(0, kVehicleDefFieldCount - 1);
        const std::string value = pick(in, "abcXYZ0123456789._-", 0, 10);
        expect(session.setVehicleDefValue(row, static_cast<VehicleDefField>(field), value),
               "a value of an existing vehicle definition cannot be set");
        setCell(expected, row, field, value);
    }

    // A copy between vehicles or a paste: several values, perhaps one cell
    // twice, as one step.
    void editSeveral() {
        if (expected.rows.empty()) {
            return;
        }
        const bool handling = kind == DataFileKind::Handling;
        std::vector<ValueAssignment> values;
        const int count = in.ConsumeIntegralInRange(1, 6);
        for (int i = 0; i < count; ++i) {
            const int row = pickRow();
            const int field = in.ConsumeIntegralInRange(
                0, (handling ? kHandlingFieldCount : kVehicleDefFieldCount) - 1);
            std::string value =
                handling ? handlingValue(in, field) : pick(in, "abcXYZ0123456789._-", 0, 10);
            setCell(expected, row, field, value);
            values.push_back(ValueAssignment{row, field, std::move(value)});
        }
        session.setValues(values);
    }

    void editAuthorOrDate() {
        if (in.ConsumeBool()) {
            expected.author = trimmed(pick(in, "abdkmXYZ0189.-_ ", 0, 12));
            session.setAuthor(expected.author);
        } else {
            expected.date = trimmed(pick(in, "0123456789./- ", 0, 12));
            session.setDate(expected.date);
        }
    }

    int pickColour() const {
        return static_cast<int>(
            in.ConsumeIntegralInRange<std::size_t>(0, expected.palette.size() - 1));
    }

    void editPalette() {
        switch (in.ConsumeIntegralInRange(0, 3)) {
            case 0:
                if (!expected.palette.empty()) {
                    const int colour = pickColour();
                    ExpectedColour& entry = expected.palette[static_cast<std::size_t>(colour)];
                    entry.red = in.ConsumeIntegralInRange(0, 255);
                    entry.green = in.ConsumeIntegralInRange(0, 255);
                    entry.blue = in.ConsumeIntegralInRange(0, 255);
                    expect(session.setColourComponents(colour, static_cast<std::int16_t>(entry.red),
                                                       static_cast<std::int16_t>(entry.green),
                                                       static_cast<std::int16_t>(entry.blue)),
                           "a colour of the palette cannot be changed");
                }
                break;
            case 1:
                if (!expected.palette.empty()) {
                    const int colour = pickColour();
                    const std::string name = pick(in, "abcdefXYZ0123456789", 0, 8);
                    expected.palette[static_cast<std::size_t>(colour)].name = name;
                    expect(session.setColourName(colour, name),
                           "a colour of the palette cannot be renamed");
                }
                break;
            case 2:
                if (expected.palette.size() < static_cast<std::size_t>(kTableLimit)) {
                    expect(session.addColour() == static_cast<int>(expected.palette.size()),
                           "a new colour is not added at the end");
                    addColour(expected);
                }
                break;
            default:
                if (!expected.palette.empty()) {
                    const int colour = pickColour();
                    expect(session.deleteColour(colour), "a colour cannot be deleted");
                    deleteColour(expected, colour);
                }
                break;
        }
    }

    void editPairs() {
        if (expected.cars.empty()) {
            return;
        }
        const int car =
            static_cast<int>(in.ConsumeIntegralInRange<std::size_t>(0, expected.cars.size() - 1));
        auto& pairs = expected.cars[static_cast<std::size_t>(car)].pairs;
        if (in.ConsumeBool()) {
            setPairsOfModels();
        } else if (in.ConsumeBool() && !pairs.empty()) {
            const int pair =
                static_cast<int>(in.ConsumeIntegralInRange<std::size_t>(0, pairs.size() - 1));
            expect(session.removePair(car, pair), "a pair cannot be removed");
            removePair(expected, car, pair);
        } else {
            const int last = std::max(0, static_cast<int>(expected.palette.size()) - 1);
            const int first = in.ConsumeIntegralInRange(0, last);
            const int second = in.ConsumeIntegralInRange(0, last);
            expect(session.addPair(car, first, second), "a pair cannot be added");
            pairs.emplace_back(first, second);
        }
    }

    // New pairs for a few models at once, as a paste into the table gives
    // them: an assignment of no pairs is skipped, a later one for the same
    // model wins.
    void setPairsOfModels() {
        std::vector<PairsAssignment> models;
        const int count = in.ConsumeIntegralInRange(1, 3);
        for (int k = 0; k < count; ++k) {
            const auto car = in.ConsumeIntegralInRange<std::size_t>(0, expected.cars.size() - 1);
            PairsAssignment model{static_cast<int>(car), {}, {}};
            std::vector<std::pair<int, int>> pairs;
            const int last = std::max(0, static_cast<int>(expected.palette.size()) - 1);
            for (int n = in.ConsumeIntegralInRange(0, 3); n > 0; --n) {
                const int first = in.ConsumeIntegralInRange(0, last);
                const int second = in.ConsumeIntegralInRange(0, last);
                model.first.push_back(static_cast<std::int16_t>(first));
                model.second.push_back(static_cast<std::int16_t>(second));
                pairs.emplace_back(first, second);
            }
            if (!pairs.empty()) {
                expected.cars[car].pairs = pairs;
            }
            models.push_back(std::move(model));
        }
        session.setPairs(models);
    }

    // Handling lines as an exchange file holds them, some of them of names
    // already in the file.
    void importVehicles() {
        static const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(englishTexts());
        std::string bytes;
        std::vector<ExpectedRow> rows;
        const int lines = in.ConsumeIntegralInRange(1, 3);
        for (int i = 0; i < lines; ++i) {
            std::vector<std::string> values;
            if (!expected.rows.empty() && in.ConsumeBool()) {
                values.push_back(expected.rows[static_cast<std::size_t>(pickRow())].cells[0]);
            }
            if (values.empty() || values[0].empty()) {
                values.assign(1, pick(in, "ABCDEFGHabcdefgh_", 1, 1) +
                                     pick(in, "ABCXYZabcxyz0123456789_-", 0, 13));
            }
            const int count = in.ConsumeIntegralInRange(20, 34);
            for (int k = 1; k < count; ++k) {
                values.push_back(pick(in, "0123456789.-+eEabXZ", 1, 6));
            }
            const std::string comment = in.ConsumeBool() ? ";" + pick(in, "abc XYZ;", 0, 8) : "";
            for (const std::string& value : values) {
                bytes += value + " ";
            }
            bytes += comment + "\r\n";
            rows.push_back(handlingRow(values, comment));
        }
        const bool replace = in.ConsumeBool();
        const ImportResult result =
            session.importVehicles(bytes, texts, "too many vehicles",
                                   replace ? ImportPolicy::Replace : ImportPolicy::KeepBoth);
        if (result.failure) {
            expect(expected.rows.size() + rows.size() > static_cast<std::size_t>(kTableLimit),
                   "an import with room for its vehicles was refused", bytes);
            return;
        }
        importRows(expected, std::move(rows), replace);
        checkInMemory("after an import");
    }

    void revert() {
        const bool wasSaved = session.isSaved();
        session.revertToSaved();
        expect(session.isSaved(), "a revert left the document unsaved");
        if (!wasSaved) {
            revertedAt.insert(done);  // the revert's own step
        }
        // Undo returns the tables, the author and the date as last saved.
        expected = saved;
        checkInMemory("after undo");
    }

    // The file on disk as some other program may have left it.
    void changeDisk(std::string& bytes, int how) {
        const bool bom = bytes.starts_with("\xEF\xBB\xBF");
        std::vector<std::string> lines;
        for (const std::string_view line : textLines(bytes)) {
            lines.emplace_back(line);
        }
        std::string end = "\r\n";
        switch (how) {
            case 0:
                end = "\n";
                break;
            case 1:
                end = "\r";
                break;
            case 2: {  // a section's end, or the closing line, removed
                const auto found = std::find_if(lines.begin(), lines.end(), [](const auto& line) {
                    return line == "end" || line == ";the end";
                });
                if (found != lines.end()) {
                    lines.erase(found);
                }
                break;
            }
            case 3:
                if (!lines.empty()) {
                    const std::size_t a =
                        in.ConsumeIntegralInRange<std::size_t>(0, lines.size() - 1);
                    const std::size_t b =
                        in.ConsumeIntegralInRange<std::size_t>(0, lines.size() - 1);
                    std::swap(lines[a], lines[b]);
                }
                break;
            default:
                break;
        }
        std::string text = bom || how == 4 ? "\xEF\xBB\xBF" : "";
        for (const std::string& line : lines) {
            text += line + end;
        }
        bytes = std::move(text);
    }

    void save() {
        const std::string source = session.path();
        const int change = in.ConsumeIntegralInRange(0, 11);
        if (change == 5) {
            // The file is gone: nothing may be written, the state stays.
            const std::string bytes = files.files.at(source);
            files.files.erase(source);
            const auto before = files.files;
            const int writes = files.writes;
            const bool wasSaved = session.isSaved();
            const SaveOutcome outcome = session.saveTo(source, files);
            expect(outcome.status == SaveOutcome::Status::SourceMissing ||
                       (outcome.status == SaveOutcome::Status::MissingValue &&
                        hasUnwritableRow(expected.rows)),
                   "a save without its file on disk did not say so");
            expect(files.files == before && files.writes == writes,
                   "a save without its file on disk wrote");
            expect(session.isSaved() == wasSaved && session.path() == source,
                   "a save without its file on disk changed the document's state");
            files.files[source] = bytes;  // the player puts it back
            return;
        }
        if (change < 5) {
            changeDisk(files.files.at(source), change);
        }
        const std::string target =
            in.ConsumeIntegralInRange(0, 7) == 0 ? kOtherPaths[kindIndex(kind)] : source;
        const std::string disk = files.files.at(source);
        const auto before = files.files;
        const int writes = files.writes;
        const SaveOutcome outcome = session.saveTo(target, files);

        if (kind == DataFileKind::Handling && hasUnwritableRow(expected.rows)) {
            expect(outcome.status == SaveOutcome::Status::MissingValue,
                   "a save wrote a vehicle with an empty value that shifts the others");
            expect(files.files == before && files.writes == writes, "a refused save wrote");
            expect(!session.isSaved() && session.path() == source,
                   "a refused save changed the document's state");
            return;
        }
        expect(outcome.status == SaveOutcome::Status::Saved, "a save failed");
        expect(session.isSaved() && session.path() == target, "a save left the document unsaved");
        checkInMemory("after saving");
        const std::string written = files.files.at(target);
        expectKeptLines(session.document(), disk, written);
        checkReopened(disk, written);

        checkKeptLayoutSavesTheSameBytes(target, written);
        saved = expected;
        savedAt = done;
        revertedAt.clear();
    }

    // Saved unchanged in the mode that keeps the file's layout, a file gives
    // back its very bytes.
    void checkKeptLayoutSavesTheSameBytes(const std::string& path,
                                          const std::string& written) const {
        MemoryFiles disk;
        disk.files[path] = written;
        DocumentSession unchanged;
        if (unchanged.openFile(path, kind, disk, englishTexts()).status !=
            OpenOutcome::Status::Opened) {
            fail("the saved file does not open again", written);
        }
        SaveOptions keep;
        keep.layout = SaveLayout::KeepFile;
        expect(unchanged.saveTo(path, disk, keep).status == SaveOutcome::Status::Saved,
               "an unchanged file cannot be saved keeping its layout");
        expectSameBytes(written, disk.files.at(path),
                        "keeping the layout, an unchanged file saves to other bytes");
    }

    void checkReopened(std::string_view disk, const std::string& written) const {
        DocumentSession reopened;
        if (const auto failure =
                reopened.openBytes(kPaths[kindIndex(kind)], kind, written, englishTexts())) {
            fail("the saved file does not open again: " + failure->description, written);
        }
        expectTables(expected, tablesOf(reopened.document()), kind != DataFileKind::Handling,
                     "after saving and opening again");
        if (kind == DataFileKind::Handling) {
            // The author and date are written where the file names them.
            AuthorAndDate named{"\x01", "\x01"};
            for (const std::string_view line : textLines(disk)) {
                readAuthorAndDate(line, named);
            }
            const std::string author = named.author == "\x01" ? "" : expected.author;
            const std::string date = named.date == "\x01" ? "" : expected.date;
            expect(reopened.document().Author == author, "the saved author reads back as another",
                   reopened.document().Author);
            expect(reopened.document().Date == date, "the saved date reads back as another",
                   reopened.document().Date);
        }
        expectSameBytes(written, reopened.buildSaveText(written),
                        "saving the saved file again changes it");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const DataFileKind kind = kKinds[in.ConsumeIntegralInRange<std::size_t>(0, 2)];
    const std::vector<std::string>& seeds = seedFiles(kind);
    const auto source = in.ConsumeIntegralInRange<std::size_t>(0, seeds.size());
    const std::string bytes =
        source < seeds.size() ? seeds[source] : in.ConsumeRandomLengthString(1 << 16);

    Run run{in, kind, {}, {}, {}, {}, {}, {}, {}, 0, 0, {}};
    const std::string path = kPaths[kindIndex(kind)];
    run.files.files[path] = bytes;
    if (run.session.openFile(path, kind, run.files, englishTexts()).status !=
        OpenOutcome::Status::Opened) {
        return 0;
    }
    run.expected = tablesOf(run.session.document());
    run.saved = run.expected;
    run.startHistory();
    for (int step = 0; step < 48 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
            case 0:
            case 1:
                if (kind == DataFileKind::Handling) {
                    run.editHandling();
                } else if (kind == DataFileKind::VehicleDefs) {
                    run.editVehicleDef();
                } else {
                    run.editPalette();
                }
                break;
            case 2:
                if (kind == DataFileKind::Handling) {
                    run.editAuthorOrDate();
                } else if (kind == DataFileKind::CarColours) {
                    run.editPairs();
                }
                break;
            case 3:
                if (kind == DataFileKind::Handling) {
                    run.importVehicles();
                }
                break;
            case 4:
                run.revert();
                break;
            case 5:
                if (kind != DataFileKind::CarColours) {
                    run.editSeveral();
                }
                break;
            case 8:
                run.undo();
                break;
            case 9:
                run.redo();
                break;
            default:
                run.save();
                break;
        }
        run.followHistory();
    }
    run.save();
    return 0;
}
