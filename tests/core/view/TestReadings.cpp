#include "TestReadings.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"

#include <algorithm>
#include <cstring>

TestReadings::TestReadings(CPublic& pub) : m_pub(pub) {}

Record& TestReadings::Next() {
    const auto index = static_cast<std::size_t>(m_pub.readingCount);
    while (m_pub.recordList.size() < index + 2)
        m_pub.recordList.push_back(Record::Template());
    m_pub.readingCount = static_cast<int>(index) + 1;
    Record& row = m_pub.recordList[index];
    row.load = m_level;
    const int minute = static_cast<int>(index);
    std::memcpy(row.clock, CFormat("%02d:%02d", 8 + minute / 60 % 16, minute % 60).constData(), 5);
    return row;
}

TestReadings& TestReadings::Level(int load) {
    m_level = load;
    std::memcpy(Next().clock, "--:--", 5);
    return *this;
}

TestReadings& TestReadings::Reading(float mm) {
    Record& row = Next();
    std::fill(std::begin(row.gauge), std::end(row.gauge), mm);
    return *this;
}

TestReadings& TestReadings::Readings(std::initializer_list<float> mm) {
    for (const float value : mm)
        Reading(value);
    return *this;
}

TestReadings& TestReadings::Gauges(const std::vector<float>& gauges) {
    Record& row = Next();
    std::copy(gauges.begin(), gauges.begin() + std::min<std::size_t>(gauges.size(), 8), row.gauge);
    return *this;
}

TestReadings& TestReadings::Marked(float mm, const QString& remark) {
    Reading(mm);
    SetFieldText(m_pub.recordList[m_pub.readingCount - 1].remark, DeviceText::FromUnicode(remark));
    return *this;
}

TestReadings& TestReadings::Manual(float mm) {
    return Marked(mm, QStringLiteral("手动"));
}

TestReadings& TestReadings::Interrupted(float mm) {
    return Marked(mm, QStringLiteral("中断"));
}

std::string TestReadings::MinutesOf(const Record& row) {
    const QByteArray text = FieldText(row.rowMinutes);
    return std::string(text.constData(), static_cast<std::size_t>(text.size()));
}
