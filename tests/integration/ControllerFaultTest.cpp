#include "core/engine/RunController.h"
#include "core/link/ControllerLink.h"
#include "support/PseudoTerminal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

// The true state of the stand-in controller: 100 kN (one count per kN) and
// gauges 1-4 at 4.96, 9.92, 14.88 and 19.84 mm.
constexpr int kLoadCounts = 100;
constexpr std::array<int, 4> kGaugeCounts{500, 1000, 1500, 2000};
constexpr std::array<float, 4> kGaugeMm{4.96f, 9.92f, 14.88f, 19.84f};

QByteArray TrueReply() {
    QByteArray reply(31, '\0');
    reply[1] = static_cast<char>(kLoadCounts & 0xFF);
    reply[2] = static_cast<char>(kLoadCounts >> 8);
    for (std::size_t k = 0; k < kGaugeCounts.size(); ++k) {
        reply[static_cast<qsizetype>(5 + 2 * k)] = static_cast<char>(kGaugeCounts[k] & 0xFF);
        reply[static_cast<qsizetype>(6 + 2 * k)] = static_cast<char>(kGaugeCounts[k] >> 8);
    }
    return reply;
}

// How the stand-in answers one frame: pieces of bytes, each written after
// a pause; no pieces is silence.
struct Piece {
    int delayMs = 0;
    QByteArray bytes;
};
using Answer = std::vector<Piece>;

struct Fault {
    const char* name;
    Answer answer;
    int frames;     // frames answered so, after two seconds of true replies
    bool linkFault; // the fault lasts long enough to stop the pump
};

QByteArray Garbage(int bytes) {
    return QByteArray(bytes, '\x5A');
}

const Fault kFaults[] = {
    {"SplitWithoutGap", {{0, TrueReply().first(10)}, {0, TrueReply().sliced(10)}}, 3, false},
    {"SplitBy40ms", {{0, TrueReply().first(10)}, {40, TrueReply().sliced(10)}}, 3, false},
    {"OneByteThenThirtyAfter35ms", {{0, TrueReply().first(1)}, {35, TrueReply().sliced(1)}}, 3, false},
    {"ShiftedByOneByte", {{0, QByteArray(1, '\0') + TrueReply()}}, 3, false},
    {"OneGarbageByteBefore", {{0, Garbage(1) + TrueReply()}}, 3, false},
    {"ThreeGarbageBytesBefore", {{0, Garbage(3) + TrueReply()}}, 3, false},
    {"TwelveGarbageBytesBefore", {{0, Garbage(12) + TrueReply()}}, 3, false},
    {"ShortOfElevenBytes", {{0, TrueReply().first(11)}}, 3, false},
    {"ShortOfFourBytes", {{0, TrueReply().first(4)}}, 3, false},
    {"LongByTwoBytes", {{0, TrueReply() + Garbage(2)}}, 3, false},
    // Bad replies for two seconds leave the controller as silent as no reply.
    {"GarbageBeforeForTwoSeconds", {{0, Garbage(1) + TrueReply()}}, 10, true},
    {"Silent500ms", {}, 2, false},
    {"Silent1500ms", {}, 7, true},
    {"Silent10s", {}, 50, true},
};

// A controller on a pseudo-terminal: answers every frame with the true
// reply, except `faultFrames` frames after the first ten, answered by the fault.
class StandIn {
  public:
    StandIn(PseudoTerminal& pty, Answer fault, int faultFrames)
        : m_pty(pty), m_fault(std::move(fault)), m_faultFrames(faultFrames), m_thread([this] { Run(); }) {}
    ~StandIn() {
        m_stop = true;
        m_thread.join();
    }
    std::vector<QByteArray> Frames() {
        const std::lock_guard lock(m_mutex);
        return m_frames;
    }
    int FramesSeen() {
        const std::lock_guard lock(m_mutex);
        return static_cast<int>(m_frames.size());
    }

