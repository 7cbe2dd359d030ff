#pragma once

#include "core/data/UploadQueue.h"

#include <QByteArray>

// One line per frame for people and scripts: the 45 bytes in hex, then the
// fields by name. A data frame reads
//   aa 04 ... serial=123456 pile=0012 year=26 time=09:05 kind=reading
//   marks=- oil=12.5 max=2000 load=400 target=400 gauges=1.25,-0.5,3,0
//   coefficient=2.077 standard=58 flags=0x41 gauges-selected=0x05
// (on one line); a module test frame "... module-test serial=123456 pile=9999".
// Marks are the stage opening and the new-test reset. Numbers are rounded
// to three decimals; "?" marks three bytes that are no number.
QByteArray DescribeUploadFrame(const UploadFrame& frame);
