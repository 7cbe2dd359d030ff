#pragma once

#include <QString>
#include <QWidget>

#include <map>

class QLineEdit;
class QPushButton;

// Key identifiers of the on-screen keypad.
namespace KeypadKey {
inline constexpr int one = 1016;
inline constexpr int two = 1017;
inline constexpr int zero = 1018;
inline constexpr int three = 1019;
inline constexpr int four = 1020;
inline constexpr int five = 1021;
inline constexpr int point = 1022;
inline constexpr int six = 1023;
inline constexpr int seven = 1032;
inline constexpr int eight = 1033;
inline constexpr int clear = 1034;
inline constexpr int nine = 1035;
inline constexpr int minus = 1036; // only on keypads of dialogs with a signed box
} // namespace KeypadKey

// What one edit box accepts from the keypad.
struct KeypadField {
    bool allowsPoint = false;
    bool allowsMinus = false;
    int maxLength = 13;   // characters before a decimal point is typed
    int maxDecimals = 13; // characters after the decimal point
};

// The on-screen keypad shared by the dialogs that take numbers: the panel has
// no keyboard, so every number is typed here into the box that last had the
// focus. Each dialog attaches its boxes with their own rules.
class NumericKeypad : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kKeyWidth = 64;
    static constexpr int kKeyHeight = 52;
    static constexpr int kGap = 4;

    explicit NumericKeypad(QWidget* parent, bool withMinusKey = false);

    // The box becomes a keypad target whenever it receives the focus.
    void Attach(QLineEdit* edit, KeypadField field);
    // Makes `edit` the target as if the operator had touched it.
    void FocusOn(QLineEdit* edit);
    // The next key that reaches `edit` first drops its text, so a value shown
    // there is typed over instead of extended. Once only.
    void ReplaceOnFirstKey(QLineEdit* edit);
    bool ReplacesOnNextKey(const QLineEdit* edit) const { return edit && m_replaceNext == edit; }

    // A key press by its caption ("0"-"9", ".", "-", "清除").
    void Press(const QString& key);

    // Digit, point, minus and clear keys together: off while the boxes are
    // read-only presets.
    void SetKeysEnabled(bool enabled);

    QLineEdit* FocusedEdit() const { return m_focusedEdit; }
    bool MinusUsed() const { return m_minusUsed; }
    QPushButton* Key(int keyId) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void AddKey(int keyId, const QString& caption, int column, int row);
    void UpdateSignKeys();
    void ClearBox();
    KeypadField FieldOf(const QLineEdit* edit) const;

    std::map<int, QPushButton*> m_keys; // by key id
    std::map<const QLineEdit*, KeypadField> m_fields;
    QLineEdit* m_focusedEdit = nullptr;
    QLineEdit* m_replaceNext = nullptr;
    bool m_minusUsed = false;
    bool m_keysEnabled = true;
};
