#include <QtTest>

#include <algorithm>
#include <map>

#include "model/DocumentSession.h"
#include "model/HandlingLine.h"

using namespace wendrake;
using F = HandlingField;

namespace {

// Files in memory; a write or copy can be made to fail.
class MemoryFiles final : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    bool failWrites = false;

    bool exists(const std::string& path) override { return files.contains(path); }
    std::optional<FileFailure> read(const std::string& path, std::string& bytes) override {
        if (!exists(path)) {
            return FileFailure{5, "cannot read " + path};
        }
        bytes = files.at(path);
        return std::nullopt;
    }
    std::optional<FileFailure> write(const std::string& path, std::string_view bytes) override {
        if (failWrites) {
            return FileFailure{28, "No space left on device"};
        }
        files[path] = std::string(bytes);
        return std::nullopt;
    }
    std::optional<FileFailure> copy(const std::string& from, const std::string& to) override {
        std::string bytes;
        if (auto failure = read(from, bytes)) {
            return failure;
        }
        return write(to, bytes);
    }
};

std::string dataLine(const std::string& name, const std::string& mass = "1500.0") {
    return name + " " + mass +
           " 1.8 1.4 4.5 0.0 0.1 -0.2 70 1.1 0.8 0.5 5 120.0 20.0 R P 6.0 0.55 1 35.0 1.2 0.1 "
           "0.2 1.0 25000 0.3 -0.2 0.5 0022 2 3";
}

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

const std::string kHandling =
    crlf({"; Author: Jo", "; head", dataLine("TWIN_VAN", "2600.0"), dataLine("ARROW"),
          dataLine("TWIN_VAN", "2750.0"), "; tail", ";the end"});

struct Opened {
    MemoryFiles files;
    DocumentSession session;
    std::vector<unsigned> notices;

    explicit Opened(const std::string& bytes, const std::string& path = "handling.cfg",
                    DataFileKind kind = DataFileKind::Handling) {
        files.files[path] = bytes;
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
            list.push_back(record.name() + "=" + record[F::Gewicht]);
        }
        return list;
    }
    // The records a fresh session reads from the saved file, as lines in
    // the order a save writes them.
    std::vector<std::string> reopened(const std::string& path = "handling.cfg") {
        DocumentSession again;
        again.openFile(path, DataFileKind::Handling, files, LanguageTable());
        return lines(again.document().HandlingRecords);
    }
    std::vector<std::string> records() const { return lines(document().HandlingRecords); }

    static std::vector<std::string> lines(const std::vector<HandlingRecord>& records) {
        std::vector<std::string> sorted;
        for (const HandlingRecord& record : records) {
            sorted.push_back(FormatHandlingLine(record));
        }
        std::stable_sort(sorted.begin(), sorted.end());
        return sorted;
    }
};

std::size_t count(const std::string& text, const std::string& part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++found;
    }
    return found;
}

}  // namespace

class SessionTests : public QObject {
    Q_OBJECT
  private slots:
    // Only the session changes the saved state: an edit marks the document
    // unsaved, a value equal to the stored one is no edit, undo restores the
    // records but is no save, and a save commits.
    void savedStateFollowsEditsAndSaves() {
        Opened o(kHandling);
        QVERIFY(o.session.isSaved());
        QVERIFY(o.session.setHandlingValue(1, F::Gewicht, "1500.0"));
        QVERIFY(o.session.isSaved());
        QVERIFY(o.session.setHandlingValue(1, F::Gewicht, "1600.0"));
        QVERIFY(!o.session.isSaved());
        QVERIFY(o.notices.back() & Change::SavedState);
        o.session.revertToSaved();
        QCOMPARE(o.document().HandlingRecords, o.document().HandlingSnapshot);
        QVERIFY(!o.session.isSaved());
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        QVERIFY(o.session.isSaved());
        // A record that does not exist takes no edit.
        QVERIFY(!o.session.setHandlingValue(3, F::Gewicht, "1"));
        QVERIFY(!o.session.setVehicleDefValue(0, VehicleDefField::ID, "1"));
        QVERIFY(o.session.isSaved());
    }

    // An unedited document saves to the same records; saving twice writes
    // the same bytes.
    void unchangedDocumentSavesTheSameRecords() {
        Opened o(kHandling);
        const auto records = o.records();
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        const std::string first = o.files.files["handling.cfg"];
        QCOMPARE(o.reopened(), records);
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        QCOMPARE(o.files.files["handling.cfg"], first);
    }

