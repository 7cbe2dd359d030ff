#include "ui/view/C2DGraph.h"

#include "ui/view/GraphPainter.h"

#include <QPainter>

C2DGraph::C2DGraph(QWidget* parent) : QWidget(parent) {
    setGeometry(QRect(QPoint(415, 78), kGraphSize));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void C2DGraph::ShowCurves(const CurveModel& curves, int curveView, bool loadInKN) {
    m_curves = curves;
    m_curves.curveMode = curveView;
    m_curves.loadInKN = loadInKN;
    update();
}

void C2DGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintGraph(painter, m_curves, size());
}
