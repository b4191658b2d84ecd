#include "service/dataset/gb2312.h"

#include <iconv.h>

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace lanjian::dataset {
namespace {

constexpr int kFirstHanziRow = 16;
constexpr int kLastLevel1Row = 55;
constexpr int kLastHanziRow = 87;

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts the whole input or reports false.
  bool Convert(const char* in, std::size_t inSize, char* out, std::size_t outCapacity,
               std::size_t* outSize) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // fresh shift state
    char* inPtr = const_cast<char*>(in);
    char* outPtr = out;
    std::size_t inLeft = inSize;
    std::size_t outLeft = outCapacity;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
      return false;
    }
    *outSize = outCapacity - outLeft;
    return true;
  }

 private:
  iconv_t cd_;
};

std::vector<char32_t> DecodeRows(int firstRow, int lastRow) {
  Converter toUtf32("UTF-32LE", "GB2312");
  std::vector<char32_t> result;
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int cell = 1; cell <= 94; ++cell) {
      const char code[2] = {static_cast<char>(0xA0 + row), static_cast<char>(0xA0 + cell)};
      unsigned char out[8];
      std::size_t outSize = 0;
      if (!toUtf32.Convert(code, 2, reinterpret_cast<char*>(out), sizeof out, &outSize) ||
          outSize != 4) {
        continue;  // an unassigned cell (row 55 ends early)
      }
      result.push_back(static_cast<char32_t>(out[0] | out[1] << 8 | out[2] << 16 |
                                             static_cast<std::uint32_t>(out[3]) << 24));
    }
  }
  return result;
}

}  // namespace

const std::vector<char32_t>& Gb2312Level1() {
  static const std::vector<char32_t> level1 = DecodeRows(kFirstHanziRow, kLastLevel1Row);
  return level1;
}

const std::vector<char32_t>& Gb2312Hanzi() {
  static const std::vector<char32_t> all = DecodeRows(kFirstHanziRow, kLastHanziRow);
  return all;
}

bool GbkCanRepresent(char32_t character) {
  if (character == 0 || character > 0xFFFF || (character >= 0xD800 && character <= 0xDFFF)) {
    return false;
  }
  thread_local Converter toGbk("GBK", "UTF-32LE");
  const unsigned char in[4] = {static_cast<unsigned char>(character & 0xFF),
                               static_cast<unsigned char>((character >> 8) & 0xFF), 0, 0};
  char out[8];
  std::size_t outSize = 0;
  return toGbk.Convert(reinterpret_cast<const char*>(in), 4, out, sizeof out, &outSize) &&
         outSize > 0;
}

}  // namespace lanjian::dataset
