// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "model/CarColourFile.h"
#include "model/ColourEditing.h"
#include "model/DocumentFiles.h"
#include "model/ExchangeFile.h"
#include "model/HandlingBuilder.h"
#include "model/HandlingLine.h"
#include "model/HandlingReader.h"
#include "model/NameFilter.h"
#include "model/Numeric.h"
#include "model/ProgramVersion.h"
#include "model/TextLines.h"
#include "model/ValueRanges.h"
#include "model/VehicleDefFile.h"
#include "model/VehicleImport.h"
#include "model/VehicleTable.h"
#include "support/RecordLines.h"
#include "support/TestFiles.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

const std::string kHandlingHeader = "; File created with Wendrake V" +
                                    std::string(kProgramVersion) +
                                    "\r\n; Homepage: https://wendrake.org/\r\n";
const std::string kHeader = "# File created with Wendrake V" + std::string(kProgramVersion) +
                            "\r\n# Homepage: https://wendrake.org/\r\n";
const CarColourReadTexts kColourTexts{"too few in line ", "not a number in line "};
constexpr int kHandling = static_cast<int>(DataFileKind::Handling);
constexpr int kVehicleDefs = static_cast<int>(DataFileKind::VehicleDefs);
constexpr int kCarColours = static_cast<int>(DataFileKind::CarColours);

HandlingReadTexts readTexts() {
    HandlingReadTexts texts;
    for (int i = 0; i < kHandlingFieldCount; ++i) {
        texts.captions[static_cast<std::size_t>(i)] = "field" + std::to_string(i);
    }
    texts.mustNotBeNumeric = "no number";
    texts.mustBeNumeric = "number";
    texts.wrongCount = "count";
    texts.wrongCountTail = "values";
    return texts;
}

HandlingReadResult read(const std::string& bytes) {
    return LoadHandlingFile(bytes, readTexts(), {"too many", "no vehicle"});
}

QStringList listed(const EditorDocument& document) {
    QStringList list;
    for (const std::string& name : document.Autos.entries()) {
        list << QString::fromStdString(name);
    }
    return list;
}

EditorDocument opened(const std::string& bytes, DataFileKind kind = DataFileKind::Handling) {
    EditorDocument document;
    if (loadIntoDocument(document, kind, bytes, LanguageTable())) {
        qFatal("the test file does not open");
    }
    return document;
}

// Opens the bytes as the editor does and returns what a save writes.
std::string saveAfterOpening(const std::string& bytes, DataFileKind kind = DataFileKind::Handling) {
    const std::string repaired = needsLineEndRepair(bytes) ? repairLineEnds(bytes) : bytes;
    EditorDocument document;
    if (const auto failure = loadIntoDocument(document, kind, repaired, LanguageTable())) {
        return "<failed: " + failure->description + ">";
    }
    return buildSaveText(document, repaired);
}

// A vehicle line of a sibling game: our 32 values and four more.
std::string siblingLine(const std::string& name) {
    return dataLine(name) + " 0.5 1.0 2 F";
}

}  // namespace

