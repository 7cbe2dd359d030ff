#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Bytes to put at an offset of a file.
struct FileExtent {
    qint64 offset = 0;
    QByteArray bytes;
};

// The host file operations the instrument's files go through. Paths are host
// paths. The one real implementation is HostFileSystem; tests put a layer in
// its place that records every write and sync and replays a power cut.
//
// Durability: a call that says "synced" returns only after the bytes (and,
// for a new name, the folder entry) are on the disk. An operation that fails
// returns false and is never to be taken as stored.
class FileSystem {
  public:
    enum class ReadStatus { Read, Missing, TooLarge, Failed };

    virtual ~FileSystem() = default;

    // The whole file when it holds at most `maxBytes`; a longer file is not
    // read at all (TooLarge), so memory stays bounded.
    virtual ReadStatus ReadAll(const QString& path, qint64 maxBytes, QByteArray& bytes) const = 0;
    // Length in bytes; -1 when there is no such file.
    virtual qint64 Size(const QString& path) const = 0;
    // Writes a temporary file in the same folder, syncs it, renames it over
    // `path` and syncs the folder: afterwards the file is either wholly old or
    // wholly new, whatever happens to the power.
    virtual bool ReplaceDurably(const QString& path, const QByteArray& bytes) const = 0;
    // Writes `bytes` from offset 0 and cuts the file there, creating it when
    // missing; with `sync` the content and a new name are synced.
    virtual bool Overwrite(const QString& path, const QByteArray& bytes, bool sync) const = 0;
    // Writes the extents into an existing file (extending it where one ends
    // past its end); with `sync` they are synced before it returns.
    virtual bool WriteAt(const QString& path, const std::vector<FileExtent>& extents, bool sync) const = 0;
    // True when the file is gone afterwards.
    virtual bool Remove(const QString& path) const = 0;
};

// The host's own files, with fsync at every sync point.
class HostFileSystem final : public FileSystem {
  public:
    // The stateless instance the program uses.
    static const HostFileSystem& Instance();

    ReadStatus ReadAll(const QString& path, qint64 maxBytes, QByteArray& bytes) const override;
    qint64 Size(const QString& path) const override;
    bool ReplaceDurably(const QString& path, const QByteArray& bytes) const override;
    bool Overwrite(const QString& path, const QByteArray& bytes, bool sync) const override;
    bool WriteAt(const QString& path, const std::vector<FileExtent>& extents, bool sync) const override;
    bool Remove(const QString& path) const override;
};
