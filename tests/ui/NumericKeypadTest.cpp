#include "ui/setup/NumericKeypad.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A dialog stand-in with a plain box, a decimal box, a signed box and a
// four-character box.
class KeypadTest : public ::testing::Test {
  protected:
    KeypadTest() {
        keypad = new NumericKeypad(&window, true);
        keypad->Attach(&plain, {});
        keypad->Attach(&decimal, {.allowsPoint = true});
        keypad->Attach(&signedBox, {.allowsPoint = true, .allowsMinus = true});
        keypad->Attach(&shortBox, {.maxLength = 4});
    }

    void Type(QLineEdit& box, std::initializer_list<const char*> keys) {
        keypad->FocusOn(&box);
        for (const char* key : keys)
            keypad->Press(QString::fromUtf8(key));
    }

    QWidget window;
    QLineEdit plain{&window};
    QLineEdit decimal{&window};
    QLineEdit signedBox{&window};
    QLineEdit shortBox{&window};
    NumericKeypad* keypad = nullptr;
};

TEST_F(KeypadTest, KeysCarryTheirIdsAndCaptions) {
    const std::pair<int, const char*> keys[] = {
        {KeypadKey::one, "1"},   {KeypadKey::two, "2"},   {KeypadKey::zero, "0"},     {KeypadKey::three, "3"},
        {KeypadKey::four, "4"},  {KeypadKey::five, "5"},  {KeypadKey::point, "."},    {KeypadKey::six, "6"},
        {KeypadKey::seven, "7"}, {KeypadKey::eight, "8"}, {KeypadKey::clear, "清除"}, {KeypadKey::nine, "9"},
        {KeypadKey::minus, "-"},
    };
    for (const auto& [id, caption] : keys) {
        QPushButton* key = keypad->Key(id);
        ASSERT_NE(key, nullptr) << id;
        EXPECT_EQ(key->text(), QString::fromUtf8(caption));
        EXPECT_EQ(key->objectName(), QString::number(id));
    }
}

TEST_F(KeypadTest, ClickingAKeyTypesIntoTheLastFocusedBox) {
    keypad->FocusOn(&decimal);
    keypad->Key(KeypadKey::seven)->click();
    keypad->Key(KeypadKey::point)->click();
    keypad->Key(KeypadKey::five)->click();
    EXPECT_EQ(decimal.text(), "7.5");
    EXPECT_EQ(keypad->FocusedEdit(), &decimal);
    EXPECT_TRUE(plain.text().isEmpty());
}

struct TypingCase {
    const char* name;
    int box; // 0 plain, 1 decimal, 2 signed, 3 four characters
    std::initializer_list<const char*> keys;
    const char* expected;
};

TEST_F(KeypadTest, TypingRules) {
    const TypingCase cases[] = {
        {"digits append", 0, {"1", "2", "0"}, "120"},
        {"point refused where the box takes none", 0, {"1", ".", "5"}, "15"},
        {"a second point is ignored", 1, {"1", ".", "2", ".", "3"}, "1.23"},
        {"a leading point is dropped by the next key", 1, {".", "5"}, ""},
        {"minus goes in front", 2, {"1", "2", "-"}, "-12"},
        {"minus refused a second time in one entry", 2, {"-", "3", "-"}, "-3"},
        {"clear starts a new entry, minus again allowed", 2, {"-", "3", "清除", "4", "-"}, "-4"},
        {"minus refused where the box takes none", 1, {"5", "-"}, "5"},
        {"box limit", 3, {"1", "2", "3", "4", "5"}, "1234"},
        {"thirteen characters at most",
         0,
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "1", "2", "3", "4"},
         "1234567890123"},
    };
    QLineEdit* boxes[] = {&plain, &decimal, &signedBox, &shortBox};
    for (const TypingCase& c : cases) {
        QLineEdit& box = *boxes[c.box];
        box.clear();
        Type(box, c.keys);
        EXPECT_EQ(box.text(), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST_F(KeypadTest, ThirteenDecimalsAtMost) {
    decimal.setText("1.123456789012");
    Type(decimal, {"3", "4"});
    EXPECT_EQ(decimal.text(), "1.1234567890123");
}

TEST_F(KeypadTest, FocusSetsThePointAndMinusKeys) {
    keypad->FocusOn(&plain);
    EXPECT_FALSE(keypad->Key(KeypadKey::point)->isEnabled());
    EXPECT_FALSE(keypad->Key(KeypadKey::minus)->isEnabled());
    keypad->FocusOn(&signedBox);
    EXPECT_TRUE(keypad->Key(KeypadKey::point)->isEnabled());
    EXPECT_TRUE(keypad->Key(KeypadKey::minus)->isEnabled());
    Type(signedBox, {"-", "2", "."});
    EXPECT_TRUE(keypad->MinusUsed());
    EXPECT_FALSE(keypad->Key(KeypadKey::point)->isEnabled());
    EXPECT_FALSE(keypad->Key(KeypadKey::minus)->isEnabled());
}

TEST_F(KeypadTest, ReturningToASignedEntryKeepsOneSign) {
    Type(signedBox, {"-", "7"});
    keypad->FocusOn(&decimal);
    Type(signedBox, {"-", "1"});
    EXPECT_EQ(signedBox.text(), "-71");
}

TEST_F(KeypadTest, RealFocusChangeMovesTheTarget) {
    window.show();
    window.activateWindow();
    decimal.setFocus();
    QApplication::processEvents();
    if (!decimal.hasFocus())
        GTEST_SKIP() << "the platform gives no focus";
    EXPECT_EQ(keypad->FocusedEdit(), &decimal);
    shortBox.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(keypad->FocusedEdit(), &shortBox);
}

TEST_F(KeypadTest, ReplaceOnFirstKeyTypesOverTheShownValueOnce) {
    decimal.setText("800.5");
    plain.setText("12");
    keypad->ReplaceOnFirstKey(&decimal);
    Type(plain, {"3"});
    EXPECT_EQ(plain.text(), "123") << "other boxes keep appending";
    EXPECT_TRUE(keypad->ReplacesOnNextKey(&decimal));

    keypad->FocusOn(&decimal);
    EXPECT_TRUE(keypad->Key(KeypadKey::point)->isEnabled()) << "the point of the old text is about to go";
    Type(decimal, {"6", ".", "2"});
    EXPECT_EQ(decimal.text(), "6.2");
    EXPECT_FALSE(keypad->ReplacesOnNextKey(&decimal));
}

TEST_F(KeypadTest, ReplaceOnFirstKeyAppliesTheBoxLimitsToTheNewText) {
    shortBox.setText("1234");
    keypad->ReplaceOnFirstKey(&shortBox);
    Type(shortBox, {"5", "6"});
    EXPECT_EQ(shortBox.text(), "56");

    signedBox.setText("-3");
    keypad->ReplaceOnFirstKey(&signedBox);
    Type(signedBox, {"-", "4"});
    EXPECT_EQ(signedBox.text(), "-4") << "the dropped sign does not count";
}

TEST_F(KeypadTest, DisabledKeysOrBoxTypeNothing) {
    keypad->FocusOn(&plain);
    keypad->SetKeysEnabled(false);
    keypad->Press("5");
    EXPECT_TRUE(plain.text().isEmpty());
    EXPECT_FALSE(keypad->Key(KeypadKey::five)->isEnabled());
    keypad->SetKeysEnabled(true);
    plain.setEnabled(false);
    keypad->Press("5");
    EXPECT_TRUE(plain.text().isEmpty());
}

} // namespace
