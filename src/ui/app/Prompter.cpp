#include "ui/app/Prompter.h"

#include <QApplication>
#include <QMessageBox>

void MessageBoxPrompter::information(const QString& title, const QString& text) {
    QMessageBox::information(QApplication::activeWindow(), title, text);
}

bool MessageBoxPrompter::question(const QString& title, const QString& text) {
    return QMessageBox::question(QApplication::activeWindow(), title, text,
                                 QMessageBox::Yes | QMessageBox::No) != QMessageBox::No;
}
