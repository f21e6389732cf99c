#include <QtTest>

#include <QDir>
#include <QFile>

#include "HandlingFixtures.h"
#include "model/DataFileKind.h"
#include "model/DocumentFiles.h"
#include "model/HandlingBuilder.h"
#include "model/HandlingReader.h"
#include "model/LanguageTable.h"
#include "model/Numeric.h"
#include "model/TextLines.h"
#include "model/VehicleList.h"

using namespace wendrake;
using namespace wendrake::fixtures;

namespace {

QByteArray qb(const std::string& s) {
    return QByteArray::fromStdString(s);
}

HandlingReadTexts testTexts() {
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
    return LoadHandlingFile(bytes, testTexts(), {"too many", "no vehicle"});
}

// Opens the bytes as the editor does and returns what a save writes.
std::string saveAfterOpening(const std::string& bytes) {
    LanguageTable language;
    EditorDocument document;
    const std::string repaired = needsLineEndRepair(bytes) ? repairLineEnds(bytes) : bytes;
    if (loadIntoDocument(document, DataFileKind::Handling, repaired, language)) {
        return "<failed>";
    }
    return buildSaveText(document, repaired);
}

std::string join(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

QStringList fixtureFiles() {
    QStringList files;
    for (const QString& dir :
         {QStringLiteral(WENDRAKE_TEST_DATA "/handling"), QStringLiteral(WENDRAKE_SAMPLES)}) {
        for (const QString& name : QDir(dir).entryList({QStringLiteral("*.cfg")}, QDir::Files)) {
            files << dir + QLatin1Char('/') + name;
        }
    }
    return files;
}

std::string fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readAll().toStdString();
}

}  // namespace

class ModelTests : public QObject {
    Q_OBJECT
  private slots:
    void lineEnds_data();
    void lineEnds();
    void lineEndRepair_data();
    void lineEndRepair();
    void numeric_data();
    void numeric();
    void fileKind_data();
    void fileKind();

    void dataLineClassification_data();
    void dataLineClassification();
    void namesAreMatchedExactly();
    void wrongValueCountIsReportedOnceWithDefaults();
    void badValuesAreReportedOnceAndKept();
    void authorAndDate_data();
    void authorAndDate();
    void tooManyVehiclesFailsCleanly();
    void fileWithoutVehiclesFails();

    void formatLinePadsOnlyNameMassAndPrice();
    void saveLayout_data();
    void saveLayout();
    void saveReplacesAuthorAndDateOnlyWhereTheyStand();
    void duplicateNamesAreWrittenOnce();
    void saveIsStableOnEveryFixture_data();
    void saveIsStableOnEveryFixture();
    void lineEndVariantsSaveIdentically();

    void vehicleListOrder();
    void languageFile();
};

void ModelTests::lineEnds_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringList{"a", "b"};
    QTest::newRow("bare lf stays in line") << QByteArray("a\nb\r\n") << QStringList{"a\nb"};
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << QStringList{"", "", "x"};
    QTest::newRow("cr then crlf") << QByteArray("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("empty text") << QByteArray("") << QStringList{};
}

void ModelTests::lineEnds() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lines);
    QStringList got;
    const std::string bytes = text.toStdString();
    for (const std::string_view line : splitLines(bytes)) {
        got << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    }
    QCOMPARE(got, lines);
}

void ModelTests::lineEndRepair_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("needed");
    QTest::addColumn<QByteArray>("repaired");
    QTest::newRow("lf only") << QByteArray("a\nb\n") << true << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("mixed, no final end")
        << QByteArray("a\r\nb\nc") << true << QByteArray("a\r\nb\r\nc\r\n\r\n");
    QTest::newRow("lone cr kept apart")
        << QByteArray("a\rb\n") << true << QByteArray("a\r\nb\r\n\r\n");
    QTest::newRow("crlf untouched") << QByteArray("a\r\nb\r\n") << false << QByteArray();
    QTest::newRow("cr only untouched") << QByteArray("a\rb\r") << false << QByteArray();
}

void ModelTests::lineEndRepair() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, needed);
    QFETCH(QByteArray, repaired);
    QCOMPARE(needsLineEndRepair(bytes.toStdString()), needed);
    if (needed) {
        QCOMPARE(qb(repairLineEnds(bytes.toStdString())), repaired);
    }
}

