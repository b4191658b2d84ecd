#include <windows.h>

#include <cstring>

#include "recognition/keys.h"
#include "shell/main_window_win32.h"

void SendKeyEvent(std::uint8_t virtualKey, bool keyUp) { keybd_event(virtualKey, 0, keyUp ? KEYEVENTF_KEYUP : 0, 0); }

bool PutTextOnClipboard(const std::string& text) {
  // With an owner window: after EmptyClipboard on a clipboard opened without
  // one, SetClipboardData fails on Windows.
  if (!OpenClipboard(MainWindowHandle())) return false;
  EmptyClipboard();
  bool placed = false;
  if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1)) {
    if (void* bytes = GlobalLock(block)) {
      std::memcpy(bytes, text.c_str(), text.size() + 1);
      GlobalUnlock(block);
      placed = SetClipboardData(CF_TEXT, block) != nullptr;  // the clipboard owns the block now
    }
    if (!placed) GlobalFree(block);
  }
  CloseClipboard();
  return placed;
}
