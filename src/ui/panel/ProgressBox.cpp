#include "ui/panel/ProgressBox.h"

#include <QLabel>
#include <QProgressBar>

ProgressBox::ProgressBox(const QString& title, int steps, QWidget* parent)
    : PanelDialog(Placement::Centred, kBodySize, parent) {
    setWindowTitle(title);
    QFont boxFont = font();
    boxFont.setPixelSize(16);
    setFont(boxFont);
    m_text = new QLabel(Body());
    m_text->setGeometry(16, 12, kBodySize.width() - 32, 36);
    m_text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_bar = new QProgressBar(Body());
    m_bar->setGeometry(16, 58, kBodySize.width() - 32, 32);
    m_bar->setRange(0, steps);
    m_bar->setValue(0);
}

void ProgressBox::ShowStep(int done, const QString& text) {
    m_bar->setValue(done);
    m_text->setText(text);
}