// Reading and writing the three kinds of game file and exchange files, and the
// rules under them. That a save keeps every record, and a second save every
// byte, the fuzz round trips check on any input; here are the worked examples
// of what the game and the players' files need.
class ModelTests : public QObject {
    Q_OBJECT
  private slots:
    // A line ends at CR LF or a lone CR, as the game reads it; a file with a
    // bare LF is repaired to CR LF on opening.
    void lineEnds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("repaired");  // empty: no repair needed
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"} << QByteArray();
        QTest::newRow("cr only") << QByteArray("a\rb\r") << QStringList{"a", "b"} << QByteArray();
        QTest::newRow("empty lines kept")
            << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"} << QByteArray();
        QTest::newRow("cr then crlf")
            << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"} << QByteArray();
        QTest::newRow("empty text") << QByteArray("") << QStringList{} << QByteArray();
        QTest::newRow("lf only") << QByteArray("a\nb\n") << QStringList{"a\nb\n"}
                                 << QByteArray("a\r\nb\r\n\r\n");
        QTest::newRow("mixed, no final end") << QByteArray("a\r\nb\nc") << QStringList{"a", "b\nc"}
                                             << QByteArray("a\r\nb\r\nc\r\n\r\n");
        QTest::newRow("lone cr kept apart")
            << QByteArray("a\rb\n") << QStringList{"a", "b\n"} << QByteArray("a\r\nb\r\n\r\n");
    }

    void lineEnds() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, repaired);
        QStringList got;
        const std::string bytes = text.toStdString();
        for (const std::string_view line : splitLines(bytes)) {
            got << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        }
        QCOMPARE(got, lines);
        QCOMPARE(needsLineEndRepair(bytes), !repaired.isEmpty());
        if (!repaired.isEmpty()) {
            QCOMPARE(qb(repairLineEnds(bytes)), repaired);
        }
    }

    void numeric_data() {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("numeric");
        for (const char* yes : {"0", "-1", "+2.5", "1.", ".5", "1e5", "1.5E-3", "007", "-.5e+2"}) {
            QTest::newRow(yes) << QString::fromLatin1(yes) << true;
        }
        for (const char* no : {"", ".", "-", "1e", "e5", "1.2.3", "1,5", "0x1F", "1 2", "R",
                               "1e5.0", "+-1", "12a"}) {
            QTest::newRow(*no ? no : "empty") << QString::fromLatin1(no) << false;
        }
    }

    void numeric() {
        QFETCH(QString, token);
        QFETCH(bool, numeric);
        QCOMPARE(isNumeric(token.toStdString()), numeric);
    }

    // Only a number that one comma in place of its point spoils is offered
    // with the point: never a thousands separator or a list.
    void decimalComma_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("offered");  // empty: none
        QTest::newRow("German") << "1350,5"
                                << "1350.5";
        QTest::newRow("trailing comma") << "-3,"
                                        << "-3.";
        QTest::newRow("exponent") << "1,5e3"
                                  << "1.5e3";
        QTest::newRow("a point already") << "1.5"
                                         << "";
        QTest::newRow("thousands") << "1.350,5"
                                   << "";
        QTest::newRow("two commas") << "1,350,5"
                                    << "";
        QTest::newRow("words") << "a,b"
                               << "";
    }

    void decimalComma() {
        QFETCH(QString, typed);
        QFETCH(QString, offered);
        const std::optional<std::string> pointed = withDecimalPoint(typed.toStdString());
        QCOMPARE(pointed ? QString::fromStdString(*pointed) : QString(), offered);
    }

    void fileKind_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("kind");  // -1: unknown
        // Each kind's ending in either case: tst_io's desktopFileTypesOpen.
        QTest::newRow("mixed-case dat backup") << "/g/CarCols.Dat.BACKUP" << 2;
        QTest::newRow("other backup") << "/g/file.txt.backup" << -1;
        QTest::newRow("ending without its dot") << "/g/xcfg" << -1;
        QTest::newRow("backup ending without its dot") << "/g/xide.backup" << -1;
        QTest::newRow("backup of a backup") << "/g/carcols.dat.backup.backup" << -1;
        QTest::newRow("dot part of the folder") << "/g.cfg/handling" << -1;
    }

    void fileKind() {
        QFETCH(QString, path);
        QFETCH(int, kind);
        const auto got = kindFromFileName(path.toStdString());
        QCOMPARE(got ? static_cast<int>(*got) : -1, kind);
    }

    void dataLineClassification_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("exactly 14 characters") << QByteArray("ABCDEFGHIJKLMN") << QStringList{};
        QTest::newRow("; within 14") << QByteArray("CAR 1.0 ; 2.0 3.0 4.0 5.0") << QStringList{};
        QTest::newRow("; after 14 cuts the comment")
            << qb(dataLine("CAR") + " ; tuned") << QStringList{"CAR"};
        QTest::newRow("blanks and a late comment")
            << QByteArray("                ; note") << QStringList{};
        QTest::newRow("indented line") << qb("   " + dataLine("CAR")) << QStringList{"CAR"};
        QTest::newRow("tabs between values")
            << QByteArray("CAR\t1.0\t\t2.0  3.0 \t4.0") << QStringList{"CAR"};
        QTest::newRow("name longer than 14")
            << qb(dataLine("VERY_LONG_NAME_X")) << QStringList{"VERY_LONG_NAME_X"};
        QTest::newRow("names alike and twice")
            << qb(join({dataLine("CAR2"), dataLine("CAR"), dataLine("TWIN"), dataLine("TWIN")}))
            << QStringList{"CAR2", "CAR", "TWIN", "TWIN"};
    }

    void dataLineClassification() {
        QFETCH(QByteArray, lines);
        QFETCH(QStringList, names);
        const HandlingReadResult result =
            read(join({"; head", lines.toStdString(), dataLine("ZZZ")}));
        QStringList got;
        QStringList recordNames;
        for (std::size_t i = 0; i + 1 < result.names.size(); ++i) {
            got << QString::fromStdString(result.names[i]);
            recordNames << QString::fromStdString(std::string(result.records[i].name()));
        }
        QCOMPARE(got, names);
        QCOMPARE(recordNames, names);
        QCOMPARE(result.names.back(), "ZZZ");
    }

    // Nothing is cut or invented: a short line's missing fields stay empty,
    // values after the 32nd are kept, and the count is reported.
    void wrongValueCountIsReportedAndNothingInvented() {
        std::string shortLine = dataLine("SHORT");
        shortLine.erase(shortLine.rfind(' '));  // drop the rear lights
        const auto result = read(join({shortLine, dataLine("LONG") + " 9"}));
        QCOMPARE(result.errors.size(), std::size_t{2});
        QCOMPARE(result.errors[0], (ErrorListEntry{"SHORT", "", "count: 31 values"}));
        QCOMPARE(result.errors[1], (ErrorListEntry{"LONG", "", "count: 33 values"}));
        QCOMPARE(result.records[0][HandlingField::RearLichter], "");
        QCOMPARE(result.records[0].valueCount, std::size_t{31});
        QCOMPARE(result.records[1][HandlingField::RearLichter], "0");
        QCOMPARE(result.records[1].extraValues, std::vector<std::string>{"9"});
    }

    // After an edit, the line a save writes holds the values the record has,
    // unless a field it needs is empty: then the save is refused.
    void editedRecordLine_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("missing");  // -1: none
        QTest::addColumn<QByteArray>("written");
        std::string thirtyOne = dataLine("SHORT");
        thirtyOne.erase(thirtyOne.rfind(' '));
        std::string filled = savedLine("SHORT");
        filled.back() = '2';
        const QByteArray full = qb(dataLine("CAR"));
        QTest::newRow("a field the line lacked, filled")
            << qb(thirtyOne) << 31 << QByteArray("2") << -1 << qb(filled);
        QTest::newRow("36 values, one edited")
            << qb(siblingLine("VAN") + " ;x") << 1 << QByteArray("1600.0") << -1
            << qb(savedLine("VAN", "1600.0") + " 0.5 1.0 2 F ;x");
        QTest::newRow("a short name alone with its comment")
            << QByteArray("LONELY_NAME_HERE_X ; c") << 0 << QByteArray("SHORT") << -1
            << QByteArray("SHORT          ; c");
        QTest::newRow("a gap before a filled field") << QByteArray("FEW_VALUES_HERE 1.0 2.0 3.0")
                                                     << 6 << QByteArray("0.5") << 4 << QByteArray();
        QTest::newRow("a value the line had, emptied")
            << full << 10 << QByteArray() << 10 << QByteArray();
        QTest::newRow("the name, emptied") << full << 0 << QByteArray() << 0 << QByteArray();
    }

    void editedRecordLine() {
        QFETCH(QByteArray, line);
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        QFETCH(int, missing);
        QFETCH(QByteArray, written);
        const std::string disk = join({line.toStdString()});
        EditorDocument document = opened(disk);
        HandlingRecord& record = document.HandlingRecords.front();
        record.set(field, value.toStdString());
        if (field == 0) {
            document.Autos.rename(0, value.toStdString());
        }
        QCOMPARE(firstMissingValue(record).value_or(-1), missing);
        if (missing >= 0) {
            return;
        }
        QCOMPARE(qb(FormatHandlingLine(record)), written);
        const HandlingRecord reread = opened(buildSaveText(document, disk)).HandlingRecords.front();
        QVERIFY(reread.values() == record.values());
        QCOMPARE(reread.extraValues, record.extraValues);
        QCOMPARE(reread.trailingComment, record.trailingComment);
    }

    // A record is a value: a copy holds its values after the document it came
    // from is gone, an edit changes that one value of that one copy, and two
    // records are equal exactly when every value is.
    void recordIsAValue_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("name, longer") << 0 << QByteArray("A_MUCH_LONGER_NAME_THAN_BEFORE");
        QTest::newRow("a middle value, emptied") << 13 << QByteArray();
        QTest::newRow("a middle value, longer") << 13 << QByteArray(300, '9');
        QTest::newRow("the last value, shorter") << 31 << QByteArray("1");
        QTest::newRow("the same text") << 5 << QByteArray("0.0");
    }

    void recordIsAValue() {
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        std::vector<HandlingRecord> copies;
        std::vector<std::string> before;
        {
            const EditorDocument document = opened(join({dataLine("FIRST"), dataLine("SECOND")}));
            copies = document.HandlingRecords;
            for (const std::string_view v : copies[1].values()) {
                before.emplace_back(v);
            }
        }
        HandlingRecord edited = copies[1];
        edited.set(field, value.toStdString());
        for (int k = 0; k < kHandlingFieldCount; ++k) {
            QCOMPARE(std::string(copies[1].value(k)), before[static_cast<std::size_t>(k)]);
            const std::string expected =
                k == field ? value.toStdString() : before[static_cast<std::size_t>(k)];
            QCOMPARE(std::string(edited.value(k)), expected);
        }
        QCOMPARE(edited == copies[1],
                 before[static_cast<std::size_t>(field)] == value.toStdString());
        edited.set(field, before[static_cast<std::size_t>(field)]);
        QVERIFY(edited == copies[1]);
        QVERIFY(!(copies[0] == copies[1]));

        // The same bytes split at another place are other values.
        HandlingRecord shifted = copies[1];
        const std::string joinedPair = before[1] + before[2];
        shifted.set(1, joinedPair.substr(0, 1));
        shifted.set(2, joinedPair.substr(1));
        QCOMPARE(shifted == copies[1], before[1].size() == 1);
    }

    void badValuesAreReportedOnceAndKept() {
        std::string badEngine = dataLine("BAD_ENGINE");
        badEngine.replace(badEngine.find(" R P "), 5, " R 7 ");
        const auto result = read(join({dataLine("1234"), dataLine("HEAVY", "heavy"), badEngine}));
        QCOMPARE(result.errors.size(), std::size_t{3});
        QCOMPARE(result.errors[0], (ErrorListEntry{"1234", "field0", "no number", 0}));
        QCOMPARE(result.errors[1], (ErrorListEntry{"HEAVY", "field1", "number", 1}));
        QCOMPARE(result.errors[2], (ErrorListEntry{"BAD_ENGINE", "field16", "no number", 16}));
        QCOMPARE(result.records[1][HandlingField::Gewicht], "heavy");
        QCOMPARE(result.records[2][HandlingField::MotorTyp], "7");
    }

    void authorAndDate_data() {
        QTest::addColumn<QByteArray>("comments");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("date");
        // clang-format off
        QTest::newRow("plain")
            << QByteArray("; Author: Jo Tester\r\n; Created 2026-01-15\r\n")
            << "Jo Tester" << "2026-01-15";
        QTest::newRow("any case, later line wins")
            << QByteArray("; AUTHOR: one\r\n; author:  two  \r\n") << "two" << "";
        QTest::newRow("no blank after the colon")
            << QByteArray("; Author:Jo\r\n") << "o" << "";
        QTest::newRow("own header is no date")
            << QByteArray("; File created with Wendrake V1.0.0\r\n") << "" << "";
        QTest::newRow("data line comment is not read")
            << qb(dataLine("CAR") + " ; Author: nobody\r\n") << "" << "";
        // clang-format on
    }

    void authorAndDate() {
        QFETCH(QByteArray, comments);
        QFETCH(QString, author);
        QFETCH(QString, date);
        const auto result = read(comments.toStdString() + join({dataLine("ZZZ")}));
        QCOMPARE(QString::fromStdString(result.author), author);
        QCOMPARE(QString::fromStdString(result.date), date);
    }

    void tooManyVehiclesFailsCleanly() {
        std::string bytes;
        const std::string line = join({dataLine("CAR")});
        for (int i = 0; i < kTableLimit; ++i) {
            bytes += line;
        }
        QVERIFY(!read(bytes).failure);
        bytes += line;
        const auto result = read(bytes);
        QVERIFY(result.failure);
        QCOMPARE(result.failure->code, kOverflowCode);
        QCOMPARE(result.failure->description, "too many");
    }

    // What a save writes around the records: the header replaced, every other
    // line kept in its place, the records in one block.
    void saveLayout_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QByteArray>("saved");
        using Lines = std::initializer_list<std::string>;
        const auto row = [](const char* name, int kind, Lines disk, Lines saved) {
            const std::string& header = kind == kHandling ? kHandlingHeader : kHeader;
            QTest::newRow(name) << kind << qb(join(disk)) << qb(header + join(saved) + "\r\n");
        };
        row("handling: comments before, between and after data lines", kHandling,
            {"; top", dataLine("BETA"), "; between", dataLine("alpha"), "; after", ";the end"},
            {"; top", savedLine("alpha"), savedLine("BETA"), "; between", "; after", ";the end"});
        row("handling: blank line before the first data line takes the block", kHandling,
            {"; one", "", "; two", dataLine("CAR")},
            {"; one", savedLine("CAR"), "; two", ";", ";the end"});
        row("handling: old header in capitals replaced, ;THE END not doubled", kHandling,
            {"; File created with Wendrake V1.9.3", "; HOMEPAGE: HTTPS://WENDRAKE.ORG/",
             dataLine("CAR"), ";THE END"},
            {savedLine("CAR"), ";THE END"});
        row("handling: text before a header-like comment keeps the line", kHandling,
            {"abc ; File created with Wendrake V1", dataLine("CAR")},
            {"abc ; File created with Wendrake V1", savedLine("CAR"), ";", ";the end"});
        row("handling: sibling game lines, comments and foreign sections", kHandling,
            {"$ BOAT 1.0 2.0 3.0 4.0", siblingLine("VAN") + " ; tuned by Jo", "! BIKE 1.0 2.0 3.0",
             dataLine("ALPHA") + " 1", "^ ANIM 1 2 3 4 5 6 7", "[extra]", "                ; note",
             ";the end"},
            {"$ BOAT 1.0 2.0 3.0 4.0", savedLine("ALPHA") + " 1",
             savedLine("VAN") + " 0.5 1.0 2 F ; tuned by Jo", "! BIKE 1.0 2.0 3.0",
             "^ ANIM 1 2 3 4 5 6 7", "[extra]", "                ; note", ";the end"});

        const std::string a = "1,a,b,boat,A,G,ignore,1,2,3";
        const std::string b = "2,a,b,boat,B,G,ignore,1,2,3";
        row("ide: sections and comments keep their places", kVehicleDefs,
            {"# File created with Wendrake V1.0.0", "# HOMEPAGE: https://wendrake.org/", "objs",
             "10, x, y, 1", "end", "cars", "# boats", a, "", "# between", b, "end", "peds", "20, z",
             "end"},
            {"objs", "10, x, y, 1", "end", "cars", "# boats",
             "1,\ta,\t\tb,\t\tboat,\tA,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t",
             "2,\ta,\t\tb,\t\tboat,\tB,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t", "# between", "end",
             "peds", "20, z", "end"});
        row("ide: a section without vehicles keeps its lines", kVehicleDefs,
            {"cars", "", "# none yet", "", "end", "", ""}, {"cars", "", "# none yet", "", "end"});
        row("ide: longer words are no section keywords", kVehicleDefs, {"carsx", a, "end"},
            {"carsx", a, "end"});

        row("dat: sections, comments and a second palette keep their places", kCarColours,
            {"# File created with Wendrake V1", "# cols", "col", "# reds", "255,0,0\t# 0 red", "",
             "0,255,0\t# 1 green", "end", "col", "9,9,9", "end", "car", "a, 0,1", "# later",
             "b, 1,0 # b", "end", "other", "x", "end"},
            {"# cols", "col", "# reds", "255,0,0\t\t\t\t# 0 red", "0,255,0\t\t\t\t# 1 green", "end",
             "col", "9,9,9", "end", "car", "a, 0, 1", "b, 1, 0 # b", "# later", "end", "other", "x",
             "end"});
        row("dat: sections without records keep their lines", kCarColours,
            {"col", "", "# none", "end", "car", "", "end", ""},
            {"col", "", "# none", "end", "car", "", "end"});
        row("dat: models named like keywords", kCarColours, {"car", "endeavour, 0,0", "end"},
            {"car", "endeavour, 0, 0", "end"});
        row("dat: old header last: the blank line before it goes too", kCarColours,
            {"col", "1,2,3\t\t\t\t# 0 x", "end", "", "# File created with Wendrake V1"},
            {"col", "1,2,3\t\t\t\t# 0 x", "end"});
        // Sections never overlap: a keyword inside one is a line of it.
        row("dat: car inside a palette without end is no section", kCarColours,
            {"col", "car", ",0,2"}, {"col", "car", ",0,2"});
        row("dat: col inside a car section is a model", kCarColours,
            {"car", "col 1,2,3", "4,5,6", "end"}, {"car", "col1, 2, 3", "4, 5, 6", "end"});
    }

    void saveLayout() {
        QFETCH(int, kind);
        QFETCH(QByteArray, disk);
        QFETCH(QByteArray, saved);
        const auto fileKind = static_cast<DataFileKind>(kind);
        QCOMPARE(qb(saveAfterOpening(disk.toStdString(), fileKind)), saved);
        // Read and saved once, as the command line does, without telling the
        // records their lines, the file saves the same.
        const std::string bytes = needsLineEndRepair(disk.toStdString())
                                      ? repairLineEnds(disk.toStdString())
                                      : disk.toStdString();
        EditorDocument document;
        QVERIFY(!loadIntoDocument(document, fileKind, bytes, LanguageTable(), Snapshot::Skipped,
                                  NameList::Filled, SourceLines::Skipped));
        const SaveText once =
            buildSaveText(document, bytes, SaveLayout::Standard, SourceLines::Skipped);
        QCOMPARE(qb(once.text), saved);
        QVERIFY(once.sources.empty());
    }

    // A file's records written in its vehicle list's order come out as the
    // look-up of each listed name writes them: names twice, names equal but
    // for case, and a run of such names too long to be ordered in place.
    void listOrderIsTheOrderOfTheNames_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("distinct") << QStringList{"b", "c", "a"};
        QTest::newRow("twice, apart in the table") << QStringList{"x", "a", "x", "b", "x"};
        QTest::newRow("equal but for case")
            << QStringList{"Ab", "aB", "ab", "AB", "ab", "a", "b", "aB"};
        QStringList longRun;
        for (int i = 0; i < 70; ++i) {
            longRun << (i % 3 == 0 ? "car" : i % 3 == 1 ? "CAR" : "Car");
        }
        QTest::newRow("long run equal but for case") << longRun;
    }
    void listOrderIsTheOrderOfTheNames() {
        QFETCH(QStringList, names);
        std::string file;
        for (int i = 0; i < names.size(); ++i) {
            file += dataLine(names[i].toStdString(), std::to_string(1000 + i) + ".0") + "\r\n";
        }
        HandlingReadResult result = read(file);
        VehicleList list;
        list.assign(result.names);
        std::string byName;
        appendHandlingLines(
            byName, result.records,
            std::vector<std::string_view>(list.entries().begin(), list.entries().end()), nullptr);
        std::string inOrder = "kept";
        std::vector<SourceLine> sources(result.records.size());
        if (appendHandlingLinesInListOrder(inOrder, result.records, list, &sources)) {
            QCOMPARE(qb(inOrder), qb("kept" + byName));
            QVERIFY(std::all_of(sources.begin(), sources.end(),
                                [](const SourceLine& line) { return line.known; }));
        } else {
            QCOMPARE(qb(inOrder), qb("kept"));
        }
        // A renamed entry keeps its place: the list is no order to write in.
        list.rename(0, "zzz");
        inOrder = "kept";
        QVERIFY(!appendHandlingLinesInListOrder(inOrder, result.records, list, nullptr));
        QCOMPARE(qb(inOrder), qb("kept"));
    }

    // The author and date the document holds are those the saved file reads
    // back, whatever lines name them; unedited, a line naming both stays whole
    // (an author or a date line in its place could lose the other). Where no
    // line names the author, none is added.
    void savedAuthorAndDateReadBack_data() {
        QTest::addColumn<QByteArray>("comments");
        QTest::addColumn<QString>("author");  // null: as read
        QTest::addColumn<QString>("date");    // null: as read
        QTest::addColumn<QString>("keptLine");
        const QString same;
        // clang-format off
        QTest::newRow("one line names both, author edited")
            << qb(join({"; Author: A created x"})) << "B" << same << "";
        QTest::newRow("one line names both, date edited")
            << qb(join({"; Author: A created x"})) << same << "2026" << "";
        QTest::newRow("one line names both, unedited")
            << qb(join({"; Author: A created x"})) << same << same << "; Author: A created x";
        QTest::newRow("date and author run together, unedited")
            << qb(join({";CreatedAuthor:"})) << same << same << ";CreatedAuthor:";
        QTest::newRow("line naming both after a date line, unedited")
            << qb(join({"; Created 1999", "; Created 2024 by Author: Jo"})) << same << same
            << "; Created 2024 by Author: Jo";
        QTest::newRow("line naming both before an author line, date edited")
            << qb(join({"; Author: Ann Created y", "; Author: Bob"})) << same << "2026" << "";
        QTest::newRow("two date lines, date edited")
            << qb(join({"; Author:Jo", "; Created yesterday", "; created by hand"}))
            << same << "today" << "";
        QTest::newRow("author line without a mark")
            << qb(join({"Author:Jo", "; Created 1999"})) << "Bo" << same << "";
        QTest::newRow("date without a blank before it")
            << qb(join({";Date created: 1999"})) << same << "2000" << "";
        QTest::newRow("an author that names a date")
            << qb(join({"; Created 1999", "; Author: Jo"})) << "Jo created it" << same << "";
        QTest::newRow("a date that names an author")
            << qb(join({"; Author: Jo", "; Created 1999"})) << same << "by Author: Ann" << "";
        QTest::newRow("no line names the author")
            << qb(join({"; no names here"})) << "Someone" << same << "";
        // clang-format on
    }

    void savedAuthorAndDateReadBack() {
        QFETCH(QByteArray, comments);
        QFETCH(QString, author);
        QFETCH(QString, date);
        QFETCH(QString, keptLine);
        const std::string disk = comments.toStdString() + join({dataLine("CAR")});
        EditorDocument document = opened(disk);
        const std::string authorOnDisk = document.Author;
        const bool authorHasALine = disk.find("uthor") != std::string::npos;
        if (!author.isNull()) {
            document.Author = author.toStdString();
        }
        if (!date.isNull()) {
            document.Date = date.toStdString();
        }
        const std::string saved = buildSaveText(document, disk);
        const EditorDocument reopened = opened(saved);
        QCOMPARE(reopened.Author, authorHasALine ? document.Author : authorOnDisk);
        QCOMPARE(reopened.Date, document.Date);
        if (!keptLine.isEmpty()) {
            QVERIFY2(saved.find("\r\n" + keptLine.toStdString() + "\r\n") != std::string::npos,
                     saved.c_str());
        }
        QCOMPARE(recordLines(reopened), recordLines(document));
    }

    void vehicleLineRead_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("fields");  // the twelve, split by "|"
        // clang-format off
        QTest::newRow("car with extras")
            << QByteArray("100, mycar, mycar, car, MYCAR, MYCAR, poor, 10, 7, 0, 161, 1")
            << "100|mycar|mycar|car|MYCAR|MYCAR|poor|10|7|0|161|1";
        QTest::newRow("boat of ten, blanks inside a value")
            << QByteArray("7,\tmy boat,b,boat,LONGNAME1,G,ignore,1,2,0")
            << "7|myboat|b|boat|LONGNAME1|G|ignore|1|2|0||";
        QTest::newRow("plane ends with its extra")
            << QByteArray("8,p,p,plane,P,P,ignore,1,2,3,-1") << "8|p|p|plane|P|P|ignore|1|2|3|-1|";
        QTest::newRow("nine and a trailing comma are ten")
            << QByteArray("5,a,b,boat,H,G,ignore,1,2,") << "5|a|b|boat|H|G|ignore|1|2|||";
        QTest::newRow("other case of car keeps its extras")
            << QByteArray("6,a,b,Car,H,G,ignore,1,2,3,160,0.5") << "6|a|b|Car|H|G|ignore|1|2|3|160|0.5";
        QTest::newRow("blanks around commas, a value of blanks, blanks inside the last")
            << QByteArray("1 , a ,\t b\t, boat , H,G,ignore,1,2,3 , \t, 1 2 \t ")
            << "1|a|b|boat|H|G|ignore|1|2|3||12";
        QTest::newRow("empty values between")
            << QByteArray("1,a,b,plane,H,G,ignore,1,2,3,,,,x,") << "1|a|b|plane|H|G|ignore|1|2|3||";
        // clang-format on
    }

    void vehicleLineRead() {
        QFETCH(QByteArray, line);
        QFETCH(QString, fields);
        const VehicleDefReadResult read =
            LoadVehicleDefFile(join({"cars", line.toStdString(), "end"}), "few ");
        QVERIFY(!read.failure);
        QCOMPARE(read.records.size(), std::size_t{1});
        QStringList got;
        for (const std::string_view field : read.records[0].values()) {
            got << QString::fromStdString(std::string(field));
        }
        QCOMPARE(got.join(QLatin1Char('|')), fields);
        QCOMPARE(read.names, std::vector<std::string>{std::string(read.records[0].name())});
    }

    // A value after the line's last one is written once a player fills it
    // in, with the empty values before it.
    void valuesFilledInAreWritten_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("second extra of a boat")
            << QByteArray("4,a,b,boat,H,G,ignore,1,2,3") << int(VehicleDefField::Extra2)
            << QByteArray("4,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t, \t7");
        QTest::newRow("comprules of a line of nine")
            << QByteArray("4,a,b,car,H,G,ignore,1,2,") << int(VehicleDefField::CompRules)
            << QByteArray("4,\ta,\t\tb,\t\tcar,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t7, \t");
    }

    void valuesFilledInAreWritten() {
        QFETCH(QByteArray, line);
        QFETCH(int, field);
        QFETCH(QByteArray, written);
        VehicleDefReadResult read = LoadVehicleDefFile(join({"cars", line.toStdString()}), "");
        QCOMPARE(read.records.size(), std::size_t{1});
        read.records[0].set(field, "7");
        QCOMPARE(qb(FormatVehicleDefLine(read.records[0])), written);
    }

    void readFailures_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("messageOnly");
        QTest::addColumn<QByteArray>("description");
        QTest::newRow("ide: too few values, after a short line of another section")
            << kVehicleDefs
            << qb(join({"# top", "objs", "1, a, b", "end", "cars", "1,a,b,car,H,G,ignore,1,2,3",
                        "2,a,b,car,H,G,ignore,1,2", "end"}))
            << true << QByteArray("too few in line 7");
        QTest::newRow("dat: too few values")
            << kCarColours << qb(join({"col", "1,1,1\t# 0 a", "end", "car", "mycar, 1", "end"}))
            << true << QByteArray("too few in line 5");
        QTest::newRow("dat: odd number of colour values")
            << kCarColours << qb(join({"car", "mycar, 1, 2, 3", "end"})) << false
            << QByteArray("not a number in line 2: \"\"");
        QTest::newRow("dat: not a number")
            << kCarColours << qb(join({"col", "1,x,1\t# 0 a", "end"})) << false
            << QByteArray("not a number in line 2: \"x\"");
        QTest::newRow("dat: beyond 16 bits")
            << kCarColours << qb(join({"car", "mycar, 40000, 1", "end"})) << false
            << QByteArray("not a number in line 2: \"40000\"");
    }

    void readFailures() {
        QFETCH(int, kind);
        QFETCH(QByteArray, file);
        QFETCH(bool, messageOnly);
        QFETCH(QByteArray, description);
        const std::optional<ReadFailure> failure =
            kind == kVehicleDefs
                ? LoadVehicleDefFile(file.toStdString(), "too few in line ").failure
                : LoadCarColourFile(file.toStdString(), kColourTexts).failure;
        QVERIFY(failure);
        QCOMPARE(failure->messageOnly, messageOnly);
        QCOMPARE(qb(failure->description), description);
    }

    void paletteLines_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("listText");
        QTest::addColumn<QByteArray>("written");
        // clang-format off
        const char* const rows[][4] = {
            {"tabs and a name", "12,34,56\t\t# 4 teal", "teal - 12,34,56",
             "12,34,56\t\t\t# 0 teal"},
            {"no comment", "10,20,30\t", "Color 0 - 10,20,30", "10,20,30\t\t\t# 0 Color 0"},
            {"no tab", "10, 20, 30 # 0 red", "red - 10,20,30", "10,20,30\t\t\t# 0 red"},
            {"name of two words and a second description",
             "0,0,128\t\t\t\t# 0 police car blue  \t\tblue", "police car blue - 0,0,128",
             "0,0,128\t\t\t\t# 0 police car blue\t\tblue"},
            {"a number and no name", "1,2,3\t# 0", " - 1,2,3", "1,2,3\t\t\t\t# 0 "},
            {"number right after the mark", "1,2,3\t#2 ecru\t\tblue", "ecru - 1,2,3",
             "1,2,3\t\t\t\t# 0 ecru\t\tblue"},
            {"no number", "1,2,3\t# light ecru", "light ecru - 1,2,3",
             "1,2,3\t\t\t\t# 0 light ecru"},
            {"out of range values stay", "300,-5,0\t# 0 odd", "odd - 300,-5,0",
             "300,-5,0\t\t\t# 0 odd"}};
        // clang-format on
        for (const auto& row : rows) {
            QTest::newRow(row[0]) << QByteArray(row[1]) << QString::fromLatin1(row[2])
                                  << QByteArray(row[3]);
        }
    }

    void paletteLines() {
        QFETCH(QByteArray, line);
        QFETCH(QString, listText);
        QFETCH(QByteArray, written);
        const CarColourReadResult read =
            LoadCarColourFile(join({"col", line.toStdString(), "end"}), kColourTexts);
        QVERIFY(!read.failure);
        QCOMPARE(read.palette.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(colourListText(read.palette[0])), listText);
        QCOMPARE(qb(FormatPaletteLine(read.palette[0])), written);
    }

    void carLines() {
        const std::string file = join({"col", "1,1,1\t# 0 a", "# greys", "2,2,2\t# 1 b", "end",
                                       "car", "mycar, 1,2, 3,4", "other,0,1 # rare", "end"});
        const CarColourReadResult read = LoadCarColourFile(file, kColourTexts);
        QVERIFY(!read.failure);
        QCOMPARE(read.palette[1].Number, std::int16_t{1});
        QCOMPARE(read.names, (std::vector<std::string>{"mycar", "other"}));
        QCOMPARE(read.cars[0].Color1, (std::vector<std::int16_t>{1, 3}));
        QCOMPARE(read.cars[0].Color2, (std::vector<std::int16_t>{2, 4}));
        QCOMPARE(FormatCarColourLine(read.cars[1]), "other, 0, 1 # rare");
    }

    // The file on disk may change between opening and saving: lose the
    // section the records were read from, or its "end", or hold its sections
    // in another order. Whatever it holds, the save puts every record where
    // the reader finds it, keeps every comment line once, and saving that
    // again changes nothing.
    void recordsSurviveAFileChangedOnDisk_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QByteArray>("changed");
        const QByteArray cars = qb(join({dataLine("ARROW"), dataLine("BRISK")}));
        QTest::newRow("handling: now only comments") << kHandling << cars << qb(join({"; x"}));
        QTest::newRow("handling: now before ;the end")
            << kHandling << cars << qb(join({"; changed on disk", ";the end", "; tail"}));

        const QByteArray ide =
            qb(join({"cars", "1,a,b,boat,A,G,ignore,1,2,3", "2,c,d,car,B,G,ignore,1,2,3,4,5",
                     "3,e,f,car,C,G,ignore,1,2,3,4,5,6,7", "4,g,h,plane,D,G,ignore,1,2,", "end"}));
        const std::string car = "7,x,y,boat,Q,G,ignore,1,2,3";
        QTest::newRow("ide: cars gone")
            << kVehicleDefs << ide << qb(join({"# top", "objs", "1, x, y, 1", "end"}));
        QTest::newRow("ide: cars without end after objs")
            << kVehicleDefs << ide << qb(join({"# top", "objs", "end", "# middle", "cars", car}));
        QTest::newRow("ide: cars without end before objs")
            << kVehicleDefs << ide << qb(join({"cars", car, "# middle", "objs", "1, x", "end"}));
        QTest::newRow("ide: cars empty")
            << kVehicleDefs << ide << qb(join({"# top", "cars", "", "end", "# middle"}));

        const QByteArray dat = qb(join(
            {"col", "1,2,3\t# 0 x", "4,5,6\t#1 y", "end", "car", "a, 0,1", "b, 1,1, 0,0", "end"}));
        QTest::newRow("dat: palette gone")
            << kCarColours << dat << qb(join({"# top", "car", "q, 1,1", "end"}));
        QTest::newRow("dat: cars gone, palette without end")
            << kCarColours << dat << qb(join({"# top", "col", "9,9,9\t# 0 z", "# middle"}));
        QTest::newRow("dat: cars before the palette, neither ended")
            << kCarColours << dat
            << qb(join({"# top", "car", "q, 1,1", "# middle", "col", "9,9,9\t# 0 z"}));
        QTest::newRow("dat: both empty, swapped")
            << kCarColours << dat << qb(join({"car", "", "end", "# middle", "col", "", "end"}));
    }

    void recordsSurviveAFileChangedOnDisk() {
        QFETCH(int, kind);
        QFETCH(QByteArray, original);
        QFETCH(QByteArray, changed);
        const auto fileKind = static_cast<DataFileKind>(kind);
        const EditorDocument before = opened(original.toStdString(), fileKind);
        const std::string saved = buildSaveText(before, changed.toStdString());
        EditorDocument after;
        QVERIFY2(!loadIntoDocument(after, fileKind, saved, LanguageTable()), saved.c_str());
        QCOMPARE(recordLines(after), recordLines(before));
        QVERIFY(after.VehicleDefRecords == before.VehicleDefRecords);
        QVERIFY(after.ColourEntries == before.ColourEntries);
        QVERIFY(after.CarColourRecords == before.CarColourRecords);
        QCOMPARE(listed(after), listed(before));
        QCOMPARE(qb(buildSaveText(after, saved)), qb(saved));

        const std::vector<std::string_view> savedLines = splitLines(saved);
        const std::string disk = changed.toStdString();
        for (const std::string_view line : splitLines(disk)) {
            if (line.starts_with('#') || line.starts_with(';')) {
                QVERIFY2(std::count(savedLines.begin(), savedLines.end(), line) == 1,
                         std::string(line).c_str());
            }
        }
    }

    // A palette with neither colour lines nor "end" takes a new colour at
    // the end of the file.
    void newColourInAPaletteWithoutLines() {
        const std::string bare = join({"col"});
        EditorDocument document = opened(bare, DataFileKind::CarColours);
        appendNewColour(document.ColourEntries);
        QCOMPARE(qb(buildSaveText(document, bare)),
                 qb(kHeader + join({"col", FormatPaletteLine(document.ColourEntries[0]), ""})));
    }

    // Every record of a chosen name, in table order; a name chosen twice
    // twice; an unknown name nothing; then the closing line once.
    void exchangeFileOfChosenVehicles() {
        const EditorDocument document = opened(
            join({dataLine("TWIN", "1.0"), dataLine("SOLO", "2.0"), dataLine("TWIN", "3.0")}));
        const auto& records = document.HandlingRecords;
        const std::string many =
            BuildExchangeFile(records, {"TWIN", "GONE", "SOLO", "TWIN"}, "Jo", "today");
        QVERIFY(many.find("; Author: Jo\r\n; Created today\r\n") != std::string::npos);
        std::string data;
        for (std::size_t index : {0, 2, 1, 0, 2}) {
            data += FormatHandlingLine(records[index]) + "\r\n";
        }
        QVERIFY(many.ends_with(";\r\n" + data + ";\r\n;the end\r\n"));
    }

    void vehicleListOrder() {
        VehicleList list;
        list.assign({"b", "A_", "AB", "a", "B2", "A", "_x", "\xe4uto"});
        // A-Z fold to a-z and nothing else: "_" (0x5F) sorts before every letter,
        // where without folding it would follow the capitals; bytes above 0x7F
        // come last; equal names keep their order.
        QCOMPARE(list.entries(),
                 (std::vector<std::string>{"_x", "a", "A", "A_", "AB", "b", "B2", "\xe4uto"}));
        QCOMPARE(list.insert("ab", 8), 5);  // after the equal "AB"
        list.rename(0, "zzz");
        QCOMPARE(list.at(0), std::string("zzz"));
        QCOMPARE(list.indexOf("AB"), 4);
        QCOMPARE(list.indexOf("ABC"), -1);

        // Names alike in their first sixteen characters are told apart by the rest.
        list.assign(
            {"SAME_SIXTEEN_CHRb", "same_sixteen_chrA", "SAME_SIXTEEN_CHR", "SAME_SIXTEEN_CHRa"});
        QCOMPARE(list.entries(),
                 (std::vector<std::string>{"SAME_SIXTEEN_CHR", "same_sixteen_chrA",
                                           "SAME_SIXTEEN_CHRa", "SAME_SIXTEEN_CHRb"}));
        list.insertMany({"same_sixteen_chra", "SAME_SIXTEEN_CH"}, 4);
        QCOMPARE(list.at(0), std::string("SAME_SIXTEEN_CH"));
        QCOMPARE(list.at(4), std::string("same_sixteen_chra"));  // after its equals
        // Every entry keeps the record it stands for through sorting and merging.
        for (int entry = 0; entry < list.size(); ++entry) {
            QCOMPARE(list.entryOfRecord(list.recordAt(entry)), entry);
        }
    }

    // Letters match in either case, Latin-1 ones too; other bytes only
    // themselves.
    void nameFilterFoldsLettersOnly_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("matches");
        QTest::newRow("empty text") << QByteArray("ANY") << QByteArray() << true;
        QTest::newRow("ASCII letters") << QByteArray("COMET_GT") << QByteArray("et_g") << true;
        QTest::newRow("accented") << QByteArray("\xC4RGER") << QByteArray("\xE4r") << true;
        QTest::newRow("thorn") << QByteArray("\xDE") << QByteArray("\xFE") << true;
        QTest::newRow("times is no letter") << QByteArray("\xD7") << QByteArray("\xF7") << false;
        QTest::newRow("sharp s stays") << QByteArray("\xDF") << QByteArray("\xFF") << false;
        QTest::newRow("bracket is no letter") << QByteArray("[") << QByteArray("{") << false;
        QTest::newRow("longer than the name") << QByteArray("AB") << QByteArray("abc") << false;
        QTest::newRow("at the end of a long name")
            << QByteArray(100000, 'a') + "b" << QByteArray(1000, 'A') + "B" << true;
    }
    void nameFilterFoldsLettersOnly() {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, text);
        QFETCH(bool, matches);
        const NameFilter filter(text.toStdString());
        QCOMPARE(filter.matches(name.toStdString()), matches);
        VehicleList list;
        list.assign({"x", name.toStdString(), "y"});
        const std::vector<int> kept = filter.entriesIn(list);
        QCOMPARE(std::ranges::count(kept, list.entryOfRecord(1)), matches ? 1 : 0);
    }

    // Both ends of a usual range belong to it; only numbers are compared.
    // The table sorts numbers by value before other texts, those by their
    // letters in any case, and keeps equal cells in their order both ways.
    void tableSortsNumbersAsNumbersAndKeepsEqualCells_data() {
        QTest::addColumn<bool>("descending");
        QTest::addColumn<std::vector<int>>("order");
        // Masses: 0 "10.0", 1 "9", 2 "abc", 3 "-1e1", 4 "ABC", 5 "9.0", 6 "Abd", 7 "+3"
        QTest::newRow("ascending") << false << std::vector<int>{3, 7, 1, 5, 0, 2, 4, 6};
        QTest::newRow("descending") << true << std::vector<int>{6, 2, 4, 0, 1, 5, 7, 3};
    }
    void tableSortsNumbersAsNumbersAndKeepsEqualCells() {
        QFETCH(bool, descending);
        QFETCH(std::vector<int>, order);
        EditorDocument document;
        for (const char* mass : {"10.0", "9", "abc", "-1e1", "ABC", "9.0", "Abd", "+3"}) {
            HandlingRecord record;
            record.set(HandlingField::Gewicht, mass);
            document.HandlingRecords.push_back(record);
        }
        std::vector<int> records{0, 1, 2, 3, 4, 5, 6, 7};
        sortTableRecords(records, document, static_cast<int>(HandlingField::Gewicht), descending);
        QCOMPARE(records, order);
    }

    void pairsText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");  // empty: refused
        QTest::newRow("pairs") << "1,2 3,4"
                               << "1,2 3,4";
        QTest::newRow("blanks around") << "  0,0   17,-1 "
                                       << "0,0 17,-1";
        QTest::newRow("no pair") << " "
                                 << "";
        QTest::newRow("half a pair") << "1,2 3"
                                     << "";
        QTest::newRow("three numbers") << "1,2,3"
                                       << "";
        QTest::newRow("beyond 16 bits") << "1,32768"
                                        << "";
    }
    void pairsText() {
        QFETCH(QString, text);
        QFETCH(QString, written);
        const std::optional<ColourPairs> pairs = readPairsText(text.toStdString());
        QCOMPARE(pairs.has_value(), !written.isEmpty());
        if (pairs) {
            CarColourRecord record;
            record.Color1 = pairs->first;
            record.Color2 = pairs->second;
            QCOMPARE(QString::fromStdString(wendrake::pairsText(record)), written);
        }
    }

    void usualRangesKeepTheirEnds_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("outside");
        const int mass = static_cast<int>(HandlingField::Gewicht);
        const int gears = static_cast<int>(HandlingField::Gaenge);
        const int force = static_cast<int>(HandlingField::Kraftlevel);
        const int bias = static_cast<int>(HandlingField::Bias);
        QTest::newRow("lowest") << mass << QByteArray("1.0") << false;
        QTest::newRow("highest") << mass << QByteArray("50000") << false;
        QTest::newRow("below") << mass << QByteArray("0.99") << true;
        QTest::newRow("above") << mass << QByteArray("5.00001e4") << true;
        QTest::newRow("plus sign") << gears << QByteArray("+5") << false;
        QTest::newRow("too many gears") << gears << QByteArray("6") << true;
        QTest::newRow("below a negative end") << bias << QByteArray("-1.5") << true;
        QTest::newRow("no upper end") << force << QByteArray("1e30") << false;
        QTest::newRow("below an open range") << force << QByteArray("-0.1") << true;
        QTest::newRow("too large for a double") << force << QByteArray("1e999") << true;
        QTest::newRow("no number") << mass << QByteArray("heavy") << false;
        QTest::newRow("field without range")
            << static_cast<int>(HandlingField::ABS) << QByteArray("7") << false;
    }
    void usualRangesKeepTheirEnds() {
        QFETCH(int, field);
        QFETCH(QByteArray, value);
        QFETCH(bool, outside);
        QCOMPARE(isOutsideUsualRange(field, value.toStdString()), outside);
    }

    // The program's English is English.lng as it lies in data/, and every
    // language file there carries the same numbered texts.
    void builtInEnglishIsTheEnglishFile() {
        const std::string english = contents(kLanguages + "English.lng").toStdString();
        const std::string german = contents(kLanguages + "Deutsch.lng").toStdString();
        QCOMPARE(static_cast<int>(splitLines(english).size()), LanguageTable::kSize);
        QCOMPARE(splitLines(german).size(), splitLines(english).size());

        LanguageTable fromFile;
        fromFile.load(english);
        const LanguageTable builtIn;
        for (int k = 0; k < LanguageTable::kSize; ++k) {
            QCOMPARE(builtIn.text(k), fromFile.text(k));
        }
        QVERIFY(!builtIn.text(Text::NoVehicle).empty());
    }

    void languageFile() {
        LanguageTable table;
        table.load("zero\r\na\\nb\r\nc\\Nd\rlast");
        QCOMPARE(table.text(0), "zero");
        QCOMPARE(table.text(1), "a\r\nb");
        QCOMPARE(table.text(2), "c\r\nd");
        QCOMPARE(table.text(3), "last");

        // LF ends no line; what a file lacks is English, not the previous language.
        table.load("new\nstill one line\r\n");
        QCOMPARE(table.text(0), "new\nstill one line");
        QCOMPARE(table.text(1), LanguageTable().text(1));

        // Older files are Windows-1252; UTF-8 files stay as they are.
        table.load(
            "Gr\xf6\xdf"
            "e \x80\r\n");
        QCOMPARE(QString::fromStdString(table.text(0)), QString::fromUtf8("Größe €"));
        table.load(
            "Gr\xc3\xb6\xc3\x9f"
            "e\r\n");
        QCOMPARE(QString::fromStdString(table.text(0)), QString::fromUtf8("Größe"));
    }
};

QTEST_APPLESS_MAIN(ModelTests)
#include "tst_model.moc"
