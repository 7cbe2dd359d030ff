#pragma once

#include "core/view/CurveModel.h"
#include "core/view/GraphGeometry.h"

#include <QString>

#include <variant>
#include <vector>

// What the graph window draws, as a list of items in drawing order, so the
// layout can be checked without a display and any surface can render it.

enum class GraphPen {
    Axis,  // solid, axis colour: axes, arrow heads, ticks
    Grid,  // dashed, axis colour
    Curve, // solid, curve colour
};

struct GraphLine {
    GraphPoint from;
    GraphPoint to;
    GraphPen pen = GraphPen::Axis;
    bool operator==(const GraphLine&) const = default;
};

// Plain text in the text colour, placed by its top-left corner, or by its
// top-right corner when it must end at a given place (the surface that draws
// it knows the text's width).
struct GraphText {
    GraphPoint topLeft;
    QString text;
    bool rightAligned = false; // `topLeft` is then the top-right corner
    bool operator==(const GraphText&) const = default;
};

// A point marker in the curve colour, drawn in the 7 x 7 box around `centre`.
struct GraphMarker {
    GraphPoint centre;
    bool operator==(const GraphMarker&) const = default;
};

using GraphItem = std::variant<GraphLine, GraphText, GraphMarker>;

// Axes, ticks, scale numbers, captions, the grid of the load curve and the
// curve of `curves.curveMode` in a client area of width x height pixels.
// A mode outside 1-3 gets the ordinate only.
std::vector<GraphItem> ComposeGraphScene(const CurveModel& curves, int width, int height);

// The caption of a time-curve level: "(n) load(kN)" or "(n) load(kPa)".
QString LevelCaption(int n, int levelLoad, bool loadInKN);
