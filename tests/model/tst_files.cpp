#include <QtTest>

#include <QDirIterator>

#include "model/CarColourFile.h"
#include "model/ColourEditing.h"
#include "model/DocumentFiles.h"
#include "model/VehicleDefFile.h"

using namespace wendrake;

namespace {

QByteArray qb(const std::string& s) {
    return QByteArray::fromStdString(s);
}

std::string join(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

const std::string kHeader =
    "# File created with Wendrake V2.0.0\r\n# Homepage: https://wendrake.org/\r\n";

const CarColourReadTexts kColourTexts{"too few in line ", "not a number in line "};

std::string saveUnchanged(DataFileKind kind, const std::string& bytes) {
    LanguageTable language;
    EditorDocument document;
    if (const auto failure = loadIntoDocument(document, kind, bytes, language)) {
        return "<failed: " + failure->description + ">";
    }
    return buildSaveText(document, bytes);
}

std::string fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

}  // namespace

class FileFormatTests : public QObject {
    Q_OBJECT
  private slots:
    void vehicleLineReadAndWritten_data();
    void vehicleLineReadAndWritten();
    void vehicleLineWithTooFewValuesStopsAtItsLine();
    void vehicleDefinitionLayout_data();
    void vehicleDefinitionLayout();

    void paletteLines_data();
    void paletteLines();
    void carLines();
    void carColourFailures_data();
    void carColourFailures();
    void carColourLayout_data();
    void carColourLayout();

    void deletingAColourKeepsEveryModelsColours();
    void pairsAreRepairedAndNeverEmpty();

    void everyFileSavesStably_data();
    void everyFileSavesStably();
};

void FileFormatTests::vehicleLineReadAndWritten_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("car with extras")
        << QByteArray("100, mycar, mycar, car, MYCAR, MYCAR, poorfamily, 10, 7, 0, 161, 0.7")
        << QStringList{"100",        "mycar", "mycar", "car", "MYCAR", "MYCAR",
                       "poorfamily", "10",    "7",     "0",   "161",   "0.7"}
        << QByteArray(
               "100,\tmycar,\t\tmycar,\t\tcar,\tMYCAR,\t\tMYCAR,\t\tpoorfamily,\t10, \t7, "
               "\t0, \t161, \t0.7");
    QTest::newRow("boat of ten, blanks inside a value")
        << QByteArray("7,\tmy boat,b,boat,LONGNAME1,G,ignore,1,2,0")
        << QStringList{"7",      "myboat", "b", "boat", "LONGNAME1", "G",
                       "ignore", "1",      "2", "0",    "",          ""}
        << QByteArray("7,\tmyboat,\t\tb,\t\tboat,\tLONGNAME1,\tG,\t\tignore,\t\t1, \t2, \t0, \t");
    QTest::newRow("plane ends with its extra")
        << QByteArray("8,p,p,plane,P,P,ignore,1,2,3,-1")
        << QStringList{"8", "p", "p", "plane", "P", "P", "ignore", "1", "2", "3", "-1", ""}
        << QByteArray("8,\tp,\t\tp,\t\tplane,\tP,\t\tP,\t\tignore,\t\t1, \t2, \t3, \t-1");
    QTest::newRow("car without extras, trailing comma")
        << QByteArray("9,a,b,car,H,G,ignore,1,2,3,")
        << QStringList{"9", "a", "b", "car", "H", "G", "ignore", "1", "2", "3", "", ""}
        << QByteArray("9,\ta,\t\tb,\t\tcar,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t, \t");
    QTest::newRow("nine and a trailing comma are ten")
        << QByteArray("5,a,b,boat,H,G,ignore,1,2,")
        << QStringList{"5", "a", "b", "boat", "H", "G", "ignore", "1", "2", "", "", ""}
        << QByteArray("5,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t, \t");
    QTest::newRow("other case of car has no extras")
        << QByteArray("6,a,b,Car,H,G,ignore,1,2,3,160,0.5")
        << QStringList{"6", "a", "b", "Car", "H", "G", "ignore", "1", "2", "3", "160", "0.5"}
        << QByteArray("6,\ta,\t\tb,\t\tCar,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t");
    QTest::newRow("trailing comment kept once")
        << QByteArray("4,a,b,boat,H,G,ignore,1,2,3 # my boat, 2")
        << QStringList{"4", "a", "b", "boat", "H", "G", "ignore", "1", "2", "3", "", ""}
        << QByteArray("4,\ta,\t\tb,\t\tboat,\tH,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t # my boat, 2");
}

