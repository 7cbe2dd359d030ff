#include "ui/calib/CSystemBiaoDing.h"

#include "core/calib/SystemCalibrationFile.h"
#include "core/data/CPublic.h"
#include "ui/app/Prompter.h"
#include "ui/calib/CalibrationControls.h"
#include "ui/setup/NumericKeypad.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace CalibrationControls;
using namespace SystemCalibrationText;

namespace {

constexpr QSize kDialogSize(790, 550);
constexpr QPoint kKeypadTopLeft(580, 8);

// Entry rows: a label and its box, two to a row.
constexpr int kEntryTop = 50;
constexpr int kEntryStep = 42;
constexpr int kEntryHeight = 36;
QRect EntryLabel(int column, int row) {
    return QRect(column == 0 ? 4 : 282, kEntryTop + row * kEntryStep, 176, kEntryHeight);
}
QRect EntryBox(int column, int row) {
    return QRect(column == 0 ? 182 : 460, kEntryTop + row * kEntryStep, column == 0 ? 92 : 108, kEntryHeight);
}

constexpr PointTableLayout kTable{.top = 214,
                                  .rowStep = 34,
                                  .rowHeight = 31,
                                  .halfLeft = {4, 292},
                                  .pointWidth = 28,
                                  .valueWidth = 82,
                                  .gap = 2};

const KeypadField kValueField{.allowsPoint = true, .maxLength = 6, .maxDecimals = 4};

} // namespace

CSystemBiaoDing::CSystemBiaoDing(CPublic& pub, const DeviceFolders& folders, Prompter& prompter,
                                 std::function<void()> playSound, QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_folders(folders),
      m_prompter(prompter), m_playSound(std::move(playSound)), m_run(LoadSystemCalibration(folders)) {
    UseDialogFont(this);
    m_keypad = new NumericKeypad(Body());
    m_keypad->move(kKeypadTopLeft);
    CreateEntries();
    CreateTable();
    CreateLiveValues();
    CreateButtons();
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &CSystemBiaoDing::RefreshLive);

    ShowForm(FormOfRun(m_run));
    ShowRun();
    // A run started before goes on where it was.
    if (m_run.started == 1) {
        m_timer->start(kLivePeriodMs);
        RefreshLive();
    }
}

bool CSystemBiaoDing::LiveTimerActive() const {
    return m_timer->isActive();
}

void CSystemBiaoDing::CreateEntries() {
    AddLabel(Body(), QStringLiteral("力通道类型"), QRect(4, 8, 120, 36));
    m_oilRadio = AddRadio(Body(), kOilRadio, QStringLiteral("油压传感器"), QRect(130, 8, 150, 36));
    m_loadRadio = AddRadio(Body(), kLoadRadio, QStringLiteral("荷载传感器"), QRect(290, 8, 150, 36));
    connect(m_oilRadio, &QRadioButton::clicked, this, &CSystemBiaoDing::OnOilSensor);
    connect(m_loadRadio, &QRadioButton::clicked, this, &CSystemBiaoDing::OnLoadSensor);

    AddLabel(Body(), QStringLiteral("标定最大力值(kN)"), EntryLabel(0, 0));
    m_maxForce = AddEdit(Body(), kMaxForce, EntryBox(0, 0));
    AddLabel(Body(), QStringLiteral("标定点数(≦10)"), EntryLabel(1, 0));
    m_pointCount = AddEdit(Body(), kPointCount, EntryBox(1, 0));
    m_rangeLabel = AddLabel(Body(), Text(kOilRangeCaption), EntryLabel(0, 1), kRangeLabel);
    m_range = AddEdit(Body(), kRange, EntryBox(0, 1));
    m_sensitivityLabel = AddLabel(Body(), Text(kSensitivityCaption), EntryLabel(1, 1), kSensitivityLabel);
    m_sensitivity = AddEdit(Body(), kSensitivity, EntryBox(1, 1));
    AddLabel(Body(), QStringLiteral("千斤顶额定出力(kN)"), EntryLabel(0, 2));
    m_ratedForce = AddEdit(Body(), kRatedForce, EntryBox(0, 2));
    AddLabel(Body(), QStringLiteral("千斤顶额定油压(MPa)"), EntryLabel(1, 2));
    m_ratedPressure = AddEdit(Body(), kRatedPressure, EntryBox(1, 2));
    for (QLineEdit* box : {m_maxForce, m_range, m_sensitivity, m_ratedForce, m_ratedPressure})
        m_keypad->Attach(box, kValueField);
    m_keypad->Attach(m_pointCount, kCountField);
}

