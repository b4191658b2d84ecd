// Every WinINet handle of an exchange is closed through CloseInternetHandle,
// so that a test can watch each close and its outcome.
#pragma once

using InternetCloseObserver = void (*)(void* handle, bool closed);

// InternetCloseHandle, then the observer (if one is set) with the handle and
// whether the platform accepted the close.
void CloseInternetHandle(void* handle);
void SetInternetCloseObserver(InternetCloseObserver observer);
