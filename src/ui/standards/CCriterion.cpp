#include "ui/standards/CCriterion.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/standards/ConfirmStandardForm.h"
#include "core/standards/StandardsCatalogue.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"
#include "ui/panel/ReadableWhenDisabled.h"
#include "ui/setup/NumericKeypad.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr QSize kDialogSize(790, 550);

// Radio buttons: two columns inside the group on the left.
constexpr QRect kRadioGroup(10, 8, 430, 322);
constexpr int kRadioColumnWidth = 210;
constexpr int kRadioRowStep = 29;
constexpr int kRadioRows = 10;

// Criteria boxes: a two-by-two grid under the radios, bearing capacity below.
constexpr QRect kCriteriaGroup(10, 338, 430, 140);
// Reading intervals: a table of six steps on the right.
constexpr QRect kIntervalGroup(450, 8, 330, 250);
constexpr QPoint kKeypadTopLeft(515, 268);

constexpr int kBoxHeight = 30;
constexpr int kLoadIntervalIds[6] = {1001, 1002, 1003, 1004, 1005, 1006};
constexpr int kUnloadIntervalIds[6] = {1007, 1008, 1009, 1014, 1015, 1024};

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& area,
                 Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(area);
    label->setAlignment(alignment);
    return label;
}

} // namespace

CCriterion::CCriterion(CPublic& pub, ParameterList& list, const KVTFile& files, Prompter& prompter,
                       QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_list(list), m_files(files),
      m_prompter(prompter) {
    QFont dialogFont = font();
    dialogFont.setPixelSize(14);
    setFont(dialogFont);
    m_keypad = new NumericKeypad(Body());
    m_keypad->move(kKeypadTopLeft);
    CreateRadios();
    CreateCriteriaBoxes();
    CreateIntervalBoxes();
    CreateButtons();
    ShowStandard();
}

void CCriterion::CreateRadios() {
    auto* group = new QGroupBox(QStringLiteral("规范"), Body());
    group->setGeometry(kRadioGroup);
    int index = 0;
    for (const StandardEntry& entry : StandardsCatalogue()) {
        auto* radio = new QRadioButton(entry.Caption(), group);
        radio->setObjectName(ControlName(entry.radioId));
        radio->setGeometry(10 + (index / kRadioRows) * kRadioColumnWidth,
                           22 + (index % kRadioRows) * kRadioRowStep, kRadioColumnWidth - 6, 26);
        radio->setFocusPolicy(Qt::NoFocus);
        const int code = entry.code;
        connect(radio, &QRadioButton::clicked, this, [this, code] { OnRadioClicked(code); });
        m_radios[code] = radio;
        ++index;
    }
}

QLineEdit* CCriterion::AddBox(int controlId, const QRect& area, bool allowsPoint) {
    auto* box = new QLineEdit(Body());
    box->setObjectName(ControlName(controlId));
    box->setGeometry(area);
    // Outside "用户输入" the boxes show the standard's presets, disabled.
    ReadableWhenDisabled(box);
    m_keypad->Attach(box, KeypadField{.allowsPoint = allowsPoint});
    return box;
}

void CCriterion::CreateCriteriaBoxes() {
    auto* group = new QGroupBox(QStringLiteral("判稳标准"), Body());
    group->setGeometry(kCriteriaGroup);
    group->lower();
    const int left = kCriteriaGroup.left();
    const int top = kCriteriaGroup.top();
    auto cell = [&](int column, int row, const QString& caption, int controlId, bool allowsPoint) {
        const int x = left + 10 + column * 215;
        const int y = top + 24 + row * 40;
        AddLabel(Body(), caption, QRect(x, y, 120, kBoxHeight));
        return AddBox(controlId, QRect(x + 125, y, 75, kBoxHeight), allowsPoint);
    };
    m_holdMinutes = cell(0, 0, QStringLiteral("维荷时间(分)"), 1061, false);
    m_stableCheckMinutes = cell(1, 0, QStringLiteral("判稳时间(分)"), 1012, false);
    m_stableCheckCount = cell(0, 1, QStringLiteral("判稳次数(次)"), 1011, false);
    m_stableSettlement = cell(1, 1, QStringLiteral("稳定沉降(mm)"), 1013, true);

    m_bearingLabel = AddLabel(Body(), QString(), QRect(left + 10, top + 104, 230, kBoxHeight));
    m_bearingLabel->setObjectName(ControlName(kBearingLabel));
    m_bearingBox = AddBox(kBearingBox, QRect(left + 250, top + 104, 75, kBoxHeight), false);
}

void CCriterion::CreateIntervalBoxes() {
    auto* group = new QGroupBox(QStringLiteral("读数间隔"), Body());
    group->setGeometry(kIntervalGroup);
    group->lower();
    const int left = kIntervalGroup.left();
    const int top = kIntervalGroup.top();
    AddLabel(Body(), QStringLiteral("级"), QRect(left + 8, top + 20, 30, 24), Qt::AlignCenter);
    AddLabel(Body(), QStringLiteral("加载定时(分)"), QRect(left + 50, top + 20, 120, 24), Qt::AlignCenter);
    AddLabel(Body(), QStringLiteral("卸载定时(分)"), QRect(left + 190, top + 20, 120, 24), Qt::AlignCenter);
    for (int step = 0; step < 6; ++step) {
        const int y = top + 46 + step * 33;
        AddLabel(Body(), QString::number(step + 1), QRect(left + 8, y, 30, 28), Qt::AlignCenter);
        m_loadIntervals[step] = AddBox(kLoadIntervalIds[step], QRect(left + 60, y, 100, 28), false);
        m_unloadIntervals[step] = AddBox(kUnloadIntervalIds[step], QRect(left + 200, y, 100, 28), false);
    }
}

void CCriterion::CreateButtons() {
    m_back = new QPushButton(Body());
    m_back->setObjectName(ControlName(kBack));
    m_back->setGeometry(60, 490, 140, 48);
    connect(m_back, &QPushButton::clicked, this, &CCriterion::BackStep);
    m_confirm = new QPushButton(Body());
    m_confirm->setObjectName(ControlName(kConfirm));
    m_confirm->setGeometry(250, 490, 140, 48);
    // The forward button is the one the frame marks, not "上一步".
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &CCriterion::ConfirmStandard);
}

