#pragma once

class QWidget;

// A box that shows a fixed value (a preset the operator cannot change) keeps
// dark text on a pale ground when disabled: the panel's light-grey-on-grey
// disabled look cannot be read in daylight.
void ReadableWhenDisabled(QWidget* box);
