#include "core/data/KVTFile.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"
#include "platform/DeviceFolders.h"

#include <QFile>

#include <cstring>

namespace {

// --- little-endian helpers (the host is little-endian, see Record.h) --------
void AppendFloat(QByteArray& out, float value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

float FloatAt(const QByteArray& bytes, qsizetype offset) {
    float value;
    std::memcpy(&value, bytes.constData() + offset, sizeof value);
    return value;
}

// Writes all of `bytes`; false on a short write.
bool WriteAll(QFile& file, const char* bytes, qint64 size) {
    return file.write(bytes, size) == size;
}

// --- parameter-column texts ------------------------------------------------
template <std::size_t N> QString RowText(const char (&field)[N]) {
    return DeviceText::ToUnicode(FieldText(field));
}

template <std::size_t N> bool RowFlag(const char (&field)[N]) {
    return field[0] == '1';
}

QByteArray FlagText(bool on) {
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

QByteArray DateText(const QDate& date) {
    return CFormat("%04d-%02d-%02d", date.year(), date.month(), date.day());
}

} // namespace

KVTFile::KVTFile(const DeviceFolders& folders) : m_folders(folders) {}

QString KVTFile::HostPath(const QString& devicePath) const {
    return m_folders.hostPath(devicePath);
}

// --- settings ----------------------------------------------------------------

bool KVTFile::WriteSettingsFile(const QString& devicePath, const QString& dataFilePath,
                                const ParameterList& list) const {
    if (dataFilePath.size() > kMaxDataFilePathLength)
        return false;
    QByteArray bytes(kSettingsPathBytes, '\0');
    std::memcpy(bytes.data(), dataFilePath.utf16(), static_cast<std::size_t>(dataFilePath.size()) * 2);
    // The file always holds 82 entries; a shorter list is padded with zeros.
    for (int entry = 0; entry < kParameterCount; ++entry)
        AppendFloat(bytes, ParameterAt(list, entry));
    QFile file(HostPath(devicePath));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return WriteAll(file, bytes.constData(), bytes.size());
}

bool KVTFile::SaveSettings(const QString& dataFilePath, const ParameterList& list) const {
    return WriteSettingsFile(DeviceFile::kSettings, dataFilePath, list);
}

bool KVTFile::SaveSettingsCopy(const QString& dataFilePath, const ParameterList& list) const {
    return WriteSettingsFile(DeviceFile::kSettingsCopy, dataFilePath, list);
}

bool ParseSettings(const QByteArray& bytes, QString& dataFilePath, ParameterList& list) {
    if (bytes.size() < kSettingsFileSize)
        return false;
    const auto* units = reinterpret_cast<const char16_t*>(bytes.constData());
    qsizetype length = 0;
    while (length < kSettingsPathBytes / 2 && units[length] != 0)
        ++length;
    if (length == kSettingsPathBytes / 2)
        return false; // no terminator: damaged
    dataFilePath = QString::fromUtf16(units, length);
    list.clear();
    for (int entry = 0; entry < kParameterCount; ++entry)
        list.push_back(FloatAt(bytes, kSettingsPathBytes + entry * 4));
    return true;
}

bool KVTFile::LoadSettings(QString& dataFilePath, ParameterList& list) const {
    QFile file(HostPath(DeviceFile::kSettings));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return ParseSettings(file.read(kSettingsFileSize), dataFilePath, list);
}

void KVTFile::StoreParametersToList(const CPublic& pub, ParameterList& list) {
    auto set = [&list](int entry, float value) {
        if (entry < static_cast<int>(list.size()))
            list[static_cast<std::size_t>(entry)] = value;
    };
    for (int k = 0; k < 4; ++k)
        set(Entry::gaugeOnFirst + k, static_cast<float>(pub.gaugeOn[k]));
    set(Entry::doubleCircuitJack, pub.doubleCircuitJack ? 1.0f : 0.0f);
    set(Entry::pressureSensor, static_cast<float>(pub.pressureSensor));
    set(Entry::jackRatedPressure, pub.jackRatedPressure);
    set(Entry::jackRatedForce, pub.jackRatedForce);
    set(Entry::jackCount, static_cast<float>(pub.jackCount));
    set(Entry::sensorRange, static_cast<float>(pub.sensorRange));
    set(Entry::plateArea, pub.plateArea);
    set(Entry::holdBand, pub.holdBand);
    set(Entry::stageStep, pub.stageStep);
    set(Entry::maxLoad, pub.maxLoad);
    set(Entry::maxSettlement, static_cast<float>(pub.maxSettlement));
    set(Entry::maxUnevenSettlement, static_cast<float>(pub.maxUnevenSettlement));
    set(Entry::loadProtectSeconds, static_cast<float>(pub.loadProtectSeconds));
    set(Entry::gaugeRangeAlarm, pub.gaugeRangeAlarm);
    set(Entry::holdMinutes, static_cast<float>(pub.holdMinutes));
    set(Entry::stableCheckMinutes, static_cast<float>(pub.stableCheckMinutes));
    set(Entry::stableCheckCount, static_cast<float>(pub.stableCheckCount));
    set(Entry::stableSettlement, pub.stableSettlement);
    for (int i = 0; i < 6; ++i) {
        set(Entry::loadIntervalsFirst + i, static_cast<float>(pub.loadIntervals[i]));
        set(Entry::unloadIntervalsFirst + i, static_cast<float>(pub.unloadIntervals[i]));
    }
    set(Entry::standardCode, static_cast<float>(pub.standardCode));
    for (int i = 0; i < 3; ++i)
        set(Entry::reservedIntsFirst + i, static_cast<float>(pub.reservedInts[i]));
    set(Entry::pressureMode, static_cast<float>(pub.pressureMode));
    set(Entry::calibrationSource, static_cast<float>(pub.calibrationSource));
    set(Entry::regressionA, pub.regressionA);
    set(Entry::regressionB, pub.regressionB);
    set(Entry::groundTest, pub.loadInKN ? 0.0f : 1.0f);
    set(Entry::pausedFlag, pub.run.View().pausedFlag ? 1.0f : 0.0f);
}

// --- upload queue --------------------------------------------------------------

bool KVTFile::SaveUploadQueue(const UploadQueue& queue, int /*mode*/) const {
    QFile file(HostPath(DeviceFile::kUploadQueue));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    for (const UploadFrame& frame : queue.snapshot()) {
        if (!WriteAll(file, reinterpret_cast<const char*>(frame.data()), kUploadFrameSize))
            return false;
    }
    return true;
}

bool KVTFile::LoadUploadQueue(UploadQueue& queue, int /*mode*/) const {
    QFile file(HostPath(DeviceFile::kUploadQueue));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    std::vector<UploadFrame> frames(static_cast<std::size_t>(bytes.size()) / kUploadFrameSize);
    for (std::size_t i = 0; i < frames.size(); ++i)
        std::memcpy(frames[i].data(), bytes.constData() + i * kUploadFrameSize, kUploadFrameSize);
    queue.assign(std::move(frames));
    return true;
}

// --- jack calibration table ------------------------------------------------------

namespace {
// The file keeps the first 20 bytes of each 40-byte text and everything else.
constexpr std::size_t kJackTextFileBytes = 20;
constexpr std::size_t kJackValuesOffset = offsetof(JackRecord, value80);
constexpr std::size_t kJackValuesSize = sizeof(JackRecord) - kJackValuesOffset;
static_assert(2 * kJackTextFileBytes + kJackValuesSize == kPackedJackRecordSize);
} // namespace

bool KVTFile::SaveJackTable(const std::vector<JackRecord>& table) const {
    QFile file(HostPath(DeviceFile::kJackTable));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const std::size_t count = std::min<std::size_t>(table.size(), kJackSlots);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* memory = reinterpret_cast<const char*>(&table[i]);
        if (!WriteAll(file, memory + offsetof(JackRecord, jackNumber), kJackTextFileBytes) ||
            !WriteAll(file, memory + offsetof(JackRecord, sensorNumber), kJackTextFileBytes) ||
            !WriteAll(file, memory + kJackValuesOffset, kJackValuesSize))
            return false;
    }
    return true;
}

bool KVTFile::LoadJackTable(std::vector<JackRecord>& table) const {
    QFile file(HostPath(DeviceFile::kJackTable));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    const std::size_t onFile = static_cast<std::size_t>(bytes.size()) / kPackedJackRecordSize;
    const std::size_t count = std::min({onFile, static_cast<std::size_t>(kJackSlots), table.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const char* packed = bytes.constData() + i * kPackedJackRecordSize;
        JackRecord record = JackRecord::Blank();
        auto* memory = reinterpret_cast<char*>(&record);
        std::memset(memory, 0, kJackValuesOffset);
        std::memcpy(memory + offsetof(JackRecord, jackNumber), packed, kJackTextFileBytes);
        std::memcpy(memory + offsetof(JackRecord, sensorNumber), packed + kJackTextFileBytes, kJackTextFileBytes);
        std::memcpy(memory + kJackValuesOffset, packed + 2 * kJackTextFileBytes, kJackValuesSize);
        table[i] = record;
    }
    return true;
}

// --- data file -----------------------------------------------------------------

bool KVTFile::CreateDataFile(const QString& path, const std::vector<Record>& records) const {
    QFile file(HostPath(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const std::size_t count = std::min<std::size_t>(records.size(), 74);
    for (std::size_t row = 0; row < count; ++row) {
        const PackedRecord packed = PackRecord(records[row]);
        if (!WriteAll(file, reinterpret_cast<const char*>(packed.data()), kPackedRecordSize))
            return false;
    }
    return true;
}

bool KVTFile::WriteRecord(const QString& path, int row, const std::vector<Record>& records) const {
    if (row < 0 || static_cast<std::size_t>(row) >= records.size())
        return false;
    QFile file(HostPath(path));
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    // Rows missing before `row` (an earlier write that failed) are written
    // from the list too, so the file never gets a gap of zero bytes.
    const qint64 rowsOnFile = file.size() / static_cast<qint64>(kPackedRecordSize);
    const qint64 first = std::min<qint64>(rowsOnFile, row);
    if (!file.seek(first * static_cast<qint64>(kPackedRecordSize)))
        return false;
    for (qint64 i = first; i <= row; ++i) {
        const PackedRecord packed = PackRecord(records[static_cast<std::size_t>(i)]);
        if (!WriteAll(file, reinterpret_cast<const char*>(packed.data()), kPackedRecordSize))
            return false;
    }
    return true;
}

bool KVTFile::WriteRowTexts(const QString& path, int row, const std::vector<Record>& records) const {
    if (row < 0 || static_cast<std::size_t>(row) >= records.size())
        return false;
    QFile file(HostPath(path));
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    const qint64 rowStart = static_cast<qint64>(row) * static_cast<qint64>(kPackedRecordSize);
    if (file.size() < rowStart + static_cast<qint64>(kPackedRecordSize))
        return false; // the row is not on file yet: nothing to rewrite in place
    const PackedRecord packed = PackRecord(records[static_cast<std::size_t>(row)]);
    if (!file.seek(rowStart + static_cast<qint64>(kPackedTextsOffset)))
        return false;
    return WriteAll(file, reinterpret_cast<const char*>(packed.data()) + kPackedTextsOffset, kPackedTextsSize);
}

bool KVTFile::WriteRunStateTexts(const QString& path, const std::vector<Record>& records) const {
    bool written = true;
    for (const int row : {4, 31, 0})
        written = WriteRowTexts(path, row, records) && written;
    return written;
}

std::vector<Record> ParseDataFile(const QByteArray& bytes) {
    const std::size_t count = static_cast<std::size_t>(bytes.size()) / kPackedRecordSize;
    std::vector<Record> records;
    records.reserve(count);
    for (std::size_t row = 0; row < count; ++row)
        records.push_back(UnpackRecord(reinterpret_cast<const std::uint8_t*>(bytes.constData()) +
                                       row * kPackedRecordSize));
    return records;
}

bool KVTFile::ReadDataFile(const QString& path, std::vector<Record>& records) const {
    QFile file(HostPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    records = ParseDataFile(file.readAll());
    return true;
}

qint64 KVTFile::CountRecords(const QString& path) const {
    const QString host = HostPath(path);
    if (host.isEmpty())
        return 0;
    return QFile(host).size() / static_cast<qint64>(kPackedRecordSize);
}

bool KVTFile::DataFileMissing(const QString& path) const {
    const QString host = HostPath(path);
    return host.isEmpty() || !QFile::exists(host);
}

bool KVTFile::RemoveFile(const QString& devicePath) const {
    const QString host = HostPath(devicePath);
    if (host.isEmpty())
        return false;
    return !QFile::exists(host) || QFile::remove(host);
}

// --- parameter column ------------------------------------------------------------

void KVTFile::BuildBlankRecords(CPublic& pub) {
    std::vector<Record>& rows = pub.recordList;
    rows.assign(74, pub.templateRow);
    const ParameterList& list = pub.paramList;
    auto entry = [&list](int index) { return static_cast<double>(ParameterAt(list, index)); };

    SetFieldText(rows[0].textValue2, CFormat("%.3f", static_cast<double>(pub.calibrationCoefficient)));
    SetFieldText(rows[1].textValue2, CFormat("%.0f", entry(Entry::loadPulseTicks)));
    SetFieldText(rows[2].textValue2, CFormat("%.0f", entry(Entry::unloadPulseTicks)));
    SetFieldText(rows[3].textValue2, CFormat("%.3f", entry(Entry::plateArea)));
    SetFieldText(rows[4].textValue2, CFormat("%.2f", entry(Entry::targetLoad)));
    SetFieldText(rows[5].textValue2, CFormat("%.1f", entry(Entry::holdBand)));
    SetFieldText(rows[6].textValue, CFormat("%.0f", entry(Entry::jackCount)));
    SetFieldText(rows[6].textValue2, CFormat("%.1f", entry(Entry::stageStep)));
    SetFieldText(rows[7].textValue2, CFormat("%.1f", entry(Entry::maxLoad)));
    SetFieldText(rows[7].textLong, {});
    SetFieldText(rows[8].textValue, {});
    SetFieldText(rows[9].textLong, DeviceText::FromUnicode(pub.sensorNumber));
    SetFieldText(rows[12].textValue, DeviceText::FromUnicode(pub.jackNumber));
    for (int i = 0; i < 4; ++i)
        SetFieldText(rows[8 + i].textValue2, CFormat("%.2f", entry(Entry::maxSettlement + i)));
    SetFieldText(rows[10].textLong, CFormat("%.0f", entry(Entry::sensorRange)));
    SetFieldText(rows[11].textLong, CFormat("%.0f", entry(Entry::sensorSensitivity)));
    SetFieldText(rows[12].textLong, FlagText(entry(Entry::pressureSensor) == 1.0));
    SetFieldText(rows[13].textLong, CFormat("%.0f", entry(Entry::pressureMode)));
    SetFieldText(rows[14].textLong, CFormat("%.0f", entry(Entry::calibrationSource)));
    SetFieldText(rows[15].textLong, CFormat("%.5f", entry(Entry::regressionA)));
    SetFieldText(rows[16].textLong, CFormat("%.5f", entry(Entry::regressionB)));
    for (int i = 0; i < 4; ++i)
        SetFieldText(rows[13 + i].textValue2, CFormat("%.0f", entry(Entry::holdMinutes + i)));
    SetFieldText(rows[14].textValue, CFormat("%.0f", entry(Entry::jackRatedPressure)));
    SetFieldText(rows[15].textValue, CFormat("%.0f", entry(Entry::jackRatedForce)));
    for (int i = 0; i < 6; ++i) {
        SetFieldText(rows[16 + i].textValue, CFormat("%.0f", entry(Entry::loadIntervalsFirst + i)));
        SetFieldText(rows[22 + i].textValue, CFormat("%.0f", entry(Entry::unloadIntervalsFirst + i)));
    }
    for (int k = 0; k < 4; ++k) {
        SetFieldText(rows[21 + k].textValue2, FlagText(entry(Entry::gaugeOnFirst + 4 + k) == 1.0));
        SetFieldText(rows[31 + k].textValue, FlagText(entry(Entry::gaugeOnFirst + k) == 1.0));
    }
    SetFieldText(rows[30].textValue2, QByteArrayLiteral("1"));
    SetFieldText(rows[32].textValue2, FlagText(entry(Entry::doubleCircuitJack) != 0.0));
    SetFieldText(rows[36].textValue, FlagText(entry(Entry::groundTest) != 1.0));
    // Channel slots: 0 the load, 1-8 the gauges, 9 a spare that is always 0.
    for (int slot = 0; slot < 10; ++slot) {
        double zero = 0, offset = 0, direction = 0;
        if (slot == 0) {
            zero = pub.loadZero;
            offset = pub.loadOffset;
            direction = pub.loadDirection;
        } else if (slot <= 8) {
            zero = pub.gaugeZero[slot - 1];
            offset = pub.gaugeOffset[slot - 1];
            direction = pub.gaugeDirection[slot - 1];
        }
        SetFieldText(rows[33 + slot].textValue2, CFormat("%.0f", zero));
        SetFieldText(rows[46 + slot].textValue2, CFormat("%.0f", offset));
        SetFieldText(rows[59 + slot].textValue2, CFormat("%.0f", direction));
    }
    SetFieldText(rows[69].textLong, CFormat("%.0f", entry(Entry::standardCode)));
}

void RecountRows(CPublic& pub, const std::vector<Record>& rows) {
    const int size = static_cast<int>(rows.size());
    int readings = size, settlementRows = size, copies = size;
    for (int i = size - 1; i >= 0; --i) {
        const Record& row = rows[static_cast<std::size_t>(i)];
        if (IsEndMark(row.clock))
            readings = i;
        if (std::memcmp(row.rowMinutes, "99999", 5) == 0)
            settlementRows = i;
        if (IsEndMark(row.copyMark))
            copies = i;
    }
    pub.readingCount = readings;
    pub.rowCount = settlementRows;
    pub.copyCount = copies;
}

void KVTFile::RestoreParameters(CPublic& pub, const std::vector<Record>& records, const QDateTime& now) const {
    RecountRows(pub, records);
    if (records.size() < 74) {
        // Not a test file: nothing of the parameter column to restore.
        LoadUploadQueue(pub.uploadQueue);
        return;
    }
    const auto& r = records;
    auto integer = [](const QString& text) { return ReadInteger(text); };

    pub.calibrationCoefficient = ReadNumber(RowText(r[0].textValue2));
    pub.loadPulseTicks = integer(RowText(r[1].textValue2));
    pub.unloadPulseTicks = integer(RowText(r[2].textValue2));
    pub.plateArea = ReadNumber(RowText(r[3].textValue2));
    const float target = ReadNumber(RowText(r[4].textValue2));
    pub.holdBand = ReadNumber(RowText(r[5].textValue2));
    pub.jackCount = integer(RowText(r[6].textValue));
    pub.stageStep = ReadNumber(RowText(r[6].textValue2));
    pub.maxLoad = ReadNumber(RowText(r[7].textValue2));
    pub.sensorNumber = RowText(r[9].textLong);
    pub.jackNumber = RowText(r[12].textValue);
    pub.maxSettlement = integer(RowText(r[8].textValue2));
    pub.maxUnevenSettlement = integer(RowText(r[9].textValue2));
    pub.loadProtectSeconds = integer(RowText(r[10].textValue2));
    pub.gaugeRangeAlarm = ReadNumber(RowText(r[11].textValue2));
    pub.anchorUpliftAlarm = ReadNumber(RowText(r[12].textValue2));
    pub.sensorRange = integer(RowText(r[10].textLong));
    pub.sensorSensitivity = ReadNumber(RowText(r[11].textLong));
    pub.pressureSensor = integer(RowText(r[12].textLong));
    pub.pressureMode = integer(RowText(r[13].textLong));
    pub.calibrationSource = integer(RowText(r[14].textLong));
    pub.regressionA = ReadNumber(RowText(r[15].textLong));
    pub.regressionB = ReadNumber(RowText(r[16].textLong));
    pub.holdMinutes = integer(RowText(r[13].textValue2));
    pub.stableCheckMinutes = integer(RowText(r[14].textValue2));
    pub.stableCheckCount = integer(RowText(r[15].textValue2));
    pub.stableSettlement = ReadNumber(RowText(r[16].textValue2));
    pub.jackRatedPressure = ReadNumber(RowText(r[14].textValue));
    pub.jackRatedForce = ReadNumber(RowText(r[15].textValue));
    for (int i = 0; i < 6; ++i) {
        pub.loadIntervals[i] = integer(RowText(r[16 + i].textValue));
        pub.unloadIntervals[i] = integer(RowText(r[22 + i].textValue));
    }
    int mask = 0;
    for (int k = 0; k < 8; ++k) {
        const bool on = k < 4 ? RowFlag(r[31 + k].textValue) : RowFlag(r[21 + k - 4].textValue2);
        pub.gaugeOn[k] = on ? 1 : 0;
        mask |= on ? (1 << k) : 0;
    }
    // The command frame's gauge mask follows the restored gauges.
    pub.gaugeMask = mask;
    pub.autoAdvance = RowFlag(r[30].textValue2);
    pub.doubleCircuitJack = RowFlag(r[32].textValue2);
    pub.loadInKN = RowFlag(r[36].textValue);

    pub.loadZero = ReadNumber(RowText(r[33].textValue2));
    pub.loadOffset = ReadNumber(RowText(r[46].textValue2));
    const int loadDirection = integer(RowText(r[59].textValue2));
    pub.loadDirection = loadDirection == 0 ? 1 : loadDirection;
    for (int k = 0; k < 8; ++k) {
        pub.gaugeZero[k] = ReadNumber(RowText(r[34 + k].textValue2));
        pub.gaugeOffset[k] = ReadNumber(RowText(r[47 + k].textValue2));
        const int direction = integer(RowText(r[60 + k].textValue2));
        pub.gaugeDirection[k] = direction == 0 ? 1 : direction;
    }

    pub.standardCode = integer(RowText(r[69].textLong));
    pub.bearingCapacity = integer(RowText(r[71].textLong));

    // Run state.
    const ControlState state = ControlStateFromCode(integer(RowText(r[41].textValue)));
    if (RowFlag(r[42].textValue))
        pub.stageChanged = true;
    const float lastTarget = ReadNumber(RowText(r[43].textValue));
    if (RowFlag(r[44].textValue))
        pub.stageReached = true;
    int nextReading = static_cast<int>(ReadNumber(RowText(r[45].textValue)));
    if (nextReading > 86400)
        nextReading -= 86400;
    pub.nextReadingTime = nextReading;
    pub.readingStep = integer(RowText(r[46].textValue));

    if (IsHoldingLoad(state) || state == ControlState::HoldingUnload) {
        const int nowSeconds = now.time().msecsSinceStartOfDay() / 1000;
        const bool otherDay = FieldText(r[47].textValue) != DateText(now.date());
        if ((otherDay && nextReading < nowSeconds + 86400) || nextReading < nowSeconds)
            pub.resyncSplit = true;
        pub.nextReadingText = FormatSeconds(nextReading);
    }
    if (state == ControlState::Waiting || state == ControlState::Stable || state == ControlState::Unloading)
        pub.resyncSplit = false;
    // A test with readings, or in any stage, goes on running.
    const bool running = pub.run.View().running || pub.readingCount > 0 || state != ControlState::Waiting;
    pub.run.Post(RunCommands::Restore{.running = running, .state = state, .target = target, .lastTarget = lastTarget});

    LoadUploadQueue(pub.uploadQueue);
}

void RefreshRunStateTexts(CPublic& pub, const QDate& today) {
    std::vector<Record>& rows = pub.recordList;
    if (rows.size() < 74)
        return;
    const RunState run = pub.run.View();
    SetFieldText(rows[4].textValue2, CFormat("%.2f", static_cast<double>(run.targetLoad)));
    SetFieldText(rows[31].textValue2, CFormat("%.0d", pub.readingCount));
    SetFieldText(rows[41].textValue, CFormat("%.0d", StoredCode(run.controlState)));
    SetFieldText(rows[42].textValue, CFormat("%.0d", pub.stageChanged ? 1 : 0));
    SetFieldText(rows[43].textValue, CFormat("%.2f", static_cast<double>(run.lastTarget)));
    SetFieldText(rows[44].textValue, CFormat("%.0d", pub.stageReached ? 1 : 0));
    SetFieldText(rows[45].textValue, CFormat("%.0d", pub.nextReadingTime));
    SetFieldText(rows[46].textValue, CFormat("%.0d", pub.readingStep));
    SetFieldText(rows[47].textValue, DateText(today));
}
