#include "core/data/KVTFile.h"

#include "core/data/ParameterRows.h"
#include "core/data/RunStateRows.h"
#include "platform/DeviceFolders.h"

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

// The file's bytes when it exists and holds at most `maxBytes`.
bool ReadBounded(const FileSystem& fs, const QString& hostPath, qint64 maxBytes, QByteArray& bytes) {
    return !hostPath.isEmpty() && fs.ReadAll(hostPath, maxBytes, bytes) == FileSystem::ReadStatus::Read;
}

QByteArray PackedRow(const std::vector<Record>& records, qint64 row) {
    const PackedRecord packed = PackRecord(records[static_cast<std::size_t>(row)]);
    return {reinterpret_cast<const char*>(packed.data()), static_cast<qsizetype>(packed.size())};
}

constexpr qint64 kRowBytes = static_cast<qint64>(kPackedRecordSize);

} // namespace

KVTFile::KVTFile(const DeviceFolders& folders, const FileSystem& fs) : m_folders(folders), m_fs(fs) {}

QString KVTFile::HostPath(const QString& devicePath) const {
    return m_folders.HostPath(devicePath);
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
    const QString host = HostPath(devicePath);
    return !host.isEmpty() && m_fs.ReplaceDurably(host, bytes);
}

bool KVTFile::SaveSettings(const QString& dataFilePath, const ParameterList& list) const {
    return WriteSettingsFile(DeviceFile::kSettings, dataFilePath, list) &&
           WriteSettingsFile(DeviceFile::kSettingsCopy, dataFilePath, list);
}

bool KVTFile::SaveSettingsCopy(const QString& dataFilePath, const ParameterList& list) const {
    return WriteSettingsFile(DeviceFile::kSettingsCopy, dataFilePath, list);
}

