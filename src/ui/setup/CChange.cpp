#include "ui/setup/CChange.h"

#include "core/data/CPublic.h"
#include "core/setup/TickCaption.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr QSize kDialogSize(790, 550);

// The channel table: a heading row, then the load and gauges 1-8.
constexpr int kTableLeft = 10;
constexpr int kHeadingTop = 10;
constexpr int kFirstRowTop = 46;
constexpr int kRowStep = 55;
constexpr int kCellHeight = 48;
constexpr int kNameLeft = kTableLeft;
constexpr int kNameWidth = 80;
constexpr int kCurrentLeft = 95;
constexpr int kValueWidth = 130;
constexpr int kModifiedLeft = 235;
constexpr int kZeroLeft = 375;
constexpr int kReverseLeft = 445;
constexpr int kToggleWidth = 64;

constexpr QPoint kKeypadTopLeft(560, 46);
constexpr QRect kAdjustRangeArea(540, 300, 240, 60);
constexpr QRect kApplyArea(540, 380, 110, 60);
constexpr QRect kLeaveArea(670, 380, 110, 60);

const QColor kTickColour(255, 0, 0);

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& area) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(area);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QRect Cell(int left, int width, int row) {
    return QRect(left, kFirstRowTop + row * kRowStep, width, kCellHeight);
}

// A ticked toggle is drawn in red so that it stands out in the table.
void ShowTick(QPushButton* toggle, bool ticked) {
    toggle->setText(ticked ? kTick : QString());
    if (!ticked) {
        toggle->setPalette(QPalette()); // back to the dialog's colours
        return;
    }
    QPalette palette = toggle->palette();
    palette.setColor(QPalette::ButtonText, kTickColour);
    toggle->setPalette(palette);
}

bool Ticked(const QPushButton* toggle) {
    return IsTicked(toggle->text());
}

} // namespace

CChange::CChange(CPublic& pub, Prompter& prompter, QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_prompter(prompter) {
    QFont dialogFont = font();
    dialogFont.setPixelSize(20);
    setFont(dialogFont);
    m_keypad = new NumericKeypad(Body());
    m_keypad->move(kKeypadTopLeft);
    CreateTable();
    CreateButtons();

    setWindowTitle(ZeroDialogCaption(m_pub));
    ShowForm(OpenZeroForm(m_pub, m_pub.run.Live()));
    // Zeroing in the middle of a test would break the settlement record.
    const bool zeroAllowed = !m_pub.run.View().running;
    m_load.zero->setEnabled(zeroAllowed);
    for (const ChannelRow& gauge : m_gauges)
        gauge.zero->setEnabled(zeroAllowed);
}

QPushButton* CChange::AddToggle(int controlId, const QRect& area) {
    auto* toggle = new QPushButton(Body());
    toggle->setObjectName(ControlName(controlId));
    toggle->setGeometry(area);
    toggle->setFocusPolicy(Qt::NoFocus);
    connect(toggle, &QPushButton::clicked, this, [toggle] { ShowTick(toggle, !Ticked(toggle)); });
    return toggle;
}

CChange::ChannelRow CChange::AddRow(int row, const QString& name, int currentId, int modifiedId, int zeroId,
                                    int reverseId) {
    AddLabel(Body(), name, Cell(kNameLeft, kNameWidth, row));
    ChannelRow channel;
    channel.current = new QLineEdit(Body());
    channel.current->setObjectName(ControlName(currentId));
    channel.current->setGeometry(Cell(kCurrentLeft, kValueWidth, row));
    channel.current->setEnabled(false);
    // Shown only, but read at a glance: keep the text dark.
    QPalette shownOnly = channel.current->palette();
    shownOnly.setColor(QPalette::Disabled, QPalette::Text, shownOnly.color(QPalette::Active, QPalette::Text));
    channel.current->setPalette(shownOnly);
    channel.modified = new QLineEdit(Body());
    channel.modified->setObjectName(ControlName(modifiedId));
    channel.modified->setGeometry(Cell(kModifiedLeft, kValueWidth, row));
    m_keypad->Attach(channel.modified, KeypadField{.allowsPoint = true});
    channel.zero = AddToggle(zeroId, Cell(kZeroLeft, kToggleWidth, row));
    channel.reverse = AddToggle(reverseId, Cell(kReverseLeft, kToggleWidth, row));
    return channel;
}

void CChange::CreateTable() {
    const int headingHeight = kFirstRowTop - kHeadingTop - 4;
    AddLabel(Body(), QStringLiteral("通道"), QRect(kNameLeft, kHeadingTop, kNameWidth, headingHeight));
    AddLabel(Body(), QStringLiteral("当前值"), QRect(kCurrentLeft, kHeadingTop, kValueWidth, headingHeight));
    AddLabel(Body(), QStringLiteral("修改值"), QRect(kModifiedLeft, kHeadingTop, kValueWidth, headingHeight));
    AddLabel(Body(), QStringLiteral("清零"), QRect(kZeroLeft, kHeadingTop, kToggleWidth, headingHeight));
    AddLabel(Body(), QStringLiteral("反向"), QRect(kReverseLeft, kHeadingTop, kToggleWidth, headingHeight));

    m_load = AddRow(0, QStringLiteral("荷载"), kLoadCurrent, kLoadModified, kLoadZero, kLoadReverse);
    // The load is zeroed here but never set to a value or reversed.
    m_load.modified->hide();
    m_load.reverse->hide();

    const QString names[8] = {QStringLiteral("位移一"), QStringLiteral("位移二"), QStringLiteral("位移三"),
                              QStringLiteral("位移四"), QStringLiteral("位移五"), QStringLiteral("位移六"),
                              QStringLiteral("位移七"), QStringLiteral("位移八")};
    for (std::size_t k = 0; k < m_gauges.size(); ++k)
        m_gauges[k] = AddRow(static_cast<int>(k) + 1, names[k], kGaugeCurrentIds[k], kGaugeModifiedIds[k],
                             kGaugeZeroIds[k], kGaugeReverseIds[k]);
}

void CChange::CreateButtons() {
    struct Command {
        int controlId;
        const char* caption;
        QRect area;
        void (CChange::*handler)();
    };
    const Command commands[] = {
        {kAdjustRange, "位移传感器调整量程", kAdjustRangeArea, &CChange::AdjustRange},
        {kApply, "确定", kApplyArea, &CChange::Apply},
        {kLeave, "退出", kLeaveArea, &CChange::Leave},
    };
    for (const Command& command : commands) {
        auto* button = new QPushButton(QString::fromUtf8(command.caption), Body());
        button->setObjectName(ControlName(command.controlId));
        button->setGeometry(command.area);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, command.handler);
    }
}

