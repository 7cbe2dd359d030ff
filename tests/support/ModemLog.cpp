#include "support/ModemLog.h"

#include <QFile>

#include <cstring>

std::vector<ModemLogLine> ReadModemLog(const QString& path) {
    QFile file(path);
    std::vector<ModemLogLine> lines;
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    static const QByteArray kAnswer = QByteArrayLiteral("  answer=");
    // The last line may still be on its way: only lines with their end count.
    const QByteArray text = file.readAll();
    for (const QByteArray& line : text.left(text.lastIndexOf('\n') + 1).split('\n')) {
        const qsizetype answerAt = line.lastIndexOf(kAnswer);
        if (answerAt < 0)
            continue;
        ModemLogLine entry;
        entry.description = line.left(answerAt);
        const QByteArray bytes = QByteArray::fromHex(line.left(3 * kUploadFrameSize - 1));
        if (bytes.size() == static_cast<qsizetype>(kUploadFrameSize))
            std::memcpy(entry.frame.data(), bytes.constData(), kUploadFrameSize);
        const QByteArray answer = line.mid(answerAt + kAnswer.size());
        bool isNumber = false;
        const int byte = answer.toInt(&isNumber, 16);
        if (isNumber)
            entry.answer = static_cast<std::uint8_t>(byte);
        lines.push_back(entry);
    }
    return lines;
}
