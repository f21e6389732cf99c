// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <algorithm>
#include <map>
#include <set>

#include "model/CarColourFile.h"
#include "model/DocumentSession.h"
#include "model/HandlingLine.h"
#include "model/TextLines.h"
#include "model/VehicleDefFile.h"
#include "support/MemoryFiles.h"
#include "support/TestFiles.h"

using namespace wendrake;
using F = HandlingField;

namespace {

using testing::dataLine;
using testing::join;
using testing::MemoryFiles;

DocumentCheckTexts checkTexts(bool warnings = false) {
    const LanguageTable language;
    DocumentCheckTexts texts{language.text(Text::NameRepeated), language.text(Text::CarColourPair),
                             language.text(Text::NamesNoColour),
                             HandlingReadTexts::fromLanguage(language)};
    if (warnings) {
        texts.warnings = DocumentWarningTexts::fromLanguage(language);
    }
    return texts;
}

const std::string kHandling =
    join({"; Author: Jo", "; head", dataLine("TWIN_VAN", "2600.0"), dataLine("ARROW"),
          dataLine("TWIN_VAN", "2750.0"), "; tail", ";the end"});

struct Opened {
    MemoryFiles files;
    DocumentSession session;
    std::vector<unsigned> notices;

    explicit Opened(const std::string& bytes, const std::string& path = "handling.cfg",
                    DataFileKind kind = DataFileKind::Handling, bool warnings = false) {
        files.files[path] = bytes;
        session.listWarnings(warnings, LanguageTable());
        session.addObserver(
            [this](const SessionChange& change) { notices.push_back(change.what); });
        const OpenOutcome outcome = session.openFile(path, kind, files, LanguageTable());
        if (outcome.status != OpenOutcome::Status::Opened) {
            qFatal("the test file does not open");
        }
    }
    const EditorDocument& document() const { return session.document(); }
    std::vector<std::string> masses() const {
        std::vector<std::string> list;
        for (const HandlingRecord& record : document().HandlingRecords) {
            list.push_back(std::string(record.name()) + "=" + std::string(record[F::Gewicht]));
        }
        return list;
    }
    // How many records a fresh session reads from the saved file.
    std::size_t reopenedCount(const std::string& path = "handling.cfg") {
        DocumentSession again;
        again.openFile(path, DataFileKind::Handling, files, LanguageTable());
        return again.document().HandlingRecords.size();
    }
};

std::string fileBytes(const QString& path) {
    return testing::contents(path).toStdString();
}

DataFileKind kindOf(const QString& path) {
    if (path.endsWith(QLatin1String(".ide"))) {
        return DataFileKind::VehicleDefs;
    }
    return path.endsWith(QLatin1String(".dat")) ? DataFileKind::CarColours : DataFileKind::Handling;
}

// The records of a document as the lines a save writes for them: the
// palette in its order (a colour's number is its place), the others sorted.
std::vector<std::string> recordLines(const EditorDocument& document) {
    std::vector<std::string> lines;
    const auto sorted = [&lines](const auto& records, auto format) {
        std::vector<std::string> part;
        for (const auto& record : records) {
            part.push_back(format(record));
        }
        std::sort(part.begin(), part.end());
        lines.insert(lines.end(), part.begin(), part.end());
    };
    switch (document.kind) {
        case DataFileKind::Handling:
            sorted(document.HandlingRecords, FormatHandlingLine);
            break;
        case DataFileKind::VehicleDefs:
            sorted(document.VehicleDefRecords, FormatVehicleDefLine);
            break;
        case DataFileKind::CarColours:
            for (const ColourTableEntry& entry : document.ColourEntries) {
                lines.push_back(FormatPaletteLine(entry));
            }
            sorted(document.CarColourRecords, FormatCarColourLine);
            break;
    }
    return lines;
}

std::vector<std::string> fileLines(const std::string& text) {
    const std::vector<std::string_view> lines = splitLines(text);
    return {lines.begin(), lines.end()};
}

// The lines of `after` that differ from `before` at the same place.
std::vector<std::string> changedLines(const std::string& before, const std::string& after) {
    const std::vector<std::string> a = fileLines(before);
    const std::vector<std::string> b = fileLines(after);
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
        if (i >= a.size() || i >= b.size() || a[i] != b[i]) {
            changed.push_back(i < b.size() ? b[i] : std::string("<gone>"));
        }
    }
    return changed;
}

const SaveOptions kKeepLayout{false, SaveLayout::KeepFile};
const QString kSamples = QStringLiteral(WENDRAKE_SAMPLES "/");

// A sample opened from memory, saved in its own layout.
struct KeptSample : Opened {
    explicit KeptSample(const QString& name)
        : Opened(fileBytes(kSamples + name), name.toStdString(), kindOf(name)),
          path(name.toStdString()),
          before(files.files[path]) {}

    SaveOutcome save() { return session.saveTo(path, files, kKeepLayout); }
    const std::string& saved() { return files.files[path]; }
    int recordOf(const std::string& name) const {
        return document().Autos.recordAt(document().Autos.indexOf(name));
    }
    // The records a fresh session reads from the saved file.
    std::vector<std::string> reopenedRecords() {
        DocumentSession again;
        again.openFile(path, kindOf(QString::fromStdString(path)), files, LanguageTable());
        return recordLines(again.document());
    }

    std::string path;
    std::string before;
};

enum class Edit {
    Mass,
    Rename,
    Author,
    Date,
    Frequency,
    Colour,
    ColourName,
    AddPair,
    RemovePair,
    MovePair
};

