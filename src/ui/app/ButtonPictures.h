#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures of the main screen's buttons, drawn in code: a plain symbol
// with the button's caption, readable on a small touch screen.

// Toolbar picture of a command: its symbol above its caption.
QPixmap ToolbarPicture(int commandId, const QString& caption, QSize size);

// The mark beside the caption of a switch button under the live panel.
enum class SwitchMark { GreenLamp, RedLamp, GreyLamp, SwitchOff, SwitchOn };

QPixmap SwitchPicture(SwitchMark mark, const QString& caption, QSize size);
