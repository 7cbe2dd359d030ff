// Writes the fuzz targets' seed corpora with the program's own writers, the
// files the tests write: fuzz_seeds FOLDER (one subfolder per target).
#include "core/calib/SystemCalibrationFile.h"
#include "core/data/KVTFile.h"
#include "support/TempDevice.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool Write(const QString& folder, const QString& name, const QByteArray& bytes) {
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray Reply(int load, int gauge) {
    QByteArray reply(31, '\0');
    reply[1] = static_cast<char>(load & 0xFF);
    reply[2] = static_cast<char>(load >> 8);
    for (int k = 0; k < 8; ++k) {
        reply[5 + 2 * k] = static_cast<char>((gauge * (k + 1)) & 0xFF);
        reply[6 + 2 * k] = static_cast<char>((gauge * (k + 1)) >> 8);
    }
    return reply;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    TempDevice device;

    ParameterList list = DefaultParameterList();
    device.Files().SaveSettings(QStringLiteral("\\硬盘\\DATA\\20261210.kvt"), list);
    ok &= Write(out + "/settings_file", "tarvo.ini", device.Read(DeviceFile::kSettings));

    std::vector<JackRecord> jacks(kJackSlots, JackRecord::Blank());
    jacks[0].pointCount = 5;
    for (int i = 0; i < 5; ++i) {
        jacks[0].pressure[i] = 10.0f * static_cast<float>(i + 1);
        jacks[0].force[i] = 500.0f * static_cast<float>(i + 1);
    }
    device.Files().SaveJackTable(jacks);
    ok &= Write(out + "/jack_table_file", "QJDlddat.dat", device.Read(DeviceFile::kJackTable));

    std::vector<UploadFrame> queue;
    for (std::uint8_t i = 0; i < 3; ++i) {
        UploadFrame frame{};
        frame.fill(i);
        queue.push_back(frame);
    }
    device.Files().SaveUploadQueue(queue);
    ok &= Write(out + "/upload_queue_file", "tarvoGPRS.dat", device.Read(DeviceFile::kUploadQueue));

    ok &= Write(out + "/system_calibration_file", "xtbd.ini", PackSystemCalibration(SystemCalibrationRun{}));

    // The data files the whole simulated tests write.
    const QDir golden(QStringLiteral(GOLDEN_DIR));
    for (const QString& name : golden.entryList({QStringLiteral("*.kvt")}, QDir::Files)) {
        QFile file(golden.filePath(name));
        ok &= file.open(QIODevice::ReadOnly) && Write(out + "/data_file", name, file.readAll());
    }

    // Reads as the link gets them: a length byte (odd ends the burst) before each.
    QByteArray stream;
    for (int load : {0, 100, 2077, 30000}) {
        const QByteArray reply = Reply(load, 500);
        stream += char(31) + reply;
        stream += char(10) + reply.first(10) + char(21) + reply.sliced(10) + char(1);
    }
    ok &= Write(out + "/controller_replies", "replies",
                stream + QByteArray("\x01\x01\x00\x01\x08\x10\x02\x10", 8));
    // A reading frame sent and acknowledged, one left unanswered past the
    // resend time, a module test passed while readings wait, a failing save.
    ok &= Write(out + "/gprs_answers", "link",
                QByteArray("\x00\x00\x02\x0a\x03\x02\x00\x00\x02\x0a\x02\x8c\x01\x00\x02\x0a"
                           "\x03\x04\x05\x01\x00\x00\x02\x0a\x03\x03\x04\x01\x02\x0a\x06\x00",
                           32));
    return ok ? 0 : 1;
}
