// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include "ScriptedDesktop.h"
#include "TestFiles.h"
#include "io/LanguageFiles.h"
#include "ui/MainWindow.h"

namespace wendrake {

// Failed comparisons of records show their values.
template <typename Record>
char* toString(const Record& record) requires requires {
    record.values();
}
{
    QStringList values;
    for (const std::string_view value : record.values()) {
        values << fromBytes(std::string(value));
    }
    return QTest::toString(values.join(QLatin1Char('|')));
}

}  // namespace wendrake

namespace wendrake::testing {

// The first-column texts of a list, a chooser's entries or the error rows.
inline QStringList rows(const QAbstractItemModel* model) {
    QStringList texts;
    for (int k = 0; k < model->rowCount(); ++k) {
        texts << model->index(k, 0).data().toString();
    }
    return texts;
}
inline QStringList rows(const QAbstractItemView* view) {
    return rows(view->model());
}
inline QStringList rows(const QComboBox* chooser) {
    return rows(chooser->model());
}

// Key presses, one per character with its text: unlike QTest::keyClicks
// also beyond ASCII.
inline void type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Replaces the text of a box as a player does.
inline void retype(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    type(box, text);
}

// What a click in a combo's list or a key does.
inline void choose(QComboBox* combo, int index) {
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline LanguageTable loadLanguage(const QString& name) {
    LanguageTable table;
    if (!loadLanguageFile(kLanguages, name, table).ok) {
        qFatal("language file %s missing", qPrintable(name));
    }
    return table;
}

inline QList<QAction*> languageItems(const MainWindow& window) {
    return window.findChild<QMenu*>(QStringLiteral("languageMenu"))->actions();
}
inline QAction* languageItem(const MainWindow& window, const QString& name) {
    for (QAction* item : languageItems(window)) {
        if (item->data().toString() == name) {
            return item;
        }
    }
    return nullptr;
}
// The language checked in View > Language; empty when none or several are.
inline QString checkedLanguage(const MainWindow& window) {
    QStringList checked;
    for (QAction* item : languageItems(window)) {
        if (item->isChecked()) {
            checked << item->data().toString();
        }
    }
    return checked.size() == 1 ? checked.first() : QString();
}

// The main window started in English on a scripted desktop, with a folder
// for writable copies of the test files.
struct WindowSession {
    ScriptedDesktop desktop;
    QTemporaryDir dir;
    MainWindow window;

    explicit WindowSession(const QString& programFolder = kLanguages)
        : window(desktop, programFolder) {
        desktop.settings.insert(QStringLiteral("Settings/Language"), QStringLiteral("English"));
        // The backup before a first save has tests of its own; elsewhere it
        // would add a message and a file to every save.
        desktop.settings.insert(QStringLiteral("Settings/BackupBeforeFirstSave"),
                                QStringLiteral("0"));
        window.start();
    }

    QString copy(const QString& fixture, const QString& as = {}) {
        return copyTestFile(fixture, dir.path(), as);
    }
    // Opens a copy as a file named at start or dropped on the window.
    QString open(const QString& fixture, const QString& as = {}) {
        const QString target = copy(fixture, as);
        window.openFile(target);
        return target;
    }
    // Opens through the open dialog, choosing `path` and `filter`.
    void openByDialog(const QString& path, int filter = 1) {
        desktop.openChoices.enqueue(OpenDialogChoice{path, filter});
        window.openDocument();
    }

    // Shows the window with the keyboard's focus, as keys need it.
    bool showActive() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QString text(int number) const { return languageText(window.language(), number); }
    const EditorDocument& document() { return window.document(); }
    DocumentSession& session() { return window.session(); }
    // A text box of the pages by its name.
    QLineEdit* box(const char* name) const {
        return window.findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QListView* vehicleList() const {
        return window.findChild<QListView*>(QStringLiteral("vehicleList"));
    }
    QLineEdit* vehicleFilter() const {
        return window.findChild<QLineEdit*>(QStringLiteral("vehicleFilter"));
    }
    QString vehicleCount() const {
        return window.findChild<QLabel*>(QStringLiteral("vehicleCount"))->text();
    }
    QStringList listed() const { return rows(vehicleList()); }
    int listedCount() const { return vehicleList()->model()->rowCount(); }
    // What a click on row `row` of the vehicle list does.
    void chooseVehicle(int row) {
        vehicleList()->setCurrentIndex(vehicleList()->model()->index(row, 0));
    }
    int chosenRow() const { return vehicleList()->currentIndex().row(); }
    QString chosenName() const { return vehicleList()->currentIndex().data().toString(); }
    // Chooses the language's item in View > Language.
    void chooseLanguage(const QString& name) {
        QAction* item = languageItem(window, name);
        QVERIFY2(item != nullptr, qPrintable(name));
        item->trigger();
    }
};

}  // namespace wendrake::testing
