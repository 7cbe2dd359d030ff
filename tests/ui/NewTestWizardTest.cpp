#include "MainWindowFixture.h"

#include "core/data/KVTFile.h"
#include "core/data/ParameterList.h"
#include "core/data/Record.h"
#include "ui/app/ToolbarCommands.h"
#include "ui/engine/CBegin.h"
#include "ui/setup/CCSSZ.h"
#include "ui/setup/CKongZaiSZ.h"
#include "ui/setup/CTDSZ.h"
#include "ui/setup/NumericKeypad.h"
#include "ui/standards/CCriterion.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <map>
#include <vector>

namespace {

// Plays the operator at the touch screen: each time a new modal dialog comes
// up, the next step for that kind of dialog runs on it.
class Operator {
  public:
    using Step = std::function<void(QDialog&)>;

    void Expect(const char* dialogClass, Step step) { m_steps.push_back({dialogClass, std::move(step)}); }

    // Watches the screen until the wizard returns.
    void Start() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start();
    }

    std::vector<QString> seen; // dialog classes in the order they came up
    bool unexpected = false;   // a dialog came up that the script did not expect

  private:
    void Poll() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog == m_current)
            return;
        m_current = dialog;
        const QString shown = QString::fromLatin1(dialog->metaObject()->className());
        seen.push_back(shown);
        if (m_next >= m_steps.size() || shown != QString::fromLatin1(m_steps[m_next].dialogClass)) {
            unexpected = true;
            dialog->reject();
            return;
        }
        m_steps[m_next++].step(*dialog);
    }

    struct Scripted {
        const char* dialogClass;
        Step step;
    };
    std::vector<Scripted> m_steps;
    std::size_t m_next = 0;
    // Cleared when the dialog goes, so that the next one is seen as new even
    // where it is built at the same address.
    QPointer<QDialog> m_current;
    QTimer m_timer;
};

// Types `text` into box `boxId` on the dialog's keypad, after clearing it.
void Type(QDialog& dialog, int boxId, const QString& text) {
    auto* keypad = dialog.findChild<NumericKeypad*>();
    auto* box = dialog.findChild<QLineEdit*>(QString::number(boxId));
    ASSERT_NE(keypad, nullptr);
    ASSERT_NE(box, nullptr) << boxId;
    keypad->FocusOn(box);
    keypad->Press(QStringLiteral("清除"));
    for (const QChar key : text)
        keypad->Press(QString(key));
}

void Click(QDialog& dialog, int buttonId) {
    auto* button = dialog.findChild<QPushButton*>(QString::number(buttonId));
    ASSERT_NE(button, nullptr) << buttonId;
    ASSERT_TRUE(button->isEnabled()) << buttonId;
    button->click();
}

using NewTestWizardTest = MainWindowTest;

TEST_F(NewTestWizardTest, SetsUpAndStartsATestFromAFreshInstall) {
    auto window = Open();
    ASSERT_TRUE(pub.dataFilePath.isEmpty());

    Operator person;
    person.Expect("CTDSZ", [](QDialog& d) { Click(d, 1042); });
    person.Expect("CCSSZ", [](QDialog& d) {
        Type(d, 1001, QStringLiteral("123456"));
        Type(d, 1002, QStringLiteral("0001"));
        Click(d, 1042);
    });
    person.Expect("CKongZaiSZ", [](QDialog& d) {
        Type(d, CKongZaiSZ::kTargetLoadBox, QStringLiteral("1000"));
        Click(d, CKongZaiSZ::kConfirm);
    });
    person.Expect("CCriterion", [](QDialog& d) { Click(d, CCriterion::kConfirm); });
    person.Expect("CBegin", [](QDialog& d) { Click(d, CBegin::kStart); });
    person.Start();

    Command(*window, CommandId::newTest)->trigger();

    EXPECT_FALSE(person.unexpected) << person.seen.size() << " dialogs";
    EXPECT_EQ(person.seen, (std::vector<QString>{"CTDSZ", "CCSSZ", "CKongZaiSZ", "CCriterion", "CBegin"}));
    for (const auto& shown : prompter.ShownPrompts())
        ADD_FAILURE() << "message: " << shown.text.toStdString();
    EXPECT_TRUE(pub.run.View().running);
    EXPECT_FALSE(pub.wizardMode);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 1000.0f);

    const QString testFile = QStringLiteral("\\硬盘\\APP\\123456-0001.kvt");
    EXPECT_EQ(pub.dataFilePath, testFile);

    // The settings file names the new test and keeps what was set up.
    QString storedPath;
    ParameterList stored;
    ASSERT_TRUE(device.Files().LoadSettings(storedPath, stored));
    EXPECT_EQ(storedPath, testFile);
    EXPECT_FLOAT_EQ(stored[Entry::serialNumberValue], 123456.0f);
    EXPECT_FLOAT_EQ(stored[Entry::pileNumberValue], 1.0f);
    EXPECT_FLOAT_EQ(stored[Entry::targetLoad], 1000.0f);

    // The data file holds the parameter rows of the new test.
    std::vector<Record> rows;
    ASSERT_TRUE(device.Files().ReadDataFile(testFile, rows));
    ASSERT_GE(rows.size(), 74u);
    EXPECT_EQ(FieldText(rows[7].textLong), QByteArray("123456"));
    EXPECT_EQ(FieldText(rows[8].textValue), QByteArray("0001"));
    EXPECT_EQ(FieldText(rows[4].textValue2), QByteArray("1000"));
    EXPECT_EQ(QFile(device.Folders().HostPath(testFile)).size(), static_cast<qint64>(rows.size()) * 267);
}