void ModelTests::numeric_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("numeric");
    for (const char* yes : {"0", "-1", "+2.5", "1.", ".5", "1e5", "1.5E-3", "007", "-.5e+2"}) {
        QTest::newRow(yes) << QString::fromLatin1(yes) << true;
    }
    for (const char* no :
         {"", ".", "-", "1e", "e5", "1.2.3", "1,5", "0x1F", "1 2", "R", "1e5.0", "+-1", "12a"}) {
        QTest::newRow(*no ? no : "empty") << QString::fromLatin1(no) << false;
    }
}

void ModelTests::numeric() {
    QFETCH(QString, token);
    QFETCH(bool, numeric);
    QCOMPARE(isNumeric(token.toStdString()), numeric);
}

void ModelTests::fileKind_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("filter");
    QTest::addColumn<int>("kind");  // -1: unknown
    QTest::newRow("cfg, first filter") << "/g/handling.cfg" << 1 << 0;
    QTest::newRow("backup, first filter") << "/g/handling.cfg.backup" << 1 << 0;
    QTest::newRow("cfg, second filter") << "/g/handling.cfg" << 2 << -1;
    QTest::newRow("capital extension") << "/g/HANDLING.CFG" << 1 << -1;
    QTest::newRow("ide, second filter") << "/g/default.ide" << 2 << 1;
    QTest::newRow("dat backup, third filter") << "/g/carcols.dat.backup" << 3 << 2;
    QTest::newRow("other backup") << "/g/file.txt.backup" << 1 << -1;
}

void ModelTests::fileKind() {
    QFETCH(QString, path);
    QFETCH(int, filter);
    QFETCH(int, kind);
    const auto got = kindFromFileNameAndFilter(path.toStdString(), filter);
    QCOMPARE(got ? static_cast<int>(*got) : -1, kind);
}

void ModelTests::dataLineClassification_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("exactly 14 characters") << QByteArray("ABCDEFGHIJKLMN") << QStringList{};
    QTest::newRow("; within 14") << QByteArray("CAR 1.0 ; 2.0 3.0 4.0 5.0") << QStringList{};
    QTest::newRow("; after 14 cuts the comment")
        << QByteArray::fromStdString(dataLine("CAR") + " ; tuned") << QStringList{"CAR"};
    QTest::newRow("blanks and a late comment")
        << QByteArray("                ; note") << QStringList{};
    QTest::newRow("indented line")
        << QByteArray::fromStdString("   " + dataLine("CAR")) << QStringList{"CAR"};
    QTest::newRow("tabs between values")
        << QByteArray("CAR\t1.0\t\t2.0  3.0 \t4.0") << QStringList{"CAR"};
    QTest::newRow("name longer than 14") << QByteArray::fromStdString(dataLine("VERY_LONG_NAME_X"))
                                         << QStringList{"VERY_LONG_NAME_X"};
}

