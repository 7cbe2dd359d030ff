#include "entries/FuzzEntries.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

// Every seed and every input that ever failed, through the fuzz targets'
// own entries: a fault found once stays found.
class FuzzRegression : public ::testing::TestWithParam<FuzzTarget> {};

TEST_P(FuzzRegression, EverySeedAndEveryFormerFailurePasses) {
    const FuzzTarget& target = GetParam();
    int inputs = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const QDir dir(
            QStringLiteral(FUZZ_SOURCE_DIR "/%1/%2").arg(QLatin1String(folder)).arg(target.name.data()));
        for (const QString& name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
            const QByteArray bytes = file.readAll();
            SCOPED_TRACE(qPrintable(file.fileName()));
            target.entry(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                         static_cast<std::size_t>(bytes.size()));
            ++inputs;
        }
    }
    EXPECT_GT(inputs, 0) << "no seeds for " << target.name;
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzRegression, ::testing::ValuesIn(FuzzTargets()),
                         [](const ::testing::TestParamInfo<FuzzTarget>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
