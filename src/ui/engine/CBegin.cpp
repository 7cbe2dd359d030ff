#include "ui/engine/CBegin.h"

#include "core/data/CPublic.h"
#include "core/data/KVTFile.h"
#include "core/data/ParameterRows.h"
#include "core/engine/TestEngine.h"
#include "core/remote/UploadFrame.h"
#include "core/setup/LoadControlForm.h"
#include "ui/app/ControlName.h"
#include "ui/app/Prompter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr QSize kDialogSize(790, 540);
constexpr int kModuleTestPollMs = 100;

// GPRS states that end a module test, with the message each shows.
struct ModuleTestResult {
    int gprsState;
    const char* message;
};
constexpr ModuleTestResult kModuleTestResults[] = {
    {GprsLink::kNotRegistered, "模块未登记！请先登记模块!"},
    {GprsLink::kTestPassed, "测试模块成功!"},
    {GprsLink::kTestFailed, "测试模块失败！请检查远传设备!"},
};

void AddGroup(QWidget* parent, const QString& title, const QRect& area) {
    auto* group = new QGroupBox(title, parent);
    group->setGeometry(area);
    group->lower();
}

void AddHint(QWidget* parent, const QString& text, const QRect& area) {
    auto* hint = new QLabel(text, parent);
    hint->setGeometry(area);
    hint->setWordWrap(true);
}

void SetEntry(ParameterList& list, int entry, float value) {
    if (static_cast<std::size_t>(entry) < list.size())
        list[static_cast<std::size_t>(entry)] = value;
}

// The file name part of a device path.
QString FileName(const QString& devicePath) {
    return devicePath.mid(devicePath.lastIndexOf(QLatin1Char('\\')) + 1);
}

} // namespace

CBegin::CBegin(Services services, QWidget* parent)
    : PanelDialog(Placement::FullScreen, kDialogSize, parent), m_services(std::move(services)),
      m_pub(m_services.pub) {
    QFont dialogFont = font();
    dialogFont.setPixelSize(14);
    setFont(dialogFont);
    CreateHints();
    CreateButtons();
    CreateUploadControls();

    findChild<QPushButton*>(ControlName(kResume))->setEnabled(false);
    ShowUploadChoice();
    setWindowTitle(QStringLiteral("测试控制                                 文件名： ") +
                   FileName(m_pub.dataFilePath));
    EnableByRunState();
}

void CBegin::CreateHints() {
    AddGroup(Body(), QStringLiteral("清零注意事项"), QRect(10, 8, 420, 100));
    AddHint(Body(), QStringLiteral("1、位移应优先在传感器端清零。"), QRect(22, 32, 290, 24));
    AddHint(Body(), QStringLiteral("2、荷载应在无压力情况下清零。"), QRect(22, 64, 290, 24));

    AddGroup(Body(), QStringLiteral("测试前先检查"), QRect(10, 116, 420, 186));
    AddHint(Body(), QStringLiteral("1、油路连接是否正确，油泵打到加压位置，打开油泵电机开关。"),
            QRect(22, 138, 400, 42));
    AddHint(Body(), QStringLiteral("2、传输控制电缆是否接好！"), QRect(22, 184, 400, 24));
    AddHint(Body(), QStringLiteral("3、确认测试参数输入无误！"), QRect(22, 212, 400, 24));
    AddHint(Body(), QStringLiteral("4、若允许远程数据传输，应先测试GPRS模块通讯是否畅通。"),
            QRect(22, 240, 400, 42));

    AddGroup(Body(), QStringLiteral("测试控制"), QRect(440, 8, 340, 262));
    AddHint(Body(), QStringLiteral("1、开始测试：按控载设置加载并记录数据。"), QRect(452, 146, 320, 24));
    AddHint(Body(), QStringLiteral("2、结束测试：结束当前测试并保存数据。"), QRect(452, 176, 320, 24));
    AddHint(Body(), QStringLiteral("3、暂停测试：暂停控载与记录。"), QRect(452, 206, 320, 24));
    AddHint(Body(), QStringLiteral("4、重启测试：从暂停处继续测试。"), QRect(452, 236, 320, 24));

    AddGroup(Body(), QStringLiteral("手动控制"), QRect(440, 278, 340, 86));

    m_startHint = new QLabel(Body());
    m_startHint->setObjectName(QStringLiteral("startHint"));
    m_startHint->setGeometry(440, 372, 340, 48);
    m_startHint->setWordWrap(true);
    m_startHint->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
}

QPushButton* CBegin::AddButton(int controlId, const QString& caption, const QRect& area) {
    auto* button = new QPushButton(caption, Body());
    button->setObjectName(ControlName(controlId));
    button->setGeometry(area);
    return button;
}

