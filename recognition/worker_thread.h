// Platform calls for the recognition worker: a thread of its own, and the way
// back to the main thread. Win32 in worker_thread_win32.cpp; the native tests
// link a fake.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "recognition/recognition_result.h"

// Starts `work` on a new thread at once; its handle, 0 when it cannot start.
std::uintptr_t StartWorkerThread(std::function<void()> work);
// Gives the handle back; the thread runs on and ends by itself.
void ReleaseWorkerThread(std::uintptr_t handle);
// Any thread: hands the result to the main thread, which applies it with
// ApplyRecognitionResult. Dropped once the main thread's loop has ended.
void PostRecognitionResult(std::unique_ptr<RecognitionResult> result);
