#pragma once

#include "support/ScriptedPrompter.h"
#include "ui/setup/NumericKeypad.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <gtest/gtest.h>

// Drives a calibration dialog as the operator does: through its keypad and
// buttons. Controls are looked up on the dialog itself first, since the
// keypad's keys carry identifiers that the calibration dialogs' buttons
// reuse; the test settings keep theirs in group boxes.
namespace CalibrationDialogDriver {

template <typename T = QLineEdit> T* Control(const QDialog& dialog, int id) {
    auto* control = dialog.findChild<T*>(QString::number(id), Qt::FindDirectChildrenOnly);
    if (!control)
        control = dialog.findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

inline QString Text(const QDialog& dialog, int id) {
    return Control(dialog, id)->text();
}

inline void Click(const QDialog& dialog, int id) {
    auto* button = Control<QPushButton>(dialog, id);
    ASSERT_TRUE(button->isEnabled()) << id;
    button->click();
}

inline void Choose(const QDialog& dialog, int id) {
    Control<QRadioButton>(dialog, id)->click();
}

// Touches the box, clears it and types `keys` on the keypad.
inline void Type(const QDialog& dialog, int boxId, const QString& keys) {
    auto* keypad = dialog.findChild<NumericKeypad*>();
    keypad->FocusOn(Control(dialog, boxId));
    keypad->Press(QStringLiteral("清除"));
    for (const QChar key : keys)
        keypad->Press(QString(key));
}

inline QStringList Messages(const ScriptedPrompter& prompter) {
    QStringList texts;
    for (const ScriptedPrompter::Shown& shown : prompter.ShownPrompts())
        texts << shown.text;
    return texts;
}

// The text of the last box shown; empty when none was.
inline QString LastMessage(const ScriptedPrompter& prompter) {
    return prompter.ShownPrompts().empty() ? QString() : prompter.ShownPrompts().back().text;
}

} // namespace CalibrationDialogDriver
