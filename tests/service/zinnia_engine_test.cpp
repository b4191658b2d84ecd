// The zinnia engine on inks drawn the way the pad records them.
#include <gtest/gtest.h>
#include <zinnia.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "service/ink_normalizer.h"
#include "service/utf8.h"
#include "service/zinnia_engine.h"
#include "service/zinnia_vertices.h"

namespace lanjian {
namespace {

struct Pt {
  double x;
  double y;
};
using Line = std::vector<Pt>;

// Strokes in a 0..100 box become pad samples: about every 5 pixels along the
// line, whole pixels, repeats dropped, the box 150 pixels wide near the
// middle of the pad.
Ink DrawOnPad(const std::vector<Line>& strokes) {
  Ink ink;
  for (const Line& line : strokes) {
    InkStroke stroke;
    const auto add = [&](double u, double v) {
      const InkPoint p{static_cast<std::int32_t>(std::lround(46 + u * 1.5)),
                       static_cast<std::int32_t>(std::lround(30 + v * 1.5))};
      if (stroke.empty() || stroke.back().x != p.x || stroke.back().y != p.y) stroke.push_back(p);
    };
    add(line[0].x, line[0].y);
    for (std::size_t i = 1; i < line.size(); ++i) {
      const double length = std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y) * 1.5;
      const int steps = std::max(1, static_cast<int>(length / 5));
      for (int s = 1; s <= steps; ++s) {
        const double f = static_cast<double>(s) / steps;
        add(line[i - 1].x + f * (line[i].x - line[i - 1].x),
            line[i - 1].y + f * (line[i].y - line[i - 1].y));
      }
    }
    ink.push_back(stroke);
  }
  return ink;
}

struct Drawn {
  char32_t character;
  std::vector<Line> strokes;
};

const std::vector<Drawn>& SimpleCharacters() {
  static const std::vector<Drawn> characters = {
      {U'一', {{{10, 50}, {90, 48}}}},
      {U'二', {{{22, 30}, {78, 29}}, {{8, 72}, {92, 70}}}},
      {U'三', {{{20, 18}, {80, 17}}, {{26, 50}, {74, 49}}, {{10, 84}, {90, 82}}}},
      {U'十', {{{8, 45}, {92, 44}}, {{50, 8}, {50, 96}}}},
      {U'中', {{{18, 28}, {18, 70}}, {{18, 28}, {82, 28}, {82, 70}}, {{18, 66}, {82, 66}},
               {{50, 5}, {50, 98}}}},
      {U'人', {{{52, 5}, {48, 45}, {30, 78}, {8, 95}}, {{50, 42}, {70, 72}, {94, 94}}}},
      {U'口', {{{22, 31}, {28, 73}}, {{24, 32}, {68, 28}, {74, 33}, {65, 62}}, {{30, 71}, {69, 66}}}},
      {U'大', {{{18, 42}, {80, 37}}, {{46, 8}, {46, 37}, {42, 57}, {30, 74}, {12, 85}},
               {{47, 46}, {56, 60}, {70, 76}, {93, 84}}}},
      {U'王', {{{15, 12}, {85, 12}}, {{20, 50}, {80, 50}}, {{50, 12}, {50, 90}},
               {{8, 90}, {92, 90}}}},
      {U'土', {{{18, 45}, {82, 45}}, {{50, 8}, {50, 88}}, {{6, 90}, {94, 90}}}},
      {U'工', {{{15, 12}, {85, 12}}, {{50, 12}, {50, 88}}, {{6, 88}, {94, 88}}}},
      {U'田', {{{20, 15}, {22, 88}}, {{22, 15}, {80, 14}, {78, 88}}, {{22, 50}, {78, 50}},
               {{50, 16}, {50, 86}}, {{22, 86}, {78, 86}}}},
      {U'日', {{{22, 8}, {22, 95}}, {{22, 8}, {78, 8}, {78, 95}}, {{22, 50}, {78, 50}},
               {{22, 92}, {78, 92}}}},
      {U'上', {{{48, 5}, {48, 90}}, {{48, 45}, {82, 45}}, {{6, 90}, {94, 90}}}},
      {U'下', {{{6, 10}, {94, 10}}, {{48, 10}, {48, 96}}, {{54, 40}, {76, 58}}}},
      {U'木', {{{6, 32}, {94, 32}}, {{50, 4}, {50, 98}}, {{48, 34}, {28, 66}, {6, 82}},
               {{52, 34}, {74, 64}, {94, 80}}}},
  };
  return characters;
}

std::unique_ptr<Engine> LoadDefaultZinnia() {
  std::string error;
  std::unique_ptr<Engine> engine = LoadZinniaEngine(kDefaultZinniaModel, &error);
  EXPECT_NE(engine, nullptr) << error;
  return engine;
}

TEST(ZinniaEngine, RecognisesSimpleCharactersDrawnOnThePad) {
  const std::unique_ptr<Engine> engine = LoadDefaultZinnia();
  ASSERT_NE(engine, nullptr);
  int first = 0;
  for (const Drawn& drawn : SimpleCharacters()) {
    const std::vector<Candidate> candidates = engine->Recognize(DrawOnPad(drawn.strokes), 10);
    ASSERT_FALSE(candidates.empty()) << EncodeUtf8(drawn.character);
    EXPECT_LE(candidates.size(), 10u);
    std::string shown;
    std::size_t rank = candidates.size();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
      shown += EncodeUtf8(candidates[i].character);
      if (candidates[i].character == drawn.character && rank == candidates.size()) rank = i;
      if (i > 0) {
        EXPECT_LE(candidates[i].score, candidates[i - 1].score);
      }
    }
    EXPECT_LT(rank, candidates.size()) << EncodeUtf8(drawn.character) << " not among " << shown;
    if (rank == 0) ++first;
  }
  // Most come back first.
  EXPECT_GE(first * 4, static_cast<int>(SimpleCharacters().size()) * 3) << first << " first";
}

