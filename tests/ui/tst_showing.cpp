// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QAccessible>
#include <QDirIterator>
#include <set>

#include "model/DataFileKind.h"
#include "support/WindowSession.h"
#include "ui/Mnemonics.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

const QString kSamples = QStringLiteral(WENDRAKE_SAMPLES "/");

// Every file of the three kinds among the test files and the samples, found
// afresh on each run so that a new one is covered too.
QStringList everyFixture() {
    QStringList found;
    for (const QString& folder : {kTestData, kSamples}) {
        QDirIterator files(folder, {"*.cfg", "*.ide", "*.dat"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            found << files.next();
        }
    }
    found.sort();
    return found;
}

// The first row that differs, or an empty text when the tables are equal.
template <typename Row>
QString firstDifference(const std::vector<Row>& now, const std::vector<Row>& before) {
    if (now.size() != before.size()) {
        return QStringLiteral("%1 rows instead of %2").arg(now.size()).arg(before.size());
    }
    for (std::size_t k = 0; k < now.size(); ++k) {
        if (!(now[k] == before[k])) {
            return QStringLiteral("row %1 changed").arg(k);
        }
    }
    return {};
}

QTabWidget* pagesOf(MainWindow& window, DataFileKind kind) {
    switch (kind) {
        case DataFileKind::Handling:
            return window.findChild<HandlingPages*>();
        case DataFileKind::VehicleDefs:
            return window.findChild<VehicleDefPages*>();
        case DataFileKind::CarColours:
            return window.findChild<ColourPages*>();
    }
    return nullptr;
}

// Every page of the set, and on the colour page every pair row.
void visitPages(MainWindow& window, QTabWidget* pages) {
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
    }
    if (pages == window.findChild<ColourPages*>()) {
        auto* pairs = pages->findChild<QListWidget*>("lstCarColors");
        for (int row = 0; row < pairs->count(); ++row) {
            pairs->setCurrentRow(row);
        }
    }
}

// A control the player edits or reads a value from, which a caption must name:
// a check box with a text of its own names itself.
QString spokenName(const QWidget* control) {
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
    return face != nullptr ? face->text(QAccessible::Name) : QString();
}

bool labelledBy(const QWidget* control, const QLabel* label) {
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(const_cast<QWidget*>(control));
    if (face == nullptr) {
        return false;
    }
    const auto labels = face->relations(QAccessible::Label);
    return std::any_of(labels.begin(), labels.end(),
                       [label](const auto& relation) { return relation.first->object() == label; });
}

bool needsCaption(const QWidget* control) {
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
        return box->text().isEmpty();
    }
    return qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control) ||
           qobject_cast<const QAbstractSlider*>(control);
}

// What each value control (text box, chooser, tick box) of the pages says
// of its value: its tooltip, then what a screen reader says.
QMap<QString, QStringList> explanations(const QTabWidget* pages) {
    QMap<QString, QStringList> said;
    for (const QWidget* control : pages->findChildren<QWidget*>()) {
        if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control) ||
            qobject_cast<const QCheckBox*>(control)) {
            said.insert(control->objectName(),
                        {control->toolTip().trimmed(), control->accessibleDescription().trimmed()});
        }
    }
    return said;
}

}  // namespace

// Showing changes nothing: whatever the player looks at in an opened file,
// the document stays as opened, saved, and a save writes what it would have
// written right after opening.
class ShowingTests : public QObject {
    Q_OBJECT
  private slots:
    void showingChangesNothing_data() {
        QTest::addColumn<QString>("fixture");
        const LanguageTable english = loadLanguage("English");
        std::set<DataFileKind> kinds;
        for (const QString& fixture : everyFixture()) {
            const auto kind = kindFromFileName(fixture.toStdString());
            QVERIFY(kind.has_value());
            DocumentSession probe;
            if (probe.openBytes(fixture.toStdString(), *kind, contents(fixture).toStdString(),
                                english)) {
                continue;  // a file that does not open shows nothing
            }
            kinds.insert(*kind);
            const bool sample = fixture.startsWith(kSamples);
            const QString name = (sample ? QStringLiteral("samples/") : QStringLiteral("data/")) +
                                 fixture.mid((sample ? kSamples : kTestData).size());
            QTest::newRow(qPrintable(name)) << fixture;
        }
        QCOMPARE(kinds.size(), std::size_t{3});
    }

