#include "ui/app/Prompter.h"

#include "ui/panel/PromptBox.h"

#include <QApplication>

void MessageBoxPrompter::Information(const QString& title, const QString& text) {
    PromptBox box(PromptBox::Kind::Information, title, text, QApplication::activeWindow());
    box.exec();
}

bool MessageBoxPrompter::Question(const QString& title, const QString& text) {
    PromptBox box(PromptBox::Kind::Question, title, text, QApplication::activeWindow());
    box.exec();
    return box.Answer() != QDialogButtonBox::No;
}
