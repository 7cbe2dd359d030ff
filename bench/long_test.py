#!/usr/bin/env python3
"""Stretches a simulated data file to N readings for timing the report.

usage: bench/long_test.py SOURCE.kvt N OUT.kvt

Keeps the parameter column of SOURCE (rows 0-73) and writes N readings into
the reading column: levels of 25 readings, each opened by "--:--", the
settlement growing by level. Rows past the last reading are templates.
"""
import struct
import sys

ROW = 267


def template():
    row = bytearray(ROW)
    row[0:5] = b"11111"
    row[65:70] = b"99999"
    row[170:175] = b"11111"
    return row


def main():
    source, count, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    data = open(source, "rb").read()
    rows = [bytearray(data[i:i + ROW]) for i in range(0, len(data) - ROW + 1, ROW)][:74]
    while len(rows) < count + 1:
        rows.append(template())
    for i in range(count):
        level, step = divmod(i, 25)
        load = 100 * (level + 1)
        clock = b"--:--" if step == 0 else b"%02d:%02d" % ((8 + i // 60) % 24, i % 60)
        mm = 0.4 * level + 0.01 * step
        row = rows[i]
        row[0:5] = clock
        row[5:9] = struct.pack("<i", load)
        row[9:41] = struct.pack("<8f", *([mm] * 4 + [0.0] * 4))
        row[175:179] = struct.pack("<i", load)
    rows[count][0:5] = b"11111"
    rows[count][170:175] = b"11111"
    open(out, "wb").write(b"".join(bytes(r) for r in rows))


if __name__ == "__main__":
    main()
