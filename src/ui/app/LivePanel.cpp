#include "ui/app/LivePanel.h"

#include "ui/app/ButtonPictures.h"
#include "ui/app/ControlIds.h"
#include "ui/app/ControlName.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

// Five columns of caption and value field, five rows, and the switch column.
constexpr int kColumnWidth = 138;
constexpr int kCaptionWidth = 62;
constexpr int kFieldWidth = 72;
constexpr int kRowStep = 26;
constexpr int kRowHeight = 24;
constexpr int kTop = 2;
constexpr int kSwitchLeft = 694;
constexpr QSize kSwitchSize(104, 40);
constexpr int kSwitchStep = 44;
constexpr int kPanelRight = kSwitchLeft - 4;

// Value-field backgrounds.
const QColor kNearGauges(254, 255, 220);
const QColor kAverage(254, 255, 190);
const QColor kFarGauges(220, 220, 175);
const QColor kWhite(255, 255, 255);
const QColor kControlLoad(91, 173, 255);
const QColor kCurrentLoad(170, 242, 227);
const QColor kStatus(128, 255, 128);
const QColor kOilPressure(255, 128, 255);

QString FieldStyle(const QColor& background) {
    return QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(background.name());
}

QRect Cell(int column, int row, int offset, int width) {
    return {column * kColumnWidth + offset, kTop + row * kRowStep, width, kRowHeight};
}

} // namespace

LivePanel::LivePanel(QWidget* parent) : QWidget(parent) {
    for (int k = 0; k < 4; ++k) {
        AddValueField(ControlId::gaugeFirst + k, QStringLiteral("位移%1").arg(k + 1), k, 0, kNearGauges);
        AddValueField(ControlId::gaugeFifth + k, QStringLiteral("位移%1").arg(k + 5), k, 1, kFarGauges);
    }
    AddValueField(ControlId::gaugeAverage, QStringLiteral("位移平均"), 4, 0, kAverage);
    AddValueField(ControlId::nextReading, QStringLiteral("下次采集"), 4, 1, kWhite);
    AddValueField(ControlId::controlLoad, QStringLiteral("控制荷载"), 0, 2, kControlLoad);
    AddValueField(ControlId::currentLoad, QStringLiteral("当前荷载"), 1, 2, kCurrentLoad);
    AddValueField(ControlId::oilPressure, QStringLiteral("当前油压"), 2, 2, kOilPressure);
    AddValueField(ControlId::controlStatus, QStringLiteral("控载状态"), 3, 2, kStatus);

    auto* clockCaption = new QLabel(QStringLiteral("当前时间"), this);
    clockCaption->setGeometry(Cell(4, 2, 0, kCaptionWidth));
    clockCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* clock = new QPushButton(this);
    clock->setObjectName(ControlName(ControlId::clock));
    clock->setGeometry(Cell(4, 2, kCaptionWidth + 2, kFieldWidth));
    clock->setStyleSheet(FieldStyle(kWhite));
    clock->setFocusPolicy(Qt::NoFocus);
    connect(clock, &QPushButton::clicked, this, &LivePanel::ClockTapped);
    m_clock = clock;

    AddPumpFlow();
    AddMessageLine();

    m_pumpAllowed =
        AddSwitchButton(ControlId::pumpAllowed, 0,
                        SwitchPicture(SwitchMark::GreenLamp, QStringLiteral("油泵允许"), kSwitchSize));
    m_pumpProhibited =
        AddSwitchButton(ControlId::pumpProhibited, 0,
                        SwitchPicture(SwitchMark::RedLamp, QStringLiteral("油泵禁止"), kSwitchSize));
    m_loadBlocked =
        AddSwitchButton(ControlId::loadBlocked, 1,
                        SwitchPicture(SwitchMark::SwitchOff, QStringLiteral("禁止控载"), kSwitchSize));
    m_loadAllowed =
        AddSwitchButton(ControlId::loadAllowed, 1,
                        SwitchPicture(SwitchMark::SwitchOn, QStringLiteral("允许控载"), kSwitchSize));
    m_manualOff = AddSwitchButton(
        ControlId::manualOff, 2, SwitchPicture(SwitchMark::RedLamp, QStringLiteral("手动控载"), kSwitchSize));
    m_manualOn =
        AddSwitchButton(ControlId::manualOn, 2,
                        SwitchPicture(SwitchMark::GreenLamp, QStringLiteral("手动控载"), kSwitchSize));
    m_manualUnavailable =
        AddSwitchButton(ControlId::manualUnavailable, 2,
                        SwitchPicture(SwitchMark::GreyLamp, QStringLiteral("手动控载"), kSwitchSize));
    m_manualUnavailable->setEnabled(false);

    connect(m_pumpAllowed, &QAbstractButton::clicked, this, &LivePanel::PumpGateClicked);
    connect(m_pumpProhibited, &QAbstractButton::clicked, this, &LivePanel::PumpGateClicked);
    connect(m_loadBlocked, &QAbstractButton::clicked, this, &LivePanel::ManualLoadAllowedClicked);
    connect(m_loadAllowed, &QAbstractButton::clicked, this, &LivePanel::ManualLoadAllowedClicked);
    connect(m_manualOff, &QAbstractButton::clicked, this, &LivePanel::ManualLoadClicked);
    connect(m_manualOn, &QAbstractButton::clicked, this, &LivePanel::ManualLoadClicked);
}

