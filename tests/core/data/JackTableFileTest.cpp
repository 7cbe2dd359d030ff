#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

std::vector<JackRecord> BlankTable() {
    return std::vector<JackRecord>(kJackSlots, JackRecord::Blank());
}

void SetText(char16_t (&field)[20], const QString& text) {
    std::memset(field, 0, sizeof field);
    std::memcpy(field, text.utf16(), static_cast<std::size_t>(std::min<qsizetype>(text.size(), 19)) * 2);
}

JackRecord Sample(int seed) {
    JackRecord record = JackRecord::Blank();
    SetText(record.jackNumber, QStringLiteral("QJ-%1").arg(seed));
    SetText(record.sensorNumber, QStringLiteral("CGQ%1").arg(seed));
    record.type = seed % 2;
    record.pointCount = 6;
    for (int i = 0; i < 10; ++i) {
        record.force[i] = 100.0f * static_cast<float>(i + seed);
        record.pressure[i] = 6.5f * static_cast<float>(i + 1);
    }
    record.zeroValue = 0.25f;
    record.saved = 1;
    record.unused[1] = 99;
    return record;
}

TEST(JackTableFile, Writes148ByteRecordsAndRoundTrips) {
    TempDevice device;
    std::vector<JackRecord> table = BlankTable();
    table[0] = Sample(1);
    table[3] = Sample(4);
    ASSERT_TRUE(device.Files().SaveJackTable(table));

    const QByteArray bytes = device.Read(DeviceFile::kJackTable);
    ASSERT_EQ(bytes.size(), 10 * 148);
    // Record 3 starts with its jack number text in UTF-16LE.
    EXPECT_EQ(bytes.mid(3 * 148, 8), QByteArray("Q\0J\0-\0"
                                                "4\0",
                                                8));
    std::int32_t points;
    std::memcpy(&points, bytes.constData() + 148 + 48, 4);
    EXPECT_EQ(points, 5); // a blank slot

    std::vector<JackRecord> read = BlankTable();
    ASSERT_TRUE(device.Files().LoadJackTable(read));
    for (int i = 0; i < kJackSlots; ++i)
        EXPECT_EQ(std::memcmp(&read[i], &table[i], sizeof(JackRecord)), 0) << "slot " << i;
}

TEST(JackTableFile, KeepsTheFirstTenUnitsOfATextOnFile) {
    TempDevice device;
    std::vector<JackRecord> table = BlankTable();
    SetText(table[0].jackNumber, QStringLiteral("ABCDEFGHIJKLMNO"));
    ASSERT_TRUE(device.Files().SaveJackTable(table));
    std::vector<JackRecord> read = BlankTable();
    ASSERT_TRUE(device.Files().LoadJackTable(read));
    EXPECT_EQ(QString::fromUtf16(read[0].jackNumber, 10), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(read[0].jackNumber[10], 0);
}

TEST(JackTableFile, ReadsWholeRecordsIntoTheFirstSlotsAndAtMostTen) {
    TempDevice writer;
    std::vector<JackRecord> table = BlankTable();
    for (int i = 0; i < kJackSlots; ++i)
        table[i] = Sample(i + 1);
    ASSERT_TRUE(writer.Files().SaveJackTable(table));
    const QByteArray full = writer.Read(DeviceFile::kJackTable);

    { // 296 bytes: records 0 and 1 from the file, 2-9 stay blank.
        TempDevice device;
        device.Write(DeviceFile::kJackTable, full.left(296));
        std::vector<JackRecord> read = BlankTable();
        ASSERT_TRUE(device.Files().LoadJackTable(read));
        EXPECT_EQ(read[1].force[1], table[1].force[1]);
        const JackRecord blank = JackRecord::Blank();
        for (int i = 2; i < kJackSlots; ++i)
            EXPECT_EQ(std::memcmp(&read[i], &blank, sizeof blank), 0) << "slot " << i;
    }
    { // Longer than ten records: not a jack table; refused unread, the blank slots stay.
        TempDevice device;
        device.Write(DeviceFile::kJackTable, full + full.left(148) + QByteArray(30, '\x01'));
        std::vector<JackRecord> read = BlankTable();
        EXPECT_FALSE(device.Files().LoadJackTable(read));
        EXPECT_EQ(read.size(), 10u);
        const JackRecord blank = JackRecord::Blank();
        EXPECT_EQ(std::memcmp(&read[9], &blank, sizeof blank), 0);
    }
    { // Missing file: the blank slots stay.
        TempDevice device;
        std::vector<JackRecord> read = BlankTable();
        EXPECT_FALSE(device.Files().LoadJackTable(read));
        EXPECT_EQ(read[0].pointCount, 5);
    }
}

} // namespace
