#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>

#include "service/dataset/distort.h"
#include "service/dataset/gb2312.h"
#include "service/dataset/hanzi_data.h"
#include "service/dataset/pad_ink.h"

namespace lanjian::dataset {
namespace {

TEST(Gb2312, ListsHaveTheirSizesOrderAndNoRepeats) {
  const auto& level1 = Gb2312Level1();
  const auto& all = Gb2312Hanzi();
  ASSERT_EQ(level1.size(), 3755u);
  ASSERT_EQ(all.size(), 6763u);
  EXPECT_EQ(level1.front(), U'啊');
  EXPECT_EQ(level1.back(), U'座');
  EXPECT_EQ(all[3755], U'亍');
  EXPECT_EQ(all.back(), U'齄');
  EXPECT_EQ(std::set<char32_t>(all.begin(), all.end()).size(), all.size());
  EXPECT_TRUE(std::equal(level1.begin(), level1.end(), all.begin()));
}

TEST(Gb2312, GbkRepresentability) {
  const struct {
    char32_t c;
    bool representable;
  } cases[] = {{U'啊', true}, {U'丂', true},  // GBK beyond GB2312
               {U'A', true},  {U'ㄅ', true},
               {U'가', false}, {0x20000, false}, {0xD800, false}, {0, false}};
  for (const auto& c : cases) EXPECT_EQ(GbkCanRepresent(c.c), c.representable) << unsigned(c.c);
}

TEST(HanziData, ParsesMediansWithYTurnedDownwards) {
  CharacterTemplate t;
  std::string error;
  ASSERT_TRUE(ParseCharacterTemplate(
      R"({"strokes":["M 0 0 Z","M 1 1 Z"],"medians":[[[109,442],[932,476]],[[456,811],[507,-33]]]})",
      U'十', &t, &error))
      << error;
  ASSERT_EQ(t.strokes.size(), 2u);
  EXPECT_EQ(t.character, U'十');
  EXPECT_FLOAT_EQ(t.strokes[0][0].x, 109);
  EXPECT_FLOAT_EQ(t.strokes[0][0].y, 900 - 442);
  EXPECT_FLOAT_EQ(t.strokes[1][0].y, 900 - 811);  // the vertical stroke starts at the top
  EXPECT_FLOAT_EQ(t.strokes[1][1].y, 933);
}

TEST(HanziData, RejectsMalformedFiles) {
  const char* bad[] = {"", "[]", "{\"strokes\":[]}", "{\"medians\":[]}",
                       "{\"medians\":[[]]}", "{\"medians\":[[[1]]]}",
                       "{\"medians\":[[[1,\"2\"]]]}", "{\"medians\":[[[1,2]]"};
  for (const char* text : bad) {
    CharacterTemplate t;
    std::string error;
    EXPECT_FALSE(ParseCharacterTemplate(text, U'一', &t, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(HanziData, InstalledPackageCoversGb2312) {
  std::vector<CharacterTemplate> templates;
  std::vector<char32_t> missing;
  std::string error;
  ASSERT_TRUE(LoadCharacterTemplates(DefaultHanziDataDir(), Gb2312Hanzi(), &templates, &missing,
                                     &error))
      << error;
  EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first U+" << std::hex
                               << (missing.empty() ? 0u : unsigned(missing[0]));
  EXPECT_EQ(templates.size(), 6763u);
  CharacterTemplate t;
  EXPECT_FALSE(LoadCharacterTemplate(DefaultHanziDataDir(), U'가', &t, &error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

TEST(PadInk, FormatsTheInkTextAsThePadDoes) {
  const struct {
    Ink ink;
    std::string text;
  } cases[] = {
      {{}, ""},
      {{{}}, "a"},
      {{{{12, 30}, {15, 34}, {19, 40}}, {{40, 10}, {40, 25}}}, "a12a30a15a34a19a40aa40a10a40a25a"},
      {{{{-3, 15}}, {}, {}}, "a-3a15aaa"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatInkText(c.ink), c.text);
}

TEST(PadInk, SamplesAlongStrokesLikeThePadTimer) {
  PadPen pen;
  pen.samplePeriodMs = 16;
  pen.speedPxPerMs = 0.5;
  pen.frameX = 3;
  pen.frameY = 19;
  // A 100-pixel horizontal stroke, a dot, and a stroke back onto its last sample.
  const std::vector<Polyline> strokes = {
      {{10, 20}, {110, 20}}, {{50, 50}}, {{110, 1}, {110, 1}}};
  const Ink ink = SamplePadInk(strokes, pen, 7);
  ASSERT_EQ(ink.size(), 3u);
  // 200 ms moving plus resting at both ends, one sample each 16 ms at most.
  EXPECT_GE(ink[0].size(), 8u);
  EXPECT_LE(ink[0].size(), 16u);
  for (std::size_t i = 0; i < ink[0].size(); ++i) {
    EXPECT_EQ(ink[0][i].y, 20 + 19);
    EXPECT_GE(ink[0][i].x, 10 + 3);
    EXPECT_LE(ink[0][i].x, 110 + 3);
    if (i > 0) {
      EXPECT_GT(ink[0][i].x, ink[0][i - 1].x);  // moves on, no duplicates
    }
  }
  EXPECT_EQ(ink[0].front().x, 13);  // the pen rests where it went down
  EXPECT_EQ(ink[0].back().x, 113);
  ASSERT_EQ(ink[1].size(), 1u);  // a dot: the one point, sampled once
  EXPECT_EQ(ink[1][0].x, 53);
  EXPECT_EQ(ink[1][0].y, 69);
  EXPECT_EQ(ink[2].size(), 1u);
  EXPECT_EQ(FormatInkText(SamplePadInk(strokes, pen, 7)), FormatInkText(ink));  // seeded
}

TEST(PadInk, AStrokeThatRepeatsTheLastSampleComesOutEmpty) {
  PadPen pen;
  const Ink ink = SamplePadInk({{{10, 10}, {20, 10}}, {{20, 10}}}, pen, 1);
  ASSERT_EQ(ink.size(), 2u);
  EXPECT_TRUE(ink[1].empty());
}

}  // namespace
}  // namespace lanjian::dataset

namespace lanjian::dataset {
namespace {

// Every family at its strongest keeps the character near its box and its
// strokes reasonably short, whatever the template.
TEST(Distortion, EachFamilyKeepsTheCharacterInShape) {
  std::vector<CharacterTemplate> templates;
  std::string error;
  const std::u32string chars = U"一口乙永飞鼎囊";
  ASSERT_TRUE(LoadCharacterTemplates(DefaultHanziDataDir(),
                                     std::vector<char32_t>(chars.begin(), chars.end()),
                                     &templates, nullptr, &error))
      << error;
  const struct {
    const char* name;
    double Distortion::*field;
    double value;
  } families[] = {
      {"rotate", &Distortion::rotateDeg, 15},     {"shear", &Distortion::shear, 0.4},
      {"aspect", &Distortion::aspect, 0.4},       {"elastic", &Distortion::elastic, 100},
      {"shift", &Distortion::strokeShift, 60},    {"scale", &Distortion::strokeScale, 0.4},
      {"trim", &Distortion::endTrim, 0.3},        {"bend", &Distortion::bend, 0.3},
      {"tremor", &Distortion::tremor, 12},        {"perspective", &Distortion::perspective, 0.4},
      {"shuffle", &Distortion::shuffleOrder, 1},  {"swap", &Distortion::swapNeighbours, 1},
      {"reverse", &Distortion::reverse, 1},       {"join", &Distortion::join, 1},
  };
  for (const auto& family : families) {
    for (const auto& t : templates) {
      for (std::uint32_t seed = 0; seed < 30; ++seed) {
        Distortion d;
        d.*family.field = family.value;
        d.curvedJoins = seed % 2 == 1;
        std::mt19937 rng(seed);
        const auto strokes = Distort(t, d, rng);
        ASSERT_FALSE(strokes.empty()) << family.name;
        ASSERT_LE(strokes.size(), t.strokes.size()) << family.name;
        double length = 0;
        for (const auto& line : strokes) {
          ASSERT_FALSE(line.empty()) << family.name;
          for (std::size_t i = 0; i < line.size(); ++i) {
            ASSERT_GT(line[i].x, -600) << family.name;
            ASSERT_LT(line[i].x, 1600) << family.name;
            ASSERT_GT(line[i].y, -600) << family.name;
            ASSERT_LT(line[i].y, 1600) << family.name;
            if (i > 0) length += std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
          }
        }
        EXPECT_LT(length, 30000) << family.name << " " << Utf8(t.character);
      }
    }
  }
}

TEST(Distortion, KeyPointsKeepCornersAndEnds) {
  InkStroke corner;
  for (int i = 0; i <= 10; ++i) corner.push_back({i * 10, 0});
  for (int i = 1; i <= 10; ++i) corner.push_back({100, i * 10 + (i % 2)});  // a little wobble
  const Ink kept = KeepKeyPoints({corner, {{5, 5}}, {}}, 2.0);
  ASSERT_EQ(kept.size(), 3u);
  ASSERT_EQ(kept[0].size(), 3u);
  EXPECT_EQ(kept[0][1].x, 100);
  EXPECT_EQ(kept[0][1].y, 0);
  EXPECT_EQ(kept[0][2].y, 100);
  EXPECT_EQ(kept[1].size(), 1u);
  EXPECT_TRUE(kept[2].empty());
}

}  // namespace
}  // namespace lanjian::dataset
