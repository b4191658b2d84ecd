// Reading the recognition request's form body: "type=1&wd=<ink>".
#pragma once
#include <string>
#include <string_view>

namespace lanjian {

struct RecognitionForm {
  bool ok = false;
  std::string ink;    // the decoded "wd" field: the ink without its first and last byte
  std::string error;  // short reason when !ok
};

// Fields may come in any order, names and values may be percent-encoded ("+"
// is a space), empty pairs are skipped and unknown fields ignored. "wd" must
// be there once; "type", when given, must be "1" and given once.
RecognitionForm ParseRecognitionForm(std::string_view body);

// Form decoding of one name or value; false on a broken "%" escape.
bool DecodeFormComponent(std::string_view encoded, std::string& decoded);

}  // namespace lanjian
