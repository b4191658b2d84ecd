// What the service answers, independent of the HTTP library: routes, the
// recognition exchange and every error text. Error bodies are short plain
// text without "{" or "}", so the pad never cuts a candidate out of one.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "service/engine.h"
#include "service/ink_parser.h"

namespace lanjian {

inline constexpr std::size_t kMaxRequestBody = 1 << 20;

struct ServiceReply {
  int status = 200;
  std::string contentType;
  std::string body;
  std::string allow;           // the Allow header of a 405
  std::size_t candidates = 0;  // candidates in a recognition reply
};

// One complete request. `path` is without the query string; HEAD is answered
// as GET (the HTTP layer leaves out the body).
ServiceReply HandleServiceRequest(const Engine& engine, std::string_view method,
                                  std::string_view path, std::string_view body,
                                  const InkLimits& limits = {});

// The answer to a body over kMaxRequestBody, decided before it is all read.
ServiceReply BodyTooLargeReply();

// True when the request is one whose body the service reads (POST /).
bool RequestTakesBody(std::string_view method, std::string_view path);

}  // namespace lanjian