void apply(KeptSample& s, Edit edit) {
    DocumentSession& session = s.session;
    switch (edit) {
        case Edit::Mass:
            session.setHandlingValue(s.recordOf("STRADA"), F::Gewicht, "1450.0");
            break;
        case Edit::Rename:
            session.setHandlingValue(s.recordOf("PICKUP"), F::Autoname, "PICKUP_XL");
            break;
        case Edit::Author:
            session.setAuthor("Someone Else");
            break;
        case Edit::Date:
            session.setDate("2027-01-01");
            break;
        case Edit::Frequency:
            session.setVehicleDefValue(s.recordOf("MERIDIAN"), VehicleDefField::Frequenz, "13");
            break;
        case Edit::Colour:
            session.setColourComponents(4, 13, 34, 56);
            break;
        case Edit::ColourName:
            session.setColourName(9, "police");
            break;
        case Edit::AddPair:
            session.addPair(s.recordOf("cab"), 1, 2);
            break;
        case Edit::RemovePair:
            session.removePair(s.recordOf("patrol"), 0);
            break;
        case Edit::MovePair:
            session.movePair(s.recordOf("patrol"), 1, 0);
            break;
    }
}

// Edits of every sort a player makes in a file of the sample's kind, with
// repeated values, renames, an undoable revert and edits after it.
void editEverything(KeptSample& s) {
    DocumentSession& session = s.session;
    const HandlingReadTexts texts;
    switch (s.document().kind) {
        case DataFileKind::Handling:
            for (const char* typed : {"1", "14", "145", "1450.5"}) {
                session.setHandlingValue(s.recordOf("STRADA"), F::Gewicht, typed);
            }
            apply(s, Edit::Rename);
            apply(s, Edit::Author);
            apply(s, Edit::Date);
            session.importVehicles(dataLine("STRADA") + "\r\n", texts, "", ImportPolicy::KeepBoth);
            session.importVehicles(
                dataLine("STRADA", "999.0") + "\r\n" + dataLine("OTHER") + "\r\n", texts, "",
                ImportPolicy::Replace);
            session.revertToSaved();
            session.setHandlingValue(s.recordOf("STRADA"), F::Flags, "ABCD");
            session.setHandlingValue(2, F::Autoname, "AAA_FIRST");
            // A copy between vehicles: one cell set twice, a name among them.
            session.setValues({{0, static_cast<int>(F::Gewicht), "7"},
                               {1, static_cast<int>(F::Gewicht), "8"},
                               {0, static_cast<int>(F::Gewicht), "9"},
                               {1, static_cast<int>(F::Autoname), "AAA_COPY"}});
            break;
        case DataFileKind::VehicleDefs:
            apply(s, Edit::Frequency);
            session.setVehicleDefValue(s.recordOf("MERIDIAN"), VehicleDefField::HandlingID, "ZED");
            session.revertToSaved();
            session.setVehicleDefValue(0, VehicleDefField::ModelName, "other");
            session.setValues({{0, static_cast<int>(VehicleDefField::ModelName), "again"},
                               {1, static_cast<int>(VehicleDefField::ModelName), "too"}});
            break;
        case DataFileKind::CarColours:
            apply(s, Edit::Colour);
            apply(s, Edit::ColourName);
            session.addColour();
            apply(s, Edit::AddPair);
            apply(s, Edit::MovePair);
            apply(s, Edit::RemovePair);
            session.setPairs({{s.recordOf("cab"), {1, 2}, {3, 4}},
                              {s.recordOf("patrol"), {5}, {6}},
                              {s.recordOf("cab"), {7}, {8}}});
            session.setPairs({{s.recordOf("patrol"), {0}, {1}}});
            session.deleteColour(1);
            session.revertToSaved();
            session.addColour();
            session.setColourName(0, "darkest");
            session.deleteColour(2);
            break;
    }
}

}  // namespace

class SessionTests : public QObject {
    Q_OBJECT
  private slots:
    // Only the session changes the saved state: an edit marks the document
    // unsaved, a value equal to the stored one is no edit, a revert restores
    // the records as saved, and a save commits.
    void savedStateFollowsEditsAndSaves() {
        Opened o(kHandling);
        QVERIFY(o.session.isSaved());
        QVERIFY(o.session.setHandlingValue(1, F::Gewicht, "1500.0"));
        QVERIFY(o.session.isSaved());
        QVERIFY(o.session.setHandlingValue(1, F::Gewicht, "1600.0"));
        QVERIFY(!o.session.isSaved());
        QVERIFY(o.notices.back() & Change::SavedState);
        o.session.setAuthor("Someone else");
        o.session.revertToSaved();
        QCOMPARE(o.document().HandlingRecords, o.document().HandlingSnapshot);
        QCOMPARE(o.document().Author, std::string("Jo"));
        QVERIFY(o.session.isSaved());
        QVERIFY(o.notices.back() & Change::SavedState);
        o.session.setAuthor("Someone else");
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        QVERIFY(o.session.isSaved());
        // A record that does not exist takes no edit.
        QVERIFY(!o.session.setHandlingValue(3, F::Gewicht, "1"));
        QVERIFY(!o.session.setVehicleDefValue(0, VehicleDefField::ID, "1"));
        // Colours and pairs belong to another kind of file.
        QCOMPARE(o.session.addColour(), -1);
        QVERIFY(!o.session.addPair(0, 0, 0));
        QVERIFY(o.session.isSaved());
    }

    // A record is changed while it differs from the file as last opened or
    // saved: an edit taken back, a revert or a save make it unchanged, and a
    // vehicle added since is changed.
    void recordIsChangedWhileItDiffersFromTheSave() {
        Opened o(kHandling);
        const auto changed = [&o] {
            std::vector<int> records;
            for (int record = -1; record <= 4; ++record) {
                if (o.session.recordDiffersFromSaved(record)) {
                    records.push_back(record);
                }
            }
            return records;
        };
        QCOMPARE(changed(), std::vector<int>{});
        o.session.setHandlingValue(2, F::Gewicht, "1.0");
        QCOMPARE(changed(), std::vector<int>{2});
        o.session.setHandlingValue(2, F::Gewicht, "2750.0");
        QCOMPARE(changed(), std::vector<int>{});
        o.session.importVehicles(join({dataLine("NOVA")}), HandlingReadTexts{}, "",
                                 ImportPolicy::KeepBoth);
        o.session.setHandlingValue(0, F::Autoname, "RENAMED");
        QCOMPARE(changed(), (std::vector<int>{0, 3}));
        o.session.revertToSaved();
        QCOMPARE(changed(), std::vector<int>{});
        o.session.setHandlingValue(1, F::Gewicht, "1.0");
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        QCOMPARE(changed(), std::vector<int>{});

        Opened colours("col\r\n0,0,0\t# 0 black\r\nend\r\ncar\r\nvan, 0, 0\r\nend\r\n",
                       "carcols.dat", DataFileKind::CarColours);
        QVERIFY(colours.session.addPair(0, 0, 0));
        QVERIFY(colours.session.recordDiffersFromSaved(0));
    }

