#include "net/http_fetch.h"
#include "recognition/recognition_service.h"

std::string FetchRecognitionReply(const std::string& body) {
  // Everything else as HttpFetch does it by default: 90 s at most, no messages pumped.
  return HttpFetch(LANJIAN_SERVICE_URL, "POST", body);
}
