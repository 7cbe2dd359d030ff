#pragma once

#include "core/view/CurveModel.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>

// The graph window's size on the main screen, (415, 78)-(800, 465).
inline constexpr QSize kGraphSize(385, 387);

inline constexpr QColor kGraphBackground(192, 192, 192);
inline constexpr QColor kGraphAxisColour(0, 0, 0);
inline constexpr QColor kGraphCurveColour(0, 40, 0);
inline constexpr QColor kGraphTextColour(0, 0, 96);

// Draws the whole graph of `curves` (background, axes, scales and the curve
// of its mode) into the rectangle (0, 0, size) of any paint device, so the
// window and a saved picture come from the same code.
void PaintGraph(QPainter& painter, const CurveModel& curves, QSize size);

// The graph of `curves` as a picture of `size`.
QImage RenderGraph(const CurveModel& curves, QSize size = kGraphSize);
