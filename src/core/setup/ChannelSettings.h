#pragma once

#include "core/data/CPublic.h"

#include <QString>

#include <array>

// What the channel settings dialog shows: the captions of its eight gauge
// buttons and two test-type buttons. A leading tick is the only selection
// state, so the form is the captions themselves.
struct ChannelForm {
    std::array<QString, 8> gauges; // gauges 1-8: "位移k" or "√位移k"
    QString single;                // "√单桩" / "单桩": single-pile test, loads in kN
    QString ground;                // "地基" / "√地基": ground test, loads in kPa
};

inline constexpr const char* kNoGaugeChosenText = "请至少选中一个位移！";

// "位移k", ticked when selected; `gauge` counts from 1.
QString GaugeCaption(int gauge, bool selected);

// "新试桩" in the new-test wizard; otherwise "通道设置", the padding,
// "文件名： " and the data file's name: the last 15 characters of its path
// for a serial number of up to six digits, the last 21 for a longer one.
QString ChannelDialogCaption(const CPublic& pub);

// The form as the dialog opens. In the wizard gauges 1-4 and the
// single-pile test are chosen; otherwise the choice stored in the parameter
// column (rows 31-34 and 21-24) and `loadInKN`.
ChannelForm OpenChannelForm(const CPublic& pub);

// The test-type buttons: each click swaps the choice. Outside the wizard
// the type of the test cannot change and the clicks do nothing.
void ChooseSingle(ChannelForm& form, const CPublic& pub);
void ChooseGround(ChannelForm& form, const CPublic& pub);

// "下一步" / "确定". Stores nothing unless a test runs or the wizard is on. In
// the wizard a new test is set up first and the wizard moves on to the test
// settings; otherwise the view and the data file are marked for the next
// tick. Then the choice goes into `loadInKN`, `gaugeMask`, `gaugeOn` and the
// parameter column.
//
// Returns the message to show when the dialog is to stay open (a running
// test with no gauge); the choice is stored even then. Empty: close.
QString ConfirmChannels(CPublic& pub, const ChannelForm& form);

// "退出": ends the wizard when it is on and leaves single-dialog mode.
void LeaveChannels(CPublic& pub);
