#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "net/exchange_file.h"
#include "net/exchange_record.h"

namespace {

ExchangeBytes Bytes(std::initializer_list<int> values) {
  ExchangeBytes out;
  for (int v : values) out.push_back(static_cast<std::uint8_t>(v));
  return out;
}

ExchangeBytes Concat(std::initializer_list<ExchangeBytes> parts) {
  ExchangeBytes out;
  for (const ExchangeBytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

ExchangeBytes Text(const std::string& text) { return ExchangeBytes(text.begin(), text.end()); }

ExchangeBytes Zeros(std::size_t n) { return ExchangeBytes(n, 0); }

}  // namespace

TEST(ExchangeRecord, RequestRecordHasTheExactByteLayout) {
  EXPECT_EQ(EncodeRequestRecord({}), Concat({Bytes({1, 0, 0, 0}), Zeros(44)}));

  HttpRequestRecord post;
  post.url = "http://h/";
  post.method = "POST";
  post.body = "type=1&wd=";
  EXPECT_EQ(EncodeRequestRecord(post),
            Concat({Bytes({1, 0, 0, 0}), Bytes({9, 0, 0, 0}), Text("http://h/"), Bytes({4, 0, 0, 0}),
                    Text("POST"), Bytes({10, 0, 0, 0}), Text("type=1&wd="), Zeros(32)}));

  HttpRequestRecord full;
  full.url = "u";
  full.method = "GET";
  full.body = "b";
  full.sendCookies = " a=1 ";
  full.wantCookies = true;
  full.proxy = "127.0.0.1:8080";
  full.extraHeaders = "X: y\r\n";
  full.userName = "\xD6\xD0";
  full.password = "pw";
  full.wantHeaders = true;
  full.storeCookies = true;
  const ExchangeBytes encoded = EncodeRequestRecord(full);
  EXPECT_EQ(encoded.size(), 48u + 1 + 3 + 1 + 5 + 14 + 6 + 2 + 2);
  const HttpRequestRecord back = DecodeRequestRecord(encoded.data(), encoded.size());
  EXPECT_EQ(back.url, full.url);
  EXPECT_EQ(back.method, full.method);
  EXPECT_EQ(back.body, full.body);
  EXPECT_EQ(back.sendCookies, full.sendCookies);
  EXPECT_TRUE(back.wantCookies);
  EXPECT_EQ(back.proxy, full.proxy);
  EXPECT_EQ(back.extraHeaders, full.extraHeaders);
  EXPECT_EQ(back.userName, full.userName);
  EXPECT_EQ(back.password, full.password);
  EXPECT_TRUE(back.wantHeaders);
  EXPECT_TRUE(back.storeCookies);
}

TEST(ExchangeRecord, ResultRecordsHaveTheExactByteLayout) {
  HttpResultRecord provisional;
  provisional.requestHandle = 4;
  provisional.connectHandle = 8;
  provisional.openHandle = 12;
  EXPECT_EQ(EncodeResultRecord(provisional, 4),
            Concat({Zeros(16), Bytes({4, 0, 0, 0, 8, 0, 0, 0, 12, 0, 0, 0})}));

  HttpResultRecord final;
  final.completed = true;
  final.body = "ok";
  final.requestHandle = 4;
  final.connectHandle = 8;
  final.openHandle = 12;
  const ExchangeBytes final32 = EncodeResultRecord(final, 4);
  EXPECT_EQ(final32, Concat({Bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}), Text("ok"),
                             Bytes({4, 0, 0, 0, 8, 0, 0, 0, 12, 0, 0, 0})}));
  EXPECT_EQ(final32.size(), 30u);

  // 64-bit handles: only the handle fields widen.
  final.openHandle = 0x1122334455667788u & UINTPTR_MAX;
  const ExchangeBytes final64 = EncodeResultRecord(final, 8);
  EXPECT_EQ(final64.size(), 42u);
  const HttpResultRecord back = DecodeResultRecord(final64.data(), final64.size(), 8);
  EXPECT_TRUE(back.completed);
  EXPECT_EQ(back.body, "ok");
  EXPECT_EQ(back.requestHandle, 4u);
  EXPECT_EQ(back.connectHandle, 8u);
  EXPECT_EQ(back.openHandle, final.openHandle);

  // This build's own width round-trips headers, cookies and a body with zero bytes.
  HttpResultRecord full;
  full.completed = true;
  full.headers = "HTTP/1.1 200 OK\r\n\r\n";
  full.cookies = "SID=ab12; lang=zh";
  full.body = std::string("a\0b\0", 4);
  full.requestHandle = 1;
  const ExchangeBytes encoded = EncodeResultRecord(full);
  EXPECT_EQ(encoded.size(), 16u + 3 * kHandleFieldWidth + full.headers.size() + full.cookies.size() + 4);
  const HttpResultRecord fullBack = DecodeResultRecord(encoded.data(), encoded.size());
  EXPECT_EQ(fullBack.headers, full.headers);
  EXPECT_EQ(fullBack.cookies, full.cookies);
  EXPECT_EQ(fullBack.body, full.body);
  EXPECT_EQ(fullBack.requestHandle, 1u);
}

