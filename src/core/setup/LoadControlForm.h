#pragma once

#include "core/data/CPublic.h"

#include <QString>

// What the load-control settings dialog shows: its boxes as typed and the
// choice of how stages advance. The dialog keeps one form, fills it with
// OpenLoadControlForm and hands it to ConfirmLoadControlForm.

enum class StageAdvance { Automatic, Manual }; // radios 1048 "自动" / 1049 "手动"

struct LoadControlForm {
    QString calibrationCoefficient; // 1010, shown only
    QString targetLoad;             // 1011
    QString holdBand;               // 1012
    QString stageStep;              // 1013
    QString maxLoad;                // 1014
    QString plateArea;              // 1015, ground tests only
    StageAdvance stageAdvance = StageAdvance::Automatic;
    QString maxSettlement;       // 1050
    QString maxUnevenSettlement; // 1005
    QString loadProtectSeconds;  // 1006
    QString gaugeRangeAlarm;     // 1007
    QString anchorUpliftAlarm;   // 1008
    QString loadPulseTicks;      // 1009
    QString unloadPulseTicks;    // 1004

    bool operator==(const LoadControlForm&) const = default;
};

// Captions of the four load boxes in the unit of the test.
struct LoadLabels {
    QString targetLoad; // 1066
    QString holdBand;   // 1067
    QString stageStep;  // 1068
    QString maxLoad;    // 1069
};
LoadLabels LoadControlLabels(bool loadInKN);

// How box 1015 and its label 1070 appear: only a ground test has a plate
// area, only the wizard may change it, and a dialog that cannot store
// (alone, no test) leaves it out.
struct PlateAreaState {
    bool visible = false;
    bool enabled = false;
};
PlateAreaState PlateAreaStateOf(const CPublic& pub);

// True when "确定" / "下一步" checks and stores: in the wizard or while a
// test runs. Otherwise the dialog only closes.
bool LoadControlStores(const CPublic& pub);

// "控载设置", the padding and "文件名： ", then the data file's name: the last
// 15 characters of its path for a serial number of up to six digits, the
// last 21 for a longer one.
QString LoadControlCaption(const CPublic& pub, const ParameterList& list);

// The form as the dialog opens. Alone with a test running or paused: from
// the parameter column of the record list (a row 30 that is no number is
// repaired to "1" there). Otherwise (the wizard, or alone before a test, so
// that the operator sees what the next test starts from): from the settings
// list, the control load from `controlLoadText`.
LoadControlForm OpenLoadControlForm(CPublic& pub, const ParameterList& list, const QString& controlLoadText);
