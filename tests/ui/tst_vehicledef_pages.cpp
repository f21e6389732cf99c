// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "support/WindowSession.h"
#include "ui/VehicleDefPages.h"

using namespace wendrake;
using namespace wendrake::testing;
using Field = VehicleDefField;

namespace {

const char* const kCar = "100,mycar,mycar,car,MYCAR,MYCAR,poorfamily,10,7,0,161,0.7";
const char* const kPlane = "200,dodo,dodo,plane,DODO,DODO,ignore,1,0,0,42";
const char* const kBoat = "300,reefer,reefer,boat,REEFER,REEFER,big,2,1,0";

// A record from the values of a vehicle line, separated by bare commas.
VehicleDefRecord record(const QString& line) {
    VehicleDefRecord r;
    const QStringList values = line.split(QLatin1Char(','));
    for (int k = 0; k < values.size(); ++k) {
        r.set(k, toBytes(values[k]));
    }
    return r;
}

// The pages over a file of two vehicles, the second one shown.
struct Pages {
    DocumentSession session;
    VehicleDefPages pages{session};

    explicit Pages(const QString& shown = QString::fromLatin1(kCar)) { show(shown); }
    void show(int index) {
        session.select(index);
        pages.showCurrentRecord();
    }
    // Opens a file whose second vehicle is `line`, and shows it.
    void show(const QString& line) {
        const std::string file =
            "cars\r\n" + std::string(kBoat) + "\r\n" + toBytes(line) + "\r\nend\r\n";
        if (session.openBytes("default.ide", DataFileKind::VehicleDefs, file, LanguageTable())) {
            qFatal("the test file does not open");
        }
        show(1);
    }
    void choose(QComboBox* combo, const QString& entry) {
        testing::choose(combo, combo->findText(entry));
    }
    const VehicleDefRecord& shown() const { return session.document().VehicleDefRecords[1]; }
    QString shown(Field field) const { return fromBytes(std::string(shown()[field])); }
};

}  // namespace

class VehicleDefPagesTests : public QObject {
    Q_OBJECT
  private slots:
    void editStoresIntoItsField_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("stored");

        const auto row = [](const char* control, const char* input, Field field, const char* stored,
                            const char* shown = kCar) {
            QTest::newRow(control)
                << QString::fromLatin1(shown) << QString::fromLatin1(control)
                << QString::fromUtf8(input) << static_cast<int>(field) << QString::fromUtf8(stored);
        };
        // Blanks, commas and "#" would split the line: the boxes refuse them.
        row("txtID", "4 12", Field::ID, "412");
        row("txtModelName", "bob,cat", Field::ModelName, "bobcat");
        row("txtTXDName", "bobcät#", Field::TXDName, "bobcät");
        row("txtHandlingID", "BOB CAT", Field::HandlingID, "BOBCAT");
        row("txtGameName", "BOBCAT", Field::GameName, "BOBCAT");
        row("cmbTyp", "boat", Field::Typ, "boat");
        row("cmbKlasse", "taxi", Field::Klasse, "taxi");
        row("txtFrequenz", "a,b c", Field::Frequenz, "abc");
        row("txtLevel", "#3", Field::Level, "3");
        row("txtCompRules", "", Field::CompRules, "");
        row("txtExtra1", "1 7", Field::Extra1, "17", kPlane);
        row("cmbExtra1", "Classic", Field::Extra1, "163");
        row("txtExtra2", "0.9,", Field::Extra2, "0.9");
    }

    void editStoresIntoItsField() {
        QFETCH(QString, shown);
        QFETCH(QString, control);
        QFETCH(QString, input);
        QFETCH(int, field);
        QFETCH(QString, stored);
        Pages p(shown);
        const VehicleDefRecord other = p.session.document().VehicleDefRecords[0];
        VehicleDefRecord expected = p.shown();
        expected.set(field, toBytes(stored));

        if (auto* box = p.pages.findChild<QLineEdit*>(control)) {
            retype(box, input);
        } else {
            p.choose(p.pages.findChild<QComboBox*>(control), input);
        }
        QCOMPARE(p.shown(), expected);
        QCOMPARE(p.session.document().VehicleDefRecords[0], other);
        QVERIFY(!p.session.isSaved());
        // The vehicle list follows the handling id letter by letter.
        QCOMPARE(p.session.document().Autos.at(p.session.document().Autos.entryOfRecord(1)),
                 toBytes(p.shown(Field::HandlingID)));
    }

    void unlistedValuesAreShownAsTheyAre() {
        Pages p("7,a,b,tram,TRAM,T,nobody,1,2,3");
        // The player can leave the unlisted type and come back to it.
        p.choose(p.pages.findChild<QComboBox*>("cmbTyp"), "heli");
        QCOMPARE(p.shown(Field::Typ), "heli");
        p.choose(p.pages.findChild<QComboBox*>("cmbTyp"), "tram");
        QCOMPARE(p.shown(Field::Typ), "tram");

        // The next vehicle shows its own type, not the unlisted one.
        p.show(0);
        QCOMPARE(p.pages.findChild<QComboBox*>("cmbTyp")->currentText(), "boat");

        // A wheel number without a name shows no wheel, never the one shown
        // before.
        p.show("7,a,b,car,VAN,T,big,1,2,3,163,1");
        QCOMPARE(p.pages.findChild<QComboBox*>("cmbExtra1")->currentText(), "Classic");
        p.show("7,a,b,car,VAN,T,big,1,2,3,999,1");
        QCOMPARE(p.pages.findChild<QComboBox*>("cmbExtra1")->currentIndex(), -1);
        QCOMPARE(p.shown(Field::Extra1), "999");
    }

    // Values of one type stay in the record while another type is chosen
    // and come back with the type.
    void changingTheTypeKeepsTheExtras() {
        Pages p;
        p.choose(p.pages.findChild<QComboBox*>("cmbTyp"), "boat");
        QVERIFY(p.pages.findChild<QComboBox*>("cmbExtra1")->isHidden());
        p.choose(p.pages.findChild<QComboBox*>("cmbTyp"), "plane");
        QCOMPARE(p.pages.findChild<QLineEdit*>("txtExtra1")->text(), "161");
        p.choose(p.pages.findChild<QComboBox*>("cmbTyp"), "car");
        QCOMPARE(p.pages.findChild<QComboBox*>("cmbExtra1")->currentText(), "Saloon");
        QCOMPARE(p.pages.findChild<QLineEdit*>("txtExtra2")->text(), "0.7");
        QVERIFY(p.shown().values() == record(QString::fromLatin1(kCar)).values());
    }
};

QTEST_MAIN(VehicleDefPagesTests)
#include "tst_vehicledef_pages.moc"
