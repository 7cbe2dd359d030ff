#pragma once

#include <QString>

class DeviceFolders;

// The beep of a reading: the device folder's BEEP.WAV, played without
// waiting for it. Where the host has no player the beep is silent.
class Sound {
  public:
    explicit Sound(const DeviceFolders& folders);

    // Writes a short default tone when the folder has no BEEP.WAV yet.
    void ProvideDefaultBeep() const;
    void PlayBeep() const;

  private:
    QString m_beepPath; // host path
};

// A mono 16-bit PCM WAV file of a sine tone.
QByteArray ToneWav(int frequencyHz, int durationMs, int sampleRate = 8000);
