#pragma once

#include "core/user_prompt.h"

#include <QList>
#include <QString>

// Installs itself as the program's prompt for as long as it lives, records
// every message shown and answers the questions with the given answer.
class ScriptedPrompt : public UserPrompt {
public:
    struct Message {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
    };

    explicit ScriptedPrompt(Answer answer = Answer::Yes) : answer_(answer), previous_(Install(this)) {}
    ~ScriptedPrompt() override { Install(previous_); }
    ScriptedPrompt(const ScriptedPrompt&) = delete;
    ScriptedPrompt& operator=(const ScriptedPrompt&) = delete;

    Answer Ask(const QString& text, const QString& caption, Icon icon, Buttons buttons) override
    {
        messages.append({text, caption, icon, buttons});
        return buttons == Buttons::YesNo ? answer_ : Answer::Ok;
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (const Message& message : messages)
            captions << message.caption;
        return captions;
    }

    QList<Message> messages;

private:
    Answer answer_;
    UserPrompt* previous_;
};