TEST(ExchangeRecord, DecodingStaysInsideTheBytesWhateverTheCountsSay) {
  struct Case {
    const char* what;
    ExchangeBytes bytes;
    bool completed;
    std::string headers, cookies, body;
    std::uintptr_t requestHandle;
  };
  const std::vector<Case> cases = {
      {"empty file", {}, false, "", "", "", 0},
      {"two bytes of the flag", Bytes({1, 0}), true, "", "", "", 0},
      {"count past the end", Concat({Bytes({1, 0, 0, 0, 100, 0, 0, 0}), Text("HTTP")}), true, "HTTP", "", "", 0},
      {"huge count", Concat({Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F}), Text("x")}), true, "x", "", "", 0},
      {"negative count", Concat({Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 2, 0, 0, 0}),
                                 Text("ok")}),
       true, "", "", "ok", 0},
      {"text stops at a zero byte",
       Concat({Bytes({1, 0, 0, 0, 3, 0, 0, 0}), Text(std::string("a\0b", 3)), Bytes({0, 0, 0, 0, 2, 0, 0, 0}),
               Text(std::string("\0z", 2))}),
       true, "a", "", std::string("\0z", 2), 0},
      {"handle cut short", Concat({Zeros(16), Bytes({7, 1})}), false, "", "", "", 0x107},
  };
  for (const Case& c : cases) {
    // A copy of exactly the stated size, so the sanitizers see any read beyond it.
    const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[c.bytes.size() + 1]);
    std::copy(c.bytes.begin(), c.bytes.end(), exact.get());
    const HttpResultRecord r = DecodeResultRecord(exact.get(), c.bytes.size(), 4);
    EXPECT_EQ(r.completed, c.completed) << c.what;
    EXPECT_EQ(r.headers, c.headers) << c.what;
    EXPECT_EQ(r.cookies, c.cookies) << c.what;
    EXPECT_EQ(r.body, c.body) << c.what;
    EXPECT_EQ(r.requestHandle, c.requestHandle) << c.what;
    EXPECT_EQ(r.connectHandle, 0u) << c.what;
    EXPECT_EQ(r.openHandle, 0u) << c.what;
  }
  const HttpRequestRecord empty = DecodeRequestRecord(nullptr, 0);
  EXPECT_EQ(empty.url, "");
  EXPECT_FALSE(empty.storeCookies);
}

TEST(ExchangeFile, ReadWriteRemoveFollowThePosition) {
  ExchangeFile file;
  ExchangeWrite(file, Text("abcdef"));
  EXPECT_EQ(file.position, 6u);
  EXPECT_TRUE(ExchangeRead(file, 4).empty());
  ExchangeRewind(file);
  EXPECT_EQ(ExchangeRead(file, 2), Text("ab"));
  ExchangeWrite(file, Text("XY"));  // overwrites c and d
  EXPECT_EQ(file.bytes, Text("abXYef"));
  ExchangeRewind(file);
  EXPECT_EQ(ExchangeRead(file, 100), Text("abXYef"));
  ExchangeRewind(file);
  ExchangeRemove(file, 2);
  EXPECT_EQ(file.bytes, Text("XYef"));
  ExchangeRemove(file, ExchangeLength(file));
  EXPECT_EQ(ExchangeLength(file), 0u);
}

TEST(ExchangeHandOver, TheCallerTellsItsRequestFromAResultAndALateWorkerWritesNothing) {
  HttpRequestRecord request;
  request.url = "http://h/";
  request.method = "POST";
  request.wantHeaders = true;

  // A worker that never wrote: the caller gets its request back, flagged as such.
  SharedExchange idle = CreateExchange(request);
  EXPECT_EQ(ReadExchangeRequest(*idle).method, "POST");
  EXPECT_TRUE(ReadExchangeRequest(*idle).wantHeaders);
  EXPECT_FALSE(TakeExchangeBack(*idle).holdsResult);

  // Provisional then final record: the caller reads the final one.
  SharedExchange done = CreateExchange(request);
  HttpResultRecord result;
  result.requestHandle = 3;
  result.connectHandle = 2;
  result.openHandle = 1;
  EXPECT_EQ(ReplaceExchangeResult(*done, result), ResultWrite::Written);
  result.completed = true;
  result.body = "ok";
  EXPECT_EQ(ReplaceExchangeResult(*done, result), ResultWrite::Written);
  TakenExchange taken = TakeExchangeBack(*done);
  ASSERT_TRUE(taken.holdsResult);
  EXPECT_TRUE(taken.result.completed);
  EXPECT_EQ(taken.result.body, "ok");
  EXPECT_EQ(taken.result.requestHandle, 3u);
  EXPECT_EQ(taken.result.openHandle, 1u);

  // After the hand-back the worker may neither write nor use the handles.
  EXPECT_EQ(ReplaceExchangeResult(*done, result), ResultWrite::TakenBack);
  EXPECT_FALSE(ExchangeStillWorkers(*done));
  bool used = false;
  EXPECT_FALSE(UseWhileWorkers(*done, [&] { used = true; }));
  EXPECT_FALSE(used);
  EXPECT_TRUE(done->file.bytes.empty());
}

TEST(ExchangeHandOver, ALateWorkerOnAnotherThreadNeverWritesAfterTheCallerHasRead) {
  // The worker keeps writing records while the caller takes the exchange back
  // at some moment; the caller's copy is then final and the file stays empty.
  for (int round = 0; round < 50; ++round) {
    SharedExchange exchange = CreateExchange({});
    std::thread worker([exchange] {
      HttpResultRecord record;
      record.requestHandle = 9;
      while (ReplaceExchangeResult(*exchange, record) == ResultWrite::Written) record.body += "x";
    });
    std::this_thread::yield();
    const TakenExchange taken = TakeExchangeBack(*exchange);
    worker.join();
    EXPECT_TRUE(exchange->file.bytes.empty());
    if (taken.holdsResult) {
      EXPECT_EQ(taken.result.requestHandle, 9u);
    }
  }
}
