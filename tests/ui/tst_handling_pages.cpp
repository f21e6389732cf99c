#include <QtTest>

#include <QClipboard>
#include <QImage>
#include <QTemporaryDir>

#include "ui/HandlingPages.h"

using namespace wendrake;
using F = HandlingField;

namespace wendrake {
// A failed record comparison shows the values.
char* toString(const HandlingRecord& record) {
    std::string line;
    for (const std::string& field : record.fields) {
        line += "[" + field + "]";
    }
    return qstrdup(line.c_str());
}
}  // namespace wendrake

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

// Two vehicles, the second one shown, nothing unsaved.
struct Pages {
    EditorDocument document;
    HandlingPages pages{document};

    Pages() {
        document.HandlingRecords = {makeRecord("alpha"), makeRecord("beta")};
        show(1);
    }
    void show(int index) {
        document.CurrentHandling = index;
        pages.showCurrentRecord();
    }
    HandlingRecord& record(int index) {
        return document.HandlingRecords[static_cast<std::size_t>(index)];
    }
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

// Key presses, one per character; unlike QTest::keyClicks also beyond ASCII.
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// What a choice in the open list or by the keys does.
void choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void retype(QLineEdit* edit, const QString& text) {
    edit->clear();
    type(edit, text);
}

}  // namespace

class HandlingPagesTests : public QObject {
    Q_OBJECT
  private slots:
    void editStoresIntoItsField_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("input");  // typed text, chosen index or number of clicks
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("stored");

