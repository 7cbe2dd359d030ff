#pragma once

#include <QString>

class DeviceFolders;
class ProcessLauncher;
class Prompter;

namespace UpdaterFile {
inline const QString kProgram = QStringLiteral("\\硬盘\\APP\\软件升级.exe");
inline const QString kVersion = QStringLiteral("\\硬盘\\APP\\UpdateFileName.ini");
} // namespace UpdaterFile

// The version text of the updater: the first 20 bytes of its version file in
// the device code page, up to a zero byte; "1.0.7" without the file.
QString ReadUpdaterVersion(const DeviceFolders& folders);

// Asks the operator whether to upgrade and, unless the answer is No, starts
// the updater. True when the updater runs and this program must end at once.
bool OfferSoftwareUpgrade(Prompter& prompter, const DeviceFolders& folders, const ProcessLauncher& launcher);
