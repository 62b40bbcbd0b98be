#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace zor::hostsim {

struct KeyPress {
    WORD virtualKey = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// NAME[+SHIFT][+CTRL][+ALT]: F1…F12, RETURN, END, UP, DOWN, LEFT, RIGHT, INSERT, DELETE, ESCAPE,
// SPACE, or a letter or digit. Empty for anything else.
std::optional<KeyPress> parseKey(const std::string& text);

// Presses and releases the key, modifiers around it, through the system's input queue: it
// reaches the window that has the focus in the foreground window's thread.
void sendKey(const KeyPress& key);

// Moves the mouse to the screen point and clicks the left button once or twice.
void sendClick(POINT screenPoint, bool doubleClick);

}  // namespace zor::hostsim
