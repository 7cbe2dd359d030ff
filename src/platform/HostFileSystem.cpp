#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// An open descriptor, closed on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // close() reports a write error that the file system delayed.
    bool Close() {
        const int fd = std::exchange(m_fd, -1);
        return ::close(fd) == 0;
    }

  private:
    int m_fd;
};

QByteArray Native(const QString& path) {
    return QFile::encodeName(path);
}

// A new or renamed name is on the disk only once its folder is synced.
bool SyncFolderOf(const QString& path) {
    const Descriptor folder(
        ::open(Native(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY));
    return folder.Valid() && ::fsync(folder.Get()) == 0;
}

bool WriteFully(int fd, const char* bytes, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, bytes, static_cast<size_t>(size), static_cast<off_t>(offset));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes += written;
        size -= written;
        offset += written;
    }
    return true;
}

} // namespace

const HostFileSystem& HostFileSystem::Instance() {
    static const HostFileSystem instance;
    return instance;
}

FileSystem::ReadStatus HostFileSystem::ReadAll(const QString& path, qint64 maxBytes,
                                               QByteArray& bytes) const {
    QFile file(path);
    if (!file.exists())
        return ReadStatus::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::Failed;
    if (file.size() > maxBytes)
        return ReadStatus::TooLarge;
    // Read one byte more than allowed: a file that grew after the size check
    // is refused too.
    QByteArray content = file.read(maxBytes + 1);
    if (content.size() > maxBytes)
        return ReadStatus::TooLarge;
    if (file.error() != QFileDevice::NoError)
        return ReadStatus::Failed;
    bytes = std::move(content);
    return ReadStatus::Read;
}

qint64 HostFileSystem::Size(const QString& path) const {
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

// QSaveFile writes a temporary file beside the target, syncs it on commit and
// renames it over the target; the folder sync makes the rename durable.
bool HostFileSystem::ReplaceDurably(const QString& path, const QByteArray& bytes) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit() && SyncFolderOf(path);
}

bool HostFileSystem::Overwrite(const QString& path, const QByteArray& bytes, bool sync) const {
    const bool existed = QFileInfo::exists(path);
    Descriptor file(::open(Native(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    if (!file.Valid())
        return false;
    if (!WriteFully(file.Get(), bytes.constData(), bytes.size(), 0) ||
        ::ftruncate(file.Get(), bytes.size()) != 0)
        return false;
    if (sync && ::fdatasync(file.Get()) != 0)
        return false;
    if (!file.Close())
        return false;
    return !sync || existed || SyncFolderOf(path);
}

bool HostFileSystem::WriteAt(const QString& path, const std::vector<FileExtent>& extents, bool sync) const {
    Descriptor file(::open(Native(path).constData(), O_WRONLY | O_CLOEXEC));
    if (!file.Valid())
        return false;
    for (const FileExtent& extent : extents) {
        if (!WriteFully(file.Get(), extent.bytes.constData(), extent.bytes.size(), extent.offset))
            return false;
    }
    if (sync && ::fdatasync(file.Get()) != 0)
        return false;
    return file.Close();
}

bool HostFileSystem::Remove(const QString& path) const {
    return !QFileInfo::exists(path) || QFile::remove(path);
}