        for (const auto& [name, field] : kValueBoxes) {
            QTest::newRow(qPrintable(name)) << name << "9.75" << int(field) << QByteArray("9.75");
        }
        const struct {
            const char *control, *input;
            F field;
            const char* stored;
        } rows[] = {{"txtPreis", "", F::Preis, ""},
                    {"txtGewicht", "\u00e4", F::Gewicht, "\xe4"},
                    {"cmbAntrieb", "2", F::Antrieb, "4"},
                    {"cmbMotor", "2", F::MotorTyp, "E"},
                    {"cmbFrontLichter", "3", F::FrontLichter, "3"},
                    {"cmbRearLichter", "0", F::RearLichter, "0"},
                    {"chkABS", "1", F::ABS, "0"},
                    {"chkABS", "2", F::ABS, "1"}};
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
        QCOMPARE(p.record(0), makeRecord("alpha"));
        QVERIFY(!p.document.SavedFlag);
    }

    void displayChangesNothing() {
        for (const bool saved : {true, false}) {
            Pages p;
            HandlingRecord other = makeRecord("gamma");
            other[F::Antrieb] = "F";
            other[F::MotorTyp] = "E";
            other[F::ABS] = "";
            other[F::Flags] = "1";
            other[F::FrontLichter] = "0";
            p.document.HandlingRecords.push_back(other);
            p.document.SavedFlag = saved;

            // Every control changes from one vehicle to the other and back.
            p.show(2);
            p.show(1);
            p.show(2);

            QCOMPARE(p.document.SavedFlag, saved);
            QCOMPARE(p.record(0), makeRecord("alpha"));
            QCOMPARE(p.record(1), makeRecord("beta"));
            other[F::ABS] = "0";  // the one change the display makes
            QCOMPARE(p.record(2), other);

            for (const auto& [name, field] : kValueBoxes) {
                QCOMPARE(p.pages.findChild<QLineEdit*>(name)->text().toStdString(), other[field]);
            }
            QCOMPARE(p.pages.cmbAntrieb->currentIndex(), 0);
            QCOMPARE(p.pages.cmbMotor->currentIndex(), 2);
            QCOMPARE(p.pages.cmbFrontLichter->currentIndex(), 0);
            QCOMPARE(p.pages.cmbRearLichter->currentIndex(), 3);
            QVERIFY(!p.pages.chkABS->isChecked());
            QCOMPARE(p.checkedFlags(), QList<int>{1});
        }
    }

    void valuesTheControlsCannotShowStay() {
        Pages p;
        HandlingRecord odd = makeRecord("sixteen_letters!");
        odd[F::ABS] = "2";
        odd[F::Antrieb] = "X";
        odd[F::MotorTyp] = "";
        odd[F::FrontLichter] = "9";
        p.document.HandlingRecords.push_back(odd);
        p.show(2);

        QCOMPARE(p.record(2), odd);
        QVERIFY(p.document.SavedFlag);
        QCOMPARE(p.pages.txtAutoname->text(), QStringLiteral("sixteen_letters!"));
        QVERIFY(!p.pages.chkABS->isChecked());
        // The combos keep what they showed for the vehicle before.
        QCOMPARE(p.pages.cmbAntrieb->currentIndex(), 1);
        QCOMPARE(p.pages.cmbMotor->currentIndex(), 1);
        QCOMPARE(p.pages.cmbFrontLichter->currentIndex(), 2);

        // The long name can be shortened but not lengthened.
        p.pages.txtAutoname->end(false);
        type(p.pages.txtAutoname, "x");
        QCOMPARE(p.record(2).name(), "sixteen_letters!");
        QTest::keyClick(p.pages.txtAutoname, Qt::Key_Backspace);
        type(p.pages.txtAutoname, "x");
        QCOMPARE(p.record(2).name(), "sixteen_letters");

        // Choosing the entry still shown stores its code.
        choose(p.pages.cmbAntrieb, 1);
        QCOMPARE(p.record(2)[F::Antrieb], "R");

        p.show(1);
        QCOMPARE(p.pages.txtAutoname->maxLength(), 14);

        // Without a record to show, nothing is shown or stored.
        p.document.CurrentHandling = 3;
        p.pages.showCurrentRecord();
        retype(p.pages.txtGewicht, "1");
        p.pages.chkFlag[0]->click();
        QCOMPARE(p.record(1), makeRecord("beta"));
    }

    void nameBoxFollowsTheList() {
        Pages p;
        QSignalSpy renamed(&p.pages, &HandlingPages::vehicleRenamed);
        p.show(0);
        QCOMPARE(renamed.count(), 0);

        p.pages.txtAutoname->end(false);
        type(p.pages.txtAutoname, "_twelve_more");
        QCOMPARE(renamed.count(), 9);  // a fifteenth character cannot be typed
        QCOMPARE(renamed.last().at(0).toString(), QStringLiteral("alpha_twelve_m"));
        QCOMPARE(p.record(0).name(), "alpha_twelve_m");
    }

    void flagBoxesShowTheNumber_data() {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QList<int>>("checked");

        QTest::newRow("F00F") << QByteArray("F00F") << QList<int>{1, 2, 3, 4, 13, 14, 15, 16};
        QTest::newRow("short") << QByteArray("22") << QList<int>{2, 6};
        QTest::newRow("lower case") << QByteArray("00a0") << QList<int>{6, 8};
        QTest::newRow("longer") << QByteArray("18001") << QList<int>{1, 16};
        QTest::newRow("not hex") << QByteArray("00G1") << QList<int>{};
        QTest::newRow("empty") << QByteArray("") << QList<int>{};
    }

    void flagBoxesShowTheNumber() {
        QFETCH(QByteArray, flags);
        QFETCH(QList<int>, checked);

        Pages p;
        p.record(0)[F::Flags] = "FFFF";
        p.record(1)[F::Flags] = flags.toStdString();
        p.show(0);
        p.show(1);
        QCOMPARE(p.checkedFlags(), checked);
        QCOMPARE(p.flags(1), flags);
        QVERIFY(p.document.SavedFlag);
    }

    void flagClicksRewriteTheNumber() {
        Pages p;
        p.record(0)[F::Flags] = "zz";
        p.record(1)[F::Flags] = "0000";
        p.show(1);

        p.pages.chkFlag[5]->click();
        QCOMPARE(p.flags(1), QByteArray("0020"));
        QVERIFY(!p.document.SavedFlag);
        p.pages.chkFlag[15]->click();
        QCOMPARE(p.flags(1), QByteArray("8020"));
        p.pages.chkFlag[5]->click();
        QCOMPARE(p.flags(1), QByteArray("8000"));

        p.show(0);
        QCOMPARE(p.checkedFlags(), QList<int>{});
        p.pages.chkFlag[2]->click();
        QCOMPARE(p.flags(0), QByteArray("0004"));

        p.show(1);
        QCOMPARE(p.checkedFlags(), QList<int>{16});
        QCOMPARE(p.flags(1), QByteArray("8000"));
    }

    void valueBoxesRefuseSeparators() {
        Pages p;
        for (const auto& [name, field] : kValueBoxes) {
            retype(p.pages.findChild<QLineEdit*>(name), QStringLiteral("1 0;0\t"));
            QCOMPARE(p.record(1)[field], "100");
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("2 5;0"));
        p.pages.txtGewicht->selectAll();
        p.pages.txtGewicht->paste();
        QCOMPARE(p.record(1)[F::Gewicht], "250");
    }

    void authorAndDate() {
        Pages p;
        p.document.Author = "Ren\xe9";
        p.pages.showAuthorAndDate();
        QCOMPARE(p.pages.txtAuthor->text(), QStringLiteral("Ren\u00e9"));
        QVERIFY(p.document.SavedFlag);

        type(p.pages.txtAuthor, "\u00e9");
        QCOMPARE(p.document.Author, "Ren\xe9\xe9");
        QVERIFY(!p.document.SavedFlag);
        retype(p.pages.txtDate, "today");
        QCOMPARE(p.document.Date, "today");
        QCOMPARE(p.record(1), makeRecord("beta"));
    }

    void focusFieldOpensItsPage() {
        const std::pair<F, int> fields[] = {
            {F::RearLichter, 0}, {F::MotorTyp, 2}, {F::ABS, 3}, {F::OLimit, 4}, {F::Flags, 5}};
        Pages p;
        for (const auto& [field, page] : fields) {
            p.pages.setCurrentIndex(7);
            p.pages.focusField(int(field));
            QCOMPARE(p.pages.currentIndex(), page);
        }
        QCOMPARE(p.pages.editorOfField(int(F::Flags)), p.pages.chkFlag[0]);
    }

    void languageTexts() {
        Pages p;
        QCOMPARE(p.pages.findChild<QLabel*>("lblHoehe")->text(), QStringLiteral("H\u00f6he (m)"));
        LanguageTable language;
        for (int k = 0; k < LanguageTable::kSize; ++k) {
            language.setText(k, "T" + std::to_string(k));
        }
        p.pages.applyLanguage(language);
        const auto text = [](int k) { return QStringLiteral("T%1").arg(k); };

        const std::pair<const char*, int> captions[] = {
            {"lblAutonameInfo", 16}, {"lblMotorTyp", 49},   {"lblABS", 57},
            {"lblRadeinschlag", 58}, {"lblKraftlevel", 65}, {"lblOLimitInfo", 70},
            {"lblPedSeat", 75},      {"lblPreisInfo", 80},  {"lblRearLichter", 86},
            {"cmdImportCar", 95},    {"cmdExportCar", 96},  {"frameAuthor", 100},
            {"frameDate", 101}};
        for (const auto& [name, k] : captions) {
            const QObject* control = p.pages.findChild<QObject*>(name);
            const char* property = control->inherits("QGroupBox") ? "title" : "text";
            QCOMPARE(control->property(property).toString(), text(k));
        }
        QCOMPARE(p.pages.tabText(2), text(4));
        QCOMPARE(p.pages.tabText(6), text(64));
        QCOMPARE(p.pages.tabText(7), text(62));
        QCOMPARE(p.pages.cmbAntrieb->itemText(2), text(48));
        QCOMPARE(p.pages.cmbMotor->itemText(0), text(50));
        QCOMPARE(p.pages.cmbFrontLichter->itemText(3), text(85));
        QCOMPARE(p.pages.cmbRearLichter->itemText(0), text(87));

        // Every caption and hint label takes a language text; the flag names do not.
        for (const QLabel* label : p.pages.findChildren<QLabel*>(QRegularExpression("^lbl"))) {
            QVERIFY2(label->text().startsWith(QLatin1Char('T')), qPrintable(label->objectName()));
        }
        QCOMPARE(p.pages.chkFlag[11]->text(), QStringLiteral("NONPLAYER_STABILISER"));
    }

    void pictureChoice_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");

        const QString none = QStringLiteral("nopictureavailable.jpg");
        QTest::newRow("bmp first") << QStringList{"car.bmp", "car.jpg", none} << "car"
                                   << "car.bmp";
        QTest::newRow("then jpg") << QStringList{"car.jpg", none} << "car"
                                  << "car.jpg";
        QTest::newRow("then placeholder") << QStringList{none} << "car" << none;
        QTest::newRow("not outside gfx") << QStringList{"../car.bmp", none} << "../car" << none;
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
            QVERIFY(image.save(program.filePath(QStringLiteral("gfx/") + file)));
        }
        Pages p;
        p.pages.showPicture(program.path() + QLatin1Char('/'), name);
        const QString expected = shown.isEmpty() ? shown : program.filePath("gfx/" + shown);
        QCOMPARE(p.pages.picFrame->shownFile(), expected);
    }
};

QTEST_MAIN(HandlingPagesTests)
#include "tst_handling_pages.moc"
