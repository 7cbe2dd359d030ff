#pragma once

#include "core/view/CurveModel.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QSize>

// The graph window's size on the main screen, (415, 78)-(800, 465).
inline constexpr QSize kGraphSize(385, 387);

inline constexpr QColor kGraphBackground(192, 192, 192);
inline constexpr QColor kGraphAxisColour(0, 0, 0);
inline constexpr QColor kGraphCurveColour(0, 40, 0);
inline constexpr QColor kGraphTextColour(0, 0, 96);

struct GraphStyle {
    QColor background;
    QColor axis;
    QColor curve;
    QColor text;
};

inline constexpr GraphStyle kScreenGraphStyle{kGraphBackground, kGraphAxisColour, kGraphCurveColour,
                                              kGraphTextColour};
// Paper takes no grey ground, and the curve must stay dark on a grey-scale print.
inline constexpr GraphStyle kPrintGraphStyle{QColor(255, 255, 255), QColor(0, 0, 0), QColor(0, 40, 0),
                                             QColor(0, 0, 0)};

// Draws the whole graph of `curves` (background, axes, scales and the curve
// of its mode) into the rectangle (0, 0, size) of any paint device, so the
// window, a saved picture and a printed report come from the same code.
void PaintGraph(QPainter& painter, const CurveModel& curves, QSize size,
                const GraphStyle& style = kScreenGraphStyle);

// The graph of a window of `size` pixels scaled into `target` of the
// painter's device: lines, markers and texts keep their proportions to the
// plot, as on the screen, at any resolution (a PDF page).
void PaintGraphInto(QPainter& painter, const CurveModel& curves, QSize size, const QRectF& target,
                    const GraphStyle& style);

// The graph of `curves` as a picture of `size`.
QImage RenderGraph(const CurveModel& curves, QSize size = kGraphSize);
