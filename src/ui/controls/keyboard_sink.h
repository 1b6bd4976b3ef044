#pragma once

// Receives what the on-screen keyboard types: the grid view implements it, so a
// tapped key arrives at the same handlers as a key typed on the hardware keyboard.
class KeyboardSink {
public:
    // The virtual key code the keyboard's backspace key sends.
    static constexpr int kBackspaceKeyCode = 0x08;

    virtual ~KeyboardSink() = default;

    // An upper-case letter 'A' to 'Z', as the character handler receives it.
    virtual void OnKeyboardChar(char letter) = 0;
    // A key code (only kBackspaceKeyCode), as the key-down handler receives it.
    virtual void OnKeyboardKeyDown(int keyCode) = 0;
};
