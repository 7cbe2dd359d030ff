#pragma once

#include <QString>

// Every message box and Yes/No question of the instrument goes through here,
// so dialogs can be driven without a person at the screen.
class Prompter {
  public:
    virtual ~Prompter() = default;
    // An OK message box.
    virtual void Information(const QString& title, const QString& text) = 0;
    // A Yes/No question; any answer but No counts as Yes.
    virtual bool Question(const QString& title, const QString& text) = 0;
};

// Modal panel message boxes over the active window.
class MessageBoxPrompter final : public Prompter {
  public:
    void Information(const QString& title, const QString& text) override;
    bool Question(const QString& title, const QString& text) override;
};
