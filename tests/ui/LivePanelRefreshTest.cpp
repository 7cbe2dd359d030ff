#include "MainWindowFixture.h"

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
    pub.gaugeValue[0] = 1.234f;
    pub.gaugeValue[2] = 2.0f;
    pub.gaugeValue[3] = 3.0f;
    pub.targetLoad = 1200.5f;
    pub.currentLoad = 1187.6f;
    pub.pressureSensor = 1;
    pub.oilPressure = 60.456f;
    pub.running = true;
    pub.controlState = 3;
    pub.nextReadingText = QStringLiteral("10:30:00");
    pub.pumpSpeed = 33;
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
        {ControlId::oilPressure, "60.46"},    {ControlId::controlStatus, "补载中"},
        {ControlId::nextReading, "10:30:00"}, {ControlId::messageLine, "加不上压,请检查现场!"},
    };
    for (const auto& f : fields)
        EXPECT_EQ(FieldText(Control(*window, f.id)), QString::fromUtf8(f.text)) << "field " << f.id;
    EXPECT_EQ(qobject_cast<QProgressBar*>(Control(*window, ControlId::pumpFlow))->value(), 33);
}

TEST_F(MainWindowTest, AReplyShowsTheSwitchesAsTheyStand) {
    const auto window = Open();
    pub.pumpGate = PumpGate::closed; // closed by an alarm, not by a click
    window->RefreshLivePanel();
    EXPECT_EQ(ShownSwitches(*window),
              (std::set{ControlId::pumpProhibited, ControlId::loadBlocked, ControlId::manualUnavailable}));
}

} // namespace
