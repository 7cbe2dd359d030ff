#include "FuzzEntries.h"

#include "core/calib/SystemCalibrationFile.h"
#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/engine/RunController.h"
#include "core/link/CalibrationTable.h"
#include "core/link/ReplyFramer.h"
#include "core/remote/GprsLink.h"
#include "core/remote/UploadFrame.h"
#include "core/remote/UploadFrameText.h"
#include "core/view/CurveModel.h"
#include "core/view/GraphScene.h"
#include "core/view/LevelSummary.h"
#include "core/view/LivePanel.h"
#include "core/view/SettlementRows.h"
#include "core/view/TableViews.h"
#include "platform/DeviceFolders.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// "nan" or "inf" on the screen means a value that is not finite was printed.
void RequireNumberText(const QString& text, const char* where) {
    const QString lower = text.toLower();
    if (lower.contains(QLatin1String("nan")) || lower.contains(QLatin1String("inf"))) {
        std::fprintf(stderr, "%s shows \"%s\"\n", where, qPrintable(text));
        std::abort();
    }
}

void RequireTableTexts(const TableView& table) {
    for (const QStringList& row : table.rows) {
        for (const QString& cell : row)
            RequireNumberText(cell, "a table cell");
    }
}

void RequireGraphTexts(const std::vector<GraphItem>& scene) {
    for (const GraphItem& item : scene) {
        if (const auto* text = std::get_if<GraphText>(&item))
            RequireNumberText(text->text, "a graph caption");
    }
}

// One device root for the whole run: the readers of files on the device
// read from it.
const DeviceFolders& FuzzDevice() {
    static QTemporaryDir root;
    static DeviceFolders folders(root.path());
    static const bool created = folders.CreateFolders();
    (void)created;
    return folders;
}

void WriteDeviceFile(const QString& devicePath, const QByteArray& bytes) {
    QFile file(FuzzDevice().HostPath(devicePath));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

ConversionSettings SettingsFrom(const std::uint8_t* tail, std::size_t size) {
    ConversionSettings settings;
    if (size < 8)
        return settings;
    settings.pressureSensor = tail[0] % 2 + 1;
    settings.pressureMode = tail[1] % 4;
    settings.loadInKN = tail[2] % 2 == 0;
    settings.jackCount = tail[3] % 4;
    settings.calibrationCoefficient = static_cast<float>(static_cast<std::int8_t>(tail[4])) / 8.0f;
    settings.regressionB = static_cast<float>(static_cast<std::int8_t>(tail[5])) / 16.0f;
    settings.settlementDecimals = tail[6] % 4;
    settings.calibration.pointCount = tail[7] % 12;
    for (std::size_t i = 0; i < 10; ++i) {
        settings.calibration.calibrationPressures[i] = static_cast<float>(i) * tail[4];
        settings.calibration.calibrationLoads[i] = static_cast<float>(i) * tail[5];
    }
    return settings;
}

} // namespace

void FuzzControllerReplies(const std::uint8_t* data, std::size_t size) {
    const std::size_t settingsBytes = std::min<std::size_t>(size, 8);
    CPublic pub;
    pub.run.SetConversionSettings(SettingsFrom(data + size - settingsBytes, settingsBytes));
    ReplyFramer framer;
    std::size_t at = 0;
    const std::size_t end = size - settingsBytes;
    while (at < end) {
        const std::uint8_t head = data[at++];
        const std::size_t length = std::min<std::size_t>(head % 40, end - at);
        framer.Receive(QByteArrayView(data + at, static_cast<qsizetype>(length)));
        at += length;
        pub.run.Cycle();
        if (head % 2 == 1) {
            if (const std::optional<QByteArray> reply = framer.EndBurst()) {
                pub.run.HandleReply(std::span(reinterpret_cast<const std::uint8_t*>(reply->constData()),
                                              static_cast<std::size_t>(reply->size())),
                                    0);
            }
        } else if (head % 7 == 0) {
            framer.Discard();
        }
        const LivePanelView view = RefreshLivePanel(pub, pub.run.View(), pub.run.Live(), true, QString());
        for (const QString& text : view.gaugeTexts)
            RequireNumberText(text, "a live gauge");
        RequireNumberText(view.averageText, "the live average");
        RequireNumberText(view.currentLoadText, "the live load");
        RequireNumberText(view.oilPressureText, "the live oil pressure");
    }
}

