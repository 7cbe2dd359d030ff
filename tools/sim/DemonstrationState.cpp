#include "DemonstrationState.h"

#include "platform/FileSystem.h"

#include <QList>

#include <functional>
#include <map>
#include <string>

namespace {

constexpr qint64 kMaxStateBytes = 4096;

// Each line of the file: its name, and how the value is read from and into a state.
struct Field {
    const char* name;
    std::function<double(const DemonstrationState&)> get;
    std::function<void(DemonstrationState&, double)> set;
};

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields{
        {"clock_ms",
         [](const DemonstrationState& s) { return static_cast<double>(s.clock.toMSecsSinceEpoch()); },
         [](DemonstrationState& s, double v) {
             s.clock = QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(v));
         }},
        {"pressure", [](const DemonstrationState& s) { return s.plant.hydraulics.pressure; },
         [](DemonstrationState& s, double v) { s.plant.hydraulics.pressure = v; }},
        {"pump_rate", [](const DemonstrationState& s) { return s.plant.hydraulics.pumpRate; },
         [](DemonstrationState& s, double v) { s.plant.hydraulics.pumpRate = v; }},
        {"oil_path_reversed",
         [](const DemonstrationState& s) { return s.plant.hydraulics.reversed ? 1.0 : 0.0; },
         [](DemonstrationState& s, double v) { s.plant.hydraulics.reversed = v != 0.0; }},
        {"release_opening", [](const DemonstrationState& s) { return s.plant.hydraulics.releaseOpening; },
         [](DemonstrationState& s, double v) { s.plant.hydraulics.releaseOpening = v; }},
        {"operator_has_target",
         [](const DemonstrationState& s) { return s.plant.fieldOperator.target ? 1.0 : 0.0; },
         [](DemonstrationState& s, double v) {
             if (v == 0.0)
                 s.plant.fieldOperator.target.reset();
         }},
        {"operator_target",
         [](const DemonstrationState& s) { return s.plant.fieldOperator.target.value_or(0.0); },
         [](DemonstrationState& s, double v) {
             if (s.plant.fieldOperator.target)
                 s.plant.fieldOperator.target = v;
         }},
        {"operator_shown_per_kn",
         [](const DemonstrationState& s) { return s.plant.fieldOperator.shownPerKN; },
         [](DemonstrationState& s, double v) { s.plant.fieldOperator.shownPerKN = v; }},
        {"operator_unloading",
         [](const DemonstrationState& s) { return s.plant.fieldOperator.unloading ? 1.0 : 0.0; },
         [](DemonstrationState& s, double v) { s.plant.fieldOperator.unloading = v != 0.0; }},
        {"operator_seconds_since_drop",
         [](const DemonstrationState& s) { return s.plant.fieldOperator.secondsSinceDrop; },
         [](DemonstrationState& s, double v) { s.plant.fieldOperator.secondsSinceDrop = v; }},
        {"operator_releasing",
         [](const DemonstrationState& s) { return s.plant.fieldOperator.releasing ? 1.0 : 0.0; },
         [](DemonstrationState& s, double v) { s.plant.fieldOperator.releasing = v != 0.0; }},
        {"pile_elastic_immediate", [](const DemonstrationState& s) { return s.plant.pile.elasticImmediate; },
         [](DemonstrationState& s, double v) { s.plant.pile.elasticImmediate = v; }},
        {"pile_elastic_creep", [](const DemonstrationState& s) { return s.plant.pile.elasticCreep; },
         [](DemonstrationState& s, double v) { s.plant.pile.elasticCreep = v; }},
        {"pile_plastic_immediate", [](const DemonstrationState& s) { return s.plant.pile.plasticImmediate; },
         [](DemonstrationState& s, double v) { s.plant.pile.plasticImmediate = v; }},
        {"pile_plastic_creep", [](const DemonstrationState& s) { return s.plant.pile.plasticCreep; },
         [](DemonstrationState& s, double v) { s.plant.pile.plasticCreep = v; }},
    };
    return fields;
}

} // namespace

QByteArray FormatDemonstrationState(const DemonstrationState& state) {
    QByteArray text;
    for (const Field& field : Fields())
        text += QByteArray(field.name) + ' ' + QByteArray::number(field.get(state), 'g', 17) + '\n';
    return text;
}

std::optional<DemonstrationState> ParseDemonstrationState(const QByteArray& text) {
    std::map<std::string, double> values;
    for (const QByteArray& line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> parts = line.split(' ');
        bool ok = false;
        const double value = parts.size() == 2 ? parts[1].toDouble(&ok) : 0.0;
        if (!ok)
            return std::nullopt;
        values[parts[0].toStdString()] = value;
    }
    DemonstrationState state;
    state.plant.fieldOperator.target = 0.0; // kept unless the file says there is none
    for (const Field& field : Fields()) {
        const auto found = values.find(field.name);
        if (found == values.end())
            return std::nullopt;
        field.set(state, found->second);
    }
    if (!state.clock.isValid())
        return std::nullopt;
    return state;
}

std::optional<DemonstrationState> LoadDemonstrationState(const FileSystem& fs, const QString& path) {
    QByteArray text;
    if (fs.ReadAll(path, kMaxStateBytes, text) != FileSystem::ReadStatus::Read)
        return std::nullopt;
    return ParseDemonstrationState(text);
}

bool SaveDemonstrationState(const FileSystem& fs, const QString& path, const DemonstrationState& state) {
    return fs.ReplaceDurably(path, FormatDemonstrationState(state));
}