void ModelTests::dataLineClassification() {
    QFETCH(QByteArray, line);
    QFETCH(QStringList, names);
    const std::string bytes = join({"; head", line.toStdString(), dataLine("ZZZ")});
    const HandlingReadResult result = read(bytes);
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

void ModelTests::namesAreMatchedExactly() {
    const auto result = read(join({dataLine("CAR2", "1.0"), dataLine("CAR", "2.0"),
                                   dataLine("TWIN", "3.0"), dataLine("TWIN", "4.0")}));
    QCOMPARE(result.records.size(), std::size_t{4});
    QStringList masses;
    for (const auto& record : result.records) {
        masses << QString::fromStdString(record.name() + "=" + record[HandlingField::Gewicht]);
    }
    QCOMPARE(masses, (QStringList{"CAR2=1.0", "CAR=2.0", "TWIN=3.0", "TWIN=4.0"}));
    QCOMPARE(result.names.size(), std::size_t{4});
    QVERIFY(result.errors.empty());
}

void ModelTests::wrongValueCountIsReportedOnceWithDefaults() {
    std::string shortLine = dataLine("SHORT");
    shortLine.erase(shortLine.rfind(' '));  // drop the rear lights
    const auto result = read(join({shortLine, dataLine("LONG") + " 9"}));
    QCOMPARE(result.errors.size(), std::size_t{2});
    QCOMPARE(result.errors[0], (ErrorListEntry{"SHORT", "", "count: 31 values"}));
    QCOMPARE(result.errors[1], (ErrorListEntry{"LONG", "", "count: 33 values"}));
    QCOMPARE(qb(result.records[0][HandlingField::RearLichter]), QByteArray("0"));
    QCOMPARE(qb(result.records[1][HandlingField::RearLichter]), QByteArray("0"));

    // A line of only a name takes every default.
    const auto bare = read(join({"LONELY_NAME_HERE_X"}));
    const HandlingRecord& record = bare.records.front();
    QCOMPARE(qb(record[HandlingField::Gewicht]), QByteArray("0.0"));
    QCOMPARE(qb(record[HandlingField::Antrieb]), QByteArray("F"));
    QCOMPARE(qb(record[HandlingField::MotorTyp]), QByteArray("P"));
    QCOMPARE(qb(record[HandlingField::Flags]), QByteArray("0000"));
    QCOMPARE(qb(record[HandlingField::Preis]), QByteArray("0"));
    QCOMPARE(bare.errors.size(), std::size_t{1});
}

void ModelTests::badValuesAreReportedOnceAndKept() {
    std::string badEngine = dataLine("BAD_ENGINE");
    badEngine.replace(badEngine.find(" R P "), 5, " R 7 ");
    const auto result = read(join({dataLine("1234"), dataLine("HEAVY", "heavy"), badEngine}));
    QCOMPARE(result.errors.size(), std::size_t{3});
    QCOMPARE(result.errors[0], (ErrorListEntry{"1234", "field0", "no number", 0}));
    QCOMPARE(result.errors[1], (ErrorListEntry{"HEAVY", "field1", "number", 1}));
    QCOMPARE(result.errors[2], (ErrorListEntry{"BAD_ENGINE", "field16", "no number", 16}));
    QCOMPARE(qb(result.records[1][HandlingField::Gewicht]), QByteArray("heavy"));
    QCOMPARE(qb(result.records[2][HandlingField::MotorTyp]), QByteArray("7"));
}

void ModelTests::authorAndDate_data() {
    QTest::addColumn<QByteArray>("comments");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("date");
    QTest::newRow("plain") << QByteArray("; Author: Jo Tester\r\n; Created 2026-01-15\r\n")
                           << "Jo Tester"
                           << "2026-01-15";
    QTest::newRow("no blank after Author: loses a character") << QByteArray(";Author:Jo\r\n") << "o"
                                                              << "";
    QTest::newRow("any case, later line wins")
        << QByteArray("; AUTHOR: one\r\n; author:  two  \r\n") << "two"
        << "";
    QTest::newRow("own header is no date")
        << QByteArray("; File created with Wendrake V1.0.0\r\n") << ""
        << "";
    QTest::newRow("data line comment is not read")
        << QByteArray::fromStdString(dataLine("CAR") + " ; Author: nobody\r\n") << ""
        << "";
}

void ModelTests::authorAndDate() {
    QFETCH(QByteArray, comments);
    QFETCH(QString, author);
    QFETCH(QString, date);
    const auto result = read(comments.toStdString() + join({dataLine("ZZZ")}));
    QCOMPARE(QString::fromStdString(result.author), author);
    QCOMPARE(QString::fromStdString(result.date), date);
}

void ModelTests::tooManyVehiclesFailsCleanly() {
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
    QCOMPARE(qb(result.failure->description), QByteArray("too many"));
}

void ModelTests::fileWithoutVehiclesFails() {
    const auto result = read(join({"; nothing here", "", ";the end"}));
    QVERIFY(result.failure);
    QCOMPARE(qb(result.failure->description), QByteArray("no vehicle"));
}

void ModelTests::formatLinePadsOnlyNameMassAndPrice() {
    HandlingRecord record;
    for (auto& field : record.fields) {
        field = "1";
    }
    record[HandlingField::Autoname] = "ABCD";
    record[HandlingField::Gewicht] = "1500.0";
    record[HandlingField::Preis] = "12345";
    record[HandlingField::TractionMulti] = "0.900";
    const std::string line = FormatHandlingLine(record);
    QVERIFY2(line.starts_with("ABCD            1500.0 1 1"), line.c_str());
    QVERIFY2(line.find(" 0.900 ") != std::string::npos, line.c_str());
    QVERIFY2(line.find(" 1  12345 1 ") != std::string::npos, line.c_str());

    record[HandlingField::Autoname] = "ABCDEFGHIJKLMN";
    record[HandlingField::Gewicht] = "123456789.0";
    record[HandlingField::Preis] = "12345678";
    const std::string wide = FormatHandlingLine(record);
    QVERIFY2(wide.starts_with("ABCDEFGHIJKLMN 123456789.0 1"), wide.c_str());
    QVERIFY2(wide.find(" 1 12345678 1 ") != std::string::npos, wide.c_str());
}

void ModelTests::saveLayout_data() {
    QTest::addColumn<QByteArray>("disk");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("comments before, between and after data lines")
        << qb(join(
               {"; top", dataLine("BETA"), "; between", dataLine("alpha"), "; after", ";the end"}))
        << qb(kHeader + join({"; top", savedLine("alpha"), savedLine("BETA"), "; between",
                              "; after", ";the end", ""}));
    QTest::newRow("blank line before the first data line takes the block")
        << qb(join({"; one", "", "; two", dataLine("CAR")}))
        << qb(kHeader + join({"; one", savedLine("CAR"), "; two", ";", ";the end", ""}));
    QTest::newRow("old header lines are replaced, not repeated")
        << qb(join({"; File created with Wendrake V1.9.3", "; HOMEPAGE: HTTPS://WENDRAKE.ORG/",
                    dataLine("CAR"), ";THE END"}))
        << qb(kHeader + join({savedLine("CAR"), ";THE END", ""}));
    QTest::newRow("no place for the block: before ;the end")
        << qb(join({"; changed on disk", ";the end", "; tail"}))
        << qb(kHeader + join({"; changed on disk", savedLine("CAR"), ";the end", "; tail", ""}));
    QTest::newRow("no place for the block: at the end")
        << qb(join({"; only comments"}))
        << qb(kHeader + join({"; only comments", savedLine("CAR"), ";", ";the end", ""}));
    QTest::newRow("stray short line and late comment are kept")
        << qb(join({dataLine("CAR"), "[extra]", "                ; note", ""}))
        << qb(kHeader +
              join({savedLine("CAR"), "[extra]", "                ; note", ";", ";the end", ""}));
}

void ModelTests::saveLayout() {
    QFETCH(QByteArray, disk);
    QFETCH(QByteArray, saved);
    // The records in memory are those of the file as first opened.
    const std::string opened = join({dataLine("CAR")});
    if (disk.contains("BETA")) {
        QCOMPARE(qb(saveAfterOpening(disk.toStdString())), saved);
        return;
    }
    LanguageTable language;
    EditorDocument document;
    QVERIFY(!loadIntoDocument(document, DataFileKind::Handling, opened, language));
    QCOMPARE(qb(buildSaveText(document, disk.toStdString())), saved);
}

void ModelTests::saveReplacesAuthorAndDateOnlyWhereTheyStand() {
    const std::string disk =
        join({"; Author:Jo", "; Created yesterday", "; created by hand", dataLine("CAR")});
    LanguageTable language;
    EditorDocument document;
    QVERIFY(!loadIntoDocument(document, DataFileKind::Handling, disk, language));
    QCOMPARE(qb(document.Author), QByteArray("o"));
    document.Date = "today";
    QCOMPARE(qb(buildSaveText(document, disk)),
             qb(kHeader + join({"; Author: o", "; Created today", "; Created today",
                                savedLine("CAR"), ";", ";the end", ""})));

    const std::string bare = join({"; no names here", dataLine("CAR")});
    QVERIFY(!loadIntoDocument(document, DataFileKind::Handling, bare, language));
    document.Author = "Someone";
    QVERIFY(buildSaveText(document, bare).find("Someone") == std::string::npos);
}

void ModelTests::duplicateNamesAreWrittenOnce() {
    const std::string disk =
        join({dataLine("TWIN", "2.0"), dataLine("CAR2"), dataLine("TWIN", "1.0"), dataLine("CAR")});
    LanguageTable language;
    EditorDocument document;
    QVERIFY(!loadIntoDocument(document, DataFileKind::Handling, disk, language));
    QCOMPARE(document.Autos.size(), 4);
    const std::string saved = buildSaveText(document, disk);
    QCOMPARE(qb(saved),
             qb(kHeader + join({savedLine("CAR"), savedLine("CAR2"), savedLine("TWIN", "2.0"),
                                savedLine("TWIN", "1.0"), ";", ";the end", ""})));
    // A record renamed to a name the list does not hold is not written.
    document.HandlingRecords[1][HandlingField::Autoname] = "GHOST";
    QVERIFY(buildSaveText(document, disk).find("CAR2") == std::string::npos);
}

void ModelTests::saveIsStableOnEveryFixture_data() {
    QTest::addColumn<QString>("path");
    const QStringList files = fixtureFiles();
    QVERIFY(files.size() >= 5);
    for (const QString& file : files) {
        QTest::newRow(qPrintable(QFileInfo(file).fileName())) << file;
    }
}

void ModelTests::saveIsStableOnEveryFixture() {
    QFETCH(QString, path);
    const std::string once = saveAfterOpening(fileBytes(path));
    QVERIFY(once != "<failed>");
    const std::string twice = saveAfterOpening(once);
    QCOMPARE(qb(twice), qb(once));

    LanguageTable language;
    EditorDocument first;
    EditorDocument second;
    QVERIFY(!loadIntoDocument(first, DataFileKind::Handling, repairLineEnds(fileBytes(path)),
                              language));
    QVERIFY(!loadIntoDocument(second, DataFileKind::Handling, once, language));
    QCOMPARE(second.Autos, first.Autos);
    QCOMPARE(second.Author, first.Author);
    QCOMPARE(second.Date, first.Date);
}

void ModelTests::lineEndVariantsSaveIdentically() {
    const std::string plain = saveAfterOpening(fileBytes(WENDRAKE_TEST_DATA "/handling/plain.cfg"));
    QCOMPARE(qb(saveAfterOpening(fileBytes(WENDRAKE_TEST_DATA "/handling/lf_only.cfg"))),
             qb(plain));
    QCOMPARE(qb(saveAfterOpening(fileBytes(WENDRAKE_TEST_DATA "/handling/cr_only.cfg"))),
             qb(plain));
}

void ModelTests::vehicleListOrder() {
    VehicleList list;
    list.assign({"b", "A_", "AB", "a", "B2", "A", "_x", "\xe4uto"});
    // A-Z fold to a-z and nothing else: "_" (0x5F) sorts before every letter,
    // where without folding it would follow the capitals; bytes above 0x7F
    // come last; equal names keep their order.
    QCOMPARE(list.entries(),
             (std::vector<std::string>{"_x", "a", "A", "A_", "AB", "b", "B2", "\xe4uto"}));
    QCOMPARE(list.insert("ab"), 5);  // after the equal "AB"
    list.rename(0, "zzz");
    QCOMPARE(list.at(0), std::string("zzz"));
    QCOMPARE(list.indexOf("AB"), 4);
    QCOMPARE(list.indexOf("ABC"), -1);
}

void ModelTests::languageFile() {
    LanguageTable table;
    table.load("zero\r\na\\nb\r\nc\\Nd\rlast");
    QCOMPARE(qb(table.text(0)), QByteArray("zero"));
    QCOMPARE(qb(table.text(1)), QByteArray("a\r\nb"));
    QCOMPARE(qb(table.text(2)), QByteArray("c\r\nd"));
    QCOMPARE(qb(table.text(3)), QByteArray("last"));

    // A shorter file keeps the earlier texts beyond its end; LF ends no line.
    table.load("new\nstill one line\r\n");
    QCOMPARE(qb(table.text(0)), QByteArray("new\nstill one line"));
    QCOMPARE(qb(table.text(1)), QByteArray("a\r\nb"));

    std::string big;
    for (int i = 0; i < 200; ++i) {
        big += "t" + std::to_string(i) + "\r\n";
    }
    table.load(big);
    QCOMPARE(qb(table.text(180)), QByteArray("t180"));
    QCOMPARE(qb(table.text(181)), QByteArray(""));

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

QTEST_APPLESS_MAIN(ModelTests)
#include "tst_model.moc"