    void showingChangesNothing() {
        QFETCH(QString, fixture);
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        const QString path = s.dir.filePath(QFileInfo(fixture).fileName());
        QVERIFY(QFile::copy(fixture, path));
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        s.window.openFile(path);
        QVERIFY(s.session().isLoaded());

        const EditorDocument opened = s.document();
        const std::string onDisk = contents(path).toStdString();
        const std::string saveText = s.session().buildSaveText(onDisk);
        const QString title = s.window.windowTitle();
        const qsizetype messages = s.desktop.messages.size();

        QTabWidget* pages = pagesOf(s.window, opened.kind);
        visitPages(s.window, pages);
        s.chooseLanguage(QStringLiteral("Deutsch"));
        const int entries = s.listedCount();
        const int backToEnglish = (entries + 1) / 2;  // half the list in each language
        for (int entry = 0; entry < entries; ++entry) {
            if (entry == backToEnglish) {
                s.chooseLanguage(QStringLiteral("English"));
            }
            s.chooseVehicle(entry);
            visitPages(s.window, pages);
        }
        if (entries <= backToEnglish) {
            s.chooseLanguage(QStringLiteral("English"));
        }
        if (opened.kind == DataFileKind::CarColours) {
            auto* palette = pages->findChild<QListWidget*>("lstColors");
            for (int colour = 0; colour < palette->count(); ++colour) {
                palette->setCurrentRow(colour);
            }
            visitPages(s.window, pages);
        }
        QCoreApplication::processEvents();

        const EditorDocument& now = s.document();
        QCOMPARE(checkedLanguage(s.window), QStringLiteral("English"));
        QCOMPARE(now.kind, opened.kind);
        QCOMPARE(now.FilePath, opened.FilePath);
        const std::pair<QString, QString> tables[] = {
            {"handling", firstDifference(now.HandlingRecords, opened.HandlingRecords)},
            {"handling snapshot", firstDifference(now.HandlingSnapshot, opened.HandlingSnapshot)},
            {"definitions", firstDifference(now.VehicleDefRecords, opened.VehicleDefRecords)},
            {"definitions snapshot",
             firstDifference(now.VehicleDefSnapshot, opened.VehicleDefSnapshot)},
            {"palette", firstDifference(now.ColourEntries, opened.ColourEntries)},
            {"palette snapshot", firstDifference(now.ColourSnapshot, opened.ColourSnapshot)},
            {"pairs", firstDifference(now.CarColourRecords, opened.CarColourRecords)},
            {"pairs snapshot", firstDifference(now.CarColourSnapshot, opened.CarColourSnapshot)},
            {"error list", firstDifference(now.Errors, opened.Errors)}};
        for (const auto& [table, difference] : tables) {
            QVERIFY2(difference.isEmpty(), qPrintable(table + ": " + difference));
        }
        QVERIFY(now.Autos == opened.Autos);
        QCOMPARE(now.Author, opened.Author);
        QCOMPARE(now.Date, opened.Date);
        QVERIFY(s.session().isSaved());
        QCOMPARE(s.window.windowTitle(), title);
        QVERIFY(!s.window.isWindowModified());
        QCOMPARE(s.desktop.messages.size(), messages);
        QCOMPARE(contents(path).toStdString(), onDisk);
        QCOMPARE(s.session().buildSaveText(onDisk), saveText);
    }

