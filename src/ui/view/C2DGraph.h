#pragma once

#include "core/view/CurveModel.h"

#include <QWidget>

// The curve window on the right half of the main screen: settlement against
// load, against log load, or against log time per level. It draws a copy of
// the curves it was last given; every repaint redraws everything.
class C2DGraph : public QWidget {
    Q_OBJECT
  public:
    // Placed at (415, 78)-(800, 465) of the 800 x 600 main window, showing the
    // empty load-settlement graph.
    explicit C2DGraph(QWidget* parent = nullptr);

    // Shows the curve of `curveView` (1 load, 2 log load, 3 log time) from the
    // points and ranges of `curves`, with captions in kN or kPa.
    void ShowCurves(const CurveModel& curves, int curveView, bool loadInKN);

    const CurveModel& Curves() const { return m_curves; }

  protected:
    // Qt's backing store already paints off-screen and shows the result at
    // once; the graph covers every pixel, so nothing is erased first.
    void paintEvent(QPaintEvent* event) override;

  private:
    CurveModel m_curves;
};
