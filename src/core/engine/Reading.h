#pragma once

#include <QDateTime>

class KVTFile;
struct CPublic;
struct LiveSample;

// Records one reading of the running test at `now` from the values of one
// controller reply: the row of the reading
// and its second copy with the remark, the run-state texts, both written to
// the data file; then the counts advance, the settlement rows are derived
// again and, while a stage is held, its stability is judged.
//
// The remark tells what happened since the last reading ("表1 2 3 4" gauges
// adjusted, "时间" clock set, "中断" test restarted, " 手动" asked for by the
// operator; "通讯故障" alone when the controller was silent and `live`
// carries no values: its gauges are then stored as NaN at the stage load);
// `uploadFlags` carries the same as bits for the reading's upload frame,
// which is queued for the GPRS link unless uploading is off.
void TakeReading(CPublic& pub, const KVTFile& files, const QDateTime& now, const LiveSample& live);
