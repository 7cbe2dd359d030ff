#include "support/ScriptedPrompter.h"

void ScriptedPrompter::Information(const QString& title, const QString& text) {
    m_shown.push_back({Kind::Information, title, text});
}

bool ScriptedPrompter::Question(const QString& title, const QString& text) {
    m_shown.push_back({Kind::Question, title, text});
    if (m_answers.empty()) {
        ++m_unscripted;
        return true;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}
