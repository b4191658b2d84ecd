#include <gtest/gtest.h>

#include <ostream>

#include "shell/dock.h"
#include "tests/fakes/fake_platform.h"

using fake::platform;

namespace {

constexpr int S = 1280;  // primary screen width
constexpr int W = 335;   // MainWindow's outer size
constexpr int H = 447;

struct DockCase {
  const char* what;
  ScreenPoint pointer;
  WindowRect window;
  int screenWidth;
  WindowRect expected;
};

std::ostream& operator<<(std::ostream& out, const DockCase& c) { return out << c.what; }

WindowRect At(int left, int top, int width = W, int height = H) { return {left, top, width, height}; }

const DockCase kCases[] = {
    // Left edge.
    {"touching left, pointer away: hides left", {900, 500}, At(0, 100), S, At(2 - W, 100)},
    {"hidden left, pointer away: stays hidden", {900, 500}, At(2 - W, 100), S, At(2 - W, 100)},
    {"hidden left, pointer on column 0: shows", {0, 300}, At(2 - W, 100), S, At(0, 100)},
    {"hidden left, pointer on column 1: shows", {1, 100}, At(2 - W, 100), S, At(0, 100)},
    {"hidden left, pointer on column 2 (inclusive bound): shows", {2, 100 + H}, At(2 - W, 100), S, At(0, 100)},
    {"hidden left, pointer on column 3: stays hidden", {3, 300}, At(2 - W, 100), S, At(2 - W, 100)},
    {"hidden left, pointer above the span: stays hidden", {1, 99}, At(2 - W, 100), S, At(2 - W, 100)},
    {"hidden left, pointer below the span: stays hidden", {1, 101 + H}, At(2 - W, 100), S, At(2 - W, 100)},
    {"dragged past left with pointer inside: back to 0", {10, 200}, At(-50, 100), S, At(0, 100)},
    {"touching left, pointer on the column past its right side: stays", {W, 300}, At(0, 100), S, At(0, 100)},
    {"touching left, pointer one column further: hides", {W + 1, 300}, At(0, 100), S, At(2 - W, 100)},
    {"on a monitor left of the primary: hides left", {900, 500}, At(-1000, 100), S, At(2 - W, 100)},
    {"wider than the screen: left rule wins", {900, 900}, At(0, 100, 1400), S, At(2 - 1400, 100, 1400)},
    // Top-left corner: only the left rule acts, top is never corrected.
    {"top-left corner, pointer away: hides left only", {900, 900}, At(0, 0), S, At(2 - W, 0)},
    {"hidden top-left, pointer inside: shows left, top kept", {1, 10}, At(2 - W, -100), S, At(0, -100)},
    // Right edge: hiding needs left + width >= S, showing needs left = S - 2 exactly.
    {"touching right, pointer away: hides right", {100, 100}, At(S - W, 100), S, At(S - 2, 100)},
    {"hidden right, pointer away: stays hidden", {100, 100}, At(S - 2, 100), S, At(S - 2, 100)},
    {"hidden right, pointer on the last column: shows", {S - 1, 300}, At(S - 2, 100), S, At(S - W, 100)},
    {"hidden right, pointer on the strip's first column: shows", {S - 2, 100}, At(S - 2, 100), S, At(S - W, 100)},
    {"hidden right, pointer just left of the strip: stays", {S - 3, 300}, At(S - 2, 100), S, At(S - 2, 100)},
    {"beyond right with pointer inside: not pulled back", {1100, 300}, At(1000, 100), S, At(1000, 100)},
    {"beyond right and above top, pointer inside: top rule", {1100, 10}, At(1000, -20), S, At(1000, 0)},
    {"beyond right, pointer away: hides right", {100, 100}, At(1000, 100), S, At(S - 2, 100)},
    {"on a monitor right of the primary: hides right", {100, 100}, At(1500, 100), S, At(S - 2, 100)},
    {"top-right corner, pointer away: hides right", {100, 900}, At(S - W, 0), S, At(S - 2, 0)},
    {"hidden top-right, pointer inside: shows, top kept", {S - 1, 5}, At(S - 2, -5), S, At(S - W, -5)},
    {"resized while hidden right: shows at S - new width", {S - 1, 300}, At(S - 2, 100, 500), S, At(S - 500, 100, 500)},
    // Top edge.
    {"touching top, pointer away: hides up", {100, 900}, At(400, 0), S, At(400, 2 - H)},
    {"dragged past top, pointer away: hides up", {100, 900}, At(400, -30), S, At(400, 2 - H)},
    {"hidden top, pointer on row 0: shows", {500, 0}, At(400, 2 - H), S, At(400, 0)},
    {"hidden top, pointer on row 2 (inclusive bound): shows", {400 + W, 2}, At(400, 2 - H), S, At(400, 0)},
    {"hidden top, pointer on row 3: stays hidden", {500, 3}, At(400, 2 - H), S, At(400, 2 - H)},
    {"hidden top, pointer left of the span: stays hidden", {399, 1}, At(400, 2 - H), S, At(400, 2 - H)},
    // Away from every edge nothing ever moves.
    {"10 px from left and top, pointer away", {900, 900}, At(10, 10), S, At(10, 10)},
    {"10 px from left and top, pointer inside", {100, 100}, At(10, 10), S, At(10, 10)},
    {"10 px from right and top, pointer away", {5, 900}, At(S - W - 10, 10), S, At(S - W - 10, 10)},
    {"10 px from right and top, pointer inside", {S - 100, 100}, At(S - W - 10, 10), S, At(S - W - 10, 10)},
    {"one pixel in from left and top, pointer away", {900, 900}, At(1, 1), S, At(1, 1)},
    // Another screen width.
    {"1920 wide, touching right: hides right", {0, 0}, At(1920 - W, 300), 1920, At(1918, 300)},
};

class DockDecision : public ::testing::TestWithParam<DockCase> {};

TEST_P(DockDecision, GivesTheRectangleOfTheTable) {
  const DockCase& c = GetParam();
  const WindowRect got = DockedRect(c.pointer, c.window, c.screenWidth);
  EXPECT_EQ(got.left, c.expected.left);
  EXPECT_EQ(got.top, c.expected.top);
  EXPECT_EQ(got.width, c.window.width);
  EXPECT_EQ(got.height, c.window.height);
}

INSTANTIATE_TEST_SUITE_P(EveryEdge, DockDecision, ::testing::ValuesIn(kCases));

// A run of ticks against the fake window system: hide, stay, show, stay,
// with exactly one move for each change of place.
TEST(DockTickTest, MovesOnlyWhenThePlaceChanges) {
  fake::Reset();
  platform.screenWidth = S;
  platform.mainWindow = At(0, 200);
  struct Step {
    ScreenPoint pointer;
    int left;
    std::size_t moves;
  } steps[] = {
      {{900, 500}, 2 - W, 1},  // pointer away: hides
      {{900, 500}, 2 - W, 1},  // already hidden: no second move
      {{1, 300}, 0, 2},        // pointer on the strip: shows
      {{100, 300}, 0, 2},      // pointer inside: stays
  };
  for (const Step& step : steps) {
    platform.cursor = step.pointer;
    DockTick();
    EXPECT_EQ(platform.mainWindow.left, step.left);
    EXPECT_EQ(platform.mainWindow.top, 200);
    EXPECT_EQ(platform.moves.size(), step.moves);
  }
}

}  // namespace
