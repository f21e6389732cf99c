// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "model/CarColourFile.h"
#include "support/WindowSession.h"
#include "ui/ColourPages.h"

using namespace wendrake;
using namespace wendrake::testing;
using Kind = ScriptedDesktop::MessageKind;
using Pairs = QList<std::pair<int, int>>;

namespace {

ColourTableEntry colour(int number, const char* name, int red, int green, int blue) {
    const auto value = [](int v) { return static_cast<std::int16_t>(v); };
    return {value(number), value(red), value(green), value(blue), name, {}, {}};
}

CarColourRecord model(const char* name, const Pairs& pairs) {
    CarColourRecord record;
    record.ModelName = name;
    for (const auto& [first, second] : pairs) {
        record.Color1.push_back(static_cast<std::int16_t>(first));
        record.Color2.push_back(static_cast<std::int16_t>(second));
    }
    return record;
}

Pairs pairsOf(const CarColourRecord& record) {
    Pairs pairs;
    for (std::size_t j = 0; j < record.Color1.size(); ++j) {
        pairs.append({record.Color1[j], record.Color2[j]});
    }
    return pairs;
}

QColor shown(const QFrame* box) {
    return box->palette().color(QPalette::Window);
}

const LanguageTable& english() {
    static const LanguageTable table = loadLanguage("English");
    return table;
}

// A palette whose second colour holds a red that no bar can show.
std::vector<ColourTableEntry> palette() {
    return {colour(0, "black", 0, 0, 0), colour(1, "hot", 300, 0, 0), colour(2, "teal", 12, 34, 56),
            colour(3, "white", 255, 255, 255), colour(4, "blue", 0, 0, 255)};
}

// The pages over a freshly opened file of these colours and models: nothing
// changed yet.
struct Pages {
    DocumentSession session;
    const EditorDocument& document = session.document();
    ScriptedDesktop desktop;
    ColourPages pages{session, desktop};
    std::string file = "col\r\n";

    explicit Pages(const std::vector<ColourTableEntry>& colours = palette(),
                   const std::vector<CarColourRecord>& cars = {model("bus", {{3, 4}}),
                                                               model("mycar", {{1, 1}, {1, 2}})}) {
        for (const ColourTableEntry& entry : colours) {
            file += FormatPaletteLine(entry) + "\r\n";
        }
        file += "end\r\ncar\r\n";
        for (const CarColourRecord& record : cars) {
            file += FormatCarColourLine(record) + "\r\n";
        }
        file += "end\r\n";
        if (session.openBytes("carcols.dat", DataFileKind::CarColours, file, english())) {
            qFatal("the test file does not open");
        }
        pages.applyLanguage(english());
        pages.showPalette();
    }
    // Shows the first model of that name; none for an unknown name.
    void showModel(const char* name) {
        const auto& cars = document.CarColourRecords;
        int shown = -1;
        for (std::size_t r = cars.size(); r-- > 0;) {
            if (cars[r].ModelName == name) {
                shown = static_cast<int>(r);
            }
        }
        session.select(shown);
        pages.showModel(shown);
    }
    const CarColourRecord& record(int index) const {
        return document.CarColourRecords[static_cast<std::size_t>(index)];
    }
    // A control of the pages by its object name.
    template <typename Control>
    Control* control(const char* name) const {
        return pages.findChild<Control*>(QString::fromUtf8(name));
    }
    QString entryText(int row) const {
        return control<QListWidget>("lstColors")->item(row)->text();
    }
};

}  // namespace