void CCriterion::ShowStandard() {
    const bool wizard = m_pub.wizardMode;
    m_back->setText(wizard ? QStringLiteral("上一步") : QStringLiteral("退出"));
    m_confirm->setText(wizard ? QStringLiteral("下一步") : QStringLiteral("确定"));
    setWindowTitle(StandardDialogCaption(m_pub));
    m_bearingLabel->setText(BearingCapacityLabel(m_pub.loadInKN));
    m_form = OpenStandardForm(m_pub, m_list);
    ShowForm();
}

void CCriterion::OnRadioClicked(int code) {
    ReadForm();
    ApplyPreset(m_form, code, m_pub, m_list);
    ShowForm();
}

void CCriterion::ShowForm() {
    if (const auto radio = m_radios.find(m_form.code); radio != m_radios.end())
        radio->second->setChecked(true);

    const CriteriaBoxes& boxes = m_form.boxes;
    m_holdMinutes->setText(boxes.holdMinutes);
    m_stableCheckMinutes->setText(boxes.stableCheckMinutes);
    m_stableCheckCount->setText(boxes.stableCheckCount);
    m_stableSettlement->setText(boxes.stableSettlement);
    for (int step = 0; step < 6; ++step) {
        m_loadIntervals[step]->setText(boxes.loadIntervals[step]);
        m_unloadIntervals[step]->setText(boxes.unloadIntervals[step]);
    }
    m_bearingBox->setText(m_form.bearingCapacity);

    const bool userInput = m_form.code == kUserInputCode;
    const bool bearingCapacity = m_form.code == kBearingCapacityCode;
    for (QLineEdit* box : {m_holdMinutes, m_stableCheckMinutes, m_stableCheckCount, m_stableSettlement})
        box->setEnabled(userInput);
    for (int step = 0; step < 6; ++step) {
        m_loadIntervals[step]->setEnabled(userInput);
        m_unloadIntervals[step]->setEnabled(userInput);
    }
    m_bearingLabel->setVisible(bearingCapacity);
    m_bearingBox->setVisible(bearingCapacity);
    // The bearing capacity is typed even though its standard's criteria are
    // presets, so the keypad stays usable for it.
    m_keypad->SetKeysEnabled(userInput || bearingCapacity);
    if (userInput)
        m_keypad->FocusOn(m_holdMinutes);
    else if (bearingCapacity)
        m_keypad->FocusOn(m_bearingBox);
    else
        m_keypad->FocusOn(nullptr);
}

void CCriterion::ReadForm() {
    CriteriaBoxes& boxes = m_form.boxes;
    boxes.holdMinutes = m_holdMinutes->text();
    boxes.stableCheckMinutes = m_stableCheckMinutes->text();
    boxes.stableCheckCount = m_stableCheckCount->text();
    boxes.stableSettlement = m_stableSettlement->text();
    for (int step = 0; step < 6; ++step) {
        boxes.loadIntervals[step] = m_loadIntervals[step]->text();
        boxes.unloadIntervals[step] = m_unloadIntervals[step]->text();
    }
    m_form.bearingCapacity = m_bearingBox->text();
}

void CCriterion::BackStep() {
    if (m_pub.wizardMode)
        m_pub.setupStep = 3;
    reject();
}

void CCriterion::ConfirmStandard() {
    const bool wizard = m_pub.wizardMode;
    if (!m_pub.run.View().running && !wizard) {
        accept();
        return;
    }
    ReadForm();
    if (const QString refusal = ConfirmStandardForm(m_pub, m_list, m_form); !refusal.isEmpty()) {
        m_prompter.Information(QString(), refusal);
        return;
    }
    if (!wizard)
        m_pub.saveRequested = true;
    m_files.SaveSettings(m_pub.dataFilePath, m_list);
    if (wizard)
        m_pub.setupStep = 5;
    accept();
}
