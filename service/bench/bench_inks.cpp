#include "service/bench/bench_inks.h"

#include <algorithm>

#include "service/dataset/gb2312.h"
#include "service/dataset/hanzi_data.h"
#include "service/dataset/pad_ink.h"

namespace lanjian::bench {

bool MakeBenchInks(std::size_t limit, std::vector<BenchInk>* inks, std::string* error) {
  const std::vector<char32_t>& level1 = dataset::Gb2312Level1();
  const std::vector<char32_t> wanted(level1.begin(), level1.begin() + std::min(limit, level1.size()));
  std::vector<dataset::CharacterTemplate> templates;
  if (!dataset::LoadCharacterTemplates(dataset::DefaultHanziDataDir(), wanted, &templates, nullptr,
                                       error)) {
    return false;
  }
  for (const dataset::CharacterTemplate& t : templates) {
    BenchInk ink;
    ink.character = t.character;
    ink.ink = dataset::SamplePadInk(dataset::PlaceOnPad(t.strokes, dataset::PadBox{}),
                                    dataset::PadPen{}, static_cast<std::uint32_t>(t.character));
    const std::string text = dataset::FormatInkText(ink.ink);
    ink.body = "type=1&wd=" + (text.size() > 2 ? text.substr(1, text.size() - 2) : std::string());
    inks->push_back(std::move(ink));
  }
  return true;
}

double Percentile(std::vector<double> values, double percent) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t at = static_cast<std::size_t>(percent / 100.0 * (values.size() - 1) + 0.5);
  return values[std::min(at, values.size() - 1)];
}

}  // namespace lanjian::bench
