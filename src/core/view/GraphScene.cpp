#include "core/view/GraphScene.h"

#include "core/data/CFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kTickCount = 50;
constexpr int kScaleSteps = 5;
constexpr int kMajorTick = 8;
constexpr int kMinorTick = 5;
constexpr int kCaptionOffset = 20;

class SceneBuilder {
  public:
    SceneBuilder(const CurveModel& curves, int width, int height)
        : m_curves(curves), m_frame(width, height), m_mapper(curves, m_frame) {}

    std::vector<GraphItem> Compose() {
        AddAxes();
        AddOrdinateScale();
        switch (m_curves.curveMode) {
        case 1:
            AddLinearLoadAxis();
            AddLoadCurve(false);
            break;
        case 2:
            AddLogAxis(m_curves.loadInKN ? "lgQ(kN)" : "p(kPa)", LoadDecades(m_curves.maxX));
            AddLoadCurve(true);
            break;
        case 3:
            AddLogAxis("lgt(min)", TimeDecades(m_curves.maxMinutes));
            AddTimeCurves();
            break;
        default:
            break;
        }
        return std::move(m_items);
    }

  private:
    void Line(int x1, int y1, int x2, int y2, GraphPen pen = GraphPen::Axis) {
        m_items.emplace_back(GraphLine{{x1, y1}, {x2, y2}, pen});
    }
    void Text(int x, int y, const QString& text) { m_items.emplace_back(GraphText{{x, y}, text}); }

    void AddAxes() {
        const GraphFrame& f = m_frame;
        Line(f.X0(), f.Y0(), f.X0(), f.bottom - 10);
        Line(f.X0(), f.bottom - 10, f.X0() + 2, f.bottom - 20);
        Line(f.X0(), f.bottom - 10, f.X0() - 2, f.bottom - 20);
        Line(f.X0(), f.Y0(), f.right - 10, f.Y0());
        Line(f.right - 20, f.top + 28, f.right - 10, f.Y0());
        Line(f.right - 20, f.top + 32, f.right - 10, f.Y0());
    }

    void AddOrdinateScale() {
        const GraphFrame& f = m_frame;
        for (int k = 1; k <= kTickCount; ++k)
            Line(f.X0(), f.Y0() + f.H() * k / kTickCount, f.X0() + TickLength(k),
                 f.Y0() + f.H() * k / kTickCount);
        Text(f.X0() + 8, f.bottom - 18, QStringLiteral("s(mm)"));
        const double range = SettlementRange(m_curves);
        for (int k = 0; k <= kScaleSteps; ++k) {
            const QString number = QString::fromLatin1(CFormat("%.2f", k * range * 0.2));
            // Right-aligned by hand for the usual widths of the numbers.
            const int x = number.size() == 4 ? f.left + 8 : number.size() == 5 ? f.left + 4 : f.left;
            Text(x, f.Y0() - 7 + f.H() * k / kScaleSteps, number);
        }
    }

    static int TickLength(int k) { return k % 10 == 0 ? kMajorTick : kMinorTick; }

    // A scale number of the abscissa, centred by hand over its mark at `x`.
    void AbscissaNumber(int x, long long value) {
        const QString number = QString::number(value);
        Text(number.size() >= 2 ? x + 2 - 4 * static_cast<int>(number.size()) : x - 3, m_frame.top + 10,
             number);
    }

    // In the bottom margin, ending at the right edge, level with the ordinate
    // caption: under the axis it would sit on the points at the largest
    // load, and the longer captions would run past the edge.
    void AbscissaCaption(const char* caption) {
        m_items.emplace_back(
            GraphText{{m_frame.right - 4, m_frame.bottom - 18}, QString::fromLatin1(caption), true});
    }

    void AddLinearLoadAxis() {
        const GraphFrame& f = m_frame;
        for (int k = 1; k <= kTickCount; ++k)
            Line(f.X0() + f.W() * k / kTickCount, f.Y0(), f.X0() + f.W() * k / kTickCount,
                 f.Y0() + TickLength(k));
        AbscissaCaption(m_curves.loadInKN ? "Q(kN)" : "p(kPa)");
        const int span = LinearLoadSpan(m_curves);
        for (int k = 0; k <= kScaleSteps; ++k)
            AbscissaNumber(f.X0() + f.W() * k / kScaleSteps,
                           m_curves.minX + std::int64_t{span} * k / kScaleSteps);
        for (int k = 1; k <= kScaleSteps; ++k) {
            const int x = f.X0() + f.W() * k / kScaleSteps;
            Line(x, f.Y0(), x, f.Y1(), GraphPen::Grid);
            const int y = f.Y0() + f.H() * k / kScaleSteps;
            Line(f.X0(), y, f.X1(), y, GraphPen::Grid);
        }
    }

