#include "tests/fakes/fake_recognition.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "recognition/ansi_code_page.h"
#include "recognition/keys.h"
#include "recognition/recognition_service.h"
#include "recognition/worker_thread.h"
#include "tests/fakes/cp936.h"

namespace {

// Shared with the worker threads: everything under `lock`.
std::mutex lock;
std::condition_variable postedChanged;
std::function<std::string(const std::string&)> service;
std::vector<std::string> requests;
std::deque<std::unique_ptr<RecognitionResult>> posted;

// Main (test) thread only.
bool realThreads = false;
bool failStarts = false;
std::uintptr_t nextHandle = 1;
std::vector<std::function<void()>> waiting;
std::vector<std::thread> threads;
std::vector<std::uintptr_t> started;
std::vector<std::uintptr_t> released;
std::vector<fake::KeyEvent> keyEvents;
std::vector<std::string> clipboardWrites;
bool clipboardFails = false;

}  // namespace

namespace fake {

void SetService(std::function<std::string(const std::string&)> answer) {
  std::lock_guard<std::mutex> guard(lock);
  service = std::move(answer);
}

std::vector<std::string> Requests() {
  std::lock_guard<std::mutex> guard(lock);
  return requests;
}

void UseRealThreads() { realThreads = true; }
void FailWorkerStarts(bool fail) { failStarts = fail; }

void RunWorkers() {
  std::vector<std::function<void()>> now;
  now.swap(waiting);
  for (auto& work : now) work();
}

std::vector<std::uintptr_t> StartedWorkers() { return started; }
std::vector<std::uintptr_t> ReleasedWorkers() { return released; }

bool WaitForPosted(std::size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> guard(lock);
  return postedChanged.wait_for(guard, timeout, [count] { return posted.size() >= count; });
}

std::size_t DeliverPosted() {
  std::deque<std::unique_ptr<RecognitionResult>> now;
  {
    std::lock_guard<std::mutex> guard(lock);
    now.swap(posted);
  }
  for (auto& result : now) ApplyRecognitionResult(std::move(*result));
  return now.size();
}

void JoinWorkers() {
  for (std::thread& thread : threads) thread.join();
  threads.clear();
}

std::vector<KeyEvent>& KeyEvents() { return keyEvents; }
std::vector<std::string>& ClipboardWrites() { return clipboardWrites; }
void FailClipboard(bool fail) { clipboardFails = fail; }

void ResetRecognition() {
  JoinWorkers();
  std::lock_guard<std::mutex> guard(lock);
  service = nullptr;
  requests.clear();
  posted.clear();
  realThreads = false;
  failStarts = false;
  waiting.clear();
  started.clear();
  released.clear();
  keyEvents.clear();
  clipboardWrites.clear();
  clipboardFails = false;
}

}  // namespace fake

std::string FetchRecognitionReply(const std::string& body) {
  std::function<std::string(const std::string&)> answer;
  {
    std::lock_guard<std::mutex> guard(lock);
    requests.push_back(body);
    answer = service;
  }
  return answer ? answer(body) : std::string();
}

std::uintptr_t StartWorkerThread(std::function<void()> work) {
  if (failStarts) return 0;
  if (realThreads)
    threads.emplace_back(std::move(work));
  else
    waiting.push_back(std::move(work));
  started.push_back(nextHandle);
  return nextHandle++;
}

void ReleaseWorkerThread(std::uintptr_t handle) { released.push_back(handle); }

void PostRecognitionResult(std::unique_ptr<RecognitionResult> result) {
  std::lock_guard<std::mutex> guard(lock);
  posted.push_back(std::move(result));
  postedChanged.notify_all();
}

void SendKeyEvent(std::uint8_t virtualKey, bool keyUp) { keyEvents.push_back({virtualKey, keyUp}); }

bool PutTextOnClipboard(const std::string& text) {
  if (clipboardFails) return false;
  clipboardWrites.push_back(text);
  return true;
}

std::u16string AnsiToUtf16(std::string_view text) { return Cp936ToUtf16(text); }
std::string Utf16ToAnsi(std::u16string_view text) { return Utf16ToCp936(text); }
