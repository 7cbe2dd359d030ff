#include "core/setup/ChannelSettings.h"

#include "core/data/DeviceText.h"
#include "core/setup/TickCaption.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace {

class ChannelSettingsTest : public ::testing::Test {
  protected:
    template <std::size_t N> QString RowText(int row, char (Record::*field)[N]) const {
        return DeviceText::ToUnicode(FieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field));
    }
    template <std::size_t N> void SetRowText(int row, char (Record::*field)[N], const char* text) {
        SetFieldText(pub.recordList.at(static_cast<std::size_t>(row)).*field, QByteArray(text));
    }

    // The form with exactly `gauges` (counted from 1) ticked.
    static ChannelForm Chosen(std::initializer_list<int> gauges, bool single = true) {
        ChannelForm form;
        for (int gauge = 1; gauge <= 8; ++gauge)
            form.gauges[static_cast<std::size_t>(gauge - 1)] =
                GaugeCaption(gauge, std::find(gauges.begin(), gauges.end(), gauge) != gauges.end());
        form.single = single ? QStringLiteral("√单桩") : QStringLiteral("单桩");
        form.ground = single ? QStringLiteral("地基") : QStringLiteral("√地基");
        return form;
    }

    // Gauges 1-4 from rows 31-34 (first text), gauges 5-8 from rows 21-24 (second text).
    QString StoredGauge(int gauge) const {
        return gauge <= 4 ? RowText(30 + gauge, &Record::textValue)
                          : RowText(16 + gauge, &Record::textValue2);
    }

    CPublic pub;
};

TEST_F(ChannelSettingsTest, WizardOpensWithGaugesOneToFourAndSinglePileWhateverIsStored) {
    pub.wizardMode = true;
    pub.loadInKN = false;
    SetRowText(31, &Record::textValue, "0");
    SetRowText(21, &Record::textValue2, "1");

    const ChannelForm form = OpenChannelForm(pub);

    EXPECT_EQ(form.gauges[0], "√位移1");
    EXPECT_EQ(form.gauges[3], "√位移4");
    EXPECT_EQ(form.gauges[4], "位移5");
    EXPECT_EQ(form.gauges[7], "位移8");
    EXPECT_EQ(form.single, "√单桩");
    EXPECT_EQ(form.ground, "地基");
    EXPECT_EQ(ChannelDialogCaption(pub), "新试桩");
}

TEST_F(ChannelSettingsTest, AloneOpensWithTheStoredChoice) {
    pub.loadInKN = false;
    SetRowText(32, &Record::textValue, "1");   // gauge 2
    SetRowText(33, &Record::textValue, "0");   // gauge 3
    SetRowText(23, &Record::textValue2, "1");  // gauge 7
    SetRowText(24, &Record::textValue2, "10"); // gauge 8: only the first character counts

    const ChannelForm form = OpenChannelForm(pub);

    const char* expected[8] = {"位移1", "√位移2", "位移3", "位移4", "位移5", "位移6", "√位移7", "√位移8"};
    for (std::size_t k = 0; k < 8; ++k)
        EXPECT_EQ(form.gauges[k], QString::fromUtf8(expected[k])) << k;
    EXPECT_EQ(form.single, "单桩");
    EXPECT_EQ(form.ground, "√地基");
}

TEST_F(ChannelSettingsTest, AloneCaptionShowsTheFileNameByTheSerialNumberLength) {
    struct Case {
        const char* serial;
        const char* path;
        const char* tail;
    };
    const Case cases[] = {
        {"123456", "\\硬盘\\APP\\123456-0001.kvt", "123456-0001.kvt"},
        {"123456789012", "\\硬盘\\APP\\123456789012-0001.kvt", "123456789012-0001.kvt"},
        {"", "\\硬盘\\APP\\123456789012-0001.kvt", "789012-0001.kvt"},
    };
    for (const Case& c : cases) {
        SetRowText(7, &Record::textLong, c.serial);
        pub.dataFilePath = QString::fromUtf8(c.path);
        EXPECT_EQ(ChannelDialogCaption(pub),
                  QStringLiteral("通道设置                                 文件名： ") +
                      QString::fromUtf8(c.tail))
            << c.serial;
    }
}

TEST_F(ChannelSettingsTest, WizardConfirmStartsANewTestWithTheDefaultGauges) {
    pub.wizardMode = true;
    pub.readingCount = 12;
    pub.gaugeDirection[2] = -1;
    SetRowText(60, &Record::textValue2, "-1");
    const ChannelForm form = OpenChannelForm(pub);

    EXPECT_TRUE(ConfirmChannels(pub, form).isEmpty());

    EXPECT_EQ(pub.setupStep, 2);
    EXPECT_EQ(pub.readingCount, 0) << "a new test";
    EXPECT_EQ(pub.gaugeDirection[2], 1) << "a new test";
    EXPECT_EQ(RowText(60, &Record::textValue2), "") << "fresh rows";
    EXPECT_EQ(pub.gaugeMask, 0x0F);
    EXPECT_TRUE(pub.loadInKN);
    EXPECT_EQ(RowText(36, &Record::textValue), "1");
    for (int gauge = 1; gauge <= 8; ++gauge) {
        EXPECT_EQ(StoredGauge(gauge), gauge <= 4 ? "1" : "0") << gauge;
        EXPECT_EQ(pub.gaugeOn[static_cast<std::size_t>(gauge - 1)], gauge <= 4 ? 1 : 0) << gauge;
    }
    EXPECT_FALSE(pub.saveRequested) << "the wizard saves later";
    EXPECT_TRUE(pub.wizardMode);
}

