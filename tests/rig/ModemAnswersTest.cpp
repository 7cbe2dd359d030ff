#include "ModemAnswers.h"

#include "core/remote/UploadFrame.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(const UploadFrame& frame) {
    return QByteArray(reinterpret_cast<const char*>(frame.data()), static_cast<qsizetype>(frame.size()));
}

TEST(ModemAnswers, EachModeAnswersAsTheModuleWould) {
    UploadFrameInputs reading;
    reading.serialNumber = "123456";
    const QByteArray data = Bytes(BuildUploadFrame(reading));
    const QByteArray test = Bytes(BuildModuleTestFrame("654321"));
    using Answers = std::vector<std::optional<std::uint8_t>>;
    const struct {
        const char* name;
        ModemOptions options;
        Answers answers; // to data, test, data, data at 0, 1, 2, 3 s
    } cases[] = {
        {"acknowledge", {}, {0x06, 4, 0x06, 0x06}},
        {"not registered", {.mode = ModemMode::NotRegistered}, {3, 3, 3, 3}},
        {"silent", {.mode = ModemMode::Silent}, {{}, {}, {}, {}}},
        {"every second answer dropped", {.dropEvery = 2}, {0x06, {}, 0x06, {}}},
        {"silent for the first 1.5 s", {.silentForS = 1.5}, {{}, {}, 0x06, 0x06}},
    };
    for (const auto& c : cases) {
        ModemAnswers modem(c.options);
        const Answers got = {modem.Answer(data, 0), modem.Answer(test, 1000), modem.Answer(data, 2000),
                             modem.Answer(data, 3000)};
        EXPECT_EQ(got, c.answers) << c.name;
    }
}

} // namespace