void FuzzDataFile(const std::uint8_t* data, std::size_t size) {
    CPublic pub;
    pub.recordList = ParseDataFile(Bytes(data, size));
    if (pub.recordList.empty())
        return;
    const KVTFile files(FuzzDevice());
    files.RestoreParameters(pub, pub.recordList, QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
    DeriveSettlementRows(pub);
    CurveModel curves;
    if (pub.readingCount == 0)
        curves.ShowEmptyTest(pub.standardCode);
    else
        BuildLevelSummary(pub, curves);
    for (int view = 1; view <= 3; ++view) {
        if (const std::optional<TableView> table = ComposeTable(pub, view))
            RequireTableTexts(*table);
        curves.curveMode = view;
        RequireGraphTexts(ComposeGraphScene(curves, 800, 400));
    }
}

void FuzzSettingsFile(const std::uint8_t* data, std::size_t size) {
    QString path;
    ParameterList list = DefaultParameterList();
    if (!ParseSettings(Bytes(data, size), path, list))
        return;
    // What start-up does with it: the path mapped to the host, the entries read.
    (void)FuzzDevice().HostPath(path);
    for (int entry = 0; entry < kParameterCount + 2; ++entry)
        (void)ParameterAt(list, entry);
}

void FuzzUploadQueueFile(const std::uint8_t* data, std::size_t size) {
    WriteDeviceFile(DeviceFile::kUploadQueue, Bytes(data, size));
    std::vector<UploadFrame> frames;
    if (!KVTFile(FuzzDevice()).LoadUploadQueue(frames))
        return;
    // The decoded line of every frame, as kvt and the modem simulator show it.
    for (const UploadFrame& frame : frames)
        (void)DescribeUploadFrame(frame);
}

void FuzzJackTableFile(const std::uint8_t* data, std::size_t size) {
    std::vector<JackRecord> table(kJackSlots, JackRecord::Blank());
    ParseJackTable(Bytes(data, size), table);
    for (const JackRecord& record : table) {
        (void)JackText(record.jackNumber);
        (void)JackText(record.sensorNumber);
        // A group the test settings could choose goes through the lookup.
        CalibrationSelection selection;
        std::copy(std::begin(record.pressure), std::end(record.pressure),
                  selection.calibrationPressures.begin());
        std::copy(std::begin(record.force), std::end(record.force), selection.calibrationLoads.begin());
        selection.pointCount = record.pointCount;
        if (IsUsableCalibrationTable(selection)) {
            for (const float v : {-1.0f, 0.0f, record.pressure[0], record.pressure[9], 1e30f})
                (void)LookupCalibrationTable(selection, v);
        }
    }
}

void FuzzSystemCalibrationFile(const std::uint8_t* data, std::size_t size) {
    // A run that was read is written back as a run that reads again.
    if (const std::optional<SystemCalibrationRun> run = ParseSystemCalibration(Bytes(data, size))) {
        if (!ParseSystemCalibration(PackSystemCalibration(*run)))
            std::abort();
    }
}

namespace {

void Require(bool rule, const char* what) {
    if (!rule) {
        std::fprintf(stderr, "GPRS link: %s\n", what);
        std::abort();
    }
}

std::size_t ReadingFrames(const std::vector<UploadFrame>& frames, const UploadFrame& testFrame) {
    return static_cast<std::size_t>(
        std::count_if(frames.begin(), frames.end(), [&](const UploadFrame& f) { return f != testFrame; }));
}

} // namespace

void FuzzGprsAnswers(const std::uint8_t* data, std::size_t size) {
    bool saveFails = false;
    GprsLink link([&saveFails](const std::vector<UploadFrame>&) { return !saveFails; });
    const UploadFrame testFrame = BuildModuleTestFrame(QByteArrayLiteral("123456"));
    qint64 nowMs = 0;
    std::uint8_t serial = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::uint8_t argument = data[i + 1];
        const std::size_t readingsBefore = ReadingFrames(link.Frames(), testFrame);
        bool answered = false;
        switch (data[i] % 7) {
        case 0: {
            UploadFrame frame{};
            frame[1] = ++serial; // differs from the test frame, which is 0xFF there
            link.Append(frame);
            break;
        }
        case 1:
            link.StartModuleTest(testFrame);
            break;
        case 2: {
            nowMs += static_cast<qint64>(argument) * 1000;
            const std::vector<UploadFrame> queued = link.Frames();
            if (const std::optional<UploadFrame> sent = link.Tick(nowMs))
                Require(std::find(queued.begin(), queued.end(), *sent) != queued.end(),
                        "sent a frame not queued");
            break;
        }
        case 3:
            link.HandleGprsReply(argument);
            answered = true;
            break;
        case 4:
            link.SetUploadOff(argument & 1);
            break;
        case 5:
            saveFails = argument & 1;
            break;
        case 6:
            link.ResetState();
            break;
        }
        const std::size_t readingsAfter = ReadingFrames(link.Frames(), testFrame);
        Require(readingsAfter + (answered ? 1 : 0) >= readingsBefore,
                "a reading frame left without its answer");
        const int state = link.State();
        Require(state == 0 || (state >= 2 && state <= 6), "a state the screen cannot show");
    }
}

const std::vector<FuzzTarget>& FuzzTargets() {
    static const std::vector<FuzzTarget> targets{
        {"controller_replies", FuzzControllerReplies},
        {"data_file", FuzzDataFile},
        {"settings_file", FuzzSettingsFile},
        {"upload_queue_file", FuzzUploadQueueFile},
        {"jack_table_file", FuzzJackTableFile},
        {"system_calibration_file", FuzzSystemCalibrationFile},
        {"gprs_answers", FuzzGprsAnswers},
    };
    return targets;
}
