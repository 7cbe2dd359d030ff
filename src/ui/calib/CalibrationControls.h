#pragma once

#include "ui/setup/NumericKeypad.h"

#include <QRect>
#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of the calibration dialogs, each named by its identifier and
// placed directly on the dialog (the keypad's keys carry ids of their own).
namespace CalibrationControls {

// The point tables: points 0-5 in the left half, 6-10 in the right, each
// row a point number and value columns; row -1 holds the headers.
struct PointTableLayout {
    int top;
    int rowStep;
    int rowHeight;
    int halfLeft[2];
    int pointWidth;
    int valueWidth;
    int gap;

    QRect Cell(int half, int column, int row) const;
    // Column 0 is the point number, 1.. its values.
    QRect PointCell(int point, int column) const;
};

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& area, int controlId = 0);
// A column header of a point table, in a smaller font so that "实测油压MPa"
// fits its column.
QLabel* AddHeader(QWidget* parent, const QString& text, const QRect& area, int controlId = 0);
QLineEdit* AddEdit(QWidget* parent, int controlId, const QRect& area);
// A box that only shows a value; its text stays dark when disabled.
QLineEdit* AddShownBox(QWidget* parent, int controlId, const QRect& area);
QRadioButton* AddRadio(QWidget* parent, int controlId, const QString& caption, const QRect& area);
QPushButton* AddButton(QWidget* parent, int controlId, const char* caption, const QRect& area);
// A text of the dialogs' own, kept as UTF-8.
inline QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A point count of one or two digits.
inline const KeypadField kCountField{.allowsPoint = false, .maxLength = 2};

// The dialogs' font: the panel is read at arm's length.
void UseDialogFont(QDialog* dialog);

} // namespace CalibrationControls
