#include "ui/panel/PromptBox.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int kBodyWidth = 480;
constexpr int kMargin = 16;
constexpr int kFontPixels = 16;
constexpr int kMinimumTextHeight = 60;

QFont PromptFont(const QFont& base) {
    QFont font = base;
    font.setPixelSize(kFontPixels);
    return font;
}

QRect TextArea(const QString& text, const QFont& font) {
    const int width = kBodyWidth - 2 * kMargin;
    const int height = QFontMetrics(font)
                           .boundingRect(QRect(0, 0, width, 1000), Qt::TextWordWrap | Qt::AlignCenter, text)
                           .height();
    return {kMargin, kMargin, width, std::max(kMinimumTextHeight, height)};
}

QSize BodySize(const QString& text, const QFont& font) {
    return {kBodyWidth,
            TextArea(text, font).bottom() + 1 + kMargin + PromptBox::kButtonSize.height() + kMargin};
}

// A touch panel has no keyboard: "是(&Y)" is shown as "是".
QString WithoutMnemonic(QString caption) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&(?=.)"));
    return caption.remove(mnemonic).trimmed();
}

} // namespace

PromptBox::PromptBox(Kind kind, const QString& title, const QString& text, QWidget* parent)
    : PanelDialog(Placement::Centred, BodySize(text, PromptFont(QFont())), parent) {
    // Most messages come without a title; the bar then names them as the
    // instrument names its prompts.
    setWindowTitle(title.isEmpty() ? QStringLiteral("系统提示") : title);
    const QFont font = PromptFont(QFont());
    Body()->setFont(font);

    auto* message = new QLabel(text, Body());
    message->setObjectName(QStringLiteral("promptText"));
    message->setGeometry(TextArea(text, font));
    message->setAlignment(Qt::AlignCenter);
    message->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(Body());
    buttons->setCenterButtons(true);
    buttons->setStandardButtons(kind == Kind::Question ? QDialogButtonBox::Yes | QDialogButtonBox::No
                                                       : QDialogButtonBox::Ok);
    for (QAbstractButton* button : buttons->buttons()) {
        button->setText(WithoutMnemonic(button->text()));
        button->setMinimumSize(kButtonSize);
    }
    const int top = message->geometry().bottom() + 1 + kMargin;
    buttons->setGeometry(kMargin, top, kBodyWidth - 2 * kMargin, kButtonSize.height());
    connect(buttons, &QDialogButtonBox::clicked, this, [this, buttons](QAbstractButton* button) {
        m_answer = buttons->standardButton(button);
        done(m_answer == QDialogButtonBox::No ? QDialog::Rejected : QDialog::Accepted);
    });
}
