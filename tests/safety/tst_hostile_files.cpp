// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <cstring>

#include "ChildRun.h"
#include "support/WindowSession.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Far beyond what any of these files needs: reaching it means a hang.
constexpr int kHangSeconds = kSanitized ? 240 : 60;

const QString kProgram = QStringLiteral(WENDRAKE_EXECUTABLE);

QByteArray repeated(const QByteArray& part, int times) {
    QByteArray bytes;
    bytes.reserve(part.size() * times);
    for (int i = 0; i < times; ++i) {
        bytes += part;
    }
    return bytes;
}

QByteArray vehicleLines(int count) {
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += qb(dataLine("V" + std::to_string(i)) + "\r\n");
    }
    return bytes;
}

}  // namespace

// Files made to hurt: each opens or fails with a message, quickly, without
// a crash and in memory of a few times its size.
class HostileFileTests : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    long checkBaseline_ = 0;   // KB that "wendrake check" takes on a small file
    long windowBaseline_ = 0;  // KB that the window takes on a small file

    // The run used `times` the file's size over what a small file costs, give
    // or take the few megabytes by which two starts of the program differ.
    static QByteArray tooMuchMemory(const ChildRun& run, long baseline, int times,
                                    qint64 fileSize) {
        const long allowed = baseline + 8 * 1024 + static_cast<long>(times * fileSize / 1024);
        if (kSanitized || run.peakKilobytes <= allowed) {
            return {};  // the sanitizers' own bookkeeping would hide what the program uses
        }
        return QStringLiteral("%1 KB used, %2 KB allowed")
            .arg(run.peakKilobytes)
            .arg(allowed)
            .toUtf8();
    }

    QStringList windowArguments(const QString& path) {
        return {path, QStringLiteral("--screenshot"), dir_.filePath("window.png")};
    }

    QString make(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        if (!writeBytes(path, bytes)) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QString sample = QStringLiteral(WENDRAKE_SAMPLES "/handling.cfg");
        // A small file with rows, so that the window's baseline includes the
        // error window, which most hostile files open.
        const QString withRows = QStringLiteral(WENDRAKE_TEST_DATA "/handling/problems.cfg");
        const ChildRun check = runChild(kProgram, {"check", sample}, 60);
        const ChildRun window = runChild(kProgram, windowArguments(withRows), 60);
        QVERIFY(check.finished && window.finished);
        checkBaseline_ = check.peakKilobytes;
        windowBaseline_ = window.peakKilobytes;
    }

    void eachFileOpensOrFailsCleanly_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("status");  // of "wendrake check"
        QTest::addColumn<QByteArray>("message");

        // One line of 100 MB: a name of megabytes, then values that are no numbers.
        QTest::newRow("100 MB in one line")
            << make("oneline.cfg", QByteArray(100'000'000, 'X') + " a b c\r\n") << 1
            << QByteArray();
        QTest::newRow("millions of values on one line")
            << make("values.ide", "cars\r\n" + repeated("a,", 10'000'000) + "\r\nend\r\n") << 0
            << QByteArray();
        QByteArray binary = contents(QStringLiteral(WENDRAKE_SAMPLES "/handling.cfg"));
        for (qsizetype i = 0; i < binary.size(); i += 7) {
            // Line ends stay: a broken one would be repaired on opening.
            if (binary[i] != '\r' && binary[i] != '\n') {
                binary[i] = (i % 2 == 0) ? '\0' : '\xff';
            }
        }
        QTest::newRow("NUL and 0xFF bytes") << make("binary.cfg", binary) << 1 << QByteArray();
        QTest::newRow("over the table limit")
            << make("many.cfg", vehicleLines(40'000)) << 2 << QByteArray("Error: 6 - ");
        QTest::newRow("10000 cars sections")
            << make("sections.ide",
                    repeated("cars\r\n1, m, t, car, H, G, null, normal, 10, 0, 0, 0.7\r\nend\r\n",
                             10'000))
            << 1 << QByteArray();  // the name H stands 10000 times
        QTest::newRow("colour beyond 16 bits")
            << make("colour.dat", "col\r\n70000,1,2\t# 0 x\r\nend\r\n") << 2
            << QByteArray("Error: 13 - ");
        QTest::newRow("pair beyond 16 bits")
            << make("pair.dat", "car\r\nm, 99999999999999999999, -40000\r\nend\r\n") << 2
            << QByteArray("Error: 13 - ");
        QTest::newRow("names that look like paths")
            << make("paths.cfg", qb(join({dataLine("../../../etc/passwd"), dataLine("a/b\\c"),
                                          dataLine("C:\\Windows")})))
            << 0 << QByteArray();
    }

    void eachFileOpensOrFailsCleanly() {
        QFETCH(QString, path);
        QFETCH(int, status);
        QFETCH(QByteArray, message);
        const QByteArray before = contents(path);

        const ChildRun check = runChild(kProgram, {"check", path}, kHangSeconds);
        QVERIFY2(check.finished, "check did not finish in time");
        QCOMPARE(check.status, status);
        if (!message.isEmpty()) {
            QVERIFY2(check.err.contains(message), check.err.constData());
            QCOMPARE(check.err.count('\n'), 1);
        }
        const qint64 size = QFileInfo(path).size();
        const QByteArray checkMemory = tooMuchMemory(check, checkBaseline_, 4, size);
        QVERIFY2(checkMemory.isEmpty(), checkMemory.constData());

        // The window as a program of its own, for its memory: it also keeps
        // the copy that undo goes back to.
        const ChildRun window = runChild(kProgram, windowArguments(path), kHangSeconds);
        QVERIFY2(window.finished, "the window did not open in time");
        QCOMPARE(window.status, 0);
        const QByteArray windowMemory = tooMuchMemory(window, windowBaseline_, 5, size);
        QVERIFY2(windowMemory.isEmpty(), windowMemory.constData());

        // The window opens it or says why not, and goes on working.
        WindowSession s;
        s.window.openFile(path);
        if (status == 2) {
            QCOMPARE(s.desktop.texts(ScriptedDesktop::MessageKind::Notice).size(), 1);
            QVERIFY(!s.document().isLoaded());
        } else {
            QVERIFY(s.document().isLoaded());
            QVERIFY(s.listedCount() > 0);
        }
        QCOMPARE(contents(path), before);  // opening changes nothing
        s.open("handling/plain.cfg");
        QCOMPARE(s.listedCount(), 4);
    }

    void aLanguageFileOfManyLinesLoads() {
        QTemporaryDir program;
        QVERIFY(QFile::copy(kLanguages + "English.lng", program.filePath("English.lng")));
        QVERIFY(writeBytes(program.filePath("Huge.lng"), repeated("line\\nbroken\r\n", 100'000)));
        WindowSession s(program.path() + "/");
        s.chooseLanguage("Huge");
        QCOMPARE(s.text(8), QStringLiteral("line\r\nbroken"));
        QCOMPARE(s.window.openAction->text(), QStringLiteral("line\r\nbroken"));
        QVERIFY(s.desktop.texts(ScriptedDesktop::MessageKind::Notice).isEmpty());
    }
};

int main(int argc, char** argv) {
    if (argc > 3 && std::strcmp(argv[1], "--measure") == 0) {
        return measureChild(argv + 2);
    }
    QApplication app(argc, argv);
    HostileFileTests tests;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tests, argc, argv);
}

#include "tst_hostile_files.moc"
