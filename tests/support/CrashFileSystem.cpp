#include "support/CrashFileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void CrashFileSystem::StartRecording() {
    m_start = m_files;
    m_steps.clear();
}

void CrashFileSystem::Record(Step step) const {
    m_steps.push_back(step);
    QByteArray& file = m_files[step.path];
    switch (step.kind) {
    case Step::Write:
        Apply(file, step, step.bytes.size());
        break;
    case Step::Replace:
        file = step.bytes;
        break;
    case Step::Remove:
        m_files.erase(step.path);
        break;
    case Step::Sync:
        break;
    }
}

void CrashFileSystem::Apply(QByteArray& file, const Step& write, qsizetype length) {
    const qint64 end = write.offset + length;
    if (file.size() < end)
        file.resize(end, '\0');
    std::copy_n(write.bytes.constData(), length, file.data() + write.offset);
    if (write.cutsFile && length == write.bytes.size())
        file.resize(end);
}

CrashFileSystem::Disk CrashFileSystem::DiskAfterCut(std::size_t steps, Cut cut) const {
    Disk durable = m_start;
    std::map<QString, std::vector<Step>> pending;
    for (std::size_t i = 0; i < steps && i < m_steps.size(); ++i) {
        const Step& step = m_steps[i];
        switch (step.kind) {
        case Step::Write:
            pending[step.path].push_back(step);
            break;
        case Step::Sync:
            for (const Step& write : pending[step.path])
                Apply(durable[step.path], write, write.bytes.size());
            pending.erase(step.path);
            break;
        case Step::Replace:
            durable[step.path] = step.bytes;
            pending.erase(step.path);
            break;
        case Step::Remove:
            durable.erase(step.path);
            pending.erase(step.path);
            break;
        }
    }
    for (const auto& [path, writes] : pending) {
        switch (cut) {
        case Cut::DropUnsynced:
            break;
        case Cut::TearLastUnsynced:
            for (std::size_t i = 0; i + 1 < writes.size(); ++i)
                Apply(durable[path], writes[i], writes[i].bytes.size());
            Apply(durable[path], writes.back(), writes.back().bytes.size() / 2);
            break;
        case Cut::OnlyLastUnsynced:
            Apply(durable[path], writes.back(), writes.back().bytes.size());
            break;
        }
    }
    return durable;
}

FileSystem::ReadStatus CrashFileSystem::ReadAll(const QString& path, qint64 maxBytes,
                                                QByteArray& bytes) const {
    const auto file = m_files.find(path);
    if (file == m_files.end())
        return ReadStatus::Missing;
    if (file->second.size() > maxBytes)
        return ReadStatus::TooLarge;
    bytes = file->second;
    return ReadStatus::Read;
}

qint64 CrashFileSystem::Size(const QString& path) const {
    const auto file = m_files.find(path);
    return file == m_files.end() ? -1 : file->second.size();
}

bool CrashFileSystem::ReplaceDurably(const QString& path, const QByteArray& bytes) const {
    Record({Step::Replace, path, 0, bytes, false});
    return true;
}

bool CrashFileSystem::Overwrite(const QString& path, const QByteArray& bytes, bool sync) const {
    Record({Step::Write, path, 0, bytes, true});
    if (sync)
        Record({Step::Sync, path, 0, {}, false});
    return true;
}

bool CrashFileSystem::WriteAt(const QString& path, const std::vector<FileExtent>& extents, bool sync) const {
    if (!m_files.contains(path))
        return false;
    for (const FileExtent& extent : extents)
        Record({Step::Write, path, extent.offset, extent.bytes, false});
    if (sync)
        Record({Step::Sync, path, 0, {}, false});
    return true;
}

bool CrashFileSystem::Remove(const QString& path) const {
    if (m_files.contains(path))
        Record({Step::Remove, path, 0, {}, false});
    return true;
}

void WriteDisk(const CrashFileSystem::Disk& disk, const QString& fromRoot, const QString& toRoot) {
    for (const auto& [path, bytes] : disk) {
        const QString target = toRoot + path.mid(fromRoot.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile file(target);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(bytes);
    }
}
