#include "shell/controls.h"

namespace {
constexpr Control kCandidateButtons[10] = {
    Control::按钮1, Control::按钮2, Control::按钮3, Control::按钮4, Control::按钮5,
    Control::按钮6, Control::按钮7, Control::按钮8, Control::按钮9, Control::按钮10,
};
}  // namespace

Control CandidateButton(int k) { return kCandidateButtons[k - 1]; }

int CandidateIndex(Control control) {
  for (int k = 1; k <= 10; ++k)
    if (kCandidateButtons[k - 1] == control) return k;
  return 0;
}
