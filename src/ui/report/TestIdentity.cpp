#include "ui/report/TestIdentity.h"

#include "core/data/ParameterRows.h"
#include "core/data/RunStateRows.h"
#include "core/standards/StandardsCatalogue.h"
#include "core/view/SettlementRows.h"
#include "ui/report/Csv.h"

#include <QLocale>

#include <algorithm>

namespace {

// The date of the last save, written by every save of the run state.
constexpr RowSlot kSaveDateSlot{kLastRunStateRow, TextField::value};

QVariant TextValue(const QString& text) {
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QVariant() : QVariant(trimmed);
}

QString LoadUnit(bool loadInKN) {
    return loadInKN ? QStringLiteral("kN") : QStringLiteral("kPa");
}

// The clock of the first or last reading that is not a level-opening mark.
QVariant ReadingClock(const CPublic& pub, bool last) {
    const int readings =
        std::clamp(static_cast<int>(pub.readingCount), 0, static_cast<int>(pub.recordList.size()));
    for (int n = 0; n < readings; ++n) {
        const Record& record = pub.recordList[static_cast<std::size_t>(last ? readings - 1 - n : n)];
        if (!OpensLevel(record))
            return TextValue(QString::fromLatin1(FieldText(record.clock)));
    }
    return {};
}

QString LoadConversion(const CPublic& pub) {
    switch (pub.pressureMode) {
    case 1:
        return QStringLiteral("计算");
    case 2:
        return pub.calibrationSource == 0 ? QStringLiteral("率定数据(千斤顶率定)")
                                          : QStringLiteral("率定数据(系统率定)");
    case 3:
        return QStringLiteral("回归方程");
    default:
        return QStringLiteral("未知方式 %1").arg(pub.pressureMode);
    }
}

// The file keeps no group index: the test settings chose the calibration
// group by these numbers.
QVariant CalibrationGroup(const CPublic& pub) {
    if (pub.pressureMode != 2)
        return {};
    QString group = QStringLiteral("千斤顶编号 %1").arg(pub.jackNumber);
    if (pub.calibrationSource != 0)
        group += QStringLiteral(", 传感器编号 %1").arg(pub.sensorNumber);
    return group;
}

} // namespace

