#pragma once

#include "core/data/UploadQueue.h"

#include <QDateTime>

#include <cstdint>

struct CPublic;
struct LiveSample;

// The frames a running test queues for the GPRS link, built from the test's
// texts (serial and pile number, coefficient, chosen gauges), its settings
// and one live sample. The time is the instrument's local time.
struct ReadingMarks {
    bool stageOpening = false; // the reading opens a stage
    bool targetLoad = false;   // the 0-minute reading: the load bytes carry the target
};
UploadFrame ReadingUploadFrame(const CPublic& pub, const QDateTime& now, std::int32_t load,
                               const LiveSample& live, ReadingMarks marks);
UploadFrame LiveUploadFrame(const CPublic& pub, const QDateTime& now, const LiveSample& live);

// The reading step's part: unless uploading is off, the first reading of a
// test empties the queue, and the reading's frame is queued and saved.
bool ReadingUploadsOff(const CPublic& pub);
void QueueReadingFrame(CPublic& pub, int readingRow, const UploadFrame& frame);

// Start-up: the frame of a reading whose update was finished from the data
// file's journal is queued, unless it already is (the cut came after the
// queue was saved) or uploading is off.
void RequeueRecoveredReadingFrame(CPublic& pub, const QByteArray& frame);

// The main window's once-a-minute frame (while a test runs with both upload
// switches on); the upload flags of the last reading are cleared first.
void QueueLiveFrame(CPublic& pub, const QDateTime& now);
