#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

class DeviceFolders;
class QFileInfo;

// One test data file in "\硬盘\APP\".
struct StoredFile {
    QString name; // file name only, e.g. "123456-0001.kvt"
    qint64 size = 0;
    QDateTime created; // see BirthOrModifiedTime
};

// The creation time of a file: its birth time where the host's file system
// records one, else the time of its last change (Linux file systems need not
// keep a birth time).
QDateTime BirthOrModifiedTime(const QFileInfo& file);

// "900B", "1.5KB", "3.00MB".
QString FileSizeText(qint64 bytes);
// "%Y-%m-%d %H:%M:%S" of the local time.
QString FileDateText(const QDateTime& time);
// A name that stays inside its folder: no separator of either system, not
// "." or "..", not empty.
bool IsPlainFileName(const QString& name);

// The data files on the instrument's disk and their copies on the USB disk.
// Names come from the folder listing; every operation checks again that its
// name is a plain regular file in its folder, never a link, so a name cannot
// lead out of the device folders.
class DataFiles {
  public:
    using CreationTime = QDateTime (*)(const QFileInfo&);

    // `creationTime` reads the time a file is listed by; tests, which cannot
    // set a birth time, list by the modification time they set.
    explicit DataFiles(const DeviceFolders& folders, CreationTime creationTime = BirthOrModifiedTime);

    // Every "*.kvt" regular file, oldest first by the date text; equal dates
    // keep the folder's order. Sidecars of a data file (its journal
    // "<name>.kvt.jnl") and links are not data files.
    std::vector<StoredFile> List() const;

    // The USB disk's folder exists.
    bool UsbPresent() const;
    bool OnUsb(const QString& name) const;
    // The data file `name` exists on the instrument's disk as a regular file.
    bool Stored(const QString& name) const;

    // Copies to the USB disk, replacing a file of that name only with a
    // complete, synced copy.
    bool CopyToUsb(const QString& name) const;
    // Copies to the USB disk, then deletes the data file once the copy is
    // complete and synced.
    bool CutToUsb(const QString& name) const;
    bool Remove(const QString& name) const;

    // The host path of the data file `name` when it is a plain regular file
    // of the instrument's disk; empty otherwise.
    QString StoredPath(const QString& name) const;
    // The host folder of the USB disk.
    QString UsbFolder() const;

    // Runs after each chunk a copy writes; a test pulls the disk here.
    void SetCopyChunkHook(std::function<void()> hook) { m_afterChunk = std::move(hook); }

  private:
    const DeviceFolders& m_folders;
    CreationTime m_creationTime;
    std::function<void()> m_afterChunk;
};
