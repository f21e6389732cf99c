#include <QtTest>

#include <QClipboard>

#include "support/WindowSession.h"
#include "ui/ColourPages.h"

using namespace wendrake;
using namespace wendrake::testing;
using Kind = ScriptedDesktop::MessageKind;
using Pairs = QList<std::pair<int, int>>;

namespace {

ColourTableEntry colour(int number, const char* name, int red, int green, int blue) {
    const auto value = [](int v) { return static_cast<std::int16_t>(v); };
    return {value(number), value(red), value(green), value(blue), name, {}};
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

// The pages over a freshly opened file: nothing changed yet.
struct Pages {
    EditorDocument document;
    ScriptedDesktop desktop;
    ColourPages pages{document, desktop};

    explicit Pages(std::vector<ColourTableEntry> colours = palette(),
                   std::vector<CarColourRecord> cars = {model("bus", {{3, 4}}),
                                                        model("mycar", {{1, 1}, {1, 2}})}) {
        document.ColourEntries = std::move(colours);
        document.CarColourRecords = std::move(cars);
        pages.applyLanguage(english());
        pages.showPalette();
    }
    void showModel(const char* name) { pages.showModel(name); }
    CarColourRecord& record(int index) {
        return document.CarColourRecords[static_cast<std::size_t>(index)];
    }
    QString entryText(int row) const { return pages.lstColors->item(row)->text(); }
};

}  // namespace

class ColourPagesTests : public QObject {
    Q_OBJECT
  private slots:
    void showingColoursStoresNothing() {
        Pages p;
        QCOMPARE(p.pages.lstColors->count(), 5);
        QCOMPARE(rows(p.pages.cmbColor1), rows(p.pages.lstColors));
        QCOMPARE(rows(p.pages.cmbColor2), rows(p.pages.lstColors));
        for (const int row : {1, 2, 3, 4, 0, 1}) {
            p.pages.lstColors->setCurrentRow(row);
        }
        QCOMPARE(p.pages.txtColorName->text(), "hot");
        QCOMPARE(p.pages.HScroll1->value(), 255);
        QCOMPARE(p.pages.lblRotWert->text(), "255");
        QCOMPARE(shown(p.pages.picFarbe), QColor(255, 0, 0));
        QCOMPARE(p.document.ColourEntries, palette());
        QVERIFY(p.document.SavedFlag);
    }

    void barsStoreOnlyTheirOwnPart_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QColor>("preview");
        QTest::newRow("green of teal") << 2 << 2 << "teal - 12,200,56" << QColor(12, 200, 56);
        QTest::newRow("blue of teal") << 2 << 3 << "teal - 12,34,200" << QColor(12, 34, 200);
        // The red read from the file stays until its own bar is moved.
        QTest::newRow("green of hot") << 1 << 2 << "hot - 300,200,0" << QColor(255, 200, 0);
        QTest::newRow("red of hot") << 1 << 1 << "hot - 200,0,0" << QColor(200, 0, 0);
    }

    void barsStoreOnlyTheirOwnPart() {
        QFETCH(int, row);
        QFETCH(int, bar);
        QFETCH(QString, entry);
        QFETCH(QColor, preview);
        Pages p;
        p.pages.lstColors->setCurrentRow(row);
        const std::array<std::pair<QScrollBar*, QLabel*>, 3> bars{
            {{p.pages.HScroll1, p.pages.lblRotWert},
             {p.pages.HScroll2, p.pages.lblGruenWert},
             {p.pages.HScroll3, p.pages.lblBlauWert}}};
        const auto [moved, value] = bars[static_cast<std::size_t>(bar - 1)];
        moved->setValue(200);
        QCOMPARE(p.entryText(row), entry);
        QCOMPARE(value->text(), "200");
        QCOMPARE(shown(p.pages.picFarbe), preview);
        QVERIFY(!p.document.SavedFlag);
    }

    void nameEditRebuildsTheEntryWithoutTabs() {
        Pages p;
        p.pages.lstColors->setCurrentRow(2);
        QLineEdit* name = p.pages.txtColorName;
        name->selectAll();
        QTest::keyClicks(name, "sea\tgreen");
        QCOMPARE(p.document.ColourEntries[2].Name, "seagreen");
        QCOMPARE(p.entryText(2), "seagreen - 12,34,56");
        QVERIFY(!p.document.SavedFlag);
        // A tab or line break would end the name or the line in the file: a
        // paste holding one is refused whole.
        QGuiApplication::clipboard()->setText(QStringLiteral("\tdark\r\nred"));
        name->selectAll();
        name->paste();
        QCOMPARE(name->text(), "seagreen");
        QCOMPARE(p.document.ColourEntries[2].Name, "seagreen");
    }

