#include "ui/setup/CCSSZ.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/setup/ApplyTestSettings.h"
#include "core/setup/ConfirmTestSettings.h"
#include "core/setup/LoadCoefficient.h"
#include "platform/Clock.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"
#include "ui/panel/ReadableWhenDisabled.h"
#include "ui/setup/NumericKeypad.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <tuple>
#include <utility>

namespace {

using namespace TestSettingsId;

constexpr QSize kDialogSize(790, 560);
constexpr int kBoxHeight = 30;
constexpr int kRowStep = 36;

// Left column: project, sensor and jack; right column: pressure mode,
// calibration, coefficient and the keypad.
constexpr QRect kProjectGroup(10, 6, 380, 98);
constexpr QRect kSensorGroup(10, 110, 380, 166);
constexpr QRect kJackGroup(10, 282, 380, 202);
constexpr QRect kModeGroup(400, 6, 380, 130);
constexpr QRect kCalibrationGroup(400, 142, 185, 66);
constexpr QRect kCoefficientGroup(595, 142, 185, 66);
constexpr QPoint kKeypadTopLeft(490, 218);

// Which form text each box shows.
struct BoxBinding {
    int controlId;
    QString TestSettingsForm::*text;
};
constexpr BoxBinding kBoxBindings[] = {
    {serialNumber, &TestSettingsForm::serialNumber}, {pileNumber, &TestSettingsForm::pileNumber},
    {jackNumber, &TestSettingsForm::jackNumber},     {ratedPressure, &TestSettingsForm::ratedPressure},
    {ratedForce, &TestSettingsForm::ratedForce},     {jackCount, &TestSettingsForm::jackCount},
    {sensorNumber, &TestSettingsForm::sensorNumber}, {sensorRange, &TestSettingsForm::sensorRange},
    {sensitivity, &TestSettingsForm::sensitivity},   {regressionA, &TestSettingsForm::regressionA},
    {regressionB, &TestSettingsForm::regressionB},
};

// Boxes whose change alters the coefficient shown.
constexpr int kCoefficientInputs[] = {jackNumber,   ratedPressure, ratedForce,  jackCount,
                                      sensorNumber, sensorRange,   sensitivity, regressionB};

int RadioOf(PressureMode mode) {
    switch (mode) {
    case PressureMode::CalibrationData:
        return calibrationDataMode;
    case PressureMode::Regression:
        return regressionMode;
    case PressureMode::Computed:
        break;
    }
    return computedMode;
}

QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& area) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(area);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QGroupBox* AddGroup(QWidget* parent, const QString& title, const QRect& area) {
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(area);
    group->lower();
    return group;
}

// Label and box areas of row `row` in a left-column group.
QRect LabelCell(const QRect& group, int firstRowOffset, int row, int labelWidth) {
    return QRect(group.left() + 8, group.top() + firstRowOffset + row * kRowStep, labelWidth, kBoxHeight);
}
QRect BoxCell(const QRect& group, int firstRowOffset, int row, int labelWidth) {
    const int left = group.left() + 16 + labelWidth;
    return QRect(left, group.top() + firstRowOffset + row * kRowStep, group.right() - 10 - left, kBoxHeight);
}

} // namespace

