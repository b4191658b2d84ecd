// HttpFetch: the program's one HTTP operation. Runs one exchange over WinINet
// on a request worker thread and waits for it at most timeoutSeconds
// (0 or less: 90), optionally dispatching the calling thread's window messages
// meanwhile. Returns the response body exactly as received, or an empty byte
// string when the request fails or the time runs out; the outputs are written
// only on success (nullptr: not wanted).
#pragma once
#include <string>

std::string HttpFetch(const std::string& url, const std::string& method = {}, const std::string& body = {},
                      const std::string& sendCookies = {}, std::string* receivedCookies = nullptr,
                      const std::string& proxy = {}, int timeoutSeconds = 0, bool pumpMessages = false,
                      const std::string& extraHeaders = {}, const std::string& userName = {},
                      const std::string& password = {}, std::string* receivedHeaders = nullptr,
                      bool storeCookies = false);