    void newColourIsNumberedByItsPosition() {
        std::vector<ColourTableEntry> ten;
        for (int k = 0; k < 10; ++k) {
            ten.push_back(colour(k, "grey", k, k, k));
        }
        Pages p(ten, {});
        p.pages.cmdNewColor->click();
        QCOMPARE(p.document.ColourEntries.at(10).Number, 10);
        QCOMPARE(p.entryText(10), "Color10 - 0,128,255");
        QCOMPARE(p.pages.lstColors->currentRow(), 10);
        QCOMPARE(p.pages.txtColorName->text(), "Color10");
        QCOMPARE(shown(p.pages.picFarbe), QColor(0, 128, 255));
        QCOMPARE(p.desktop.texts(Kind::Information), QStringList(languageText(english(), 154)));
        QVERIFY(!p.document.SavedFlag);
    }

    void deleteAsksThenRenumbersColoursAndPairs() {
        Pages p(palette(), {model("bus", {{2, 4}, {3, 1}}), model("mycar", {{2, 2}})});
        p.showModel("bus");
        p.pages.lstColors->setCurrentRow(2);
        p.pages.cmdDeleteColor->click();  // the player answers No
        QCOMPARE(p.document.ColourEntries, palette());
        QCOMPARE(pairsOf(p.record(0)), Pairs({{2, 4}, {3, 1}}));
        QCOMPARE(p.pages.lstColors->count(), 5);
        QVERIFY(p.document.SavedFlag);

        p.desktop.answers.enqueue(true);
        p.pages.cmdDeleteColor->click();
        QCOMPARE(p.desktop.texts(Kind::Question), QStringList(2, languageText(english(), 153)));
        QCOMPARE(pairsOf(p.record(0)), Pairs({{0, 3}, {2, 1}}));
        QCOMPARE(pairsOf(p.record(1)), Pairs({{0, 0}}));
        QCOMPARE(p.document.ColourEntries[2].Number, 2);
        const QStringList left = {"black - 0,0,0", "hot - 300,0,0", "white - 255,255,255",
                                  "blue - 0,0,255"};
        QCOMPARE(rows(p.pages.lstColors), left);
        QCOMPARE(p.pages.lstColors->currentRow(), 0);
        QCOMPARE(p.pages.txtColorName->text(), "black");
        QVERIFY(!p.document.SavedFlag);

        p.pages.setCurrentIndex(1);
        QCOMPARE(rows(p.pages.cmbColor1), left);
        QCOMPARE(rows(p.pages.cmbColor2), left);
        QCOMPARE(rows(p.pages.lstCarColors), QStringList({"black - blue", "white - hot"}));
    }

    void addPairTakesTheChooserPositions() {
        Pages p;
        p.showModel("bus");
        p.pages.setCurrentIndex(1);
        p.pages.cmbColor1->setCurrentIndex(1);
        p.pages.cmbColor2->setCurrentIndex(4);
        QCOMPARE(shown(p.pages.picColor1), QColor(255, 0, 0));
        QCOMPARE(shown(p.pages.picColor2), QColor(0, 0, 255));
        p.pages.cmdAddColor->click();
        QCOMPARE(pairsOf(p.record(0)), Pairs({{3, 4}, {1, 4}}));
        QCOMPARE(rows(p.pages.lstCarColors), QStringList({"white - blue", "hot - blue"}));
        QVERIFY(!p.document.SavedFlag);
        // Clicking a pair shows it in the choosers again.
        p.pages.lstCarColors->setCurrentRow(0);
        QCOMPARE(p.pages.cmbColor1->currentIndex(), 3);
        QCOMPARE(p.pages.cmbColor2->currentIndex(), 4);
    }

    void removePair_data() {
        QTest::addColumn<Pairs>("pairs");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<Pairs>("left");
        QTest::addColumn<QStringList>("listed");
        // The list shows the (0, 0) pair the model keeps, so rows and pairs stay one to one.
        QTest::newRow("only pair")
            << Pairs{{3, 4}} << true << Pairs{{0, 0}} << QStringList{"black - black"};
        QTest::newRow("first of two")
            << Pairs{{1, 1}, {1, 2}} << true << Pairs{{1, 2}} << QStringList{"hot - teal"};
        QTest::newRow("answered No") << Pairs{{1, 1}, {1, 2}} << false << Pairs{{1, 1}, {1, 2}}
                                     << QStringList{"hot - hot", "hot - teal"};
    }

