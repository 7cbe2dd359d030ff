#include "ui/setup/CTDSZ.h"

#include "core/data/CPublic.h"
#include "core/setup/TickCaption.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"

#include <QPushButton>

namespace {

constexpr QSize kDialogSize(640, 400);
constexpr QSize kGaugeButtonSize(130, 64);
constexpr int kGaugeColumns = 4;
constexpr QPoint kGaugesTopLeft(30, 30);
constexpr QPoint kGaugeStep(148, 80);
constexpr int kTestTypeTop = 210;
constexpr QSize kTestTypeButtonSize(160, 64);
constexpr int kCommandTop = 310;
constexpr QSize kCommandButtonSize(150, 60);

} // namespace

CTDSZ::CTDSZ(CPublic& pub, Prompter& prompter, QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_prompter(prompter) {
    QFont dialogFont = font();
    dialogFont.setPixelSize(22);
    setFont(dialogFont);
    CreateButtons();

    setWindowTitle(ChannelDialogCaption(m_pub));
    m_confirm->setText(m_pub.wizardMode ? QStringLiteral("下一步") : QStringLiteral("确定"));
    ShowForm(OpenChannelForm(m_pub));
}

QPushButton* CTDSZ::AddButton(int controlId, const QRect& area) {
    auto* button = new QPushButton(Body());
    button->setObjectName(ControlName(controlId));
    button->setGeometry(area);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void CTDSZ::CreateButtons() {
    for (std::size_t k = 0; k < m_gauges.size(); ++k) {
        const int column = static_cast<int>(k) % kGaugeColumns;
        const int row = static_cast<int>(k) / kGaugeColumns;
        const QPoint topLeft = kGaugesTopLeft + QPoint(column * kGaugeStep.x(), row * kGaugeStep.y());
        QPushButton* button = AddButton(kGaugeIds[k], QRect(topLeft, kGaugeButtonSize));
        connect(button, &QPushButton::clicked, this, [this, button] { ToggleGauge(button); });
        m_gauges[k] = button;
    }

    m_single = AddButton(kSingle, QRect(QPoint(kGaugesTopLeft.x(), kTestTypeTop), kTestTypeButtonSize));
    connect(m_single, &QPushButton::clicked, this, &CTDSZ::ChooseSingle);
    m_ground = AddButton(
        kGround, QRect(QPoint(kGaugesTopLeft.x() + kGaugeStep.x() + 40, kTestTypeTop), kTestTypeButtonSize));
    connect(m_ground, &QPushButton::clicked, this, &CTDSZ::ChooseGround);

    const int commandLeft = kDialogSize.width() - 2 * kCommandButtonSize.width() - 60;
    m_confirm = AddButton(kConfirm, QRect(QPoint(commandLeft, kCommandTop), kCommandButtonSize));
    // The forward button is the one the frame marks, not "上一步".
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &CTDSZ::Confirm);
    QPushButton* leave =
        AddButton(kLeave, QRect(QPoint(commandLeft + kCommandButtonSize.width() + 30, kCommandTop),
                                kCommandButtonSize));
    leave->setText(QStringLiteral("退出"));
    connect(leave, &QPushButton::clicked, this, &CTDSZ::Leave);
}

void CTDSZ::ShowForm(const ChannelForm& form) {
    for (std::size_t k = 0; k < m_gauges.size(); ++k)
        m_gauges[k]->setText(form.gauges[k]);
    m_single->setText(form.single);
    m_ground->setText(form.ground);
}

ChannelForm CTDSZ::ReadForm() const {
    ChannelForm form;
    for (std::size_t k = 0; k < m_gauges.size(); ++k)
        form.gauges[k] = m_gauges[k]->text();
    form.single = m_single->text();
    form.ground = m_ground->text();
    return form;
}

void CTDSZ::ToggleGauge(QPushButton* button) {
    button->setText(ToggleTick(button->text()));
}

void CTDSZ::ChooseSingle() {
    ChannelForm form = ReadForm();
    ::ChooseSingle(form, m_pub);
    ShowForm(form);
}

void CTDSZ::ChooseGround() {
    ChannelForm form = ReadForm();
    ::ChooseGround(form, m_pub);
    ShowForm(form);
}

void CTDSZ::Confirm() {
    if (const QString refusal = ConfirmChannels(m_pub, ReadForm()); !refusal.isEmpty()) {
        m_prompter.Information(QString(), refusal);
        return;
    }
    QDialog::reject();
}

void CTDSZ::Leave() {
    reject();
}

void CTDSZ::reject() {
    LeaveChannels(m_pub);
    QDialog::reject();
}
