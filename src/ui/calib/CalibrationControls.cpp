#include "ui/calib/CalibrationControls.h"

#include "ui/app/ControlName.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace CalibrationControls {

namespace {
constexpr int kRowsPerHalf = 6;
} // namespace

QRect PointTableLayout::Cell(int half, int column, int row) const {
    const int left =
        halfLeft[half] + (column == 0 ? 0 : pointWidth + gap + (column - 1) * (valueWidth + gap));
    return QRect(left, top + row * rowStep, column == 0 ? pointWidth : valueWidth, rowHeight);
}

QRect PointTableLayout::PointCell(int point, int column) const {
    const int half = point < kRowsPerHalf ? 0 : 1;
    return Cell(half, column, point - half * kRowsPerHalf);
}

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& area, int controlId) {
    auto* label = new QLabel(text, parent);
    if (controlId != 0)
        label->setObjectName(ControlName(controlId));
    label->setGeometry(area);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* AddHeader(QWidget* parent, const QString& text, const QRect& area, int controlId) {
    QLabel* header = AddLabel(parent, text, area, controlId);
    QFont font = header->font();
    font.setPixelSize(14);
    header->setFont(font);
    return header;
}

QLineEdit* AddEdit(QWidget* parent, int controlId, const QRect& area) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(ControlName(controlId));
    edit->setGeometry(area);
    return edit;
}

QLineEdit* AddShownBox(QWidget* parent, int controlId, const QRect& area) {
    QLineEdit* box = AddEdit(parent, controlId, area);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text, palette.color(QPalette::Active, QPalette::Text));
    box->setPalette(palette);
    return box;
}

QRadioButton* AddRadio(QWidget* parent, int controlId, const QString& caption, const QRect& area) {
    auto* radio = new QRadioButton(caption, parent);
    radio->setObjectName(ControlName(controlId));
    radio->setGeometry(area);
    radio->setFocusPolicy(Qt::NoFocus);
    return radio;
}

QPushButton* AddButton(QWidget* parent, int controlId, const char* caption, const QRect& area) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(ControlName(controlId));
    button->setGeometry(area);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void UseDialogFont(QDialog* dialog) {
    QFont font = dialog->font();
    font.setPixelSize(18);
    dialog->setFont(font);
}

} // namespace CalibrationControls