void CSystemBiaoDing::CreateTable() {
    for (int half = 0; half < 2; ++half) {
        AddHeader(Body(), QStringLiteral("点"), kTable.Cell(half, 0, -1));
        AddHeader(Body(), QStringLiteral("标准力值kN"), kTable.Cell(half, 1, -1));
        m_forceHeaders[static_cast<std::size_t>(half)] =
            AddHeader(Body(), Text(kMeasuredHeader), kTable.Cell(half, 2, -1),
                      half == 0 ? kLeftForceHeader : kRightForceHeader);
        AddHeader(Body(), Text(kPressureHeader), kTable.Cell(half, 3, -1));
    }
    for (int point = 0; point <= kSystemCalibrationMaxPoints; ++point) {
        const auto p = static_cast<std::size_t>(point);
        AddLabel(Body(), QString::number(point), kTable.PointCell(point, 0));
        m_standard[p] = AddShownBox(Body(), kStandardIds[p], kTable.PointCell(point, 1));
        m_force[p] = AddShownBox(Body(), kForceIds[p], kTable.PointCell(point, 2));
        m_pressure[p] = AddShownBox(Body(), kPressureIds[p], kTable.PointCell(point, 3));
    }
}

void CSystemBiaoDing::CreateLiveValues() {
    struct Value {
        int controlId;
        const char* caption;
        QLineEdit* CSystemBiaoDing::*box;
    };
    const Value values[] = {
        {kNextStandard, "标准力值(KN)：", &CSystemBiaoDing::m_nextStandard},
        {kLiveForce, "实测力值(KN)：", &CSystemBiaoDing::m_liveForce},
        {kLivePressure, "实测油压(MPa)：", &CSystemBiaoDing::m_livePressure},
    };
    int top = 240;
    for (const Value& value : values) {
        AddLabel(Body(), Text(value.caption), QRect(576, top, 130, 34));
        this->*value.box = AddShownBox(Body(), value.controlId, QRect(706, top, 78, 34));
        top += 40;
    }
}

void CSystemBiaoDing::CreateButtons() {
    struct Command {
        int controlId;
        const char* caption;
        QRect area;
        void (CSystemBiaoDing::*handler)();
        QPushButton* CSystemBiaoDing::*button;
    };
    constexpr int top = 440;
    constexpr int height = 56;
    const Command commands[] = {
        {kStart, "开始系统标定", QRect(4, top, 150, height), &CSystemBiaoDing::Start,
         &CSystemBiaoDing::m_start},
        {kRecord, "标定记录", QRect(162, top, 110, height), &CSystemBiaoDing::Record,
         &CSystemBiaoDing::m_record},
        {kClear, "清零", QRect(280, top, 100, height), &CSystemBiaoDing::Clear, &CSystemBiaoDing::m_clear},
        {kCheck, "标定检测", QRect(388, top, 110, height), &CSystemBiaoDing::EnterCheck,
         &CSystemBiaoDing::m_check},
        {kCalibrationView, "系统标定", QRect(506, top, 110, height), &CSystemBiaoDing::ShowCalibration,
         &CSystemBiaoDing::m_calibrationView},
    };
    for (const Command& command : commands) {
        this->*command.button = AddButton(Body(), command.controlId, command.caption, command.area);
        connect(this->*command.button, &QPushButton::clicked, this, command.handler);
    }
    auto* leave = AddButton(Body(), kExit, "退出", QRect(680, top, 104, height));
    connect(leave, &QPushButton::clicked, this, &QDialog::reject);
}

void CSystemBiaoDing::ShowSensorLabels(bool oilSensor) {
    m_rangeLabel->setText(Text(oilSensor ? kOilRangeCaption : kLoadRangeCaption));
    m_sensitivityLabel->setText(Text(oilSensor ? kSensitivityCaption : kCoefficientCaption));
}