bool ParseSettings(const QByteArray& bytes, QString& dataFilePath, ParameterList& list) {
    if (bytes.size() != kSettingsFileSize)
        return false; // shorter is damaged, longer is not a settings file
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

bool KVTFile::ReadSettingsFile(const QString& devicePath, QString& dataFilePath, ParameterList& list) const {
    QByteArray bytes;
    // A file longer than the layout is not a settings file.
    return ReadBounded(m_fs, HostPath(devicePath), kSettingsFileSize, bytes) &&
           ParseSettings(bytes, dataFilePath, list);
}

bool KVTFile::LoadSettings(QString& dataFilePath, ParameterList& list) const {
    return ReadSettingsFile(DeviceFile::kSettings, dataFilePath, list);
}

bool KVTFile::LoadSettingsCopy(QString& dataFilePath, ParameterList& list) const {
    return ReadSettingsFile(DeviceFile::kSettingsCopy, dataFilePath, list);
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

bool KVTFile::SaveUploadQueue(const std::vector<UploadFrame>& frames, int /*mode*/) const {
    const QString host = HostPath(DeviceFile::kUploadQueue);
    return !host.isEmpty() && m_fs.ReplaceDurably(host, UploadQueueBytes(frames));
}

bool KVTFile::LoadUploadQueue(std::vector<UploadFrame>& frames, int /*mode*/) const {
    QByteArray bytes;
    if (!ReadBounded(m_fs, HostPath(DeviceFile::kUploadQueue), kMaxQueuedFrames * kUploadFrameSize, bytes))
        return false;
    frames = ParseUploadQueue(bytes);
    return true;
}

std::vector<UploadFrame> ParseUploadQueue(const QByteArray& bytes) {
    std::vector<UploadFrame> frames(static_cast<std::size_t>(bytes.size()) / kUploadFrameSize);
    for (std::size_t i = 0; i < frames.size(); ++i)
        std::memcpy(frames[i].data(), bytes.constData() + i * kUploadFrameSize, kUploadFrameSize);
    return frames;
}

QByteArray UploadQueueBytes(const std::vector<UploadFrame>& frames) {
    QByteArray bytes;
    for (const UploadFrame& frame : frames)
        bytes.append(reinterpret_cast<const char*>(frame.data()), kUploadFrameSize);
    return bytes;
}

// --- jack calibration table ------------------------------------------------------

namespace {
// The file keeps the first 20 bytes of each 40-byte text and everything else.
constexpr std::size_t kJackTextFileBytes = 20;
constexpr std::size_t kJackValuesOffset = offsetof(JackRecord, type);
constexpr std::size_t kJackValuesSize = sizeof(JackRecord) - kJackValuesOffset;
static_assert(2 * kJackTextFileBytes + kJackValuesSize == kPackedJackRecordSize);
} // namespace

bool KVTFile::SaveJackTable(const std::vector<JackRecord>& table) const {
    const std::size_t count = std::min<std::size_t>(table.size(), kJackSlots);
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(count * kPackedJackRecordSize));
    for (std::size_t i = 0; i < count; ++i) {
        const auto* memory = reinterpret_cast<const char*>(&table[i]);
        bytes.append(memory + offsetof(JackRecord, jackNumber), kJackTextFileBytes);
        bytes.append(memory + offsetof(JackRecord, sensorNumber), kJackTextFileBytes);
        bytes.append(memory + kJackValuesOffset, kJackValuesSize);
    }
    // The whole table replaces the file at once: a failed or interrupted
    // write leaves the groups saved before intact.
    const QString host = HostPath(DeviceFile::kJackTable);
    return !host.isEmpty() && m_fs.ReplaceDurably(host, bytes);
}

void ParseJackTable(const QByteArray& bytes, std::vector<JackRecord>& table) {
    const std::size_t onFile = static_cast<std::size_t>(bytes.size()) / kPackedJackRecordSize;
    const std::size_t count = std::min({onFile, static_cast<std::size_t>(kJackSlots), table.size()});
    for (std::size_t i = 0; i < count; ++i) {
        const char* packed = bytes.constData() + i * kPackedJackRecordSize;
        JackRecord record = JackRecord::Blank();
        auto* memory = reinterpret_cast<char*>(&record);
        std::memset(memory, 0, kJackValuesOffset);
        std::memcpy(memory + offsetof(JackRecord, jackNumber), packed, kJackTextFileBytes);
        std::memcpy(memory + offsetof(JackRecord, sensorNumber), packed + kJackTextFileBytes,
                    kJackTextFileBytes);
        std::memcpy(memory + kJackValuesOffset, packed + 2 * kJackTextFileBytes, kJackValuesSize);
        table[i] = record;
    }
}

bool KVTFile::LoadJackTable(std::vector<JackRecord>& table) const {
    QByteArray bytes;
    if (!ReadBounded(m_fs, HostPath(DeviceFile::kJackTable), qint64{kJackSlots} * kPackedJackRecordSize,
                     bytes))
        return false;
    ParseJackTable(bytes, table);
    return true;
}

// --- data file -----------------------------------------------------------------

bool KVTFile::CreateDataFile(const QString& path, const std::vector<Record>& records) const {
    const QString host = HostPath(path);
    if (host.isEmpty())
        return false;
    QByteArray bytes;
    const qint64 count = std::min<qint64>(static_cast<qint64>(records.size()), 74);
    for (qint64 row = 0; row < count; ++row)
        bytes.append(PackedRow(records, row));
    // A journal left by an earlier file of this name must not touch the new
    // one; the replace syncs the folder, which makes the removal durable too.
    return m_fs.Remove(DataFileJournal::JournalPath(host)) && m_fs.ReplaceDurably(host, bytes);
}

bool KVTFile::WriteRows(const QString& path, const std::vector<RowWrite>& writes,
                        const std::vector<Record>& records,
                        const DataFileJournal::PendingUpload* upload) const {
    const QString host = HostPath(path);
    const qint64 size = host.isEmpty() ? -1 : m_fs.Size(host);
    if (size < 0)
        return false;
    // Rows the earlier writes of this update put on file count as on file.
    qint64 rowsOnFile = size / kRowBytes;
    std::vector<FileExtent> extents;
    for (const RowWrite& write : writes) {
        if (write.row < 0 || static_cast<std::size_t>(write.row) >= records.size())
            continue;
        if (write.wholeRow) {
            // Rows missing before `row` (an earlier write that failed) are
            // written from the list too, so the file never gets a gap.
            for (qint64 i = std::min<qint64>(rowsOnFile, write.row); i <= write.row; ++i)
                extents.push_back({i * kRowBytes, PackedRow(records, i)});
            rowsOnFile = std::max<qint64>(rowsOnFile, write.row + 1);
        } else if (write.row < rowsOnFile) {
            const QByteArray row = PackedRow(records, write.row);
            extents.push_back({write.row * kRowBytes + static_cast<qint64>(kPackedTextsOffset),
                               row.mid(kPackedTextsOffset, kPackedTextsSize)});
        }
    }
    return DataFileJournal::Commit(m_fs, host, extents, upload);
}

bool KVTFile::WriteRecord(const QString& path, int row, const std::vector<Record>& records) const {
    if (row < 0 || static_cast<std::size_t>(row) >= records.size())
        return false;
    return WriteRows(path, {{row, true}}, records);
}

bool KVTFile::WriteRowTexts(const QString& path, int row, const std::vector<Record>& records) const {
    if (row < 0 || static_cast<std::size_t>(row) >= records.size())
        return false;
    const qint64 size = DataFileMissing(path) ? -1 : m_fs.Size(HostPath(path));
    if (size < (static_cast<qint64>(row) + 1) * kRowBytes)
        return false; // the row is not on file yet: nothing to rewrite in place
    return WriteRows(path, {{row, false}}, records);
}

bool KVTFile::WriteRunStateTexts(const QString& path, const std::vector<Record>& records) const {
    return WriteRows(path, {{4, false}, {31, false}, {0, false}}, records);
}

std::vector<RowWrite> RunStateRowWrites() {
    std::vector<RowWrite> writes{{4, false}, {31, false}, {0, false}};
    for (int row = kFirstRunStateRow; row <= kLastRunStateRow; ++row)
        writes.push_back({row, false});
    return writes;
}

DataFileJournal::Recovery KVTFile::RecoverDataFile(const QString& path, QByteArray* uploadFrame) const {
    const QString host = HostPath(path);
    if (host.isEmpty())
        return DataFileJournal::Recovery::Clean;
    return DataFileJournal::Recover(m_fs, host, uploadFrame);
}

std::vector<Record> ParseDataFile(const QByteArray& bytes) {
    const std::size_t count = static_cast<std::size_t>(bytes.size()) / kPackedRecordSize;
    std::vector<Record> records;
    records.reserve(count);
    for (std::size_t row = 0; row < count; ++row)
        records.push_back(
            UnpackRecord(reinterpret_cast<const std::uint8_t*>(bytes.constData()) + row * kPackedRecordSize));
    return records;
}

bool KVTFile::ReadDataFile(const QString& path, std::vector<Record>& records) const {
    QByteArray bytes;
    if (!ReadBounded(m_fs, HostPath(path), kMaxDataFileRows * kRowBytes, bytes))
        return false;
    records = ParseDataFile(bytes);
    return true;
}

qint64 KVTFile::CountRecords(const QString& path) const {
    const QString host = HostPath(path);
    if (host.isEmpty())
        return 0;
    return std::max<qint64>(m_fs.Size(host), 0) / kRowBytes;
}

bool KVTFile::DataFileMissing(const QString& path) const {
    const QString host = HostPath(path);
    return host.isEmpty() || m_fs.Size(host) < 0;
}

bool KVTFile::RemoveFile(const QString& devicePath) const {
    const QString host = HostPath(devicePath);
    if (host.isEmpty())
        return false;
    return m_fs.Remove(host);
}

// --- parameter column ------------------------------------------------------------

void KVTFile::BuildBlankRecords(CPublic& pub) {
    std::vector<Record>& rows = pub.recordList;
    rows.assign(74, pub.templateRow);
    WriteBlankParameterTexts(rows, pub);
    WriteTargetLoadText(rows, ParameterAt(pub.paramList, Entry::targetLoad));
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

void KVTFile::RestoreParameters(CPublic& pub, const std::vector<Record>& records,
                                const QDateTime& now) const {
    RecountRows(pub, records);
    if (records.size() < 74) {
        // Not a test file: nothing of the parameter column to restore.
        ReloadUploadQueue(pub);
        return;
    }
    ReadParameterTexts(pub, records);
    int mask = 0;
    for (int k = 0; k < 8; ++k)
        mask |= pub.gaugeOn[k] == 1 ? (1 << k) : 0;
    // The command frame's gauge mask follows the restored gauges.
    pub.gaugeMask = mask;

    // Run state.
    const RunStateTexts saved = ReadRunStateTexts(records);
    const ControlState state = ControlStateFromCode(saved.controlState);
    if (saved.stageChanged)
        pub.stageChanged = true;
    if (saved.stageReached)
        pub.stageReached = true;
    int nextReading = saved.nextReadingTime;
    if (nextReading > 86400)
        nextReading -= 86400;
    pub.nextReadingTime = nextReading;
    pub.readingStep = saved.readingStep;

    if (IsHoldingLoad(state) || state == ControlState::HoldingUnload) {
        const int nowSeconds = now.time().msecsSinceStartOfDay() / 1000;
        const bool otherDay = saved.saveDate != now.date();
        if ((otherDay && nextReading < nowSeconds + 86400) || nextReading < nowSeconds)
            pub.missedReading = true;
        pub.nextReadingText = FormatSeconds(nextReading);
    }
    if (state == ControlState::Waiting || state == ControlState::Stable || state == ControlState::Unloading) {
        pub.resyncSplit = false;
        pub.missedReading = false;
    }
    // A test with readings, or in any stage, or started and not ended
    // (settings entry 65), goes on running, unless its rows record its end.
    const bool running =
        !saved.ended && (pub.run.View().running || pub.readingCount > 0 || state != ControlState::Waiting ||
                         ParameterAt(pub.paramList, Entry::endMark) == 1.0f);
    pub.run.Post(RunCommands::Restore{
        .running = running, .state = state, .target = saved.targetLoad, .lastTarget = saved.lastTarget});

    ReloadUploadQueue(pub);
}

// A missing queue file leaves the frames in memory as they are.
void KVTFile::ReloadUploadQueue(CPublic& pub) const {
    std::vector<UploadFrame> frames;
    if (LoadUploadQueue(frames))
        pub.gprs.Assign(std::move(frames));
    pub.gprs.ResetLink();
}

void RefreshRunStateTexts(CPublic& pub, const QDate& today, bool testEnded) {
    const RunState run = pub.run.View();
    RunStateTexts state;
    state.targetLoad = run.targetLoad;
    state.readingCount = pub.readingCount;
    state.controlState = StoredCode(run.controlState);
    state.stageChanged = pub.stageChanged;
    state.lastTarget = run.lastTarget;
    state.stageReached = pub.stageReached;
    state.nextReadingTime = pub.nextReadingTime;
    state.readingStep = pub.readingStep;
    state.saveDate = today;
    state.ended = testEnded;
    WriteRunStateTexts(pub.recordList, state);
}
