#pragma once

#include "core/data/CPublic.h"

#include <QString>

#include <array>

// What the standard selection dialog shows: the checked standard, its 16
// criteria boxes and the bearing-capacity box. The dialog keeps one form,
// fills it with the functions below and hands it to ConfirmStandardForm.

struct CriteriaBoxes {
    QString holdMinutes;                    // 1061 "维荷时间(分)"
    QString stableCheckMinutes;             // 1012 "判稳时间(分)"
    QString stableCheckCount;               // 1011 "判稳次数(次)"
    QString stableSettlement;               // 1013 "稳定沉降(mm)"
    std::array<QString, 6> loadIntervals;   // 1001-1006 "加载定时(分)"
    std::array<QString, 6> unloadIntervals; // 1007, 1008, 1009, 1014, 1015, 1024 "卸载定时(分)"

    // The boxes in the order the confirmation checks them.
    std::array<const QString*, 16> InCheckOrder() const;

    bool operator==(const CriteriaBoxes&) const = default;
};

struct StandardForm {
    int code = 0; // code of the checked radio button
    CriteriaBoxes boxes;
    QString bearingCapacity; // 1027, shown for the bearing-capacity standard only
};

// The dialog caption: "规范选择", the padding and "文件名： ", then the data
// file's name: the last 15 characters of its path for a six-digit serial
// number, the last 21 for a longer one.
QString StandardDialogCaption(const CPublic& pub);

// Label 1026 for the unit of the test.
QString BearingCapacityLabel(bool loadInKN);

// The standard code the data file's parameter column holds. A text that is
// no number is repaired to "0" in the row, and 0 is returned.
int ReadStoredStandardCode(CPublic& pub);

// The form as the dialog opens: the stored code (also set in
// pub.standardCode), the boxes as stored in the parameter column, replaced by
// the presets of a preset standard; outside the wizard the bearing-capacity
// standard shows the stable settlement its capacity calls for at the current
// target load.
StandardForm OpenStandardForm(CPublic& pub, const ParameterList& list);

// A radio button was clicked: `code` becomes checked and the boxes show its
// presets, or for the user-input choice the values of the parameter list.
// The bearing-capacity standard also fills box 1027.
void ApplyPreset(StandardForm& form, int code, const CPublic& pub, const ParameterList& list);
