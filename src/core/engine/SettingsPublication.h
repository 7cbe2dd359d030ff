#pragma once

struct CPublic;

// Hands the controller worker a copy of the settings it works with: the
// load-control and frame settings, and everything the reply conversion
// reads (zeros, offsets and directions together). Settings that could not
// convert take their defaults here, written back so that the dialogs show
// what is used. The GPRS link learns whether uploading is on.
// User-interface thread; the main window calls it every
// second and whatever changes zeros or conversion settings calls it at once.
void PublishSettings(CPublic& pub);
