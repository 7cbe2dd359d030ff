#include "ui/files/CSysTime.h"
#include "support/RunStateSetup.h"

#include "core/data/CPublic.h"
#include "platform/ManualClock.h"
#include "platform/SystemTime.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QThread>
#include <QTimeEdit>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 5, 4), QTime(9, 5, 7, 250));
const QDateTime kChosen(QDate(2027, 1, 2), QTime(13, 14, 15));

// Sets the date and time pickers and answers the dialog.
void Answer(CSysTime& dialog, int buttonId, const QDateTime& chosen = kChosen) {
    dialog.findChild<QCalendarWidget*>(QString::number(CSysTime::kCalendar))->setSelectedDate(chosen.date());
    dialog.findChild<QTimeEdit*>(QString::number(CSysTime::kTimePicker))->setTime(chosen.time());
    dialog.findChild<QPushButton*>(QString::number(buttonId))->click();
}

TEST(CSysTimeTest, OpensAtTheInstrumentsTime) {
    CPublic pub;
    ManualClock clock(kNow);
    CSysTime dialog(pub, clock, [&](const QDateTime& when) { clock.Set(when); });
    EXPECT_EQ(dialog.windowTitle(), "系统时间");
    EXPECT_EQ(dialog.findChild<QCalendarWidget*>("1011")->selectedDate(), kNow.date());
    EXPECT_EQ(dialog.findChild<QTimeEdit*>("1012")->time().toString("HH:mm:ss"), "09:05:07");
}

TEST(CSysTimeTest, OkSetsTheTimeAndMarksOnlyARunningTest) {
    for (const bool running : {false, true}) {
        CPublic pub;
        SetRunning(pub, running);
        ManualClock clock(kNow);
        CSysTime dialog(pub, clock, [&](const QDateTime& when) { clock.Set(when); });
        dialog.show();
        Answer(dialog, CSysTime::kOk);

        EXPECT_EQ(pub.timeChanged, running);
        EXPECT_EQ(clock.Now(), QDateTime(kChosen.date(), QTime(13, 14, 15, 250)))
            << "the milliseconds run on";
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(CSysTimeTest, CancelChangesNothing) {
    CPublic pub;
    pub.run.Post(RunCommands::Start{});
    ManualClock clock(kNow);
    int timeSettings = 0;
    CSysTime dialog(pub, clock, [&](const QDateTime&) { ++timeSettings; });
    dialog.show();
    Answer(dialog, CSysTime::kCancel);
    EXPECT_EQ(timeSettings, 0);
    EXPECT_FALSE(pub.timeChanged);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SystemTimeTest, RefusedHostClockMovesTheInstrumentsClock) {
    SystemClock clock;
    QDateTime askedHost;
    SystemTime time(clock, true, [&](const QDateTime& when) {
        askedHost = when;
        return false;
    });
    const QDateTime wanted = QDateTime::currentDateTime().addDays(-400);
    time.SetLocalTime(wanted);
    EXPECT_EQ(askedHost, wanted);
    EXPECT_LT(std::abs(clock.Now().msecsTo(wanted)), 2000);
}

TEST(SystemTimeTest, AcceptedHostClockDropsTheOffset) {
    SystemClock clock;
    clock.SetOffsetMs(-3'600'000);
    SystemTime time(clock, true, [](const QDateTime&) { return true; });
    time.SetLocalTime(QDateTime::currentDateTime());
    EXPECT_EQ(clock.OffsetMs(), 0);
}

TEST(SystemTimeTest, AcceleratedClockRunsOnFromTheSetTimeWithoutTouchingTheHost) {
    SystemClock clock(600.0);
    bool hostAsked = false;
    SystemTime time(clock, true, [&](const QDateTime&) { return hostAsked = true; });
    const QDateTime wanted(QDate(2026, 5, 4), QTime(8, 0));
    time.SetLocalTime(wanted);
    EXPECT_FALSE(hostAsked);
    QThread::msleep(100); // a minute of clock time
    const qint64 ranMs = wanted.msecsTo(clock.Now());
    EXPECT_GE(ranMs, 55'000);
    EXPECT_LT(ranMs, 600'000) << "a busy machine may sleep longer, but not ten times longer";
}

// On a desktop or laptop the instrument does not own the machine's clock:
// the host is never asked, the instrument's clock follows the setting.
TEST(SystemTimeTest, WithoutOwningTheHostClockOnlyTheOffsetMoves) {
    SystemClock clock;
    bool hostAsked = false;
    SystemTime time(clock, false, [&](const QDateTime&) { return hostAsked = true; });
    const QDateTime wanted = QDateTime::currentDateTime().addDays(-400);
    time.SetLocalTime(wanted);
    EXPECT_FALSE(hostAsked);
    EXPECT_LT(std::abs(clock.Now().msecsTo(wanted)), 2000);
}

// A demonstration goes on where it stood: its clock stands during start-up
// and runs on, accelerated, from that time once started.
TEST(SystemClockTest, ADemonstrationClockStandsUntilStarted) {
    const QDateTime kept(QDate(2026, 5, 4), QTime(8, 30));
    SystemClock clock(600.0, kept);
    QThread::msleep(100);
    EXPECT_EQ(clock.Now(), kept) << "start-up takes none of the demonstration's time";
    clock.Start();
    QThread::msleep(100); // a minute of clock time
    const qint64 ranMs = kept.msecsTo(clock.Now());
    EXPECT_GE(ranMs, 55'000);
    EXPECT_LT(ranMs, 600'000);
}

} // namespace
