#include "recognition/commit.h"

#include "app/reset_pad.h"
#include "recognition/keys.h"

void CommitCandidate(Control button) {
  ResetPad();
  PasteText(Caption(button));
}

void PasteText(const std::string& text) {
  PutTextOnClipboard(text);  // on failure the application pastes what the clipboard held
  PressKeys(kKeyControl, kKeyV);
}

void PressKeys(std::uint8_t first, std::uint8_t second) {
  SendKeyEvent(first, false);
  if (second) SendKeyEvent(second, false);
  SendKeyEvent(first, true);
  if (second) SendKeyEvent(second, true);
}

void QuickKeyClicked(Control button) {
  switch (button) {
    case Control::按钮12: PressKeys(kKeyEnter); break;
    case Control::按钮13: PressKeys(kKeyBackspace); break;
    case Control::按钮14: PressKeys(kKeySpace); break;
    case Control::按钮15: PressKeys(kKeyComma); break;
    case Control::按钮16: PressKeys(kKeyFullStop); break;
    case Control::按钮17: ResetPad(); break;
    default: break;
  }
}
