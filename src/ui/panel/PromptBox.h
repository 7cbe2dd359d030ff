#pragma once

#include "ui/panel/PanelDialog.h"

#include <QDialogButtonBox>

// The instrument's message box: a centred panel box with its title, the
// text and touch-sized buttons captioned by Qt's own (translated) texts.
class PromptBox : public PanelDialog {
    Q_OBJECT
  public:
    enum class Kind { Information, Question };

    PromptBox(Kind kind, const QString& title, const QString& text, QWidget* parent = nullptr);

    // The button the operator tapped; NoButton when the box was closed otherwise.
    QDialogButtonBox::StandardButton Answer() const { return m_answer; }

    static constexpr QSize kButtonSize{120, 48};

  private:
    QDialogButtonBox::StandardButton m_answer = QDialogButtonBox::NoButton;
};
