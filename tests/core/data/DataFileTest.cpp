#include "core/data/DeviceText.h"
#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

const QString kDataPath = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");

// A reading row as the engine stores it.
Record Reading(const char* clock, int load, float firstGauge, const QString& remark) {
    Record row = Record::Template();
    std::memcpy(row.clock, clock, 5);
    row.load = load;
    row.copyLoad = load;
    for (int k = 0; k < 8; ++k) {
        row.gauge[k] = firstGauge + 0.25f * static_cast<float>(k);
        row.copyGauge[k] = row.gauge[k];
    }
    std::memcpy(row.copyMark, "10:05", 5);
    row.flagText[0] = 'A';
    SetFieldText(row.remark, DeviceText::FromUnicode(remark));
    return row;
}

bool SameBytes(const Record& a, const Record& b) {
    return PackRecord(a) == PackRecord(b);
}

TEST(PackedRecord, PlacesEveryFieldAtItsFileOffset) {
    Record row = Reading("12:34", 0x11223344, 1.5f, QStringLiteral("手动"));
    row.avgSettlement = 2.5f;
    row.rowLoad = 300;
    std::memcpy(row.rowMinutes, "120\0\0", 5);
    SetFieldText(row.textValue, "tv");
    SetFieldText(row.textValue2, "tv2");
    SetFieldText(row.textLong, "long");
    const PackedRecord p = PackRecord(row);
    auto at = [&p](std::size_t offset, std::size_t size) {
        return QByteArray(reinterpret_cast<const char*>(p.data()) + offset, static_cast<qsizetype>(size));
    };
    EXPECT_EQ(at(0, 5), QByteArray("12:34"));
    EXPECT_EQ(at(5, 4), QByteArray("\x44\x33\x22\x11", 4));
    float gauge1;
    std::memcpy(&gauge1, p.data() + 9, 4);
    EXPECT_EQ(gauge1, 1.5f);
    float avg;
    std::memcpy(&avg, p.data() + 57, 4);
    EXPECT_EQ(avg, 2.5f);
    EXPECT_EQ(at(65, 5), QByteArray("120\0\0", 5));
    EXPECT_EQ(at(70, 3), QByteArray("tv\0", 3));
    EXPECT_EQ(at(90, 4), QByteArray("tv2\0", 4));
    EXPECT_EQ(at(110, 5), QByteArray("long\0", 5));
    EXPECT_EQ(at(170, 5), QByteArray("10:05"));
    EXPECT_EQ(at(175, 4), QByteArray("\x44\x33\x22\x11", 4));
    EXPECT_EQ(at(227, 1), QByteArray("A"));
    // "手动" in code page 936.
    EXPECT_EQ(at(247, 5), QByteArray("\xCA\xD6\xB6\xAF\0", 5));
    EXPECT_TRUE(SameBytes(UnpackRecord(p.data()), row));
}

TEST(DataFile, ABlankTestIs74RowsAndAReadingAppendsARow) {
    TempDevice device;
    CPublic pub;
    pub.paramList = DefaultParameterList();
    KVTFile::BuildBlankRecords(pub);
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    EXPECT_EQ(device.Read(kDataPath).size(), 19758);
    EXPECT_EQ(device.Files().CountRecords(kDataPath), 74);

    std::vector<Record> read;
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, read));
    ASSERT_EQ(read.size(), 74u);
    for (std::size_t i = 0; i < 74; ++i)
        EXPECT_TRUE(SameBytes(read[i], pub.recordList[i])) << "row " << i;

    pub.recordList.push_back(Reading("09:00", 500, 3.0f, QStringLiteral("手动")));
    ASSERT_TRUE(device.Files().WriteRecord(kDataPath, 74, pub.recordList));
    EXPECT_EQ(device.Read(kDataPath).size(), 20025);
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, read));
    ASSERT_EQ(read.size(), 75u);
    EXPECT_EQ(DeviceText::ToUnicode(FieldText(read[74].remark)), QStringLiteral("手动"));
    EXPECT_TRUE(SameBytes(read[74], pub.recordList[74]));
}

