#include "VirtualTest.h"

#include "RigCycle.h"
#include "core/data/DeviceText.h"
#include "core/engine/SettingsPublication.h"
#include "core/engine/StageTargets.h"
#include "core/standards/ConfirmStandardForm.h"
#include "core/standards/StandardForm.h"
#include "platform/DeviceFolders.h"

#include <span>

namespace {

constexpr int kCyclesPerTick = 5;
constexpr int kSerialNumberRow = 7;
constexpr int kPileNumberRow = 8;
constexpr int kTestDateRow = 9;

RigConfig WithCircuit(RigConfig rig, bool doubleCircuit) {
    rig.circuit = doubleCircuit ? JackCircuit::Double : JackCircuit::Single;
    return rig;
}

} // namespace

VirtualTest::VirtualTest(const DeviceFolders& folders, TestSetup setup, const RigConfig& rig,
                         Observer observer)
    : m_setup(std::move(setup)), m_observer(std::move(observer)), m_files(folders), m_clock(m_setup.start),
      m_rig(WithCircuit(rig, m_setup.doubleCircuitJack)),
      m_engine(m_pub, m_files, m_clock,
               EngineHooks{.offerUnloadAtMaxLoad =
                               [this](const QString&) {
                                   ++m_prompts;
                                   m_engine.ConfirmUnloading();
                               },
                           .playBeep = {},
                           .readingTaken = m_observer.readingTaken,
                           .newTestResetDone = {},
                           .clearMessageLine = {}}) {}

// What the channel, test, load-control and standard settings of the wizard
// leave behind.
QString VirtualTest::Prepare() {
    CPublic& pub = m_pub;
    pub.paramList = DefaultParameterList();
    pub.ResetTest();
    pub.wizardMode = true;
    // For "用户输入" the standard dialog shows the criteria the settings file
    // holds; the copy of the other settings below would overwrite them.
    ParameterList dialogList = pub.paramList;
    pub.dataFilePath = DevicePath::kAppFolder + m_setup.serialNumber + QLatin1Char('-') + m_setup.pileNumber +
                       QStringLiteral(".kvt");
    if (!m_files.DataFileMissing(pub.dataFilePath))
        return QStringLiteral("该文件已经存在！请重新输入试桩编号");

    pub.doubleCircuitJack = m_setup.doubleCircuitJack;
    if (m_setup.plateArea > 0) {
        pub.loadInKN = false;
        pub.plateArea = m_setup.plateArea;
    }
    pub.stageStep = m_setup.stageStep;
    pub.maxLoad = m_setup.maxLoad;
    pub.holdBand = m_setup.holdBand;
    pub.loadPulseTicks = m_setup.pulseTicks;
    pub.unloadPulseTicks = m_setup.pulseTicks;
    pub.autoAdvance = m_setup.autoAdvance;
    pub.run.Post(RunCommands::SetTarget{m_setup.stageStep}); // the first stage's control load
    KVTFile::StoreParametersToList(pub, pub.paramList);
    pub.paramList[Entry::targetLoad] = m_setup.stageStep;
    pub.paramList[Entry::bearingCapacity] = m_setup.maxLoad / 2;
    KVTFile::BuildBlankRecords(pub);
    SetFieldText(pub.recordList[kSerialNumberRow].textLong, DeviceText::FromUnicode(m_setup.serialNumber));
    SetFieldText(pub.recordList[kPileNumberRow].textValue, DeviceText::FromUnicode(m_setup.pileNumber));
    SetFieldText(pub.recordList[kTestDateRow].textValue,
                 m_setup.start.date().toString(Qt::ISODate).toLatin1());

    dialogList[Entry::bearingCapacity] = pub.paramList[Entry::bearingCapacity];
    StandardForm form;
    ApplyPreset(form, m_setup.standardCode, pub, dialogList);
    const QString refusal = ConfirmStandardForm(pub, pub.paramList, form);
    if (!refusal.isEmpty())
        return refusal;
    m_files.SaveSettings(pub.dataFilePath, pub.paramList);
    return {};
}

QString VirtualTest::Start() {
    const QString refusal = Prepare();
    if (!refusal.isEmpty())
        return refusal;
    return m_engine.StartTest(m_setup.uploadAtReading);
}

void VirtualTest::ControllerCycle() {
    PlayRigCycle([this] { return m_pub.run.Cycle(); }, m_rig,
                 [this](const QByteArray& reply) {
                     m_pub.run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(reply.constData()),
                                                     static_cast<std::size_t>(reply.size())),
                                           m_clock.Now().toMSecsSinceEpoch());
                     if (m_observer.replyHandled)
                         m_observer.replyHandled();
                 });
    m_clock.AdvanceMs(kRigCycleMs);
}

// In manual load control the operator enters each next control load, and
// unloads by hand from the maximum.
void VirtualTest::OperatorActs() {
    CPublic& pub = m_pub;
    const RunState run = pub.run.View();
    if (pub.autoAdvance || !run.running || run.controlState != ControlState::Waiting)
        return;
    const float next = run.targetLoad + pub.stageStep;
    if (next <= pub.maxLoad) {
        pub.run.Post(RunCommands::SetTarget{next});
        return;
    }
    m_engine.UnloadNextStage();
}

void VirtualTest::FollowStages(qint64 elapsedMs) {
    const CPublic& pub = m_pub;
    const RunState run = pub.run.View();
    const float target = run.lastTarget;
    if (target != m_stageTarget && run.running) {
        if (!m_report.stages.empty() && m_reachedAtMs >= 0)
            m_report.stages.back().minutesHeld = static_cast<double>(elapsedMs - m_reachedAtMs) / 60000.0;
        StageReport stage;
        stage.load = target;
        stage.unloading = target < m_stageTarget;
        m_report.stages.push_back(stage);
        m_stageTarget = target;
        m_stageFirstReading = pub.readingCount;
        m_reachedAtMs = -1;
    }
    if (m_report.stages.empty())
        return;
    StageReport& stage = m_report.stages.back();
    const ControlState state = run.controlState;
    if (m_reachedAtMs < 0 && (state == ControlState::Holding || state == ControlState::HoldingUnload))
        m_reachedAtMs = elapsedMs;
    stage.stable = stage.stable || state == ControlState::Stable;
    stage.readings = pub.readingCount - m_stageFirstReading;
    if (!run.running && m_reachedAtMs >= 0)
        stage.minutesHeld = static_cast<double>(elapsedMs - m_reachedAtMs) / 60000.0;
}

RunReport VirtualTest::Run() {
    qint64 elapsedMs = 0;
    while (m_pub.run.View().running && elapsedMs < m_setup.timeLimitMs) {
        for (int i = 0; i < kCyclesPerTick; ++i)
            ControllerCycle();
        elapsedMs += kRigCycleMs * kCyclesPerTick;
        FollowStages(elapsedMs); // a new target opens its stage before its opening reading
        PublishSettings(m_pub);  // as the main window does every second
        m_engine.ScheduleTick();
        OperatorActs();
        FollowStages(elapsedMs);
    }
    m_report.finished = m_pub.testFinished;
    m_report.virtualMs = elapsedMs;
    m_report.maxLoadPrompts = m_prompts;
    return m_report;
}
