// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QTemporaryDir>

#include <cstring>
#include <thread>

#include "files/DiskFiles.h"
#include "files/LanguageFolder.h"
#include "files/SettingsFile.h"
#include "support/TestFiles.h"

using namespace wendrake;
using namespace wendrake::testing;

// The files layer under the command line, without Qt.
class FilesTests : public QObject {
    Q_OBJECT
  private slots:
    // The one setting the command line reads, from the file the window's
    // settings store writes.
    void settingsValueAsTheWindowStoredIt_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("plain") << QByteArray("[Settings]\nLanguage=Deutsch\n")
                               << QByteArray("Deutsch");
        QTest::newRow("blanks and CR LF")
            << QByteArray("[General]\r\nx=1\r\n[Settings]\r\n  Language = Deutsch  \r\n")
            << QByteArray("Deutsch");
        QTest::newRow("other key") << QByteArray("[Settings]\nLanguages=Deutsch\n") << QByteArray();
        QTest::newRow("after another section") << QByteArray(
                                                      "[Settings]\nRecent=a\n[Window]\nLanguage="
                                                      "English\n[Settings]\nLanguage=Deutsch\n")
                                               << QByteArray("Deutsch");
        QTest::newRow("quoted, comma kept")
            << QByteArray("[Settings]\nLanguage=\"A, B\"\n") << QByteArray("A, B");
        QTest::newRow("a list is no text")
            << QByteArray("[Settings]\nLanguage=A, B\n") << QByteArray("");
        QTest::newRow("escaped") << QByteArray("[Settings]\nLanguage=A\\\\B\n")
                                 << QByteArray("A\\B");
        QTest::newRow("marked text")
            << QByteArray("[Settings]\nLanguage=@String(Deutsch)\n") << QByteArray("Deutsch");
        QTest::newRow("comment") << QByteArray("[Settings]\n;Language=Deutsch\n") << QByteArray();
        QTest::newRow("no line end")
            << QByteArray("[Settings]\nLanguage=Deutsch") << QByteArray("Deutsch");
    }
    void settingsValueAsTheWindowStoredIt() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, value);
        const auto found = settingsValue(text.toStdString(), "Settings", "Language");
        QCOMPARE(found.has_value(), !value.isNull());
        QCOMPARE(qb(found.value_or("")), value);
    }

    // The user's own file counts first; where it lacks the key, the maker's
    // file and then the system's are read, as the window's store reads them.
    void settingsFallBackFromTheUsersFile() {
        QTemporaryDir user;
        QTemporaryDir system;
        qputenv("XDG_CONFIG_HOME", user.path().toLocal8Bit());
        qputenv("XDG_CONFIG_DIRS", system.path().toLocal8Bit());
        QVERIFY(QDir(user.path()).mkpath("Wendrake") && QDir(system.path()).mkpath("Wendrake"));
        QVERIFY(writeBytes(system.filePath("Wendrake/Wendrake.conf"), "[Settings]\nLanguage=C\n"));
        QCOMPARE(readUserSetting("Settings", "Language"), std::string("C"));
        QVERIFY(writeBytes(user.filePath("Wendrake.conf"), "[Settings]\nLanguage=B\n"));
        QCOMPARE(readUserSetting("Settings", "Language"), std::string("B"));
        QVERIFY(writeBytes(user.filePath("Wendrake/Wendrake.conf"), "[Settings]\nLanguage=A\n"));
        QCOMPARE(readUserSetting("Settings", "Language"), std::string("A"));
        QVERIFY(writeBytes(user.filePath("Wendrake/Wendrake.conf"), "[Settings]\nOther=A\n"));
        QCOMPARE(readUserSetting("Settings", "Language"), std::string("B"));
    }

    // The locale's language by its code, whatever the case and the rest of
    // the locale's name; English when the locale names no listed language,
    // else the first listed.
    void localeLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("languages");
        QTest::addColumn<QString>("chosen");
        const QStringList both{"Deutsch", "English"};
        QTest::newRow("de_DE.UTF-8") << "de_DE.UTF-8" << both << "Deutsch";
        QTest::newRow("upper case, dash") << "DE-at" << both << "Deutsch";
        QTest::newRow("three letters") << "ger" << both << "Deutsch";
        QTest::newRow("modifier") << "de@euro" << both << "Deutsch";
        QTest::newRow("English name") << "de_CH" << QStringList{"English", "german"} << "german";
        QTest::newRow("C") << "C.UTF-8" << both << "English";
        QTest::newRow("POSIX") << "POSIX" << both << "English";
        QTest::newRow("no code") << "deutsch" << both << "English";
        QTest::newRow("unlisted") << "fr_FR" << both << "English";
        QTest::newRow("old code") << "iw_IL" << QStringList{"English", "Hebrew"} << "Hebrew";
        QTest::newRow("first listed") << "fr_FR" << QStringList{"Deutsch", "Zulu"} << "Deutsch";
        QTest::newRow("none listed") << "de_DE" << QStringList{} << "";
    }
    void localeLanguage() {
        QFETCH(QString, locale);
        QFETCH(QStringList, languages);
        QFETCH(QString, chosen);
        std::vector<std::string> names;
        for (const QString& name : languages) {
            names.push_back(name.toStdString());
        }
        QCOMPARE(QString::fromStdString(wendrake::localeLanguage(names, locale.toStdString())),
                 chosen);
    }

    // A replace puts the whole new text in the file's place and leaves
    // nothing else in the folder; through a link, the file the link points
    // to changes and the link stays.
    void replaceLeavesOnlyTheFile_data() {
        QTest::addColumn<bool>("throughLink");
        QTest::newRow("file") << false;
        QTest::newRow("link") << true;
    }
    void replaceLeavesOnlyTheFile() {
        QFETCH(bool, throughLink);
        QTemporaryDir folder;
        const QString file = folder.filePath("a.cfg");
        QVERIFY(writeBytes(file, "old\r\n"));
        QString target = file;
        if (throughLink) {
            target = folder.filePath("link.cfg");
            QVERIFY(QFile::link("a.cfg", target));
        }
        const std::string bytes(200000, 'x');  // more than one write of a pipe's size
        QVERIFY(!replaceFile(target.toStdString(), bytes));
        QCOMPARE(contents(file), qb(bytes));
        QCOMPARE(QFileInfo(target).isSymLink(), throughLink);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(),
                 throughLink ? 2 : 1);
    }

    // A pipe or a device named as the target (`-o /dev/stdout`) gets the
    // bytes and stays what it is: no regular file takes its place.
    void aPipeIsWrittenIntoNotReplaced() {
        QTemporaryDir folder;
        const std::string pipe = folder.filePath("pipe").toStdString();
        QCOMPARE(::mkfifo(pipe.c_str(), 0600), 0);
        const std::string bytes(200000, 'x');
        QByteArray received;
        // The reader waits at most ten seconds for a writer, so that a save
        // that replaces the pipe instead fails the test rather than hangs.
        std::thread reader([&] {
            const int end = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
            pollfd ready{end, POLLIN, 0};
            char chunk[65536];
            while (end >= 0 && ::poll(&ready, 1, 10000) > 0) {
                const ssize_t got = ::read(end, chunk, sizeof chunk);
                if (got > 0) {
                    received.append(chunk, static_cast<qsizetype>(got));
                } else if (got == 0 || errno != EAGAIN) {
                    break;  // the writer closed its end
                }
            }
            ::close(end);
        });
        const auto failure = replaceFile(pipe, bytes);
        reader.join();
        QVERIFY(!failure);
        QCOMPARE(received, qb(bytes));
        struct stat status {};
        QCOMPARE(::stat(pipe.c_str(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QCOMPARE(
            QDir(folder.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
            QStringList{"pipe"});
    }

    // A failure names the system's reason with the code the window shows,
    // and leaves every file as it was.
    void failuresKeepTheFiles_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("write");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("description");
        const QByteArray missing = std::strerror(ENOENT);
        QTest::newRow("read a missing file") << "none.cfg" << false << 5 << missing;
        QTest::newRow("read a folder")
            << "sub" << false << 5 << QByteArray("is a folder, not a file");
        QTest::newRow("write over a folder")
            << "sub" << true << 5 << QByteArray("is a folder, not a file");
        QTest::newRow("write into a missing folder") << "none/a.cfg" << true << 5 << missing;
    }
    void failuresKeepTheFiles() {
        QFETCH(QString, path);
        QFETCH(bool, write);
        QFETCH(int, code);
        QFETCH(QByteArray, description);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("sub"));
        const std::string full = folder.filePath(path).toStdString();
        std::string bytes = "kept";
        const auto failure = write ? replaceFile(full, "new") : readFile(full, bytes);
        QVERIFY(failure);
        QCOMPARE(failure->code, code);
        QVERIFY2(qb(failure->description).endsWith(description), failure->description.c_str());
        QCOMPARE(bytes, std::string("kept"));
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"sub"});
        QVERIFY(QDir(folder.filePath("sub")).isEmpty());
    }
};

QTEST_MAIN(FilesTests)
#include "tst_files.moc"
