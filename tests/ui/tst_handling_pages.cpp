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
    const std::string_view values[] = {
        name,  "1500.0", "1.8",   "1.4",   "4.5", "0.0",  "0.1", "-0.2", "70", "1.1",  "0.8",
        "0.5", "5",      "120.0", "20.0",  "R",   "D",    "6.0", "0.55", "1",  "35.0", "1.2",
        "0.1", "0.2",    "1.0",   "25000", "0.3", "-0.2", "0.5", "0022", "2",  "3"};
    record.setValues(values, std::size(values));
    return record;
}

constexpr int kFlagCount = 16;

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
    QByteArray flags(int index) {
        return QByteArray::fromStdString(std::string(record(index)[F::Flags]));
    }
    QCheckBox* flagBox(int box) const {
        return pages.findChild<QCheckBox*>(QStringLiteral("chkFlag%1").arg(box));
    }
    QList<int> checkedFlags() const {
        QList<int> boxes;
        for (int box = 1; box <= kFlagCount; ++box) {
            if (flagBox(box)->isChecked()) {
                boxes << box;
            }
        }
        return boxes;
    }
    QString flagsValue() const { return pages.findChild<QLineEdit*>("flagsValue")->text(); }
    // The caption label whose box edits `field`.
    QLabel* captionOf(F field) const {
        const QWidget* editor = pages.editorOfField(int(field));
        for (QLabel* label : pages.findChildren<QLabel*>()) {
            if (label->buddy() == editor) {
                return label;
            }
        }
        return nullptr;
    }
};

}  // namespace

