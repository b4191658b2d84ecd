// Platform calls for the keyboard and the clipboard (Win32 in keys_win32.cpp).
#pragma once
#include <cstdint>
#include <string>

// One simulated key event for the application with the keyboard focus.
void SendKeyEvent(std::uint8_t virtualKey, bool keyUp);
// Replaces the clipboard's content with `text` as CF_TEXT (ANSI code page).
// False when the clipboard could not be opened or written.
bool PutTextOnClipboard(const std::string& text);
