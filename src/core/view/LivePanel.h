#pragma once

#include "core/data/CPublic.h"

#include <QString>

#include <array>
#include <optional>

// Which picture each of the three switch places at the right of the live
// panel shows.
struct SwitchPictures {
    enum class Manual { Unavailable, Off, On }; // 1055 grey, 1045 red, 1054 green

    bool pumpProhibited; // 1052 "油泵禁止" instead of 1044 "油泵允许"
    bool loadAllowed;    // 1046 "允许控载" instead of 1053 "禁止控载"
    Manual manual;

    bool operator==(const SwitchPictures&) const = default;
};

SwitchPictures SwitchPicturesFor(const RunState& run, bool manualLoadAllowed);

// What the live panel under the table shows after a controller reply. Empty
// texts clear their field.
struct LivePanelView {
    QString messageLine;               // 1043: the alarm and message line, or the refused calibration table
    std::array<QString, 8> gaugeTexts; // 1025-1028, 1030-1033: corrected gauges 1-8
    QString averageText;               // 1029 "位移平均"
    QString targetLoadText;            // 1035 "控制荷载"
    QString currentLoadText;           // 1036 "当前荷载"
    QString oilPressureText;           // 1038 "当前油压"
    SwitchPictures switches{};         // 1044/1052, 1053/1046, 1045/1054/1055
    int progressPosition = 0;          // 1019 "油泵流量": the pump speed command
    // 1037 "控载状态" and 1034 "下次采集"; empty optionals leave the fields as
    // they are (control states outside 0-8).
    std::optional<QString> statusWord;
    std::optional<QString> nextReadingField;
};

// The live panel for the current state: the settings and texts of `pub`,
// one view of the run state and one live sample. Runs on the user-interface thread:
// it reads the message line and the next-reading text, which that thread
// owns. clockText is the text of the clock field 1023, shown as the next
// reading while the test waits.
LivePanelView RefreshLivePanel(const CPublic& pub, const RunState& run, const LiveSample& live,
                               bool manualLoadAllowed, const QString& clockText);