void CSystemBiaoDing::ShowForm(const SystemCalibrationForm& form) {
    m_oilRadio->setChecked(form.oilSensor);
    m_loadRadio->setChecked(!form.oilSensor);
    ShowSensorLabels(form.oilSensor);
    m_maxForce->setText(form.maxForce);
    m_pointCount->setText(form.pointCount);
    m_range->setText(form.range);
    m_sensitivity->setText(form.sensitivity);
    m_ratedForce->setText(form.ratedForce);
    m_ratedPressure->setText(form.ratedPressure);
}

SystemCalibrationForm CSystemBiaoDing::ReadForm() const {
    SystemCalibrationForm form;
    form.oilSensor = m_oilRadio->isChecked();
    form.maxForce = m_maxForce->text();
    form.pointCount = m_pointCount->text();
    form.range = m_range->text();
    form.sensitivity = m_sensitivity->text();
    form.ratedForce = m_ratedForce->text();
    form.ratedPressure = m_ratedPressure->text();
    return form;
}

void CSystemBiaoDing::ShowRun() {
    const SystemCalibrationView view = ViewOfRun(m_run);
    setWindowTitle(view.title);
    for (QLabel* header : m_forceHeaders)
        header->setText(view.forceHeader);
    m_clear->setText(view.clearCaption);
    for (std::size_t p = 0; p < m_standard.size(); ++p) {
        m_standard[p]->setText(view.standard[p]);
        m_force[p]->setText(view.force[p]);
        m_pressure[p]->setText(view.pressure[p]);
    }
    m_nextStandard->setText(view.nextStandard);
    const bool oil = m_oilRadio->isChecked();
    for (QWidget* input : std::initializer_list<QWidget*>{m_oilRadio, m_loadRadio, m_maxForce, m_pointCount,
                                                          m_range, m_sensitivity, m_start})
        input->setEnabled(view.inputsEnabled);
    m_ratedForce->setEnabled(view.inputsEnabled && oil);
    m_ratedPressure->setEnabled(view.inputsEnabled && oil);
    m_keypad->SetKeysEnabled(view.inputsEnabled);
    m_record->setEnabled(view.recordEnabled);
    m_clear->setEnabled(view.clearEnabled);
    m_check->setEnabled(view.checkEnabled);
    m_calibrationView->setEnabled(view.calibrationViewEnabled);
}

void CSystemBiaoDing::Save() {
    // A failed write is not reported: the run stays on screen and is
    // written again at the next step.
    SaveSystemCalibration(m_folders, m_run);
}

void CSystemBiaoDing::OnOilSensor() {
    ShowForm(WithSensorKind(ReadForm(), true));
    m_ratedForce->setEnabled(true);
    m_ratedPressure->setEnabled(true);
}

void CSystemBiaoDing::OnLoadSensor() {
    ShowForm(WithSensorKind(ReadForm(), false));
    m_ratedForce->setEnabled(false);
    m_ratedPressure->setEnabled(false);
}

void CSystemBiaoDing::Start() {
    if (const char* refusal = StartCalibration(ReadForm(), m_run)) {
        m_prompter.Information(QString(), Text(refusal));
        return;
    }
    Save();
    ShowRun();
    m_timer->start(kLivePeriodMs);
    RefreshLive();
}

void CSystemBiaoDing::RefreshLive() {
    const LiveCalibrationValues live = LiveValues(m_run, m_pub.run.Live());
    m_liveForce->setText(live.force);
    m_livePressure->setText(live.pressure);
}

void CSystemBiaoDing::Record() {
    const RecordOutcome outcome = RecordPoint(m_run, {m_liveForce->text(), m_livePressure->text()});
    if (outcome.recorded) {
        ShowRun();
        Save();
        if (m_playSound)
            m_playSound();
    }
    if (outcome.message)
        m_prompter.Information(QString(), Text(outcome.message));
}

void CSystemBiaoDing::Clear() {
    if (!m_prompter.Question(QString(), Text(kClearQuestion)))
        return;
    ClearRun(m_run);
    Save();
    m_timer->stop();
    m_liveForce->clear();
    m_livePressure->clear();
    ShowForm(FormOfRun(m_run));
    ShowRun();
}

void CSystemBiaoDing::EnterCheck() {
    EnterCheckPass(m_run);
    Save();
    ShowRun();
    m_prompter.Information(QString(), Text(kEnteredCheck));
}

void CSystemBiaoDing::ShowCalibration() {
    LeaveCheckPass(m_run);
    Save();
    ShowRun();
}
