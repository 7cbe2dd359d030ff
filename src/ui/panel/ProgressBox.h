#pragma once

#include "ui/panel/PanelDialog.h"

class QLabel;
class QProgressBar;

// A centred panel box that shows how far a long task has come: its title, a
// line naming the step in hand and a progress bar. It has no buttons; the
// task closes it when it ends.
class ProgressBox : public PanelDialog {
    Q_OBJECT
  public:
    ProgressBox(const QString& title, int steps, QWidget* parent = nullptr);

    // `done` of the steps are finished; `text` names the one in hand.
    void ShowStep(int done, const QString& text);

    static constexpr QSize kBodySize{440, 110};

  private:
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
};
