// Moves, sizes and closes another process's window and sets an edit box's
// text and selection, for the end-to-end tests: a window manager may fight an
// X-side move, a Win32 call from outside does not.
//
//   lanjian_window_tool move HWND LEFT TOP        outer rectangle's origin, size kept
//   lanjian_window_tool resize HWND WIDTH HEIGHT  outer size, origin kept
//   lanjian_window_tool close HWND                posts WM_CLOSE (as the close box does)
//   lanjian_window_tool settext HWND TEXT         WM_SETTEXT (ASCII text)
//   lanjian_window_tool setsel HWND START END     EM_SETSEL (caret at END)
//   lanjian_window_tool send HWND MSG WPARAM LPARAM   any message whose parameters are plain numbers
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND ParseHandle(const char* text) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 10))); }

int Number(const char* text) { return static_cast<int>(std::strtol(text, nullptr, 10)); }

bool Run(int argc, char** argv) {
  const char* command = argv[1];
  HWND window = ParseHandle(argv[2]);
  if (!IsWindow(window)) return false;
  const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE;
  if (!std::strcmp(command, "move") && argc == 5)
    return SetWindowPos(window, nullptr, Number(argv[3]), Number(argv[4]), 0, 0, quiet | SWP_NOSIZE) != 0;
  if (!std::strcmp(command, "resize") && argc == 5)
    return SetWindowPos(window, nullptr, 0, 0, Number(argv[3]), Number(argv[4]), quiet | SWP_NOMOVE) != 0;
  if (!std::strcmp(command, "close") && argc == 3) return PostMessageW(window, WM_CLOSE, 0, 0) != 0;
  if (!std::strcmp(command, "settext") && argc == 4) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]), SMTO_ABORTIFHUNG, 2000,
                               &result) != 0;
  }
  if (!std::strcmp(command, "setsel") && argc == 5) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, EM_SETSEL, Number(argv[3]), Number(argv[4]), SMTO_ABORTIFHUNG, 2000,
                               &result) != 0;
  }
  if (!std::strcmp(command, "send") && argc == 6) {
    DWORD_PTR result = 0;
    const UINT message = static_cast<UINT>(std::strtoul(argv[3], nullptr, 0));
    const WPARAM wParam = static_cast<WPARAM>(std::strtoull(argv[4], nullptr, 0));
    const LPARAM lParam = static_cast<LPARAM>(std::strtoll(argv[5], nullptr, 0));
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) return false;
    std::printf("%lld\n", static_cast<long long>(result));
    return true;
  }
  std::fprintf(stderr, "unknown command or wrong arguments\n");
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lanjian_window_tool move|resize|close|settext|setsel|send HWND ...\n");
    return 2;
  }
  return Run(argc, argv) ? 0 : 1;
}
