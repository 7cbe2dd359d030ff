#pragma once

#include "DemonstrationState.h"
#include "RigModel.h"
#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/engine/TestEngine.h"
#include "platform/ManualClock.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <vector>

class DeviceFolders;

// The test as the new-test wizard leaves it before "开始测试".
struct TestSetup {
    int standardCode = 5;
    float stageStep = 100; // kN
    float maxLoad = 500;   // kN
    float holdBand = 10;   // kN
    int pulseTicks = 2;    // "加载点动控制" and "卸载点动控制"
    bool autoAdvance = true;
    bool doubleCircuitJack = false;
    float plateArea = 0; // m²; above 0 a ground test, its loads in kPa
    QString serialNumber = QStringLiteral("123456");
    QString pileNumber = QStringLiteral("0001");
    QDateTime start = QDateTime(QDate(2026, 5, 4), QTime(8, 0, 0));
    qint64 timeLimitMs = 96LL * 3600 * 1000; // virtual time
    bool uploadAtReading = false;            // "采集时发送": readings are queued for upload
};

// One load level as the run went through it.
struct StageReport {
    float load = 0;
    bool unloading = false;
    int readings = 0;       // readings taken while this target was set
    double minutesHeld = 0; // from reaching the target to the next target
    bool stable = false;    // judged stable (loading levels)
};

struct RunReport {
    bool finished = false; // ended by itself
    qint64 virtualMs = 0;
    int maxLoadPrompts = 0;
    std::vector<StageReport> stages;
};

// Runs a whole load test without display or real time: the controller's
// 200 ms cycle is played against the simulated rig on a manual clock, the
// engine's schedule every virtual second. The maximum-load prompt is always
// answered with unloading; in manual load control the operator's part (the
// next control load, "卸载下一级" at the maximum) is played as well.
class VirtualTest {
  public:
    // Told of each reply handled and each reading stored (for timing them).
    struct Observer {
        std::function<void()> replyHandled;
        std::function<void()> readingTaken;
    };

    VirtualTest(const DeviceFolders& folders, TestSetup setup, const RigConfig& rig = {},
                Observer observer = {});

    // Sets the test up and starts it; the message of a refused set-up or
    // start, else empty.
    QString Start();
    // Runs until the automatic end or the time limit.
    RunReport Run();

    const CPublic& Pub() const { return m_pub; }
    // Where the clock and the plant stand now: an accelerated demonstration
    // of the program can go on from here.
    DemonstrationState Demonstration() const { return {m_clock.Now(), m_rig.TakeSnapshot()}; }
    // Every frame the test queued for upload, in order: no module takes them.
    std::vector<UploadFrame> QueuedFrames() const { return m_pub.gprs.Frames(); }
    const KVTFile& Files() const { return m_files; }

  private:
    QString Prepare();
    void ControllerCycle();
    void OperatorActs();
    void FollowStages(qint64 elapsedMs);

    TestSetup m_setup;
    Observer m_observer;
    KVTFile m_files;
    ManualClock m_clock;
    CPublic m_pub;
    RigModel m_rig;
    int m_prompts = 0; // maximum-load prompts the engine showed
    TestEngine m_engine;
    RunReport m_report;
    float m_stageTarget = 0;
    int m_stageFirstReading = 0;
    qint64 m_reachedAtMs = -1;
};
