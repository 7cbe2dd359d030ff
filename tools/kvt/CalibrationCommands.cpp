#include "Commands.h"
#include "ui/report/Csv.h"

#include "core/calib/JackCalibration.h"
#include "core/calib/SystemCalibrationFile.h"
#include "core/data/KVTFile.h"

#include <algorithm>
#include <type_traits>

namespace {

QString PointsText(const JackRecord& record) {
    QStringList points;
    for (int i = 0; i < std::clamp(record.pointCount, 0, kJackPoints); ++i)
        points << FloatText(record.force[i]) + QLatin1Char('/') + FloatText(record.pressure[i]);
    return points.join(QLatin1Char(' '));
}

} // namespace

int RunJacks(const QStringList& args, std::FILE* out) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kvt jacks FILE\n");
        return 2;
    }
    QByteArray bytes;
    if (!ReadHostFile(args[0], bytes))
        return 1;
    const qsizetype records = bytes.size() / static_cast<qsizetype>(kPackedJackRecordSize);
    if (bytes.size() % static_cast<qsizetype>(kPackedJackRecordSize) != 0 || records > kJackSlots) {
        std::fprintf(stderr, "kvt: %s is not a jack table (at most 10 records of 148 bytes)\n",
                     qPrintable(args[0]));
        return 1;
    }
    std::vector<JackRecord> table = BlankJackTable();
    ParseJackTable(bytes, table);
    WriteCsvLine(out, {QStringLiteral("group"), QStringLiteral("type"), QStringLiteral("jack"),
                       QStringLiteral("sensor"), QStringLiteral("max_force_kN"), QStringLiteral("points"),
                       QStringLiteral("saved"), QStringLiteral("zero"), QStringLiteral("force/measured")});
    for (std::size_t g = 0; g < table.size(); ++g) {
        const JackRecord& record = table[g];
        WriteCsvLine(out, {QString::number(g + 1),
                           record.type == JackCalibrationType::system ? QStringLiteral("系统")
                                                                      : QStringLiteral("千斤顶"),
                           JackText(record.jackNumber), JackText(record.sensorNumber),
                           FloatText(record.maxForce), QString::number(record.pointCount),
                           QString::number(record.saved), FloatText(record.zeroValue), PointsText(record)});
    }
    return 0;
}

int RunCalibration(const QStringList& args, std::FILE* out) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: kvt calibration FILE\n");
        return 2;
    }
    QByteArray bytes;
    if (!ReadHostFile(args[0], bytes))
        return 1;
    const std::optional<SystemCalibrationRun> run = ParseSystemCalibration(bytes);
    if (!run) {
        std::fprintf(stderr, "kvt: %s is not a system calibration file (312 bytes, 1-10 points)\n",
                     qPrintable(args[0]));
        return 1;
    }
    const auto field = [out](const char* name, const QString& value) {
        WriteCsvLine(out, {QString::fromUtf8(name), value});
    };
    const auto number = [](auto value) {
        if constexpr (std::is_floating_point_v<decltype(value)>)
            return FloatText(value);
        else
            return QString::number(value);
    };
    field("sensor_kind", run->OilSensor() ? QStringLiteral("oil") : QStringLiteral("load"));
    field("sensitivity", number(run->sensitivity));
    field("counts_per_kN", number(run->countsPerKn));
    field("max_force_kN", number(run->maxForce));
    field("points", number(run->pointCount));
    field("oil_range_MPa", number(run->oilRange));
    field("load_range_kN", number(run->loadRange));
    field("rated_force_kN", number(run->ratedForce));
    field("rated_pressure_MPa", number(run->ratedPressure));
    field("started", number(run->started));
    field("calibration_index", number(run->calibrationIndex));
    field("calibration_done", number(run->calibrationDone));
    field("pass_done", number(run->passDone));
    field("check_mode", number(run->checkMode));
    field("field15", number(run->carried[0]));
    field("field16", number(run->carried[1]));
    field("check_index", number(run->checkIndex));
    field("check_done", number(run->checkDone));
    WriteCsvLine(out, {QStringLiteral("point"), QStringLiteral("standard_kN"),
                       QStringLiteral("calibration_kN"), QStringLiteral("calibration_MPa"),
                       QStringLiteral("check_kN"), QStringLiteral("check_MPa")});
    for (std::size_t i = 0; i < kSystemCalibrationSlots; ++i)
        WriteCsvLine(out, {QString::number(i), FloatText(run->standardForce[i]),
                           FloatText(run->calibrationForce[i]), FloatText(run->calibrationPressure[i]),
                           FloatText(run->checkForce[i]), FloatText(run->checkPressure[i])});
    return 0;
}
