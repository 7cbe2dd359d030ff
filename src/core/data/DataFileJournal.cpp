#include "core/data/DataFileJournal.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kMagic[4] = {'K', 'V', 'T', 'J'};
constexpr char kMagicWithUpload[4] = {'K', 'V', 'T', 'U'};
// An entry of a reading is well under 1 KiB; this bounds what start-up reads.
constexpr qint64 kMaxJournalBytes = 1 << 20;

std::uint32_t Crc32(const char* bytes, qsizetype size) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i)
        crc = table[(crc ^ static_cast<std::uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

template <typename T> void Append(QByteArray& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Reads a T at `at` and moves on; false past the end.
template <typename T> bool Take(const QByteArray& in, qsizetype& at, T& value) {
    if (in.size() - at < static_cast<qsizetype>(sizeof value))
        return false;
    std::memcpy(&value, in.constData() + at, sizeof value);
    at += sizeof value;
    return true;
}

} // namespace

namespace DataFileJournal {

QString JournalPath(const QString& dataFileHostPath) {
    return dataFileHostPath + QStringLiteral(".jnl");
}

QByteArray Encode(const Entry& entry) {
    const bool withUpload = !entry.uploadFrame.isEmpty();
    QByteArray out(withUpload ? kMagicWithUpload : kMagic, sizeof kMagic);
    Append(out, static_cast<std::uint32_t>(entry.extents.size()));
    for (const FileExtent& extent : entry.extents) {
        Append(out, static_cast<std::int64_t>(extent.offset));
        Append(out, static_cast<std::uint32_t>(extent.bytes.size()));
        out.append(extent.bytes);
    }
    if (withUpload) {
        Append(out, static_cast<std::uint32_t>(entry.uploadFrame.size()));
        out.append(entry.uploadFrame);
    }
    Append(out, Crc32(out.constData(), out.size()));
    return out;
}

std::optional<Entry> Decode(const QByteArray& bytes) {
    constexpr qsizetype kCrcSize = sizeof(std::uint32_t);
    if (bytes.size() < static_cast<qsizetype>(sizeof kMagic) + kCrcSize)
        return std::nullopt;
    const bool withUpload = std::memcmp(bytes.constData(), kMagicWithUpload, sizeof kMagic) == 0;
    if (!withUpload && std::memcmp(bytes.constData(), kMagic, sizeof kMagic) != 0)
        return std::nullopt;
    const qsizetype body = bytes.size() - kCrcSize;
    std::uint32_t crc = 0;
    std::memcpy(&crc, bytes.constData() + body, sizeof crc);
    if (crc != Crc32(bytes.constData(), body))
        return std::nullopt;
    qsizetype at = sizeof kMagic;
    std::uint32_t count = 0;
    if (!Take(bytes, at, count))
        return std::nullopt;
    Entry entry;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int64_t offset = 0;
        std::uint32_t length = 0;
        if (!Take(bytes, at, offset) || !Take(bytes, at, length) || offset < 0 || body - at < length)
            return std::nullopt;
        entry.extents.push_back({offset, bytes.mid(at, length)});
        at += length;
    }
    if (withUpload) {
        std::uint32_t length = 0;
        if (!Take(bytes, at, length) || length == 0 || body - at < length)
            return std::nullopt;
        entry.uploadFrame = bytes.mid(at, length);
        at += length;
    }
    if (at != body)
        return std::nullopt;
    return entry;
}

bool Commit(const FileSystem& fs, const QString& dataFileHostPath, const std::vector<FileExtent>& extents,
            const PendingUpload* upload) {
    if (extents.empty())
        return true;
    const QString journal = JournalPath(dataFileHostPath);
    const QByteArray frame = upload ? upload->frame : QByteArray();
    if (!fs.Overwrite(journal, Encode({extents, frame}), true))
        return false;
    if (!fs.WriteAt(dataFileHostPath, extents, true))
        return false; // the entry stays: start-up finishes the update
    if (upload && upload->queue)
        upload->queue();
    // Without a frame the cut is unsynced on purpose: a replay of the
    // finished entry writes the same bytes. A frame replayed after it was
    // acknowledged would be sent twice.
    return fs.Overwrite(journal, {}, !frame.isEmpty());
}

Recovery Recover(const FileSystem& fs, const QString& dataFileHostPath, QByteArray* uploadFrame) {
    const QString journal = JournalPath(dataFileHostPath);
    QByteArray bytes;
    const FileSystem::ReadStatus status = fs.ReadAll(journal, kMaxJournalBytes, bytes);
    if (status == FileSystem::ReadStatus::Missing ||
        (status == FileSystem::ReadStatus::Read && bytes.isEmpty()))
        return Recovery::Clean;
    const std::optional<Entry> entry = status == FileSystem::ReadStatus::Read ? Decode(bytes) : std::nullopt;
    if (status == FileSystem::ReadStatus::Failed)
        return Recovery::Failed;
    if (entry && !fs.WriteAt(dataFileHostPath, entry->extents, true))
        return Recovery::Failed;
    if (entry && uploadFrame)
        *uploadFrame = entry->uploadFrame;
    if (!fs.Overwrite(journal, {}, true))
        return Recovery::Failed;
    return entry ? Recovery::Replayed : Recovery::TornIgnored;
}

} // namespace DataFileJournal
