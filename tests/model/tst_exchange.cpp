#include <QtTest>

#include "HandlingFixtures.h"
#include "exchange/ExchangeFile.h"
#include "exchange/VehicleImport.h"
#include "model/DocumentEditing.h"
#include "model/DocumentFiles.h"

using namespace wendrake;
using namespace wendrake::fixtures;

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

HandlingReadTexts texts() {
    HandlingReadTexts t;
    t.wrongCount = "count";
    t.wrongCountTail = "values";
    t.mustBeNumeric = "number";
    t.mustNotBeNumeric = "no number";
    return t;
}

// A document as opened from a handling file with these data lines.
EditorDocument opened(std::initializer_list<std::string> lines) {
    EditorDocument document;
    LanguageTable language;
    std::string bytes = "; top\r\n";
    for (const std::string& line : lines) {
        bytes += line + "\r\n";
    }
    if (loadIntoDocument(document, DataFileKind::Handling, bytes, language)) {
        qFatal("fixture did not open");
    }
    return document;
}

QStringList names(const EditorDocument& document) {
    QStringList list;
    for (const std::string& name : document.Autos.entries()) {
        list << QString::fromStdString(name);
    }
    return list;
}

QStringList recordNames(const EditorDocument& document) {
    QStringList list;
    for (const HandlingRecord& record : document.HandlingRecords) {
        list << QString::fromStdString(record.name() + "=" + record[HandlingField::Gewicht]);
    }
    return list;
}

}  // namespace

class ExchangeTests : public QObject {
    Q_OBJECT
  private slots:
    void exchangeFileOfChosenVehicles();
    void importAddsNamesAndEveryMatchingLine();
    void importReportsShortLinesAndReadsLineFeeds();
    void importBeyondTheTableLimitChangesNothing();
    void undoRemovesAnImport();
};

void ExchangeTests::exchangeFileOfChosenVehicles() {
    const EditorDocument document =
        opened({dataLine("TWIN", "1.0"), dataLine("SOLO", "2.0"), dataLine("TWIN", "3.0")});
    const std::string one = BuildExchangeFile(document.HandlingRecords, {"SOLO"}, "", "");
    QCOMPARE(qb(one),
             qb(join({"; File created with Wendrake V2.0.0", "; Homepage: https://wendrake.org/",
                      "; Author: ", "; Created ", ";", "; > COMMENTS <", "; ------------",
                      "; TWEAK AT YOUR OWN RISK", ";", "; > THE DATA <", "; ------------", ";",
                      FormatHandlingLine(document.HandlingRecords[1]), ";", ";the end"})));

    // Every record of a chosen name, in table order; a name chosen twice
    // twice; an unknown name nothing.
    const std::string many = BuildExchangeFile(document.HandlingRecords,
                                               {"TWIN", "GONE", "SOLO", "TWIN"}, "Jo", "today");
    QVERIFY(many.find("; Author: Jo\r\n; Created today\r\n") != std::string::npos);
    std::string data;
    for (int index : {0, 2, 1, 0, 2}) {
        data +=
            FormatHandlingLine(document.HandlingRecords[static_cast<std::size_t>(index)]) + "\r\n";
    }
    QVERIFY(many.find(";\r\n" + data + ";\r\n;the end\r\n") != std::string::npos);
}

void ExchangeTests::importAddsNamesAndEveryMatchingLine() {
    EditorDocument document = opened({dataLine("CAR", "1.0"), dataLine("ZED", "2.0")});
    const std::string exchange =
        BuildExchangeFile(
            opened({dataLine("CAR2", "3.0"), dataLine("CAR", "4.0"), dataLine("ABC", "5.0")})
                .HandlingRecords,
            {"CAR2", "CAR", "ABC"}, "", "") +
        "CAR 6.0\r\n";  // a short line of a listed name is appended too

    const ImportResult result = ImportVehicles(document, exchange, texts(), "too many");
    QVERIFY(!result.failure);
    QCOMPARE(result.addedNames, 2);
    QCOMPARE(result.addedRecords, 4);
    QCOMPARE(names(document), (QStringList{"ABC", "CAR", "CAR2", "ZED"}));
    QCOMPARE(recordNames(document),
             (QStringList{"CAR=1.0", "ZED=2.0", "CAR2=3.0", "CAR=4.0", "ABC=5.0", "CAR=6.0"}));

    // The same file again appends the same vehicles again, without new names.
    QCOMPARE(ImportVehicles(document, exchange, texts(), "too many").addedRecords, 4);
    QCOMPARE(document.Autos.size(), 4);
    QCOMPARE(document.HandlingRecords.size(), std::size_t{10});
}

void ExchangeTests::importReportsShortLinesAndReadsLineFeeds() {
    EditorDocument document = opened({dataLine("CAR")});
    document.Errors.push_back({"OLD", "", "kept", -1});
    std::string shortLine = dataLine("NEW");
    shortLine.erase(shortLine.rfind(' '));
    const std::string lfOnly = "; exchange\n" + shortLine + "\n;the end\n";

    const ImportResult result = ImportVehicles(document, lfOnly, texts(), "too many");
    QCOMPARE(result.addedRecords, 1);
    QCOMPARE(result.firstErrorRow, 1);
    QCOMPARE(document.Errors.size(), std::size_t{2});
    QCOMPARE(document.Errors[1], (ErrorListEntry{"NEW", "", "count: 31 values", -1}));
    QCOMPARE(qb(document.HandlingRecords.back()[HandlingField::RearLichter]), QByteArray("0"));
}

void ExchangeTests::importBeyondTheTableLimitChangesNothing() {
    EditorDocument document = opened({dataLine("CAR")});
    document.HandlingRecords.resize(kTableLimit);
    const std::size_t before = document.HandlingRecords.size();
    const ImportResult result =
        ImportVehicles(document, join({dataLine("MORE")}), texts(), "too many");
    QVERIFY(result.failure);
    QCOMPARE(qb(result.failure->description), QByteArray("too many"));
    QCOMPARE(document.HandlingRecords.size(), before);
    QCOMPARE(names(document), QStringList{"CAR"});
}

void ExchangeTests::undoRemovesAnImport() {
    EditorDocument document = opened({dataLine("BETA"), dataLine("ALPHA")});
    const auto snapshot = document.HandlingSnapshot;
    ImportVehicles(document, join({dataLine("GAMMA"), dataLine("ALPHA", "9.0")}), texts(), "x");
    document.HandlingRecords[0][HandlingField::Gewicht] = "1.0";
    revertToSaved(document);
    QCOMPARE(document.HandlingRecords, snapshot);
    QCOMPARE(names(document), (QStringList{"ALPHA", "BETA"}));
}

QTEST_APPLESS_MAIN(ExchangeTests)
#include "tst_exchange.moc"
