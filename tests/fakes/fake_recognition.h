// Fakes for the recognition seams: the service, the worker threads, the way
// back to the main thread, the keys and the clipboard. Workers either wait to
// be run by the test on its own thread, or run on real threads (for
// ThreadSanitizer), then their results wait to be delivered on the test's
// thread, which plays the main thread.
#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fake {

struct KeyEvent {
  std::uint8_t key;
  bool up;
  bool operator==(const KeyEvent&) const = default;
};

// The service's answer to a form body; called on the worker's thread. No
// service set: every request fails (empty reply).
void SetService(std::function<std::string(const std::string& body)> service);
// Every body posted so far, in order (any thread may be posting).
std::vector<std::string> Requests();

// Workers run on real threads from now on (default: they wait for RunWorkers).
void UseRealThreads();
// The next worker starts fail (handle 0) while on.
void FailWorkerStarts(bool fail);
// Runs the workers started so far that have not run yet, on this thread.
void RunWorkers();
// Handles started and released so far.
std::vector<std::uintptr_t> StartedWorkers();
std::vector<std::uintptr_t> ReleasedWorkers();
// Waits until `count` results wait to be delivered (false on time-out).
bool WaitForPosted(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10));
// Applies the posted results in order, as the main thread's message loop does.
std::size_t DeliverPosted();
// Joins every real worker thread.
void JoinWorkers();

std::vector<KeyEvent>& KeyEvents();
std::vector<std::string>& ClipboardWrites();
// PutTextOnClipboard fails while on.
void FailClipboard(bool fail);

// A fresh state; joins the workers still running first.
void ResetRecognition();

}  // namespace fake
