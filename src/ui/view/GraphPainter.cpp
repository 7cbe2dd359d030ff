#include "ui/view/GraphPainter.h"

#include "core/view/GraphScene.h"

#include <QFont>
#include <QFontMetrics>

namespace {

QFont GraphFont() {
    QFont font;
    // The panel's font first, then ones a Linux host is likely to have.
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(14);
    font.setWeight(QFont::Light);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// Widths of 1 are not cosmetic: scaled onto paper they stay one window pixel wide.
QPen PenFor(GraphPen pen, const GraphStyle& style) {
    switch (pen) {
    case GraphPen::Grid:
        return QPen(style.axis, 1, Qt::DashLine);
    case GraphPen::Curve:
        return QPen(style.curve, 1);
    case GraphPen::Axis:
        break;
    }
    return QPen(style.axis, 1);
}

class ItemPainter {
  public:
    ItemPainter(QPainter& painter, const GraphStyle& style)
        : m_painter(painter), m_style(style), m_ascent(QFontMetrics(painter.font()).ascent()) {}

    void operator()(const GraphLine& line) const {
        m_painter.setPen(PenFor(line.pen, m_style));
        m_painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    }

    void operator()(const GraphText& text) const {
        m_painter.setPen(m_style.text);
        const int left = text.rightAligned
                             ? text.topLeft.x - QFontMetrics(m_painter.font()).horizontalAdvance(text.text)
                             : text.topLeft.x;
        m_painter.drawText(QPoint(left, text.topLeft.y + m_ascent), text.text);
    }

    // A filled disc, 7 pixels across, centred on the point.
    void operator()(const GraphMarker& marker) const {
        m_painter.setPen(m_style.curve);
        m_painter.setBrush(m_style.curve);
        m_painter.drawEllipse(QRect(marker.centre.x - 3, marker.centre.y - 3, 6, 6));
        m_painter.setBrush(Qt::NoBrush);
    }

  private:
    QPainter& m_painter;
    const GraphStyle& m_style;
    int m_ascent;
};

} // namespace

void PaintGraph(QPainter& painter, const CurveModel& curves, QSize size, const GraphStyle& style) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), style.background);
    painter.setFont(GraphFont());
    // Texts are drawn on the background colour, as the panel draws them.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(style.background);
    const ItemPainter paintItem(painter, style);
    for (const GraphItem& item : ComposeGraphScene(curves, size.width(), size.height()))
        std::visit(paintItem, item);
    painter.restore();
}

void PaintGraphInto(QPainter& painter, const CurveModel& curves, QSize size, const QRectF& target,
                    const GraphStyle& style) {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / size.width(), target.height() / size.height());
    PaintGraph(painter, curves, size, style);
    painter.restore();
}

QImage RenderGraph(const CurveModel& curves, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintGraph(painter, curves, size);
    return image;
}
