#pragma once

#include "core/data/UploadQueue.h"

#include <QtGlobal>

#include <functional>

// Writes one frame to the module: `write` returns the bytes it took (fewer
// than offered on a partial write, below 0 on failure). After a partial
// write it waits 50 ms (`pause`) and writes the rest, three writes at most.
// True when all 45 bytes went out; the frame stays queued either way.
using WriteBytes = std::function<qint64(const std::uint8_t* data, qint64 size)>;
using PauseMs = std::function<void(int ms)>;
bool SendHeadFrame(const UploadFrame& frame, const WriteBytes& write, const PauseMs& pause);
