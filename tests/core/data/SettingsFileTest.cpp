#include "core/data/KVTFile.h"
#include "core/data/SettingsRecovery.h"
#include "support/TempDevice.h"

#include <cstring>

#include <gtest/gtest.h>

namespace {

const QString kPath29 = QStringLiteral("\\硬盘\\APP\\123456789012-0001.kvt");

ParameterList NumberedList() {
    ParameterList list;
    for (int i = 0; i < kParameterCount; ++i)
        list.push_back(static_cast<float>(i) + 0.5f);
    return list;
}

TEST(SettingsFile, WritesThe388ByteLayout) {
    TempDevice device;
    ASSERT_EQ(kPath29.size(), 29);
    ASSERT_TRUE(device.Files().SaveSettings(kPath29, NumberedList()));

    const QByteArray bytes = device.Read(DeviceFile::kSettings);
    ASSERT_EQ(bytes.size(), 388);
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), 29), kPath29);
    EXPECT_EQ(bytes.mid(58, 2), QByteArray(2, '\0')); // terminator in the last unit
    for (int i = 0; i < kParameterCount; ++i) {
        float value;
        std::memcpy(&value, bytes.constData() + 60 + 4 * i, 4);
        EXPECT_EQ(value, static_cast<float>(i) + 0.5f);
    }
}

TEST(SettingsFile, RoundTripsPathAndListAndTheCopyIsByteEqual) {
    TempDevice device;
    const ParameterList list = NumberedList();
    ASSERT_TRUE(device.Files().SaveSettings(kPath29, list));
    ASSERT_TRUE(device.Files().SaveSettingsCopy(kPath29, list));
    EXPECT_EQ(device.Read(DeviceFile::kSettings), device.Read(DeviceFile::kSettingsCopy));

    QString path;
    ParameterList read{1.0f};
    ASSERT_TRUE(device.Files().LoadSettings(path, read));
    EXPECT_EQ(path, kPath29);
    EXPECT_EQ(read, list);

    // Loading and saving again gives the same bytes.
    const QByteArray first = device.Read(DeviceFile::kSettings);
    ASSERT_TRUE(device.Files().SaveSettings(path, read));
    EXPECT_EQ(device.Read(DeviceFile::kSettings), first);
}

TEST(SettingsFile, APathLongerThanTheFieldIsRefusedAndNothingIsWritten) {
    TempDevice device;
    ASSERT_TRUE(device.Files().SaveSettings(kPath29, NumberedList()));
    const QByteArray before = device.Read(DeviceFile::kSettings);

    const QString path30 = QStringLiteral("\\硬盘\\APP\\1234567890123-0001.kvt");
    ASSERT_EQ(path30.size(), 30);
    EXPECT_FALSE(device.Files().SaveSettings(path30, DefaultParameterList()));
    EXPECT_EQ(device.Read(DeviceFile::kSettings), before);
}

TEST(SettingsFile, MissingShortOrUnterminatedFilesAreRefusedAndLeaveTheOutputs) {
    QByteArray valid(388, '\0');
    QByteArray unterminated(388, '\0');
    for (int i = 0; i < 60; i += 2)
        unterminated[i] = 'A';
    const struct {
        const char* name;
        std::optional<QByteArray> content;
    } cases[] = {
        {"missing", std::nullopt},
        {"empty", QByteArray()},
        {"short by one byte", valid.left(387)},
        {"path only", valid.left(60)},
        {"no terminator in the path field", unterminated},
    };
    for (const auto& c : cases) {
        TempDevice device;
        if (c.content)
            device.Write(DeviceFile::kSettings, *c.content);
        QString path = QStringLiteral("keep");
        ParameterList list{7.0f};
        EXPECT_FALSE(device.Files().LoadSettings(path, list)) << c.name;
        EXPECT_EQ(path, QStringLiteral("keep")) << c.name;
        EXPECT_EQ(list, ParameterList{7.0f}) << c.name;
    }
}

// Longer than 388 bytes is not a settings file: start-up restores from the copy.
TEST(SettingsFile, ALongerFileIsRefusedAndStartUpRestoresItFromTheCopy) {
    TempDevice device;
    ASSERT_TRUE(device.Files().SaveSettings(kPath29, NumberedList()));
    const QByteArray saved = device.Read(DeviceFile::kSettings);
    device.Write(DeviceFile::kSettings, saved + QByteArray(12, '\x7f'));
    QString path;
    ParameterList list;
    EXPECT_FALSE(device.Files().LoadSettings(path, list));
    EXPECT_EQ(LoadSettingsAtStartup(device.Files(), path, list), SettingsSource::Copy);
    EXPECT_EQ(list, NumberedList());
    EXPECT_EQ(path, kPath29);
    EXPECT_EQ(device.Read(DeviceFile::kSettings), saved);
}

