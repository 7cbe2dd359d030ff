#include "MainWindowFixture.h"

#include "core/data/DeviceText.h"
#include "ui/app/SoftwareUpgrade.h"
#include "ui/app/ToolbarCommands.h"

#include <QAction>

namespace {

const QString kQuestion =
    QStringLiteral("是否确定升级软件？升级前请确认已插入带有升级文件的U盘！  软件版本：");

} // namespace

TEST_F(MainWindowTest, UpdaterVersionIsTheStartOfItsVersionFile) {
    const struct {
        const char* name;
        bool fileExists;
        QByteArray content;
        QString version;
    } cases[] = {
        {"no file", false, {}, QStringLiteral("1.0.7")},
        {"plain", true, "2.1.3", QStringLiteral("2.1.3")},
        {"empty", true, "", QString()},
        {"cut at 20 bytes", true, DeviceText::FromUnicode(QStringLiteral("升级版本V2.0.1-build-20260504")),
         QStringLiteral("升级版本V2.0.1-build")},
        {"up to a zero byte", true, QByteArray("3.0\0old", 7), QStringLiteral("3.0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        device.Files().RemoveFile(UpdaterFile::kVersion);
        if (c.fileExists)
            device.Write(UpdaterFile::kVersion, c.content);
        EXPECT_EQ(ReadUpdaterVersion(device.Folders()), c.version);
    }
}

TEST_F(MainWindowTest, UpgradeAnsweredNoChangesNothing) {
    const auto window = Open();
    prompter.QueueAnswer(false);
    Command(*window, CommandId::softwareUpgrade)->trigger();

    ASSERT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_EQ(prompter.ShownPrompts()[0].kind, ScriptedPrompter::Kind::Question);
    EXPECT_EQ(prompter.ShownPrompts()[0].text, kQuestion + QStringLiteral("1.0.7"));
    EXPECT_TRUE(launcher.started.empty());
    EXPECT_EQ(quitCalls, 0);
}

TEST_F(MainWindowTest, UpgradeAnsweredYesStartsTheUpdaterAndEnds) {
    device.Write(UpdaterFile::kVersion, "1.2.0");
    const auto window = Open();
    prompter.QueueAnswer(true);
    Command(*window, CommandId::softwareUpgrade)->trigger();

    ASSERT_EQ(prompter.ShownPrompts().size(), 1u);
    EXPECT_EQ(prompter.ShownPrompts()[0].text, kQuestion + QStringLiteral("1.2.0"));
    ASSERT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(launcher.started[0], device.Folders().HostPath(QStringLiteral("\\硬盘\\APP\\软件升级.exe")));
    EXPECT_EQ(quitCalls, 1);
    EXPECT_FALSE(device.Exists(DeviceFile::kSettings)) << "the program ends without saving";
}

TEST_F(MainWindowTest, UpgradeKeepsRunningWhenTheUpdaterCannotStart) {
    launcher.startSucceeds = false;
    const auto window = Open();
    prompter.QueueAnswer(true);
    Command(*window, CommandId::softwareUpgrade)->trigger();
    EXPECT_EQ(launcher.started.size(), 1u);
    EXPECT_EQ(quitCalls, 0);
    ASSERT_EQ(prompter.ShownPrompts().size(), 2u);
    EXPECT_EQ(prompter.ShownPrompts()[1].kind, ScriptedPrompter::Kind::Information);
    EXPECT_EQ(prompter.ShownPrompts()[1].text, QStringLiteral("软件升级程序不存在或无法启动!"));
}