TEST_F(ChannelSettingsTest, ChosenGaugesGiveMaskFlagsAndRows) {
    struct Case {
        std::initializer_list<int> gauges;
        bool single;
        int mask;
    };
    const Case cases[] = {
        {{6}, true, 0x20},
        {{1, 8}, false, 0x81},
        {{2, 3, 5}, true, 0x16},
        {{1, 2, 3, 4, 5, 6, 7, 8}, true, 0xFF},
    };
    pub.run.Post(RunCommands::Start{});
    for (const Case& c : cases) {
        EXPECT_TRUE(ConfirmChannels(pub, Chosen(c.gauges, c.single)).isEmpty()) << c.mask;

        EXPECT_EQ(pub.gaugeMask, c.mask);
        EXPECT_EQ(pub.loadInKN, c.single) << c.mask;
        EXPECT_EQ(RowText(36, &Record::textValue), c.single ? "1" : "0") << c.mask;
        for (int gauge = 1; gauge <= 8; ++gauge) {
            const bool chosen = (c.mask >> (gauge - 1)) & 1;
            EXPECT_EQ(StoredGauge(gauge), chosen ? "1" : "0") << c.mask << " gauge " << gauge;
            EXPECT_EQ(pub.gaugeOn[static_cast<std::size_t>(gauge - 1)], chosen ? 1 : 0)
                << c.mask << " gauge " << gauge;
        }
        for (int row = 25; row <= 28; ++row)
            EXPECT_EQ(RowText(row, &Record::textValue2), "0") << row;
    }
    EXPECT_TRUE(pub.viewDirty);
    EXPECT_TRUE(pub.saveRequested);
    EXPECT_EQ(pub.setupStep, 0) << "not a wizard step";
}

TEST_F(ChannelSettingsTest, RunningTestWithoutAGaugeIsStoredButRefused) {
    pub.run.Post(RunCommands::Start{});
    EXPECT_EQ(ConfirmChannels(pub, Chosen({})), QString::fromUtf8(kNoGaugeChosenText));
    EXPECT_EQ(pub.gaugeMask, 0);
    EXPECT_EQ(StoredGauge(1), "0");
    EXPECT_EQ(pub.gaugeOn[0], 0);
    EXPECT_TRUE(pub.saveRequested);
}

TEST_F(ChannelSettingsTest, WizardAcceptsNoGauge) {
    pub.wizardMode = true;
    EXPECT_TRUE(ConfirmChannels(pub, Chosen({})).isEmpty());
    EXPECT_EQ(pub.gaugeMask, 0);
    EXPECT_EQ(pub.setupStep, 2);
}

TEST_F(ChannelSettingsTest, NoTestAndNoWizardStoresNothing) {
    ConfirmChannels(pub, Chosen({6}, false));
    EXPECT_EQ(pub.gaugeMask, 0x0F);
    EXPECT_TRUE(pub.loadInKN);
    EXPECT_EQ(StoredGauge(6), "");
    EXPECT_EQ(RowText(36, &Record::textValue), "0");
    EXPECT_FALSE(pub.saveRequested);
    EXPECT_FALSE(pub.viewDirty);
}

TEST_F(ChannelSettingsTest, TestTypeButtonsSwapInTheWizardOnly) {
    for (const bool wizard : {true, false}) {
        pub.wizardMode = wizard;
        ChannelForm form = Chosen({1});
        ChooseGround(form, pub);
        EXPECT_EQ(form.single, wizard ? "单桩" : "√单桩") << wizard;
        EXPECT_EQ(form.ground, wizard ? "√地基" : "地基") << wizard;
        ChooseGround(form, pub);
        EXPECT_EQ(form.single, "√单桩") << wizard;
        EXPECT_EQ(form.ground, "地基") << wizard;
        ChooseSingle(form, pub);
        EXPECT_EQ(form.single, wizard ? "单桩" : "√单桩") << wizard;
        EXPECT_EQ(form.ground, wizard ? "√地基" : "地基") << wizard;
        ChooseSingle(form, pub);
        EXPECT_EQ(form.single, "√单桩") << wizard;
    }
}

TEST_F(ChannelSettingsTest, LeaveEndsTheWizardOnlyWhenItIsOn) {
    pub.wizardMode = true;
    pub.setupStep = 1;
    LeaveChannels(pub);
    EXPECT_EQ(pub.setupStep, 0);
    EXPECT_FALSE(pub.wizardMode);

    pub.setupStep = 3;
    LeaveChannels(pub);
    EXPECT_EQ(pub.setupStep, 3);
    EXPECT_FALSE(pub.wizardMode);
}

TEST(TickCaptionTest, ToggleAddsOrRemovesTheLeadingTick) {
    EXPECT_EQ(ToggleTick("位移3"), "√位移3");
    EXPECT_EQ(ToggleTick("√位移3"), "位移3");
    EXPECT_EQ(ToggleTick(""), "√");
    EXPECT_EQ(ToggleTick("√"), "");
    EXPECT_FALSE(IsTicked("位移√"));
}

} // namespace
