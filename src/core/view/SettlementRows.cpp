#include "core/view/SettlementRows.h"

#include "core/data/CFormat.h"
#include "core/data/DeviceText.h"
#include "core/standards/StandardsCatalogue.h"
#include "core/view/RoundDecimals.h"
#include "core/view/Truncate.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kLevelMark[] = "--:--";

// The minutes field holds five characters, and "99999" ends the rows: a time
// that would not fit, or would read as the end, is held at the nearest value
// that does.
constexpr long long kLeastMinutes = -9999;
constexpr long long kMostMinutes = 99998;

// Files of other instrument versions mark record 7's clock with "K9RX" or
// "gg"; in such a file the level loads of a ground test are divided by the
// plate area.
bool HasKnLoadMarker(const std::vector<Record>& records) {
    if (records.size() < 8)
        return false;
    const QByteArray marker = FieldText(records[7].clock);
    return marker == "K9RX" || marker == "gg";
}

// One pass over the readings; the members carry the state between readings.
class Derivation {
  public:
    explicit Derivation(CPublic& pub)
        : m_pub(pub), m_records(pub.recordList), m_rules(StandardRulesOf(pub.standardCode)),
          m_divideByPlateArea(!pub.loadInKN && HasKnLoadMarker(pub.recordList)) {}

    void Run() {
        const int readings = std::min<int>(m_pub.readingCount, static_cast<int>(m_records.size()));
        if (readings > 0) {
            std::memcpy(m_records[0].clock, kLevelMark, 5);
            for (int i = 0; i < readings; ++i) {
                const Record& reading = m_records[static_cast<std::size_t>(i)];
                if (IsManualReading(reading))
                    continue;
                if (IsEndMark(reading.clock))
                    break;
                if (OpensLevel(reading))
                    OpenLevel(i);
                else
                    AddReading(i);
            }
            if (Record* end = RowAt(m_row))
                std::memcpy(end->rowMinutes, kEndOfRows, 5);
        }
        m_pub.rowCount = m_row;
        m_measured.resize(static_cast<std::size_t>(std::max(m_row, 0)));
        m_pub.rowMeasured = std::move(m_measured);
    }

  private:
    // Rows never run ahead of the readings by more than one; a list too short
    // for the closing row simply has none.
    Record* RowAt(int index) {
        if (index < 0 || static_cast<std::size_t>(index) >= m_records.size())
            return nullptr;
        return &m_records[static_cast<std::size_t>(index)];
    }

    void MarkMeasured(int row, bool measured) {
        if (row < 0)
            return;
        const auto index = static_cast<std::size_t>(row);
        if (m_measured.size() <= index)
            m_measured.resize(index + 1);
        m_measured[index] = measured;
    }

    void OpenLevel(int i) {
        const Record& opening = m_records[static_cast<std::size_t>(i)];
        int levelLoad = opening.load;
        // The unloading test compares with the undivided quotient.
        float comparedLoad = static_cast<float>(opening.load);
        const float plateArea = m_pub.plateArea;
        if (m_divideByPlateArea && plateArea != 0.0f) {
            comparedLoad = static_cast<float>(opening.load) / plateArea;
            levelLoad = TruncateToInt(comparedLoad);
        }
        m_unloading = static_cast<float>(m_lastLevelLoad) > comparedLoad;
        m_lastLevelLoad = levelLoad;

        if (Record* row = RowAt(m_row)) {
            row->rowLoad = levelLoad;
            SetFieldText(row->rowMinutes, "0");
            // Until its 0-minute reading arrives the level stands at the
            // settlement the level before ended with.
            if (i > 0)
                row->avgSettlement = RoundedGaugeAverage(m_pub, m_records[static_cast<std::size_t>(i) - 1]);
        }
        MarkMeasured(m_row, false);
        m_newLevel = true;
        m_levelStep = 0;
        ++m_row;
    }

