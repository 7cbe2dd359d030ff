#pragma once

#include "ui/app/Prompter.h"

#include <deque>
#include <vector>

// A prompter without a screen: it records every text it is asked to show
// and answers questions from a script.
class ScriptedPrompter final : public Prompter {
  public:
    enum class Kind { Information, Question };
    struct Shown {
        Kind kind;
        QString title;
        QString text;
    };

    // The answer to the next unanswered question (true = Yes).
    void QueueAnswer(bool yes) { m_answers.push_back(yes); }

    void Information(const QString& title, const QString& text) override;
    // With no answer queued the question is answered Yes (the box's default
    // button) and counted in unscriptedQuestions().
    bool Question(const QString& title, const QString& text) override;

    const std::vector<Shown>& ShownPrompts() const { return m_shown; }
    int UnscriptedQuestions() const { return m_unscripted; }

  private:
    std::deque<bool> m_answers;
    std::vector<Shown> m_shown;
    int m_unscripted = 0;
};
