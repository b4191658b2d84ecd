// Text leaving the pad: a candidate pasted into the focused application
// through the clipboard and Ctrl+V, and the quick keys. Main thread only.
#pragma once
#include <cstdint>
#include <string>

#include "shell/controls.h"

// Virtual-key codes the pad sends.
constexpr std::uint8_t kKeyBackspace = 8;
constexpr std::uint8_t kKeyEnter = 13;
constexpr std::uint8_t kKeyControl = 17;
constexpr std::uint8_t kKeySpace = 32;
constexpr std::uint8_t kKeyV = 86;
constexpr std::uint8_t kKeyComma = 188;
constexpr std::uint8_t kKeyFullStop = 190;

// Click of 按钮1 ... 按钮10: resets the pad, then pastes the button's caption
// (read after the reset), even an empty one.
void CommitCandidate(Control button);
// The text on the clipboard as CF_TEXT, then Ctrl+V. Ctrl+V is sent even when
// the clipboard could not be written.
void PasteText(const std::string& text);
// first down, second down, first up, second up; second 0 for a single key.
void PressKeys(std::uint8_t first, std::uint8_t second = 0);
// Click of 按钮12 ... 按钮16 (Enter, Backspace, Space, comma, full stop) or
// 按钮17 (reset the pad). Any other control is ignored.
void QuickKeyClicked(Control button);