    void AddReading(int i) {
        const float average = RoundedGaugeAverage(m_pub, m_records[static_cast<std::size_t>(i)]);
        if (m_newLevel) {
            // The level's first reading is its 0-minute reading: it takes
            // over the opening row.
            --m_row;
            m_newLevel = false;
            if (Record* row = RowAt(m_row))
                row->avgSettlement = average;
        } else {
            bool capped = false;
            if (m_levelStep != 1) {
                if (m_row == 0)
                    m_row = 1;
                if (m_levelStep == 0)
                    m_levelStep = 1;
                if (m_levelStep > 6) {
                    m_levelStep = 6;
                    capped = true;
                }
            }
            const long long minutes = std::clamp(ScheduledMinutes(capped), kLeastMinutes, kMostMinutes);
            if (Record* row = RowAt(m_row)) {
                row->rowLoad = m_lastLevelLoad;
                row->avgSettlement = average;
                SetFieldText(row->rowMinutes, CFormat("%.0d", static_cast<int>(minutes)));
            }
        }
        MarkMeasured(m_row, true);
        ++m_levelStep;
        ++m_row;
    }

    // Minutes since the level began for the reading at m_levelStep (1 for the
    // first after the 0-minute reading); `capped` for the eighth and later
    // readings of a level.
    long long ScheduledMinutes(bool capped) {
        const std::array<int, 6>& intervals = m_unloading ? m_pub.unloadIntervals : m_pub.loadIntervals;
        if (m_levelStep == 1) {
            // The rebound reading of a plate test at zero load waits two hours.
            if (m_unloading && m_rules.firstReboundAfterTwoHours && m_lastLevelLoad == 0)
                return 120;
            return intervals[0];
        }
        long long step = intervals[static_cast<std::size_t>(m_levelStep) - 1];
        if (capped && !m_unloading && m_rules.doublesLastLoadingInterval)
            step *= 2;
        const Record* previous = RowAt(m_row - 1);
        const long long previousMinutes = previous ? TruncateToInt(RowMinutesValue(*previous)) : 0;
        return previousMinutes + step;
    }

    CPublic& m_pub;
    std::vector<Record>& m_records;
    const StandardRules& m_rules;
    const bool m_divideByPlateArea;
    int m_levelStep = 0;
    int m_row = 0;
    int m_lastLevelLoad = -10;
    bool m_unloading = false;
    bool m_newLevel = false;
    std::vector<bool> m_measured;
};

} // namespace

void DeriveSettlementRows(CPublic& pub) {
    Derivation(pub).Run();
}

float EnabledGaugeAverage(const CPublic& pub, const Record& record) {
    float sum = 0.0f;
    int enabled = 0;
    for (int k = 0; k < 4; ++k) {
        if (pub.gaugeOn[static_cast<std::size_t>(k)] == 1) {
            sum += record.gauge[k];
            ++enabled;
        }
    }
    return sum / static_cast<float>(std::max(enabled, 1));
}

float RoundedGaugeAverage(const CPublic& pub, const Record& record) {
    return RoundDecimals(EnabledGaugeAverage(pub, record), SettlementDecimals(pub.standardCode));
}

bool IsManualReading(const Record& record) {
    static const QString manual = QStringLiteral("手动");
    static const QByteArray manualBytes = DeviceText::FromUnicode(manual);
    // A remark holding the word holds its bytes; only such a remark is
    // decoded, which rules out bytes that straddle two characters.
    const QByteArray remark = FieldText(record.remark);
    return remark.contains(manualBytes) && DeviceText::ToUnicode(remark).contains(manual);
}

bool OpensLevel(const Record& record) {
    return std::memcmp(record.clock, kLevelMark, 5) == 0;
}

QByteArray RowMinutesText(const Record& record) {
    return FieldText(record.rowMinutes).trimmed();
}

float RowMinutesValue(const Record& record) {
    return ReadNumber(QString::fromLatin1(RowMinutesText(record)));
}
