// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QClipboard>

#include "model/DocumentFiles.h"
#include "support/WindowSession.h"
#include "ui/Explanation.h"
#include "ui/HandlingPages.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

// A file of each kind, opened to edit the page set of that kind.
const std::array<const char*, 3> kFixtures{"handling/plain.cfg", "ide/plain.ide", "dat/plain.dat"};

QTabWidget* pagesOf(MainWindow& window, int set) {
    switch (set) {
        case 0:
            return window.findChild<HandlingPages*>();
        case 1:
            return window.findChild<VehicleDefPages*>();
        default:
            return window.findChild<ColourPages*>();
    }
}

// Line ends as the readers count them: CR LF, a lone CR or a lone LF.
int lineCount(const std::string& text) {
    int lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++lines;
        }
    }
    return lines;
}

// A byte that a game file line cannot hold inside a value: it would end the
// line or is no printable character of the file's 8-bit text.
bool unfit(const std::string& value) {
    return std::any_of(value.begin(), value.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b < 0x20 || (b >= 0x7f && b <= 0x9f);
    });
}

// The first unfit value of the document's texts, or an empty text.
QString firstUnfitValue(const EditorDocument& document) {
    std::vector<std::string> values{document.Author, document.Date};
    for (const auto& record : document.HandlingRecords) {
        values.insert(values.end(), record.values().begin(), record.values().end());
    }
    for (const auto& record : document.VehicleDefRecords) {
        values.insert(values.end(), record.values().begin(), record.values().end());
    }
    for (const auto& entry : document.ColourEntries) {
        values.push_back(entry.Name);
    }
    for (const auto& record : document.CarColourRecords) {
        values.push_back(record.ModelName);
    }
    const auto found = std::find_if(values.begin(), values.end(), unfit);
    return found == values.end() ? QString() : QString::fromLatin1(found->data()).toHtmlEscaped();
}

}  // namespace

// Whatever a player types or pastes into a box, the file keeps its lines and
// the box shows what the file gets.
class InputSafetyTests : public QObject {
    Q_OBJECT
  private slots:
    void noInputSplitsALineOrIsLost_data() {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("shown");  // null: the box keeps its text
        QTest::addColumn<bool>("told");      // the box says why it refused

        struct Input {
            const char* label;
            QString text;
            QString typed, pasted;  // what the box shows after typing or pasting it
            bool typedTold, pastedTold;
        };
        // Typed control characters never reach a box; a paste must be judged.
        const Input inputs[] = {
            {"cell", "1500.0\r\n", "1500.0", "1500.0", false, false},
            {"two lines", "a\nb", "ab", QString(), false, true},
            {"beyond Latin-1", QStringLiteral("\u0161\u20ac"), QString(), QString(), true, true},
            {"tab", "x\ty", "xy", QString(), false, true},
            {"controls", QStringLiteral("7\x01\x1b\x7f\u0085"), "7", QString(), false, true},
        };
        // The boxes are found by type, so a new box is covered at once; a box
        // that only shows a value takes no input, and a number box takes only
        // its numbers.
        WindowSession session;
        for (int set = 0; set < static_cast<int>(kFixtures.size()); ++set) {
            for (const QLineEdit* box : pagesOf(session.window, set)->findChildren<QLineEdit*>()) {
                if (box->isReadOnly() || qobject_cast<const QAbstractSpinBox*>(box->parent())) {
                    continue;
                }
                for (const Input& input : inputs) {
                    for (const bool paste : {false, true}) {
                        QTest::addRow("%s %s %s", qPrintable(box->objectName()), input.label,
                                      paste ? "pasted" : "typed")
                            << set << box->objectName() << input.text << paste
                            << (paste ? input.pasted : input.typed)
                            << (paste ? input.pastedTold : input.typedTold);
                    }
                }
            }
        }
    }

    void noInputSplitsALineOrIsLost() {
        QFETCH(int, set);
        QFETCH(QString, box);
        QFETCH(QString, input);
        QFETCH(bool, paste);
        QFETCH(QString, shown);
        QFETCH(bool, told);

        WindowSession session;
        const QString path = session.open(kFixtures[static_cast<std::size_t>(set)]);
        const EditorDocument& document = session.document();
        QVERIFY(document.isLoaded());
        const std::string disk = contents(path).toStdString();
        const int lines = lineCount(session.session().buildSaveText(disk));
        QCOMPARE(firstUnfitValue(document), QString());
        auto* edit = pagesOf(session.window, set)->findChild<QLineEdit*>(box);
        QVERIFY(edit != nullptr);
        const QString before = edit->text();

        edit->selectAll();
        if (paste) {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            type(edit, input);
        }

        QCOMPARE(firstUnfitValue(document), QString());
        QCOMPARE(lineCount(session.session().buildSaveText(disk)), lines);
        QCOMPARE(edit->text(), shown.isNull() ? before : shown);
        // A value the check reports is named there too (see the marks).
        QCOMPARE(edit->accessibleDescription() != describedWithNote(edit, QString()), told);
    }

    // A file may hold a byte that no edit may bring in (here 0x9a, which
    // other tools write for "š" and Latin-1 holds as a control character):
    // the value is shown and kept whole while the player edits around it,
    // undo included, and the box still refuses what would split the line.
    void valueFromTheFileStaysWholeAndGuarded() {
        DocumentSession session;
        session.openBytes("handling.cfg", DataFileKind::Handling,
                          "; Author: Tom\xe1\x9a\r\nARROW 1500.0 1.8 1.4 4.5 0.0 0.1 -0.2 70 1.1 "
                          "0.8 0.5 5 120.0 20.0 R P 6.0 0.55 1 35.0 1.2 0.1 0.2 1.0 25000 0.3 -0.2 "
                          "0.5 0022 2 3\r\n",
                          LanguageTable());
        const EditorDocument& document = session.document();
        HandlingPages pages(session);
        pages.showAuthorAndDate();
        QLineEdit* author = pages.findChild<QLineEdit*>("txtAuthor");
        QCOMPARE(author->text(), QStringLiteral("Tom\u00e1\u009a"));
        const auto paste = [author](const QString& text) {
            QGuiApplication::clipboard()->setText(text);
            QTest::keyClick(author, Qt::Key_V, Qt::ControlModifier);
        };

        author->end(false);
        type(author, "k");
        QCOMPARE(qb(document.Author), QByteArray("Tom\xe1\x9ak"));
        for (const QString& refused : {QStringLiteral("a\nb"), QStringLiteral("\u009a")}) {
            paste(refused);
            QCOMPARE(qb(document.Author), QByteArray("Tom\xe1\x9ak"));
        }
        author->selectAll();
        QTest::keyClick(author, Qt::Key_Delete);
        QCOMPARE(qb(document.Author), QByteArray());
        QTest::keyClick(author, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(qb(document.Author), QByteArray("Tom\xe1\x9ak"));
        paste(QStringLiteral("a\nb"));
        QCOMPARE(qb(document.Author), QByteArray("Tom\xe1\x9ak"));
    }
};

QTEST_MAIN(InputSafetyTests)
#include "tst_input_safety.moc"