void CBegin::CreateButtons() {
    connect(AddButton(kStart, QStringLiteral("开始测试"), QRect(455, 32, 150, 48)), &QPushButton::clicked,
            this, &CBegin::OnStart);
    connect(AddButton(kEnd, QStringLiteral("结束测试"), QRect(615, 32, 150, 48)), &QPushButton::clicked, this,
            &CBegin::OnEnd);
    connect(AddButton(kPause, QStringLiteral("暂停测试"), QRect(455, 88, 150, 48)), &QPushButton::clicked,
            this, &CBegin::OnPause);
    connect(AddButton(kResume, QStringLiteral("重启测试"), QRect(615, 88, 150, 48)), &QPushButton::clicked,
            this, &CBegin::OnResume);
    connect(AddButton(kManualReading, QStringLiteral("手动记录"), QRect(452, 302, 100, 48)),
            &QPushButton::clicked, this, &CBegin::OnManualReading);
    connect(AddButton(kLoadNext, QStringLiteral("加载下一级"), QRect(560, 302, 100, 48)),
            &QPushButton::clicked, this, &CBegin::OnLoadNext);
    connect(AddButton(kUnloadNext, QStringLiteral("卸载下一级"), QRect(668, 302, 100, 48)),
            &QPushButton::clicked, this, &CBegin::OnUnloadNext);
    connect(AddButton(kZeroSettings, QStringLiteral("清零设置"), QRect(322, 38, 100, 48)),
            &QPushButton::clicked, this, [this] {
                if (m_services.openZeroSettings)
                    m_services.openZeroSettings();
            });
    connect(AddButton(kSystemTime, QStringLiteral("系统时间"), QRect(20, 476, 130, 50)),
            &QPushButton::clicked, this, [this] {
                if (m_services.openSystemTime)
                    m_services.openSystemTime();
            });
    connect(AddButton(kExit, QStringLiteral("退出"), QRect(650, 476, 130, 50)), &QPushButton::clicked, this,
            &CBegin::reject);
}

void CBegin::CreateUploadControls() {
    AddGroup(Body(), QStringLiteral("远程传输"), QRect(10, 310, 420, 150));
    m_uploadAtReading = new QCheckBox(QStringLiteral("采集时发送"), Body());
    m_uploadAtReading->setObjectName(ControlName(kUploadAtReading));
    m_uploadAtReading->setGeometry(22, 334, 180, 32);
    connect(m_uploadAtReading, &QCheckBox::clicked, this, &CBegin::OnUploadAtReading);
    m_realTimeSend = new QCheckBox(QStringLiteral("实时数据发送"), Body());
    m_realTimeSend->setObjectName(ControlName(kRealTimeSend));
    m_realTimeSend->setGeometry(212, 334, 200, 32);
    connect(m_realTimeSend, &QCheckBox::clicked, this, &CBegin::OnRealTimeSend);

    connect(AddButton(kModuleTest, QStringLiteral("测试模块"), QRect(22, 380, 130, 50)),
            &QPushButton::clicked, this, &CBegin::OnModuleTest);
    m_moduleTestProgress = new QLabel(Body());
    m_moduleTestProgress->setObjectName(ControlName(kModuleTestProgress));
    m_moduleTestProgress->setGeometry(162, 380, 260, 50);
    m_moduleTestProgress->setWordWrap(true);
    m_moduleTestProgress->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));

    m_moduleTestTimer = new QTimer(this);
    m_moduleTestTimer->setInterval(kModuleTestPollMs);
    connect(m_moduleTestTimer, &QTimer::timeout, this, &CBegin::PollModuleTest);
}

void CBegin::ShowUploadChoice() {
    auto* moduleTest = findChild<QPushButton*>(ControlName(kModuleTest));
    const bool uploadOn = ParameterAt(m_pub.paramList, Entry::uploadOff) == 0.0f;
    m_uploadAtReading->setChecked(uploadOn);
    m_realTimeSend->setEnabled(uploadOn);
    m_realTimeSend->setChecked(uploadOn && ParameterAt(m_pub.paramList, Entry::realTimeSendOff) == 0.0f);
    moduleTest->setEnabled(uploadOn && !m_pub.run.View().running);
}

