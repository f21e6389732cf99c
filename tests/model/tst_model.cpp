#include <QtTest>

#include "model/CarColourFile.h"
#include "model/ColourEditing.h"
#include "model/DocumentFiles.h"
#include "model/ExchangeFile.h"
#include "model/HandlingBuilder.h"
#include "model/HandlingReader.h"
#include "model/Numeric.h"
#include "model/TextLines.h"
#include "model/VehicleDefFile.h"
#include "model/VehicleImport.h"
#include "support/RecordLines.h"
#include "support/TestFiles.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

const std::string kHandlingHeader =
    "; File created with Wendrake V2.0.0\r\n; Homepage: https://wendrake.org/\r\n";
const std::string kHeader =
    "# File created with Wendrake V2.0.0\r\n# Homepage: https://wendrake.org/\r\n";
const CarColourReadTexts kColourTexts{"too few in line ", "not a number in line "};

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

// Each record as "name=mass".
QStringList masses(const std::vector<HandlingRecord>& records) {
    QStringList list;
    for (const HandlingRecord& record : records) {
        list << QString::fromStdString(record.name() + "=" + record[HandlingField::Gewicht]);
    }
    return list;
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

std::string testFile(const char* name) {
    return contents(kTestData + QLatin1String(name)).toStdString();
}

QString qs(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A line as the game reads it: the values joined by single blanks, then the
// comment from its ";" on.
QString valuesAndComment(std::string_view line) {
    const std::size_t mark = line.find(';');
    QStringList parts;
    for (const std::string_view value : handlingTokens(line.substr(0, mark)).values) {
        parts << qs(value);
    }
    if (mark != std::string_view::npos) {
        parts << qs(line.substr(mark));
    }
    return parts.join(QLatin1Char(' '));
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

// A vehicle line of a sibling game: our 32 values and four more.
std::string siblingLine(const std::string& name) {
    return dataLine(name) + " 0.5 1.0 2 F";
}

}  // namespace

// Reading and writing the three kinds of game file and exchange files, and the
// rules under them.
class ModelTests : public QObject {
    Q_OBJECT
  private slots:
    void lineEnds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lone cr") << QByteArray("a\rb") << QStringList{"a", "b"};
        QTest::newRow("bare lf stays in line") << QByteArray("a\nb\r\n") << QStringList{"a\nb"};
        QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"};
        QTest::newRow("cr then crlf") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
        QTest::newRow("empty text") << QByteArray("") << QStringList{};
    }

    void lineEnds() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, lines);
        QStringList got;
        const std::string bytes = text.toStdString();
        for (const std::string_view line : splitLines(bytes)) {
            got << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
        }
        QCOMPARE(got, lines);
    }

    void lineEndRepair_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("repaired");  // empty: no repair needed
        QTest::newRow("lf only") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n\r\n");
        QTest::newRow("mixed, no final end")
            << QByteArray("a\r\nb\nc") << QByteArray("a\r\nb\r\nc\r\n\r\n");
        QTest::newRow("lone cr kept apart") << QByteArray("a\rb\n") << QByteArray("a\r\nb\r\n\r\n");
        QTest::newRow("crlf untouched") << QByteArray("a\r\nb\r\n") << QByteArray();
        QTest::newRow("cr only untouched") << QByteArray("a\rb\r") << QByteArray();
    }

    void lineEndRepair() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, repaired);
        QCOMPARE(needsLineEndRepair(bytes.toStdString()), !repaired.isEmpty());
        if (!repaired.isEmpty()) {
            QCOMPARE(qb(repairLineEnds(bytes.toStdString())), repaired);
        }
    }

    void lineEndVariantsSaveIdentically() {
        const std::string plain = saveAfterOpening(testFile("handling/plain.cfg"));
        QCOMPARE(qb(saveAfterOpening(testFile("handling/lf_only.cfg"))), qb(plain));
        QCOMPARE(qb(saveAfterOpening(testFile("handling/cr_only.cfg"))), qb(plain));
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

    void fileKind_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("filter");
        QTest::addColumn<int>("kind");  // -1: unknown
        QTest::newRow("cfg, first filter") << "/g/handling.cfg" << 1 << 0;
        QTest::newRow("backup, first filter") << "/g/handling.cfg.backup" << 1 << 0;
        QTest::newRow("cfg, second filter") << "/g/handling.cfg" << 2 << -1;
        QTest::newRow("upper-case cfg") << "C:/ZERRIN/DATA/HANDLING.CFG" << 1 << 0;
        QTest::newRow("upper-case ide") << "/g/DEFAULT.IDE" << 2 << 1;
        QTest::newRow("upper-case dat") << "/g/CARCOLS.DAT" << 3 << 2;
        QTest::newRow("mixed-case backup") << "/g/Default.Ide.BACKUP" << 2 << 1;
        QTest::newRow("upper case, wrong filter") << "/g/CARCOLS.DAT" << 1 << -1;
        QTest::newRow("ide, second filter") << "/g/default.ide" << 2 << 1;
        QTest::newRow("dat backup, third filter") << "/g/carcols.dat.backup" << 3 << 2;
        QTest::newRow("other backup") << "/g/file.txt.backup" << 1 << -1;
        QTest::newRow("ending without its dot") << "/g/xcfg" << 1 << -1;
        QTest::newRow("backup ending without its dot") << "/g/xide.backup" << 2 << -1;
        QTest::newRow("backup of a backup") << "/g/carcols.dat.backup.backup" << 3 << -1;
        QTest::newRow("dot part of the folder") << "/g.cfg/handling" << 1 << -1;
    }

    void fileKind() {
        QFETCH(QString, path);
        QFETCH(int, filter);
        QFETCH(int, kind);
        const auto got = kindFromFileNameAndFilter(path.toStdString(), filter);
        QCOMPARE(got ? static_cast<int>(*got) : -1, kind);
    }

    void dataLineClassification_data() {
        QTest::addColumn<QByteArray>("line");
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
    }

    void dataLineClassification() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, names);
        const HandlingReadResult result =
            read(join({"; head", line.toStdString(), dataLine("ZZZ")}));
        QStringList got;
        for (const std::string& name : result.names) {
            if (name != "ZZZ") {
                got << QString::fromStdString(name);
            }
        }
        QCOMPARE(got, names);
        if (!names.isEmpty()) {
            QCOMPARE(QString::fromStdString(result.records.front().name()), names.front());
        }
    }

    void namesAreMatchedExactly() {
        const auto result = read(join({dataLine("CAR2", "1.0"), dataLine("CAR", "2.0"),
                                       dataLine("TWIN", "3.0"), dataLine("TWIN", "4.0")}));
        QCOMPARE(masses(result.records),
                 (QStringList{"CAR2=1.0", "CAR=2.0", "TWIN=3.0", "TWIN=4.0"}));
        QCOMPARE(result.names.size(), std::size_t{4});
        QVERIFY(result.errors.empty());
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

        const auto bare = read(join({"LONELY_NAME_HERE_X"}));
        const HandlingRecord& record = bare.records.front();
        QCOMPARE(record[HandlingField::Gewicht], "");
        QCOMPARE(record[HandlingField::Flags], "");
        QCOMPARE(bare.errors.size(), std::size_t{1});
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
        QTest::newRow("the last value, emptied")
            << full << 31 << QByteArray() << 31 << QByteArray();
        QTest::newRow("the name, emptied") << full << 0 << QByteArray() << 0 << QByteArray();
        QTest::newRow("a short name alone")
            << QByteArray("LONELY_NAME_HERE_X") << 0 << QByteArray("SHORT") << -1
            << QByteArray("SHORT          ");  // one column past the name's 14
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
        record.fields[static_cast<std::size_t>(field)] = value.toStdString();
        if (field == 0) {
            document.Autos.rename(0, value.toStdString());
        }
        QCOMPARE(firstMissingValue(record).value_or(-1), missing);
        if (missing >= 0) {
            return;
        }
        QCOMPARE(qb(FormatHandlingLine(record)), written);
        const HandlingRecord reread = opened(buildSaveText(document, disk)).HandlingRecords.front();
        QCOMPARE(reread.fields, record.fields);
        QCOMPARE(reread.extraValues, record.extraValues);
        QCOMPARE(reread.trailingComment, record.trailingComment);
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

    // Name, mass and price are padded to their columns and never cut.
    void longValuesWidenTheirColumns() {
        HandlingRecord record;
        record.fields.fill("1");
        record[HandlingField::Autoname] = "ABCDEFGHIJKLMN";
        record[HandlingField::Gewicht] = "123456789.0";
        record[HandlingField::Preis] = "12345678";
        const std::string line = FormatHandlingLine(record);
        QVERIFY2(line.starts_with("ABCDEFGHIJKLMN 123456789.0 1"), line.c_str());
        QVERIFY2(line.find(" 1 12345678 1 ") != std::string::npos, line.c_str());
    }

    void saveLayout_data() {
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("comments before, between and after data lines")
            << qb(join({"; top", dataLine("BETA"), "; between", dataLine("alpha"), "; after",
                        ";the end"}))
            << qb(kHandlingHeader + join({"; top", savedLine("alpha"), savedLine("BETA"),
                                          "; between", "; after", ";the end", ""}));
        QTest::newRow("blank line before the first data line takes the block")
            << qb(join({"; one", "", "; two", dataLine("CAR")}))
            << qb(kHandlingHeader +
                  join({"; one", savedLine("CAR"), "; two", ";", ";the end", ""}));
        QTest::newRow("old header lines are replaced, not repeated")
            << qb(join({"; File created with Wendrake V1.9.3", "; HOMEPAGE: HTTPS://WENDRAKE.ORG/",
                        dataLine("CAR"), ";THE END"}))
            << qb(kHandlingHeader + join({savedLine("CAR"), ";THE END", ""}));
        QTest::newRow("no place for the block: before ;the end")
            << qb(join({"; changed on disk", ";the end", "; tail"}))
            << qb(kHandlingHeader +
                  join({"; changed on disk", savedLine("CAR"), ";the end", "; tail", ""}));
        QTest::newRow("no place for the block: at the end")
            << qb(join({"; only comments"}))
            << qb(kHandlingHeader +
                  join({"; only comments", savedLine("CAR"), ";", ";the end", ""}));
        QTest::newRow("text before a header-like comment keeps the line")
            << qb(join({"abc ; File created with Wendrake V1", dataLine("CAR")}))
            << qb(kHandlingHeader + join({"abc ; File created with Wendrake V1", savedLine("CAR"),
                                          ";", ";the end", ""}));
        QTest::newRow("a name longer than 14 is written whole")
            << qb(join({dataLine("VERY_LONG_NAME_X")}))
            << qb(kHandlingHeader + join({savedLine("VERY_LONG_NAME_X"), ";", ";the end", ""}));
        QTest::newRow("a comment after the values stays with its vehicle")
            << qb(join({dataLine("LANDSTAL") + " 1 ; tuned by Jo", ";the end"}))
            << qb(kHandlingHeader +
                  join({savedLine("LANDSTAL") + " 1 ; tuned by Jo", ";the end", ""}));
        QTest::newRow("foreign sections stay where they stood")
            << qb(join({"$ BOAT 1.0 2.0 3.0 4.0", dataLine("CAR"), "! BIKE 1.0 2.0 3.0",
                        dataLine("ALPHA"), "^ ANIM 1 2 3 4 5 6 7"}))
            << qb(kHandlingHeader +
                  join({"$ BOAT 1.0 2.0 3.0 4.0", savedLine("ALPHA"), savedLine("CAR"),
                        "! BIKE 1.0 2.0 3.0", "^ ANIM 1 2 3 4 5 6 7", ";", ";the end", ""}));
        QTest::newRow("stray short line and late comment are kept")
            << qb(join({dataLine("CAR"), "[extra]", "                ; note", ""}))
            << qb(kHandlingHeader + join({savedLine("CAR"), "[extra]", "                ; note",
                                          ";", ";the end", ""}));
    }

    void saveLayout() {
        QFETCH(QByteArray, disk);
        QFETCH(QByteArray, saved);
        if (disk.contains("1500.0")) {
            QCOMPARE(qb(saveAfterOpening(disk.toStdString())), saved);
        } else {  // the file on disk has changed since CAR was opened from it
            const EditorDocument document = opened(join({dataLine("CAR")}));
            QCOMPARE(qb(buildSaveText(document, disk.toStdString())), saved);
        }
    }

    // ";Author:Jo" (no blank after the colon) reads as "o".
    void saveReplacesAuthorAndDateOnlyWhereTheyStand() {
        const std::string disk =
            join({"; Author:Jo", "; Created yesterday", "; created by hand", dataLine("CAR")});
        EditorDocument document = opened(disk);
        document.Date = "today";
        QCOMPARE(qb(buildSaveText(document, disk)),
                 qb(kHandlingHeader + join({"; Author: o", "; Created today", "; Created today",
                                            savedLine("CAR"), ";", ";the end", ""})));

        const std::string bare = join({"; no names here", dataLine("CAR")});
        document = opened(bare);
        document.Author = "Someone";
        QVERIFY(buildSaveText(document, bare).find("Someone") == std::string::npos);

        // A line naming both is kept whole: an author or a date line in its
        // place could lose the other.
        for (const std::string line :
             {";CreatedAuthor:", "; Created 2024 by Author: Jo", ";Author:Created.1"}) {
            const std::string both = join({line, dataLine("CAR")});
            QCOMPARE(qb(saveAfterOpening(both)),
                     qb(kHandlingHeader + join({line, savedLine("CAR"), ";", ";the end", ""})));
        }
    }

    // Files of a sibling game and files edited by hand: a save writes every
    // vehicle line with all its values and its comment, and keeps every other
    // line once; the saved file opens to the same vehicles and saves again
    // to the same bytes.
    void aSaveKeepsEveryValueAndLine_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("kept");  // lines kept as they stand; the rest are vehicles
        const std::string bike = "!  BIKE    120.0 0.6 1.0 2.0 0.0 0.0 -0.1 103 1.6 0.9 0.5 5";
        const std::string boat = "$  BOAT    2200.0 3.0 8.0 4.0 0.0 0.0 0.0 14 6.5 0.8 0.6";
        const std::string plane = "%  PLANE   0.6 0.1 1.0 1.0 0.8 1.0 1.0 -0.1 0.2";
        const std::string anim = "^  ANIM    1 0.9 0.5 0.3";
        QTest::newRow("sibling game: 36 values and foreign sections")
            << qb(join({"; cars", siblingLine("CAR"), siblingLine("VAN"), "; others", bike, boat,
                        plane, anim, ";the end"}))
            << QStringList{"; cars",  "; others", qs(bike),  qs(boat),
                           qs(plane), qs(anim),   ";the end"};
        QTest::newRow("foreign lines before, between and after the cars")
            << qb(join({boat, dataLine("CAR"), bike, siblingLine("VAN"), anim}))
            << QStringList{qs(boat), qs(bike), qs(anim)};
        std::string thirtyOne = dataLine("SHORT");
        thirtyOne.erase(thirtyOne.rfind(' '));
        QTest::newRow("short lines") << qb(join({thirtyOne, "LONELY_NAME_HERE_X",
                                                 "FEW_VALUES_HERE 1.0 2.0 3.0", "           CARX"}))
                                     << QStringList{};
        QTest::newRow("comments after the values")
            << qb(join({dataLine("LANDSTAL") + " ; tuned by Jo", siblingLine("VAN") + "\t;x;y",
                        "FEW_VALUES_HERE 1.0   ; short", "LONELY_NAME_HERE_X ;", "\t; tabbed"}))
            << QStringList{"\t; tabbed"};
    }

    void aSaveKeepsEveryValueAndLine() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, kept);
        const std::string disk = file.toStdString();
        const EditorDocument document = opened(disk);
        const std::string saved = buildSaveText(document, disk);
        QStringList vehicles;
        for (const std::string_view line : splitLines(disk)) {
            if (!kept.contains(qs(line))) {
                vehicles << valuesAndComment(line);
            }
        }
        QStringList keptSeen;
        QStringList savedVehicles;
        for (const std::string_view line : splitLines(saved)) {
            if (kept.contains(qs(line))) {
                keptSeen << qs(line);
            } else if (vehicles.contains(valuesAndComment(line))) {
                savedVehicles << valuesAndComment(line);
            }
        }
        QCOMPARE(keptSeen, kept);
        QCOMPARE(sorted(savedVehicles), sorted(vehicles));

        const EditorDocument reopened = opened(saved);
        QCOMPARE(sorted(recordLines(reopened)), sorted(recordLines(document)));
        QCOMPARE(listed(reopened), listed(document));
        QCOMPARE(qb(buildSaveText(reopened, saved)), qb(saved));
    }

    // The author and date the document holds are those the saved file reads
    // back, whatever lines name them; unedited, a line naming both stays.
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
        QTest::newRow("one line names both, both edited")
            << qb(join({"; Author: A created x"})) << "B" << "2026" << "";
        QTest::newRow("one line names both, unedited")
            << qb(join({"; Author: A created x"})) << same << same << "; Author: A created x";
        QTest::newRow("line naming both after a date line, unedited")
            << qb(join({"; Created 1999", "; Author: Ann Created y"})) << same << same
            << "; Author: Ann Created y";
        QTest::newRow("line naming both before an author line, date edited")
            << qb(join({"; Author: Ann Created y", "; Author: Bob"})) << same << "2026" << "";
        QTest::newRow("author line without a mark")
            << qb(join({"Author:Jo", "; Created 1999"})) << "Bo" << same << "";
        QTest::newRow("date without a blank before it")
            << qb(join({";Date created: 1999"})) << same << "2000" << "";
        QTest::newRow("an author that names a date")
            << qb(join({"; Created 1999", "; Author: Jo"})) << "Jo created it" << same << "";
        QTest::newRow("a date that names an author")
            << qb(join({"; Author: Jo", "; Created 1999"})) << same << "by Author: Ann" << "";
        // clang-format on
    }

    void savedAuthorAndDateReadBack() {
        QFETCH(QByteArray, comments);
        QFETCH(QString, author);
        QFETCH(QString, date);
        QFETCH(QString, keptLine);
        const std::string disk = comments.toStdString() + join({dataLine("CAR")});
        EditorDocument document = opened(disk);
        if (!author.isNull()) {
            document.Author = author.toStdString();
        }
        if (!date.isNull()) {
            document.Date = date.toStdString();
        }
        const std::string saved = buildSaveText(document, disk);
        const EditorDocument reopened = opened(saved);
        QCOMPARE(qs(reopened.Author), qs(document.Author));
        QCOMPARE(qs(reopened.Date), qs(document.Date));
        if (!keptLine.isEmpty()) {
            QVERIFY2(saved.find("\r\n" + keptLine.toStdString() + "\r\n") != std::string::npos,
                     saved.c_str());
        }
        QCOMPARE(recordLines(reopened), recordLines(document));
    }

    void duplicateNamesAreWrittenOnce() {
        const std::string disk = join(
            {dataLine("TWIN", "2.0"), dataLine("CAR2"), dataLine("TWIN", "1.0"), dataLine("CAR")});
        EditorDocument document = opened(disk);
        QCOMPARE(document.Autos.size(), 4);
        QCOMPARE(qb(buildSaveText(document, disk)),
                 qb(kHandlingHeader +
                    join({savedLine("CAR"), savedLine("CAR2"), savedLine("TWIN", "2.0"),
                          savedLine("TWIN", "1.0"), ";", ";the end", ""})));
        // A record renamed to a name the list does not hold is not written.
        document.HandlingRecords[1][HandlingField::Autoname] = "GHOST";
        QVERIFY(buildSaveText(document, disk).find("CAR2") == std::string::npos);
    }

    void vehicleLineReadAndWritten_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("written");
        // clang-format off
        const char* const rows[][4] = {  // name, line, its twelve fields, the line written
            {"car with extras", "100, mycar, mycar, car, MYCAR, MYCAR, poor, 10, 7, 0, 161, 1",
             "100|mycar|mycar|car|MYCAR|MYCAR|poor|10|7|0|161|1",
             "100,\tmycar,\t\tmycar,\t\tcar,\tMYCAR,\t\tMYCAR,\t\tpoor,\t\t10, \t7, \t0, \t161, "
             "\t1"},
            {"boat of ten, blanks inside a value", "7,\tmy boat,b,boat,LONGNAME1,G,ignore,1,2,0",
             "7|myboat|b|boat|LONGNAME1|G|ignore|1|2|0||",
             "7,\tmyboat,\t\tb,\t\tboat,\tLONGNAME1,\tG,\t\tignore,\t\t1, \t2, \t0, \t"},
            {"plane ends with its extra", "8,p,p,plane,P,P,ignore,1,2,3,-1",
             "8|p|p|plane|P|P|ignore|1|2|3|-1|",
             "8,\tp,\t\tp,\t\tplane,\tP,\t\tP,\t\tignore,\t\t1, \t2, \t3, \t-1"},
            // A line keeps exactly its values, whatever its type: none is cut,
            // none is made up.
            {"car without extras, trailing comma", "9,a,b,car,H,G,ignore,1,2,3,",
             "9|a|b|car|H|G|ignore|1|2|3||",
             "9,\ta,\t\tb,\t\tcar,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t"},
            {"car with one extra", "2,a,b,car,H,G,ignore,1,2,3,160",
             "2|a|b|car|H|G|ignore|1|2|3|160|",
             "2,\ta,\t\tb,\t\tcar,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t160"},
            {"nine and a trailing comma are ten", "5,a,b,boat,H,G,ignore,1,2,",
             "5|a|b|boat|H|G|ignore|1|2|||",
             "5,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t"},
            {"other case of car keeps its extras", "6,a,b,Car,H,G,ignore,1,2,3,160,0.5",
             "6|a|b|Car|H|G|ignore|1|2|3|160|0.5",
             "6,\ta,\t\tb,\t\tCar,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t160, \t0.5"},
            {"boat keeps extras", "3,a,b,boat,H,G,ignore,1,2,3,4,",
             "3|a|b|boat|H|G|ignore|1|2|3|4|",
             "3,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t4"},
            {"values after the twelfth are kept",
             "90,ambulan,ambulan,car,AMBULAN,AMBULAN,null,normal,10,7,0,255,0.8,0.8,0",
             "90|ambulan|ambulan|car|AMBULAN|AMBULAN|null|normal|10|7|0|255",
             "90,\tambulan,\tambulan,\tcar,\tAMBULAN,\tAMBULAN,\tnull,\t\tnormal, \t10, \t7, "
             "\t0, \t255, \t0.8, \t0.8, \t0"},
            {"empty values between are kept", "1,a,b,plane,H,G,ignore,1,2,3,,,,x,",
             "1|a|b|plane|H|G|ignore|1|2|3||",
             "1,\ta,\t\tb,\t\tplane,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t, \t, \t, \tx"},
            {"an empty last extra", "1,a,b,plane,H,G,ignore,1,2,3,,", "1|a|b|plane|H|G|ignore|1|2|3||",
             "1,\ta,\t\tb,\t\tplane,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t,"},
            {"an empty last later value", "1,a,b,boat,H,G,ignore,1,2,3,4,5,6,,",
             "1|a|b|boat|H|G|ignore|1|2|3|4|5",
             "1,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t4, \t5, \t6, \t,"},
            {"trailing comment kept once", "4,a,b,boat,H,G,ignore,1,2,3 # my boat, 2",
             "4|a|b|boat|H|G|ignore|1|2|3||",
             "4,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t # my boat, 2"}};
        // clang-format on
        for (const auto& [name, line, fields, written] : rows) {
            QTest::newRow(name) << QByteArray(line) << QString(fields).split(QLatin1Char('|'))
                                << QByteArray(written);
        }
    }

    void vehicleLineReadAndWritten() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, written);
        const std::string file = join({"cars", line.toStdString(), "end"});
        const VehicleDefReadResult read = LoadVehicleDefFile(file, "few ");
        QVERIFY(!read.failure);
        QCOMPARE(read.records.size(), std::size_t{1});
        QStringList got;
        for (const std::string& field : read.records[0].fields) {
            got << QString::fromStdString(field);
        }
        QCOMPARE(got, fields);
        QCOMPARE(read.names, std::vector<std::string>{read.records[0].name()});
        const std::string saved = BuildVehicleDefText(file, read.records);
        QCOMPARE(qb(saved), qb(kHeader + join({"cars", written.toStdString(), "end"})));
        QVERIFY(LoadVehicleDefFile(saved, "few ").records == read.records);
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
        read.records[0][static_cast<VehicleDefField>(field)] = "7";
        QCOMPARE(qb(FormatVehicleDefLine(read.records[0])), written);
    }

    void vehicleLineWithTooFewValuesStopsAtItsLine() {
        const std::string file =
            join({"# top", "objs", "1, a, b", "end", "cars", "1,a,b,car,H,G,ignore,1,2,3",
                  "2,a,b,car,H,G,ignore,1,2", "end"});
        const VehicleDefReadResult read = LoadVehicleDefFile(file, "too few in line ");
        QVERIFY(read.failure);
        QVERIFY(read.failure->messageOnly);
        QCOMPARE(read.failure->description, "too few in line 7");
    }

    void vehicleDefinitionLayout_data() {
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QByteArray>("saved");
        const std::string a = "1,a,b,boat,A,G,ignore,1,2,3";
        const std::string aOut = "1,\ta,\t\tb,\t\tboat,\tA,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t";
        const std::string b = "2,a,b,boat,B,G,ignore,1,2,3";
        const std::string bOut = "2,\ta,\t\tb,\t\tboat,\tB,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t";
        QTest::newRow("sections and comments keep their places")
            << qb(join({"# File created with Wendrake V1.0.0", "# HOMEPAGE: https://wendrake.org/",
                        "objs", "10, x, y, 1", "end", "cars", "# boats", a, "", "# between", b,
                        "end", "peds", "20, z", "end"}))
            << qb(kHeader + join({"objs", "10, x, y, 1", "end", "cars", "# boats", aOut, bOut,
                                  "# between", "end", "peds", "20, z", "end"}));
        QTest::newRow("second cars section joins the first")
            << qb(join({"cars", a, "end", "cars", b, "end"}))
            << qb(kHeader + join({"cars", aOut, bOut, "end", "cars", "end"}));
        QTest::newRow("no vehicle lines: every line back")
            << qb(join({"cars", "# none yet", "end", "", ""}))
            << qb(kHeader + join({"cars", "# none yet", "end"}));
        QTest::newRow("blank lines of a section without vehicles stay")
            << qb(join({"cars", "", "# none yet", "", "end"}))
            << qb(kHeader + join({"cars", "", "# none yet", "", "end"}));
        QTest::newRow("longer words are no section keywords")
            << qb(join({"carsx", a, "end"})) << qb(kHeader + join({"carsx", a, "end"}));
        QTest::newRow("old header last: the blank line before it goes too")
            << QByteArray("\r# Homepage: https://wendrake.org/") << qb(kHeader);
        QTest::newRow("text before a header-like comment keeps the line")
            << qb(join({"objs # File created with Wendrake V1", "1, x", "end"}))
            << qb(kHeader + join({"objs # File created with Wendrake V1", "1, x", "end"}));
    }

    void vehicleDefinitionLayout() {
        QFETCH(QByteArray, disk);
        QFETCH(QByteArray, saved);
        QCOMPARE(qb(saveAfterOpening(disk.toStdString(), DataFileKind::VehicleDefs)),
                 saved + "\r\n");
    }

    void paletteLines_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("listText");
        QTest::addColumn<QByteArray>("written");
        // clang-format off
        const char* const rows[][4] = {
            {"tabs and a name", "12,34,56\t\t# 4 teal", "teal - 12,34,56",
             "12,34,56\t\t\t# 0 teal"},
            {"short values get four tabs", "0,0,255\t# 1 blue", "blue - 0,0,255",
             "0,0,255\t\t\t\t# 0 blue"},
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
        const CarColourReadResult again =
            LoadCarColourFile(join({"col", written.toStdString(), "end"}), kColourTexts);
        QCOMPARE(again.palette, read.palette);
    }

    void carLines() {
        const std::string file = join({"col", "1,1,1\t# 0 a", "# greys", "2,2,2\t# 1 b", "end",
                                       "car", "mycar, 1,2, 3,4", "other,0,1 # rare", "end"});
        const CarColourReadResult read = LoadCarColourFile(file, kColourTexts);
        QVERIFY(!read.failure);
        QCOMPARE(read.palette.size(), std::size_t{2});
        QCOMPARE(read.palette[1].Number, std::int16_t{1});
        QCOMPARE(read.names, (std::vector<std::string>{"mycar", "other"}));
        QCOMPARE(read.cars[0].Color1, (std::vector<std::int16_t>{1, 3}));
        QCOMPARE(read.cars[0].Color2, (std::vector<std::int16_t>{2, 4}));
        QCOMPARE(FormatCarColourLine(read.cars[0]), "mycar, 1, 2, 3, 4");
        QCOMPARE(FormatCarColourLine(read.cars[1]), "other, 0, 1 # rare");

        // "col" inside a car section opens no palette.
        const CarColourReadResult nested =
            LoadCarColourFile(join({"car", "col 1,2,3", "4,5,6", "end"}), kColourTexts);
        QVERIFY(nested.palette.empty());
        QCOMPARE(nested.names, (std::vector<std::string>{"col1", "4"}));
    }

    void carColourFailures_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("messageOnly");
        QTest::addColumn<QByteArray>("description");
        QTest::newRow("too few values")
            << qb(join({"col", "1,1,1\t# 0 a", "end", "car", "mycar, 1", "end"})) << true
            << QByteArray("too few in line 5");
        QTest::newRow("odd number of colour values")
            << qb(join({"car", "mycar, 1, 2, 3", "end"})) << false
            << QByteArray("not a number in line 2: \"\"");
        QTest::newRow("not a number") << qb(join({"col", "1,x,1\t# 0 a", "end"})) << false
                                      << QByteArray("not a number in line 2: \"x\"");
        QTest::newRow("beyond 16 bits") << qb(join({"car", "mycar, 40000, 1", "end"})) << false
                                        << QByteArray("not a number in line 2: \"40000\"");
    }

    void carColourFailures() {
        QFETCH(QByteArray, file);
        QFETCH(bool, messageOnly);
        QFETCH(QByteArray, description);
        const CarColourReadResult read = LoadCarColourFile(file.toStdString(), kColourTexts);
        QVERIFY(read.failure);
        QCOMPARE(read.failure->messageOnly, messageOnly);
        QCOMPARE(qb(read.failure->description), description);
    }

    void carColourLayout_data() {
        QTest::addColumn<QByteArray>("disk");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("sections, comments and a second palette keep their places")
            << qb(join({"# File created with Wendrake V1", "# cols", "col", "# reds",
                        "255,0,0\t# 0 red", "", "0,255,0\t# 1 green", "end", "col", "9,9,9", "end",
                        "car", "a, 0,1", "# later", "b, 1,0 # b", "end", "other", "x", "end"}))
            << qb(kHeader +
                  join({"# cols", "col", "# reds", "255,0,0\t\t\t\t# 0 red",
                        "0,255,0\t\t\t\t# 1 green", "end", "col", "9,9,9", "end", "car", "a, 0, 1",
                        "b, 1, 0 # b", "# later", "end", "other", "x", "end"}));
        QTest::newRow("no car lines: every line back")
            << qb(join({"col", "1,2,3\t\t\t\t# 0 x", "end", "car", "end", ""}))
            << qb(kHeader + join({"col", "1,2,3\t\t\t\t# 0 x", "end", "car", "end"}));
        QTest::newRow("blank lines of sections without records stay")
            << qb(join({"col", "", "# none", "end", "car", "", "end"}))
            << qb(kHeader + join({"col", "", "# none", "end", "car", "", "end"}));
        QTest::newRow("models named like keywords")
            << qb(join({"car", "endeavour, 0,0", "end"}))
            << qb(kHeader + join({"car", "endeavour, 0, 0", "end"}));
        QTest::newRow("old header last: the blank line before it goes too")
            << qb(join({"col", "1,2,3\t\t\t\t# 0 x", "end", "", "# File created with Wendrake V1"}))
            << qb(kHeader + join({"col", "1,2,3\t\t\t\t# 0 x", "end"}));
        QTest::newRow("text before a header-like comment keeps the line")
            << qb(join({"abc# Homepage: https://wendrake.org/", "car", "a, 0, 1", "end"}))
            << qb(kHeader +
                  join({"abc# Homepage: https://wendrake.org/", "car", "a, 0, 1", "end"}));
        // Sections never overlap: a keyword inside one is a line of it.
        QTest::newRow("car inside a palette without end is no section")
            << QByteArray("col\rcar\n,0,2") << qb(kHeader + join({"col", "car", ",0,2"}));
        QTest::newRow("col inside a car section is a model")
            << qb(join({"car", "col 1,2,3", "4,5,6", "end"}))
            << qb(kHeader + join({"car", "col1, 2, 3", "4, 5, 6", "end"}));
    }

    void carColourLayout() {
        QFETCH(QByteArray, disk);
        QFETCH(QByteArray, saved);
        QCOMPARE(qb(saveAfterOpening(disk.toStdString(), DataFileKind::CarColours)),
                 saved + "\r\n");
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
        const auto handling = static_cast<int>(DataFileKind::Handling);
        const QByteArray cars = qb(join({dataLine("ARROW"), dataLine("BRISK")}));
        QTest::newRow("handling file now only comments") << handling << cars << qb(join({"; x"}));
        QTest::newRow("handling file now empty") << handling << cars << QByteArray();

        using Lines = std::vector<std::string>;
        // Every way a section can stand on disk: whole, without "end", without
        // record lines, or not at all.
        const auto section = [](const std::string& keyword, const std::string& line) {
            return std::vector<std::pair<const char*, Lines>>{{"whole", {keyword, line, "end"}},
                                                              {"no end", {keyword, line}},
                                                              {"empty", {keyword, "", "end"}},
                                                              {"gone", {}}};
        };
        // Two sections (the second "other" where a file has one section of
        // ours) in both orders, between comment lines.
        const auto addVariants = [](int kind, const std::string& file, const QByteArray& original,
                                    const auto& first, const auto& second) {
            for (const auto& [firstName, firstLines] : first) {
                for (const auto& [secondName, secondLines] : second) {
                    for (const bool swapped : {false, true}) {
                        std::string disk;
                        for (const Lines& part :
                             {Lines{"# top"}, swapped ? secondLines : firstLines, Lines{"# middle"},
                              swapped ? firstLines : secondLines}) {
                            for (const std::string& line : part) {
                                disk += line + "\r\n";
                            }
                        }
                        const std::string name = file + ": " + firstName +
                                                 (swapped ? " after " : " before ") + secondName;
                        QTest::newRow(name.c_str()) << kind << original << qb(disk);
                    }
                }
            }
            QTest::newRow((file + ": empty file").c_str()) << kind << original << QByteArray();
            QTest::newRow((file + ": only comments").c_str())
                << kind << original << qb(join({"# a", "", "# b"}));
        };
        const auto defs = static_cast<int>(DataFileKind::VehicleDefs);
        const QByteArray ide =
            qb(join({"cars", "1,a,b,boat,A,G,ignore,1,2,3", "2,c,d,car,B,G,ignore,1,2,3,4,5",
                     "3,e,f,car,C,G,ignore,1,2,3,4,5,6,7", "4,g,h,plane,D,G,ignore,1,2,", "end"}));
        addVariants(defs, "ide", ide, section("cars", "7,x,y,boat,Q,G,ignore,1,2,3"),
                    section("objs", "1, x, y, 1"));
        const auto colours = static_cast<int>(DataFileKind::CarColours);
        const QByteArray dat = qb(join(
            {"col", "1,2,3\t# 0 x", "4,5,6\t#1 y", "end", "car", "a, 0,1", "b, 1,1, 0,0", "end"}));
        addVariants(colours, "dat", dat, section("col", "9,9,9\t# 0 z"), section("car", "q, 1,1"));
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

    // A section line with a comment ("car#", "col # greys", "end # reds",
    // "cars # boats") opens or closes its section for the save as for the
    // reader: edited records are written there, not the old lines copied,
    // and a later section is left whole.
    void commentedSectionLinesKeepEdits() {
        const std::string cars =
            repairLineEnds("car#\n,2,2");  // as fuzz_roundtrip_carcolour found it
        EditorDocument document = opened(cars, DataFileKind::CarColours);
        document.CarColourRecords[0].ModelName = "mycar";
        QCOMPARE(qb(buildSaveText(document, cars)),
                 qb(kHeader + join({"car#", "mycar, 2, 2", ""})));

        const std::string palette = join(
            {"col # greys", "100,110,120 # 0 grey", "end # reds", "col", "1,1,1 # 0 other", "end"});
        document = opened(palette, DataFileKind::CarColours);
        document.ColourEntries[0].Red = 101;
        QCOMPARE(qb(buildSaveText(document, palette)),
                 qb(kHeader + join({"col # greys", "101,110,120\t\t\t# 0 grey", "end # reds", "col",
                                    "1,1,1 # 0 other", "end", ""})));

        const std::string ide = join({"cars # boats", "1,a,b,boat,A,G,ignore,1,2,3", "end"});
        document = opened(ide, DataFileKind::VehicleDefs);
        document.VehicleDefRecords[0][VehicleDefField::Frequenz] = "5";
        QCOMPARE(qb(buildSaveText(document, ide)),
                 qb(kHeader + join({"cars # boats",
                                    "1,\ta,\t\tb,\t\tboat,\tA,\t\tG,\t\tignore,\t\t5, \t2, \t3, \t",
                                    "end", ""})));
    }

    // The colour editor's steps are shown in the window tests; here what
    // the file then holds.
    void deletedAndNewColoursAreWrittenRenumbered() {
        std::string file = "col\r\n";
        for (int i = 0; i < 5; ++i) {
            const std::string n = std::to_string(i);
            file += n + ",0,0\t# " + n + " c" + n + "\r\n";
        }
        file += join({"end", "car", "a, 1,2, 3,4", "b, 2,0", "end"});
        EditorDocument document = opened(file, DataFileKind::CarColours);
        deleteColour(document.ColourEntries, document.CarColourRecords, 2);
        appendNewColour(document.ColourEntries);
        const std::string saved = buildSaveText(document, file);
        QVERIFY(saved.find("3,0,0\t\t\t\t# 2 c3\r\n") != std::string::npos);
        QVERIFY(saved.find("0,128,255\t\t\t# 4 Color4\r\nend\r\n") != std::string::npos);
        QVERIFY(saved.find("a, 1, 0, 2, 3\r\nb, 0, 0\r\n") != std::string::npos);

        // A palette with neither colour lines nor "end" takes them at the end.
        const std::string bare = join({"col"});
        document = opened(bare, DataFileKind::CarColours);
        appendNewColour(document.ColourEntries);
        QCOMPARE(qb(buildSaveText(document, bare)),
                 qb(kHeader + join({"col", FormatPaletteLine(document.ColourEntries[0]), ""})));
    }

    void exchangeFileOfChosenVehicles() {
        const EditorDocument document = opened(
            join({dataLine("TWIN", "1.0"), dataLine("SOLO", "2.0"), dataLine("TWIN", "3.0")}));
        const auto& records = document.HandlingRecords;
        QCOMPARE(
            qb(BuildExchangeFile(records, {"SOLO"}, "", "")),
            qb(join({"; File created with Wendrake V2.0.0", "; Homepage: https://wendrake.org/",
                     "; Author: ", "; Created ", ";", "; > COMMENTS <", "; ------------",
                     "; TWEAK AT YOUR OWN RISK", ";", "; > THE DATA <", "; ------------", ";",
                     FormatHandlingLine(records[1]), ";", ";the end"})));

        // Every record of a chosen name, in table order; a name chosen twice
        // twice; an unknown name nothing.
        const std::string many =
            BuildExchangeFile(records, {"TWIN", "GONE", "SOLO", "TWIN"}, "Jo", "today");
        QVERIFY(many.find("; Author: Jo\r\n; Created today\r\n") != std::string::npos);
        std::string data;
        for (std::size_t index : {0, 2, 1, 0, 2}) {
            data += FormatHandlingLine(records[index]) + "\r\n";
        }
        QVERIFY(many.find(";\r\n" + data + ";\r\n;the end\r\n") != std::string::npos);
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
        QCOMPARE(list.recordAt(0), 5);
        QCOMPARE(list.recordAt(4), 4);
        QCOMPARE(list.recordAt(1), 2);
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

    void shortLanguageFileFallsBackToEnglish() {
        const std::string german = contents(kLanguages + "Deutsch.lng").toStdString();
        LanguageTable full;
        full.load(german);
        // A file of the older program: texts 169 and later are missing.
        std::string older;
        const auto lines = splitLines(german);
        for (std::size_t k = 0; k < 169; ++k) {
            older += std::string(lines[k]) + "\r\n";
        }
        LanguageTable table;
        table.load(german);
        table.load(older);
        const LanguageTable english;
        for (int k = 0; k < LanguageTable::kSize; ++k) {
            QCOMPARE(table.text(k), k < 169 ? full.text(k) : english.text(k));
        }
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

        std::string big;
        for (int i = 0; i < 200; ++i) {
            big += "t" + std::to_string(i) + "\r\n";
        }
        table.load(big);
        QCOMPARE(table.text(LanguageTable::kSize - 1),
                 "t" + std::to_string(LanguageTable::kSize - 1));
        QCOMPARE(table.text(LanguageTable::kSize), "");

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