    // A screen reader names every box by its caption, and Alt with the
    // caption's letter reaches it: no two captions shown together share a
    // letter, nor take a menu's. Every value control of the handling and
    // vehicle definition pages tells what its value does, in its tooltip and
    // to screen readers alike, in each language after a switch; German texts
    // that equal the English ones would be texts the German file lacks.
    void everyBoxIsNamedByItsCaption_data() {
        QTest::addColumn<QString>("sample");
        for (const char* sample : {"handling.cfg", "default.ide", "carcols.dat"}) {
            QTest::newRow(sample) << kSamples + QLatin1String(sample);
        }
    }

    void everyBoxIsNamedByItsCaption() {
        QFETCH(QString, sample);
        WindowSession s;
        const QString path = s.dir.filePath(QFileInfo(sample).fileName());
        QVERIFY(QFile::copy(sample, path));
        s.window.openFile(path);
        QTabWidget* pages = pagesOf(s.window, s.document().kind);
        for (int page = 0; page < pages->count(); ++page) {
            pages->setCurrentIndex(page);
            QString letters = QStringLiteral("fh");
            const QList<QLabel*> labels = pages->currentWidget()->findChildren<QLabel*>();
            for (const QLabel* label : labels) {
                const QChar letter = mnemonicLetter(label->text());
                if (label->buddy() != nullptr && !letter.isNull() && label->isVisibleTo(pages)) {
                    QVERIFY2(!letters.contains(letter), qPrintable(label->text()));
                    letters += letter;
                }
            }
            int captioned = 0;
            for (const QWidget* control : pages->currentWidget()->findChildren<QWidget*>()) {
                if (!needsCaption(control) || !control->isVisibleTo(pages) ||
                    control->parent()->inherits("QAbstractSpinBox") ||
                    control->parent()->inherits("QComboBox")) {
                    continue;
                }
                const auto caption =
                    std::find_if(labels.begin(), labels.end(),
                                 [&](const QLabel* l) { return l->buddy() == control; });
                QVERIFY2(caption != labels.end(), qPrintable(control->objectName()));
                // The screen reader says the caption as read, or (a combo box
                // on Linux, whose name is its entry) finds it as its label.
                QString read = (*caption)->text().remove(QRegularExpression("&(?!&)"));
                read.replace("&&", "&");
                QVERIFY2(spokenName(control) == read.trimmed() || labelledBy(control, *caption),
                         qPrintable(control->objectName()));
                ++captioned;
            }
            QVERIFY(captioned >= 2);
        }
        // Every list of the window, the vehicles and the problems too.
        for (QAbstractItemView* view : s.window.findChildren<QAbstractItemView*>()) {
            if (!view->parent()->inherits("QComboBoxPrivateContainer")) {
                QVERIFY2(!spokenName(view).isEmpty(), qPrintable(view->objectName()));
            }
        }
        // Number boxes beside bars are named as their bars, each its own.
        QStringList numbers;
        for (const QAbstractSpinBox* box : pages->findChildren<QAbstractSpinBox*>()) {
            numbers << spokenName(box);
            QVERIFY2(!numbers.constLast().isEmpty(), qPrintable(box->objectName()));
        }
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), numbers.size());
        if (s.document().kind == DataFileKind::CarColours) {
            return;
        }
        const QMap<QString, QStringList> english = explanations(pages);
        s.chooseLanguage("Deutsch");
        const QMap<QString, QStringList> german = explanations(pages);
        QVERIFY(english.size() > 10);
        QCOMPARE(german.keys(), english.keys());
        for (const QString& control : english.keys()) {
            for (const QStringList& said : {english[control], german[control]}) {
                QVERIFY2(!said[0].isEmpty() && said[1] == said[0], qPrintable(control));
            }
            QVERIFY2(german[control][0] != english[control][0], qPrintable(control));
        }
    }
};

QTEST_MAIN(ShowingTests)
#include "tst_showing.moc"