TEST(DataFile, WriteRecordFillsRowsMissingFromTheFileFromTheList) {
    TempDevice device;
    CPublic pub;
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    for (int i = 0; i < 3; ++i)
        pub.recordList.push_back(Reading("10:00", 100 * (i + 1), 1.0f, {}));

    ASSERT_TRUE(device.Files().WriteRecord(kDataPath, 76, pub.recordList));
    std::vector<Record> read;
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, read));
    ASSERT_EQ(read.size(), 77u);
    EXPECT_EQ(read[74].load, 100);
    EXPECT_EQ(read[75].load, 200);
    EXPECT_EQ(read[76].load, 300);
}

TEST(DataFile, WriteRowTextsRewritesOnlyTheThreeTexts) {
    TempDevice device;
    CPublic pub;
    pub.recordList[4] = Reading("08:00", 10, 1.0f, {});
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    const QByteArray before = device.Read(kDataPath);

    // Change a text and the reading of row 4; only the text reaches the file.
    SetFieldText(pub.recordList[4].textValue2, "250.00");
    pub.recordList[4].load = 999;
    pub.recordList[31].textValue2[0] = '7';
    SetFieldText(pub.recordList[0].textValue2, "2.077");
    ASSERT_TRUE(device.Files().WriteRunStateTexts(kDataPath, pub.recordList));

    QByteArray expected = before;
    for (const int row : {4, 31, 0}) {
        const PackedRecord packed = PackRecord(pub.recordList[static_cast<std::size_t>(row)]);
        expected.replace(row * 267 + 70, 100,
                         QByteArray(reinterpret_cast<const char*>(packed.data()) + 70, 100));
    }
    EXPECT_EQ(device.Read(kDataPath), expected);
    EXPECT_NE(expected, before);
}

TEST(DataFile, ReadsWholeRecordsOnlyAndRefusesWhatItCannotOpen) {
    TempDevice device;
    CPublic pub;
    ASSERT_TRUE(device.Files().CreateDataFile(kDataPath, pub.recordList));
    device.Write(kDataPath, device.Read(kDataPath).left(3 * 267 + 100));
    std::vector<Record> read;
    ASSERT_TRUE(device.Files().ReadDataFile(kDataPath, read));
    EXPECT_EQ(read.size(), 3u);
    EXPECT_EQ(device.Files().CountRecords(kDataPath), 3);

    const QString missing = QStringLiteral("\\硬盘\\APP\\999999-0001.kvt");
    EXPECT_TRUE(device.Files().DataFileMissing(missing));
    EXPECT_FALSE(device.Files().DataFileMissing(kDataPath));
    std::vector<Record> kept(2, Record::Template());
    EXPECT_FALSE(device.Files().ReadDataFile(missing, kept));
    EXPECT_EQ(kept.size(), 2u);
    EXPECT_FALSE(device.Files().WriteRecord(missing, 0, pub.recordList));
    EXPECT_FALSE(device.Files().WriteRowTexts(missing, 0, pub.recordList));
    EXPECT_FALSE(device.Exists(missing));
    // A row beyond the list is skipped.
    EXPECT_FALSE(device.Files().WriteRecord(kDataPath, 500, pub.recordList));
}

TEST(DeviceText, ConvertsBetweenUnicodeAndCodePage936) {
    EXPECT_EQ(DeviceText::FromUnicode(QStringLiteral("手动")), QByteArray("\xCA\xD6\xB6\xAF"));
    EXPECT_EQ(DeviceText::FromUnicode(QStringLiteral("表1 2 时间")), QByteArray("\xB1\xED"
                                                                                "1 2 \xCA\xB1\xBC\xE4"));
    EXPECT_EQ(DeviceText::ToUnicode(QByteArray("\xD6\xD0\xB6\xCF")), QStringLiteral("中断"));
    // Unrepresentable and damaged input degrade, never fail.
    EXPECT_EQ(DeviceText::FromUnicode(QStringLiteral("a😀b")), QByteArray("a?b"));
    EXPECT_EQ(DeviceText::ToUnicode(QByteArray("a\xFF")), QStringLiteral("a\uFFFD"));
}

} // namespace
