#include "core/engine/Alarms.h"

#include "core/data/CPublic.h"
#include "core/data/RowStore.h"

#include <algorithm>

namespace {

constexpr int kBuzzerOn = 0xFF;

class AlarmLine {
  public:
    explicit AlarmLine(CPublic& pub) : m_pub(pub) {}

    void Raise(const char* text, bool withBeep = true) {
        m_pub.alarmText = QString::fromUtf8(text);
        m_buzzerCode = kBuzzerOn;
        m_outcome.playBeep = m_outcome.playBeep || withBeep;
    }
    AlarmOutcome& Outcome() { return m_outcome; }
    int BuzzerCode() const { return m_buzzerCode; }

  private:
    CPublic& m_pub;
    AlarmOutcome m_outcome;
    int m_buzzerCode = 0;
};

bool GaugeEnabled(const CPublic& pub, int k) {
    return pub.gaugeOn[static_cast<std::size_t>(k)] == 1;
}

// A silent controller leaves only stale values, which judge nothing: the
// fault alone is shown (an unstored row still outranks it). The worker has
// already stopped the pump.
AlarmOutcome LinkFaultAlarm(CPublic& pub) {
    AlarmLine line(pub);
    pub.alarmSeconds = 0;
    line.Raise(kLinkFaultText);
    if (pub.gprs.SaveFailed())
        line.Raise(kUploadQueueSaveFailedText);
    if (pub.storageFault)
        line.Raise(kStorageFailedText);
    pub.run.RequestBuzzer(line.BuzzerCode());
    return line.Outcome();
}

// The load above the test's maximum by more than twice the hold band (the
// allowance an unloading stage holds above its target), in any stage: a pump
// on an oil path that was not reversed, or a stuck valve, drives it there, and
// nothing the engine commands does.
bool Overload(const CPublic& pub, const LiveSample& live) {
    const float allowance = 2 * std::max(pub.holdBand, 0.0f);
    return pub.maxLoad > 0 && live.currentLoad > pub.maxLoad + allowance;
}

} // namespace

AlarmOutcome CheckAlarms(CPublic& pub, const RunState& run, const LiveSample& live) {
    if (run.linkFault)
        return LinkFaultAlarm(pub);
    AlarmLine line(pub);
    pub.alarmText.clear();

    // Unloading draws the pressure down (a double-circuit jack's pump runs
    // for it): a pressure that does not build is no fault then.
    const bool unloading =
        run.controlState == ControlState::Unloading || run.controlState == ControlState::HoldingUnload;
    if (unloading)
        pub.pressureAlarm = false;
    // Near its target the pump is pulsed (one to six cycles in 17): a
    // second without a pulse is no second of pumping, and only a stop of the
    // command (the target reached) restarts the count. A jack that does not
    // build pressure never reaches the pulsed band, so its pump runs every
    // second and the alarm comes after the protection time.
    const bool pumpRan = run.pump.runCycles != pub.pumpRunCyclesSeen;
    pub.pumpRunCyclesSeen = run.pump.runCycles;
    if (run.pump.pumpSpeed <= 0 || unloading)
        pub.pumpRunSeconds = 0;
    else if (pumpRan)
        ++pub.pumpRunSeconds;
    if (pub.loadProtectSeconds > 0 && pub.pumpRunSeconds > pub.loadProtectSeconds) {
        pub.pumpRunSeconds = 0;
        pub.pressureAlarm = true;
    }

    // Spread of the enabled gauges among 1-4 (min starts at 50 mm, max at 0).
    float lowest = 50, highest = 0;
    for (int k = 0; k < 4; ++k) {
        if (!GaugeEnabled(pub, k))
            continue;
        lowest = std::min<float>(lowest, live.gaugeValue[static_cast<std::size_t>(k)]);
        highest = std::max<float>(highest, live.gaugeValue[static_cast<std::size_t>(k)]);
    }
    const int unevenLimit = pub.maxUnevenSettlement;
    pub.unevenAlarm = unevenLimit > 0 && highest - lowest > static_cast<float>(unevenLimit);
    if (pub.unevenAlarm)
        line.Raise("不均匀沉降超过允许值");

    const int settlementLimit = pub.maxSettlement;
    const bool settlementOver = settlementLimit > 0 && live.liveAverage > static_cast<float>(settlementLimit);
    const bool overload = Overload(pub, live);
    if (run.controlState != ControlState::Waiting &&
        (pub.pressureAlarm || pub.unevenAlarm || settlementOver || overload)) {
        if (++pub.alarmSeconds > 2) {
            line.Outcome().playBeep = true;
            pub.run.RequestPumpGate(PumpGate::closed);
            pub.alarmSeconds = 0;
        }
    } else {
        pub.alarmText.clear();
        pub.alarmSeconds = 0;
    }

    if (ParameterAt(pub.paramList, Entry::uploadOff) == 0.0f) {
        switch (pub.gprs.State()) {
        case GprsLink::kNotRegistered:
            line.Raise("gprs模块未登记!");
            break;
        case GprsLink::kTestPassed:
            line.Raise("gprs模块测试成功！", false);
            break;
        case GprsLink::kNoAnswer:
            line.Raise("远程传输出现故障！");
            break;
        default:
            break;
        }
    }

    const float upliftLimit = pub.anchorUpliftAlarm;
    for (int k = 4; k < 8; ++k) {
        if (GaugeEnabled(pub, k) && upliftLimit > 0 &&
            live.gaugeValue[static_cast<std::size_t>(k)] > upliftLimit)
            line.Raise("锚桩上拔超过允许值!");
    }
    if (settlementOver)
        line.Raise("桩基沉降超过允许值!");

    line.Outcome().clearMessageLine = !(pub.unevenAlarm && pub.pressureAlarm && settlementOver);

    if (pub.pressureAlarm && pub.loadProtectSeconds > 0)
        line.Raise("加不上压,请检查现场!");
    for (int k = 0; k < 4; ++k) {
        if (GaugeEnabled(pub, k) && live.nearRange[static_cast<std::size_t>(k)])
            line.Raise("位移接近最大量程！请调整!");
    }
    if (overload)
        line.Raise(kOverloadText);
    if (pub.gprs.SaveFailed())
        line.Raise(kUploadQueueSaveFailedText);
    // Unstored rows outrank every other text: the operator must act on them.
    if (pub.storageFault)
        line.Raise(kStorageFailedText);
    pub.run.RequestBuzzer(line.BuzzerCode());
    return line.Outcome();
}
