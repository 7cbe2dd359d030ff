#include "ui/panel/PanelDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

// The title bar and a centred box's frame.
const QColor kPanelBlue(31, 63, 111);

} // namespace

PanelDialog::PanelDialog(Placement placement, QSize bodySize, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_placement(placement) {
    const int frame = placement == Placement::Centred ? kFrameWidth : 0;
    const QSize size =
        placement == Placement::FullScreen
            ? kScreenSize
            : QSize(bodySize.width() + 2 * frame, kTitleBarHeight + bodySize.height() + 2 * frame);
    setFixedSize(size);

    m_titleBar = new QLabel(this);
    m_titleBar->setObjectName(QStringLiteral("panelTitle"));
    m_titleBar->setGeometry(frame, frame, size.width() - 2 * frame, kTitleBarHeight);
    m_titleBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_titleBar->setStyleSheet(
        QStringLiteral("background-color: %1; color: white; padding-left: 10px;").arg(kPanelBlue.name()));
    QFont titleFont = m_titleBar->font();
    titleFont.setPixelSize(17);
    titleFont.setBold(true);
    m_titleBar->setFont(titleFont);
    connect(this, &QWidget::windowTitleChanged, m_titleBar, &QLabel::setText);

    // A full-screen dialog centres its controls in the room under the bar.
    const QSize room(size.width() - 2 * frame, size.height() - kTitleBarHeight - 2 * frame);
    m_body = new QWidget(this);
    m_body->setObjectName(QStringLiteral("panelBody"));
    m_body->setGeometry(frame + std::max(0, (room.width() - bodySize.width()) / 2),
                        frame + kTitleBarHeight + std::max(0, (room.height() - bodySize.height()) / 2),
                        bodySize.width(), bodySize.height());
}

QRect PanelDialog::ScreenArea() const {
    if (const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        return owner->geometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    return {origin, kScreenSize};
}

void PanelDialog::showEvent(QShowEvent* event) {
    const QRect area = ScreenArea();
    if (m_placement == Placement::FullScreen)
        move(area.topLeft());
    else
        move(area.topLeft() + QPoint((area.width() - width()) / 2, (area.height() - height()) / 2));
    QDialog::showEvent(event);
}

void PanelDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (m_placement != Placement::Centred)
        return;
    QPainter painter(this);
    painter.setPen(QPen(kPanelBlue, kFrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(QRectF(rect()).adjusted(kFrameWidth / 2.0, kFrameWidth / 2.0, -kFrameWidth / 2.0,
                                             -kFrameWidth / 2.0));
}
