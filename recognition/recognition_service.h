// The recognition service as the worker sees it. Win32: an HTTP POST to the
// service root through HttpFetch (recognition_service_win32.cpp).
#pragma once
#include <string>

// Posts the form body and returns the reply body, empty when the request
// fails or times out. Any thread; returns within the request's time-out.
std::string FetchRecognitionReply(const std::string& body);