class HandlingPagesTests : public QObject {
    Q_OBJECT
  private slots:
    // Every box edits its own field of the shown vehicle and nothing else. A
    // blank, tab or ";" would shift or cut the line: the text boxes refuse them.
    void editStoresIntoItsField_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("input");  // typed text, chosen index or number of clicks
        QTest::addColumn<QByteArray>("stored");
        const Pages probe;
        for (int field = 0; field < kHandlingFieldCount; ++field) {
            if (qobject_cast<QLineEdit*>(probe.pages.editorOfField(field))) {
                QTest::addRow("field %d", field) << field << "9 .7;5\t" << QByteArray("9.75");
            }
        }
        const struct {
            F field;
            const char *input, *stored;
        } rows[] = {{F::Gewicht, "\u00e4", "\xe4"}, {F::Antrieb, "2", "4"},
                    {F::MotorTyp, "2", "E"},        {F::FrontLichter, "3", "3"},
                    {F::RearLichter, "0", "0"},     {F::ABS, "1", "0"}};
        for (const auto& row : rows) {
            QTest::addRow("field %d, %s", int(row.field), row.input)
                << int(row.field) << QString::fromUtf8(row.input) << QByteArray(row.stored);
        }
    }

    void editStoresIntoItsField() {
        QFETCH(int, field);
        QFETCH(QString, input);
        QFETCH(QByteArray, stored);

        Pages p;
        HandlingRecord expected = p.record(1);
        expected.set(field, stored.toStdString());

        QWidget* widget = p.pages.editorOfField(field);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            retype(edit, input);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            choose(combo, input.toInt());
        } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            for (int i = 0; i < input.toInt(); ++i) {
                box->click();
            }
        } else {
            QFAIL("no box for the field");
        }
        QCOMPARE(p.record(1), expected);
        QVERIFY(p.record(0).values() == makeRecord("alpha").values());
    }

    // Each control shows its own field; a code no entry stands for shows no
    // entry, never the one shown before. (Showing changes nothing is stated
    // for every test file elsewhere.)
    void displayShowsEachField() {
        HandlingRecord other = makeRecord("gamma");
        other.set(F::Antrieb, "F");
        other.set(F::MotorTyp, "E");
        other.set(F::ABS, "0");
        other.set(F::Flags, "1");
        other.set(F::FrontLichter, "0");
        HandlingRecord odd = makeRecord("sixteen_letters!");
        odd.set(F::ABS, "2");
        odd.set(F::Antrieb, "X");
        odd.set(F::FrontLichter, "9");
        Pages p({makeRecord("alpha"), makeRecord("beta"), other, odd});

        p.show(3);
        p.show(2);
        const auto editor = [&p](F field) { return p.pages.editorOfField(int(field)); };
        for (int field = 0; field < kHandlingFieldCount; ++field) {
            if (auto* edit = qobject_cast<QLineEdit*>(p.pages.editorOfField(field))) {
                QCOMPARE(edit->text().toStdString(), std::string(other.value(field)));
            }
        }
        const auto shownEntry = [&](F field) {
            return qobject_cast<QComboBox*>(editor(field))->currentIndex();
        };
        const auto ticked = [&](F field) {
            return qobject_cast<QCheckBox*>(editor(field))->isChecked();
        };
        QCOMPARE(shownEntry(F::Antrieb), 0);
        QCOMPARE(shownEntry(F::MotorTyp), 2);
        QCOMPARE(shownEntry(F::FrontLichter), 0);
        QCOMPARE(shownEntry(F::RearLichter), 3);
        QVERIFY(!ticked(F::ABS));
        QCOMPARE(p.checkedFlags(), QList<int>{1});

        p.show(3);
        QVERIFY(!ticked(F::ABS));
        QCOMPARE(shownEntry(F::Antrieb), -1);
        QCOMPARE(shownEntry(F::FrontLichter), -1);

        // The long name can be shortened but not lengthened.
        auto* name = qobject_cast<QLineEdit*>(editor(F::Autoname));
        name->end(false);
        type(name, "x");
        QCOMPARE(p.record(3).name(), "sixteen_letters!");
        QTest::keyClick(name, Qt::Key_Backspace);
        type(name, "x");
        QCOMPARE(p.record(3).name(), "sixteen_letters");
    }

    // The flags text is one hexadecimal number, chkFlag1 its lowest bit; a
    // click writes four upper-case digits after any higher digits of a longer
    // text, and replaces a text that is no number. The value beside the boxes
    // is the text the file will hold, with every click and every vehicle.
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
        all.set(F::Flags, "FFFF");
        HandlingRecord shown = makeRecord("beta");
        shown.set(F::Flags, flags.toStdString());
        Pages p({all, shown});
        p.show(0);  // every box checked before
        p.show(1);
        QCOMPARE(p.checkedFlags(), checked);
        QCOMPARE(p.flags(1), flags);
        QCOMPARE(p.flagsValue(), QString::fromLatin1(flags));
        QVERIFY(p.saved());
        p.flagBox(box)->click();
        QCOMPARE(p.flags(1), clicked);
        QCOMPARE(p.flagsValue(), QString::fromLatin1(clicked));
        QVERIFY(!p.saved());
        p.show(0);
        QCOMPARE(p.flagsValue(), "FFFF");
    }

    // An error row leads to the box of its own field, on whichever page.
    void focusFieldOpensItsBox() {
        Pages p;
        for (int field = 0; field < kHandlingFieldCount; ++field) {
            p.pages.setCurrentIndex(p.pages.count() - 1);
            p.pages.focusField(field);
            QVERIFY(p.pages.currentWidget()->isAncestorOf(p.pages.editorOfField(field)));
        }
    }

    // Units are the program's: a language's caption keeps its words, and a
    // unit it names in brackets is spelt the program's way.
    void captionsShowTheUnit_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("unit added") << int(F::MassenmittelpX) << "Centre X"
                                    << "Centre X (m)";
        QTest::newRow("unit respelt") << int(F::Beschleunigung) << "Beschl. (m/s^2)"
                                      << "Beschl. (m/s²)";
        QTest::newRow("no unit") << int(F::TractionLoss) << "Loss (x)"
                                 << "Loss (x)";
    }

    void captionsShowTheUnit() {
        QFETCH(int, field);
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        Pages p;
        LanguageTable language;
        language.setText(handlingFieldInfo(field).captionText, caption.toStdString());
        p.pages.applyLanguage(language);
        QString text = p.captionOf(F(field))->text();
        QCOMPARE(text.remove(QLatin1Char('&')), shown);
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
        QCOMPARE(p.pages.findChild<PicturePane*>("picFrame")->shownFile(), expected);
    }

    // A vehicle shown again shows its picture as it is on disk now.
    void pictureFollowsItsFile() {
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("gfx")));
        const QString file = program.filePath(QStringLiteral("gfx/car.jpg"));
        const auto save = [&file](int width) {
            QImage image(width, 3, QImage::Format_RGB32);
            image.fill(Qt::red);
            return image.save(file);
        };
        Pages p;
        auto* pane = p.pages.findChild<PicturePane*>("picFrame");
        const auto shownWidth = [&] {
            p.pages.showPicture(program.path() + QLatin1Char('/'), QStringLiteral("car"));
            return pane->picture()->pixmap().width();
        };
        QVERIFY(save(4));
        QCOMPARE(shownWidth(), 4);
        QCOMPARE(shownWidth(), 4);
        QVERIFY(save(40));
        QCOMPARE(shownWidth(), 40);
        QVERIFY(QFile::remove(file));
        QCOMPARE(shownWidth(), 0);
        QVERIFY(pane->shownFile().isEmpty());
    }
};

QTEST_MAIN(HandlingPagesTests)
#include "tst_handling_pages.moc"
