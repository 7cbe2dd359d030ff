#include "platform/Sound.h"

#include "platform/DeviceFolders.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>
#include <numbers>

namespace {

const QString kBeepFile = DevicePath::kAppFolder + QStringLiteral("BEEP.WAV");
constexpr int kBeepHz = 2000;
constexpr int kBeepMs = 150;

void AppendLe32(QByteArray& bytes, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void AppendLe16(QByteArray& bytes, quint16 value) {
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

} // namespace

QByteArray ToneWav(int frequencyHz, int durationMs, int sampleRate) {
    const int samples = sampleRate * durationMs / 1000;
    const quint32 dataBytes = static_cast<quint32>(samples) * 2;
    QByteArray wav("RIFF");
    AppendLe32(wav, 36 + dataBytes);
    wav.append("WAVEfmt ");
    AppendLe32(wav, 16);                                   // format chunk size
    AppendLe16(wav, 1);                                    // PCM
    AppendLe16(wav, 1);                                    // mono
    AppendLe32(wav, static_cast<quint32>(sampleRate));     // samples per second
    AppendLe32(wav, static_cast<quint32>(sampleRate) * 2); // bytes per second
    AppendLe16(wav, 2);                                    // bytes per frame
    AppendLe16(wav, 16);                                   // bits per sample
    wav.append("data");
    AppendLe32(wav, dataBytes);
    constexpr double kAmplitude = 12000.0;
    for (int i = 0; i < samples; ++i) {
        const double phase = 2.0 * std::numbers::pi * frequencyHz * i / sampleRate;
        AppendLe16(wav, static_cast<quint16>(static_cast<qint16>(std::lround(kAmplitude * std::sin(phase)))));
    }
    return wav;
}

Sound::Sound(const DeviceFolders& folders) : m_beepPath(folders.HostPath(kBeepFile)) {}

void Sound::ProvideDefaultBeep() const {
    if (QFile::exists(m_beepPath))
        return;
    QFile file(m_beepPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(ToneWav(kBeepHz, kBeepMs));
}

void Sound::PlayBeep() const {
    const QString player = QStandardPaths::findExecutable(QStringLiteral("aplay"));
    if (player.isEmpty() || !QFile::exists(m_beepPath))
        return;
    QProcess::startDetached(player, {QStringLiteral("-q"), m_beepPath});
}
