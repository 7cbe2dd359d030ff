#include "ui/files/CSysTime.h"

#include "core/data/CPublic.h"
#include "platform/Clock.h"
#include "ui/app/ControlName.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

CSysTime::CSysTime(CPublic& pub, const Clock& clock, DeviceTimeSetter setDeviceTime, QWidget* parent)
    : PanelDialog(Placement::Centred, QSize(440, 380), parent), m_pub(pub), m_clock(clock),
      m_setDeviceTime(std::move(setDeviceTime)) {
    setWindowTitle(QStringLiteral("系统时间"));
    QFont dialogFont = font();
    dialogFont.setPixelSize(16);
    setFont(dialogFont);
    const QDateTime now = m_clock.Now();

    m_calendar = new QCalendarWidget(Body());
    m_calendar->setObjectName(ControlName(kCalendar));
    m_calendar->setGeometry(10, 10, 420, 250);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setSelectedDate(now.date());

    auto* label = new QLabel(QStringLiteral("当前时间"), Body());
    label->setGeometry(10, 272, 100, 40);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_timePicker = new QTimeEdit(now.time(), Body());
    m_timePicker->setObjectName(ControlName(kTimePicker));
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_timePicker->setGeometry(120, 272, 160, 40);

    auto* ok = new QPushButton(QStringLiteral("确定"), Body());
    ok->setObjectName(ControlName(kOk));
    ok->setGeometry(80, 324, 120, 46);
    connect(ok, &QPushButton::clicked, this, &CSysTime::OnOk);
    auto* cancel = new QPushButton(QStringLiteral("取消"), Body());
    cancel->setObjectName(ControlName(kCancel));
    cancel->setGeometry(240, 324, 120, 46);
    connect(cancel, &QPushButton::clicked, this, &CSysTime::reject);
}

void CSysTime::OnOk() {
    if (m_pub.run.View().running)
        m_pub.timeChanged = true;
    // Date, hour, minute and second are the operator's; the milliseconds
    // run on from the current time.
    const QTime chosen = m_timePicker->time();
    const QTime time(chosen.hour(), chosen.minute(), chosen.second(), m_clock.Now().time().msec());
    m_setDeviceTime(QDateTime(m_calendar->selectedDate(), time));
    accept();
}
