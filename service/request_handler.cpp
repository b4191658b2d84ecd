#include "service/request_handler.h"

#include <exception>
#include <vector>

#include "service/candidate_reply.h"
#include "service/form_parser.h"
#include "service/home_page.h"

namespace lanjian {
namespace {

constexpr const char* kJson = "application/json; charset=utf-8";
constexpr const char* kText = "text/plain; charset=utf-8";

ServiceReply TextReply(int status, std::string text) {
  ServiceReply reply;
  reply.status = status;
  reply.contentType = kText;
  reply.body = std::move(text);
  reply.body += '\n';
  return reply;
}

ServiceReply MethodNotAllowed(const char* allow) {
  ServiceReply reply = TextReply(405, "method not allowed");
  reply.allow = allow;
  return reply;
}

ServiceReply Recognize(const Engine& engine, std::string_view body, const InkLimits& limits) {
  const RecognitionForm form = ParseRecognitionForm(body);
  if (!form.ok) return TextReply(400, form.error);
  const InkParseResult parsed = ParseInkText(RebuildInkText(form.ink), limits);
  if (!parsed.ok) return TextReply(400, parsed.error);

  std::vector<char32_t> characters;
  try {
    for (const Candidate& candidate : engine.Recognize(parsed.ink, kMaxReplyCandidates)) {
      characters.push_back(candidate.character);
    }
  } catch (const std::exception& e) {
    return TextReply(500, std::string("recognition failed: ") + e.what());
  }
  CandidateReply built = BuildCandidateReply(characters);
  ServiceReply reply;
  reply.status = 200;
  reply.contentType = kJson;
  reply.body = std::move(built.body);
  reply.candidates = built.count;
  return reply;
}

}  // namespace

bool RequestTakesBody(std::string_view method, std::string_view path) {
  return method == "POST" && path == "/";
}

ServiceReply BodyTooLargeReply() {
  return TextReply(413, "request body too large: the limit is 1 MiB");
}

ServiceReply HandleServiceRequest(const Engine& engine, std::string_view method,
                                  std::string_view path, std::string_view body,
                                  const InkLimits& limits) {
  const bool get = method == "GET" || method == "HEAD";
  if (path == "/") {
    if (method == "POST") return Recognize(engine, body, limits);
    if (!get) return MethodNotAllowed("GET, HEAD, POST");
    ServiceReply reply;
    reply.contentType = "text/html; charset=utf-8";
    reply.body = HomePage(engine.Name());
    return reply;
  }
  if (path == "/healthz") {
    if (!get) return MethodNotAllowed("GET, HEAD");
    return TextReply(200, "ok");
  }
  return TextReply(404, "not found");
}

}  // namespace lanjian
