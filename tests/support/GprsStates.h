#pragma once

class GprsLink;

// Brings the link to `state` the way the module would: a module test frame
// answered with 3 or 4, left silent (6), or a reading frame sent and left
// unanswered for one pass (5). The link's own clock starts far ahead of any
// test's so the passes fall due.
void DriveGprsState(GprsLink& link, int state);
