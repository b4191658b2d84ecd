// PadState: the program-wide state of the pad, one set of variables for the
// whole run. Unless a field says otherwise only the main thread touches it.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The pieces cut from the last recognition reply, ANSI byte strings, in order.
using CandidateList = std::vector<std::string>;

struct PadState {
  std::string inkText;          // InkText of the character being written
  std::int32_t penDown = 0;     // 1 while a stroke is open
  std::int32_t lastDrawnX = 0;  // pad client pixels: end of the last line drawn
  std::int32_t lastDrawnY = 0;
  std::int32_t idleTicks = 0;   // end-of-writing monitor ticks since the pen went down
  std::uintptr_t recognitionWorker = 0;  // handle of the worker started last, 0 for none
  // Counts recognition starts. A worker's result counts only while its
  // generation is still the latest; older workers finish on their own unheard.
  std::uint64_t recognitionGeneration = 0;
  CandidateList* candidates = nullptr;   // made by InitPadState
  std::uintptr_t mouseHook = 0;          // MainWindow's mouse hook, 0 for none
  std::int32_t lastSampleX = 0;  // sample coordinates of the last sample appended
  std::int32_t lastSampleY = 0;
};

extern PadState padState;

// Gives every field its initial value and makes the empty candidate list.
void InitPadState();
// Releases the ink text, every candidate piece and the list. Safe to call again.
void ReleasePadState();
