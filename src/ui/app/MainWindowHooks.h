#pragma once

#include <functional>

// Where the subsystems around the main window plug into its start-up and its
// one-second timer. Each may be left empty; the main window calls them in
// its fixed order.
struct MainWindowHooks {
    std::function<void()> openLinks;            // start-up, last step: controller and GPRS links
    std::function<void()> scheduleTick;         // tick step 3: the test schedule
    std::function<void()> queueLiveRecord;      // tick step 5, once a minute while uploading live
    std::function<void()> newTestReset;         // tick step 7: a pending new-test reset
    std::function<void()> openSystemTimeDialog; // double tap on the clock
};