    void AddLogAxis(const char* caption, int decades) {
        const GraphFrame& f = m_frame;
        AbscissaCaption(caption);
        for (int k = 1; k <= decades; ++k)
            Line(f.X0() + f.W() * k / decades, f.Y0(), f.X0() + f.W() * k / decades, f.Y0() + kMajorTick);
        const int decadeWidth = f.W() / decades;
        for (int j = 0; j < decades; ++j) {
            for (int i = 1; i <= 9; ++i) {
                const int x = f.X0() + static_cast<int>(decadeWidth * (std::log10(i) + j));
                Line(x, f.Y0(), x, f.Y0() + kMinorTick);
            }
        }
        long long power = 1;
        for (int j = 0; j <= decades; ++j, power *= 10)
            AbscissaNumber(f.X0() + f.W() * j / decades, power);
    }

    void Marker(GraphPoint centre) { m_items.emplace_back(GraphMarker{centre}); }
    void CurveLine(GraphPoint from, GraphPoint to) {
        m_items.emplace_back(GraphLine{from, to, GraphPen::Curve});
    }

    // The load points joined in order, each but the first with a marker; the
    // log-load curve ends at the largest load (the loading branch only).
    void AddLoadCurve(bool stopAtLargestLoad) {
        std::optional<GraphPoint> previous;
        for (std::size_t i = 0; i < m_curves.loadPoints.size(); ++i) {
            const CurvePoint point = m_curves.loadPoints[i];
            if (const auto pixel = m_mapper.MapPoint(point)) {
                if (previous)
                    CurveLine(*previous, *pixel);
                if (i > 0)
                    Marker(*pixel);
                previous = pixel;
            }
            if (stopAtLargestLoad && point.x == m_curves.maxX)
                break;
        }
    }

    // One curve per level, each captioned at its last point; the unloading
    // levels after the largest level are left out. Points without a
    // logarithm are skipped as though absent.
    void AddTimeCurves() {
        const std::size_t count = std::min(m_curves.timePoints.size(), CurveModel::kMaxTimePoints);
        std::optional<GraphPoint> previous;
        int previousLevel = 0;
        int captions = 0;
        bool largestLevelMet = false;
        for (std::size_t i = 0; i < count; ++i) {
            const int level = m_curves.pointLevel[i];
            if (i > 0 && level == CurveModel::kNoLevel)
                break;
            if (largestLevelMet && level < m_curves.maxX)
                break;
            largestLevelMet = largestLevelMet || level == m_curves.maxX;
            const auto pixel = m_mapper.MapPoint(m_curves.timePoints[i]);
            if (!pixel)
                continue;
            if (previous && level == previousLevel) {
                CurveLine(*previous, *pixel);
            } else if (previous) {
                CaptionLevel(++captions, previousLevel, *previous);
            }
            Marker(*pixel);
            previous = pixel;
            previousLevel = level;
        }
        if (previous)
            CaptionLevel(++captions, previousLevel, *previous);
    }

    void CaptionLevel(int n, int levelLoad, GraphPoint lastPoint) {
        Text(lastPoint.x + kCaptionOffset, lastPoint.y, LevelCaption(n, levelLoad, m_curves.loadInKN));
    }

    const CurveModel& m_curves;
    GraphFrame m_frame;
    GraphMapper m_mapper;
    std::vector<GraphItem> m_items;
};

} // namespace

std::vector<GraphItem> ComposeGraphScene(const CurveModel& curves, int width, int height) {
    return SceneBuilder(curves, width, height).Compose();
}

QString LevelCaption(int n, int levelLoad, bool loadInKN) {
    return QStringLiteral("(%1) %2%3")
        .arg(n)
        .arg(levelLoad)
        .arg(loadInKN ? QStringLiteral("(kN)") : QStringLiteral("(kPa)"));
}
