#include "ui/app/ButtonPictures.h"

#include "ui/app/ToolbarCommands.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

const QColor kInk(28, 64, 128);
const QColor kFill(214, 230, 250);
const QColor kAccent(230, 120, 20);

QFont CaptionFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QPixmap TransparentPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// --- toolbar symbols, drawn in a 28 x 28 box at the origin ------------------

void DrawNewPile(QPainter& p) {
    p.drawLine(2, 18, 26, 18); // ground
    p.drawRect(10, 4, 8, 22);  // the pile
    p.setPen(QPen(kAccent, 3));
    p.drawLine(20, 6, 28, 6);
    p.drawLine(24, 2, 24, 10);
}

void DrawFolder(QPainter& p) {
    QPainterPath path;
    path.moveTo(2, 6);
    path.lineTo(11, 6);
    path.lineTo(14, 9);
    path.lineTo(26, 9);
    path.lineTo(26, 24);
    path.lineTo(2, 24);
    path.closeSubpath();
    p.drawPath(path);
    p.drawLine(2, 13, 26, 13);
}

void DrawChannels(QPainter& p) {
    for (int row = 0; row < 3; ++row) {
        const int y = 6 + row * 8;
        p.drawLine(2, y, 26, y);
        const int knob = 6 + ((row * 9) % 16);
        p.drawEllipse(QPoint(knob, y), 3, 3);
    }
}

void DrawGear(QPainter& p) {
    const QPointF centre(14, 14);
    QPainterPath teeth;
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        teeth.moveTo(centre + direction * 8);
        teeth.lineTo(centre + direction * 13);
    }
    p.drawEllipse(centre, 9, 9);
    p.save();
    p.setPen(QPen(kInk, 4));
    p.drawPath(teeth);
    p.restore();
    p.setBrush(Qt::white);
    p.drawEllipse(centre, 3.5, 3.5);
}

void DrawJackLoad(QPainter& p) {
    p.drawRect(4, 20, 20, 6); // cylinder foot
    p.drawRect(8, 12, 12, 8); // ram
    p.setPen(QPen(kAccent, 3));
    p.drawLine(14, 1, 14, 9);
    p.drawLine(10, 5, 14, 9);
    p.drawLine(18, 5, 14, 9);
}

void DrawBook(QPainter& p) {
    p.drawRect(4, 3, 20, 23);
    p.drawLine(8, 3, 8, 26);
    for (int y : {9, 14, 19})
        p.drawLine(11, y, 21, y);
}

void DrawPlay(QPainter& p) {
    p.drawEllipse(QPoint(14, 14), 12, 12);
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(11, 8), QPoint(21, 14), QPoint(11, 20)}));
}

void DrawZeroDial(QPainter& p) {
    p.drawPie(QRect(2, 4, 24, 24), 0, 180 * 16);
    p.setPen(QPen(kAccent, 2.5));
    p.drawLine(14, 16, 6, 11);
    p.setPen(QPen(kInk, 1.5));
    p.setFont(CaptionFont(9, true));
    p.drawText(QRect(0, 18, 28, 10), Qt::AlignCenter, QStringLiteral("0"));
}

void DrawTable(QPainter& p) {
    p.drawRect(2, 4, 24, 20);
    p.drawLine(2, 10, 26, 10);
    p.drawLine(2, 17, 26, 17);
    p.drawLine(10, 4, 10, 24);
    p.drawLine(18, 4, 18, 24);
}

