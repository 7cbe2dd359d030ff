#pragma once

#include "core/data/CPublic.h"

#include <QString>

#include <array>
#include <optional>

// Mean corrected value of the enabled gauges among 1-4, unrounded; empty
// when none of them is enabled. Gauges 5-8 (anchor piles) never count.
std::optional<float> LiveAverageOf(const CPublic& pub);

// Stores LiveAverageOf (0 when no gauge counts) into pub.liveAverage. The
// controller reader calls it at the end of every reply; nothing else writes
// liveAverage.
void UpdateLiveAverage(CPublic& pub);

// What the live panel under the table shows after a controller reply. Empty
// texts clear their field.
struct LivePanelView {
    QString messageLine;                  // 1043: the alarm and message line
    std::array<QString, 8> gaugeTexts;    // 1025-1028, 1030-1033: corrected gauges 1-8
    QString averageText;                  // 1029 "位移平均"
    QString targetLoadText;               // 1035 "控制荷载"
    QString currentLoadText;              // 1036 "当前荷载"
    QString oilPressureText;              // 1038 "当前油压"
    bool pumpAllowedVisible = false;      // 1044 "油泵允许"
    bool pumpProhibitedVisible = false;   // 1052 "油泵禁止"
    bool manualLoadOffVisible = false;    // 1045 "手动控载", red: switches manual loading on
    bool manualLoadOnVisible = false;     // 1054 "手动控载", green: switches it off
    bool manualLoadLockedVisible = false; // 1055 "手动控载", grey: manual loading not allowed
    int progressPosition = 0;             // 1019 "油泵流量": the pump speed command
    // 1037 "控载状态" and 1034 "下次采集"; empty optionals leave the fields as
    // they are (control states outside 0-8).
    std::optional<QString> statusWord;
    std::optional<QString> nextReadingField;
};

// The live panel for the current state. Runs on the user-interface thread:
// it reads the message line and the next-reading text, which that thread
// owns. clockText is the text of the clock field 1023, shown as the next
// reading while the test waits.
LivePanelView RefreshLivePanel(const CPublic& pub, bool manualLoadAllowed, const QString& clockText);