void FileFormatTests::vehicleLineReadAndWritten() {
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
    QCOMPARE(qb(BuildVehicleDefText(file, read.records)),
             qb(kHeader + join({"cars", written.toStdString(), "end"})));
}

void FileFormatTests::vehicleLineWithTooFewValuesStopsAtItsLine() {
    const std::string file =
        join({"# top", "objs", "1, a, b", "end", "cars", "1,a,b,car,H,G,ignore,1,2,3",
              "2,a,b,car,H,G,ignore,1,2", "end"});
    const VehicleDefReadResult read = LoadVehicleDefFile(file, "too few in line ");
    QVERIFY(read.failure);
    QVERIFY(read.failure->messageOnly);
    QCOMPARE(qb(read.failure->description), QByteArray("too few in line 7"));
}

void FileFormatTests::vehicleDefinitionLayout_data() {
    QTest::addColumn<QByteArray>("disk");
    QTest::addColumn<QByteArray>("saved");
    const std::string a = "1,a,b,boat,A,G,ignore,1,2,3";
    const std::string aOut = "1,\ta,\t\tb,\t\tboat,\tA,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t";
    const std::string b = "2,a,b,boat,B,G,ignore,1,2,3";
    const std::string bOut = "2,\ta,\t\tb,\t\tboat,\tB,\t\tG,\t\tignore,\t\t1, \t2, \t3, \t";
    QTest::newRow("sections and comments keep their places")
        << qb(join({"# File created with Wendrake V1.0.0", "# HOMEPAGE: https://wendrake.org/",
                    "objs", "10, x, y, 1", "end", "cars", "# boats", a, "", "# between", b, "end",
                    "peds", "20, z", "end"}))
        << qb(kHeader + join({"objs", "10, x, y, 1", "end", "cars", "# boats", aOut, bOut,
                              "# between", "end", "peds", "20, z", "end"}));
    QTest::newRow("second cars section joins the first")
        << qb(join({"cars", a, "end", "cars", b, "end"}))
        << qb(kHeader + join({"cars", aOut, bOut, "end", "cars", "end"}));
    QTest::newRow("no vehicle lines: every line back")
        << qb(join({"cars", "# none yet", "end", "", ""}))
        << qb(kHeader + join({"cars", "# none yet", "end"}));
    QTest::newRow("longer words are no section keywords")
        << qb(join({"carsx", a, "end"})) << qb(kHeader + join({"carsx", a, "end"}));
}

void FileFormatTests::vehicleDefinitionLayout() {
    QFETCH(QByteArray, disk);
    QFETCH(QByteArray, saved);
    QCOMPARE(qb(saveUnchanged(DataFileKind::VehicleDefs, disk.toStdString())), saved + "\r\n");
}

