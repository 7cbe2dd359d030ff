#include "core/calib/SystemCalibrationFile.h"

#include "platform/FileSystem.h"

#include "platform/DeviceFolders.h"

#include <QFile>

#include <cstring>

namespace {

// The 18 run fields in file order, each 4 bytes.
template <typename Run, typename Visit> void ForEachField(Run& run, Visit&& visit) {
    visit(run.sensorKind);
    visit(run.sensitivity);
    visit(run.countsPerKn);
    visit(run.maxForce);
    visit(run.pointCount);
    visit(run.oilRange);
    visit(run.loadRange);
    visit(run.ratedForce);
    visit(run.ratedPressure);
    visit(run.started);
    visit(run.calibrationIndex);
    visit(run.calibrationDone);
    visit(run.passDone);
    visit(run.checkMode);
    visit(run.carried[0]);
    visit(run.carried[1]);
    visit(run.checkIndex);
    visit(run.checkDone);
}

template <typename Run, typename Visit> void ForEachTableValue(Run& run, Visit&& visit) {
    for (std::size_t i = 0; i < kSystemCalibrationSlots; ++i) {
        visit(run.standardForce[i]);
        visit(run.calibrationForce[i]);
        visit(run.calibrationPressure[i]);
        visit(run.checkForce[i]);
        visit(run.checkPressure[i]);
    }
}

bool Plausible(const SystemCalibrationRun& run) {
    const int n = run.pointCount;
    const auto indexFits = [n](int index) { return index >= 0 && index <= n + 1; };
    return n >= 1 && n <= kSystemCalibrationMaxPoints && indexFits(run.calibrationIndex) &&
           indexFits(run.checkIndex);
}

} // namespace

QByteArray PackSystemCalibration(const SystemCalibrationRun& run) {
    QByteArray bytes;
    bytes.reserve(kSystemCalibrationFileSize);
    const auto append = [&bytes](const auto& field) {
        static_assert(sizeof field == 4);
        bytes.append(reinterpret_cast<const char*>(&field), sizeof field);
    };
    ForEachField(run, append);
    ForEachTableValue(run, append);
    return bytes;
}

std::optional<SystemCalibrationRun> ParseSystemCalibration(const QByteArray& bytes) {
    if (bytes.size() != kSystemCalibrationFileSize)
        return std::nullopt;
    SystemCalibrationRun run;
    const char* next = bytes.constData();
    const auto take = [&next](auto& field) {
        std::memcpy(&field, next, sizeof field);
        next += sizeof field;
    };
    ForEachField(run, take);
    ForEachTableValue(run, take);
    if (!Plausible(run))
        return std::nullopt;
    return run;
}

SystemCalibrationRun LoadSystemCalibration(const DeviceFolders& folders) {
    QFile file(folders.HostPath(kSystemCalibrationFile));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseSystemCalibration(file.read(kSystemCalibrationFileSize + 1)).value_or(SystemCalibrationRun{});
}

// The whole file replaces the old one durably, so a run recorded before
// survives a failed or interrupted write and a power cut.
bool SaveSystemCalibration(const DeviceFolders& folders, const SystemCalibrationRun& run) {
    const QString host = folders.HostPath(kSystemCalibrationFile);
    return !host.isEmpty() && HostFileSystem::Instance().ReplaceDurably(host, PackSystemCalibration(run));
}
