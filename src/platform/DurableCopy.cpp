#include "platform/DurableCopy.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

bool CopyBytes(QFile& from, QFile& to, const std::function<void()>& afterChunk) {
    QByteArray chunk;
    while (true) {
        chunk = from.read(kChunkBytes);
        if (chunk.isEmpty())
            return from.error() == QFileDevice::NoError && from.atEnd();
        if (to.write(chunk) != chunk.size() || !to.flush())
            return false;
        if (afterChunk)
            afterChunk();
    }
}

bool SyncFolder(const QString& folder) {
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (handle < 0)
        return false;
    // Some file systems cannot sync a folder; the renamed file itself is synced.
    const bool synced = ::fsync(handle) == 0 || errno == EINVAL;
    ::close(handle);
    return synced;
}

} // namespace

bool CopyFileDurably(const QString& source, const QString& target, const std::function<void()>& afterChunk) {
    QFile from(source);
    if (!from.open(QIODevice::ReadOnly))
        return false;
    const QString partial = target + QStringLiteral(".part");
    QFile to(partial);
    if (!to.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = CopyBytes(from, to, afterChunk) && ::fsync(to.handle()) == 0;
    to.close();
    const bool closed = to.error() == QFileDevice::NoError;
    if (!written || !closed ||
        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) != 0) {
        QFile::remove(partial);
        return false;
    }
    return SyncFolder(QFileInfo(target).path());
}