void LivePanel::AddValueField(int controlId, const QString& caption, int column, int row,
                              const QColor& background) {
    auto* label = new QLabel(caption, this);
    label->setGeometry(Cell(column, row, 0, kCaptionWidth));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* field = new QLabel(this);
    field->setObjectName(ControlName(controlId));
    field->setGeometry(Cell(column, row, kCaptionWidth + 2, kFieldWidth));
    field->setAlignment(Qt::AlignCenter);
    field->setStyleSheet(FieldStyle(background));
}

QAbstractButton* LivePanel::AddSwitchButton(int controlId, int place, const QPixmap& picture) {
    auto* button = new QPushButton(this);
    button->setObjectName(ControlName(controlId));
    button->setGeometry(QRect(QPoint(kSwitchLeft, kTop + place * kSwitchStep), kSwitchSize));
    button->setIcon(QIcon(picture));
    button->setIconSize(kSwitchSize);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void LivePanel::AddPumpFlow() {
    constexpr int kRow = 3;
    auto* caption = new QLabel(QStringLiteral("油泵流量"), this);
    caption->setGeometry(Cell(0, kRow, 0, kCaptionWidth));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int barLeft = kCaptionWidth + 20;
    const int barWidth = kPanelRight - barLeft - 22;
    auto* minus = new QLabel(QStringLiteral("-"), this);
    minus->setGeometry(kCaptionWidth + 2, kTop + kRow * kRowStep, 16, kRowHeight);
    minus->setAlignment(Qt::AlignCenter);
    auto* bar = new QProgressBar(this);
    bar->setObjectName(ControlName(ControlId::pumpFlow));
    bar->setGeometry(barLeft, kTop + kRow * kRowStep + 3, barWidth, kRowHeight - 6);
    // From 0: a stopped pump empties the bar (Qt ignores a value below the range).
    bar->setRange(0, 255);
    bar->setValue(0);
    bar->setTextVisible(false);
    auto* plus = new QLabel(QStringLiteral("+"), this);
    plus->setGeometry(barLeft + barWidth + 2, kTop + kRow * kRowStep, 16, kRowHeight);
    plus->setAlignment(Qt::AlignCenter);
}

void LivePanel::AddMessageLine() {
    auto* line = new QLabel(this);
    line->setObjectName(ControlName(ControlId::messageLine));
    line->setGeometry(8, kTop + 4 * kRowStep, kPanelRight - 8, kRowHeight);
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Serif CJK SC")});
    font.setPixelSize(17);
    line->setFont(font);
    line->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
}

void LivePanel::SetClockText(const QString& text) {
    m_clock->setText(text);
}

void LivePanel::SetField(int controlId, const QString& text) {
    if (auto* field = findChild<QLabel*>(ControlName(controlId)))
        field->setText(text);
}

void LivePanel::ShowView(const LivePanelView& view) {
    SetField(ControlId::messageLine, view.messageLine);
    for (int k = 0; k < 4; ++k) {
        SetField(ControlId::gaugeFirst + k, view.gaugeTexts[static_cast<std::size_t>(k)]);
        SetField(ControlId::gaugeFifth + k, view.gaugeTexts[static_cast<std::size_t>(k + 4)]);
    }
    SetField(ControlId::gaugeAverage, view.averageText);
    SetField(ControlId::controlLoad, view.targetLoadText);
    SetField(ControlId::currentLoad, view.currentLoadText);
    SetField(ControlId::oilPressure, view.oilPressureText);
    if (view.statusWord)
        SetField(ControlId::controlStatus, *view.statusWord);
    if (view.nextReadingField)
        SetField(ControlId::nextReading, *view.nextReadingField);
    if (auto* bar = findChild<QProgressBar*>(ControlName(ControlId::pumpFlow)))
        bar->setValue(view.progressPosition);
    ShowSwitches(view.switches);
}

void LivePanel::ShowSwitches(const SwitchPictures& pictures) {
    using Manual = SwitchPictures::Manual;
    m_pumpProhibited->setVisible(pictures.pumpProhibited);
    m_pumpAllowed->setVisible(!pictures.pumpProhibited);
    m_loadAllowed->setVisible(pictures.loadAllowed);
    m_loadBlocked->setVisible(!pictures.loadAllowed);
    m_manualUnavailable->setVisible(pictures.manual == Manual::Unavailable);
    m_manualOff->setVisible(pictures.manual == Manual::Off);
    m_manualOn->setVisible(pictures.manual == Manual::On);
}
