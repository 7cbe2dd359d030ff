#include "ui/setup/NumericKeypad.h"

#include "ui/app/ControlName.h"

#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kClearCaption = QStringLiteral("清除");
const QString kPoint = QStringLiteral(".");
const QString kMinus = QStringLiteral("-");

// A decimal point counts once it follows at least one character; a leading
// point is thrown away by the next key.
bool HoldsInnerPoint(const QString& text) {
    return text.indexOf(QLatin1Char('.')) > 0;
}

} // namespace

NumericKeypad::NumericKeypad(QWidget* parent, bool withMinusKey) : QWidget(parent) {
    setObjectName(QStringLiteral("keypad"));
    AddKey(KeypadKey::seven, QStringLiteral("7"), 0, 0);
    AddKey(KeypadKey::eight, QStringLiteral("8"), 1, 0);
    AddKey(KeypadKey::nine, QStringLiteral("9"), 2, 0);
    AddKey(KeypadKey::four, QStringLiteral("4"), 0, 1);
    AddKey(KeypadKey::five, QStringLiteral("5"), 1, 1);
    AddKey(KeypadKey::six, QStringLiteral("6"), 2, 1);
    AddKey(KeypadKey::one, QStringLiteral("1"), 0, 2);
    AddKey(KeypadKey::two, QStringLiteral("2"), 1, 2);
    AddKey(KeypadKey::three, QStringLiteral("3"), 2, 2);
    AddKey(KeypadKey::zero, QStringLiteral("0"), 0, 3);
    AddKey(KeypadKey::point, kPoint, 1, 3);
    AddKey(KeypadKey::clear, kClearCaption, 2, 3);
    int rows = 4;
    if (withMinusKey) {
        AddKey(KeypadKey::minus, kMinus, 0, rows++);
    }
    setFixedSize(3 * kKeyWidth + 2 * kGap, rows * kKeyHeight + (rows - 1) * kGap);
    UpdateSignKeys();
}

void NumericKeypad::AddKey(int keyId, const QString& caption, int column, int row) {
    auto* key = new QPushButton(caption, this);
    key->setObjectName(ControlName(keyId));
    key->setGeometry(column * (kKeyWidth + kGap), row * (kKeyHeight + kGap), kKeyWidth, kKeyHeight);
    // The box being typed into keeps the focus while keys are touched.
    key->setFocusPolicy(Qt::NoFocus);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(22);
    key->setFont(font);
    connect(key, &QPushButton::clicked, this, [this, caption] { Press(caption); });
    m_keys[keyId] = key;
}

QPushButton* NumericKeypad::Key(int keyId) const {
    const auto found = m_keys.find(keyId);
    return found == m_keys.end() ? nullptr : found->second;
}

void NumericKeypad::Attach(QLineEdit* edit, KeypadField field) {
    m_fields[edit] = field;
    edit->installEventFilter(this);
    connect(edit, &QObject::destroyed, this, [this, edit] {
        m_fields.erase(edit);
        if (m_focusedEdit == edit)
            m_focusedEdit = nullptr;
        if (m_replaceNext == edit)
            m_replaceNext = nullptr;
    });
}

bool NumericKeypad::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && m_fields.contains(edit))
            FocusOn(edit);
    }
    return QWidget::eventFilter(watched, event);
}

void NumericKeypad::FocusOn(QLineEdit* edit) {
    m_focusedEdit = edit;
    // A box coming back with its sign already typed keeps it as the one sign.
    m_minusUsed = edit && edit->text().startsWith(kMinus);
    UpdateSignKeys();
}

void NumericKeypad::ReplaceOnFirstKey(QLineEdit* edit) {
    m_replaceNext = edit;
    UpdateSignKeys();
}

KeypadField NumericKeypad::FieldOf(const QLineEdit* edit) const {
    const auto found = m_fields.find(edit);
    return found == m_fields.end() ? KeypadField{} : found->second;
}

void NumericKeypad::SetKeysEnabled(bool enabled) {
    m_keysEnabled = enabled;
    for (const auto& [keyId, key] : m_keys)
        key->setEnabled(enabled);
    UpdateSignKeys();
}

void NumericKeypad::UpdateSignKeys() {
    const KeypadField field = FieldOf(m_focusedEdit);
    // A text about to be typed over does not hold back the point.
    const bool keepsText = m_focusedEdit && m_replaceNext != m_focusedEdit;
    const QString text = keepsText ? m_focusedEdit->text() : QString();
    m_keys.at(KeypadKey::point)->setEnabled(m_keysEnabled && field.allowsPoint && !HoldsInnerPoint(text));
    if (QPushButton* minus = Key(KeypadKey::minus))
        minus->setEnabled(m_keysEnabled && field.allowsMinus && !m_minusUsed);
}

void NumericKeypad::ClearBox() {
    m_focusedEdit->clear();
    m_focusedEdit->setFocus();
    m_minusUsed = false;
    UpdateSignKeys();
}

void NumericKeypad::Press(const QString& key) {
    if (!m_keysEnabled || !m_focusedEdit || !m_focusedEdit->isEnabled() || m_focusedEdit->isReadOnly())
        return;
    if (m_replaceNext == m_focusedEdit) {
        m_replaceNext = nullptr;
        m_focusedEdit->clear();
        m_minusUsed = false;
    }
    const KeypadField field = FieldOf(m_focusedEdit);
    const QString text = m_focusedEdit->text();

    if (key == kClearCaption || text.startsWith(kPoint)) {
        ClearBox();
        return;
    }
    const bool isMinus = key == kMinus;
    if (isMinus && (m_minusUsed || !field.allowsMinus)) {
        UpdateSignKeys();
        return;
    }
    if (key == kPoint && (!field.allowsPoint || HoldsInnerPoint(text)))
        return;
    if (HoldsInnerPoint(text)) {
        if (text.size() - text.indexOf(QLatin1Char('.')) - 1 >= field.maxDecimals)
            return;
    } else if (text.size() >= field.maxLength) {
        return;
    }

    if (isMinus) {
        m_minusUsed = true;
        m_focusedEdit->setText(kMinus + text);
    } else {
        m_focusedEdit->setText(text + key);
    }
    m_focusedEdit->setFocus();
    UpdateSignKeys();
}
