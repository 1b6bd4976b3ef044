#include "core/user_prompt.h"

namespace {
UserPrompt* installedPrompt = nullptr;
}

UserPrompt* UserPrompt::Install(UserPrompt* prompt)
{
    UserPrompt* previous = installedPrompt;
    installedPrompt = prompt;
    return previous;
}

UserPrompt::Answer UserPrompt::Show(const QString& text, const QString& caption, Icon icon,
                                    Buttons buttons)
{
    if (installedPrompt != nullptr)
        return installedPrompt->Ask(text, caption, icon, buttons);
    return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
}
