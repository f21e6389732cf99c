// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QImage>
#include <QTemporaryDir>

#include "model/HandlingLine.h"
#include "support/WindowSession.h"
#include "ui/HandlingPages.h"

using namespace wendrake;
using namespace wendrake::testing;
using F = HandlingField;

namespace {

HandlingRecord makeRecord(const std::string& name) {
    HandlingRecord record;
    record.fields = {name,  "1500.0", "1.8",  "1.4",  "4.5",  "0.0",   "0.1",  "-0.2",
                     "70",  "1.1",    "0.8",  "0.5",  "5",    "120.0", "20.0", "R",
                     "D",   "6.0",    "0.55", "1",    "35.0", "1.2",   "0.1",  "0.2",
                     "1.0", "25000",  "0.3",  "-0.2", "0.5",  "0022",  "2",    "3"};
    return record;
}

// clang-format off
const std::vector<std::pair<QString, F>> kValueBoxes{
    {"txtAutoname", F::Autoname}, {"txtGewicht", F::Gewicht}, {"txtBreite", F::Breite},
    {"txtHoehe", F::Hoehe}, {"txtLaenge", F::Laenge}, {"txtMassenmittelpX", F::MassenmittelpX},
    {"txtMassenmittelpY", F::MassenmittelpY}, {"txtMassenmittelpZ", F::MassenmittelpZ},
    {"txtSubMerged", F::SubMerged}, {"txtTractionMulti", F::TractionMulti},
    {"txtTractionLoss", F::TractionLoss}, {"txtTractionBias", F::TractionBias},
    {"txtGaenge", F::Gaenge}, {"txtGeschwindigkeit", F::Geschwindigkeit},
    {"txtBeschleunigung", F::Beschleunigung}, {"txtBremsstaerke", F::Bremsstaerke},
    {"txtBrakeBias", F::BrakeBias}, {"txtRadeinschlag", F::Radeinschlag},
    {"txtKraftlevel", F::Kraftlevel}, {"txtDLevel", F::DLevel}, {"txtPedSeat", F::PedSeat},
    {"txtKoll", F::Koll}, {"txtPreis", F::Preis}, {"txtOLimit", F::OLimit},
    {"txtULimit", F::ULimit}, {"txtBias", F::Bias}};
// clang-format on

// A file of these vehicles (two by default), the second one shown, nothing
// unsaved.
struct Pages {
    DocumentSession session;
    HandlingPages pages{session};

    explicit Pages(const std::vector<HandlingRecord>& records = {makeRecord("alpha"),
                                                                 makeRecord("beta")}) {
        std::string file;
        for (const HandlingRecord& record : records) {
            file += FormatHandlingLine(record) + "\r\n";
        }
        if (session.openBytes("handling.cfg", DataFileKind::Handling, file, LanguageTable())) {
            qFatal("the test file does not open");
        }
        show(1);
    }
    void show(int index) {
        session.select(index);
        pages.showCurrentRecord();
    }
    const HandlingRecord& record(int index) const {
        return session.document().HandlingRecords[static_cast<std::size_t>(index)];
    }
    bool saved() const { return session.isSaved(); }
    QByteArray flags(int index) { return QByteArray::fromStdString(record(index)[F::Flags]); }
    QList<int> checkedFlags() const {
        QList<int> boxes;
        for (int i = 0; i < 16; ++i) {
            if (pages.chkFlag[static_cast<std::size_t>(i)]->isChecked()) {
                boxes << i + 1;
            }
        }
        return boxes;
    }
};

}  // namespace

class HandlingPagesTests : public QObject {
    Q_OBJECT
  private slots:
    void editStoresIntoItsField_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");  // typed text, chosen index or number of clicks
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("stored");