// Both files lost: the newest data file whose test still runs is named again.
TEST(SettingsFile, WithBothFilesLostStartUpNamesTheRunningDataFile) {
    TempDevice device;
    CPublic pub;
    pub.paramList = DefaultParameterList();
    KVTFile::BuildBlankRecords(pub);
    const QString running = QStringLiteral("\\硬盘\\APP\\123456-0002.kvt");
    ASSERT_TRUE(
        device.Files().CreateDataFile(QStringLiteral("\\硬盘\\APP\\123456-0001.kvt"), pub.recordList));
    SetFieldText(pub.recordList[41].textValue, "2"); // holding a stage
    ASSERT_TRUE(device.Files().CreateDataFile(running, pub.recordList));
    device.Write(DeviceFile::kSettings, QByteArray(10, '\0'));
    QString path;
    ParameterList list;
    EXPECT_EQ(LoadSettingsAtStartup(device.Files(), path, list), SettingsSource::DataFile);
    EXPECT_EQ(path, running);
    EXPECT_EQ(list.size(), 82u);
    EXPECT_EQ(list[Entry::endMark], 1.0f);
    EXPECT_FALSE(SettingsRecoveryText(SettingsSource::DataFile).isEmpty());
}

TEST(DefaultParameterList, HoldsThe82Defaults) {
    const ParameterList list = DefaultParameterList();
    ASSERT_EQ(list.size(), 82u);
    const std::pair<int, float> expected[] = {
        {0, 0},      {1, 0},   {10, 1},    {11, 1},  {13, 65}, {14, 1000}, {15, 1},   {17, 80},
        {18, 2.13f}, {21, 1},  {22, 1},    {23, 1},  {24, 0},  {25, 10},   {26, 100}, {27, 1000},
        {28, 40},    {29, 10}, {30, 90},   {31, 40}, {32, 10}, {33, 10},   {34, 10},  {35, 90},
        {36, 60},    {37, 2},  {38, 0.1f}, {39, 5},  {40, 10}, {41, 15},   {44, 30},  {45, 15},
        {47, 30},    {50, 30}, {51, 0},    {60, 0},  {64, 0},  {70, 0},    {73, 0},   {81, 0},
    };
    for (const auto& [entry, value] : expected)
        EXPECT_EQ(list[static_cast<std::size_t>(entry)], value) << "entry " << entry;
}

TEST(StoreParametersToList, CopiesTypedFieldsAndInvertsTheGroundFlag) {
    CPublic pub;
    ParameterList list = DefaultParameterList();
    list[12] = 42.0f; // written by its dialog, left alone here

    pub.loadInKN = false;
    pub.doubleCircuitJack = true;
    pub.run.Post(RunCommands::Pause{});
    pub.stageStep = 150.0f;
    pub.standardCode = 33;
    pub.unloadIntervals = {1, 2, 3, 4, 5, 6};
    KVTFile::StoreParametersToList(pub, list);
    EXPECT_EQ(list[64], 1.0f);
    EXPECT_EQ(list[10], 1.0f);
    EXPECT_EQ(list[70], 1.0f);
    EXPECT_EQ(list[26], 150.0f);
    EXPECT_EQ(list[51], 33.0f);
    EXPECT_EQ(list[50], 6.0f);
    EXPECT_EQ(list[12], 42.0f);

    pub.loadInKN = true;
    pub.doubleCircuitJack = false;
    pub.run.Post(RunCommands::Resume{});
    KVTFile::StoreParametersToList(pub, list);
    EXPECT_EQ(list[64], 0.0f);
    EXPECT_EQ(list[10], 0.0f);
    EXPECT_EQ(list[70], 0.0f);

    // Entries beyond a shorter list are skipped, not appended.
    ParameterList shortList(20, 0.0f);
    KVTFile::StoreParametersToList(pub, shortList);
    EXPECT_EQ(shortList.size(), 20u);
    EXPECT_EQ(shortList[15], 1.0f);
}

} // namespace
