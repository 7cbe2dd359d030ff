#include "ReplyFaults.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace {
// Bytes of one reply that a garbled transfer corrupts, at most.
constexpr int kMostGarbledBytes = 4;
// Bytes 1-11 hold the load and the first gauges.
constexpr int kZeroedFrom = 1;
constexpr int kZeroedCount = 11;
} // namespace

std::optional<FaultKind> faultKindFromName(const QString& name) {
    if (name == QLatin1String("none"))
        return FaultKind::None;
    if (name == QLatin1String("silence"))
        return FaultKind::Silence;
    if (name == QLatin1String("short"))
        return FaultKind::Short;
    if (name == QLatin1String("garbage"))
        return FaultKind::Garbage;
    if (name == QLatin1String("zeros"))
        return FaultKind::Zeros;
    return std::nullopt;
}

ReplyFaults::ReplyFaults(const FaultPlan& plan, unsigned seed) : m_plan(plan), m_random(seed) {}

QByteArray ReplyFaults::Apply(const QByteArray& reply) {
    if (m_plan.kind == FaultKind::None || reply.isEmpty())
        return reply;
    if (std::uniform_real_distribution<double>(0.0, 1.0)(m_random) >= m_plan.rate)
        return reply;

    QByteArray spoilt = reply;
    switch (m_plan.kind) {
    case FaultKind::None:
        break;
    case FaultKind::Silence:
        spoilt.clear();
        break;
    case FaultKind::Short:
        spoilt.truncate(std::uniform_int_distribution<int>(1, std::max<int>(1, reply.size() - 1))(m_random));
        break;
    case FaultKind::Garbage: {
        // Distinct positions, each flipped by a non-zero mask, so the reply really changes.
        std::vector<int> positions(reply.size());
        std::iota(positions.begin(), positions.end(), 0);
        std::shuffle(positions.begin(), positions.end(), m_random);
        const int count =
            std::uniform_int_distribution<int>(1, std::min<int>(kMostGarbledBytes, reply.size()))(m_random);
        std::uniform_int_distribution<int> flip(1, 255);
        for (int i = 0; i < count; ++i)
            spoilt[positions[i]] = static_cast<char>(spoilt.at(positions[i]) ^ flip(m_random));
        break;
    }
    case FaultKind::Zeros:
        for (int i = kZeroedFrom; i < std::min<int>(reply.size(), kZeroedFrom + kZeroedCount); ++i)
            spoilt[i] = 0;
        break;
    }
    return spoilt;
}
