#include "ui/panel/ReadableWhenDisabled.h"

#include <QPalette>
#include <QWidget>

void ReadableWhenDisabled(QWidget* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0, 0, 0));
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(232, 232, 232));
    box->setPalette(palette);
}