  private:
    void Run() {
        while (!m_stop) {
            const QByteArray frame = m_pty.Read(12, 100);
            if (frame.size() != 12)
                continue;
            int index;
            {
                const std::lock_guard lock(m_mutex);
                index = static_cast<int>(m_frames.size());
                m_frames.push_back(frame);
            }
            const bool faulty = index >= kTrueFrames && index < kTrueFrames + m_faultFrames;
            QThread::msleep(5); // the controller's turnaround
            for (const Piece& piece : faulty ? m_fault : Answer{{0, TrueReply()}}) {
                QThread::msleep(static_cast<unsigned long>(piece.delayMs));
                m_pty.Write(piece.bytes);
            }
        }
    }

  public:
    static constexpr int kTrueFrames = 10;

  private:
    PseudoTerminal& m_pty;
    const Answer m_fault;
    const int m_faultFrames;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex; // guards m_frames
    std::vector<QByteArray> m_frames;
    std::thread m_thread;
};

// What the instrument's side saw: every sample a reply published, and the
// link-fault flag of the run state over time.
struct Instrument {
    RunController run;
    std::mutex mutex; // guards samples
    std::vector<LiveSample> samples;

    Instrument() {
        ConversionSettings settings;
        settings.pressureSensor = 2; // a force sensor: one count per kN
        settings.calibrationCoefficient = 1;
        run.SetConversionSettings(settings);
        // A held stage with the pump allowed, so that frames show the gate.
        run.Post(RunCommands::Restore{
            .running = true, .state = ControlState::Holding, .target = 100, .lastTarget = 100});
        run.Post(RunCommands::SetPumpGate{PumpGate::open});
    }
    std::unique_ptr<ControllerLink> Link(const QString& device) {
        return std::make_unique<ControllerLink>(
            device, [this] { return run.Cycle(); },
            [this](const QByteArray& block) {
                if (run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(block.constData()),
                                              static_cast<std::size_t>(block.size())),
                                    0)) {
                    const std::lock_guard lock(mutex);
                    samples.push_back(run.Live());
                }
            });
    }
    std::vector<LiveSample> Samples() {
        const std::lock_guard lock(mutex);
        return samples;
    }
};

bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > ms)
            return false;
        QThread::msleep(5);
    }
    return true;
}

void ExpectTrueValues(const LiveSample& sample) {
    EXPECT_FLOAT_EQ(sample.currentLoad, 100.0f) << "sample " << sample.number;
    for (std::size_t k = 0; k < kGaugeMm.size(); ++k)
        EXPECT_FLOAT_EQ(sample.gaugeValue[k], kGaugeMm[k])
            << "sample " << sample.number << " gauge " << k + 1;
}

class ControllerFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(ControllerFaults, OnlyWholeRepliesBecomeValuesAndSilenceStopsThePump) {
    const Fault& fault = GetParam();
    PseudoTerminal pty;
    ASSERT_TRUE(pty.IsOpen());
    Instrument instrument;
    StandIn standIn(pty, fault.answer, fault.frames);
    std::unique_ptr<ControllerLink> link = instrument.Link(pty.SlavePath());
    ASSERT_TRUE(link->Open());

    // Watch the run state from here, as the main window does.
    QElapsedTimer clock;
    clock.start();
    qint64 faultFrom = -1, faultRaised = -1, faultCleared = -1;
    const int lastFaulty = StandIn::kTrueFrames + fault.frames;
    ASSERT_TRUE(WaitFor(
        [&] {
            const int seen = standIn.FramesSeen();
            if (faultFrom < 0 && seen > StandIn::kTrueFrames)
                faultFrom = clock.elapsed();
            const bool linkFault = instrument.run.View().linkFault;
            if (linkFault && faultRaised < 0)
                faultRaised = clock.elapsed();
            if (!linkFault && faultRaised >= 0 && faultCleared < 0)
                faultCleared = clock.elapsed();
            return seen > lastFaulty + 10;
        },
        (lastFaulty + 20) * 200 + 5000));
    link.reset();

