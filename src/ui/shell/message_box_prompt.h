#pragma once

#include "core/user_prompt.h"

// Shows the program's messages as modal message boxes over the active window,
// with the exact text, caption and icon.
class MessageBoxPrompt : public UserPrompt {
public:
    Answer Ask(const QString& text, const QString& caption, Icon icon, Buttons buttons) override;
};