CCSSZ::CCSSZ(CPublic& pub, ParameterList& list, QString& pileNumber, const KVTFile& files, const Clock& clock,
             Prompter& prompter, QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_pub(pub), m_list(list),
      m_pileNumber(pileNumber), m_files(files), m_clock(clock), m_prompter(prompter) {
    QFont dialogFont = font();
    dialogFont.setPixelSize(15);
    setFont(dialogFont);
    m_keypad = new NumericKeypad(Body(), true);
    m_keypad->move(kKeypadTopLeft);
    CreateProjectGroup();
    CreateSensorGroup();
    CreateJackGroup();
    CreateModeGroups();
    CreateButtons();
    for (const int id : kCoefficientInputs)
        connect(m_boxes.at(id), &QLineEdit::textChanged, this, &CCSSZ::ShowCoefficient);
    Open();
}

QLabel* CCSSZ::AddBox(int controlId, const QString& caption, const QRect& labelArea, const QRect& boxArea,
                      KeypadField field) {
    QLabel* label = AddLabel(Body(), caption, labelArea);
    auto* box = new QLineEdit(Body());
    box->setObjectName(ControlName(controlId));
    box->setGeometry(boxArea);
    m_keypad->Attach(box, field);
    m_boxes[controlId] = box;
    return label;
}

QRadioButton* CCSSZ::AddRadio(QWidget* group, int controlId, const QString& caption, const QRect& area) {
    auto* radio = new QRadioButton(caption, group);
    radio->setObjectName(ControlName(controlId));
    radio->setGeometry(area);
    radio->setFocusPolicy(Qt::NoFocus);
    m_radios[controlId] = radio;
    return radio;
}

void CCSSZ::CreateProjectGroup() {
    AddGroup(Body(), QStringLiteral("工程信息"), kProjectGroup);
    constexpr int labelWidth = 100;
    AddBox(serialNumber, QStringLiteral("检测流水号"), LabelCell(kProjectGroup, 26, 0, labelWidth),
           BoxCell(kProjectGroup, 26, 0, labelWidth), {.maxLength = 12});
    AddBox(pileNumber, QStringLiteral("试桩编号"), LabelCell(kProjectGroup, 26, 1, labelWidth),
           BoxCell(kProjectGroup, 26, 1, labelWidth), {.maxLength = 4});
}

void CCSSZ::CreateSensorGroup() {
    QGroupBox* group = AddGroup(Body(), QStringLiteral("传感器"), kSensorGroup);
    connect(AddRadio(group, oilSensor, QStringLiteral("油压传感器"), QRect(16, 24, 160, 28)),
            &QRadioButton::clicked, this, [this] { OnSensorClicked(SensorKind::OilPressure); });
    connect(AddRadio(group, forceSensor, QStringLiteral("测力传感器"), QRect(196, 24, 160, 28)),
            &QRadioButton::clicked, this, [this] { OnSensorClicked(SensorKind::Force); });
    constexpr int labelWidth = 160;
    constexpr int firstRow = 58;
    AddBox(sensorNumber, QStringLiteral("传感器编号"), LabelCell(kSensorGroup, firstRow, 0, labelWidth),
           BoxCell(kSensorGroup, firstRow, 0, labelWidth), {});
    m_rangeLabel = AddBox(sensorRange, QStringLiteral("传感器量程(MPa)"),
                          LabelCell(kSensorGroup, firstRow, 1, labelWidth),
                          BoxCell(kSensorGroup, firstRow, 1, labelWidth), {.allowsPoint = true});
    m_rangeLabel->setObjectName(ControlName(rangeLabel));
    m_sensitivityLabel = AddBox(sensitivity, QStringLiteral("传感器灵敏度(mV/V)"),
                                LabelCell(kSensorGroup, firstRow, 2, labelWidth),
                                BoxCell(kSensorGroup, firstRow, 2, labelWidth), {.allowsPoint = true});
    m_sensitivityLabel->setObjectName(ControlName(sensitivityLabel));
}

void CCSSZ::CreateJackGroup() {
    QGroupBox* group = AddGroup(Body(), QStringLiteral("千斤顶"), kJackGroup);
    connect(AddRadio(group, doubleCircuit, QStringLiteral("双油路千斤顶"), QRect(16, 24, 170, 28)),
            &QRadioButton::clicked, this, [this] { m_form.circuit = JackCircuit::Double; });
    connect(AddRadio(group, singleCircuit, QStringLiteral("单油路千斤顶"), QRect(196, 24, 170, 28)),
            &QRadioButton::clicked, this, [this] { m_form.circuit = JackCircuit::Single; });
    constexpr int labelWidth = 160;
    constexpr int firstRow = 58;
    const std::pair<int, KeypadField> boxes[] = {{jackNumber, {}},
                                                 {ratedPressure, {.allowsPoint = true}},
                                                 {ratedForce, {.allowsPoint = true}},
                                                 {jackCount, {}}};
    const QString captions[] = {QStringLiteral("千斤顶编号"), QStringLiteral("额定油压(MPa)"),
                                QStringLiteral("额定出力(KN)"), QStringLiteral("千斤顶并联台数")};
    for (int row = 0; row < 4; ++row)
        AddBox(boxes[row].first, captions[row], LabelCell(kJackGroup, firstRow, row, labelWidth),
               BoxCell(kJackGroup, firstRow, row, labelWidth), boxes[row].second);
}

void CCSSZ::CreateModeGroups() {
    QGroupBox* mode = AddGroup(Body(), QStringLiteral("压力计算方式"), kModeGroup);
    const std::tuple<int, const char*, PressureMode, QRect> modes[] = {
        {computedMode, "计算", PressureMode::Computed, QRect(16, 24, 90, 28)},
        {calibrationDataMode, "率定数据", PressureMode::CalibrationData, QRect(116, 24, 120, 28)},
        {regressionMode, "回归方程", PressureMode::Regression, QRect(246, 24, 120, 28)},
    };
    for (const auto& [id, caption, pressureMode, area] : modes)
        connect(AddRadio(mode, id, QString::fromUtf8(caption), area), &QRadioButton::clicked, this,
                [this, pressureMode] { OnModeClicked(pressureMode); });
    auto* equation = new QLabel(QStringLiteral("P(MPa) = a + b * T (kN)"), Body());
    equation->setGeometry(kModeGroup.left() + 16, kModeGroup.top() + 56, 340, 24);
    const int boxTop = kModeGroup.top() + 88;
    AddBox(regressionA, QStringLiteral("常数a"), QRect(kModeGroup.left() + 8, boxTop, 56, kBoxHeight),
           QRect(kModeGroup.left() + 70, boxTop, 110, kBoxHeight),
           {.allowsPoint = true, .allowsMinus = true});
    AddBox(regressionB, QStringLiteral("系数b"), QRect(kModeGroup.left() + 190, boxTop, 56, kBoxHeight),
           QRect(kModeGroup.left() + 252, boxTop, 118, kBoxHeight), {.allowsPoint = true});

    QGroupBox* calibration = AddGroup(Body(), QStringLiteral("率定方式"), kCalibrationGroup);
    connect(AddRadio(calibration, jackCalibration, QStringLiteral("千斤顶"), QRect(12, 28, 84, 28)),
            &QRadioButton::clicked, this, [this] { OnCalibrationClicked(CalibrationMode::Jack); });
    connect(AddRadio(calibration, systemCalibration, QStringLiteral("系统"), QRect(104, 28, 76, 28)),
            &QRadioButton::clicked, this, [this] { OnCalibrationClicked(CalibrationMode::System); });

    AddGroup(Body(), QStringLiteral("标定系数"), kCoefficientGroup);
    m_coefficient = new QLineEdit(Body());
    m_coefficient->setObjectName(ControlName(coefficient));
    m_coefficient->setGeometry(kCoefficientGroup.left() + 12, kCoefficientGroup.top() + 28,
                               kCoefficientGroup.width() - 24, kBoxHeight);
    m_coefficient->setEnabled(false);
    ReadableWhenDisabled(m_coefficient);
}

void CCSSZ::CreateButtons() {
    QFont buttonFont = font();
    buttonFont.setPixelSize(20);
    m_back = new QPushButton(Body());
    m_back->setFont(buttonFont);
    m_back->setObjectName(ControlName(back));
    m_back->setGeometry(40, 496, 140, 52);
    connect(m_back, &QPushButton::clicked, this, &CCSSZ::Back);
    m_confirm = new QPushButton(Body());
    m_confirm->setFont(buttonFont);
    m_confirm->setObjectName(ControlName(confirm));
    m_confirm->setGeometry(220, 496, 140, 52);
    // The forward button is the one the frame marks, not "上一步".
    m_confirm->setDefault(true);
    connect(m_confirm, &QPushButton::clicked, this, &CCSSZ::Confirm);
}

void CCSSZ::Open() {
    const bool wizard = m_pub.wizardMode;
    m_back->setText(wizard ? QStringLiteral("上一步") : QStringLiteral("退出"));
    m_confirm->setText(wizard ? QStringLiteral("下一步") : QStringLiteral("确定"));
    setWindowTitle(TestSettingsCaption(m_pub, m_list));
    const TestSettingsOpening opening = OpenTestSettingsForm(m_pub, m_list, m_pileNumber);
    m_form = opening.form;
    m_editable = opening.editable;
    ShowForm();
    if (m_editable)
        FocusBox(serialNumber);
    else
        DisableEntries();
    ShowCoefficient();
}

void CCSSZ::ShowForm() {
    m_showingForm = true;
    for (const BoxBinding& binding : kBoxBindings)
        m_boxes.at(binding.controlId)->setText(m_form.*binding.text);
    m_showingForm = false;
    ShowModeControls();
}

void CCSSZ::ShowModeControls() {
    const std::map<int, bool> enabled = UpdateModeControls(m_form);
    // Radios of one group exclude each other: checking one clears the other.
    m_radios.at(m_form.sensor == SensorKind::OilPressure ? oilSensor : forceSensor)->setChecked(true);
    m_radios.at(m_form.circuit == JackCircuit::Double ? doubleCircuit : singleCircuit)->setChecked(true);
    m_radios.at(RadioOf(m_form.mode))->setChecked(true);
    m_radios.at(m_form.calibration == CalibrationMode::Jack ? jackCalibration : systemCalibration)
        ->setChecked(true);
    if (m_form.sensor == SensorKind::Force)
        ShowSensorLabels(SensorKind::Force);
    if (!m_editable)
        return;
    for (const auto& [id, on] : enabled) {
        if (const auto box = m_boxes.find(id); box != m_boxes.end())
            box->second->setEnabled(on);
        else
            m_radios.at(id)->setEnabled(on);
    }
}

void CCSSZ::DisableEntries() {
    for (const auto& [id, box] : m_boxes)
        box->setEnabled(false);
    for (const auto& [id, radio] : m_radios)
        radio->setEnabled(false);
    m_keypad->SetKeysEnabled(false);
    m_keypad->FocusOn(nullptr);
}

void CCSSZ::ShowSensorLabels(SensorKind sensor) {
    const SensorLabels labels = SensorLabelsFor(sensor);
    m_rangeLabel->setText(labels.range);
    m_sensitivityLabel->setText(labels.sensitivity);
}

void CCSSZ::ReadForm() {
    for (const BoxBinding& binding : kBoxBindings)
        m_form.*binding.text = m_boxes.at(binding.controlId)->text();
}

void CCSSZ::ShowCoefficient() {
    if (m_showingForm)
        return;
    ReadForm();
    m_coefficient->setText(PreviewCoefficient(m_form, m_files));
}

void CCSSZ::FocusBox(int controlId) {
    QLineEdit* box = m_boxes.at(controlId);
    box->setFocus();
    m_keypad->FocusOn(box);
}

void CCSSZ::OnSensorClicked(SensorKind sensor) {
    ReadForm();
    if (!ChooseSensor(m_form, sensor, m_pub)) {
        ShowModeControls(); // the click is undone
        return;
    }
    ShowSensorLabels(sensor);
    ShowForm();
    ShowCoefficient();
}

void CCSSZ::OnModeClicked(PressureMode mode) {
    ReadForm();
    m_form.mode = mode;
    ShowModeControls();
    if (mode == PressureMode::Computed) {
        ShowCoefficient();
        return;
    }
    // Calibration data and regression need their own entries first.
    m_coefficient->clear();
    if (mode == PressureMode::Regression && m_form.regressionB != QStringLiteral("0"))
        ShowCoefficient();
}

void CCSSZ::OnCalibrationClicked(CalibrationMode calibration) {
    ReadForm();
    ChooseCalibration(m_form, calibration, m_pub, m_list);
    ShowModeControls();
}

void CCSSZ::Back() {
    if (m_pub.wizardMode) {
        m_pub.setupStep = 1;
        emit NewTestResetRequested();
    }
    reject();
}

void CCSSZ::Confirm() {
    const bool wizard = m_pub.wizardMode;
    if (!wizard && !m_pub.run.View().running) {
        reject();
        return;
    }
    ReadForm();
    if (wizard) {
        if (const QString refusal = CheckWizardIdentity(m_form); !refusal.isEmpty()) {
            m_prompter.Information(QString(), refusal);
            return;
        }
        m_pileNumber = m_form.pileNumber;
    }
    const SettingsValidation validation = ValidateSettings(m_form, m_files);
    if (!validation.refusal.isEmpty()) {
        m_prompter.Information(QString(), validation.refusal);
        return;
    }
    if (wizard && !ClaimDataFile(m_pub, m_files, NewDataFilePath(m_form))) {
        m_prompter.Information(QString(), kDataFileExistsMessage);
        m_boxes.at(pileNumber)->clear();
        FocusBox(pileNumber);
        return;
    }
    StoreTestSettings(m_pub, m_list, m_form, validation, m_clock.Now().date());
    if (!wizard)
        m_pub.saveRequested = true;
    m_files.SaveSettings(m_pub.dataFilePath, m_list);
    if (wizard)
        m_pub.setupStep = 3;
    reject();
}
