// SPDX-License-Identifier: GPL-3.0-or-later
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QtTest>

#include <QProcess>

#include "support/RecordLines.h"
#include "support/WindowSession.h"

using namespace wendrake;
using namespace wendrake::testing;
using Kind = ScriptedDesktop::MessageKind;

namespace {

// While it lives, no file of this process can grow past `bytes`: a write
// beyond fails as on a full disk, half-way through.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        signal(SIGXFSZ, SIG_IGN);  // the write fails instead of ending the process
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
};

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

}  // namespace

// Real files that fail under the program: whatever happens, it keeps
// running, says what went wrong, leaves the old file whole and the document
// as it was.
class FileFaultTests : public QObject {
    Q_OBJECT
  private slots:
    void aWriteThatFailsHalfWayLeavesTheOldFile() {
        WindowSession s;
        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.box("txtGewicht")->setText("1.0");  // the save text differs, and is unsaved
        const QStringList edited = recordLines(s.document());
        const QStringList folder = filesIn(s.dir.path());
        {
            const FileSizeLimit limit(100);
            s.window.save();
            s.window.createBackup();
        }
        QCOMPARE(contents(path), before);
        QCOMPARE(filesIn(s.dir.path()), folder);  // no half-written file left behind
        QCOMPARE(recordLines(s.document()), edited);
        QVERIFY(!s.document().SavedFlag);
        const QStringList notices = s.desktop.texts(Kind::Notice);
        QCOMPARE(notices.size(), 2);
        QVERIFY(notices[0].startsWith("Error: ") && notices[0].endsWith(s.text(171)));
        QVERIFY(notices[1].startsWith("Error: "));
        QVERIFY(s.desktop.texts(Kind::Status).isEmpty());

        // Once there is room again, the same save succeeds.
        s.window.save();
        QVERIFY(s.document().SavedFlag);
        QVERIFY(contents(path).contains("    1.0 "));
    }

    void targetsThatCannotBeWritten() {
        WindowSession s;
        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.box("txtGewicht")->setText("1.0");

        // A folder named like the backup, and a target inside a file.
        QVERIFY(QDir().mkpath(path + ".backup"));
        s.desktop.answers.enqueue(true);
        s.window.createBackup();
        s.desktop.saveChoices.enqueue(path + "/inside.cfg");
        s.window.saveAs();

        const QStringList notices = s.desktop.texts(Kind::Notice);
        QCOMPARE(notices.size(), 2);
        for (const QString& notice : notices) {
            QVERIFY2(notice.startsWith("Error: "), qPrintable(notice));
        }
        QVERIFY(QFileInfo(path + ".backup").isDir());
        QCOMPARE(contents(path), before);
        QCOMPARE(QString::fromStdString(s.document().FilePath), path);
        QVERIFY(!s.document().SavedFlag);
    }

    void aReadOnlyFolderRefusesTheWrite() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("game");
        QVERIFY(QDir().mkpath(folder));
        const QString path = copyTestFile("handling/plain.cfg", folder);
        QFile(path).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ReadOther | QFileDevice::WriteOther);
        const QByteArray before = contents(path);
        QFile(folder).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                     QFileDevice::ReadOther | QFileDevice::ExeOther);
        QFile(dir.path())
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner | QFileDevice::ExeOther);

        QProcess format;
        // Root writes into any folder: the program then runs as nobody.
        format.setChildProcessModifier([] {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
                _exit(99);
            }
        });
        format.start(QStringLiteral(WENDRAKE_EXECUTABLE), {"format", path});
        QVERIFY(format.waitForFinished(60'000));
        const QByteArray err = format.readAllStandardError();
        QFile(folder).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                     QFileDevice::ExeOwner);
        QCOMPARE(format.exitCode(), 2);
        QVERIFY2(err.contains(": Error: ") && err.count('\n') == 1, err.constData());
        QCOMPARE(contents(path), before);
        QCOMPARE(filesIn(folder), QStringList{"plain.cfg"});
    }

    void theFileChangedOnDiskAfterOpening() {
        WindowSession s;
        const QString path = s.open("ide/plain.ide");
        s.box("txtFrequenz")->setText("99");
        const QStringList edited = recordLines(s.document());

        // Gone, or a folder in its place: nothing to keep the comments from.
        QVERIFY(QFile::remove(path));
        s.window.save();
        QVERIFY(QDir().mkpath(path));
        s.window.save();
        QCOMPARE(s.desktop.texts(Kind::Notice), QStringList(2, s.text(12) + "\n" + path));
        QCOMPARE(recordLines(s.document()), edited);
        QVERIFY(!s.document().SavedFlag);

        // Back, but without the section the vehicles stood in.
        QVERIFY(QDir().rmdir(path));
        QVERIFY(writeBytes(path, "# rewritten by another tool\r\npeds\r\nend\r\n"));
        s.window.save();
        QVERIFY(s.document().SavedFlag);
        s.window.openFile(path);
        QCOMPARE(recordLines(s.document()), edited);
        QVERIFY(contents(path).contains("# rewritten by another tool\r\npeds\r\nend\r\ncars\r\n"));
    }

    void aLanguageFileThatVanishesIsReported() {
        QTemporaryDir program;
        for (const char* name : {"English.lng", "Deutsch.lng"}) {
            QVERIFY(QFile::copy(kLanguages + name, program.filePath(name)));
        }
        WindowSession s(program.path() + "/");
        const QString openText = s.window.openAction->text();
        QVERIFY(QFile::remove(program.filePath("Deutsch.lng")));

        s.chooseLanguage("Deutsch");
        const QStringList notices = s.desktop.texts(Kind::Notice);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0].startsWith("Error: "));
        QCOMPARE(s.window.openAction->text(), openText);
        QCOMPARE(checkedLanguage(s.window), QStringLiteral("English"));
        QCOMPARE(s.desktop.settings.value("Settings/Language"), QStringLiteral("English"));

        s.open("handling/plain.cfg");  // and the window goes on working
        QCOMPARE(s.listedCount(), 4);
    }
};

QTEST_MAIN(FileFaultTests)
#include "tst_file_faults.moc"
