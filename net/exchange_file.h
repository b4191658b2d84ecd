// The exchange file of one HttpFetch call: a byte buffer with a position,
// shared by the caller and its request worker. The caller writes the request
// record before the worker starts; the worker replaces it by result records;
// the caller takes the file back once, at the end. From that moment the worker
// writes nothing more and uses none of the handles it named, even when it is
// still running after a time-out: both sides own the exchange through a
// shared pointer and the hand-over is guarded by a lock.
#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>

#include "net/exchange_record.h"

struct ExchangeFile {
  ExchangeBytes bytes;
  std::size_t position = 0;
};

void ExchangeRewind(ExchangeFile& file);
// Up to n bytes from the position on; the position moves past them.
ExchangeBytes ExchangeRead(ExchangeFile& file, std::size_t n);
// Writes at the position (overwriting, growing the file) and moves past the bytes.
void ExchangeWrite(ExchangeFile& file, const ExchangeBytes& bytes);
// Removes up to n bytes at the position.
void ExchangeRemove(ExchangeFile& file, std::size_t n);
std::size_t ExchangeLength(const ExchangeFile& file);

struct HttpExchange {
  std::mutex lock;
  ExchangeFile file;
  bool holdsResult = false;  // the worker has replaced the request record
  bool takenBack = false;    // the caller has read the file: the worker keeps off
};
using SharedExchange = std::shared_ptr<HttpExchange>;

// Caller: a new exchange holding the request record.
SharedExchange CreateExchange(const HttpRequestRecord& request);

// Worker: the request record as the caller wrote it.
HttpRequestRecord ReadExchangeRequest(HttpExchange& exchange);

// Worker: replaces the file's content by a result record.
enum class ResultWrite {
  Written,    // the record stands in the file; its handles are the caller's now
  Failed,     // the file is left empty; the handles are still the worker's
  TakenBack,  // the caller has read the file already; the worker must not touch
              // the handles it had named before (nor write anything)
};
ResultWrite ReplaceExchangeResult(HttpExchange& exchange, const HttpResultRecord& result);

// Worker: runs `use` (a call on the handles) unless the caller has taken the
// exchange back; the caller cannot take it back while `use` runs, so `use`
// must not block for long. Returns whether `use` ran.
bool UseWhileWorkers(HttpExchange& exchange, const std::function<void()>& use);
// Worker: whether the caller has not yet taken the exchange back. Checked
// right before each call that may block on the network.
bool ExchangeStillWorkers(HttpExchange& exchange);

// Caller: takes the file back (the worker keeps off from now on), reads it
// whole and empties it. holdsResult false means the worker never wrote a record
// of its own and `result` is meaningless.
struct TakenExchange {
  bool holdsResult = false;
  HttpResultRecord result;
};
TakenExchange TakeExchangeBack(HttpExchange& exchange);