    // Each entry of the list stands for its own record, also among vehicles
    // of one name; an edit reaches that record alone and both are saved.
    void twoVehiclesOfOneNameAreTwoEntries() {
        Opened o(kHandling);
        const VehicleList& list = o.document().Autos;
        QCOMPARE(list.entries(), (std::vector<std::string>{"ARROW", "TWIN_VAN", "TWIN_VAN"}));
        QCOMPARE(list.recordAt(1), 0);
        QCOMPARE(list.recordAt(2), 2);
        o.session.setHandlingValue(list.recordAt(2), F::Gewicht, "2800.0");
        QCOMPARE(o.masses(),
                 (std::vector<std::string>{"TWIN_VAN=2600.0", "ARROW=1500.0", "TWIN_VAN=2800.0"}));
        o.session.saveTo("handling.cfg", o.files);
        QCOMPARE(o.reopened(), o.records());
    }

    // A rename follows the record's own entry, which keeps its place.
    void renameChangesTheEntryOfItsRecord() {
        Opened o(kHandling);
        o.session.setHandlingValue(2, F::Autoname, "LATE_VAN");
        QCOMPARE(o.document().Autos.entries(),
                 (std::vector<std::string>{"ARROW", "TWIN_VAN", "LATE_VAN"}));
        QVERIFY(o.notices.back() & Change::List);
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

    // The file on disk may have been rewritten with other line ends since it
    // was opened: the save reads it as opening does, so no comment line is
    // lost and no vehicle is written twice.
    void saveRepairsTheLineEndsOnDisk_data() {
        QTest::addColumn<QByteArray>("ending");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }

    void saveRepairsTheLineEndsOnDisk() {
        QFETCH(QByteArray, ending);
        Opened o(kHandling);
        o.session.setHandlingValue(1, F::Gewicht, "1234.5");
        std::string rewritten = o.files.files["handling.cfg"];
        for (std::size_t at = rewritten.find("\r\n"); at != std::string::npos;
             at = rewritten.find("\r\n", at + ending.size())) {
            rewritten.replace(at, 2, ending.toStdString());
        }
        o.files.files["handling.cfg"] = rewritten;
        QCOMPARE(o.session.saveTo("handling.cfg", o.files).status, SaveOutcome::Status::Saved);
        const std::string saved = o.files.files["handling.cfg"];
        QCOMPARE(count(saved, "; head\r\n"), std::size_t{1});
        QCOMPARE(count(saved, "; tail\r\n"), std::size_t{1});
        QCOMPARE(count(saved, "ARROW "), std::size_t{1});
        QCOMPARE(o.reopened(), o.records());
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

    void failedWriteKeepsFileAndEdits() {
        Opened o(kHandling);
        const std::string before = o.files.files["handling.cfg"];
        o.session.setHandlingValue(1, F::Gewicht, "1.0");
        o.files.failWrites = true;
        const SaveOutcome outcome = o.session.saveTo("handling.cfg", o.files);
        QCOMPARE(outcome.status, SaveOutcome::Status::WriteFailed);
        QCOMPARE(outcome.failure->code, 28);
        QCOMPARE(o.files.files["handling.cfg"], before);
        QVERIFY(!o.session.isSaved());
        QVERIFY(o.document().HandlingSnapshot != o.document().HandlingRecords);
    }

    // A leading UTF-8 byte order mark is no part of the first line: it is
    // skipped when reading and kept when writing.
    void byteOrderMarkIsSkippedAndKept_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("handling") << int(DataFileKind::Handling)
                                  << QByteArray::fromStdString(crlf({dataLine("ARROW")}))
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
        QCOMPARE(count(saved, mark), std::size_t{1});
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

    // A vehicle definition file whose "cars" section is empty opens with
    // nothing to show, and nothing can be edited.
    void fileWithoutVehiclesTakesNoEdit() {
        Opened o("cars\r\nend\r\n", "default.ide", DataFileKind::VehicleDefs);
        QCOMPARE(o.session.selected(), -1);
        QVERIFY(!o.session.setVehicleDefValue(0, VehicleDefField::ID, "1"));
        QVERIFY(!o.session.setVehicleDefValue(o.session.selected(), VehicleDefField::ID, "1"));
        QVERIFY(o.session.isSaved());
    }

    // Importing names the file holds already: kept both, every record gets
    // its entry as reopening would give; replaced, they take the imported
    // values in their places. A refused import changes nothing.
    void importKeepsBothOrReplaces() {
        const std::string exchange =
            crlf({"; exchange", dataLine("TWIN_VAN", "9.0"), dataLine("NOVA", "8.0"),
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
            QCOMPARE(o.reopened().size(), std::size_t{7});
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
    }
};

QTEST_MAIN(SessionTests)
#include "tst_session.moc"