TEST(ZinniaEngine, PositionAndSizeOnThePadDoNotMatter) {
  const std::unique_ptr<Engine> engine = LoadDefaultZinnia();
  ASSERT_NE(engine, nullptr);
  const Ink ink = DrawOnPad(SimpleCharacters()[4].strokes);  // 中
  const char32_t expected = engine->Recognize(ink, 1).at(0).character;
  const struct {
    int dx, dy, scale;
  } moves[] = {{-500, -300, 1}, {100000, 250000, 1}, {0, 0, 40}, {-2000000, 7, 3}};
  for (const auto& move : moves) {
    Ink moved = ink;
    for (InkStroke& stroke : moved) {
      for (InkPoint& p : stroke) {
        p.x = p.x * move.scale + move.dx;
        p.y = p.y * move.scale + move.dy;
      }
    }
    const std::vector<Candidate> candidates = engine->Recognize(moved, 1);
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].character, expected);
  }
}

TEST(ZinniaEngine, InksWithoutPointsGiveNoCandidatesAndOddInksDoNotHurt) {
  const std::unique_ptr<Engine> engine = LoadDefaultZinnia();
  ASSERT_NE(engine, nullptr);
  EXPECT_TRUE(engine->Recognize({}, 10).empty());
  EXPECT_TRUE(engine->Recognize({{}, {}, {}}, 10).empty());
  EXPECT_TRUE(engine->Recognize(DrawOnPad(SimpleCharacters()[0].strokes), 0).empty());
  // A single dot, empty strokes around real ones, extreme coordinates.
  EXPECT_LE(engine->Recognize({{{5, 5}}}, 10).size(), 10u);
  EXPECT_FALSE(engine->Recognize({{}, {{10, 50}, {90, 50}}, {}}, 10).empty());
  EXPECT_FALSE(engine->Recognize({{{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}}}, 10).empty());

  // 500 strokes of 200 points each: the largest ink a request may carry.
  Ink large(500);
  for (std::size_t s = 0; s < large.size(); ++s) {
    for (int i = 0; i < 200; ++i) {
      large[s].push_back({static_cast<std::int32_t>((s * 37 + i * 13) % 243),
                          static_cast<std::int32_t>((s * 11 + i * 7) % 210)});
    }
  }
  EXPECT_LE(engine->Recognize(large, 10).size(), 10u);
}