        // A blank, tab or ";" would shift or cut the line: the boxes refuse them.
        for (const auto& [name, field] : kValueBoxes) {
            QTest::newRow(qPrintable(name))
                << name << "9 .7;5\t" << int(field) << QByteArray("9.75");
        }
        const struct {
            const char *control, *input;
            F field;
            const char* stored;
        } rows[] = {{"txtGewicht", "\u00e4", F::Gewicht, "\xe4"},
                    {"cmbAntrieb", "2", F::Antrieb, "4"},
                    {"cmbMotor", "2", F::MotorTyp, "E"},
                    {"cmbFrontLichter", "3", F::FrontLichter, "3"},
                    {"cmbRearLichter", "0", F::RearLichter, "0"},
                    {"chkABS", "1", F::ABS, "0"}};
        for (const auto& row : rows) {
            QTest::addRow("%s %s", row.control, row.input)
                << row.control << row.input << int(row.field) << QByteArray(row.stored);
        }
    }

    void editStoresIntoItsField() {
        QFETCH(QString, control);
        QFETCH(QString, input);
        QFETCH(int, field);
        QFETCH(QByteArray, stored);

        Pages p;
        HandlingRecord expected = p.record(1);
        expected.fields[static_cast<std::size_t>(field)] = stored.toStdString();

        QWidget* widget = p.pages.findChild<QWidget*>(control);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            retype(edit, input);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            choose(combo, input.toInt());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            for (int i = 0; i < input.toInt(); ++i) {
                box->click();
            }
        } else {
            QFAIL("no such control");
        }
        QCOMPARE(p.record(1), expected);
        QCOMPARE(p.record(0).fields, makeRecord("alpha").fields);
    }

    // Each control shows its own field; a code no entry stands for shows no
    // entry, never the one shown before. (Showing changes nothing is stated
    // for every test file elsewhere.)
    void displayShowsEachField() {
        HandlingRecord other = makeRecord("gamma");
        other[F::Antrieb] = "F";
        other[F::MotorTyp] = "E";
        other[F::ABS] = "0";
        other[F::Flags] = "1";
        other[F::FrontLichter] = "0";
        HandlingRecord odd = makeRecord("sixteen_letters!");
        odd[F::ABS] = "2";
        odd[F::Antrieb] = "X";
        odd[F::FrontLichter] = "9";
        Pages p({makeRecord("alpha"), makeRecord("beta"), other, odd});

        p.show(3);
        p.show(2);
        for (const auto& [name, field] : kValueBoxes) {
            QCOMPARE(p.pages.findChild<QLineEdit*>(name)->text().toStdString(), other[field]);
        }
        QCOMPARE(p.pages.cmbAntrieb->currentIndex(), 0);
        QCOMPARE(p.pages.cmbMotor->currentIndex(), 2);
        QCOMPARE(p.pages.cmbFrontLichter->currentIndex(), 0);
        QCOMPARE(p.pages.cmbRearLichter->currentIndex(), 3);
        QVERIFY(!p.pages.chkABS->isChecked());
        QCOMPARE(p.checkedFlags(), QList<int>{1});

        p.show(3);
        QVERIFY(!p.pages.chkABS->isChecked());
        QCOMPARE(p.pages.cmbAntrieb->currentIndex(), -1);
        QCOMPARE(p.pages.cmbFrontLichter->currentIndex(), -1);

        // The long name can be shortened but not lengthened.
        p.pages.txtAutoname->end(false);
        type(p.pages.txtAutoname, "x");
        QCOMPARE(p.record(3).name(), "sixteen_letters!");
        QTest::keyClick(p.pages.txtAutoname, Qt::Key_Backspace);
        type(p.pages.txtAutoname, "x");
        QCOMPARE(p.record(3).name(), "sixteen_letters");
    }

    // The flags text is one hexadecimal number, chkFlag1 its lowest bit; a
    // click writes four upper-case digits after any higher digits of a longer
    // text, and replaces a text that is no number.
    void flagBoxesAreTheBitsOfTheNumber_data() {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<int>("box");
        QTest::addColumn<QByteArray>("clicked");
        struct Row {
            const char* flags;
            QList<int> checked;
            int box;
            const char* clicked;
        };
        // clang-format off
        const Row rows[] = {
            {"0000", {}, 6, "0020"},      {"8020", {6, 16}, 6, "8000"}, {"22", {2, 6}, 2, "0020"},
            {"00a0", {6, 8}, 9, "01A0"},  {"F00F", {1, 2, 3, 4, 13, 14, 15, 16}, 16, "700F"},
            {"12345", {1, 3, 7, 9, 10, 14}, 1, "12344"}, {"ab0000", {}, 16, "ab8000"},
            {"00G1", {}, 1, "0001"},      {"-1", {}, 1, "0001"}};
        // clang-format on
        for (const auto& row : rows) {
            QTest::addRow("\"%s\" box %d", row.flags, row.box)
                << QByteArray(row.flags) << row.checked << row.box << QByteArray(row.clicked);
        }
    }

    void flagBoxesAreTheBitsOfTheNumber() {
        QFETCH(QByteArray, flags);
        QFETCH(QList<int>, checked);
        QFETCH(int, box);
        QFETCH(QByteArray, clicked);
        HandlingRecord all = makeRecord("alpha");
        all[F::Flags] = "FFFF";
        HandlingRecord shown = makeRecord("beta");
        shown[F::Flags] = flags.toStdString();
        Pages p({all, shown});
        p.show(0);  // every box checked before
        p.show(1);
        QCOMPARE(p.checkedFlags(), checked);
        QCOMPARE(p.flags(1), flags);
        QVERIFY(p.saved());
        p.pages.chkFlag[static_cast<std::size_t>(box - 1)]->click();
        QCOMPARE(p.flags(1), clicked);
        QVERIFY(!p.saved());
    }

    // An error row leads to the box of its own field, on whichever page.
    void focusFieldOpensItsBox() {
        Pages p;
        for (const auto& [name, field] : kValueBoxes) {
            p.pages.setCurrentIndex(7);
            p.pages.focusField(int(field));
            QWidget* editor = p.pages.editorOfField(int(field));
            QCOMPARE(editor->objectName(), name);
            QVERIFY(p.pages.currentWidget()->isAncestorOf(editor));
        }
    }

    // Every caption and hint label takes a language text.
    void everyLabelTakesALanguageText() {
        Pages p;
        LanguageTable language;
        for (int k = 0; k < LanguageTable::kSize; ++k) {
            language.setText(k, "T" + std::to_string(k));
        }
        p.pages.applyLanguage(language);
        for (const QLabel* label : p.pages.findChildren<QLabel*>(QRegularExpression("^lbl"))) {
            QVERIFY2(label->text().startsWith(QLatin1Char('T')), qPrintable(label->objectName()));
        }
    }

    void pictureChoice_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");

        const QString none = QStringLiteral("nopictureavailable.jpg");
        QTest::newRow("bmp first") << QStringList{"car.bmp", "car.jpg", none} << "car"
                                   << "car.bmp";
        QTest::newRow("not outside gfx") << QStringList{"../car.bmp", none} << "../car" << none;
        // "car.bmp" holds text, not a picture.
        QTest::newRow("a file that is no picture")
            << QStringList{"!car.bmp", "car.jpg", none} << "car"
            << "car.jpg";
        QTest::newRow("nothing") << QStringList{} << "car" << QString();
    }

    void pictureChoice() {
        QFETCH(QStringList, files);
        QFETCH(QString, name);
        QFETCH(QString, shown);

        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("gfx")));
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (const QString& file : files) {
            if (file.startsWith('!')) {
                QVERIFY(writeBytes(program.filePath("gfx/" + file.mid(1)), "no picture"));
            } else {
                QVERIFY(image.save(program.filePath(QStringLiteral("gfx/") + file)));
            }
        }
        Pages p;
        p.pages.showPicture(program.path() + QLatin1Char('/'), name);
        const QString expected = shown.isEmpty() ? shown : program.filePath("gfx/" + shown);
        QCOMPARE(p.pages.picFrame->shownFile(), expected);
    }
};

QTEST_MAIN(HandlingPagesTests)
#include "tst_handling_pages.moc"