void CBegin::EnableByRunState() {
    auto enable = [this](std::initializer_list<int> ids, bool enabled) {
        for (const int id : ids)
            findChild<QPushButton*>(ControlName(id))->setEnabled(enabled);
    };
    const RunState run = m_pub.run.View();
    bool startWantsControlLoad = false;
    if (m_pub.testFinished) {
        enable({kZeroSettings, kModuleTest, kStart, kPause, kResume, kManualReading, kLoadNext, kUnloadNext},
               false);
        enable({kEnd}, true);
    } else {
        const bool running = run.running;
        enable({kStart}, !running && run.targetLoad > 0);
        // The one reason for a grey "开始测试" the operator can mend here.
        startWantsControlLoad = !running && !run.pausedFlag && run.targetLoad <= 0;
        enable({kEnd, kPause}, running);
        enable({kZeroSettings}, true);
        enable({kLoadNext, kUnloadNext, kManualReading}, false);
        if (run.controlState != ControlState::Waiting)
            enable({kManualReading, kEnd, kLoadNext}, true);
        if (IsUnloadingPhase(run.controlState)) {
            enable({kLoadNext}, false);
            enable({kUnloadNext}, true);
        }
        if (run.pausedFlag) {
            enable({kStart, kManualReading, kLoadNext, kEnd, kPause}, false);
            enable({kResume}, true);
        }
    }
    if (run.targetLoad == 0)
        enable({kUnloadNext}, false);
    // Outside the wizard "控载设置" stores nothing: a new test is where the
    // control load is entered then.
    m_startHint->setText(LoadControlStores(m_pub)
                             ? QStringLiteral("控制荷载为0，不能开始测试！请在“控载设置”中输入控制荷载。")
                             : QStringLiteral("控制荷载为0，不能开始测试！请在“新试桩”中设置控制荷载。"));
    m_startHint->setVisible(startWantsControlLoad);
}

void CBegin::SaveSettings() {
    m_services.files.SaveSettings(m_pub.dataFilePath, m_pub.paramList);
}

void CBegin::OnStart() {
    const QString refusal = m_services.engine.StartTest(m_uploadAtReading->isChecked());
    if (!refusal.isEmpty()) {
        m_services.prompter.Information(QString(), refusal);
        return;
    }
    accept();
}

void CBegin::OnEnd() {
    if (!m_services.prompter.Question(QString(), QStringLiteral("确定结束当前测试？")))
        return;
    const QString ended = m_services.engine.EndTest();
    m_services.prompter.Information(QString(), ended);
    accept();
}

void CBegin::OnPause() {
    if (!m_services.prompter.Question(QString(), QStringLiteral("确定暂停测试？")))
        return;
    m_services.engine.PauseTest();
    accept();
}

void CBegin::OnResume() {
    m_services.engine.ResumeTest();
    accept();
}

void CBegin::OnManualReading() {
    m_services.engine.RequestManualReading();
}

void CBegin::OnLoadNext() {
    if (!m_services.prompter.Question(QString(), QStringLiteral("确认加载下一级？")))
        return;
    m_services.engine.LoadNextStage();
    accept();
}

void CBegin::OnUnloadNext() {
    if (!m_services.prompter.Question(QString(), QStringLiteral("确认卸载下一级？")))
        return;
    m_services.engine.UnloadNextStage();
    accept();
}

void CBegin::OnUploadAtReading() {
    const bool uploadOn = m_uploadAtReading->isChecked();
    SetEntry(m_pub.paramList, Entry::uploadOff, uploadOn ? 0.0f : 1.0f);
    if (!uploadOn) {
        m_realTimeSend->setChecked(false);
        SetEntry(m_pub.paramList, Entry::realTimeSendOff, 1.0f);
    }
    m_realTimeSend->setEnabled(uploadOn);
    findChild<QPushButton*>(ControlName(kModuleTest))->setEnabled(uploadOn && !m_pub.run.View().running);
    SaveSettings();
}

void CBegin::OnRealTimeSend() {
    SetEntry(m_pub.paramList, Entry::realTimeSendOff, m_realTimeSend->isChecked() ? 0.0f : 1.0f);
    SaveSettings();
}

void CBegin::OnModuleTest() {
    findChild<QPushButton*>(ControlName(kModuleTest))->setEnabled(false);
    if (ReadParameterText(m_pub, ParameterText::serialNumber).isEmpty()) {
        m_services.prompter.Information(QString(), QStringLiteral("必须输入流水号后才能进行GPRS测试!"));
        return;
    }
    // The GPRS link sends the module test frame at its next pass and reports
    // the answer through its state.
    m_pub.gprs.StartModuleTest(
        BuildModuleTestFrame(RowBytes(m_pub.recordList, SlotOf(ParameterText::serialNumber))));
    m_moduleTestProgress->setText(QStringLiteral("模 块 正 在 测 试，请 等 待 ！"));
    m_moduleTestTimer->start();
}

void CBegin::PollModuleTest() {
    const int state = m_pub.gprs.State();
    for (const ModuleTestResult& result : kModuleTestResults) {
        if (result.gprsState != state)
            continue;
        m_pub.gprs.ResetState();
        m_moduleTestTimer->stop();
        m_moduleTestProgress->clear();
        m_services.prompter.Information(QString(), QString::fromUtf8(result.message));
        findChild<QPushButton*>(ControlName(kModuleTest))->setEnabled(true);
        return;
    }
}
