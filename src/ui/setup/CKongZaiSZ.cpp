#include "ui/setup/CKongZaiSZ.h"

#include "core/data/CPublic.h"
#include "core/setup/ConfirmLoadControlForm.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"
#include "ui/setup/NumericKeypad.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr QSize kDialogSize(790, 400);
// A group of label and box rows; the alarm captions need the wider labels.
struct RowGroup {
    QRect area;
    int labelWidth;
};
constexpr RowGroup kLoadGroup{{6, 8, 264, 376}, 146};
constexpr RowGroup kProtectionGroup{{276, 8, 300, 376}, 184};
constexpr QPoint kKeypadTopLeft(582, 16);
constexpr QRect kBackButton(582, 262, 200, 52);
constexpr QRect kConfirmButton(582, 326, 200, 52);

// Rows of label and box inside a group.
constexpr int kFirstRowTop = 34;
constexpr int kRowStep = 48;
constexpr int kRowHeight = 36;
constexpr int kBoxWidth = 90;

// Every box takes a decimal point; the keypad keeps the entries short
// enough for the row texts.
constexpr KeypadField kBoxField{.allowsPoint = true, .maxLength = 10, .maxDecimals = 3};

int RowTop(const RowGroup& group, int row) {
    return group.area.top() + kFirstRowTop + row * kRowStep;
}

QRect LabelArea(const RowGroup& group, int row) {
    return {group.area.left() + 6, RowTop(group, row), group.labelWidth, kRowHeight};
}

QRect BoxArea(const RowGroup& group, int row) {
    return {group.area.left() + 12 + group.labelWidth, RowTop(group, row), kBoxWidth, kRowHeight};
}

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& area, int controlId = 0) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(area);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (controlId != 0)
        label->setObjectName(ControlName(controlId));
    return label;
}

void AddGroup(QWidget* parent, const QString& title, const RowGroup& rows) {
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(rows.area);
    group->lower();
}

} // namespace

CKongZaiSZ::CKongZaiSZ(CPublic& pub, ParameterList& list, QString& controlLoadText, const KVTFile& files,
                       Prompter& prompter, QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_list(list),
      m_controlLoadText(controlLoadText), m_files(files), m_prompter(prompter) {
    QFont dialogFont = font();
    dialogFont.setPixelSize(16);
    setFont(dialogFont);
    m_keypad = new NumericKeypad(Body());
    m_keypad->move(kKeypadTopLeft);
    CreateLoadGroup();
    CreateProtectionGroup();
    CreateButtons();
    ShowSettings();
}

QLineEdit* CKongZaiSZ::AddBox(int controlId, QString LoadControlForm::*field, const QRect& area) {
    auto* box = new QLineEdit(Body());
    box->setObjectName(ControlName(controlId));
    box->setGeometry(area);
    m_keypad->Attach(box, kBoxField);
    m_boxes.emplace_back(field, box);
    return box;
}

void CKongZaiSZ::CreateLoadGroup() {
    const RowGroup& group = kLoadGroup;
    AddGroup(Body(), QStringLiteral("控载数据"), group);
    // The control load comes first so that it is the box a fresh dialog
    // focuses; the coefficient is shown only.
    m_targetLoadLabel = AddLabel(Body(), QStringLiteral("控制荷载值(kN)"), LabelArea(group, 1), 1066);
    m_targetLoadBox = AddBox(kTargetLoadBox, &LoadControlForm::targetLoad, BoxArea(group, 1));
    m_holdBandLabel = AddLabel(Body(), QStringLiteral("补载下限(kN)"), LabelArea(group, 2), 1067);
    AddBox(1012, &LoadControlForm::holdBand, BoxArea(group, 2));
    m_stageStepLabel = AddLabel(Body(), QStringLiteral("单级荷载值(kN)"), LabelArea(group, 3), 1068);
    AddBox(1013, &LoadControlForm::stageStep, BoxArea(group, 3));
    m_maxLoadLabel = AddLabel(Body(), QStringLiteral("限制荷载值(kN)"), LabelArea(group, 4), 1069);
    AddBox(1014, &LoadControlForm::maxLoad, BoxArea(group, 4));
    m_plateAreaLabel =
        AddLabel(Body(), QStringLiteral("压板面积(m^2)"), LabelArea(group, 5), kPlateAreaLabel);
    m_plateAreaBox = AddBox(kPlateAreaBox, &LoadControlForm::plateArea, BoxArea(group, 5));

    AddLabel(Body(), QStringLiteral("标定系数"), LabelArea(group, 0));
    m_coefficientBox = AddBox(kCoefficientBox, &LoadControlForm::calibrationCoefficient, BoxArea(group, 0));
    m_coefficientBox->setEnabled(false);

    const int left = group.area.left();
    AddLabel(Body(), QStringLiteral("加载方式"), QRect(left + 6, RowTop(group, 6), 80, kRowHeight));
    m_automatic = new QRadioButton(QStringLiteral("自动"), Body());
    m_automatic->setObjectName(ControlName(kAutomatic));
    m_automatic->setGeometry(left + 100, RowTop(group, 6), 76, kRowHeight);
    m_manual = new QRadioButton(QStringLiteral("手动"), Body());
    m_manual->setObjectName(ControlName(kManual));
    m_manual->setGeometry(left + 182, RowTop(group, 6), 76, kRowHeight);
    m_automatic->setChecked(true);
}

void CKongZaiSZ::CreateProtectionGroup() {
    const RowGroup& group = kProtectionGroup;
    AddGroup(Body(), QStringLiteral("保护值设定"), group);
    const struct {
        int controlId;
        const char* caption;
        QString LoadControlForm::*field;
    } rows[] = {
        {1050, "最大沉降允许值(mm)", &LoadControlForm::maxSettlement},
        {1005, "不均匀沉降允许值(mm)", &LoadControlForm::maxUnevenSettlement},
        {1006, "加载保护时间(秒)", &LoadControlForm::loadProtectSeconds},
        {1007, "位移量程报警值(mm)", &LoadControlForm::gaugeRangeAlarm},
        {1008, "锚桩上拔报警值(mm)", &LoadControlForm::anchorUpliftAlarm},
        {1009, "加载点动控制", &LoadControlForm::loadPulseTicks},
        {1004, "卸载点动控制", &LoadControlForm::unloadPulseTicks},
    };
    int row = 0;
    for (const auto& [controlId, caption, field] : rows) {
        AddLabel(Body(), QString::fromUtf8(caption), LabelArea(group, row));
        AddBox(controlId, field, BoxArea(group, row));
        ++row;
    }
}

void CKongZaiSZ::CreateButtons() {
    QFont buttonFont = font();
    buttonFont.setPixelSize(20);
    m_back = new QPushButton(Body());
    m_back->setFont(buttonFont);
    m_back->setObjectName(ControlName(kBack));
    m_back->setGeometry(kBackButton);
    connect(m_back, &QPushButton::clicked, this, &CKongZaiSZ::Back);
    m_confirm = new QPushButton(Body());
    m_confirm->setFont(buttonFont);
    m_confirm->setObjectName(ControlName(kConfirm));
    m_confirm->setGeometry(kConfirmButton);
    // The forward button is the one the frame marks, not "上一步".
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &CKongZaiSZ::Confirm);
}