class ColourPagesTests : public QObject {
    Q_OBJECT
  private slots:
    void barsStoreOnlyTheirOwnPart_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QColor>("preview");
        QTest::newRow("green of teal") << 2 << 2 << "2 teal - 12,200,56" << QColor(12, 200, 56);
        // The red read from the file stays until its own bar is moved.
        QTest::newRow("green of hot") << 1 << 2 << "1 hot - 300,200,0" << QColor(255, 200, 0);
        QTest::newRow("red of hot") << 1 << 1 << "1 hot - 200,0,0" << QColor(200, 0, 0);
    }

    void barsStoreOnlyTheirOwnPart() {
        QFETCH(int, row);
        QFETCH(int, bar);
        QFETCH(QString, entry);
        QFETCH(QColor, preview);
        Pages p;
        p.control<QListWidget>("lstColors")->setCurrentRow(row);
        const std::array<std::pair<QScrollBar*, QSpinBox*>, 3> bars{
            {{p.control<QScrollBar>("HScroll1"), p.control<QSpinBox>("spnRed")},
             {p.control<QScrollBar>("HScroll2"), p.control<QSpinBox>("spnGreen")},
             {p.control<QScrollBar>("HScroll3"), p.control<QSpinBox>("spnBlue")}}};
        const auto [moved, value] = bars[static_cast<std::size_t>(bar - 1)];
        moved->setValue(200);
        QCOMPARE(p.entryText(row), entry);
        QCOMPARE(value->value(), 200);
        QCOMPARE(shown(p.control<QFrame>("picFarbe")), preview);
        QVERIFY(!p.session.isSaved());
    }

    void newColourIsNumberedByItsPosition() {
        std::vector<ColourTableEntry> ten;
        for (int k = 0; k < 10; ++k) {
            ten.push_back(colour(k, "grey", k, k, k));
        }
        Pages p(ten, {});
        p.control<QPushButton>("cmdNewColor")->click();
        QCOMPARE(p.document.ColourEntries.at(10).Number, 10);
        QCOMPARE(p.entryText(10), "10 Color10 - 0,128,255");
        QCOMPARE(p.control<QListWidget>("lstColors")->currentRow(), 10);
        QCOMPARE(p.desktop.texts(Kind::Information), QStringList(languageText(english(), 154)));
        QVERIFY(!p.session.isSaved());
    }

    void deleteAsksThenRenumbersColoursAndPairs() {
        Pages p(palette(), {model("bus", {{2, 4}, {3, 1}}), model("mycar", {{2, 2}})});
        p.showModel("bus");
        p.control<QListWidget>("lstColors")->setCurrentRow(2);
        p.control<QPushButton>("cmdDeleteColor")->click();  // the player answers No
        QCOMPARE(p.document.ColourEntries, palette());
        QVERIFY(p.session.isSaved());

        p.desktop.answers.enqueue(true);
        p.control<QPushButton>("cmdDeleteColor")->click();
        const QString question =
            "Delete colour 2 (teal)?\n\n2 model(s) use it: bus, mycar.\r\nTheir pairs take colour "
            "0 in its place.\nThe colours after it move up one number; every model keeps its "
            "other colours.";
        QCOMPARE(p.desktop.texts(Kind::Question), QStringList(2, question));
        QCOMPARE(pairsOf(p.record(0)), Pairs({{0, 3}, {2, 1}}));
        QCOMPARE(pairsOf(p.record(1)), Pairs({{0, 0}}));
        QCOMPARE(p.document.ColourEntries[2].Number, 2);
        const QStringList left = {"0 black - 0,0,0", "1 hot - 300,0,0", "2 white - 255,255,255",
                                  "3 blue - 0,0,255"};
        QCOMPARE(rows(p.control<QListWidget>("lstColors")), left);
        QVERIFY(!p.session.isSaved());

        QCOMPARE(rows(p.control<QComboBox>("cmbColor2")), left);
        QCOMPARE(rows(p.control<QListWidget>("lstCarColors")),
                 QStringList({"0 black - 3 blue", "2 white - 1 hot"}));
    }

    // Whichever way a colour is given, it reaches the keeper as one change,
    // and undoing it gives back the file's bytes.
    void colourByNumberCodeOrDialog_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QColor>("stored");  // invalid: refused, nothing changes
        QTest::newRow("number box") << "spnGreen"
                                    << "77" << QColor(12, 77, 56);
        QTest::newRow("hex code") << "txtHexCode"
                                  << "#6080a0" << QColor(0x60, 0x80, 0xA0);
        QTest::newRow("hex code without #") << "txtHexCode"
                                            << "FF0001" << QColor(255, 0, 1);
        QTest::newRow("colour dialog") << "cmdChooseColour"
                                       << "" << QColor(1, 2, 3);
        QTest::newRow("not hex") << "txtHexCode"
                                 << "#12345G" << QColor();
        QTest::newRow("dialog cancelled") << "cmdChooseColour"
                                          << "" << QColor();
    }

    void colourByNumberCodeOrDialog() {
        QFETCH(QString, way);
        QFETCH(QString, typed);
        QFETCH(QColor, stored);
        Pages p;
        const std::string saved = p.session.buildSaveText(p.file);
        std::vector<DocumentEdit> edits;
        p.session.setEditRecorder([&edits](DocumentEdit edit) { edits.push_back(edit); });
        p.control<QListWidget>("lstColors")->setCurrentRow(2);
        auto* code = p.control<QLineEdit>("txtHexCode");
        if (way == "spnGreen") {
            auto* number = p.control<QSpinBox>("spnGreen");
            number->selectAll();
            QTest::keyClicks(number, typed);
            QTest::keyClick(number, Qt::Key_Return);
        } else if (way == "txtHexCode") {
            retype(code, typed);
            QTest::keyClick(code, Qt::Key_Return);
        } else {
            p.desktop.colourChoices.enqueue(stored.isValid() ? std::optional(stored)
                                                             : std::nullopt);
            p.control<QPushButton>(way.toUtf8().constData())->click();
        }
        const ColourTableEntry& teal = p.document.ColourEntries[2];
        if (!stored.isValid()) {
            QVERIFY(edits.empty());
            QVERIFY(p.session.isSaved());
            QCOMPARE(code->text(), "#0C2238");
            QCOMPARE(p.desktop.texts(Kind::Status).size(), way == "txtHexCode" ? 1 : 0);
            return;
        }
        QCOMPARE(edits.size(), 1u);
        QCOMPARE(QColor(teal.Red, teal.Green, teal.Blue), stored);
        QCOMPARE(code->text(), stored.name().toUpper());
        QCOMPARE(p.control<QScrollBar>("HScroll2")->value(), stored.green());
        QCOMPARE(p.control<QSpinBox>("spnRed")->value(), stored.red());
        QCOMPARE(shown(p.control<QFrame>("picFarbe")), stored);
        QVERIFY(p.session.buildSaveText(p.file) != saved);
        // A bar moved after it joins a number stepped, not a colour given at once.
        p.control<QScrollBar>("HScroll3")->setValue(9);
        QCOMPARE(edits.size(), 2u);
        DocumentEdit joined = edits[0];
        QCOMPARE(p.session.mergeEdits(joined, edits[1]), way == "spnGreen");
        QVERIFY(p.session.undo(edits[1]));
        QVERIFY(p.session.undo(edits[0]));
        QCOMPARE(p.session.buildSaveText(p.file), saved);
        QVERIFY(p.session.isSaved());
    }

    // A question about a colour many models use names three of them; the
    // last colour moves no other.
    void deleteQuestionNamesAFewOfManyUsers() {
        std::vector<CarColourRecord> cars{model("other", {{0, 1}})};
        const char* const names[] = {"car0", "car1", "car2", "car3", "car4"};
        for (const char* name : names) {
            cars.push_back(model(name, {{0, 0}, {4, 4}}));
        }
        Pages p(palette(), cars);
        p.control<QListWidget>("lstColors")->setCurrentRow(4);
        p.control<QPushButton>("cmdDeleteColor")->click();
        const QStringList asked = p.desktop.texts(Kind::Question);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.front().contains(": car0, car1, car2, and 2 more."),
                 qPrintable(asked.front()));
        QVERIFY(!asked.front().contains("move up"));
        QCOMPARE(p.document.ColourEntries.size(), 5u);
    }

    void removePair_data() {
        QTest::addColumn<Pairs>("pairs");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<Pairs>("left");
        QTest::addColumn<QStringList>("listed");
        // The list shows the (0, 0) pair the model keeps, so rows and pairs stay one to one.
        QTest::newRow("only pair")
            << Pairs{{3, 4}} << true << Pairs{{0, 0}} << QStringList{"0 black - 0 black"};
        QTest::newRow("first of two")
            << Pairs{{1, 1}, {1, 2}} << true << Pairs{{1, 2}} << QStringList{"1 hot - 2 teal"};
        QTest::newRow("answered No") << Pairs{{1, 1}, {1, 2}} << false << Pairs{{1, 1}, {1, 2}}
                                     << QStringList{"1 hot - 1 hot", "1 hot - 2 teal"};
    }

    void removePair() {
        QFETCH(Pairs, pairs);
        QFETCH(bool, yes);
        QFETCH(Pairs, left);
        QFETCH(QStringList, listed);
        Pages p(palette(), {model("mycar", pairs)});
        p.showModel("mycar");
        p.control<QListWidget>("lstCarColors")->setCurrentRow(0);
        p.desktop.answers.enqueue(yes);
        p.control<QPushButton>("cmdRemColor")->click();
        QCOMPARE(pairsOf(p.record(0)), left);
        QCOMPARE(rows(p.control<QListWidget>("lstCarColors")), listed);
        QCOMPARE(p.session.isSaved(), !yes);
        if (yes && !listed.isEmpty()) {
            QCOMPARE(p.control<QListWidget>("lstCarColors")->currentRow(), 0);
            QCOMPARE(p.control<QComboBox>("cmbColor2")->currentIndex(), left.front().second);
        }
    }

    void movePair_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("button");
        QTest::addColumn<Pairs>("after");
        QTest::addColumn<int>("selected");
        QTest::newRow("middle up") << 1 << "cmdPairUp" << Pairs{{1, 2}, {1, 1}, {3, 4}} << 0;
        QTest::newRow("middle down") << 1 << "cmdPairDown" << Pairs{{1, 1}, {3, 4}, {1, 2}} << 2;
        QTest::newRow("first up") << 0 << "cmdPairUp" << Pairs{{1, 1}, {1, 2}, {3, 4}} << 0;
        QTest::newRow("last down") << 2 << "cmdPairDown" << Pairs{{1, 1}, {1, 2}, {3, 4}} << 2;
    }

    // A pair moves in its model's list, stays selected and is one step to undo.
    void movePair() {
        QFETCH(int, row);
        QFETCH(QString, button);
        QFETCH(Pairs, after);
        QFETCH(int, selected);
        const Pairs before{{1, 1}, {1, 2}, {3, 4}};
        Pages p(palette(), {model("bus", {{0, 0}}), model("mycar", before)});
        std::vector<DocumentEdit> edits;
        p.session.setEditRecorder([&edits](DocumentEdit edit) { edits.push_back(edit); });
        p.showModel("mycar");
        auto* list = p.control<QListWidget>("lstCarColors");
        list->setCurrentRow(row);
        p.control<QPushButton>(button.toUtf8().constData())->click();
        QCOMPARE(pairsOf(p.record(1)), after);
        QCOMPARE(list->currentRow(), selected);
        QCOMPARE(list->count(), 3);
        QCOMPARE(edits.size(), after == before ? 0u : 1u);
        if (!edits.empty()) {
            QVERIFY(p.session.undo(edits.front()));
            QCOMPARE(pairsOf(p.record(1)), before);
            QVERIFY(p.session.isSaved());
        }
    }

    // A changed palette shows at once in the choosers and the pairs beside
    // it; the player's choices stay.
    void choosersAndPairsFollowThePalette() {
        Pages p;
        p.showModel("bus");
        p.control<QListWidget>("lstCarColors")->setCurrentRow(0);
        p.control<QPushButton>("cmdNewColor")->click();
        p.control<QListWidget>("lstColors")->setCurrentRow(3);
        retype(p.control<QLineEdit>("txtColorName"), "snow");
        p.control<QScrollBar>("HScroll1")->setValue(99);
        QCOMPARE(p.document.ColourEntries[3].Name, "snow");
        QCOMPARE(p.entryText(3), "3 snow - 99,255,255");
        QCOMPARE(rows(p.control<QComboBox>("cmbColor2")),
                 rows(p.control<QListWidget>("lstColors")));
        QCOMPARE(rows(p.control<QListWidget>("lstCarColors")), QStringList({"3 snow - 4 blue"}));
        QCOMPARE(p.control<QListWidget>("lstCarColors")->currentRow(), 0);
        QCOMPARE(p.control<QComboBox>("cmbColor1")->currentIndex(), 3);
        QCOMPARE(shown(p.control<QFrame>("picColor1")), QColor(99, 255, 255));
    }

    // Two models of one name are two records, each listing its own pairs;
    // clicking a pair shows it in the choosers, and a pair is added as the
    // choosers stand.
    void modelsOfOneNameAreListedApart() {
        Pages p(palette(), {model("mycar", {{1, 2}}), model("bus", {{3, 4}}),
                            model("mycar", {{4, 3}, {0, 2}})});
        p.session.select(2);
        p.pages.showModel(2);
        QCOMPARE(rows(p.control<QListWidget>("lstCarColors")),
                 QStringList({"4 blue - 3 white", "0 black - 2 teal"}));
        p.control<QListWidget>("lstCarColors")->setCurrentRow(1);
        QCOMPARE(p.control<QComboBox>("cmbColor1")->currentIndex(), 0);
        QCOMPARE(p.control<QComboBox>("cmbColor2")->currentIndex(), 2);
        p.control<QComboBox>("cmbColor2")->setCurrentIndex(1);
        p.control<QPushButton>("cmdAddColor")->click();
        QCOMPARE(pairsOf(p.record(2)), Pairs({{4, 3}, {0, 2}, {0, 1}}));
        QCOMPARE(rows(p.control<QListWidget>("lstCarColors")).last(), "0 black - 1 hot");
        QCOMPARE(pairsOf(p.record(0)), Pairs({{1, 2}}));
        QVERIFY(!p.session.isSaved());

        p.showModel("nobody");
        QCOMPARE(p.control<QListWidget>("lstCarColors")->count(), 0);
        // No pair lands in a model that is not shown.
        p.control<QPushButton>("cmdAddColor")->click();
        QCOMPARE(p.record(2).Color1.size(), 3u);
    }

    // A pair naming no colour is shown as an unknown colour with its number;
    // showing it changes nothing, and the save writes it back as it was.
    void unknownPairValueIsShownAndKept() {
        Pages p(palette(), {model("mycar", {{9, 3}, {2, -1}})});
        p.showModel("mycar");
        QCOMPARE(rows(p.control<QListWidget>("lstCarColors")),
                 QStringList({"Unknown colour 9 - 3 white", "2 teal - Unknown colour -1"}));
        QCOMPARE(pairsOf(p.record(0)), Pairs({{9, 3}, {2, -1}}));
        QVERIFY(p.session.isSaved());
        QVERIFY(p.session.buildSaveText("car\r\nmycar, 9, 3, 2, -1\r\nend\r\n")
                    .find("mycar, 9, 3, 2, -1\r\n") != std::string::npos);
    }

    void emptyTablesIgnoreEveryCommand() {
        Pages p({}, {});
        p.desktop.answers << true << true << true;
        p.showModel("mycar");
        p.control<QScrollBar>("HScroll1")->setValue(10);
        p.control<QLineEdit>("txtColorName")->setText(QStringLiteral("x"));
        for (QPushButton* button :
             {p.control<QPushButton>("cmdDeleteColor"), p.control<QPushButton>("cmdAddColor"),
              p.control<QPushButton>("cmdRemColor")}) {
            button->click();
        }
        QVERIFY(p.document.ColourEntries.empty());
        QVERIFY(p.document.CarColourRecords.empty());
        QVERIFY(p.session.isSaved());
        QVERIFY(p.desktop.messages.isEmpty());

        // A palette without models: colours can still be added and deleted.
        p.control<QPushButton>("cmdNewColor")->click();
        p.control<QPushButton>("cmdAddColor")->click();
        p.control<QPushButton>("cmdDeleteColor")->click();
        QVERIFY(p.document.ColourEntries.empty());
    }
};

QTEST_MAIN(ColourPagesTests)
#include "tst_colour_pages.moc"
