#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>

#include "service/dataset/gb2312.h"
#include "service/dataset/hanzi_data.h"
#include "service/dataset/pad_ink.h"
#include "service/ours/ours_engine.h"

namespace lanjian {
namespace {

// The model the build trains and ships.
const Engine& BuiltEngine() {
  static const std::unique_ptr<Engine> engine = [] {
    std::string error;
    auto loaded = LoadOursEngine(LANJIAN_OURS_MODEL, &error);
    if (!loaded) ADD_FAILURE() << error;
    return loaded;
  }();
  return *engine;
}

std::vector<char32_t> Top(const Ink& ink, std::size_t count) {
  std::vector<char32_t> result;
  for (const Candidate& c : BuiltEngine().Recognize(ink, count)) result.push_back(c.character);
  return result;
}

TEST(OursEngine, RecognisesCleanSimpleCharactersFirst) {
  const std::u32string simple = U"一二三十人口大中小上下山日月木水火土王田工力";
  std::vector<dataset::CharacterTemplate> templates;
  std::string error;
  ASSERT_TRUE(dataset::LoadCharacterTemplates(
      dataset::DefaultHanziDataDir(), std::vector<char32_t>(simple.begin(), simple.end()),
      &templates, nullptr, &error))
      << error;
  ASSERT_EQ(templates.size(), simple.size());
  for (const auto& t : templates) {
    const Ink ink = dataset::SamplePadInk(dataset::PlaceOnPad(t.strokes, {}), {}, 5);
    const auto top = Top(ink, 10);
    ASSERT_FALSE(top.empty());
    EXPECT_EQ(top[0], t.character) << dataset::Utf8(t.character) << " read as "
                                   << dataset::Utf8(top[0]);
  }
}

// Written by hand on the pad, in pad pixels, not from any template: straight
// strokes a few pixels off, sampled unevenly.
TEST(OursEngine, RecognisesHandDrawnStrokes) {
  auto line = [](int x0, int y0, int x1, int y1, int n) {
    InkStroke s;
    for (int i = 0; i <= n; ++i) s.push_back({x0 + (x1 - x0) * i / n, y0 + (y1 - y0) * i / n});
    return s;
  };
  // A square drawn alone is 口 or the enclosure 囗, which differ by size
  // alone: 口 must come at least second there.
  const struct {
    char32_t expected;
    std::size_t within;
    Ink ink;
  } cases[] = {
      {U'一', 1, {line(60, 120, 190, 116, 9)}},
      {U'十', 1, {line(62, 110, 185, 106, 8), line(124, 40, 121, 190, 11)}},
      {U'二', 1, {line(80, 80, 170, 78, 6), line(55, 150, 195, 148, 10)}},
      {U'人', 1, {line(125, 40, 70, 180, 9), line(118, 95, 190, 178, 7)}},
      {U'口', 2,
       {line(70, 60, 72, 170, 7),
        [&] {  // the top and the right side in one go
          InkStroke s = line(70, 60, 180, 62, 7);
          InkStroke down = line(180, 62, 176, 170, 7);
          s.insert(s.end(), down.begin() + 1, down.end());
          return s;
        }(),
        line(72, 166, 176, 165, 7)}},
  };
  for (const auto& c : cases) {
    const auto top = Top(c.ink, c.within);
    EXPECT_NE(std::find(top.begin(), top.end(), c.expected), top.end())
        << dataset::Utf8(c.expected) << " read as " << (top.empty() ? "" : dataset::Utf8(top[0]));
  }
}

TEST(OursEngine, HandlesInksWithNothingOrOddThingsInThem) {
  const struct {
    const char* name;
    Ink ink;
    std::size_t count;
    std::size_t expected;  // SIZE_MAX: any number up to count
  } cases[] = {
      {"no stroke", {}, 10, 0},
      {"clicks only", {{}, {}, {}}, 10, 0},
      {"count zero", {{{10, 10}, {100, 100}}}, 0, 0},
      {"exact count", {{{10, 10}, {100, 100}}}, 3, 3},
      {"one point", {{{50, 50}}}, 10, 10},
      {"repeated point", {{{50, 50}, {50, 50}, {50, 50}}}, 10, 10},
      {"far outside the pad", {{{-2000000000, 5}, {2000000000, 7}}, {}, {{0, -2000000000}}}, 10, 10},
      {"more than there are", {{{10, 10}, {100, 100}}}, 100000, SIZE_MAX},
  };
  for (const auto& c : cases) {
    const auto result = BuiltEngine().Recognize(c.ink, c.count);
    if (c.expected == SIZE_MAX) {
      EXPECT_GT(result.size(), 10u) << c.name;
      EXPECT_LE(result.size(), c.count) << c.name;
    } else {
      EXPECT_EQ(result.size(), c.expected) << c.name;
    }
    for (std::size_t i = 0; i < result.size(); ++i) {
      EXPECT_TRUE(std::isfinite(result[i].score)) << c.name;
      EXPECT_TRUE(dataset::GbkCanRepresent(result[i].character)) << c.name;
      if (i > 0) {
        EXPECT_LE(result[i].score, result[i - 1].score) << c.name;
        EXPECT_NE(result[i].character, result[i - 1].character) << c.name;
      }
    }
  }
}

TEST(OursEngine, GivesTheSameAnswersFromSeveralThreads) {
  const Ink ink = {{{60, 120}, {120, 118}, {190, 116}}, {{124, 40}, {122, 120}, {121, 190}}};
  const auto expected = BuiltEngine().Recognize(ink, 10);
  std::vector<std::thread> threads;
  std::vector<int> mismatches(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        const auto got = BuiltEngine().Recognize(ink, 10);
        bool same = got.size() == expected.size();
        for (std::size_t j = 0; same && j < got.size(); ++j) {
          same = got[j].character == expected[j].character && got[j].score == expected[j].score;
        }
        if (!same) ++mismatches[t];
      }
    });
  }
  for (auto& t : threads) t.join();
  for (int m : mismatches) EXPECT_EQ(m, 0);
}

}  // namespace
}  // namespace lanjian

namespace lanjian {
namespace {

// A scribble of the most points the service accepts, back and forth across
// the pad: answered like any ink, without the work growing with its length.
TEST(OursEngine, AnswersALongScribble) {
  InkStroke scribble;
  for (int i = 0; i < 100000; ++i) scribble.push_back({i % 2 == 0 ? 0 : 240, (i / 2) % 210});
  const auto result = BuiltEngine().Recognize({scribble}, 10);
  EXPECT_EQ(result.size(), 10u);
}

}  // namespace
}  // namespace lanjian
