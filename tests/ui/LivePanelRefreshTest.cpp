#include "MainWindowFixture.h"

#include "support/ReplyFeed.h"
#include "support/RunStateSetup.h"
#include "ui/app/ControlIds.h"

#include <QLabel>
#include <QProgressBar>

namespace {

QString FieldText(QWidget* field) {
    auto* label = qobject_cast<QLabel*>(field);
    return label ? label->text() : QStringLiteral("<not a label>");
}

TEST_F(MainWindowTest, AReplyShowsTheLiveValuesInTheirFields) {
    const auto window = Open();
    pub.gaugeOn[1] = 0; // gauge 2 off: its field is emptied, the average leaves it out
    pub.pressureSensor = 1;
    EnterRunState(pub, ControlState::Reloading, 1200.5f);
    // Gauges 1.23, 2.00 and 3.00 mm; 2467 counts: 1187.8 kN and 77.21 MPa (K 2.077, 80 MPa, 2.13 mV/V).
    ASSERT_TRUE(FeedReply(pub, {124, 0, 202, 302, 0, 0, 0, 0}, 2467));
    pub.run.Cycle(); // re-loading: speed 1200.5 - 1187.8 + 10
    pub.nextReadingText = QStringLiteral("10:30:00");
    pub.alarmText = QStringLiteral("加不上压,请检查现场!");

    window->RefreshLivePanel();

    const struct {
        int id;
        const char* text;
    } fields[] = {
        {ControlId::gaugeFirst, "1.23"},      {ControlId::gaugeFirst + 1, ""},
        {ControlId::gaugeFirst + 2, "2.00"},  {ControlId::gaugeFirst + 3, "3.00"},
        {ControlId::gaugeFifth, ""},          {ControlId::gaugeAverage, "2.08"},
        {ControlId::controlLoad, "1200.5"},   {ControlId::currentLoad, "1188"},
        {ControlId::oilPressure, "77.21"},    {ControlId::controlStatus, "补载中"},
        {ControlId::nextReading, "10:30:00"}, {ControlId::messageLine, "加不上压,请检查现场!"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(FieldText(Control(*window, f.id)), QString::fromUtf8(f.text)) << "field " << f.id;
    auto* pumpFlow = qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow));
    EXPECT_EQ(pumpFlow->value(), 22);

    pub.run.Post(RunCommands::Stop{.finished = true}); // the pump stops at the end
    pub.run.Cycle();
    window->RefreshLivePanel();
    EXPECT_EQ(pumpFlow->value(), 0) << "the bar empties when the pump stops";
}

TEST_F(MainWindowTest, AReplyShowsTheSwitchesAsTheyStand) {
    const auto window = Open();
    pub.run.Post(RunCommands::SetPumpGate{PumpGate::closed}); // closed by an alarm, not by a click
    window->RefreshLivePanel();
    EXPECT_EQ(ShownSwitches(*window),
              (std::set{ControlId::pumpProhibited, ControlId::loadBlocked, ControlId::manualUnavailable}));
}

} // namespace
