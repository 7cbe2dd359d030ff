#include "ui/files/CXZ.h"

#include "core/data/CPublic.h"
#include "ui/app/ControlName.h"

#include <QLabel>
#include <QPushButton>

CXZ::CXZ(CPublic& pub, const QString& text, QWidget* parent)
    : PanelDialog(Placement::Centred, QSize(460, 180), parent), m_pub(pub) {
    setWindowTitle(QStringLiteral("系统提示"));
    QFont promptFont(QStringLiteral("宋体"));
    promptFont.setPixelSize(15);
    setFont(promptFont);

    auto* message = new QLabel(text, Body());
    message->setObjectName(ControlName(kMessage));
    message->setGeometry(10, 20, 440, 70);
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("确定"), Body());
    ok->setObjectName(ControlName(kOk));
    ok->setGeometry(90, 110, 120, 48);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CXZ::accept);
    auto* cancel = new QPushButton(QStringLiteral("取消"), Body());
    cancel->setObjectName(ControlName(kCancel));
    cancel->setGeometry(250, 110, 120, 48);
    connect(cancel, &QPushButton::clicked, this, &CXZ::reject);

    // The engine's ticks while the prompt is up must not open a second one.
    m_pub.maxLoadPromptOpen = true;
}

void CXZ::done(int result) {
    m_pub.maxLoadPromptOpen = false;
    QDialog::done(result);
}

CXZ* OfferUnloadAtMaxLoad(CPublic& pub, const QString& text, QWidget* parent,
                          std::function<void(bool unload)> answered) {
    auto* prompt = new CXZ(pub, text, parent);
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(prompt, &QDialog::finished, prompt,
                     [answered = std::move(answered)](int result) { answered(result == QDialog::Accepted); });
    // Modal for input (a second prompt or a toolbar command cannot be
    // reached under it), but not a modal loop inside the timer handler.
    prompt->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    prompt->show();
    return prompt;
}
