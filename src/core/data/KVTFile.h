#pragma once

#include "core/data/CPublic.h"
#include "core/data/DataFileJournal.h"
#include "platform/FileSystem.h"

#include <QDateTime>
#include <QString>

class DeviceFolders;

// Device paths of the instrument's own files.
namespace DeviceFile {
inline const QString kSettings = QStringLiteral("\\硬盘\\APP\\tarvo.ini");
inline const QString kSettingsCopy = QStringLiteral("\\硬盘\\APP\\tarvofu.ini");
inline const QString kUploadQueue = QStringLiteral("\\硬盘\\APP\\tarvoGPRS.dat");
inline const QString kJackTable = QStringLiteral("\\硬盘\\APP\\QJDlddat.dat");
} // namespace DeviceFile

// Settings file tarvo.ini (and its copy tarvofu.ini), 388 bytes:
// | offset | size | content                                                   |
// |      0 |   60 | dataFilePath, UTF-16LE, zero-terminated (29 units at most) |
// |     60 |  328 | the 82 parameter-list entries, float32 each                |
inline constexpr int kSettingsPathBytes = 60;
inline constexpr int kSettingsFileSize = kSettingsPathBytes + kParameterCount * 4;
inline constexpr int kMaxDataFilePathLength = kSettingsPathBytes / 2 - 1;
static_assert(kSettingsFileSize == 388);

// The most any reader takes of a file; a longer file is refused unread.
// A data file of 100,000 rows (26.7 MB) holds a reading every minute for more
// than two months; the queue bound holds a live frame a minute for 45 days.
inline constexpr qint64 kMaxDataFileRows = 100'000;
inline constexpr qint64 kMaxQueuedFrames = 65'536;

// Parsing of whole file contents, shared by the file operations and the
// command-line tool. Settings: false for a damaged image (shorter than 388
// bytes, or a path field without terminator). Data file: whole rows only.
bool ParseSettings(const QByteArray& bytes, QString& dataFilePath, ParameterList& list);
std::vector<Record> ParseDataFile(const QByteArray& bytes);
// Jack table: overwrites the first min(whole records, 10, table size) slots.
void ParseJackTable(const QByteArray& bytes, std::vector<JackRecord>& table);
// Upload queue: whole 45-byte frames in order, a shorter tail ignored.
std::vector<UploadFrame> ParseUploadQueue(const QByteArray& bytes);
QByteArray UploadQueueBytes(const std::vector<UploadFrame>& frames);

// The instrument's file operations. Each returns true when its file could be
// opened and processed, shows no message and, on failure, leaves memory as it
// was. Paths are device paths, mapped to the host by DeviceFolders.
class KVTFile {
  public:
    // Every file goes through `fs`; tests put a recording layer there.
    explicit KVTFile(const DeviceFolders& folders, const FileSystem& fs = HostFileSystem::Instance());

    // --- settings ----------------------------------------------------------
    // A path longer than kMaxDataFilePathLength is refused, never cut.
    // Whole-file saves replace their file durably (FileSystem::ReplaceDurably).
    // SaveSettings also refreshes the copy tarvofu.ini, which start-up reads
    // when tarvo.ini is lost.
    bool SaveSettings(const QString& dataFilePath, const ParameterList& list) const;
    bool SaveSettingsCopy(const QString& dataFilePath, const ParameterList& list) const;
    // A file shorter than 388 bytes or whose path field lacks its terminator
    // is damaged and refused.
    bool LoadSettings(QString& dataFilePath, ParameterList& list) const;
    bool LoadSettingsCopy(QString& dataFilePath, ParameterList& list) const;
    static void StoreParametersToList(const CPublic& pub, ParameterList& list);

    // --- upload queue (mode is always 1) -------------------------------------
    bool SaveUploadQueue(const std::vector<UploadFrame>& frames, int mode = 1) const;
    bool LoadUploadQueue(std::vector<UploadFrame>& frames, int mode = 1) const;

    // --- jack calibration table ----------------------------------------------
    bool SaveJackTable(const std::vector<JackRecord>& table) const;
    // Overwrites the first min(records on file, 10, table size) slots.
    bool LoadJackTable(std::vector<JackRecord>& table) const;

    // --- data file -------------------------------------------------------------
    // The rows of a new test appear whole or not at all.
    bool CreateDataFile(const QString& path, const std::vector<Record>& records) const;
    bool WriteRecord(const QString& path, int row, const std::vector<Record>& records) const;
    bool WriteRowTexts(const QString& path, int row, const std::vector<Record>& records) const;
    bool WriteRunStateTexts(const QString& path, const std::vector<Record>& records) const;
    // All of `writes`, in order, as one journaled update of the file, with
    // the upload frame that goes with it, if any.
    bool WriteRows(const QString& path, const std::vector<RowWrite>& writes,
                   const std::vector<Record>& records,
                   const DataFileJournal::PendingUpload* upload = nullptr) const;
    // Start-up, before the file is read: finishes or drops an interrupted
    // update; the upload frame of a finished one goes to `uploadFrame`.
    DataFileJournal::Recovery RecoverDataFile(const QString& path, QByteArray* uploadFrame = nullptr) const;
    bool ReadDataFile(const QString& path, std::vector<Record>& records) const;
    qint64 CountRecords(const QString& path) const;
    bool DataFileMissing(const QString& path) const;

    static void BuildBlankRecords(CPublic& pub);
    // Restores the typed parameters and run state from the parameter column
    // of `records` (the caller has read them into pub.recordList) as of
    // `now`, and reloads the upload queue.
    void RestoreParameters(CPublic& pub, const std::vector<Record>& records, const QDateTime& now) const;

    // Deletes a device file; true when it is gone afterwards.
    bool RemoveFile(const QString& devicePath) const;

    QString HostPath(const QString& devicePath) const;

  private:
    void ReloadUploadQueue(CPublic& pub) const;
    bool WriteSettingsFile(const QString& devicePath, const QString& dataFilePath,
                           const ParameterList& list) const;
    bool ReadSettingsFile(const QString& devicePath, QString& dataFilePath, ParameterList& list) const;

    const DeviceFolders& m_folders;
    const FileSystem& m_fs;
};

// The run-state rows a save writes: texts of rows 4, 31 and 0, then of rows
// 41-47 (the rows a restart resumes a held stage from).
std::vector<RowWrite> RunStateRowWrites();

// Copies the current run state into rows 4, 31 and 41-47 of the record list
// (`today` for the save date in row 47).
// With `testEnded` row 41 marks the test as ended, so that a restart shows
// it for review instead of running it again.
void RefreshRunStateTexts(CPublic& pub, const QDate& today, bool testEnded = false);

// The three counts of `pub` from the end marks of `rows`.
void RecountRows(CPublic& pub, const std::vector<Record>& rows);
