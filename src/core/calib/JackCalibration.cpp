#include "core/calib/JackCalibration.h"

#include "core/data/CPublic.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void SetText(char16_t (&field)[20], const QString& text) {
    std::memset(field, 0, sizeof field);
    const qsizetype units = std::min<qsizetype>(text.size(), kJackNumberLength);
    std::memcpy(field, text.utf16(), static_cast<std::size_t>(units) * sizeof(char16_t));
}

// The point count of box 1004: a whole number from 1 to 10.
std::optional<int> PointCountOf(const QString& text) {
    if (!IsNumber(text) || text.contains(QLatin1Char('.')) || text.startsWith(QLatin1Char('-')))
        return std::nullopt;
    const int n = text.toInt();
    if (n < 1 || n > kJackPoints)
        return std::nullopt;
    return n;
}

bool Rising(const float* values, int count) {
    for (int i = 1; i < count; ++i) {
        // Written so that a NaN is refused as well.
        if (!(values[i] > values[i - 1]))
            return false;
    }
    return true;
}

} // namespace

QString GroupLabel(int group) {
    return QString::asprintf("第%d组       共10组", group);
}

JackGroupForm FormOfRecord(const JackRecord& record) {
    JackGroupForm form;
    form.system = record.type == JackCalibrationType::system;
    form.jackNumber = JackText(record.jackNumber);
    form.sensorNumber = JackText(record.sensorNumber);
    form.maxForce = QString::asprintf("%.2f", record.maxForce);
    form.pointCount = QString::asprintf("%d", record.pointCount);
    form.standardForce[0] = QString::asprintf("%.2f", 0.0);
    form.measured[0] = QString::asprintf("%.2f", record.zeroValue);
    for (int i = 0; i < kJackPoints; ++i) {
        form.standardForce[i + 1] = QString::asprintf("%.2f", record.force[i]);
        form.measured[i + 1] = QString::asprintf("%.2f", record.pressure[i]);
    }
    return form;
}

StandardForces GenerateStandardForces(const JackGroupForm& form) {
    using namespace JackCalibrationText;
    StandardForces result;
    if (form.system && form.sensorNumber.isEmpty()) {
        result.refusal = kSensorNumberEmpty;
        return result;
    }
    if (!IsNumber(form.maxForce)) {
        result.refusal = kMaxForceNotNumber;
        return result;
    }
    const int maxForce = static_cast<int>(ReadNumber(form.maxForce));
    // A force below 1 kN would give zero (or falling) standard forces.
    if (maxForce <= 0) {
        result.refusal = kMaxForceZero;
        return result;
    }
    const std::optional<int> n = PointCountOf(form.pointCount);
    if (!n) {
        result.refusal = kPointCountInvalid;
        return result;
    }
    result.pointCount = *n;
    for (int i = 0; i <= *n; ++i)
        result.force[static_cast<std::size_t>(i)] = maxForce / *n * i;
    return result;
}

const char* StoreGroup(const JackGroupForm& form, JackRecord& record) {
    using namespace JackCalibrationText;
    if (!form.system && form.jackNumber.isEmpty())
        return kJackNumberEmpty;
    if (form.system && form.sensorNumber.isEmpty())
        return kSensorNumberEmpty;
    // The points to check are as many as box 1004 says, so it must say a
    // count the group can hold.
    const std::optional<int> n = PointCountOf(form.pointCount);
    if (!n)
        return kPointCountInvalid;
    for (int i = 1; i <= *n; ++i) {
        const QString& value = form.measured[static_cast<std::size_t>(i)];
        if (value.isEmpty())
            return kPointMissing;
        if (!IsNumber(value))
            return kPointInvalid;
    }
    if (!IsNumber(form.measured[0]))
        return kZeroInvalid;
    if (record.saved == 1)
        return kAlreadySaved;

    JackRecord stored = JackRecord::Blank();
    stored.type = form.system ? JackCalibrationType::system : JackCalibrationType::jack;
    SetText(stored.jackNumber, form.jackNumber);
    SetText(stored.sensorNumber, form.sensorNumber);
    stored.maxForce = ReadNumber(form.maxForce);
    stored.pointCount = *n;
    for (int i = 0; i < kJackPoints; ++i) {
        const auto box = static_cast<std::size_t>(i + 1);
        stored.force[i] = i < *n ? ReadNumber(form.standardForce[box]) : 0.0f;
        stored.pressure[i] = i < *n ? ReadNumber(form.measured[box]) : 0.0f;
    }
    stored.zeroValue = ReadNumber(form.measured[0]);
    // A group the load conversion cannot use would freeze the load of the
    // test that selects it: refuse it here, while it can still be mended.
    if (*n < 3)
        return kTooFewPoints;
    if (!Rising(stored.force, *n))
        return kForcesNotRising;
    if (!Rising(stored.pressure, *n))
        return kMeasuredNotRising;
    stored.saved = 1;
    record = stored;
    return nullptr;
}

GroupMove NextGroup(const std::vector<JackRecord>& table, int group, bool testRunning) {
    const auto saved = [&table](int g) { return table.at(static_cast<std::size_t>(g - 1)).saved == 1; };
    if (group >= kJackSlots)
        return {kJackSlots, nullptr};
    if (testRunning && !saved(group + 1))
        return {group, nullptr};
    if (!saved(group))
        return {group, JackCalibrationText::kNextRefused};
    return {group + 1, nullptr};
}

int PreviousGroup(int group) {
    return std::max(1, group - 1);
}

void DeleteGroup(std::vector<JackRecord>& table, int group) {
    const auto at = table.begin() + (group - 1);
    std::move(at + 1, table.end(), at);
    table.back() = JackRecord::Blank();
}

std::vector<JackRecord> BlankJackTable() {
    return std::vector<JackRecord>(kJackSlots, JackRecord::Blank());
}
