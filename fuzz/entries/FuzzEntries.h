#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// What the fuzz targets and the regression test feed their inputs through.
// Each entry runs the program's own reader on the bytes and everything that
// follows from them on the screen; it aborts on a broken rule the input must
// not be able to break (a value that is not finite shown as a number).
using FuzzEntry = void (*)(const std::uint8_t* data, std::size_t size);

struct FuzzTarget {
    std::string_view name; // also the folder of its seeds and regression cases
    FuzzEntry entry;
};

// Controller bytes: the input is cut into reads (a byte below 0x20 in front of
// each read gives its length), bursts end at every read whose first byte is
// odd; whole replies go through the conversion (settings taken from the last
// bytes) and the live panel.
void FuzzControllerReplies(const std::uint8_t* data, std::size_t size);
// A data file as the main screen opens it: rows, restored parameters,
// settlement rows, level summary, every table and every curve.
void FuzzDataFile(const std::uint8_t* data, std::size_t size);
void FuzzSettingsFile(const std::uint8_t* data, std::size_t size);
void FuzzUploadQueueFile(const std::uint8_t* data, std::size_t size);
void FuzzJackTableFile(const std::uint8_t* data, std::size_t size);
void FuzzSystemCalibrationFile(const std::uint8_t* data, std::size_t size);

// The GPRS link's life as a script of two-byte events (append a reading
// frame, start a module test, a sender pass some seconds later, an answer
// byte from the module, uploading off or on, saves failing or not). It aborts
// when a reading frame leaves the queue other than by an answer, a frame
// written is not the queue's head, or the state is one the screen cannot show.
void FuzzGprsAnswers(const std::uint8_t* data, std::size_t size);

const std::vector<FuzzTarget>& FuzzTargets();