void DrawCurve(QPainter& p) {
    p.drawLine(3, 2, 3, 26);
    p.drawLine(3, 26, 27, 26);
    QPainterPath curve;
    curve.moveTo(3, 4);
    curve.cubicTo(12, 5, 16, 10, 25, 22);
    p.setPen(QPen(kAccent, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

void DrawCalibrationJack(QPainter& p) {
    p.drawRect(3, 8, 12, 18);
    p.drawRect(6, 2, 6, 6);
    for (int y = 6; y <= 24; y += 6)
        p.drawLine(19, y, 26, y);
    p.drawLine(19, 3, 19, 26);
}

void DrawCrosshair(QPainter& p) {
    p.drawEllipse(QPoint(14, 14), 11, 11);
    p.drawEllipse(QPoint(14, 14), 5, 5);
    p.drawLine(14, 0, 14, 28);
    p.drawLine(0, 14, 28, 14);
}

void DrawUsbExport(QPainter& p) {
    p.drawRect(3, 10, 14, 16);
    p.drawRect(6, 4, 8, 6);
    p.setPen(QPen(kAccent, 3));
    p.drawLine(17, 16, 27, 16);
    p.drawLine(23, 12, 27, 16);
    p.drawLine(23, 20, 27, 16);
}

void DrawUpgrade(QPainter& p) {
    p.drawEllipse(QPoint(14, 14), 12, 12);
    p.setPen(QPen(kAccent, 3));
    p.drawLine(14, 21, 14, 8);
    p.drawLine(9, 13, 14, 8);
    p.drawLine(19, 13, 14, 8);
}

void DrawCommandSymbol(QPainter& p, int commandId) {
    switch (commandId) {
    case CommandId::newTest:
        return DrawNewPile(p);
    case CommandId::openFile:
        return DrawFolder(p);
    case CommandId::channelSettings:
        return DrawChannels(p);
    case CommandId::testSettings:
        return DrawGear(p);
    case CommandId::loadControlSettings:
        return DrawJackLoad(p);
    case CommandId::standardSelection:
        return DrawBook(p);
    case CommandId::testControl:
        return DrawPlay(p);
    case CommandId::zeroSettings:
        return DrawZeroDial(p);
    case CommandId::nextTable:
        return DrawTable(p);
    case CommandId::nextCurve:
        return DrawCurve(p);
    case CommandId::jackCalibration:
        return DrawCalibrationJack(p);
    case CommandId::systemCalibration:
        return DrawCrosshair(p);
    case CommandId::exportData:
        return DrawUsbExport(p);
    case CommandId::softwareUpgrade:
        return DrawUpgrade(p);
    }
}

// --- switch marks, drawn in a box of the picture's height --------------------

void DrawLamp(QPainter& p, const QRectF& box, const QColor& colour) {
    const QPointF centre = box.center();
    const double radius = box.height() * 0.36;
    QRadialGradient glow(centre - QPointF(radius / 3, radius / 3), radius * 1.4);
    glow.setColorAt(0, colour.lighter(170));
    glow.setColorAt(0.5, colour);
    glow.setColorAt(1, colour.darker(150));
    p.setBrush(glow);
    p.setPen(QPen(colour.darker(200), 1.5));
    p.drawEllipse(centre, radius, radius);
}

void DrawToggle(QPainter& p, const QRectF& box, bool on) {
    const double height = box.height() * 0.44;
    const QRectF track(box.left(), box.center().y() - height / 2, box.width(), height);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(on ? QColor(40, 120, 220) : QColor(190, 190, 190));
    p.drawRoundedRect(track, height / 2, height / 2);
    const double knob = height * 0.8;
    const double x = on ? track.right() - height / 2 : track.left() + height / 2;
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(x, track.center().y()), knob / 2, knob / 2);
}

} // namespace

QPixmap ToolbarPicture(int commandId, const QString& caption, QSize size) {
    QPixmap pixmap = TransparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    constexpr int kCaptionHeight = 13;
    const int symbolTop = (size.height() - kCaptionHeight - 28) / 2;
    p.save();
    p.translate((size.width() - 28) / 2.0, symbolTop);
    p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kFill);
    DrawCommandSymbol(p, commandId);
    p.restore();
    p.setPen(Qt::black);
    p.setFont(CaptionFont(11, false));
    p.drawText(QRect(0, size.height() - kCaptionHeight, size.width(), kCaptionHeight), Qt::AlignCenter,
               caption);
    return pixmap;
}

QPixmap SwitchPicture(SwitchMark mark, const QString& caption, QSize size) {
    QPixmap pixmap = TransparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double markWidth = mark == SwitchMark::SwitchOff || mark == SwitchMark::SwitchOn
                                 ? size.height() * 0.9
                                 : size.height() * 0.8;
    const QRectF markBox(4, 0, markWidth, size.height());
    switch (mark) {
    case SwitchMark::GreenLamp:
        DrawLamp(p, markBox, QColor(30, 190, 60));
        break;
    case SwitchMark::RedLamp:
        DrawLamp(p, markBox, QColor(225, 30, 30));
        break;
    case SwitchMark::GreyLamp:
        DrawLamp(p, markBox, QColor(150, 150, 150));
        break;
    case SwitchMark::SwitchOff:
        DrawToggle(p, markBox, false);
        break;
    case SwitchMark::SwitchOn:
        DrawToggle(p, markBox, true);
        break;
    }
    p.setPen(mark == SwitchMark::GreyLamp ? QColor(130, 130, 130) : QColor(Qt::black));
    p.setFont(CaptionFont(15, true));
    const QRectF textBox(markBox.right() + 4, 0, size.width() - markBox.right() - 6, size.height());
    p.drawText(textBox, Qt::AlignCenter, caption);
    return pixmap;
}