std::vector<IdentityField> TestIdentity(const CPublic& pub) {
    const QString unit = LoadUnit(pub.loadInKN);
    const bool oilSensor = pub.pressureSensor == 1;
    const QString rangeUnit = oilSensor ? QStringLiteral("MPa") : QStringLiteral("kN");
    const StandardEntry* standard = FindStandardByCode(pub.standardCode);
    auto text = [&pub](ParameterText id) { return TextValue(ReadParameterText(pub, id)); };

    std::vector<IdentityField> fields{
        {QStringLiteral("serial_number"), QStringLiteral("检测流水号"), text(ParameterText::serialNumber)},
        {QStringLiteral("pile_number"), QStringLiteral("试桩编号"), text(ParameterText::pileNumber)},
        {QStringLiteral("test_date"), QStringLiteral("测试日期"), text(ParameterText::testDate)},
        {QStringLiteral("first_reading_time"), QStringLiteral("首次读数时间"), ReadingClock(pub, false)},
        {QStringLiteral("last_reading_time"), QStringLiteral("末次读数时间"), ReadingClock(pub, true)},
        {QStringLiteral("last_save_date"), QStringLiteral("末次存盘日期"),
         TextValue(RowString(pub.recordList, kSaveDateSlot))},
        {QStringLiteral("test_type"), QStringLiteral("试验类型"),
         pub.loadInKN ? QStringLiteral("单桩") : QStringLiteral("地基(压板)")},
    };
    if (!pub.loadInKN)
        fields.push_back(
            {QStringLiteral("plate_area_m2"), QStringLiteral("压板面积(m²)"), FloatValue(pub.plateArea), 3});
    fields.push_back({QStringLiteral("standard_code"), QStringLiteral("标准代码"), pub.standardCode});
    fields.push_back({QStringLiteral("standard"), QStringLiteral("标准"),
                      standard ? QVariant(standard->Caption()) : QVariant()});
    fields.push_back({QStringLiteral("load_unit"), QStringLiteral("荷载单位"), unit});
    fields.push_back({QStringLiteral("max_load_") + unit, QStringLiteral("最大加荷值(%1)").arg(unit),
                      FloatValue(pub.maxLoad), 0});
    fields.push_back({QStringLiteral("stage_load_") + unit, QStringLiteral("单级加荷值(%1)").arg(unit),
                      FloatValue(pub.stageStep), 0});
    fields.push_back(
        {QStringLiteral("jack_number"), QStringLiteral("千斤顶编号"), TextValue(pub.jackNumber)});
    fields.push_back({QStringLiteral("jack_count"), QStringLiteral("千斤顶数量"), pub.jackCount});
    fields.push_back({QStringLiteral("jack_circuit"), QStringLiteral("千斤顶油路"),
                      pub.doubleCircuitJack ? QStringLiteral("双油路") : QStringLiteral("单油路")});
    fields.push_back({QStringLiteral("jack_rated_pressure_MPa"), QStringLiteral("额定油压(MPa)"),
                      FloatValue(pub.jackRatedPressure), 2});
    fields.push_back({QStringLiteral("jack_rated_force_kN"), QStringLiteral("额定出力(kN)"),
                      FloatValue(pub.jackRatedForce), 0});
    fields.push_back({QStringLiteral("sensor_type"), QStringLiteral("传感器类型"),
                      oilSensor ? QStringLiteral("油压传感器") : QStringLiteral("力传感器")});
    fields.push_back(
        {QStringLiteral("sensor_number"), QStringLiteral("传感器编号"), TextValue(pub.sensorNumber)});
    fields.push_back({QStringLiteral("sensor_range_") + rangeUnit,
                      QStringLiteral("传感器量程(%1)").arg(rangeUnit), pub.sensorRange});
    // A force sensor's box holds its own calibration coefficient there.
    fields.push_back(
        oilSensor ? IdentityField{QStringLiteral("sensor_sensitivity_mV_per_V"),
                                  QStringLiteral("传感器灵敏度(mV/V)"), FloatValue(pub.sensorSensitivity), -1}
                  : IdentityField{QStringLiteral("sensor_coefficient"), QStringLiteral("传感器标定系数"),
                                  FloatValue(pub.sensorSensitivity), -1});
    fields.push_back({QStringLiteral("load_conversion"), QStringLiteral("荷载换算"), LoadConversion(pub)});
    fields.push_back({QStringLiteral("calibration_coefficient"), QStringLiteral("标定系数K"),
                      FloatValue(pub.calibrationCoefficient), 3});
    if (pub.pressureMode == 2)
        fields.push_back(
            {QStringLiteral("calibration_group"), QStringLiteral("率定组"), CalibrationGroup(pub)});
    if (pub.pressureMode == 3) {
        fields.push_back({QStringLiteral("regression_a_MPa"), QStringLiteral("回归系数a(MPa)"),
                          FloatValue(pub.regressionA), 5});
        fields.push_back({QStringLiteral("regression_b_MPa_per_kN"), QStringLiteral("回归系数b(MPa/kN)"),
                          FloatValue(pub.regressionB), 5});
    }
    return fields;
}

QString IdentityText(const IdentityField& field) {
    if (!field.value.isValid())
        return QStringLiteral("未记录");
    if (field.value.typeId() == QMetaType::Double && field.decimals >= 0)
        return QString::number(field.value.toDouble(), 'f', field.decimals);
    if (field.value.typeId() == QMetaType::Double)
        return QString::number(field.value.toDouble(), 'g', QLocale::FloatingPointShortest);
    return field.value.toString();
}
