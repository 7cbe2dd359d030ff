#include "core/engine/StabilityJudge.h"

#include "core/data/CFormat.h"
#include "core/standards/StandardsCatalogue.h"
#include "core/view/SettlementRows.h"
#include "core/view/Truncate.h"

#include <algorithm>
#include <cmath>

namespace {

// Settlements are compared in whole hundredths or thousandths of a millimetre,
// rounded as trunc(x + 0.5) with the truncation toward zero.
int RoundedUnits(float mm, float unitsPerMm) {
    const float scaled = unitsPerMm * mm;
    return TruncateToInt(static_cast<double>(scaled) + 0.5);
}

class StabilityRule {
  public:
    explicit StabilityRule(CPublic& pub)
        : m_pub(pub), m_rows(pub.recordList), m_rules(StandardRulesOf(pub.standardCode)),
          m_last(std::min<int>(pub.rowCount, static_cast<int>(pub.recordList.size())) - 1),
          m_windowMinutes(pub.stableCheckMinutes), m_count(std::max(pub.stableCheckCount, 0)),
          m_target(pub.run.View().targetLoad) {}

    bool Judge() {
        if (m_last < 1)
            return false;
        if (Minutes(m_last) < LeastMinutes() || m_last < m_count)
            return false;
        // A missing reading would pass every comparison it is part of.
        if (StageHasMissingReading())
            return false;

        switch (m_rules.stability) {
        case StabilityFamily::twoIntervalConvergence:
            return TwoIntervalsConverge();
        case StabilityFamily::incrementConvergence:
            return IncrementsConverge();
        case StabilityFamily::holdingTimeOnly:
            return true;
        case StabilityFamily::oneWindow:
            return OneWindowPasses();
        case StabilityFamily::windowChain:
            return WindowChainPasses();
        case StabilityFamily::lastReadings:
            return LastReadingsPass();
        case StabilityFamily::never:
            break;
        }
        return false;
    }

  private:
    // The earlier end of a window: a row found, none far enough back, or a
    // row of another stage load on the way.
    struct Window {
        enum Outcome { Found, NotFound, OtherStage } outcome;
        int start = -1;
    };

    float Settlement(int row) const { return m_rows[static_cast<std::size_t>(row)].avgSettlement; }
    bool StageHasMissingReading() const {
        for (int row = m_last; row >= 0 && StageLoad(row) == StageLoad(m_last); --row) {
            if (!std::isfinite(Settlement(row)))
                return true;
        }
        return false;
    }
    int StageLoad(int row) const { return m_rows[static_cast<std::size_t>(row)].rowLoad; }
    int Minutes(int row) const {
        return ReadInteger(QString::fromLatin1(RowMinutesText(m_rows[static_cast<std::size_t>(row)])));
    }

    int LeastMinutes() const {
        // The ladder's tenth stage holds two hours.
        if (m_rules.loadingLadder && m_target == 10.0f * m_pub.stageStep)
            return 120;
        return m_pub.holdMinutes;
    }

    // Goes back from row `from` to the first row at least one window before
    // row `end`; every row on the way must carry the last row's stage load.
    Window SearchWindow(int from, int end) const {
        for (int row = from; row >= 0; --row) {
            if (StageLoad(row) != StageLoad(m_last))
                return {Window::OtherStage};
            if (Minutes(end) - Minutes(row) >= m_windowMinutes)
                return {Window::Found, row};
        }
        return {Window::NotFound};
    }

    bool TwoIntervalsConverge() const {
        const int n = m_last;
        if (n < 4)
            return false;
        const float d0 = Settlement(n) - Settlement(n - 2);
        const float d1 = Settlement(n - 1) - Settlement(n - 3);
        const float d2 = Settlement(n - 2) - Settlement(n - 4);
        return d1 >= d0 && d2 >= d1;
    }

    bool IncrementsConverge() const {
        const int n = m_last;
        if (n < 2)
            return false;
        return Settlement(n - 1) - Settlement(n - 2) >= Settlement(n) - Settlement(n - 1);
    }

    bool OneWindowPasses() const {
        const Window window = SearchWindow(m_last - 1, m_last);
        if (window.outcome != Window::Found)
            return false;
        return RoundedUnits(Settlement(m_last) - Settlement(window.start), 100.0f) <=
               RoundedUnits(m_pub.stableSettlement, 100.0f);
    }

    // K consecutive windows back from the last row, each ending where the
    // later one starts.
    bool WindowChainPasses() {
        const bool bearingCapacityRule = m_rules.stableSettlementFromBearingCapacity;
        int reference = m_last;
        int passed = 0;
        while (true) {
            const Window window = SearchWindow(reference - 1, reference);
            if (window.outcome != Window::Found)
                return false;
            if (bearingCapacityRule)
                m_pub.stableSettlement = static_cast<float>(m_pub.bearingCapacity) < m_target ? 0.25f : 0.1f;
            const int settled = RoundedUnits(Settlement(reference) - Settlement(window.start), 100.0f);
            const int allowed = RoundedUnits(m_pub.stableSettlement, 100.0f);
            if (bearingCapacityRule ? settled > allowed : settled >= allowed)
                return false;
            if (++passed >= m_count)
                return true;
            reference = window.start;
        }
    }

    // Each of the last K readings against the settlement one window before it.
    bool LastReadingsPass() const {
        const bool strict = m_rules.strictlyBelowStableSettlement;
        const int allowed = RoundedUnits(m_pub.stableSettlement, 1000.0f);
        int passed = 0;
        for (int row = m_last; row > m_last - m_count; --row) {
            const Window window = SearchWindow(row - 1, row);
            if (window.outcome == Window::OtherStage)
                return false;
            if (window.outcome == Window::NotFound)
                continue;
            const int settled = RoundedUnits(Settlement(row) - Settlement(window.start), 1000.0f);
            if (strict ? settled >= allowed : settled > allowed)
                return false;
            ++passed;
        }
        return passed >= m_count;
    }

    CPublic& m_pub;
    const std::vector<Record>& m_rows;
    const StandardRules& m_rules;
    const int m_last; // n: the row of the reading just taken
    const int m_windowMinutes;
    const int m_count;    // K: windows or readings to pass; a typed negative counts as none
    const float m_target; // the stage load
};

} // namespace

bool JudgeStability(CPublic& pub) {
    if (!StabilityRule(pub).Judge())
        return false;
    pub.run.Post(RunCommands::Enter{ControlState::Stable});
    pub.saveRequested = true;
    return true;
}