void CChange::ShowForm(const ZeroForm& form) {
    m_load.current->setText(form.loadCurrent);
    m_load.modified->setText(form.loadModified);
    ShowTick(m_load.zero, form.loadZeroTicked);
    ShowTick(m_load.reverse, false);
    for (std::size_t k = 0; k < m_gauges.size(); ++k) {
        m_gauges[k].current->setText(form.gaugeCurrent[k]);
        m_gauges[k].modified->setText(form.gaugeModified[k]);
        ShowTick(m_gauges[k].zero, form.gaugeZeroTicked[k]);
        ShowTick(m_gauges[k].reverse, form.gaugeReverseTicked[k]);
    }
}

ZeroForm CChange::ReadForm() const {
    ZeroForm form;
    form.loadCurrent = m_load.current->text();
    form.loadModified = m_load.modified->text();
    form.loadZeroTicked = Ticked(m_load.zero);
    for (std::size_t k = 0; k < m_gauges.size(); ++k) {
        form.gaugeCurrent[k] = m_gauges[k].current->text();
        form.gaugeModified[k] = m_gauges[k].modified->text();
        form.gaugeZeroTicked[k] = Ticked(m_gauges[k].zero);
        form.gaugeReverseTicked[k] = Ticked(m_gauges[k].reverse);
    }
    return form;
}

void CChange::AdjustRange() {
    if (m_prompter.Question(QString(), QString::fromUtf8(kRangeAdjustQuestion)))
        ConfirmRangeAdjustment(m_pub, m_pub.run.Live(), m_rangeAdjustment);
}

void CChange::Apply() {
    ApplyZeroForm(m_pub, m_pub.run.Live(), ReadForm(), m_rangeAdjustment);
    QDialog::reject();
}

void CChange::Leave() {
    reject();
}

void CChange::reject() {
    CancelRangeAdjustment(m_pub, m_rangeAdjustment);
    QDialog::reject();
}