void FileFormatTests::paletteLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("listText");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("tabs and a name") << QByteArray("12,34,56\t\t# 4 teal") << "teal - 12,34,56"
                                     << QByteArray("12,34,56\t\t\t# 0 teal");
    QTest::newRow("short values get four tabs")
        << QByteArray("0,0,255\t# 1 blue") << "blue - 0,0,255"
        << QByteArray("0,0,255\t\t\t\t# 0 blue");
    QTest::newRow("no comment") << QByteArray("10,20,30\t") << "Color 0 - 10,20,30"
                                << QByteArray("10,20,30\t\t\t# 0 Color 0");
    QTest::newRow("no tab") << QByteArray("10, 20, 30 # 0 red") << "red - 10,20,30"
                            << QByteArray("10,20,30\t\t\t# 0 red");
    QTest::newRow("name of two words and a second description")
        << QByteArray("0,0,128\t\t\t\t# 0 police car blue  \t\tblue") << "police car blue - 0,0,128"
        << QByteArray("0,0,128\t\t\t\t# 0 police car blue\t\tblue");
    QTest::newRow("fewer than three words")
        << QByteArray("1,2,3\t# 0") << " - 1,2,3" << QByteArray("1,2,3\t\t\t\t# 0 ");
    QTest::newRow("out of range values stay") << QByteArray("300,-5,0\t# 0 odd") << "odd - 300,-5,0"
                                              << QByteArray("300,-5,0\t\t\t# 0 odd");
}

