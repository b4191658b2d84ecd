#include "net/exchange_file.h"

#include <algorithm>
#include <new>
#include <stdexcept>

void ExchangeRewind(ExchangeFile& file) { file.position = 0; }

ExchangeBytes ExchangeRead(ExchangeFile& file, std::size_t n) {
  const std::size_t start = std::min(file.position, file.bytes.size());
  const std::size_t count = std::min(n, file.bytes.size() - start);
  ExchangeBytes out(file.bytes.begin() + static_cast<std::ptrdiff_t>(start),
                    file.bytes.begin() + static_cast<std::ptrdiff_t>(start + count));
  file.position = start + count;
  return out;
}

void ExchangeWrite(ExchangeFile& file, const ExchangeBytes& bytes) {
  const std::size_t end = file.position + bytes.size();
  if (file.bytes.size() < end) file.bytes.resize(end);
  std::copy(bytes.begin(), bytes.end(), file.bytes.begin() + static_cast<std::ptrdiff_t>(file.position));
  file.position = end;
}

void ExchangeRemove(ExchangeFile& file, std::size_t n) {
  const std::size_t start = std::min(file.position, file.bytes.size());
  const std::size_t count = std::min(n, file.bytes.size() - start);
  file.bytes.erase(file.bytes.begin() + static_cast<std::ptrdiff_t>(start),
                   file.bytes.begin() + static_cast<std::ptrdiff_t>(start + count));
}

std::size_t ExchangeLength(const ExchangeFile& file) { return file.bytes.size(); }

SharedExchange CreateExchange(const HttpRequestRecord& request) {
  SharedExchange exchange = std::make_shared<HttpExchange>();
  ExchangeWrite(exchange->file, EncodeRequestRecord(request));
  return exchange;
}

HttpRequestRecord ReadExchangeRequest(HttpExchange& exchange) {
  std::lock_guard<std::mutex> hold(exchange.lock);
  ExchangeRewind(exchange.file);
  const ExchangeBytes bytes = ExchangeRead(exchange.file, ExchangeLength(exchange.file));
  return DecodeRequestRecord(bytes.data(), bytes.size());
}

ResultWrite ReplaceExchangeResult(HttpExchange& exchange, const HttpResultRecord& result) {
  // Encode before taking the lock so the caller never waits on a copy of the body.
  ExchangeBytes encoded;
  bool encodedWhole = true;
  try {
    encoded = EncodeResultRecord(result);
  } catch (const std::bad_alloc&) {
    encodedWhole = false;
  } catch (const std::length_error&) {
    encodedWhole = false;
  }

  std::lock_guard<std::mutex> hold(exchange.lock);
  if (exchange.takenBack) return ResultWrite::TakenBack;
  ExchangeRewind(exchange.file);
  ExchangeRemove(exchange.file, ExchangeLength(exchange.file));
  exchange.holdsResult = true;
  if (!encodedWhole) return ResultWrite::Failed;
  // Moving into the emptied file allocates nothing, so it cannot fail.
  exchange.file.bytes = std::move(encoded);
  exchange.file.position = exchange.file.bytes.size();
  return ResultWrite::Written;
}

bool UseWhileWorkers(HttpExchange& exchange, const std::function<void()>& use) {
  std::lock_guard<std::mutex> hold(exchange.lock);
  if (exchange.takenBack) return false;
  use();
  return true;
}

bool ExchangeStillWorkers(HttpExchange& exchange) {
  std::lock_guard<std::mutex> hold(exchange.lock);
  return !exchange.takenBack;
}

TakenExchange TakeExchangeBack(HttpExchange& exchange) {
  TakenExchange taken;
  ExchangeBytes bytes;
  {
    std::lock_guard<std::mutex> hold(exchange.lock);
    exchange.takenBack = true;
    taken.holdsResult = exchange.holdsResult;
    ExchangeRewind(exchange.file);
    bytes.swap(exchange.file.bytes);
    exchange.file.position = 0;
  }
  if (taken.holdsResult) taken.result = DecodeResultRecord(bytes.data(), bytes.size());
  return taken;
}
