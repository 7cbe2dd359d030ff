#pragma once

#include <QDialog>
#include <QSize>

class QLabel;

// A dialog for the instrument's panel, which has no window manager to draw
// title bars or to place windows: the dialog draws its title on a bar across
// its top and places itself on the 800 x 600 screen. Setup and maintenance
// dialogs cover the whole screen; prompts are framed boxes in its centre.
// A dialog lays its controls out on Body(), which sits under the title bar.
class PanelDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Placement { FullScreen, Centred };

    static constexpr QSize kScreenSize{800, 600};
    static constexpr int kTitleBarHeight = 30;
    static constexpr int kFrameWidth = 2; // frame of a centred box

    // `bodySize`: the area the dialog's controls are laid out in. The title
    // bar shows windowTitle() and follows every change of it.
    PanelDialog(Placement placement, QSize bodySize, QWidget* parent);

    QWidget* Body() const { return m_body; }
    // The title bar, for tests and screenshots.
    QLabel* TitleBar() const { return m_titleBar; }

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // The screen the dialog is placed on: its parent's window (the main
    // window covers the screen), else the primary screen.
    QRect ScreenArea() const;

    Placement m_placement;
    QLabel* m_titleBar = nullptr;
    QWidget* m_body = nullptr;
};