void FileFormatTests::paletteLines() {
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

void FileFormatTests::carLines() {
    const std::string file = join({"col", "1,1,1\t# 0 a", "# greys", "2,2,2\t# 1 b", "end", "car",
                                   "mycar, 1,2, 3,4", "other,0,1 # rare", "end"});
    const CarColourReadResult read = LoadCarColourFile(file, kColourTexts);
    QVERIFY(!read.failure);
    QCOMPARE(read.palette.size(), std::size_t{2});
    QCOMPARE(read.palette[1].Number, std::int16_t{1});
    QCOMPARE(read.names, (std::vector<std::string>{"mycar", "other"}));
    QCOMPARE(read.cars[0].Color1, (std::vector<std::int16_t>{1, 3}));
    QCOMPARE(read.cars[0].Color2, (std::vector<std::int16_t>{2, 4}));
    QCOMPARE(qb(FormatCarColourLine(read.cars[0])), QByteArray("mycar, 1, 2, 3, 4"));
    QCOMPARE(qb(FormatCarColourLine(read.cars[1])), QByteArray("other, 0, 1 # rare"));
}

void FileFormatTests::carColourFailures_data() {
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

void FileFormatTests::carColourFailures() {
    QFETCH(QByteArray, file);
    QFETCH(bool, messageOnly);
    QFETCH(QByteArray, description);
    const CarColourReadResult read = LoadCarColourFile(file.toStdString(), kColourTexts);
    QVERIFY(read.failure);
    QCOMPARE(read.failure->messageOnly, messageOnly);
    QCOMPARE(qb(read.failure->description), description);
}

void FileFormatTests::carColourLayout_data() {
    QTest::addColumn<QByteArray>("disk");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("sections, comments and a second palette keep their places")
        << qb(join({"# File created with Wendrake V1", "# cols", "col", "# reds",
                    "255,0,0\t# 0 red", "", "0,255,0\t# 1 green", "end", "col", "9,9,9", "end",
                    "car", "a, 0,1", "# later", "b, 1,0 # b", "end", "other", "x", "end"}))
        << qb(kHeader + join({"# cols", "col", "# reds", "255,0,0\t\t\t\t# 0 red",
                              "0,255,0\t\t\t\t# 1 green", "end", "col", "9,9,9", "end", "car",
                              "a, 0, 1", "b, 1, 0 # b", "# later", "end", "other", "x", "end"}));
    QTest::newRow("no car lines: every line back")
        << qb(join({"col", "1,2,3\t\t\t\t# 0 x", "end", "car", "end", ""}))
        << qb(kHeader + join({"col", "1,2,3\t\t\t\t# 0 x", "end", "car", "end"}));
    QTest::newRow("models named like keywords")
        << qb(join({"car", "endeavour, 0,0", "end"}))
        << qb(kHeader + join({"car", "endeavour, 0, 0", "end"}));
}

void FileFormatTests::carColourLayout() {
    QFETCH(QByteArray, disk);
    QFETCH(QByteArray, saved);
    QCOMPARE(qb(saveUnchanged(DataFileKind::CarColours, disk.toStdString())), saved + "\r\n");
}

void FileFormatTests::deletingAColourKeepsEveryModelsColours() {
    std::string file = "col\r\n";
    for (int i = 0; i < 5; ++i) {
        file +=
            std::to_string(i) + ",0,0\t# " + std::to_string(i) + " c" + std::to_string(i) + "\r\n";
    }
    file += join({"end", "car", "a, 1,2, 3,4", "b, 2,0", "end"});
    LanguageTable language;
    EditorDocument document;
    QVERIFY(!loadIntoDocument(document, DataFileKind::CarColours, file, language));

    deleteColour(document.ColourEntries, document.CarColourRecords, 2);
    QCOMPARE(document.ColourEntries.size(), std::size_t{4});
    QCOMPARE(document.ColourEntries[2].Name, std::string("c3"));
    QCOMPARE(document.ColourEntries[2].Number, std::int16_t{2});
    QCOMPARE(document.CarColourRecords[0].Color1, (std::vector<std::int16_t>{1, 2}));
    QCOMPARE(document.CarColourRecords[0].Color2, (std::vector<std::int16_t>{0, 3}));
    QCOMPARE(document.CarColourRecords[1].Color1, (std::vector<std::int16_t>{0}));

    QCOMPARE(appendNewColour(document.ColourEntries), 4);
    QCOMPARE(colourListText(document.ColourEntries[4]), std::string("Color4 - 0,128,255"));
    const std::string saved = buildSaveText(document, file);
    QVERIFY(saved.find("0,128,255\t\t\t# 4 Color4\r\n") != std::string::npos);
    QVERIFY(saved.find("3,0,0\t\t\t\t# 2 c3\r\n") != std::string::npos);
    QVERIFY(saved.find("a, 1, 0, 2, 3\r\n") != std::string::npos);
}

void FileFormatTests::pairsAreRepairedAndNeverEmpty() {
    std::vector<ColourTableEntry> palette(2);
    palette[0].Name = "black";
    palette[1].Number = 1;
    palette[1].Name = "white";
    CarColourRecord record{"m", {1, 7}, {1, 0}, {}};
    QCOMPARE(describePairs(palette, record),
             (std::vector<std::string>{"white - white", "black - black"}));
    QCOMPARE(record.Color1, (std::vector<std::int16_t>{1, 0}));

    removePair(record, 0);
    QCOMPARE(record.Color1, (std::vector<std::int16_t>{0}));
    removePair(record, 0);
    QCOMPARE(record.Color1, (std::vector<std::int16_t>{0}));
    QCOMPARE(record.Color2, (std::vector<std::int16_t>{0}));
    removePair(record, 5);  // out of range: nothing happens
    QCOMPARE(record.Color1.size(), std::size_t{1});
}

void FileFormatTests::everyFileSavesStably_data() {
    QTest::addColumn<QString>("path");
    int count = 0;
    for (const QString& root :
         {QStringLiteral(WENDRAKE_TEST_DATA), QStringLiteral(WENDRAKE_SAMPLES)}) {
        QDirIterator files(root, {"*.ide", "*.dat"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QTest::newRow(qPrintable(QDir(root).relativeFilePath(path))) << path;
            ++count;
        }
    }
    QVERIFY(count >= 2);
}

void FileFormatTests::everyFileSavesStably() {
    QFETCH(QString, path);
    const auto kind = kindFromFileName(path.toStdString());
    QVERIFY(kind);
    std::string bytes = fileBytes(path);
    if (needsLineEndRepair(bytes)) {
        bytes = repairLineEnds(bytes);
    }
    const std::string once = saveUnchanged(*kind, bytes);
    if (once.starts_with("<failed")) {
        QVERIFY2(path.contains("too_few") || path.contains("bad_"), once.c_str());
        return;
    }
    QCOMPARE(qb(saveUnchanged(*kind, once)), qb(once));
}

QTEST_APPLESS_MAIN(FileFormatTests)
#include "tst_files.moc"
