// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QTemporaryDir>
#include <QXmlStreamReader>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "io/FileAccess.h"
#include "io/LanguageFiles.h"
#include "model/FileKinds.h"
#include "support/TestFiles.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

constexpr auto kReadOnly = QFileDevice::ReadOwner | QFileDevice::ReadUser | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther;

}  // namespace

class IoTests : public QObject {
    Q_OBJECT
  private slots:
    void languageFileInAnyCase_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("upper case") << "Aaa.LNG";
        QTest::newRow("mixed case") << "Aaa.Lng";
    }

    // A language is opened under the name it was listed from, and the texts
    // its file lacks are English.
    void languageFileInAnyCase() {
        QFETCH(QString, file);
        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath(file), "Sprache\r\n"));
        const QString path = folder.path() + "/";
        QCOMPARE(listLanguages(path), QStringList{"Aaa"});

        LanguageTable table;
        QVERIFY(loadLanguageFile(path, "Aaa", table).ok);
        QCOMPARE(languageText(table, 0), QStringLiteral("Sprache"));
        QCOMPARE(table.text(1), LanguageTable().text(1));
        QVERIFY(!table.text(1).empty());
    }

    // Qt's own texts follow the language file's name, in its own tongue or
    // in English; a name that is no language gets none.
    void languageCodeOfAFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::newRow("own tongue") << "Deutsch"
                                    << "de";
        QTest::newRow("English name") << "German"
                                      << "de";
        QTest::newRow("any case") << "english"
                                  << "en";
        QTest::newRow("beyond ASCII") << QString::fromUtf8("Français") << "fr";
        QTest::newRow("no language") << "Huge"
                                     << "";
    }

    void languageCodeOfAFileName() {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QCOMPARE(languageCode(name), code);
    }

    void aSaveKeepsThePermissions_data() {
        QTest::addColumn<int>("permissions");
        QTest::addColumn<bool>("givenAway");  // owned by another user, when root can do that
        QTest::newRow("read-only") << int(kReadOnly) << false;
        QTest::newRow("private") << int(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                        QFileDevice::ReadUser | QFileDevice::WriteUser)
                                 << false;
        QTest::newRow("another user's") << int(kReadOnly | QFileDevice::WriteOwner |
                                               QFileDevice::WriteUser | QFileDevice::WriteGroup)
                                        << true;
    }

    // What may read or change a file stays as it was after a save; a file
    // the running user may not write stays whole.
    void aSaveKeepsThePermissions() {
        QFETCH(int, permissions);
        QFETCH(bool, givenAway);
        QTemporaryDir folder;
        const QString path = folder.filePath("handling.cfg");
        QVERIFY(writeBytes(path, "old\r\n"));
#ifdef Q_OS_UNIX
        const QByteArray name = QFile::encodeName(path);
        if (givenAway && geteuid() == 0) {
            QCOMPARE(chown(name.constData(), 65534, 65534), 0);
        }
        struct stat before {};
        QCOMPARE(stat(name.constData(), &before), 0);
#endif
        QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(permissions)));
        // As read back: the "user" flags say what the running user may do.
        const QFileDevice::Permissions set = QFile::permissions(path);

        const FileResult result = writeFileAtomically(path, "new\r\n");

        QCOMPARE(QFile::permissions(path), set);
        QCOMPARE(contents(path), QByteArray(result.ok ? "new\r\n" : "old\r\n"));
#ifdef Q_OS_UNIX
        struct stat after {};
        QCOMPARE(stat(name.constData(), &after), 0);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        if (geteuid() == 0) {
            QVERIFY(result.ok);  // root writes any file; only its permissions were at stake
        }
#endif
    }

    // Every name the desktop offers Wendrake for opens as the kind it is
    // offered as, in any letter case.
    void desktopFileTypesOpen() {
        QFile xml(QStringLiteral(WENDRAKE_PACKAGING "/linux/wendrake.xml"));
        QVERIFY(xml.open(QIODevice::ReadOnly));
        const QHash<QString, DataFileKind> kinds{
            {"application/x-zerrin-handling", DataFileKind::Handling},
            {"application/x-zerrin-vehicle-definitions", DataFileKind::VehicleDefs},
            {"application/x-zerrin-car-colours", DataFileKind::CarColours}};
        QXmlStreamReader reader(&xml);
        QString type;
        int globs = 0;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (reader.name() == u"mime-type") {
                type = reader.attributes().value("type").toString();
                QVERIFY2(kinds.contains(type), qPrintable(type));
            } else if (reader.name() == u"glob") {
                QVERIFY(reader.attributes().value("case-sensitive") != u"true");
                const QString pattern = reader.attributes().value("pattern").toString();
                for (const QString& name : {pattern, pattern.toUpper()}) {
                    const auto kind =
                        kindFromFileName(QString(name).replace('*', "zerrin").toStdString());
                    QVERIFY2(kind == kinds.value(type), qPrintable(name));
                }
                ++globs;
            }
        }
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(globs, 6);
    }
};

QTEST_GUILESS_MAIN(IoTests)
#include "tst_io.moc"