    // The list keeps a renamed entry where it was, but a save writes the
    // vehicles in sorted order, so the saved file saves again unchanged.
    void renamedVehicleIsSavedInItsSortedPlace() {
        Opened o(kHandling);
        o.session.setHandlingValue(1, F::Autoname, "ZEPHYR");  // ARROW, the first entry
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        const std::string first = o.files.files["handling.cfg"];
        QVERIFY(first.find("TWIN_VAN") < first.find("ZEPHYR"));
        DocumentSession again;
        again.openFile("handling.cfg", DataFileKind::Handling, o.files, LanguageTable());
        QCOMPARE(again.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        QCOMPARE(o.files.files["handling.cfg"], first);
    }

    // A value emptied in a box would move every later value of the line into
    // the wrong field: the save names it and writes nothing.
    void saveRefusesAnEmptyValue() {
        Opened o(kHandling);
        const std::string before = o.files.files["handling.cfg"];
        o.session.setHandlingValue(2, F::Gewicht, "");
        const SaveOutcome outcome = o.session.saveTo("handling.cfg", o.files);
        QCOMPARE(outcome.status, SaveOutcome::Status::MissingValue);
        QCOMPARE(outcome.missing.record, 2);
        QCOMPARE(outcome.missing.field, static_cast<int>(F::Gewicht));
        QCOMPARE(o.files.files["handling.cfg"], before);
        QVERIFY(!o.session.isSaved());
        o.session.setHandlingValue(2, F::Gewicht, "2750.0");
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
    }

    // A leading UTF-8 byte order mark is no part of the first line: it is
    // skipped when reading and kept when writing.
    void byteOrderMarkIsSkippedAndKept_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("handling") << int(DataFileKind::Handling)
                                  << QByteArray::fromStdString(join({dataLine("ARROW")}))
                                  << QByteArray("ARROW");
        QTest::newRow("vehicle definitions")
            << int(DataFileKind::VehicleDefs)
            << QByteArray("cars\r\n90, van, van, car, VAN, VAN, big, 10, 7, 0\r\nend\r\n")
            << QByteArray("VAN");
        QTest::newRow("car colours")
            << int(DataFileKind::CarColours)
            << QByteArray("col\r\n0,0,0\t# 0 black\r\nend\r\ncar\r\nvan, 0, 0\r\nend\r\n")
            << QByteArray("van");
    }