// A spiral whose every next point is the farthest from the chord to its end:
// the library on its own splits it once per point and doubles an index each
// time (26 points already cost it 2 GB).
InkStroke Spiral(int points) {
  InkStroke stroke;
  double radius = 50000;
  for (int k = 0; k < points; ++k) {
    const double angle = k * 3.14159265358979 / 2;
    stroke.push_back({static_cast<std::int32_t>(std::lround(radius * std::cos(angle))),
                      static_cast<std::int32_t>(std::lround(radius * std::sin(angle)))});
    radius *= 0.99;
  }
  stroke.push_back({0, 0});
  return stroke;
}

TEST(ZinniaVertices, AdversarialStrokesStayCheap) {
  const InkStroke spiral = Spiral(5000);
  const Ink framed = NormalizeInk({spiral}, ZinniaFrame());
  ASSERT_EQ(framed.size(), 1u);
  EXPECT_LE(KeepFeatureSplitPoints(framed[0], ZinniaFrame().size).size(), 27u);

  const std::unique_ptr<Engine> engine = LoadDefaultZinnia();
  ASSERT_NE(engine, nullptr);
  EXPECT_LE(engine->Recognize({spiral, Spiral(300), Spiral(40)}, 10).size(), 10u);
}

TEST(ZinniaVertices, KeepingOnlySplitPointsChangesNoScore) {
  std::unique_ptr<zinnia::Recognizer> recognizer(zinnia::createRecognizer());
  ASSERT_TRUE(recognizer->open(kDefaultZinniaModel));
  const FrameOptions frame = ZinniaFrame();
  std::vector<Ink> inks;
  for (const Drawn& drawn : SimpleCharacters()) inks.push_back(DrawOnPad(drawn.strokes));
  inks.push_back({Spiral(18)});  // deep, but still affordable without the reduction
  for (const Ink& ink : inks) {
    const Ink framed = NormalizeInk(ink, frame);
    std::unique_ptr<zinnia::Character> whole(zinnia::createCharacter());
    std::unique_ptr<zinnia::Character> reduced(zinnia::createCharacter());
    for (zinnia::Character* c : {whole.get(), reduced.get()}) {
      c->set_width(static_cast<std::size_t>(frame.size));
      c->set_height(static_cast<std::size_t>(frame.size));
    }
    for (std::size_t s = 0; s < framed.size(); ++s) {
      for (const InkPoint& p : framed[s]) whole->add(s, p.x, p.y);
      for (const InkPoint& p : KeepFeatureSplitPoints(framed[s], frame.size)) reduced->add(s, p.x, p.y);
    }
    std::unique_ptr<zinnia::Result> a(recognizer->classify(*whole, 20));
    std::unique_ptr<zinnia::Result> b(recognizer->classify(*reduced, 20));
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->size(), b->size());
    for (std::size_t i = 0; i < a->size(); ++i) {
      EXPECT_STREQ(a->value(i), b->value(i));
      EXPECT_EQ(a->score(i), b->score(i));
    }
  }
}

TEST(ZinniaEngine, RefusesMissingAndBrokenModels) {
  const std::string folder = ::testing::TempDir();
  const std::string truncated = folder + "/truncated.model";
  const std::string foreign = folder + "/foreign.model";
  {
    std::FILE* in = std::fopen(kDefaultZinniaModel, "rb");
    ASSERT_NE(in, nullptr);
    std::vector<char> head(4096);
    ASSERT_EQ(std::fread(head.data(), 1, head.size(), in), head.size());
    std::fclose(in);
    std::FILE* out = std::fopen(truncated.c_str(), "wb");
    std::fwrite(head.data(), 1, head.size(), out);
    std::fclose(out);
    out = std::fopen(foreign.c_str(), "wb");
    std::fputs("this is not a model", out);
    std::fclose(out);
  }
  for (const std::string& path : {std::string("/nonexistent/zinnia.model"), folder, truncated, foreign}) {
    std::string error;
    EXPECT_EQ(LoadZinniaEngine(path, &error), nullptr) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace lanjian
