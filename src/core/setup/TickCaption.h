#pragma once

#include <QString>

// The channel and zero settings keep the state of their toggle buttons in
// the captions themselves: a caption starting with the tick is selected.
inline const QString kTick = QStringLiteral("√");

bool IsTicked(const QString& caption);

// Adds the leading tick, or takes it away when present ("位移1" <-> "√位移1",
// "" <-> "√").
QString ToggleTick(const QString& caption);
