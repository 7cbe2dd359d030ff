#include "ui/calib/CQianJingDingLvDing.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "ui/app/Prompter.h"
#include "ui/calib/CalibrationControls.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace CalibrationControls;
using namespace JackCalibrationText;

namespace {

constexpr QSize kDialogSize(790, 550);
constexpr QPoint kKeypadTopLeft(580, 52);

constexpr PointTableLayout kTable{.top = 176,
                                  .rowStep = 38,
                                  .rowHeight = 34,
                                  .halfLeft = {10, 290},
                                  .pointWidth = 34,
                                  .valueWidth = 118,
                                  .gap = 4};

const KeypadField kNumberField{.allowsPoint = false, .maxLength = kJackNumberLength};
const KeypadField kValueField{.allowsPoint = true, .maxLength = 7, .maxDecimals = 3};

} // namespace

CQianJingDingLvDing::CQianJingDingLvDing(CPublic& pub, const KVTFile& files, Prompter& prompter,
                                         QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_files(files),
      m_prompter(prompter) {
    setWindowTitle(QStringLiteral("千斤顶率定"));
    UseDialogFont(this);
    m_keypad = new NumericKeypad(Body());
    m_keypad->move(kKeypadTopLeft);
    CreateEntries();
    CreateTable();
    CreateButtons();

    m_jackRadio->setChecked(true);
    m_sensorNumber->setEnabled(false);
    m_maxForce->setText(QStringLiteral("1000"));
    m_pointCount->setText(QStringLiteral("5"));
    m_standard[0]->setText(QStringLiteral("0"));
    m_measured[0]->setText(QStringLiteral("0"));
    if (m_pub.jackTable.empty()) {
        m_pub.jackTable = BlankJackTable();
        m_files.LoadJackTable(m_pub.jackTable);
    }
    // The dialog always works on ten groups.
    m_pub.jackTable.resize(kJackSlots, JackRecord::Blank());
    MovedTo(1);
}

void CQianJingDingLvDing::CreateEntries() {
    AddLabel(Body(), QStringLiteral("率定方式"), QRect(10, 8, 90, 36));
    m_jackRadio = AddRadio(Body(), kJackRadio, QStringLiteral("千斤顶"), QRect(105, 8, 100, 36));
    m_systemRadio = AddRadio(Body(), kSystemRadio, QStringLiteral("系统"), QRect(210, 8, 80, 36));
    connect(m_jackRadio, &QRadioButton::clicked, this, &CQianJingDingLvDing::OnJackType);
    connect(m_systemRadio, &QRadioButton::clicked, this, &CQianJingDingLvDing::OnSystemType);
    m_groupLabel = AddLabel(Body(), GroupLabel(1), QRect(300, 8, 270, 36), kGroupLabel);

    AddLabel(Body(), QStringLiteral("千斤顶编号"), QRect(4, 52, 154, 36));
    m_jackNumber = AddEdit(Body(), kJackNumber, QRect(162, 52, 110, 36));
    AddLabel(Body(), QStringLiteral("传感器编号"), QRect(280, 52, 150, 36));
    m_sensorNumber = AddEdit(Body(), kSensorNumber, QRect(434, 52, 130, 36));
    AddLabel(Body(), QStringLiteral("率定最大力值kN"), QRect(4, 96, 154, 36));
    m_maxForce = AddEdit(Body(), kMaxForce, QRect(162, 96, 110, 36));
    AddLabel(Body(), QStringLiteral("率定点数(≦10)"), QRect(280, 96, 150, 36));
    m_pointCount = AddEdit(Body(), kPointCount, QRect(434, 96, 130, 36));
    for (QLineEdit* number : {m_jackNumber, m_sensorNumber}) {
        // The file keeps ten units of a number; more could never be found again.
        number->setMaxLength(kJackNumberLength);
        m_keypad->Attach(number, kNumberField);
    }
    m_keypad->Attach(m_maxForce, kValueField);
    m_keypad->Attach(m_pointCount, kCountField);
}

void CQianJingDingLvDing::CreateTable() {
    for (int half = 0; half < 2; ++half) {
        AddHeader(Body(), QStringLiteral("点"), kTable.Cell(half, 0, -1));
        AddHeader(Body(), QStringLiteral("标准力值kN"), kTable.Cell(half, 1, -1));
    }
    m_leftHeader = AddHeader(Body(), Text(kJackHeader), kTable.Cell(0, 2, -1), kLeftHeader);
    m_rightHeader = AddHeader(Body(), Text(kJackHeader), kTable.Cell(1, 2, -1), kRightHeader);
    for (int point = 0; point <= kJackPoints; ++point) {
        const auto p = static_cast<std::size_t>(point);
        AddLabel(Body(), QString::number(point), kTable.PointCell(point, 0));
        m_standard[p] = AddShownBox(Body(), kStandardIds[p], kTable.PointCell(point, 1));
        m_standard[p]->setEnabled(false);
        m_measured[p] = AddEdit(Body(), kMeasuredIds[p], kTable.PointCell(point, 2));
        m_keypad->Attach(m_measured[p], kValueField);
    }
}

void CQianJingDingLvDing::CreateButtons() {
    constexpr int top = 420;
    constexpr int height = 56;
    m_generate = AddButton(Body(), kGenerate, "生成标准力值", QRect(580, 290, 200, height));
    m_previous = AddButton(Body(), kPrevious, "上一组", QRect(10, top, 120, height));
    m_next = AddButton(Body(), kNext, "下一组", QRect(140, top, 120, height));
    m_save = AddButton(Body(), kSave, "存盘", QRect(290, top, 120, height));
    auto* remove = AddButton(Body(), kDelete, "删除", QRect(420, top, 120, height));
    auto* leave = AddButton(Body(), kExit, "退出", QRect(660, top, 120, height));
    connect(m_generate, &QPushButton::clicked, this, &CQianJingDingLvDing::GenerateForces);
    connect(m_previous, &QPushButton::clicked, this, &CQianJingDingLvDing::PreviousGroup);
    connect(m_next, &QPushButton::clicked, this, &CQianJingDingLvDing::NextGroup);
    connect(m_save, &QPushButton::clicked, this, &CQianJingDingLvDing::SaveGroup);
    connect(remove, &QPushButton::clicked, this, &CQianJingDingLvDing::DeleteGroup);
    connect(leave, &QPushButton::clicked, this, &QDialog::reject);
}

JackRecord& CQianJingDingLvDing::Current() {
    return m_pub.jackTable.at(static_cast<std::size_t>(m_currentGroup - 1));
}

void CQianJingDingLvDing::SetHeaders(const char* header) {
    m_leftHeader->setText(Text(header));
    m_rightHeader->setText(Text(header));
}

void CQianJingDingLvDing::SetInputsEnabled(bool enabled, int pointCount) {
    m_jackRadio->setEnabled(enabled);
    m_systemRadio->setEnabled(enabled);
    m_jackNumber->setEnabled(enabled);
    m_sensorNumber->setEnabled(enabled && m_systemRadio->isChecked());
    m_maxForce->setEnabled(enabled);
    m_pointCount->setEnabled(enabled);
    for (int point = 0; point <= kJackPoints; ++point)
        m_measured[static_cast<std::size_t>(point)]->setEnabled(enabled && point <= pointCount);
    m_generate->setEnabled(enabled);
    m_save->setEnabled(enabled);
    m_keypad->SetKeysEnabled(enabled);
}

void CQianJingDingLvDing::ShowGroup() {
    const JackRecord& record = Current();
    const JackGroupForm form = FormOfRecord(record);
    m_jackRadio->setChecked(!form.system);
    m_systemRadio->setChecked(form.system);
    SetHeaders(form.system ? kSystemHeader : kJackHeader);
    m_jackNumber->setText(form.jackNumber);
    m_sensorNumber->setText(form.sensorNumber);
    m_maxForce->setText(form.maxForce);
    m_pointCount->setText(form.pointCount);
    for (std::size_t p = 0; p < m_standard.size(); ++p) {
        m_standard[p]->setText(form.standardForce[p]);
        m_measured[p]->setText(form.measured[p]);
    }
    m_editable = record.saved != 1;
    SetInputsEnabled(m_editable, record.pointCount);
    if (m_editable)
        m_keypad->FocusOn(m_jackNumber);
}

void CQianJingDingLvDing::MovedTo(int group) {
    m_currentGroup = group;
    m_groupLabel->setText(GroupLabel(group));
    m_previous->setEnabled(group > 1);
    m_next->setEnabled(group < kJackSlots);
    ShowGroup();
}

JackGroupForm CQianJingDingLvDing::ReadForm() const {
    JackGroupForm form;
    form.system = m_systemRadio->isChecked();
    form.jackNumber = m_jackNumber->text();
    form.sensorNumber = m_sensorNumber->text();
    form.maxForce = m_maxForce->text();
    form.pointCount = m_pointCount->text();
    for (std::size_t p = 0; p < m_standard.size(); ++p) {
        form.standardForce[p] = m_standard[p]->text();
        form.measured[p] = m_measured[p]->text();
    }
    return form;
}

void CQianJingDingLvDing::OnJackType() {
    m_sensorNumber->setEnabled(false);
    SetHeaders(kJackRadioHeader);
}

void CQianJingDingLvDing::OnSystemType() {
    m_sensorNumber->setEnabled(true);
    SetHeaders(kSystemHeader);
}

void CQianJingDingLvDing::GenerateForces() {
    const StandardForces forces = GenerateStandardForces(ReadForm());
    if (forces.refusal) {
        m_prompter.Information(QString(), Text(forces.refusal));
        return;
    }
    for (int point = 0; point <= kJackPoints; ++point) {
        const auto p = static_cast<std::size_t>(point);
        const bool used = point <= forces.pointCount;
        m_standard[p]->setText(used ? QString::asprintf("%d", forces.force[p]) : QString());
        if (point == 0)
            continue;
        m_measured[p]->setEnabled(used);
        if (!used)
            m_measured[p]->clear();
    }
}

void CQianJingDingLvDing::PreviousGroup() {
    MovedTo(::PreviousGroup(m_currentGroup));
}

void CQianJingDingLvDing::NextGroup() {
    const GroupMove move = ::NextGroup(m_pub.jackTable, m_currentGroup, m_pub.run.View().running);
    if (move.refusal) {
        m_prompter.Information(QString(), Text(move.refusal));
        m_keypad->FocusOn(m_measured[0]);
        return;
    }
    if (move.group != m_currentGroup)
        MovedTo(move.group);
}

void CQianJingDingLvDing::SaveGroup() {
    if (!m_prompter.Question(QString(), Text(kSaveQuestion)))
        return;
    if (const char* refusal = StoreGroup(ReadForm(), Current())) {
        m_prompter.Information(QString(), Text(refusal));
        return;
    }
    const bool written = m_files.SaveJackTable(m_pub.jackTable);
    m_editable = false;
    SetInputsEnabled(false, 0);
    m_prompter.Information(QString(), Text(written ? kSaved : kSaveFailed));
}

void CQianJingDingLvDing::DeleteGroup() {
    if (m_pub.run.View().running) {
        m_prompter.Information(QString(), Text(kDeleteWhileRunning));
        return;
    }
    if (!m_prompter.Question(QString(), Text(kDeleteQuestion)))
        return;
    ::DeleteGroup(m_pub.jackTable, m_currentGroup);
    // A deletion the file did not take would come back at the next start.
    if (!m_files.SaveJackTable(m_pub.jackTable))
        m_prompter.Information(QString(), Text(kSaveFailed));
    ShowGroup();
}
