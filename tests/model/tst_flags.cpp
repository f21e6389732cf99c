#include <QtTest>

#include "model/HandlingFlags.h"

using namespace wendrake;

class FlagsTests : public QObject {
    Q_OBJECT
  private slots:
    void bitsOfText_data() {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<int>("bits");  // -1: not hexadecimal

        const std::pair<const char*, int> rows[] = {
            {"0000", 0},    {"000F", 0xF},  {"8000", 0x8000},  {"2", 0x2}, {"22", 0x22},
            {"100", 0x100}, {"00a0", 0xA0}, {"12345", 0x2345}, {"", -1},   {"00G0", -1},
            {"0x10", -1},   {"-1", -1},     {"1.0", -1},       {" 1", -1}};
        for (const auto& [flags, bits] : rows) {
            QTest::addRow("\"%s\"", flags) << QByteArray(flags) << bits;
        }
    }

    void bitsOfText() {
        QFETCH(QByteArray, flags);
        QFETCH(int, bits);
        const std::optional<std::uint16_t> read = flagBits(flags.toStdString());
        QCOMPARE(read ? int(*read) : -1, bits);
    }

    void textAfterClick_data() {
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<int>("box");  // negative: unchecked
        QTest::addColumn<int>("shownBits");
        QTest::addColumn<QByteArray>("expected");

        const struct {
            const char* flags;
            int box;
            int shown;
            const char* expected;
        } rows[] = {{"0000", 6, 0x20, "0020"},        {"0020", 16, 0x8020, "8020"},
                    {"8020", -6, 0x8000, "8000"},     {"2", 1, 0x3, "0003"},
                    {"100", -9, 0, "0000"},           {"00a0", 9, 0x1A0, "01A0"},
                    {"0001", 1, 0x1, "0001"},         {"12345", -1, 0x2344, "12344"},
                    {"ab0000", 16, 0x8000, "ab8000"}, {"zz", 3, 0x4, "0004"},
                    {"xy0000", 2, 0x6, "0006"},       {"", 1, 0x1, "0001"},
                    {"0000", 17, 0, "0000"}};
        for (const auto& row : rows) {
            QTest::addRow("\"%s\" box %d", row.flags, row.box)
                << QByteArray(row.flags) << row.box << row.shown << QByteArray(row.expected);
        }
    }

    void textAfterClick() {
        QFETCH(QByteArray, flags);
        QFETCH(int, box);
        QFETCH(int, shownBits);
        QFETCH(QByteArray, expected);
        const std::string text = withFlagBox(flags.toStdString(), std::abs(box), box > 0,
                                             static_cast<std::uint16_t>(shownBits));
        QCOMPARE(QByteArray::fromStdString(text), expected);
    }
};

QTEST_APPLESS_MAIN(FlagsTests)
#include "tst_flags.moc"
