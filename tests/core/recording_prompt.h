#pragma once

#include "core/user_prompt.h"

#include <QStringList>

// Installs itself as the program's prompt for its lifetime and keeps every
// message shown, so a test can check texts and captions.
class RecordingPrompt : public UserPrompt {
public:
    RecordingPrompt() { previous_ = UserPrompt::Install(this); }
    ~RecordingPrompt() override { UserPrompt::Install(previous_); }

    Answer Ask(const QString& text, const QString& caption, Icon icon, Buttons) override
    {
        texts.append(text);
        captions.append(caption);
        icons.append(icon);
        return Answer::Ok;
    }

    QStringList texts;
    QStringList captions;
    QList<Icon> icons;

private:
    UserPrompt* previous_ = nullptr;
};
