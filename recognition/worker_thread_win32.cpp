// Recognition workers as Win32 threads. Their results come back to the main
// thread as a message to a message-only window that the main thread owns, so
// every caption and the candidate list change on the main thread alone.
#include <windows.h>

#include <memory>
#include <utility>

#include "recognition/worker_thread.h"

namespace {

constexpr UINT kRecognitionResultMessage = WM_APP + 1;
constexpr wchar_t kResultWindowClass[] = L"LanjianRecognitionResults";

// Made on the main thread before the first worker starts; workers only post to it.
HWND resultWindow = nullptr;

LRESULT CALLBACK ResultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRecognitionResultMessage) {
    std::unique_ptr<RecognitionResult> result(reinterpret_cast<RecognitionResult*>(lParam));
    ApplyRecognitionResult(std::move(*result));
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND ResultWindow() {
  if (resultWindow) return resultWindow;
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = ResultWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = kResultWindowClass;
  RegisterClassExW(&wc);  // fails harmlessly when already registered
  resultWindow = CreateWindowExW(0, kResultWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  return resultWindow;
}

DWORD WINAPI WorkerEntry(LPVOID parameter) {
  std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  (*work)();
  return 0;
}

}  // namespace

std::uintptr_t StartWorkerThread(std::function<void()> work) {
  if (!ResultWindow()) return 0;  // its result could never come back
  auto* owned = new std::function<void()>(std::move(work));
  HANDLE thread = CreateThread(nullptr, 0, WorkerEntry, owned, 0, nullptr);
  if (!thread) {
    delete owned;
    return 0;
  }
  return reinterpret_cast<std::uintptr_t>(thread);
}

void ReleaseWorkerThread(std::uintptr_t handle) {
  if (handle) CloseHandle(reinterpret_cast<HANDLE>(handle));
}

void PostRecognitionResult(std::unique_ptr<RecognitionResult> result) {
  if (PostMessageW(resultWindow, kRecognitionResultMessage, 0, reinterpret_cast<LPARAM>(result.get())))
    result.release();  // the main thread owns it now
}
