#include "service/form_parser.h"

#include <utility>

namespace lanjian {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool DecodeFormComponent(std::string_view encoded, std::string& decoded) {
  decoded.clear();
  decoded.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const char c = encoded[i];
    if (c == '+') {
      decoded += ' ';
    } else if (c == '%') {
      if (encoded.size() - i < 3) return false;
      const int high = HexValue(encoded[i + 1]);
      const int low = HexValue(encoded[i + 2]);
      if (high < 0 || low < 0) return false;
      decoded += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      decoded += c;
    }
  }
  return true;
}

RecognitionForm ParseRecognitionForm(std::string_view body) {
  RecognitionForm form;
  bool haveInk = false;
  bool haveType = false;
  std::string name;
  std::string value;
  const auto fail = [&form](const char* error) {
    form.ink.clear();
    form.error = error;
    return form;
  };
  std::size_t start = 0;
  while (start <= body.size()) {
    std::size_t end = body.find('&', start);
    if (end == std::string_view::npos) end = body.size();
    const std::string_view pair = body.substr(start, end - start);
    start = end + 1;
    if (pair.empty()) continue;
    const std::size_t equals = pair.find('=');
    const std::string_view rawName = pair.substr(0, equals);
    const std::string_view rawValue =
        equals == std::string_view::npos ? std::string_view() : pair.substr(equals + 1);
    if (!DecodeFormComponent(rawName, name) || !DecodeFormComponent(rawValue, value)) {
      return fail("malformed form: broken percent escape");
    }
    if (name == "wd") {
      if (haveInk) return fail("malformed form: wd given twice");
      haveInk = true;
      form.ink = std::move(value);
    } else if (name == "type") {
      if (haveType) return fail("malformed form: type given twice");
      haveType = true;
      if (value != "1") return fail("unsupported type: only type=1 is recognised");
    }
  }
  if (!haveInk) return fail("malformed form: no wd field");
  form.ok = true;
  return form;
}

}  // namespace lanjian
