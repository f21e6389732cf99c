// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "support/WindowSession.h"

using namespace wendrake;
using namespace wendrake::testing;
using Kind = ScriptedDesktop::MessageKind;

namespace {

// The paths File > Open Recent offers, as it shows them when opened.
QStringList recentItems(MainWindow& window) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("recentMenu"));
    emit menu->aboutToShow();
    QStringList paths;
    for (QAction* item : menu->actions()) {
        if (!item->isSeparator() && item->data().isValid()) {
            paths << item->data().toString();
        }
    }
    return paths;
}

QAction* recentItem(MainWindow& window, const QString& path) {
    auto* menu = window.findChild<QMenu*>(QStringLiteral("recentMenu"));
    emit menu->aboutToShow();
    for (QAction* item : menu->actions()) {
        if (item->data().toString() == path) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace

// The files last opened or saved, and what the window opens with.
class StartAndRecentTests : public QObject {
    Q_OBJECT
  private slots:
    // Newest first, ten at most, each file once; the menu's text shows the
    // path as it is, "&" included.
    void recentFilesKeepTheLastTenNewestFirst() {
        WindowSession s;
        QVERIFY(recentItems(s.window).isEmpty());
        QStringList opened;
        for (int k = 0; k < 12; ++k) {
            opened.prepend(s.open("handling/plain.cfg", QStringLiteral("car&%1.cfg").arg(k)));
        }
        QCOMPARE(recentItems(s.window), opened.mid(0, 10));
        QAction* item = recentItem(s.window, opened[3]);
        QVERIFY(item->text().endsWith(QStringLiteral("car&&8.cfg")));

        // Opening one again moves it to the front; a save puts the saved file there.
        item->trigger();
        QCOMPARE(QString::fromStdString(s.document().FilePath), opened[3]);
        QCOMPARE(recentItems(s.window).first(), opened[3]);
        QCOMPARE(recentItems(s.window).size(), 10);
        const QString copy = s.dir.filePath("copy.cfg");
        s.desktop.saveChoices.enqueue(copy);
        s.window.saveAs();
        QCOMPARE(recentItems(s.window).mid(0, 2), (QStringList{copy, opened[3]}));

        // The list outlives the window.
        MainWindow again(s.desktop, kLanguages);
        again.start();
        QCOMPARE(recentItems(again).first(), copy);
        again.findChild<QAction*>(QStringLiteral("clearRecentAction"))->trigger();
        QVERIFY(recentItems(again).isEmpty());
    }

    // A file that is gone is said so, by name, and leaves the list; the
    // document loaded stays.
    void aMissingRecentFileLeavesTheList() {
        WindowSession s;
        const QString gone = s.open("handling/plain.cfg", "gone.cfg");
        const QString kept = s.open("handling/plain.cfg", "kept.cfg");
        QVERIFY(QFile::remove(gone));
        s.box("txtAuthor")->setText("Unsaved");

        recentItem(s.window, gone)->trigger();
        QCOMPARE(s.desktop.texts(Kind::Notice),
                 QStringList{s.text(Text::FileMissing) + "\n" + gone});
        QVERIFY(s.desktop.texts(Kind::Question).isEmpty());  // nothing to decide about
        QCOMPARE(recentItems(s.window), QStringList{kept});
        QCOMPARE(QString::fromStdString(s.document().FilePath), kept);
        QCOMPARE(s.document().Author, "Unsaved");

        // Cancelled at the question, the recent file does not open.
        const QString other = s.open("handling/problems.cfg", "other.cfg");
        s.box("txtAuthor")->setText("Unsaved");
        s.desktop.choices.enqueue(2);
        recentItem(s.window, kept)->trigger();
        QCOMPARE(QString::fromStdString(s.document().FilePath), other);
    }

    // With no file named, the last file opens again when the player wants
    // it and it is there; otherwise the start panel offers Open and the list.
    void startOpensTheLastFileOrShowsTheStartPanel_data() {
        QTest::addColumn<bool>("reopen");
        QTest::addColumn<bool>("lastExists");
        QTest::addColumn<bool>("named");  // a file named on the command line
        QTest::addColumn<QString>("loaded");
        QTest::newRow("last file") << true << true << false << "last.cfg";
        QTest::newRow("not wanted") << false << true << false << "";
        QTest::newRow("last file gone") << true << false << false << "";
        QTest::newRow("the named file wins") << true << true << true << "named.cfg";
    }

    void startOpensTheLastFileOrShowsTheStartPanel() {
        QFETCH(bool, reopen);
        QFETCH(bool, lastExists);
        QFETCH(bool, named);
        QFETCH(QString, loaded);
        WindowSession first;
        const QString older = first.open("ide/plain.ide", "default.ide");
        const QString last = first.open("handling/plain.cfg", "last.cfg");
        const QString name = first.copy("handling/plain.cfg", "named.cfg");
        QVERIFY(first.window.reopenLastAction->isChecked());  // on by default
        if (!reopen) {
            first.window.reopenLastAction->trigger();
        }
        if (!lastExists) {
            QVERIFY(QFile::remove(last));
        }

        MainWindow window(first.desktop, kLanguages);
        QVERIFY(window.start());
        QCOMPARE(window.reopenLastAction->isChecked(), reopen);
        window.openAtStart(named ? name : QString());
        QCOMPARE(QString::fromStdString(window.document().FilePath),
                 loaded.isEmpty() ? QString() : first.dir.filePath(loaded));
        QCOMPARE(window.findChild<StartPanel*>()->isVisibleTo(&window), loaded.isEmpty());
        QVERIFY(first.desktop.texts(Kind::Notice).isEmpty());
        if (!loaded.isEmpty()) {
            return;
        }
        // The panel lists the recent files; a click opens one.
        auto* panel = window.findChild<StartPanel*>();
        QList<QPushButton*> files = panel->findChildren<QPushButton*>("recentFileButton");
        files.removeIf([panel](QPushButton* button) { return !button->isVisibleTo(panel); });
        QCOMPARE(files.size(), 2);
        QCOMPARE(panel->findChild<QToolButton*>("startOpenButton")->defaultAction(),
                 window.openAction);
        files[1]->click();
        QCOMPARE(QString::fromStdString(window.document().FilePath), older);
        QVERIFY(!window.findChild<StartPanel*>()->isVisibleTo(&window));
    }
};

QTEST_MAIN(StartAndRecentTests)
#include "tst_start_and_recent.moc"
