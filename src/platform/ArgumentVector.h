#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

// The argument vector for exec: the program and its arguments in the local
// encoding, null-terminated. Built before a fork, since the child may only
// make async-signal-safe calls.
class ArgumentVector {
  public:
    ArgumentVector(const QString& program, const QStringList& arguments) {
        m_texts.push_back(QFile::encodeName(program));
        for (const QString& argument : arguments)
            m_texts.push_back(argument.toLocal8Bit());
        for (QByteArray& text : m_texts)
            m_pointers.push_back(text.data());
        m_pointers.push_back(nullptr);
    }
    // The pointers point into the texts.
    ArgumentVector(const ArgumentVector&) = delete;
    ArgumentVector& operator=(const ArgumentVector&) = delete;

    char* const* Data() const { return m_pointers.data(); }

  private:
    std::vector<QByteArray> m_texts;
    std::vector<char*> m_pointers;
};