    void byteOrderMarkIsSkippedAndKept() {
        QFETCH(int, kind);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, name);
        const std::string mark = "\xEF\xBB\xBF";
        Opened o(mark + file.toStdString(), "file", static_cast<DataFileKind>(kind));
        QCOMPARE(o.document().Autos.entries(), std::vector<std::string>{name.toStdString()});
        QCOMPARE(o.session.saveTo("file", o.files).status, SaveOutcome::Status::Saved);
        const std::string saved = o.files.files["file"];
        QVERIFY(saved.starts_with(mark + "#") || saved.starts_with(mark + ";"));
        QCOMPARE(saved.find(mark, 1), std::string::npos);
    }

    // Before the first save over a file in a session, the file as it is on
    // disk goes to NAME.backup, unless that exists.
    void backupBeforeTheFirstSave() {
        Opened o(kHandling);
        o.session.setHandlingValue(1, F::Gewicht, "1.0");
        const SaveOptions backup{true};
        SaveOutcome outcome = o.session.saveTo("handling.cfg", o.files, backup);
        QCOMPARE(outcome.backupPath, std::string("handling.cfg.backup"));
        QCOMPARE(o.files.files["handling.cfg.backup"], kHandling);
        o.session.setHandlingValue(1, F::Gewicht, "2.0");
        outcome = o.session.saveTo("handling.cfg", o.files, backup);
        QVERIFY(outcome.backupPath.empty());
        QCOMPARE(o.files.files["handling.cfg.backup"], kHandling);
        // A file this session wrote (Save As) holds nothing to keep a copy of.
        QVERIFY(o.session.saveTo("mod.cfg", o.files, backup).backupPath.empty());
        o.session.setHandlingValue(1, F::Gewicht, "3.0");
        QVERIFY(o.session.saveTo("mod.cfg", o.files, backup).backupPath.empty());
        QVERIFY(!o.files.files.contains("mod.cfg.backup"));

        Opened existing(kHandling);
        existing.files.files["handling.cfg.backup"] = "older";
        QVERIFY(existing.session.saveTo("handling.cfg", existing.files, backup).backupPath.empty());
        QCOMPARE(existing.files.files["handling.cfg.backup"], std::string("older"));

        // A backup that cannot be written stops the save.
        Opened failing(kHandling);
        failing.files.failWrites = true;
        QCOMPARE(failing.session.saveTo("handling.cfg", failing.files, backup).status,
                 SaveOutcome::Status::BackupFailed);
        QCOMPARE(failing.files.files.size(), std::size_t{1});
    }

    // Names that stand more than once and pair values that name no colour are
    // reported; rows of an earlier file never stay. Pair and palette edits
    // check the pair values again.
    void checksReportRepeatedNamesAndUnknownColours() {
        Opened o(kHandling);
        QCOMPARE(o.document().Errors.size(), std::size_t{1});
        QCOMPARE(o.document().Errors[0].car(), std::string("TWIN_VAN"));
        MemoryFiles& files = o.files;
        files.files["carcols.dat"] =
            "col\r\n0,0,0\t# 0 black\r\nend\r\ncar\r\nvan, 0, 9, -1, 0\r\nend\r\n";
        QCOMPARE(o.session.openFile("carcols.dat", DataFileKind::CarColours, files, LanguageTable())
                     .status,
                 OpenOutcome::Status::Opened);
        QStringList errors;
        for (const ErrorListEntry& row : o.document().Errors) {
            errors << QString::fromStdString(row.car() + "|" + row.error);
        }
        QCOMPARE(errors, (QStringList{"van|names no colour of the palette: 9",
                                      "van|names no colour of the palette: -1"}));
        QVERIFY(o.session.addPair(0, 0, 1));
        QCOMPARE(o.document().Errors.size(), std::size_t{3});
        QCOMPARE(o.session.addColour(), 1);
        QCOMPARE(o.document().Errors.size(), std::size_t{2});
    }

    // Checking an unedited document again finds exactly the rows its opening
    // reported, in the same order: the rows an edit leaves are the reader's.
    // Opened without the vehicle list (as check opens it), it reports the same.
    void checkingAgainFindsTheRowsOfOpening_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("kind");
        const std::pair<const char*, DataFileKind> folders[] = {
            {"handling", DataFileKind::Handling},
            {"ide", DataFileKind::VehicleDefs},
            {"dat", DataFileKind::CarColours}};
        for (const auto& [folder, kind] : folders) {
            const QDir dir(testing::kTestData + folder);
            for (const QString& name : dir.entryList(QDir::Files)) {
                const QString fixture = QString::fromLatin1(folder) + "/" + name;
                QTest::newRow(qPrintable(fixture)) << fixture << static_cast<int>(kind);
            }
        }
    }
    void checkingAgainFindsTheRowsOfOpening() {
        QFETCH(QString, fixture);
        QFETCH(int, kind);
        DocumentSession session;
        const LanguageTable language;
        const std::string bytes = testing::contents(testing::kTestData + fixture).toStdString();
        if (session.openBytes("file", static_cast<DataFileKind>(kind), bytes, language)) {
            // A file that fails to open leaves no rows behind.
            QVERIFY(session.document().Errors.empty());
            return;
        }
        QCOMPARE(checkDocument(session.document(), checkTexts()), session.document().Errors);
        DocumentSession unlisted;
        QVERIFY(!unlisted.openBytes("file", static_cast<DataFileKind>(kind), bytes, language,
                                    Snapshot::Skipped, NameList::Skipped));
        QCOMPARE(unlisted.document().Errors, session.document().Errors);
        QVERIFY(unlisted.document().Autos.entries().empty());
    }

    // Each edit checks only what it can change; whatever the edits, an
    // import among them included, the rows are those a full check gives, a
    // change of the rows is told and no other, and a revert brings back the
    // rows of opening. With warnings listed (as in the window), the rows
    // about each vehicle are found, and only rows that name it.
    void rowsAfterEveryEditAreThoseOfAFullCheck_data() {
        QTest::addColumn<bool>("warnings");
        QTest::newRow("errors") << false;
        QTest::newRow("with warnings") << true;
    }
    void rowsAfterEveryEditAreThoseOfAFullCheck() {
        QFETCH(bool, warnings);
        std::string shortLine = dataLine("SHORT");
        shortLine.resize(shortLine.rfind(' '));
        Opened o(join({dataLine("TWIN_VAN", "heavy"), dataLine("ARROW"),
                       dataLine("TWIN_VAN", "2750.0"), shortLine}),
                 "handling.cfg", DataFileKind::Handling, warnings);
        const auto rowsAboutAreFound = [&o] {
            const ErrorRows& rows = o.document().Errors;
            std::set<const ErrorListEntry*> found;
            for (int k = 0; k < static_cast<int>(o.document().HandlingRecords.size()); ++k) {
                const std::string_view name = o.document().HandlingRecords[k].name();
                for (const ErrorListEntry* row : o.session.rowsAbout(k)) {
                    if (row->car() != name) {
                        return false;
                    }
                    found.insert(row);
                }
            }
            return std::all_of(rows.begin(), rows.end(), [&](const ErrorListEntry& row) {
                return found.contains(&row) || o.document().Autos.indexOf(row.car()) < 0;
            });
        };
        struct Edit {
            int record;
            F field;
            const char* value;
        };
        const Edit edits[] = {
            {1, F::Gewicht, "x"},         {1, F::Gewicht, "1.0"},    {3, F::Autoname, "ARROW"},
            {1, F::Autoname, "9"},        {3, F::RearLichter, "1"},  {2, F::Gewicht, ""},
            {1, F::Autoname, "TWIN_VAN"}, {0, F::Autoname, "ONE"},   {0, F::Gewicht, "5"},
            {3, F::MotorTyp, "7"},        {3, F::Autoname, "SHORT"}, {2, F::Gewicht, "2"},
            {2, F::Gewicht, "3"},         {0, F::Gewicht, "90000"}};
        QCOMPARE(checkDocument(o.document(), checkTexts(warnings)), o.document().Errors);
        const ErrorRows opened = o.document().Errors;
        int step = 0;
        for (const Edit& edit : edits) {
            if (++step == 6) {
                o.session.importVehicles(
                    join({dataLine("NOVA", "?"), dataLine("ARROW"), dataLine("HULK", "90000")}),
                    HandlingReadTexts::fromLanguage(LanguageTable()), "", ImportPolicy::KeepBoth);
                // Until the next edit the imported rows follow the others,
                // with the warnings of the imported values.
                const ErrorRows& rows = o.document().Errors;
                QCOMPARE(std::count_if(rows.begin(), rows.end(),
                                       [](const ErrorListEntry& row) {
                                           return row.car() == "HULK" &&
                                                  row.severity == Severity::Warning;
                                       }),
                         warnings ? 1 : 0);
            }
            const ErrorRows before = o.document().Errors;
            o.notices.clear();
            QVERIFY(o.session.setHandlingValue(edit.record, edit.field, edit.value));
            const QByteArray where = "after edit " + QByteArray::number(step);
            QVERIFY2(o.document().Errors == checkDocument(o.document(), checkTexts(warnings)),
                     where);
            QVERIFY2(rowsAboutAreFound(), where);
            QCOMPARE(o.notices.size(), std::size_t{1});
            QVERIFY2(((o.notices[0] & Change::Errors) != 0) == !(o.document().Errors == before),
                     where);
        }
        o.session.revertToSaved();
        QVERIFY(o.document().Errors == opened);
    }

    // Deleting a colour moves the pairs of the colours after it down by one;
    // a value that names no colour stays as the file has it.
    void deletingAColourKeepsUnknownPairValues() {
        Opened o(
            "col\r\n0,0,0\t# 0 black\r\n9,9,9\t# 1 grey\r\n1,1,1\t# 2 white\r\nend\r\n"
            "car\r\nvan, 2, 1, 2, 3, 99, -1\r\nend\r\n",
            "carcols.dat", DataFileKind::CarColours);
        QVERIFY(o.session.deleteColour(1));
        const CarColourRecord& van = o.document().CarColourRecords[0];
        QCOMPARE(van.Color1, (std::vector<std::int16_t>{1, 1, 99}));
        QCOMPARE(van.Color2, (std::vector<std::int16_t>{0, 3, -1}));
    }

    // Importing names the file holds already: kept both, every record gets
    // its entry as reopening would give; replaced, they take the imported
    // values in their places. A refused import changes nothing.
    void importKeepsBothOrReplaces() {
        const std::string exchange =
            join({"; exchange", dataLine("TWIN_VAN", "9.0"), dataLine("NOVA", "8.0"),
                  dataLine("TWIN_VAN", "7.0"), dataLine("TWIN_VAN", "6.0")});
        {
            Opened o(kHandling);
            QCOMPARE(o.session.namesAlreadyPresent(exchange), std::vector<std::string>{"TWIN_VAN"});
            const ImportResult result =
                o.session.importVehicles(exchange, HandlingReadTexts{}, "", ImportPolicy::KeepBoth);
            QCOMPARE(result.addedRecords, 4);
            QCOMPARE(o.document().Autos.size(), 7);
            QVERIFY(!o.session.isSaved());
            o.session.saveTo("handling.cfg", o.files);
            QCOMPARE(o.reopenedCount(), std::size_t{7});
        }
        {
            Opened o(kHandling);
            const ImportResult result =
                o.session.importVehicles(exchange, HandlingReadTexts{}, "", ImportPolicy::Replace);
            QCOMPARE(result.replacedRecords, 2);
            QCOMPARE(result.addedRecords, 2);
            QCOMPARE(o.masses(),
                     (std::vector<std::string>{"TWIN_VAN=9.0", "ARROW=1500.0", "TWIN_VAN=7.0",
                                               "NOVA=8.0", "TWIN_VAN=6.0"}));
            QCOMPARE(
                o.document().Autos.entries(),
                (std::vector<std::string>{"ARROW", "NOVA", "TWIN_VAN", "TWIN_VAN", "TWIN_VAN"}));
        }
        {
            Opened o(kHandling);
            std::string huge;
            for (int k = 0; k < kTableLimit; ++k) {
                huge += dataLine("V" + std::to_string(k)) + "\r\n";
            }
            const ImportResult result = o.session.importVehicles(
                huge, HandlingReadTexts{}, "too many", ImportPolicy::KeepBoth);
            QVERIFY(result.failure);
            QCOMPARE(o.document().HandlingRecords.size(), std::size_t{3});
            QCOMPARE(o.document().Autos.size(), 3);
            QVERIFY(o.session.isSaved());
        }
        // Notepad's encodings: "UTF-8 with BOM" imports the first vehicle
        // under its own name; "Unicode" (UTF-16) is refused unchanged.
        {
            Opened o(kHandling);
            const std::string firstLineAVehicle = exchange.substr(exchange.find('\n') + 1);
            o.session.importVehicles("\xEF\xBB\xBF" + firstLineAVehicle, HandlingReadTexts{}, "",
                                     ImportPolicy::Replace);
            QCOMPARE(o.masses().front(), std::string("TWIN_VAN=9.0"));
        }
        {
            Opened o(kHandling);
            std::string utf16 = "\xFF\xFE";
            for (const char letter : exchange) {
                utf16 += {letter, '\0'};
            }
            HandlingReadTexts texts;
            texts.utf16Refused = "UTF-16";
            const ImportResult result =
                o.session.importVehicles(utf16, texts, "", ImportPolicy::KeepBoth);
            QVERIFY(result.failure);
            QCOMPARE(result.failure->description, std::string("UTF-16"));
            QCOMPARE(o.document().HandlingRecords.size(), std::size_t{3});
            QVERIFY(o.session.isSaved());
        }
    }

    // Only text that is UTF-16 through and through is refused: a first
    // vehicle whose name starts with the two bytes of its mark opens, and
    // saves to a file that opens again.
    void onlyUtf16ThroughAndThroughIsRefused() {
        const std::string line = dataLine(
            "\xFF\xFE"
            "CAR");
        Opened o(line + "\r\n");
        QCOMPARE(o.document().HandlingRecords.size(), std::size_t{1});
        o.session.saveTo("handling.cfg", o.files, kKeepLayout);
        QCOMPARE(o.reopenedCount(), std::size_t{1});

        std::string utf16 = "\xFF\xFE";
        for (const char letter : line + "\r\n") {
            utf16 += {letter, '\0'};
        }
        MemoryFiles files;
        files.files["utf16.cfg"] = utf16;
        DocumentSession session;
        const OpenOutcome outcome =
            session.openFile("utf16.cfg", DataFileKind::Handling, files, LanguageTable());
        QCOMPARE(outcome.status, OpenOutcome::Status::Invalid);
        QVERIFY(outcome.readFailure && outcome.readFailure->messageOnly);
    }

    // Keeping the file's layout, an unedited document saves to the very
    // bytes of its file (after the line-end repair of opening), whatever the
    // file: header, blank lines, odd spacing, comments and all.
    void keptLayoutSavesAnUneditedFileAsItIs_data() {
        QTest::addColumn<QString>("path");
        QDirIterator files(QStringLiteral(WENDRAKE_TEST_DATA), QDir::Files,
                           QDirIterator::Subdirectories);
        QStringList paths = {kSamples + "handling.cfg", kSamples + "default.ide",
                             kSamples + "carcols.dat"};
        while (files.hasNext()) {
            paths << files.next();
        }
        for (const QString& path : paths) {
            MemoryFiles memory;
            memory.files["f"] = fileBytes(path);
            DocumentSession session;
            if (session.openFile("f", kindOf(path), memory, LanguageTable()).status ==
                OpenOutcome::Status::Opened) {
                QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
            }
        }
    }

    void keptLayoutSavesAnUneditedFileAsItIs() {
        QFETCH(QString, path);
        Opened o(fileBytes(path), "f", kindOf(path));
        const std::string opened = o.files.files["f"];
        const SaveOutcome outcome = o.session.saveTo("f", o.files, kKeepLayout);
        QCOMPARE(outcome.status, SaveOutcome::Status::Saved);
        QVERIFY(!outcome.layoutChanged);
        QCOMPARE(QByteArray::fromStdString(o.files.files["f"]), QByteArray::fromStdString(opened));
    }

    // One value changed changes exactly that one line, in its place; the
    // saved file reads back as the document, and saving it again changes
    // nothing more. The edit undone and saved again gives back the file's
    // lines in their places: the undone record stays on its own line
    // (written anew in the standard form where it was not in it).
    void keptLayoutChangesOneLinePerEdit_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<int>("edit");
        QTest::addColumn<QByteArray>("line");  // the line as written
        QTest::newRow("mass") << "handling.cfg" << int(Edit::Mass)
                              << QByteArray("STRADA          1450.0 2.0 1.4 4.6");
        QTest::newRow("name") << "handling.cfg" << int(Edit::Rename)
                              << QByteArray("PICKUP_XL       1800.0 ");
        QTest::newRow("author") << "handling.cfg" << int(Edit::Author)
                                << QByteArray("; Author: Someone Else");
        QTest::newRow("date") << "handling.cfg" << int(Edit::Date)
                              << QByteArray("; Created 2027-01-01");
        QTest::newRow("frequency") << "default.ide" << int(Edit::Frequency)
                                   << QByteArray("304,\tmeridian,\tmeridian,\tcar,\tMERIDIAN,\t");
        QTest::newRow("colour") << "carcols.dat" << int(Edit::Colour)
                                << QByteArray("13,34,56\t\t\t# 4 teal");
        QTest::newRow("colour name") << "carcols.dat" << int(Edit::ColourName)
                                     << QByteArray("24,40,120\t\t\t# 9 police\t\tblue");
        QTest::newRow("pair added")
            << "carcols.dat" << int(Edit::AddPair) << QByteArray("cab, 14, 0, 1, 2");
        QTest::newRow("pair removed")
            << "carcols.dat" << int(Edit::RemovePair) << QByteArray("patrol, 9, 1");
        QTest::newRow("pair moved")
            << "carcols.dat" << int(Edit::MovePair) << QByteArray("patrol, 9, 1, 0, 1");
    }

    void keptLayoutChangesOneLinePerEdit() {
        QFETCH(QString, sample);
        QFETCH(int, edit);
        QFETCH(QByteArray, line);
        KeptSample s(sample);
        std::vector<DocumentEdit> edits;
        s.session.setEditRecorder(
            [&edits](DocumentEdit recorded) { edits.push_back(std::move(recorded)); });
        apply(s, static_cast<Edit>(edit));
        QVERIFY(!s.session.isSaved());
        QCOMPARE(s.save().status, SaveOutcome::Status::Saved);
        const std::vector<std::string> changed = changedLines(s.before, s.saved());
        QCOMPARE(changed.size(), std::size_t{1});
        QVERIFY2(changed.front().starts_with(line.toStdString()), changed.front().c_str());
        QCOMPARE(s.reopenedRecords(), recordLines(s.document()));
        const std::string first = s.saved();
        QCOMPARE(s.save().status, SaveOutcome::Status::Saved);
        QCOMPARE(QByteArray::fromStdString(s.saved()), QByteArray::fromStdString(first));

        QCOMPARE(edits.size(), std::size_t{1});
        QVERIFY(s.session.undo(edits.back()));
        const SaveOutcome undone = s.save();
        QCOMPARE(undone.status, SaveOutcome::Status::Saved);
        QVERIFY(!undone.layoutChanged);
        const QList<QByteArray> saved = QByteArray::fromStdString(s.saved()).split('\n');
        const QList<QByteArray> before = QByteArray::fromStdString(s.before).split('\n');
        QCOMPARE(saved.size(), before.size());
        for (qsizetype k = 0; k < saved.size(); ++k) {
            QCOMPARE(saved[k].simplified().replace(" ", ""),
                     before[k].simplified().replace(" ", ""));
        }
    }

    // Vehicles added by an import come after the last vehicle line, and a
    // vehicle replaced by one keeps its line; a new colour ends its section.
    void keptLayoutAddsRecordsAtTheEndOfTheirBlock() {
        KeptSample h("handling.cfg");
        const std::string exchange = join({dataLine("NOVA", "8.0"), dataLine("STRADA", "9.0")});
        h.session.importVehicles(exchange, HandlingReadTexts{}, "", ImportPolicy::Replace);
        QCOMPARE(h.save().status, SaveOutcome::Status::Saved);
        std::vector<std::string> expected = fileLines(h.before);
        const auto at = [&expected](std::string_view start) {
            return std::find_if(expected.begin(), expected.end(),
                                [start](const std::string& l) { return l.starts_with(start); });
        };
        *at("STRADA ") = FormatHandlingLine(h.document().HandlingRecords[h.recordOf("STRADA")]);
        expected.insert(at("FIRE_ENGINE ") + 1,
                        FormatHandlingLine(h.document().HandlingRecords.back()));
        QCOMPARE(fileLines(h.saved()), expected);
        QCOMPARE(h.reopenedRecords(), recordLines(h.document()));

        KeptSample c("carcols.dat");
        QCOMPARE(c.session.addColour(), 20);
        QCOMPARE(c.save().status, SaveOutcome::Status::Saved);
        expected = fileLines(c.before);
        expected.insert(at("0,0,255\t") + 1, "0,128,255\t\t\t# 20 Color20");
        QCOMPARE(fileLines(c.saved()), expected);
    }

    // A deleted colour's line goes; the colours after it are renumbered and
    // so are the pairs that name them. Every other line stays as it stands.
    void keptLayoutRemovesDeletedColours() {
        KeptSample c("carcols.dat");
        QVERIFY(c.session.deleteColour(18));  // pink: pony's pair (18, 1) becomes (0, 1)
        QCOMPARE(c.save().status, SaveOutcome::Status::Saved);
        std::vector<std::string> expected;
        for (const std::string& line : fileLines(c.before)) {
            if (line.starts_with("0,0,255")) {
                expected.push_back("0,0,255\t\t\t\t# 18 blue");
            } else if (line.starts_with("pony")) {
                expected.push_back("pony, 10, 1, 14, 0, 0, 1, 17, 1");
            } else if (line.starts_with("skiff")) {
                expected.push_back("skiff, 1, 18, 6, 1");
            } else if (line.find("# 18 pink") == std::string::npos) {
                expected.push_back(line);
            }
        }
        QCOMPARE(fileLines(c.saved()), expected);
        QCOMPARE(c.reopenedRecords(), recordLines(c.document()));
    }

    // The file on disk changed since it was opened: a save that keeps the
    // layout still writes every record once, and says when it could not keep
    // a record on its line.
    void keptLayoutSurvivesAFileChangedOnDisk_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QByteArray>("from");  // a text of the file on disk...
        QTest::addColumn<QByteArray>("to");    // ...replaced by another program
        QTest::addColumn<bool>("layoutKept");
        QTest::newRow("comment added") << "handling.cfg" << QByteArray("FIRE_ENGINE")
                                       << QByteArray("; new\r\nFIRE_ENGINE") << true;
        QTest::newRow("vehicle line changed")
            << "handling.cfg" << QByteArray("MERIDIAN        1550.0")
            << QByteArray("MERIDIAN        1551.0") << false;
        QTest::newRow("vehicle line added")
            << "handling.cfg" << QByteArray(";the end")
            << QByteArray("EXTRA_CAR       1.0 2.0\r\n;the end") << true;
        QTest::newRow("all vehicle lines gone")
            << "handling.cfg" << QByteArray("COMET_GT ") << QByteArray("; COMET_GT ") << false;
        QTest::newRow("cars section gone")
            << "default.ide" << QByteArray("\r\ncars\r\n") << QByteArray("\r\nkars\r\n") << false;
        QTest::newRow("colours swapped")
            << "carcols.dat" << QByteArray("8,8,10\t\t\t\t# 0 black\r\n244,244,240\t\t\t# 1 white")
            << QByteArray("244,244,240\t\t\t# 1 white\r\n8,8,10\t\t\t\t# 0 black") << false;
    }

    void keptLayoutSurvivesAFileChangedOnDisk() {
        QFETCH(QString, sample);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, layoutKept);
        KeptSample s(sample);
        apply(s, sample.endsWith(".cfg")   ? Edit::Mass
                 : sample.endsWith(".ide") ? Edit::Frequency
                                           : Edit::AddPair);
        std::string& disk = s.files.files[s.path];
        const std::size_t at = disk.find(from.toStdString());
        QVERIFY(at != std::string::npos);
        disk.replace(at, static_cast<std::size_t>(from.size()), to.toStdString());
        const SaveOutcome outcome = s.save();
        QCOMPARE(outcome.status, SaveOutcome::Status::Saved);
        QCOMPARE(outcome.layoutChanged, !layoutKept);
        QCOMPARE(s.reopenedRecords(), recordLines(s.document()));
        // What the other program wrote beside the records stays.
        QCOMPARE(s.saved().find("; new\r\nFIRE_ENGINE") != std::string::npos, to.contains("; new"));
    }

    // Undoing every edit in turn gives back the bytes a save of the opened
    // file writes, and the saved state; redoing them gives the edited bytes.
    void undoingEveryEditGivesTheSavedFile_data() {
        QTest::addColumn<QString>("sample");
        QTest::newRow("handling") << "handling.cfg";
        QTest::newRow("vehicle definitions") << "default.ide";
        QTest::newRow("car colours") << "carcols.dat";
    }

    void undoingEveryEditGivesTheSavedFile() {
        QFETCH(QString, sample);
        KeptSample s(sample);
        std::vector<DocumentEdit> edits;
        s.session.setEditRecorder(
            [&edits](DocumentEdit edit) { edits.push_back(std::move(edit)); });
        const std::string savedText = s.session.buildSaveText(s.before);
        const VehicleList savedList = s.document().Autos;
        const ErrorRows savedErrors = s.document().Errors;
        editEverything(s);
        const std::string editedText = s.session.buildSaveText(s.before);
        QVERIFY(editedText != savedText);
        QVERIFY(!s.session.isSaved());

        for (auto edit = edits.rbegin(); edit != edits.rend(); ++edit) {
            QVERIFY(s.session.undo(*edit));
        }
        QCOMPARE(s.session.buildSaveText(s.before), savedText);
        QVERIFY(s.document().Autos == savedList);
        QVERIFY(s.document().Errors == savedErrors);
        QVERIFY(s.session.isSaved());
        // An edit applies only in the state it started from or left.
        QVERIFY(!s.session.undo(edits.front()));

        for (const DocumentEdit& edit : edits) {
            QVERIFY(s.session.redo(edit));
        }
        QCOMPARE(s.session.buildSaveText(s.before), editedText);
        QVERIFY(!s.session.isSaved());
    }

    // Pairs given to many models are one step; what a model cannot hold is
    // left out, and nothing changed is no step.
    void pairsOfManyModelsAreOneStep() {
        KeptSample s("carcols.dat");
        std::vector<DocumentEdit> edits;
        s.session.setEditRecorder(
            [&edits](DocumentEdit edit) { edits.push_back(std::move(edit)); });
        const int cab = s.recordOf("cab");
        const int patrol = s.recordOf("patrol");
        const CarColourRecord cabBefore = s.document().CarColourRecords[std::size_t(cab)];
        QCOMPARE(s.session.setPairs({{cab, {1}, {2}},
                                     {patrol, {3}, {4, 5}},
                                     {patrol, {}, {}},
                                     {-1, {1}, {1}},
                                     {patrol, {3}, {4}}}),
                 2);
        QCOMPARE(edits.size(), std::size_t{1});
        QCOMPARE(s.document().CarColourRecords[std::size_t(patrol)].Color2,
                 std::vector<std::int16_t>{4});
        QCOMPARE(s.session.setPairs({{cab, {1}, {2}}}), 0);
        QCOMPARE(edits.size(), std::size_t{1});
        QVERIFY(s.session.undo(edits.front()));
        QVERIFY(s.document().CarColourRecords[std::size_t(cab)] == cabBefore);
        QVERIFY(s.session.isSaved());
    }

    // Several values are one step: values of no record and unchanged ones
    // are skipped, the rows are those of a full check, and the list follows
    // a rename.
    void severalValuesAreOneStep() {
        Opened o(kHandling);
        std::vector<DocumentEdit> edits;
        o.session.setEditRecorder(
            [&edits](DocumentEdit edit) { edits.push_back(std::move(edit)); });
        const ErrorRows savedErrors = o.document().Errors;
        const int mass = static_cast<int>(F::Gewicht);
        const int changed = o.session.setValues(
            {{0, mass, "1"},
             {2, mass, "heavy"},
             {1, static_cast<int>(F::Autoname), "ZED"},
             {0, mass, "2"},
             {9, mass, "3"},
             {1, mass, std::string(o.document().HandlingRecords[1][F::Gewicht])}});
        QCOMPARE(changed, 4);
        QCOMPARE(edits.size(), std::size_t{1});
        QVERIFY(o.document().Errors == checkDocument(o.document(), checkTexts()));
        QVERIFY(!(o.document().Errors == savedErrors));
        QCOMPARE(o.document().Autos.at(o.document().Autos.entryOfRecord(1)), std::string("ZED"));
        QCOMPARE(o.session.setValues(
                     {{1, mass, std::string(o.document().HandlingRecords[1][F::Gewicht])}}),
                 0);
        QCOMPARE(edits.size(), std::size_t{1});

        QVERIFY(o.session.undo(edits[0]));
        QVERIFY(o.session.isSaved());
        QCOMPARE(o.masses(),
                 (std::vector<std::string>{"TWIN_VAN=2600.0", "ARROW=1500.0", "TWIN_VAN=2750.0"}));
        QVERIFY(o.document().Errors == savedErrors);
        QVERIFY(o.session.redo(edits[0]));
        QCOMPARE(o.masses(),
                 (std::vector<std::string>{"TWIN_VAN=2", "ZED=1500.0", "TWIN_VAN=heavy"}));
    }

    // A save is a point of the history: undoing back to it makes the
    // document saved again, typing does not merge across it, and opening
    // a file leaves nothing to undo.
    void savedStateFollowsTheHistory() {
        Opened o(kHandling);
        std::vector<DocumentEdit> edits;
        o.session.setEditRecorder(
            [&edits](DocumentEdit edit) { edits.push_back(std::move(edit)); });
        o.session.setHandlingValue(1, F::Gewicht, "1");
        o.session.setHandlingValue(1, F::Gewicht, "12");
        QVERIFY(o.session.mergeEdits(edits[0], edits[1]));
        QVERIFY(!o.session.mergeEdits(edits[0], edits[0]));
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        o.session.setHandlingValue(1, F::Gewicht, "123");
        QVERIFY(!o.session.mergeEdits(edits[0], edits[2]));
        o.session.setHandlingValue(0, F::Gewicht, "9");
        QVERIFY(!o.session.mergeEdits(edits[2], edits[3]));
        o.session.setHandlingValue(0, F::Flags, "0001");
        o.session.setHandlingValue(0, F::Flags, "0003");
        QVERIFY(!o.session.mergeEdits(edits[4], edits[5]));
        QVERIFY(o.session.undo(edits[5]) && o.session.undo(edits[4]));

        QVERIFY(o.session.undo(edits[3]));
        QVERIFY(o.session.undo(edits[2]));
        QVERIFY(o.session.isSaved());
        QVERIFY(o.session.undo(edits[0]));
        QVERIFY(!o.session.isSaved());
        QCOMPARE(o.document().HandlingRecords[1][F::Gewicht], std::string("1500.0"));
        QVERIFY(o.session.redo(edits[0]));
        QVERIFY(o.session.isSaved());

        o.session.openFile("handling.cfg", DataFileKind::Handling, o.files, LanguageTable());
        QVERIFY(!o.session.redo(edits[2]));
        QVERIFY(!o.session.undo(edits[0]));
    }

    // A step of whole tables holds the records it changed, not a copy of
    // the file: a history of reverts on a large file stays small.
    void revertStepHoldsOnlyWhatChanged() {
        Opened o(kHandling);
        std::vector<DocumentEdit> edits;
        o.session.setEditRecorder(
            [&edits](DocumentEdit edit) { edits.push_back(std::move(edit)); });
        o.session.setHandlingValue(2, F::Gewicht, "1");
        o.session.revertToSaved();
        const TablesChange& change = *std::get<TablesEdit>(edits.back().step).change;
        QCOMPARE(change.handling.before.size(), std::size_t{1});
        QCOMPARE(change.handling.after.size(), std::size_t{1});
        QVERIFY(!change.listChanged && change.errors.after.empty());
    }
};

QTEST_MAIN(SessionTests)
#include "tst_session.moc"
