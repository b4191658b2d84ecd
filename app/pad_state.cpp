#include "app/pad_state.h"

PadState padState;

void InitPadState() {
  delete padState.candidates;
  padState = PadState{};
  padState.candidates = new CandidateList();
}

void ReleasePadState() {
  std::string().swap(padState.inkText);
  if (padState.candidates) {
    for (std::string& piece : *padState.candidates) std::string().swap(piece);
    delete padState.candidates;
    padState.candidates = nullptr;
  }
}