    const std::vector<LiveSample> samples = instrument.Samples();
    for (const LiveSample& sample : samples)
        ExpectTrueValues(sample);
    // Every true reply got through, none of the faulty ones.
    EXPECT_GE(static_cast<int>(samples.size()), StandIn::kTrueFrames + 8);

    const std::vector<QByteArray> frames = standIn.Frames();
    if (fault.linkFault) {
        ASSERT_GE(faultRaised, 0) << "no link fault";
        EXPECT_LE(faultRaised - faultFrom, 1400) << "ms from the first unanswered frame";
        ASSERT_GE(faultCleared, 0) << "the fault did not clear";
        // Within about a second of silence every frame stops the pump.
        for (int i = StandIn::kTrueFrames + 6; i < lastFaulty; ++i) {
            EXPECT_EQ(static_cast<std::uint8_t>(frames[static_cast<std::size_t>(i)][0]), PumpGate::closed)
                << "frame " << i;
            EXPECT_EQ(frames[static_cast<std::size_t>(i)][4], 0) << "frame " << i;
        }
        // The gate stays closed for the operator to open.
        EXPECT_EQ(static_cast<std::uint8_t>(frames.back()[0]), PumpGate::closed);
    } else {
        EXPECT_LT(faultRaised, 0) << "a link fault for " << fault.name;
        EXPECT_EQ(static_cast<std::uint8_t>(frames.back()[0]), PumpGate::open);
    }
}

INSTANTIATE_TEST_SUITE_P(Scripted, ControllerFaults, ::testing::ValuesIn(kFaults),
                         [](const ::testing::TestParamInfo<Fault>& info) {
                             return std::string(info.param.name);
                         });

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The controller's cable pulled: its device disappears; later it comes back
// under the same name.
TEST(ControllerUnplugged, TheLinkWaitsWithoutBusyLoopAndResumesWhenItIsBack) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString device = folder.filePath(QStringLiteral("ttyCOM1"));
    auto pty = std::make_unique<PseudoTerminal>();
    ASSERT_TRUE(QFile::link(pty->SlavePath(), device));
    Instrument instrument;
    auto standIn = std::make_unique<StandIn>(*pty, Answer{{0, TrueReply()}}, 0);
    std::unique_ptr<ControllerLink> link = instrument.Link(device);
    ASSERT_TRUE(link->Open());
    ASSERT_TRUE(WaitFor([&] { return instrument.Samples().size() >= 5; }, 3000));

    standIn.reset();
    pty.reset();
    ASSERT_TRUE(QFile::remove(device));
    ASSERT_TRUE(WaitFor([&] { return instrument.run.View().linkFault; }, 2000));
    const double cpuBefore = ProcessCpuSeconds();
    QThread::msleep(3000);
    const double cpuShare = (ProcessCpuSeconds() - cpuBefore) / 3.0;
    RecordProperty("cpu_share_port_gone", std::to_string(cpuShare));
    std::printf("processor use with the port gone: %.2f %%\n", 100.0 * cpuShare);
    EXPECT_LT(cpuShare, 0.05) << "a busy loop while the port is gone";
    EXPECT_TRUE(instrument.run.View().linkFault);

    pty = std::make_unique<PseudoTerminal>();
    ASSERT_TRUE(QFile::link(pty->SlavePath(), device));
    const std::size_t before = instrument.Samples().size();
    standIn = std::make_unique<StandIn>(*pty, Answer{}, 0);
    EXPECT_TRUE(WaitFor([&] { return instrument.Samples().size() >= before + 5; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return !instrument.run.View().linkFault; }, 1000));
    link.reset();
    for (const LiveSample& sample : instrument.Samples())
        ExpectTrueValues(sample);
}

} // namespace