void CKongZaiSZ::ShowSettings() {
    const LoadLabels labels = LoadControlLabels(m_pub.loadInKN);
    m_targetLoadLabel->setText(labels.targetLoad);
    m_holdBandLabel->setText(labels.holdBand);
    m_stageStepLabel->setText(labels.stageStep);
    m_maxLoadLabel->setText(labels.maxLoad);
    const PlateAreaState plateArea = PlateAreaStateOf(m_pub);
    m_plateAreaLabel->setVisible(plateArea.visible);
    m_plateAreaBox->setVisible(plateArea.visible);
    m_plateAreaBox->setEnabled(plateArea.enabled);

    setWindowTitle(LoadControlCaption(m_pub, m_list));
    const bool wizard = m_pub.wizardMode;
    m_back->setText(wizard ? QStringLiteral("上一步") : QStringLiteral("退出"));
    m_confirm->setText(wizard ? QStringLiteral("下一步") : QStringLiteral("确定"));
    m_shownForm = OpenLoadControlForm(m_pub, m_list, m_controlLoadText);
    ShowForm(m_shownForm);
    // Alone, the control load shown is usually retyped as a whole.
    if (!wizard)
        m_keypad->ReplaceOnFirstKey(m_targetLoadBox);
}

void CKongZaiSZ::ShowForm(const LoadControlForm& form) {
    for (const auto& [field, box] : m_boxes)
        box->setText(form.*field);
    const bool automatic = form.stageAdvance == StageAdvance::Automatic;
    m_automatic->setChecked(automatic);
    m_manual->setChecked(!automatic);
}

LoadControlForm CKongZaiSZ::ReadForm() const {
    LoadControlForm form;
    for (const auto& [field, box] : m_boxes)
        form.*field = box->text();
    form.stageAdvance = m_automatic->isChecked() ? StageAdvance::Automatic : StageAdvance::Manual;
    return form;
}

void CKongZaiSZ::Back() {
    if (m_pub.wizardMode)
        m_pub.setupStep = 2;
    reject();
}

void CKongZaiSZ::Confirm() {
    if (!LoadControlStores(m_pub)) {
        // Only a test or the wizard stores these values; a change made
        // before the test would otherwise be lost without a word.
        if (ReadForm() != m_shownForm)
            m_prompter.Information(QString(),
                                   QStringLiteral("未开始测试，控载设置不保存！请在“新试桩”中设置。"));
        reject();
        return;
    }
    const QString refusal = ConfirmLoadControlForm(m_pub, m_list, m_controlLoadText, m_files, ReadForm());
    if (!refusal.isEmpty()) {
        m_prompter.Information(QString(), refusal);
        return;
    }
    reject();
}
