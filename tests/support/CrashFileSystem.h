#pragma once

#include "platform/FileSystem.h"

#include <map>
#include <vector>

// A file layer that keeps the files in memory and records every write and
// sync in order, so that a test can cut the power after any prefix of them.
// After a cut, what was synced is on the disk; what was not is dropped, torn
// or reordered as a disk cache may leave it. A durable replace counts as one
// step that is either wholly done or not at all (HostFileSystem gives it that
// property with a synced temporary file, a rename and a folder sync).
class CrashFileSystem final : public FileSystem {
  public:
    // What becomes of the writes that were not synced when the power went.
    enum class Cut { DropUnsynced, TearLastUnsynced, OnlyLastUnsynced };

    using Disk = std::map<QString, QByteArray>;

    // The disk as it is now, taken as synced; the record starts here.
    void StartRecording();
    std::size_t StepCount() const { return m_steps.size(); }
    // The disk after the first `steps` recorded steps and a power cut.
    Disk DiskAfterCut(std::size_t steps, Cut cut) const;
    const Disk& Current() const { return m_files; }
    void Put(const QString& path, const QByteArray& bytes) { m_files[path] = bytes; }

    ReadStatus ReadAll(const QString& path, qint64 maxBytes, QByteArray& bytes) const override;
    qint64 Size(const QString& path) const override;
    bool ReplaceDurably(const QString& path, const QByteArray& bytes) const override;
    bool Overwrite(const QString& path, const QByteArray& bytes, bool sync) const override;
    bool WriteAt(const QString& path, const std::vector<FileExtent>& extents, bool sync) const override;
    bool Remove(const QString& path) const override;

  private:
    struct Step {
        enum Kind { Write, Sync, Replace, Remove } kind;
        QString path;
        qint64 offset = 0;
        QByteArray bytes;
        bool cutsFile = false; // the write ends the file (Overwrite)
    };
    static void Apply(QByteArray& file, const Step& write, qsizetype length);
    void Record(Step step) const;

    mutable Disk m_files;
    Disk m_start;
    mutable std::vector<Step> m_steps;
};

// Writes `disk` (host paths under `fromRoot`) into the folder `toRoot`.
void WriteDisk(const CrashFileSystem::Disk& disk, const QString& fromRoot, const QString& toRoot);
