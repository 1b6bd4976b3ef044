#pragma once

#include <QString>

// Every message box of the program goes through UserPrompt::Show, so the core
// can report problems without a window and tests can answer the questions.
// The window layer installs a prompt that shows a QMessageBox; without one
// installed a message is dropped and the default answer returned.
class UserPrompt {
public:
    enum class Icon { None, Error, Warning, Information, Question };
    enum class Buttons { Ok, YesNo };
    enum class Answer { Ok, Yes, No };

    virtual ~UserPrompt() = default;
    virtual Answer Ask(const QString& text, const QString& caption, Icon icon, Buttons buttons) = 0;

    // Installs the process-wide prompt (null removes it); returns the previous one.
    static UserPrompt* Install(UserPrompt* prompt);
    static Answer Show(const QString& text, const QString& caption, Icon icon,
                       Buttons buttons = Buttons::Ok);
};