TEST_F(NewTestWizardTest, GroundTestAsksForThePlateAndWorksInKilopascals) {
    auto window = Open();
    Operator person;
    person.Expect("CTDSZ", [](QDialog& d) {
        Click(d, CTDSZ::kGround);
        Click(d, CTDSZ::kConfirm);
    });
    person.Expect("CCSSZ", [](QDialog& d) {
        Type(d, 1001, QStringLiteral("123456"));
        Type(d, 1002, QStringLiteral("0002"));
        Click(d, 1042);
    });
    person.Expect("CKongZaiSZ", [](QDialog& d) {
        Type(d, CKongZaiSZ::kTargetLoadBox, QStringLiteral("200"));
        Type(d, CKongZaiSZ::kPlateAreaBox, QStringLiteral("0.5"));
        Click(d, CKongZaiSZ::kConfirm);
    });
    person.Expect("CCriterion", [](QDialog& d) { Click(d, CCriterion::kConfirm); });
    person.Expect("CBegin", [](QDialog& d) { Click(d, CBegin::kExit); });
    person.Start();

    Command(*window, CommandId::newTest)->trigger();

    EXPECT_FALSE(person.unexpected);
    for (const auto& shown : prompter.ShownPrompts())
        ADD_FAILURE() << "message: " << shown.text.toStdString();
    EXPECT_FALSE(pub.loadInKN);
    EXPECT_FLOAT_EQ(pub.plateArea, 0.5f);
    EXPECT_FLOAT_EQ(pub.run.View().targetLoad, 200.0f);
    EXPECT_FALSE(pub.run.View().running) << "left at the test control without starting";
    EXPECT_EQ(FieldText(pub.recordList[36].textValue), QByteArray("0"));
    EXPECT_EQ(FieldText(pub.recordList[3].textValue2), QByteArray("0.500"));
    EXPECT_EQ(pub.dataFilePath, QStringLiteral("\\硬盘\\APP\\123456-0002.kvt"));
}

TEST_F(NewTestWizardTest, BackFromTheTestSettingsReturnsToTheChannelsAndLeavingEndsIt) {
    auto window = Open();
    Operator person;
    person.Expect("CTDSZ", [](QDialog& d) { Click(d, 1042); });
    person.Expect("CCSSZ", [](QDialog& d) { Click(d, 1040); });
    person.Expect("CTDSZ", [](QDialog& d) { Click(d, 1043); });
    person.Start();

    Command(*window, CommandId::newTest)->trigger();

    EXPECT_FALSE(person.unexpected);
    EXPECT_EQ(person.seen, (std::vector<QString>{"CTDSZ", "CCSSZ", "CTDSZ"}));
    EXPECT_EQ(pub.setupStep, 0);
    EXPECT_FALSE(pub.wizardMode);
    EXPECT_FALSE(pub.run.View().running);
    EXPECT_TRUE(pub.dataFilePath.isEmpty());
}

} // namespace