    void removePair() {
        QFETCH(Pairs, pairs);
        QFETCH(bool, yes);
        QFETCH(Pairs, left);
        QFETCH(QStringList, listed);
        Pages p(palette(), {model("mycar", pairs)});
        p.showModel("mycar");
        p.pages.setCurrentIndex(1);
        p.pages.lstCarColors->setCurrentRow(0);
        p.desktop.answers.enqueue(yes);
        p.pages.cmdRemColor->click();
        QCOMPARE(pairsOf(p.record(0)), left);
        QCOMPARE(rows(p.pages.lstCarColors), listed);
        QCOMPARE(p.document.SavedFlag, !yes);
        if (yes && !listed.isEmpty()) {
            QCOMPARE(p.pages.lstCarColors->currentRow(), 0);
            QCOMPARE(p.pages.cmbColor2->currentIndex(), left.front().second);
        }
    }

    void choosersAreRefilledOnlyWhenLeavingThePalette() {
        Pages p;
        p.pages.setCurrentIndex(1);
        p.pages.cmbColor1->setCurrentIndex(2);
        p.pages.setCurrentIndex(0);
        QCOMPARE(p.pages.cmbColor1->currentIndex(), 2);

        p.pages.cmdNewColor->click();
        p.pages.lstColors->setCurrentRow(0);
        p.pages.HScroll3->setValue(99);
        QCOMPARE(p.pages.cmbColor1->count(), 5);  // not yet: the player is still on the palette
        p.pages.setCurrentIndex(1);
        for (const QComboBox* chooser : {p.pages.cmbColor1, p.pages.cmbColor2}) {
            QCOMPARE(rows(chooser), rows(p.pages.lstColors));
            QCOMPARE(chooser->currentIndex(), 0);
        }
        QCOMPARE(shown(p.pages.picColor1), QColor(0, 0, 99));
        QCOMPARE(shown(p.pages.picColor2), QColor(0, 0, 99));
    }

    void modelsOfOneNameAreListedTogether() {
        Pages p(palette(), {model("mycar", {{1, 2}}), model("bus", {{3, 4}}),
                            model("mycar", {{4, 3}, {0, 2}})});
        p.showModel("mycar");
        QCOMPARE(rows(p.pages.lstCarColors),
                 QStringList({"hot - teal", "blue - white", "black - teal"}));
        QCOMPARE(p.document.CurrentCarColour, 2);
        // The rows of the current record follow those of the earlier one.
        p.pages.setCurrentIndex(1);
        p.pages.lstCarColors->setCurrentRow(2);
        QCOMPARE(p.pages.cmbColor1->currentIndex(), 0);
        QCOMPARE(p.pages.cmbColor2->currentIndex(), 2);

        p.showModel("nobody");
        QCOMPARE(p.pages.lstCarColors->count(), 0);
        QCOMPARE(p.document.CurrentCarColour, 2);
        // No pair lands in a model that is not shown.
        p.pages.cmdAddColor->click();
        QCOMPARE(p.record(2).Color1.size(), 2u);
        QVERIFY(p.document.SavedFlag);
    }

    void unknownPairValueIsRepairedOnDisplay() {
        Pages p(palette(), {model("mycar", {{9, 3}, {2, -1}})});
        p.showModel("mycar");
        QCOMPARE(rows(p.pages.lstCarColors), QStringList({"black - white", "teal - black"}));
        QCOMPARE(pairsOf(p.record(0)), Pairs({{0, 3}, {2, 0}}));
        QVERIFY(p.document.SavedFlag);
    }

    void emptyTablesIgnoreEveryCommand() {
        Pages p({}, {});
        p.desktop.answers << true << true << true;
        p.showModel("mycar");
        p.pages.setCurrentIndex(1);
        p.pages.setCurrentIndex(0);
        p.pages.HScroll1->setValue(10);
        p.pages.txtColorName->setText(QStringLiteral("x"));
        for (QPushButton* button :
             {p.pages.cmdDeleteColor, p.pages.cmdAddColor, p.pages.cmdRemColor}) {
            button->click();
        }
        p.pages.lstCarColors_Click();
        p.pages.cmbColor1_Click();
        QVERIFY(p.document.ColourEntries.empty());
        QVERIFY(p.document.CarColourRecords.empty());
        QVERIFY(p.document.SavedFlag);
        QVERIFY(p.desktop.messages.isEmpty());

        // A palette without models: colours can still be added and deleted.
        p.pages.cmdNewColor->click();
        p.pages.setCurrentIndex(1);
        p.pages.cmdAddColor->click();
        p.pages.setCurrentIndex(0);
        p.pages.cmdDeleteColor->click();
        QVERIFY(p.document.ColourEntries.empty());
        QCOMPARE(p.pages.lstColors->count(), 0);
        QCOMPARE(p.pages.txtColorName->text(), QString());
    }
};

QTEST_MAIN(ColourPagesTests)
#include "tst_colour_pages.moc"
