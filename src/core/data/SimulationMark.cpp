#include "core/data/SimulationMark.h"

#include "core/data/DeviceText.h"

namespace {

const QString kSimulatedTest = QStringLiteral("模拟试验");

QString Pace(double timeScale) {
    return QString::number(timeScale, 'g', 4);
}

} // namespace

QString SimulationRemark(double timeScale) {
    return timeScale == 1.0 ? kSimulatedTest : kSimulatedTest + QStringLiteral(" 时间倍率") + Pace(timeScale);
}

void MarkSimulatedTest(std::vector<Record>& rows, const QString& remark) {
    if (rows.size() > static_cast<std::size_t>(kSimulationMarkRow))
        SetFieldText(rows[kSimulationMarkRow].textLong, DeviceText::FromUnicode(remark));
}

QString SimulationRemarkOf(const std::vector<Record>& rows) {
    if (rows.size() <= static_cast<std::size_t>(kSimulationMarkRow))
        return {};
    const QString text = DeviceText::ToUnicode(FieldText(rows[kSimulationMarkRow].textLong));
    return text.startsWith(kSimulatedTest) ? text : QString();
}

std::optional<QString> SimulationScreenMark(bool simulated, double timeScale, bool testSimulated) {
    if (simulated)
        return timeScale == 1.0 ? QStringLiteral("模拟") : QStringLiteral("模拟\n×") + Pace(timeScale);
    if (testSimulated)
        return QStringLiteral("模拟\n数据");
    return std::nullopt;
}
