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

QPen PenFor(GraphPen pen) {
    switch (pen) {
    case GraphPen::Grid:
        return QPen(kGraphAxisColour, 1, Qt::DashLine);
    case GraphPen::Curve:
        return QPen(kGraphCurveColour, 1);
    case GraphPen::Axis:
        break;
    }
    return QPen(kGraphAxisColour, 1);
}

class ItemPainter {
  public:
    explicit ItemPainter(QPainter& painter)
        : m_painter(painter), m_ascent(QFontMetrics(painter.font()).ascent()) {}

    void operator()(const GraphLine& line) const {
        m_painter.setPen(PenFor(line.pen));
        m_painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    }

    void operator()(const GraphText& text) const {
        m_painter.setPen(kGraphTextColour);
        m_painter.drawText(QPoint(text.topLeft.x, text.topLeft.y + m_ascent), text.text);
    }

    // A filled disc, 7 pixels across, centred on the point.
    void operator()(const GraphMarker& marker) const {
        m_painter.setPen(kGraphCurveColour);
        m_painter.setBrush(kGraphCurveColour);
        m_painter.drawEllipse(QRect(marker.centre.x - 3, marker.centre.y - 3, 6, 6));
        m_painter.setBrush(Qt::NoBrush);
    }

  private:
    QPainter& m_painter;
    int m_ascent;
};

} // namespace

void PaintGraph(QPainter& painter, const CurveModel& curves, QSize size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), kGraphBackground);
    painter.setFont(GraphFont());
    // Texts are drawn on the background colour, as the panel draws them.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(kGraphBackground);
    const ItemPainter paintItem(painter);
    for (const GraphItem& item : ComposeGraphScene(curves, size.width(), size.height()))
        std::visit(paintItem, item);
    painter.restore();
}

QImage RenderGraph(const CurveModel& curves, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintGraph(painter, curves, size);
    return image;
}
